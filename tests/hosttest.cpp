// The desktop home screen: kestrow-host as the phone's shell with the real scripts on a bus of its
// own, its --watch, and the launch notices on its status line.

#include "host/autorun.h"
#include "host/launchnotices.h"
#include "host/phonesystem.h"
#include "host/skinwatcher.h"
#include "host/statusbar.h"
#include "platform/amlauncherclient.h"
#include "platform/homescreenchannel.h"
#include "platform/phonechannels.h"
#include "platform/qcopchannel.h"
#include "testsupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QtTest>

namespace {

const QString PluginChannel = QStringLiteral("/EZX/KestrowPlugin");
const QString AppFolder = QStringLiteral("/ezxlocal/Kestrow/");
const QString AutorunScript = QStringLiteral("/ezxlocal/download/mystuff/unKnown/S10KestrowPulgin");
const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
// Generous bounds for each awaited event: the suite also runs under the sanitizers on a busy machine.
constexpr int Bound = 120000;
const QPoint InPlugin(30, 60);

/** The shipped script, executable, at a phone path of the root. */
void installScript(const TempDeviceRoot &root, const QString &name, const QString &phonePath)
{
    QFile script(QStringLiteral(KESTROW_SOURCE_DIR "/setup/files/") + name);
    QVERIFY(script.open(QIODevice::ReadOnly));
    QVERIFY(root.writeFile(phonePath, script.readAll()));
    QFile::setPermissions(root.path(phonePath), QFile::permissions(root.path(phonePath)) | QFile::ExeOwner);
}

/** A root with two one-colour skins, a wallpaper, the scripts and the autorun script. */
void prepare(const TempDeviceRoot &root)
{
    QVERIFY(root.writeSolidSkin(QStringLiteral("default"), Qt::darkMagenta));
    QVERIFY(root.writeSolidSkin(QStringLiteral("other"), Qt::darkYellow));
    root.writeFile(Settings, "[Main]\nSkin = default\n");
    root.writeImage(QStringLiteral("/wall/w.png"), 240, 320, Qt::darkGreen);
    root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg"),
        "[SYS_DISPLAY_SET]\nWallpaper=/wall/w.png\n");
    for (const QString &name :
        { QStringLiteral("on.sh"), QStringLiteral("off.sh"), QStringLiteral("load.sh") })
        installScript(root, name, AppFolder + name);
    installScript(root, QStringLiteral("load.sh"), AutorunScript);
}

QColor captured(const TempDeviceRoot &root, const QPoint &at = InPlugin)
{
    const QImage image(root.path(QStringLiteral("/shot.png")));
    return image.isNull() ? QColor() : image.pixelColor(at);
}

void startHost(QProcess &host, const TempDeviceRoot &root)
{
    QFile::remove(root.path(QStringLiteral("/shot.png")));
    host.start(builtProgram(QStringLiteral("kestrow-host")),
        { QStringLiteral("--root"), root.root(), QStringLiteral("--capture"),
            root.path(QStringLiteral("/shot.png")), QStringLiteral("--quit-after"), QStringLiteral("600") });
    QVERIFY(host.waitForStarted());
}

int tool(const TempDeviceRoot &root, const QString &program, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KESTROW_ROOT"), root.root());
    environment.insert(QStringLiteral("PATH"),
        QStringLiteral(KESTROW_BIN_DIR ":") + environment.value(QStringLiteral("PATH")));
    return runProgram(program, arguments, {}, Bound, environment).exitCode;
}

int script(const TempDeviceRoot &root, const QString &name)
{
    return tool(root, QStringLiteral("sh"), { root.path(AppFolder + name) });
}

/** The bus names of the processes listening on a channel: one per process. */
QStringList listeners(const QString &channel)
{
    const QString prefix = QStringLiteral("org.kestrow.QCop.c")
        + QString::fromLatin1(channel.toUtf8().toHex()) + QLatin1Char('.');
    QStringList names
        = QDBusConnection::sessionBus().interface()->registeredServiceNames().value().filter(prefix);
    names.sort();
    return names;
}

} // namespace

class HostTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void shell();
    void onStartsAHomeScreen();
    void phoneSystemMessages_data();
    void phoneSystemMessages();
    void autorunScripts();
    void watchReloadsOncePerBurst_data();
    void watchReloadsOncePerBurst();
    void noticeFor_data();
    void noticeFor();
    void failedLaunchReachesTheStatusLine();
};

void HostTest::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        QFAIL("needs a session bus of its own (ctest runs it under dbus-run-session)");
}

