// The dock bar: icon sizes normal and focused, the focused slot's name, slot order.

#include "render/skinrenderer.h"
#include "skinfixtures.h"

#include <QtTest>

namespace {

const QRgb Left = qRgb(200, 0, 0);
const QRgb Right = qRgb(0, 0, 200);
const QRgb BarColour = qRgb(0, 90, 0);

/** A 48 x 48 icon, left half one colour and right half another, so that a mirror would show. */
QImage icon48()
{
    QImage icon = solidImage(48, 48, Left);
    QPainter p(&icon);
    p.fillRect(24, 0, 24, 48, QColor::fromRgb(Right));
    return icon;
}

bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= 2 && qAbs(qGreen(a) - qGreen(b)) <= 2 && qAbs(qBlue(a) - qBlue(b)) <= 2;
}

SkinModel dockModel(int num)
{
    SkinModel model;
    SkinModel::Dock &d = model.dock;
    d.show = true;
    d.num = num;
    d.background = solidImage(240, 60, BarColour);
    d.bgLeft = 0;
    d.bgTop = 200;
    for (int i = 0; i < DockSlotCount; ++i) {
        DockSlot &s = d.slots[std::size_t(i)];
        s.left = 4 + 50 * (i % 5);
        s.top = 205 + 100 * (i / 5);
        s.sizeWidth = s.sizeHeight = 32;
        s.widgetWidth = s.widgetHeight = 40;
        s.nameFontSize = 12;
        s.nameLeft = 10;
        s.nameTop = 190;
        s.nameColor = QColor(255, 255, 0);
        s.name = QStringLiteral("相机 Camera");
        s.icon = icon48();
    }
    return model;
}

QImage drawDock(
    const SkinModel &model, int focus = -1, FrameComposition composition = FrameComposition::Plugin)
{
    SkinRenderer renderer(model, composition);
    renderer.setFocusIndex(focus);
    QImage canvas = blackCanvas();
    QPainter p(&canvas);
    renderer.drawDockBar(p);
    p.end();
    return canvas;
}

/** Checks that an unmirrored icon covers exactly width x height pixels from (x, y). */
void checkIcon(const QImage &frame, int x, int y, int width, int height)
{
    QVERIFY(near(frame.pixel(x, y), Left));
    QVERIFY(near(frame.pixel(x, y + height - 1), Left));
    QVERIFY(near(frame.pixel(x + width - 1, y), Right));
    QVERIFY(near(frame.pixel(x + width - 1, y + height - 1), Right));
    QVERIFY(!near(frame.pixel(x + width, y), Right));
    QVERIFY(!near(frame.pixel(x, y + height), Left));
}

int nameShadowPixels(const QImage &frame)
{
    return countPixels(frame, QRect(0, 160, 240, 40), [](QRgb px) { return px == qRgb(128, 128, 128); });
}

bool isYellow(QRgb px)
{
    return qRed(px) > 100 && qGreen(px) > 100 && qBlue(px) < qRed(px) / 2;
}

bool isGrey(QRgb px)
{
    return qRed(px) > 30 && qRed(px) == qGreen(px) && qGreen(px) == qBlue(px);
}

/** The bounds of the name's pixels, or of its shadow's, above the bar. */
template<typename Predicate> QRect boundsOfName(const QImage &frame, Predicate predicate)
{
    return boundsOf(frame.copy(0, 0, 240, 200), predicate);
}

} // namespace

class DockBarTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void iconSizes_data();
    void iconSizes();
    void noSlots();
    void names_data();
    void names();
    void nameShadow();
    void slotsInIndexOrder();
    void brokenIconsAndSizes();
    void previewHasNoFocus();
};

void DockBarTest::iconSizes_data()
{
    QTest::addColumn<int>("sizeWidth");
    QTest::addColumn<int>("sizeHeight");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<QSize>("drawn");
    QTest::newRow("normal") << 32 << 32 << false << QSize(32, 32);
    QTest::newRow("focused grows from the same corner") << 32 << 32 << true << QSize(40, 40);
    QTest::newRow("negative width, not mirrored") << -32 << 32 << false << QSize(32, 32);
    QTest::newRow("negative both") << -20 << -30 << false << QSize(20, 30);
    QTest::newRow("upscaled, uneven") << 47 << 61 << false << QSize(47, 61);
}

void DockBarTest::iconSizes()
{
    QFETCH(int, sizeWidth);
    QFETCH(int, sizeHeight);
    QFETCH(bool, focused);
    QFETCH(QSize, drawn);

    SkinModel model = dockModel(2);
    for (DockSlot &s : model.dock.slots) {
        s.sizeWidth = sizeWidth;
        s.sizeHeight = sizeHeight;
    }
    const QImage frame = drawDock(model, focused ? 1 : -1);
    checkIcon(frame, 54, 205, drawn.width(), drawn.height());
    // Slot 0 keeps its normal size.
    checkIcon(frame, 4, 205, std::abs(sizeWidth), std::abs(sizeHeight));
    QVERIFY(near(frame.pixel(239, 259), BarColour));
}

