#include "host/hostwindow.h"

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
    parser.setApplicationDescription(QStringLiteral("The phone's home screen, with the Kestrow plug-in."));
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
    QString message;
    if (!window.startPlugin(parser.value(plugin), &message))
        std::fprintf(stderr, "kestrow-host: %s\n", qPrintable(message));
    return app.exec();
}
