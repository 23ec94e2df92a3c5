// What a renderer keeps from one frame to the next (laid-out text, scaled dock icons, turned
// hands) must never show in a frame once what it was made from has changed: a frame painted
// after a change is compared, pixel for pixel, with the frame of a fresh renderer.

#include "render/fixedclock.h"
#include "render/skinrenderer.h"

#include "skinfixtures.h"

#include <QTest>

#include <functional>

namespace {

const ClockReading Start { 2026, 3, 14, 9, 26, 5, 6 };

QImage handImage(int width, int height, QRgb color)
{
    QImage image = solidImage(width, height, qRgba(0, 0, 0, 0), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, width, height / 2 + 2), QColor::fromRgb(color));
    return image;
}

SkinModel skin()
{
    SkinModel m;
    m.background = solidImage(240, 320, qRgb(20, 40, 60));
    SkinModel::Analog &a = m.analog;
    a.show = true;
    a.dial = solidImage(100, 100, qRgb(90, 90, 90));
    a.hour = handImage(6, 50, qRgb(250, 30, 30));
    a.minute = handImage(4, 80, qRgb(30, 250, 30));
    a.second = handImage(2, 90, qRgb(250, 250, 30));
    a.secShow = true;
    a.left = 70, a.top = 30;
    m.lunar = { true, 12, 0xffee00, 10, 160 };
    SkinModel::Notify &n = m.notify;
    n.show = true;
    n.fontSize = 11;
    n.left = 10, n.top = 190;
    n.color = QColor(255, 255, 255);
    n.year = 2026, n.month = 4, n.day = 1;
    n.info = QStringLiteral("春游");
    SkinModel::Dock &d = m.dock;
    d.show = true;
    d.num = 3;
    d.infoShow = true;
    for (int i = 0; i < d.num; ++i) {
        DockSlot &s = d.slots[std::size_t(i)];
        QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                icon.setPixel(x, y, qRgba(8 * x, 8 * y, 80 * i, 255));
        s.icon = icon;
        s.left = 20 + 70 * i, s.top = 220;
        s.sizeWidth = s.sizeHeight = 20;
        s.widgetWidth = s.widgetHeight = 28;
        s.nameFontSize = 9, s.nameLeft = 30, s.nameTop = 215;
        s.nameColor = Qt::white;
        s.name = QStringLiteral("图库%1").arg(i);
    }
    return m;
}

QImage frameOf(const SkinModel &model, int focus, const ClockReading &at)
{
    FixedClock clock(at);
    SkinRenderer renderer(model);
    renderer.setFocusIndex(focus);
    renderer.setClock(&clock);
    renderer.setBatterySource([] { return 5; });
    renderer.setSignalSource([] { return 5; });
    return renderer.paintFrame().copy();
}

using Change = std::function<void(SkinModel &, int &focus, ClockReading &)>;

} // namespace

class FrameCacheTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changesShowInTheNextFrame_data();
    void changesShowInTheNextFrame();
};

void FrameCacheTest::changesShowInTheNextFrame_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("next second") << Change([](SkinModel &, int &, ClockReading &t) { t.second = 6; });
    QTest::newRow("next minute") << Change([](SkinModel &, int &, ClockReading &t) { t.minute = 27; });
    QTest::newRow("next hour") << Change([](SkinModel &, int &, ClockReading &t) { t.hour = 10; });
    QTest::newRow("next day") << Change(
        [](SkinModel &, int &, ClockReading &t) { t.day = 15, t.weekDay = 0; });
    QTest::newRow("focus moves") << Change([](SkinModel &, int &focus, ClockReading &) { focus = 2; });
    QTest::newRow("no focus") << Change([](SkinModel &, int &focus, ClockReading &) { focus = -1; });
    QTest::newRow("icon replaced") << Change([](SkinModel &m, int &, ClockReading &) {
        m.dock.slots[0].icon = solidImage(32, 32, qRgb(250, 0, 250), QImage::Format_ARGB32_Premultiplied);
    });
    QTest::newRow("icon size") << Change(
        [](SkinModel &m, int &, ClockReading &) { m.dock.slots[1].sizeWidth = 12; });
    QTest::newRow("hand replaced") << Change(
        [](SkinModel &m, int &, ClockReading &) { m.analog.minute = handImage(8, 70, qRgb(0, 0, 255)); });
    QTest::newRow("event renamed") << Change(
        [](SkinModel &m, int &, ClockReading &) { m.notify.info = QStringLiteral("踏青"); });
    QTest::newRow("event bold") << Change([](SkinModel &m, int &, ClockReading &) { m.notify.bold = true; });
    QTest::newRow("lunar size") << Change([](SkinModel &m, int &, ClockReading &) { m.lunar.fontSize = 16; });
    QTest::newRow("name size") << Change(
        [](SkinModel &m, int &, ClockReading &) { m.dock.slots[0].nameFontSize = 14; });
}

void FrameCacheTest::changesShowInTheNextFrame()
{
    QFETCH(Change, change);
    SkinModel model = skin();
    ClockReading at = Start;
    FixedClock clock(at);
    int focus = 0;
    SkinRenderer renderer(model);
    renderer.setFocusIndex(focus);
    renderer.setClock(&clock);
    renderer.setBatterySource([] { return 5; });
    renderer.setSignalSource([] { return 5; });
    const QImage before = renderer.paintFrame().copy();

    change(model, focus, at);
    clock.setReading(at);
    renderer.setFocusIndex(focus);
    const QImage after = renderer.paintFrame().copy();
    const QImage fresh = frameOf(model, focus, at);
    QVERIFY(after != before);
    QCOMPARE(after, fresh);
}

QTEST_MAIN(FrameCacheTest)
#include "framecachetest.moc"
