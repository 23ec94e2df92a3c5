// kestrow-skin lint DIR...: checks skin folders the way the home screen loads them and prints, one a
// line in the compilers' form, everything that will not show as the skin's author meant.
#include "data/settingsfile.h"
#include "data/skinlint.h"
#include "data/skinloader.h"
#include "platform/toolcommandline.h"
#include "platform/zconfig.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

namespace {

const char Epilogue[]
    = "Commands:\n"
      "  lint DIR...  Check the skin folders DIR... (with --root and no DIR: the skin in use).\n"
      "\n"
      "Each finding is one line, FILE:LINE: warning|error: message.\n"
      "Exit status: 0 no findings, 1 warnings only, 2 errors (or a usage error).\n";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ToolCommandLine cmd(QStringLiteral("kestrow-skin"), QStringLiteral("Checks Kestrow skins."));
    cmd.addRootOption();
    cmd.parser().addPositionalArgument(
        QStringLiteral("command"), QStringLiteral("lint"), QStringLiteral("lint"));
    cmd.parser().addPositionalArgument(
        QStringLiteral("DIR"), QStringLiteral("Skin folders."), QStringLiteral("DIR..."));
    cmd.setEpilogue(QLatin1String(Epilogue));
    if (const std::optional<int> done = cmd.process(app.arguments()))
        return *done;

    QStringList args = cmd.positional();
    if (args.isEmpty())
        return cmd.usageError(QStringLiteral("a command is needed: lint DIR..."));
    const QString command = args.takeFirst();
    if (command != QLatin1String("lint"))
        return cmd.usageError(QStringLiteral("unknown command \"%1\"; the command is lint").arg(command));
    if (args.isEmpty()) {
        if (!cmd.isSet(QStringLiteral("root")) && qEnvironmentVariableIsEmpty("KESTROW_ROOT"))
            return cmd.usageError(
                QStringLiteral("lint needs a skin folder (or --root DIR for the skin in use)"));
        cmd.applyRoot();
        const QString dir = SkinLoader::skinDirectory(SettingsFile::skin(ZConfig(SettingsFile::filePath())));
        if (dir.isEmpty())
            return cmd.usageError(QStringLiteral("[Main] Skin names no skin folder"));
        args.append(dir);
    }

    int status = 0;
    for (const QString &dir : std::as_const(args)) {
        const QList<SkinFinding> findings = SkinLint::lint(dir);
        for (const QString &line : SkinLint::lines(findings))
            std::printf("%s\n", line.toLocal8Bit().constData());
        status = std::max(status, SkinLint::exitCode(findings));
    }
    return status;
}
