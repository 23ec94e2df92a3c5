// kestrow-config: reads and writes configuration files from the shell.
//   kestrow-config get FILE GROUP KEY [DEFAULT]   prints the value, or DEFAULT
//   kestrow-config set FILE GROUP KEY VALUE       writes the value and flushes
//   kestrow-config groups FILE                    prints the group names in file order
// FILE is an ordinary path. Exit codes: 0 done, 1 the file could not be
// written (one line on standard error says why), 2 usage error.

#include "platform/toolcommandline.h"
#include "platform/zconfig.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

bool g_reported = false;

// The configuration class reports its failures as one line each; they become the tool's own.
void reportLine(QtMsgType, const QMessageLogContext &, const QString &message)
{
    QString text = message;
    if (text.startsWith(QLatin1String("ZConfig: ")))
        text.remove(0, 9);
    std::fprintf(stderr, "kestrow-config: %s\n", qUtf8Printable(text));
    g_reported = true;
}

const char Epilogue[] = "Commands:\n"
                        "  get FILE GROUP KEY [DEFAULT]  Print the value, or DEFAULT.\n"
                        "  set FILE GROUP KEY VALUE      Write the value and flush.\n"
                        "  groups FILE                   Print the group names in file order.\n"
                        "\n"
                        "FILE is an ordinary path. Exit status: 0 done, 1 the file could not be written,\n"
                        "2 usage error.\n";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ToolCommandLine cmd(
        QStringLiteral("kestrow-config"), QStringLiteral("Reads and writes configuration files."));
    // Values may start with "-": everything after the command is an argument.
    cmd.parser().setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    cmd.parser().addPositionalArgument(
        QStringLiteral("command"), QStringLiteral("get, set or groups."), QStringLiteral("COMMAND ARGS..."));
    cmd.setEpilogue(QLatin1String(Epilogue));
    if (const std::optional<int> done = cmd.process(app.arguments()))
        return *done;
    qInstallMessageHandler(reportLine);
    QStringList args = cmd.positional();
    if (args.isEmpty())
        return cmd.usageError(QStringLiteral("a command is needed: get, set or groups"));
    const QString command = args.takeFirst();
    const QString file = args.value(0);

    if (command == QLatin1String("get") && (args.size() == 3 || args.size() == 4)) {
        const ZConfig config(file);
        printLine(stdout, config.readEntry(args[1], args[2], args.value(3)));
        return 0;
    }
    if (command == QLatin1String("groups") && args.size() == 1) {
        const ZConfig config(file);
        QStringList groups;
        config.getGroupsKeyList(groups);
        for (const QString &group : std::as_const(groups))
            printLine(stdout, group);
        return 0;
    }
    if (command == QLatin1String("set") && args.size() == 4) {
        ZConfig config(file);
        if (config.writeEntry(args[1], args[2], args[3]) && config.flush())
            return 0;
        if (!g_reported)
            std::fprintf(stderr, "kestrow-config: cannot write \"%s\"\n", qPrintable(file));
        return 1;
    }
    if (command == QLatin1String("get"))
        return cmd.usageError(QStringLiteral("get takes FILE GROUP KEY [DEFAULT]"));
    if (command == QLatin1String("set"))
        return cmd.usageError(QStringLiteral("set takes FILE GROUP KEY VALUE"));
    if (command == QLatin1String("groups"))
        return cmd.usageError(QStringLiteral("groups takes FILE"));
    return cmd.usageError(QStringLiteral("unknown command \"%1\": get, set or groups").arg(command));
}
