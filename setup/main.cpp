// kestrow-setup: the settings application. Chooses the language from the phone's setting, shows the
// main window and runs until the user quits it.
#include "platform/widgets/zapplication.h"
#include "setup/appdir.h"
#include "setup/lngtable.h"
#include "setup/lockui.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <memory>

namespace {

const char Help[] = "usage: kestrow-setup [--root DIR]\n"
                    "\n"
                    "The Kestrow settings application: starts and stops the plug-in, installs its autorun\n"
                    "script, reloads it or restarts the home screen, chooses the skin, edits the dock bar\n"
                    "and the countdown.\n"
                    "\n"
                    "  --root DIR  the device root (default: $KESTROW_ROOT, else the phone's own \"/\")\n"
                    "  -h, --help  this text\n"
                    "\n"
                    "Its language files, images and scripts lie in the folder it is started from (the\n"
                    "path it is started by, up to the last \"/\"): kestrow-device init DIR installs it as\n"
                    "DIR/ezxlocal/Kestrow/kestrow-setup.\n";

/** Reads --root and --help before the window system is touched; -1 to go on, else the exit code. */
int parseArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    const QCommandLineOption root(QStringLiteral("root"), QString(), QStringLiteral("DIR"));
    parser.addOptions({ help, root });
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "kestrow-setup: %s\n%s", qPrintable(parser.errorText()), Help);
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(Help, stdout);
        return 0;
    }
    if (parser.isSet(root))
        qputenv("KESTROW_ROOT", QFile::encodeName(QDir(parser.value(root)).absolutePath()));
    return -1;
}

// Without a display the window still runs, off screen, so that scripts and measurements work headless.
void chooseHeadlessPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("kestrow-setup: no display: the window runs off screen\n", stderr);
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// The scripts the window runs call the tools built beside this program.
void putOwnToolsInPath()
{
    const QByteArray own = QFile::encodeName(QCoreApplication::applicationDirPath());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", path.isEmpty() ? own : own + ':' + path);
}

} // namespace

int main(int argc, char **argv)
{
    const int early = parseArguments(argc, argv);
    if (early >= 0)
        return early;
    chooseHeadlessPlatform();

    ZApplication app(argc, argv, ZApplication::GuiClient);
    putOwnToolsInPath();
    AppDir::setFirstArgument(QFile::decodeName(argv[0]));

    auto table = std::make_unique<LngTable>(LngTable::chooseFile(AppDir::applicationDirectory()));
    LngTable::setInstance(table.get());
    auto window = std::make_unique<LockUI>();
    ZApplication::setMainWidget(window.get());
    window->show();
    app.exec();

    // The language table goes first, the main window after it.
    LngTable::setInstance(nullptr);
    table.reset();
    window.reset();
    return 0;
}
