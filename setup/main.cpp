// kestrow-setup: the settings application. Chooses the language from the phone's setting, shows the
// main window and runs until the user quits it.
#include "data/deviceroot.h"
#include "platform/devicepath.h"
#include "platform/homescreenchannel.h"
#include "platform/phonepaths.h"
#include "platform/qcopchannel.h"
#include "platform/toolcommandline.h"
#include "platform/widgets/firstpaintquit.h"
#include "platform/widgets/zapplication.h"
#include "setup/appdir.h"
#include "setup/lngtable.h"
#include "setup/lockui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

bool quitWhenShown = false;

/** Reads the options before the window system is touched; -1 to go on, else the exit code. */
int parseArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    ToolCommandLine cmd(QStringLiteral("kestrow-setup"),
        QStringLiteral(
            "The Kestrow settings application: starts and stops the plug-in, installs its autorun script, "
            "reloads it or restarts the home screen, chooses the skin, edits the dock bar and the "
            "countdown."));
    cmd.addRootOption();
    cmd.addOption(QCommandLineOption(QStringLiteral("quit-when-shown"),
        QStringLiteral("Quit once the main window has been painted (start-up measurements).")));
    cmd.setEpilogue(
        QStringLiteral("Its language files, images and scripts lie in the folder it is started from (the\n"
                       "path it is started by, up to the last \"/\"): kestrow-device init DIR installs it "
                       "as\nDIR/ezxlocal/Kestrow/kestrow-setup.\n"));
    if (const std::optional<int> done = cmd.process(arguments))
        return *done;
    if (!cmd.positional().isEmpty())
        return cmd.usageError(QStringLiteral("unexpected argument \"%1\"").arg(cmd.positional().first()));
    quitWhenShown = cmd.isSet(QStringLiteral("quit-when-shown"));
    cmd.applyRoot();
    if (const std::optional<QString> problem = DeviceRootCheck::problem())
        return cmd.usageError(*problem);
    return -1;
}

// The scripts the window runs call the tools built beside this program.
void putOwnToolsInPath()
{
    const QByteArray own = QFile::encodeName(QCoreApplication::applicationDirPath());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", path.isEmpty() ? own : own + ':' + path);
}

/**
 * Names the folder of the application's files: the one it was started from (a device root's own
 * kestrow-setup), else the device root's own folder (a tool that starts the program by its real
 * path, as valgrind does, loses the name it was started by), else the installed data folder.
 * False, after one line, when none holds them.
 */
bool chooseApplicationFolder(const char *firstArgument)
{
    const QString started = QFile::decodeName(firstArgument);
    const QString candidates[] = { started, devicePath(PhonePaths::SetupProgram),
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/kestrow/setup"))
            + QStringLiteral("/kestrow-setup") };
    for (const QString &candidate : candidates) {
        if (QFileInfo::exists(AppDir::fromFirstArgument(candidate) + LngTable::FallbackFile)) {
            AppDir::setFirstArgument(candidate);
            return true;
        }
    }
    std::fprintf(stderr,
        "kestrow-setup: no language files in %s; run the device root's own kestrow-setup, "
        "DIR/ezxlocal/Kestrow/kestrow-setup (kestrow-device init DIR installs it)\n",
        qPrintable(AppDir::fromFirstArgument(started)));
    return false;
}

/** The window the keys go to now (a popup over the main window, or the main window) comes forward. */
void raiseFrontWindow()
{
    QWidget *front = QApplication::activeModalWidget();
    if (!front)
        front = ZApplication::mainWidget();
    if (!front)
        return;
    front->raise();
    front->activateWindow();
}

} // namespace

int main(int argc, char **argv)
{
    const int early = parseArguments(argc, argv);
    if (early >= 0)
        return early;
    if (chooseHeadlessPlatform())
        std::fputs("kestrow-setup: no display: the window runs off screen\n", stderr);

    ZApplication app(argc, argv, ZApplication::GuiClient);
    putOwnToolsInPath();
    if (!chooseApplicationFolder(argv[0]))
        return 1;

    const QString languageFile = LngTable::chooseFile(AppDir::applicationDirectory());
    // The widgets' own texts (Yes, No, Select) speak the language of the application's texts.
    QLocale::setDefault(QLocale(QFileInfo(languageFile).completeBaseName()));
    auto table = std::make_unique<LngTable>(languageFile);
    LngTable::setInstance(table.get());
    // One settings application per device root: a second start brings the first to the front.
    if (QCopChannel::isRegistered(SetupChannel::name())) {
        QCopChannel::send(SetupChannel::name(), SetupChannel::Raise);
        std::fputs("kestrow-setup: already running for this device root; brought to the front\n", stderr);
        return 0;
    }
    QCopChannel own(SetupChannel::name());
    QObject::connect(&own, &QCopChannel::received, [](const QByteArray &message) {
        if (message == SetupChannel::Raise)
            raiseFrontWindow();
    });
    auto window = std::make_unique<LockUI>();
    ZApplication::setMainWidget(window.get());
    FirstPaintQuit firstPaint;
    if (quitWhenShown)
        window->installEventFilter(&firstPaint);
    window->show();
    app.exec();

    // The language table goes first, the main window after it.
    LngTable::setInstance(nullptr);
    table.reset();
    window.reset();
    return 0;
}
