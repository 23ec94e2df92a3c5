// A launch from the home screen that does not start is told on the status line as well as in the
// launch log; kestrow-device init gives the dock only applications that start without a terminal.

#include "host/launchnotices.h"
#include "host/statusbar.h"
#include "platform/amlauncherclient.h"
#include "platform/zconfig.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

class LaunchNoticesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void noticeFor_data();
    void noticeFor();
    void failedLaunchReachesTheStatusLine();
    void dockDefaultsStartWithoutTerminal();
};

void LaunchNoticesTest::noticeFor_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("notice");
    QTest::newRow("started") << QByteArray("app\t\t0\t1\t1\tstarted\t2026-01-01T00:00:00") << QString();
    QTest::newRow("not found") << QByteArray("gone.desktop\t\t0\t1\t1\tnot-found\tT")
                               << QStringLiteral("No application gone.desktop");
    QTest::newRow("empty slot") << QByteArray("\t\t0\t1\t1\tnot-found\tT")
                                << QStringLiteral("No application in this slot");
    QTest::newRow("failed") << QByteArray("broken\t\t0\t1\t1\tfailed\tT")
                            << QStringLiteral("Cannot start broken");
    QTest::newRow("not a log line") << QByteArray("failed") << QString();
}

void LaunchNoticesTest::noticeFor()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, notice);
    QCOMPARE(LaunchNotices::noticeFor(line), notice);
}

void LaunchNoticesTest::failedLaunchReachesTheStatusLine()
{
    TempDeviceRoot root;
    // Lines from before the home screen started are old news.
    AM_LauncherClient::launchAppObject(QStringLiteral("kestrow-old-launch"), QString(), 0, true, true);
    LaunchNotices notices;
    StatusBar bar;
    connect(&notices, &LaunchNotices::notice, &bar, &StatusBar::showNotice);
    QSignalSpy spy(&notices, &LaunchNotices::notice);
    AM_LauncherClient::launchAppObject(QStringLiteral("kestrow-no-such-app"), QString(), 0, true, true);
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("No application kestrow-no-such-app"));
    QCOMPARE(bar.notice(), QStringLiteral("No application kestrow-no-such-app"));
}

void LaunchNoticesTest::dockDefaultsStartWithoutTerminal()
{
    TempDeviceRoot data;
    const QString apps = QStringLiteral("/share/applications/");
    const QByteArray head = "[Desktop Entry]\nType=Application\n";
    QVERIFY(data.writeFile(
        apps + QStringLiteral("a-shell.desktop"), head + "Name=Shell\nExec=sh\nTerminal=true\n"));
    QVERIFY(data.writeFile(
        apps + QStringLiteral("b-gone.desktop"), head + "Name=Gone\nExec=kestrow-no-such-program\n"));
    QVERIFY(data.writeFile(apps + QStringLiteral("c-true.desktop"), head + "Name=True\nExec=true\n"));
    TempDeviceRoot device;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_DIRS"), data.path(QStringLiteral("/share")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), data.path(QStringLiteral("/home")));
    const ProgramRun run = runProgram(builtProgram(QStringLiteral("kestrow-device")),
        { QStringLiteral("init"), device.root() }, {}, 120000, env);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    const ZConfig settings(device.path(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg")));
    QCOMPARE(settings.readEntry(QStringLiteral("DockBar"), QStringLiteral("Exec0")),
        QStringLiteral("c-true.desktop"));
    for (int slot = 1; slot < 5; ++slot)
        QCOMPARE(
            settings.readEntry(QStringLiteral("DockBar"), QStringLiteral("Exec%1").arg(slot)), QString());
}

QTEST_MAIN(LaunchNoticesTest)
#include "launchnoticestest.moc"
