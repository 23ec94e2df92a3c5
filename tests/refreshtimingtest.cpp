// When the plug-in paints: its ticks fall on the clock's whole seconds, and a reloaded skin is on the
// screen at once rather than at the next tick.

#include "platform/phonechannels.h"
#include "plugin/secondticks.h"
#include "pluginscreen.h"

#include <QTest>

class RefreshTimingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nextInterval_data();
    void nextInterval();
    void reloadedSkinIsShownAtOnce();
};

void RefreshTimingTest::nextInterval_data()
{
    QTest::addColumn<int>("msec");
    QTest::addColumn<int>("interval");
    QTest::newRow("on the second") << 0 << 1000;
    QTest::newRow("just after it") << 3 << 1000;
    QTest::newRow("a little late") << 20 << 981;
    QTest::newRow("half way") << 500 << 501;
    QTest::newRow("just before the next") << 999 << 2;
}

void RefreshTimingTest::nextInterval()
{
    QFETCH(int, msec);
    QFETCH(int, interval);
    QCOMPARE(SecondTicks::nextInterval(msec), interval);
    // Where the next tick lands: on the next whole second or just after it.
    if (interval != SecondTicks::Period)
        QCOMPARE((msec + interval) % 1000, 1);
}

void RefreshTimingTest::reloadedSkinIsShownAtOnce()
{
    TempDeviceRoot root;
    for (const auto &[name, colour] : { std::pair { "red", Qt::red }, std::pair { "blue", Qt::blue } }) {
        const QString skin = QString::fromLatin1(name);
        QVERIFY(
            root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/%1/mid.png").arg(skin), 240, 320, colour));
        QVERIFY(root.writeSkin(skin, "[Background]\nMidIMG=mid.png\n"));
    }
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), "[Main]\nSkin=red\n"));
    PluginScreen screen;
    QVERIFY(screen.isExposed());
    screen.plugin->initialize();
    screen.plugin->start();
    screen.plugin->focusIn();
    QTRY_COMPARE_WITH_TIMEOUT(screen.shown().pixelColor(10, 10), QColor(Qt::red), 10000);
    // No tick comes in the time this test may take: only the reload can paint.
    screen.timer()->start(3600 * 1000);

    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), "[Main]\nSkin=blue\n"));
    screen.plugin->slotSystemMessage(QByteArray(PhoneChannels::Reload), QByteArray());
    QTRY_COMPARE_WITH_TIMEOUT(screen.shown().pixelColor(10, 10), QColor(Qt::blue), 10000);
}

QTEST_MAIN(RefreshTimingTest)
#include "refreshtimingtest.moc"
