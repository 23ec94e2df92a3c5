#include "host/hostwindow.h"
#include "host/phoneshell.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>

#include <cstdio>

namespace {

// Without a display the home screen still runs, off screen, so captures work on a headless machine.
void chooseHeadlessPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int main(int argc, char *argv[])
{
    chooseHeadlessPlatform();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("kestrow-host"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The phone's home screen. It runs the device root's autorun scripts at start (one of them loads "
        "the Kestrow plug-in), opens the settings application on F3, and ends with status 75 when asked "
        "to restart."));
    parser.addHelpOption();
    const QCommandLineOption root(
        QStringLiteral("root"), QStringLiteral("Device root folder."), QStringLiteral("DIR"));
    const QCommandLineOption plugin(QStringLiteral("plugin"), QStringLiteral("Plug-in library to load."),
        QStringLiteral("PATH"), QStringLiteral(KESTROW_PLUGIN_PATH));
    const QCommandLineOption capture(QStringLiteral("capture"),
        QStringLiteral("Save the window to FILE (PNG) after every frame."), QStringLiteral("FILE"));
    const QCommandLineOption quitAfter(
        QStringLiteral("quit-after"), QStringLiteral("Quit after N seconds."), QStringLiteral("N"));
    const QCommandLineOption logFrames(QStringLiteral("log-frames"),
        QStringLiteral("Print a line for every frame that reaches the screen."));
    parser.addOptions({ root, plugin, capture, quitAfter, logFrames });
    parser.process(app);

    if (parser.isSet(root))
        qputenv("KESTROW_ROOT", QFile::encodeName(QDir(parser.value(root)).absolutePath()));
    if (parser.isSet(quitAfter)) {
        bool ok = false;
        const double seconds = parser.value(quitAfter).toDouble(&ok);
        if (!ok || seconds < 0) {
            std::fprintf(stderr, "kestrow-host: --quit-after needs a number of seconds\n");
            return 2;
        }
        QTimer::singleShot(int(seconds * 1000), &app, &QCoreApplication::quit);
    }

    HostWindow window;
    window.setCaptureFile(parser.value(capture));
    if (parser.isSet(logFrames)) {
        QObject::connect(&window, &HostWindow::frameShown, [](int count) {
            std::printf("frame %d\n", count);
            std::fflush(stdout);
        });
    }
    window.show();
    // The plug-in loads when an autorun script (or the settings application) asks for it.
    PhoneShell shell(&window, parser.value(plugin));
    shell.start();
    return app.exec();
}
