#include "data/deviceroot.h"
#include "host/hostwindow.h"
#include "host/phoneshell.h"
#include "host/skinwatcher.h"
#include "platform/toolcommandline.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace {

// The plug-in installed beside the host (<prefix>/bin/../<libdir>/kestrow/), else the one it was built with.
QString defaultPlugin()
{
    const QString installed
        = QCoreApplication::applicationDirPath() + QStringLiteral("/../" KESTROW_PLUGIN_INSTALLED);
    return QFileInfo::exists(installed) ? QDir::cleanPath(installed) : QStringLiteral(KESTROW_PLUGIN_PATH);
}

} // namespace

int main(int argc, char *argv[])
{
    chooseHeadlessPlatform();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("kestrow-host"));

    ToolCommandLine cmd(QStringLiteral("kestrow-host"),
        QStringLiteral(
            "The phone's home screen. It runs the device root's autorun scripts at start (one of them loads "
            "the Kestrow plug-in), opens the settings application on F3, and ends with status 75 when "
            "asked to restart."));
    cmd.addRootOption();
    const QCommandLineOption plugin(QStringLiteral("plugin"), QStringLiteral("Plug-in library to load."),
        QStringLiteral("PATH"), defaultPlugin());
    const QCommandLineOption capture(QStringLiteral("capture"),
        QStringLiteral("Save the window to FILE (PNG) after every frame."), QStringLiteral("FILE"));
    const QCommandLineOption quitAfter(
        QStringLiteral("quit-after"), QStringLiteral("Quit after N seconds."), QStringLiteral("N"));
    const QCommandLineOption logFrames(QStringLiteral("log-frames"),
        QStringLiteral("Print a line for every frame that reaches the screen."));
    const QCommandLineOption watch(QStringLiteral("watch"),
        QStringLiteral(
            "Reload when a file of the skin in use or the settings file changes, and print the skin "
            "linter's findings."));
    const QCommandLineOption diagnostics(QStringLiteral("diagnostics"),
        QStringLiteral("Let the plug-in print what it could not read of a skin on each load "
                       "(the same as KESTROW_DIAGNOSTICS=1)."));
    for (const QCommandLineOption &option : { plugin, capture, quitAfter, logFrames, watch, diagnostics })
        cmd.addOption(option);
    cmd.setEpilogue(
        QStringLiteral("Keys: arrows and Return go to the plug-in; F1 display off and on, F2 backlight, "
                       "F3 settings application, F5 reload, Esc quit."));
    if (const std::optional<int> done = cmd.process(app.arguments()))
        return *done;
    QCommandLineParser &parser = cmd.parser();
    if (!cmd.positional().isEmpty())
        return cmd.usageError(QStringLiteral("unexpected argument \"%1\"").arg(cmd.positional().first()));

    if (parser.isSet(quitAfter)) {
        bool ok = false;
        const double seconds = parser.value(quitAfter).toDouble(&ok);
        if (!ok || seconds < 0 || seconds > 24 * 3600 * 365)
            return cmd.usageError(QStringLiteral("--quit-after takes a number of seconds, not \"%1\"")
                                      .arg(parser.value(quitAfter)));
        QTimer::singleShot(int(seconds * 1000), &app, &QCoreApplication::quit);
    }
    cmd.applyRoot();
    // The plug-in reports nothing unless asked to; it reads this when it loads a skin.
    if (parser.isSet(diagnostics))
        qputenv("KESTROW_DIAGNOSTICS", "1");
    // Without its files the home screen would be black: say what is missing and how to make it.
    if (const std::optional<QString> problem = DeviceRootCheck::problem())
        return cmd.usageError(*problem);

    HostWindow window;
    window.setCaptureFile(parser.value(capture));
    if (parser.isSet(logFrames)) {
        QObject::connect(&window, &HostWindow::frameShown, [](int count) {
            std::printf("frame %d\n", count);
            std::fflush(stdout);
        });
    }
    window.show();
    if (parser.isSet(watch)) {
        auto *watcher = new SkinWatcher(&window);
        QObject::connect(watcher, &SkinWatcher::reloadDue, &window, &HostWindow::reloadPluginAndShow);
        window.showReloadsAtOnce();
    }
    // The plug-in loads when an autorun script (or the settings application) asks for it.
    PhoneShell shell(&window, parser.value(plugin));
    shell.start();
    return app.exec();
}
