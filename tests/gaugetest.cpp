// Battery and signal gauges: the level-to-image table, the reading rule and
// the platform's level sources.

#include "platform/utilstatus.h"
#include "render/skinrenderer.h"
#include "skinfixtures.h"
#include "testsupport.h"

#include <QtTest>

#include <sys/stat.h>

namespace {

QRgb levelColour(int index)
{
    return qRgb(40 * (index + 1), 7, 7);
}

SkinModel gaugeModel()
{
    SkinModel model;
    model.battery.show = true;
    model.battery.left = 10;
    model.battery.top = 20;
    for (int i = 0; i < BatteryImageCount; ++i)
        model.battery.levels[std::size_t(i)] = solidImage(8, 8, levelColour(i));
    model.signal.show = true;
    model.signal.left = 30;
    model.signal.top = 20;
    for (int i = 0; i < SignalImageCount; ++i)
        model.signal.levels[std::size_t(i)] = solidImage(8, 8, levelColour(i));
    return model;
}

/** Which level image a gauge drew at (x, y), or -1. */
int imageAt(const QImage &frame, int x, int y)
{
    for (int i = 0; i < SignalImageCount; ++i)
        if (frame.pixel(x, y) == levelColour(i))
            return i;
    return -1;
}

struct Drawn {
    int battery;
    int signal;
};

Drawn drawGauges(SkinRenderer &renderer)
{
    QImage canvas = blackCanvas();
    QPainter p(&canvas);
    renderer.drawBattery(p);
    renderer.drawSignal(p);
    p.end();
    return { imageAt(canvas, 12, 22), imageAt(canvas, 32, 22) };
}

} // namespace

class GaugeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void levelImages_data();
    void levelImages();
    void readsAgainOnChange();
    void platformOverrideFiles();
};

void GaugeTest::levelImages_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("batteryImage");
    QTest::addColumn<int>("signalImage");
    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("1") << 1 << 0 << 1;
    QTest::newRow("2") << 2 << 1 << 2;
    QTest::newRow("3") << 3 << 1 << 3;
    QTest::newRow("4") << 4 << 2 << 4;
    QTest::newRow("5") << 5 << 3 << 5;
    // Levels outside the range are held to it.
    QTest::newRow("-3 as 0") << -3 << 0 << 0;
    QTest::newRow("9 as 5") << 9 << 3 << 5;
    QTest::newRow("huge as 5") << std::numeric_limits<int>::max() << 3 << 5;
}

void GaugeTest::levelImages()
{
    QFETCH(int, level);
    QFETCH(int, batteryImage);
    QFETCH(int, signalImage);

    SkinModel model = gaugeModel();
    SkinRenderer renderer(model);
    renderer.setBatterySource([level] { return level; });
    renderer.setSignalSource([level] { return level; });
    const Drawn drawn = drawGauges(renderer);
    QCOMPARE(drawn.battery, batteryImage);
    QCOMPARE(drawn.signal, signalImage);
}

void GaugeTest::readsAgainOnChange()
{
    SkinModel model = gaugeModel();
    SkinRenderer renderer(model);
    QList<int> batteryReadings { 3, 4, 4, 1, 5, 5 };
    int batteryReads = 0;
    renderer.setBatterySource([&] { return batteryReadings.at(batteryReads++); });
    QList<int> signalReadings { 2, 2, 2, 0, 3 };
    int signalReads = 0;
    renderer.setSignalSource([&] { return signalReadings.at(signalReads++); });

    // First frame after a load: every level differs from the remembered -1, so it is read twice
    // and the second reading is shown.
    Drawn drawn = drawGauges(renderer);
    QCOMPARE(batteryReads, 2);
    QCOMPARE(drawn.battery, 2);
    QCOMPARE(signalReads, 2);
    QCOMPARE(drawn.signal, 2);

    // Unchanged: one reading.
    drawn = drawGauges(renderer);
    QCOMPARE(batteryReads, 3);
    QCOMPARE(drawn.battery, 2);
    QCOMPARE(signalReads, 3);

    // Changed: read again, and the second reading wins even when it differs from the first.
    drawn = drawGauges(renderer);
    QCOMPARE(batteryReads, 5);
    QCOMPARE(drawn.battery, 3);
    QCOMPARE(signalReads, 5);
    QCOMPARE(drawn.signal, 3);
}

void GaugeTest::platformOverrideFiles()
{
    TempDeviceRoot root;
    QVERIFY(root.isValid());

    // Without an override the machine's own levels (or 5) are reported, always within range.
    QVERIFY(UTIL_GetBatteryLevel() >= 0 && UTIL_GetBatteryLevel() <= 5);
    QVERIFY(UTIL_GetSignalQuality() >= 0 && UTIL_GetSignalQuality() <= 5);

    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/battery"), "2\n"));
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/signal"), " 0 "));
    QCOMPARE(UTIL_GetBatteryLevel(), 2);
    QCOMPARE(UTIL_GetSignalQuality(), 0);

    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/battery"), "17"));
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/signal"), "-4"));
    QCOMPARE(UTIL_GetBatteryLevel(), 5);
    QCOMPARE(UTIL_GetSignalQuality(), 0);

    // A file that holds no number is no override.
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/battery"), "full"));
    QVERIFY(UTIL_GetBatteryLevel() >= 0 && UTIL_GetBatteryLevel() <= 5);

    // The renderer asks the platform when no source is set.
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/battery"), "4"));
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/signal"), "1"));
    SkinModel model = gaugeModel();
    SkinRenderer renderer(model);
    const Drawn drawn = drawGauges(renderer);
    QCOMPARE(drawn.battery, 2);
    QCOMPARE(drawn.signal, 1);

    // A named pipe, a folder or a link to an endless device is no override, and is never waited on.
    QVERIFY(QFile::remove(root.path(QStringLiteral("/ezxlocal/Kestrow/run/battery"))));
    QVERIFY(QFile::remove(root.path(QStringLiteral("/ezxlocal/Kestrow/run/signal"))));
    QCOMPARE(
        ::mkfifo(
            QFile::encodeName(root.path(QStringLiteral("/ezxlocal/Kestrow/run/battery"))).constData(), 0644),
        0);
    QVERIFY(
        QFile::link(QStringLiteral("/dev/zero"), root.path(QStringLiteral("/ezxlocal/Kestrow/run/signal"))));
    QVERIFY(UTIL_GetBatteryLevel() >= 0 && UTIL_GetBatteryLevel() <= 5);
    QVERIFY(UTIL_GetSignalQuality() >= 0 && UTIL_GetSignalQuality() <= 5);
}

QTEST_MAIN(GaugeTest)
#include "gaugetest.moc"
