#include "platform/homescreenchannel.h"
#include "platform/qcopchannel.h"
#include "testsupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QtTest>

namespace {

const QString PluginChannel = QStringLiteral("/EZX/KestrowPlugin");
const QString AppFolder = QStringLiteral("/ezxlocal/Kestrow/");
const QString Autorun = QStringLiteral("/ezxlocal/download/mystuff/unKnown/S10KestrowPulgin");
constexpr int Patience = 20000;

QColor captured(const QString &file, const QPoint &at)
{
    const QImage image(file);
    return image.isNull() ? QColor() : image.pixelColor(at);
}

/** The shipped script, executable, at a phone path of the root. */
void installScript(const TempDeviceRoot &root, const QString &name, const QString &phonePath)
{
    QFile script(QStringLiteral(KESTROW_SOURCE_DIR "/setup/files/") + name);
    QVERIFY(script.open(QIODevice::ReadOnly));
    QVERIFY(root.writeFile(phonePath, script.readAll()));
    QFile::setPermissions(root.path(phonePath), QFile::permissions(root.path(phonePath)) | QFile::ExeOwner);
}

/** The environment the settings application gives its scripts: the root and the built tools. */
QProcessEnvironment scriptEnvironment(const TempDeviceRoot &root)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KESTROW_ROOT"), root.root());
    environment.insert(QStringLiteral("PATH"),
        QStringLiteral(KESTROW_BIN_DIR ":") + environment.value(QStringLiteral("PATH")));
    return environment;
}

/** The bus names of the processes listening on a channel (docs/channels.md): one per process. */
QStringList listeners(const QString &channel)
{
    const QString prefix = QStringLiteral("org.kestrow.QCop.c")
        + QString::fromLatin1(channel.toUtf8().toHex()) + QLatin1Char('.');
    QStringList names
        = QDBusConnection::sessionBus().interface()->registeredServiceNames().value().filter(prefix);
    names.sort();
    return names;
}

int runScript(const TempDeviceRoot &root, const QString &name)
{
    return runProgram(
        QStringLiteral("sh"), { root.path(AppFolder + name) }, {}, Patience, scriptEnvironment(root))
        .exitCode;
}

} // namespace

/** The home screen as the phone's shell, with the real scripts on a bus of its own. */
class PhoneShellTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void onOffAndAutorunAtRestart();
    void onStartsAHomeScreen();

private:
    void prepare(TempDeviceRoot &root);
    void startHost(QProcess &host, const TempDeviceRoot &root);
    QString m_shot;
};

void PhoneShellTest::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        QFAIL("needs a session bus of its own (ctest runs it under dbus-run-session)");
}

void PhoneShellTest::prepare(TempDeviceRoot &root)
{
    root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/default/mid.png"), 240, 320, Qt::darkMagenta);
    root.writeSkin(QStringLiteral("default"), "[Background]\nMidIMG=mid.png\n");
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), "[Main]\nSkin = default\n");
    root.writeImage(QStringLiteral("/wall/w.png"), 240, 320, Qt::darkGreen);
    root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg"),
        "[SYS_DISPLAY_SET]\nWallpaper=/wall/w.png\n");
    for (const QString &name :
        { QStringLiteral("on.sh"), QStringLiteral("off.sh"), QStringLiteral("load.sh") })
        installScript(root, name, AppFolder + name);
    installScript(root, QStringLiteral("load.sh"), Autorun);
    m_shot = root.path(QStringLiteral("/shot.png"));
}

void PhoneShellTest::startHost(QProcess &host, const TempDeviceRoot &root)
{
    QFile::remove(m_shot);
    host.setProcessChannelMode(QProcess::ForwardedChannels);
    host.start(builtProgram(QStringLiteral("kestrow-host")),
        { QStringLiteral("--root"), root.root(), QStringLiteral("--capture"), m_shot });
    QVERIFY(host.waitForStarted());
}