void HostTest::shell()
{
    TempDeviceRoot root;
    prepare(root);
    const QString shell = HomeScreenChannel::name();

    // The autorun script loads the plug-in at start; its frame lies below the host's status bar.
    QProcess host;
    startHost(host, root);
    QTRY_COMPARE_WITH_TIMEOUT(captured(root), QColor(Qt::darkMagenta), Bound);
    QCOMPARE(captured(root, QPoint(30, 225)), QColor(Qt::darkMagenta));
    QVERIFY(captured(root, QPoint(120, 10)) != QColor(Qt::darkMagenta));

    // Another process changes the skin, then tells the plug-in.
    QCOMPARE(tool(root, builtProgram(QStringLiteral("kestrow-config")),
                 { QStringLiteral("set"), root.path(Settings), QStringLiteral("Main"), QStringLiteral("Skin"),
                     QStringLiteral("other") }),
        0);
    QCOMPARE(tool(root, builtProgram(QStringLiteral("kestrow-qcop")),
                 { PluginChannel, QStringLiteral("Reload()") }),
        0);
    QTRY_COMPARE_WITH_TIMEOUT(captured(root), QColor(Qt::darkYellow), Bound);

    // off.sh: the instance and its channel go, the wallpaper alone remains; on.sh brings it back in the
    // running home screen.
    QCOMPARE(script(root, QStringLiteral("off.sh")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!QCopChannel::isRegistered(PluginChannel), Bound);
    QTRY_COMPARE_WITH_TIMEOUT(captured(root), QColor(Qt::darkGreen), Bound);
    QCOMPARE(script(root, QStringLiteral("on.sh")), 0);
    QTRY_COMPARE_WITH_TIMEOUT(captured(root), QColor(Qt::darkYellow), Bound);
    QVERIFY(QCopChannel::isRegistered(PluginChannel));
    QCOMPARE(host.state(), QProcess::Running);

    // Restart without the autorun script: it ends for a restart and comes back with the wallpaper alone.
    QVERIFY(QFile::remove(root.path(AutorunScript)));
    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Restart));
    QVERIFY(host.waitForFinished(Bound));
    QCOMPARE(host.exitCode(), HomeScreenChannel::RestartExitCode);
    QTRY_VERIFY_WITH_TIMEOUT(!QCopChannel::isRegistered(PluginChannel), Bound);
    startHost(host, root);
    QTRY_COMPARE_WITH_TIMEOUT(captured(root), QColor(Qt::darkGreen), Bound);
    QVERIFY(QCopChannel::isRegistered(shell) && !QCopChannel::isRegistered(PluginChannel));

    // With the script back the next start runs it again, and a plug-in switched off is not created.
    installScript(root, QStringLiteral("load.sh"), AutorunScript);
    root.writeFile(Settings, "[Main]\nActivated=false\n");
    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Restart));
    QVERIFY(host.waitForFinished(Bound));
    startHost(host, root);
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += host.readAllStandardError()).contains("switched off"), Bound);
    QVERIFY(!QCopChannel::isRegistered(PluginChannel));

    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Quit));
    QVERIFY(host.waitForFinished(Bound));
    QCOMPARE(host.exitCode(), 0);
}

void HostTest::onStartsAHomeScreen()
{
    TempDeviceRoot root;
    prepare(root);
    const QString shell = HomeScreenChannel::name();
    QVERIFY(!QCopChannel::isRegistered(shell));
    QCOMPARE(script(root, QStringLiteral("on.sh")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(QCopChannel::isRegistered(PluginChannel), Bound);
    // It keeps running after a restart: another process listens then, and loads the plug-in again.
    const QStringList before = listeners(shell);
    QCOMPARE(before.size(), 1);
    const QStringList pluginBefore = listeners(PluginChannel);
    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Restart));
    QTRY_VERIFY_WITH_TIMEOUT(listeners(shell).size() == 1 && listeners(shell) != before, Bound);
    QTRY_VERIFY_WITH_TIMEOUT(
        !listeners(PluginChannel).isEmpty() && listeners(PluginChannel) != pluginBefore, Bound);
    QVERIFY(QCopChannel::send(shell, HomeScreenChannel::Quit));
    QTRY_VERIFY_WITH_TIMEOUT(!QCopChannel::isRegistered(shell), Bound);
    QTRY_VERIFY_WITH_TIMEOUT(!QCopChannel::isRegistered(PluginChannel), Bound);
}

void HostTest::phoneSystemMessages_data()
{
    QTest::addColumn<QString>("events"); // the display and focus start on
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("display") << "off off toggle on" << QStringList { "LCDOff", "LCDOn" };
    QTest::newRow("screen saver") << "saver saver unsaver" << QStringList { "LCDOff", "LCDOn" };
    QTest::newRow("idle focus") << "in out out in" << QStringList { "IDLE_FOCUS_OUT", "IDLE_FOCUS_IN" };
    QTest::newRow("backlight and reload")
        << "backlight reload" << QStringList { "DPL_BKLGT_RESTORED", "Reload()" };
}

