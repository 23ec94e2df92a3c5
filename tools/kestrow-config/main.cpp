// kestrow-config: reads and writes configuration files from the shell.
//   kestrow-config get FILE GROUP KEY [DEFAULT]   prints the value, or DEFAULT
//   kestrow-config set FILE GROUP KEY VALUE       writes the value and flushes
//   kestrow-config groups FILE                    prints the group names in file order
// FILE is an ordinary path. Exit codes: 0 done, 1 the file could not be
// written (one line on standard error says why), 2 usage error.

#include "platform/zconfig.h"

#include <QByteArray>
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

int usage()
{
    std::fputs(
        "usage: kestrow-config get FILE GROUP KEY [DEFAULT] | set FILE GROUP KEY VALUE | groups FILE\n",
        stderr);
    return 2;
}

void printLine(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(reportLine);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();

    if (command == QLatin1String("get") && (args.size() == 3 || args.size() == 4)) {
        const ZConfig config(QFile::decodeName(argv[2]));
        printLine(config.readEntry(args[1], args[2], args.value(3)));
        return 0;
    }
    if (command == QLatin1String("groups") && args.size() == 1) {
        const ZConfig config(QFile::decodeName(argv[2]));
        QStringList groups;
        config.getGroupsKeyList(groups);
        for (const QString &group : std::as_const(groups))
            printLine(group);
        return 0;
    }
    if (command == QLatin1String("set") && args.size() == 4) {
        ZConfig config(QFile::decodeName(argv[2]));
        if (config.writeEntry(args[1], args[2], args[3]) && config.flush())
            return 0;
        if (!g_reported)
            std::fprintf(stderr, "kestrow-config: cannot write \"%s\"\n", argv[2]);
        return 1;
    }
    return usage();
}