void PhoneShellTest::onOffAndAutorunAtRestart()
{
    TempDeviceRoot root;
    prepare(root);
    const QString shell = HomeScreenChannel::name();
    const QPoint inPlugin(30, 60);

    // The autorun script loads the plug-in at start.
    QProcess host;
    startHost(host, root);
    QTRY_VERIFY_WITH_TIMEOUT(QCopChannel::isRegistered(PluginChannel), Patience);
    QTRY_COMPARE_WITH_TIMEOUT(captured(m_shot, inPlugin), QColor(Qt::darkMagenta), Patience);

    // off.sh: the instance and its channel go, the wallpaper alone remains.
    QCOMPARE(runScript(root, QStringLiteral("off.sh")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!QCopChannel::isRegistered(PluginChannel), Patience);
    QTRY_COMPARE_WITH_TIMEOUT(captured(m_shot, inPlugin), QColor(Qt::darkGreen), Patience);

    // on.sh: back in the running home screen (no second one is started).
    QCOMPARE(runScript(root, QStringLiteral("on.sh")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(QCopChannel::isRegistered(PluginChannel), Patience);
    QTRY_COMPARE_WITH_TIMEOUT(captured(m_shot, inPlugin), QColor(Qt::darkMagenta), Patience);
    QCOMPARE(host.state(), QProcess::Running);

    // Restart without the autorun script: it ends for a restart and comes back with the wallpaper alone.
    QVERIFY(QFile::remove(root.path(Autorun)));
    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Restart));
    QVERIFY(host.waitForFinished(Patience));
    QCOMPARE(host.exitCode(), HomeScreenChannel::RestartExitCode);
    // The bus drops an ended process's names when it sees the connection close.
    QTRY_VERIFY_WITH_TIMEOUT(!QCopChannel::isRegistered(PluginChannel), Patience);
    startHost(host, root);
    QTRY_VERIFY_WITH_TIMEOUT(QCopChannel::isRegistered(shell), Patience);
    QTRY_COMPARE_WITH_TIMEOUT(captured(m_shot, inPlugin), QColor(Qt::darkGreen), Patience);
    QVERIFY(!QCopChannel::isRegistered(PluginChannel));

    // With the script back, the next restart runs it again.
    installScript(root, QStringLiteral("load.sh"), Autorun);
    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Restart));
    QVERIFY(host.waitForFinished(Patience));
    QCOMPARE(host.exitCode(), HomeScreenChannel::RestartExitCode);
    startHost(host, root);
    QTRY_VERIFY_WITH_TIMEOUT(QCopChannel::isRegistered(PluginChannel), Patience);
    QTRY_COMPARE_WITH_TIMEOUT(captured(m_shot, inPlugin), QColor(Qt::darkMagenta), Patience);

    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Quit));
    QVERIFY(host.waitForFinished(Patience));
    QCOMPARE(host.exitCode(), 0);
}

void PhoneShellTest::onStartsAHomeScreen()
{
    TempDeviceRoot root;
    prepare(root);
    const QString shell = HomeScreenChannel::name();
    QVERIFY(!QCopChannel::isRegistered(shell));
    QCOMPARE(runScript(root, QStringLiteral("on.sh")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(QCopChannel::isRegistered(shell), Patience);
    QTRY_VERIFY_WITH_TIMEOUT(QCopChannel::isRegistered(PluginChannel), Patience);
    // It keeps running after a restart: another process listens then, and loads the plug-in again.
    const QStringList before = listeners(shell);
    QCOMPARE(before.size(), 1);
    const QStringList pluginBefore = listeners(PluginChannel);
    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Restart));
    QTRY_VERIFY_WITH_TIMEOUT(listeners(shell).size() == 1 && listeners(shell) != before, Patience);
    QTRY_VERIFY_WITH_TIMEOUT(
        !listeners(PluginChannel).isEmpty() && listeners(PluginChannel) != pluginBefore, Patience);
    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Quit));
    QTRY_VERIFY_WITH_TIMEOUT(!QCopChannel::isRegistered(shell), Patience);
    QTRY_VERIFY_WITH_TIMEOUT(!QCopChannel::isRegistered(PluginChannel), Patience);
}

QTEST_GUILESS_MAIN(PhoneShellTest)
#include "phoneshelltest.moc"
