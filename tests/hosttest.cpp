#include "testsupport.h"

#include <QProcess>
#include <QtTest>

namespace {

const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
// Generous upper bounds for each awaited event: the suite also runs under the sanitizers on a busy
// machine. The host itself is stopped by the test; its own limit only guards against a stray process.
constexpr int Bound = 120000;
const QString HostLimit = QStringLiteral("600");

bool busAvailable()
{
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
}

// The home screen loads the plug-in when its autorun script asks for it, over the session bus.
void installAutorun(const TempDeviceRoot &root)
{
    QFile script(QStringLiteral(KESTROW_SOURCE_DIR "/setup/files/load.sh"));
    QVERIFY(script.open(QIODevice::ReadOnly));
    QVERIFY(root.writeFile(
        QStringLiteral("/ezxlocal/download/mystuff/unKnown/S10KestrowPulgin"), script.readAll()));
}

QColor captured(const QString &file, const QPoint &at)
{
    const QImage image(file);
    return image.isNull() ? QColor() : image.pixelColor(at);
}

} // namespace

class HostTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void capturesTheHomeScreen();
    void switchedOffPluginIsNotCreated();
    void reloadFromAnotherProcess();
};

void HostTest::capturesTheHomeScreen()
{
    if (!busAvailable() && !qEnvironmentVariableIsSet("KESTROW_REQUIRE_BUS"))
        QSKIP("no session bus (run the suite inside dbus-run-session)");
    TempDeviceRoot root;
    installAutorun(root);
    QVERIFY(root.writeSolidSkin(QStringLiteral("default"), Qt::darkMagenta));
    root.writeFile(Settings, "[Main]\nSkin=default\n");
    root.writeImage(QStringLiteral("/wall/w.png"), 240, 320, Qt::darkGreen);
    root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg"),
        "[SYS_DISPLAY_SET]\nWallpaper=/wall/w.png\n");
    const QString shot = root.path(QStringLiteral("/shot.png"));
    QProcess host;
    host.start(builtProgram(QStringLiteral("kestrow-host")),
        { QStringLiteral("--root"), root.root(), QStringLiteral("--capture"), shot,
            QStringLiteral("--quit-after"), HostLimit });
    QVERIFY(host.waitForStarted());
    // The plug-in's frame, below the status bar, once the autorun script has loaded it.
    QTRY_COMPARE_WITH_TIMEOUT(captured(shot, QPoint(30, 25 + 30)), QColor(Qt::darkMagenta), Bound);
    const QImage image(shot);
    QCOMPARE(image.size(), QSize(240, 320));
    QCOMPARE(image.pixelColor(30, 25 + 200), QColor(Qt::darkMagenta));
    QVERIFY(image.pixelColor(120, 10) != QColor(Qt::darkMagenta)); // the status bar is the host's
    host.terminate();
    QVERIFY(host.waitForFinished(Bound));
}

void HostTest::switchedOffPluginIsNotCreated()
{
    if (!busAvailable() && !qEnvironmentVariableIsSet("KESTROW_REQUIRE_BUS"))
        QSKIP("no session bus (run the suite inside dbus-run-session)");
    TempDeviceRoot root;
    installAutorun(root);
    QVERIFY(root.writeSolidSkin(QStringLiteral("default"), Qt::darkMagenta));
    root.writeFile(Settings, "[Main]\nActivated=false\n");
    const QString shot = root.path(QStringLiteral("/shot.png"));
    QProcess host;
    host.start(builtProgram(QStringLiteral("kestrow-host")),
        { QStringLiteral("--root"), root.root(), QStringLiteral("--quit-after"), HostLimit });
    QVERIFY(host.waitForStarted());
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += host.readAllStandardError()).contains("switched off"), Bound);
    host.terminate();
    QVERIFY(host.waitForFinished(Bound));
}

void HostTest::reloadFromAnotherProcess()
{
    if (!busAvailable() && !qEnvironmentVariableIsSet("KESTROW_REQUIRE_BUS"))
        QSKIP("no session bus (run the suite inside dbus-run-session)");
    TempDeviceRoot root;
    installAutorun(root);
    QVERIFY(root.writeSolidSkin(QStringLiteral("default"), Qt::darkMagenta));
    QVERIFY(root.writeSolidSkin(QStringLiteral("other"), Qt::darkYellow));
    root.writeFile(Settings, "[Main]\nSkin=default\n");
    const QString shot = root.path(QStringLiteral("/shot.png"));
    QProcess host;
    host.start(builtProgram(QStringLiteral("kestrow-host")),
        { QStringLiteral("--root"), root.root(), QStringLiteral("--capture"), shot,
            QStringLiteral("--quit-after"), HostLimit });
    QVERIFY(host.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(captured(shot, QPoint(30, 60)), QColor(Qt::darkMagenta), Bound);

    // Another process changes the skin, then tells the plug-in.
    QProcess config;
    config.start(builtProgram(QStringLiteral("kestrow-config")),
        { QStringLiteral("set"), root.path(Settings), QStringLiteral("Main"), QStringLiteral("Skin"),
            QStringLiteral("other") });
    QVERIFY(config.waitForFinished(Bound));
    QCOMPARE(config.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(QProcess::execute(builtProgram(QStringLiteral("kestrow-qcop")),
                                 { QStringLiteral("--registered"), QStringLiteral("/EZX/KestrowPlugin") })
            == 0,
        Bound);
    QCOMPARE(QProcess::execute(builtProgram(QStringLiteral("kestrow-qcop")),
                 { QStringLiteral("/EZX/KestrowPlugin"), QStringLiteral("Reload()") }),
        0);
    QTRY_COMPARE_WITH_TIMEOUT(captured(shot, QPoint(30, 60)), QColor(Qt::darkYellow), Bound);
    host.terminate();
    QVERIFY(host.waitForFinished(Bound));
}

QTEST_MAIN(HostTest)
#include "hosttest.moc"