void HostTest::phoneSystemMessages()
{
    QFETCH(QString, events);
    QFETCH(QStringList, messages);
    QStringList received;
    QList<QCopChannel *> channels;
    for (const QLatin1StringView name :
        { PhoneChannels::System, PhoneChannels::IdleFocus, PhoneChannels::Plugin }) {
        channels << new QCopChannel(QString(name), this);
        connect(channels.last(), &QCopChannel::received, this,
            [&received](const QByteArray &message) { received << QString::fromLatin1(message); });
    }
    PhoneSystem system;
    for (const QString &event : events.split(u' ')) {
        if (event == QLatin1String("saver") || event == QLatin1String("unsaver"))
            QMetaObject::invokeMethod(
                &system, "screenSaverActiveChanged", Q_ARG(bool, event == QLatin1String("saver")));
        else if (event == QLatin1String("toggle"))
            system.toggleDisplay();
        else if (event == QLatin1String("on") || event == QLatin1String("off"))
            system.setDisplayOn(event == QLatin1String("on"));
        else if (event == QLatin1String("in") || event == QLatin1String("out"))
            system.setIdleFocus(event == QLatin1String("in"));
        else if (event == QLatin1String("backlight"))
            system.restoreBacklight();
        else
            system.requestReload();
    }
    QTRY_COMPARE_WITH_TIMEOUT(received, messages, Bound);
    qDeleteAll(channels);
}

void HostTest::autorunScripts()
{
    // Files named S*, in the byte order of their names; no folder, and no link that could lead anywhere.
    TempDeviceRoot root;
    const QString folder = QStringLiteral("/ezxlocal/download/mystuff/unKnown/");
    for (const char *name : { "S9b", "S10a", "Sb", "SB", "a-not-S", "S5dir/x" })
        QVERIFY(root.writeFile(folder + QLatin1String(name), "true\n"));
    QVERIFY(
        QFile::link(root.path(folder + QStringLiteral("Sb")), root.path(folder + QStringLiteral("S0link"))));
    QStringList names;
    for (const QString &path : Autorun::scripts())
        names << QFileInfo(path).fileName();
    QCOMPARE(names, (QStringList { "S10a", "S9b", "SB", "Sb" }));
}

void HostTest::watchReloadsOncePerBurst_data()
{
    QTest::addColumn<QString>("phonePath"); // saved; none: fifty changes noted at once
    QTest::newRow("burst of changes") << QString();
    QTest::newRow("skin description") << QStringLiteral("/ezxlocal/Kestrow/skin/default/skin.cfg");
    QTest::newRow("image in a sub-folder") << QStringLiteral("/ezxlocal/Kestrow/skin/default/icons/a.png");
    QTest::newRow("new file of the skin") << QStringLiteral("/ezxlocal/Kestrow/skin/default/new.png");
    QTest::newRow("settings file") << Settings;
}

void HostTest::watchReloadsOncePerBurst()
{
    QFETCH(QString, phonePath);
    TempDeviceRoot root;
    QVERIFY(root.writeFile(Settings, "[Main]\nSkin=default\n"));
    QVERIFY(root.writeSkin(QStringLiteral("default"), "[General]\nSkinName=A\n"));
    QVERIFY(root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/default/icons/a.png"), 4, 4, Qt::red));
    SkinWatcher watcher;
    QSignalSpy reloads(&watcher, &SkinWatcher::reloadDue);
    for (int i = 0; i < 50 && phonePath.isEmpty(); ++i)
        watcher.noteChange();
    if (!phonePath.isEmpty())
        QVERIFY(root.writeFile(phonePath, "changed"));
    QVERIFY(reloads.wait(Bound));
    QCOMPARE(reloads.size(), 1);
    // The next change opens a window of its own.
    watcher.noteChange();
    QVERIFY(reloads.wait(Bound));
    QCOMPARE(reloads.size(), 2);
}

void HostTest::noticeFor_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("notice");
    QTest::newRow("started") << QByteArray("app\t\t0\t1\t1\tstarted\t2026-01-01T00:00:00") << QString();
    QTest::newRow("empty slot") << QByteArray("\t\t0\t1\t1\tnot-found\tT")
                                << QStringLiteral("No application in this slot");
    QTest::newRow("failed") << QByteArray("broken\t\t0\t1\t1\tfailed\tT")
                            << QStringLiteral("Cannot start broken");
    QTest::newRow("not a log line") << QByteArray("failed") << QString();
}

void HostTest::noticeFor()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, notice);
    QCOMPARE(LaunchNotices::noticeFor(line), notice);
}

void HostTest::failedLaunchReachesTheStatusLine()
{
    TempDeviceRoot root;
    // Lines from before the home screen started are old news.
    AM_LauncherClient::launchAppObject(QStringLiteral("kestrow-old-launch"), QString(), 0, true, true);
    LaunchNotices notices;
    StatusBar bar;
    connect(&notices, &LaunchNotices::notice, &bar, &StatusBar::showNotice);
    QSignalSpy spy(&notices, &LaunchNotices::notice);
    AM_LauncherClient::launchAppObject(QStringLiteral("kestrow-no-such-app"), QString(), 0, true, true);
    QVERIFY(spy.wait(Bound));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(bar.notice(), QStringLiteral("No application kestrow-no-such-app"));
}

QTEST_MAIN(HostTest)
#include "hosttest.moc"
