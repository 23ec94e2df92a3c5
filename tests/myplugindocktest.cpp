#include "pluginscreen.h"

#include <QtTest>

namespace {

using namespace PhoneKeys;

/** Each launch of the log as "id|arguments|initiator|flags". */
QStringList launches(const TempDeviceRoot &root)
{
    QFile log(root.path(QStringLiteral("/ezxlocal/Kestrow/run/launches.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList result;
    for (const QByteArray &line : log.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() >= 5)
            result.append(QString::fromUtf8(
                fields[0] + '|' + fields[1] + '|' + fields[2] + '|' + fields[3] + fields[4]));
    }
    return result;
}

} // namespace

class MyPluginDockTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keys_data();
    void keys();
    void selectReadsExecAtThatMoment();
    void otherEventValuesDoNothing();
};

void MyPluginDockTest::keys_data()
{
    QTest::addColumn<bool>("dock");
    QTest::addColumn<int>("num");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("foci");
    QTest::addColumn<QStringList>("launched");

    const QList<int> fourRights { Right, Right, Right, Right };
    const QList<int> fourLefts { Left, Left, Left, Left };
    QTest::newRow("num 3 right") << true << 3 << fourRights << QList<int> { 0, 1, 2, 0 } << QStringList();
    QTest::newRow("num 3 left") << true << 3 << fourLefts << QList<int> { 2, 1, 0, -1 } << QStringList();
    QTest::newRow("num 3 left wraps again") << true << 3 << QList<int> { Left, Left, Left, Left, Left }
                                            << QList<int> { 2, 1, 0, -1, 2 } << QStringList();
    QTest::newRow("num 1 right stays")
        << true << 1 << QList<int> { Right, Right } << QList<int> { 0, 0 } << QStringList();
    QTest::newRow("num 1 left") << true << 1 << QList<int> { Right, Left, Left } << QList<int> { 0, -1, 0 }
                                << QStringList();
    QTest::newRow("num 0 moves nothing")
        << true << 0 << QList<int> { Right, Left, Select } << QList<int> { -1, -1, -1 } << QStringList();
    QTest::newRow("select without focus")
        << true << 3 << QList<int> { Select } << QList<int> { -1 } << QStringList();
    QTest::newRow("select slot 2") << true << 3 << QList<int> { Left, Select } << QList<int> { 2, 2 }
                                   << QStringList { QStringLiteral("app.two|") };
    QTest::newRow("up and down with the dock")
        << true << 3 << QList<int> { Up, Down } << QList<int> { -1, -1 }
        << QStringList { QStringLiteral("nav.three|"), QStringLiteral("nav.one|") };
    QTest::newRow("dock hidden") << false << 3 << QList<int> { Left, Right, Up, Down, Select }
                                 << QList<int> { -1, -1, -1, -1, -1 }
                                 << QStringList { QStringLiteral("nav.four|"), QStringLiteral("nav.two|"),
                                        QStringLiteral("nav.three|"), QStringLiteral("nav.one|") };
    QTest::newRow("other keys") << true << 3 << QList<int> { 0x1016, 0x41, 0 } << QList<int> { -1, -1, -1 }
                                << QStringList();
}

void MyPluginDockTest::keys()
{
    QFETCH(bool, dock);
    QFETCH(int, num);
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, foci);
    QFETCH(QStringList, launched);

    TempDeviceRoot root;
    QVERIFY(writeDockSkin(root, dock, num));
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"),
        "[DockBar]\nExec0=app.zero\nExec1=app.one\nExec2=app.two\n");
    root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_idle.cfg"),
        "[NaviKeyPlugin]\nShortcutID1=nav.one\nShortcutID2=nav.two\nShortcutID3=nav.three\nShortcutID4=nav."
        "four\n");
    PluginScreen screen;
    QVERIFY(screen.isExposed());
    screen.plugin->initialize();
    for (int i = 0; i < keys.size(); ++i) {
        screen.press(keys[i]);
        screen.plugin->timerEvent();
        QCOMPARE(screen.focusShown(), foci[i]);
    }
    QStringList expected;
    for (const QString &id : launched)
        expected.append(id + QStringLiteral("|0|11"));
    QCOMPARE(launches(root), expected);
}

void MyPluginDockTest::selectReadsExecAtThatMoment()
{
    TempDeviceRoot root;
    QVERIFY(writeDockSkin(root, true, 3));
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), "[DockBar]\nExec2=before\n");
    PluginScreen screen;
    QVERIFY(screen.isExposed());
    screen.plugin->initialize();
    screen.press(Left);
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), "[DockBar]\nExec2=after\nExec1=x\n");
    screen.press(Select);
    const int frames = screen.framesShown();
    screen.press(Right); // 2 -> wraps to 0
    screen.press(Select); // slot 0 has no Exec: the empty id
    QCOMPARE(screen.framesShown(), frames + 1);
    QCOMPARE(screen.focusShown(), 0);
    QCOMPARE(launches(root), (QStringList { QStringLiteral("after||0|11"), QStringLiteral("||0|11") }));
}

void MyPluginDockTest::otherEventValuesDoNothing()
{
    TempDeviceRoot root;
    QVERIFY(writeDockSkin(root, true, 3));
    PluginScreen screen;
    QVERIFY(screen.isExposed());
    screen.plugin->initialize();
    for (int value : { 0, 2, -1 }) {
        for (int key : { Select, Left, Up, Right, Down })
            screen.press(key, value);
    }
    QCOMPARE(screen.framesShown(), 0);
    screen.plugin->timerEvent();
    QCOMPARE(screen.focusShown(), -1);
    QVERIFY(launches(root).isEmpty());
}

QTEST_MAIN(MyPluginDockTest)
#include "myplugindocktest.moc"