void DockBarTest::noSlots()
{
    SkinModel model = dockModel(0);
    model.dock.infoShow = true;
    const QImage frame = drawDock(model, 0);
    QCOMPARE(
        countPixels(frame, frame.rect(), [](QRgb px) { return px != BarColour && px != qRgb(0, 0, 0); }), 0);
    QCOMPARE(countPixels(frame, QRect(0, 200, 240, 60), [](QRgb px) { return px == BarColour; }), 240 * 60);
}

void DockBarTest::names_data()
{
    QTest::addColumn<int>("focus");
    QTest::addColumn<bool>("infoShow");
    QTest::addColumn<bool>("nameDrawn");
    QTest::newRow("focused, names on") << 2 << true << true;
    QTest::newRow("no focus, names on") << -1 << true << false;
    QTest::newRow("focused, names off") << 2 << false << false;
    QTest::newRow("focus beyond the slots in use") << 7 << true << false;
}

void DockBarTest::names()
{
    QFETCH(int, focus);
    QFETCH(bool, infoShow);
    QFETCH(bool, nameDrawn);

    SkinModel model = dockModel(5);
    model.dock.infoShow = infoShow;
    const QImage frame = drawDock(model, focus);
    const bool drawnName = !boundsOfName(frame, isYellow).isNull();
    QCOMPARE(drawnName, nameDrawn);
    QCOMPARE(nameShadowPixels(frame) > 0, nameDrawn);
    if (focus >= 0 && focus < 5)
        checkIcon(frame, 4 + 50 * focus, 205, 40, 40);
}

void DockBarTest::nameShadow()
{
    SkinModel model = dockModel(3);
    model.dock.infoShow = true;
    const QImage frame = drawDock(model, 1);
    const QRect name = boundsOfName(frame, isYellow);
    const QRect shadow = boundsOfName(frame, isGrey);
    QVERIFY(!name.isNull());
    QCOMPARE(shadow.right(), name.right() + 1);
    QCOMPARE(shadow.bottom(), name.bottom() + 1);
    QVERIFY(name.left() >= 10 && name.left() < 16);
    QVERIFY(name.bottom() <= 193 && name.bottom() > 180);
}

void DockBarTest::slotsInIndexOrder()
{
    // Slot 1 overlaps slot 0's icon and its name: it is painted after both.
    SkinModel model = dockModel(2);
    model.dock.infoShow = true;
    DockSlot &second = model.dock.slots[1];
    second.left = 20;
    second.top = 150;
    second.sizeWidth = second.sizeHeight = 100;
    second.icon = solidImage(10, 10, qRgb(0, 200, 200));
    const QImage frame = drawDock(model, 0);
    QVERIFY(near(frame.pixel(30, 215), qRgb(0, 200, 200)));
    const QRect name = boundsOfName(frame, isYellow);
    QVERIFY(!name.isNull());
    QVERIFY(name.right() < 20);
}

void DockBarTest::brokenIconsAndSizes()
{
    SkinModel model = dockModel(DockSlotCount);
    model.dock.num = 25; // more than the bar holds: only its slots are drawn
    model.dock.infoShow = true;
    model.dock.slots[0].icon = QImage(); // failed to load: nothing at all for that slot
    model.dock.slots[1].sizeWidth = 0; // no width: no icon
    model.dock.slots[2].sizeWidth = model.dock.slots[2].sizeHeight = 1000000;
    const QImage frame = drawDock(model, 0);
    QCOMPARE(boundsOfName(frame, isYellow), QRect());
    QVERIFY(near(frame.pixel(54, 205), BarColour) || frame.pixel(54, 205) == qRgb(0, 0, 0));
    // The huge icon is held to the frame: it covers the rest of the frame from its corner.
    QVERIFY(near(frame.pixel(104, 205), Left));
    QVERIFY(near(frame.pixel(239, 319), Right));
    QVERIFY(near(frame.pixel(103, 205), BarColour));
}

void DockBarTest::previewHasNoFocus()
{
    SkinModel model = dockModel(3);
    model.dock.infoShow = true;
    const QImage frame = drawDock(model, 1, FrameComposition::Preview);
    checkIcon(frame, 54, 205, 32, 32);
    QCOMPARE(boundsOfName(frame, isYellow), QRect());
}

QTEST_MAIN(DockBarTest)
#include "dockbartest.moc"
