// Whole frames: the plug-in's height and shifted background, the preview's
// plain one, and the order in which the layers cover each other.

#include "render/fixedclock.h"
#include "render/skinrenderer.h"
#include "skinfixtures.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QtTest>

namespace {

const ClockReading Noon { 2024, 3, 1, 12, 0, 0, 5 };

int lineHeight()
{
    return QFontMetrics(QGuiApplication::font()).height();
}

QRgb layerColour(int k)
{
    return qRgb(30 + 25 * k, 255 - 25 * k, 11 * k);
}

const int Off = -1000; // a position that puts a cell outside the frame

/** Every image element as one solid 50 x 30 block: element k of `order` at (20 k, 10). */
void stackLayers(SkinModel &model, const QStringList &order)
{
    const auto place = [&order](const QString &name) { return QPoint(20 * int(order.indexOf(name)), 10); };
    const auto colour = [&order](const QString &name) { return layerColour(int(order.indexOf(name))); };
    const auto block = [](QRgb c) { return solidImage(50, 30, c); };

    model.battery.show = true;
    model.battery.levels.fill(block(colour(QStringLiteral("battery"))));
    model.battery.left = place(QStringLiteral("battery")).x(), model.battery.top = 10;
    model.signal.show = true;
    model.signal.levels.fill(block(colour(QStringLiteral("signal"))));
    model.signal.left = place(QStringLiteral("signal")).x(), model.signal.top = 10;

    SkinModel::Digital &d = model.digital;
    d.show = true;
    d.strip = solidImage(50, 330, colour(QStringLiteral("digital")));
    d.hourLeft = d.minLeft = d.secLeft = Off;
    d.colon0Left = place(QStringLiteral("digital")).x(), d.colon0Top = 10;
    SkinModel::Date &t = model.date;
    t.show = true;
    t.strip = solidImage(50, 330, colour(QStringLiteral("date")));
    t.monLeft = t.dayLeft = Off;
    t.mdLeft = place(QStringLiteral("date")).x(), t.mdTop = 10;
    model.week.show = true;
    model.week.strip = solidImage(50, 210, colour(QStringLiteral("week")));
    model.week.left = place(QStringLiteral("week")).x(), model.week.top = 10;
    model.analog.show = true;
    model.analog.dial = block(colour(QStringLiteral("analog")));
    model.analog.left = place(QStringLiteral("analog")).x(), model.analog.top = 10;
    model.dock.show = true;
    model.dock.num = 0;
    model.dock.background = block(colour(QStringLiteral("dock")));
    model.dock.bgLeft = place(QStringLiteral("dock")).x(), model.dock.bgTop = 10;
    model.cover.show = true;
    model.cover.image
        = block(order.contains(QStringLiteral("cover")) ? colour(QStringLiteral("cover")) : 0xff123456);
    model.cover.left = order.contains(QStringLiteral("cover")) ? place(QStringLiteral("cover")).x() : 0;
    model.cover.top = 10;
}

/** Checks that in each element's own band of columns that element is the one on top. */
void checkStack(const QImage &frame, const QStringList &order)
{
    for (int k = 0; k < order.size(); ++k)
        QVERIFY2(frame.pixel(20 * k + 10, 20) == layerColour(k), qPrintable(order[k]));
}

} // namespace

class FrameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pluginFrameRows_data();
    void pluginFrameRows();
    void uncoveredColumnsAreBlack();
    void centreOnly();
    void pluginLayerOrder();
    void textLayersAndCover();
    void previewFrame();
    void frameBufferIsKept();
};

void FrameTest::pluginFrameRows_data()
{
    QTest::addColumn<int>("padding");
    QTest::addColumn<bool>("alphaFormat");
    QTest::newRow("P = 6") << 6 << false;
    QTest::newRow("P = 6, background with alpha channel") << 6 << true;
    QTest::newRow("P = 0") << 0 << false;
    QTest::newRow("P = 100") << 100 << false;
    QTest::newRow("P too large: one row") << 100000 << false;
    QTest::newRow("P negative: at most 295 rows") << -100000 << true;
}

void FrameTest::pluginFrameRows()
{
    QFETCH(int, padding);
    QFETCH(bool, alphaFormat);

    SkinModel model;
    model.paddingSum = padding;
    model.background = rowCodedImage(240, 320);
    if (alphaFormat)
        model.background = model.background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    SkinRenderer renderer(model);
    const QImage frame = renderer.paintFrame();

    const int h = lineHeight();
    const int height = std::clamp(295 - padding - h, 1, 295);
    QCOMPARE(frame.size(), QSize(240, height));
    // Rows 25.. of the background moved to the top for 220 - P - H rows; below them, the
    // background's own rows.
    const int shifted = std::clamp(220 - padding - h, 0, height);
    for (int y = 0; y < height; ++y) {
        const int expected = y < shifted ? y + 25 : y;
        QCOMPARE(codedRow(frame.pixel(0, y)), expected);
        QCOMPARE(codedRow(frame.pixel(239, y)), expected);
    }
}

void FrameTest::uncoveredColumnsAreBlack()
{
    SkinModel model;
    model.background = solidImage(200, 100, qRgb(0, 0, 255));
    SkinRenderer renderer(model);
    for (FrameComposition composition : { FrameComposition::Plugin, FrameComposition::Preview }) {
        renderer.setComposition(composition);
        const QImage frame = renderer.paintFrame();
        QCOMPARE(frame.pixel(199, 0), qRgb(0, 0, 255));
        QCOMPARE(frame.pixel(200, 0), qRgb(0, 0, 0));
        QCOMPARE(frame.pixel(0, 100), qRgb(0, 0, 0));
        QCOMPARE(frame.pixel(239, frame.height() - 1), qRgb(0, 0, 0));
    }
    model.background = QImage();
    QCOMPARE(countPixels(
                 renderer.paintFrame(), QRect(0, 0, 240, 320), [](QRgb px) { return px != qRgb(0, 0, 0); }),
        0);
}

void FrameTest::centreOnly()
{
    // Every switch off: the shifted background and the centre image, nothing else, even where
    // the skin's elements have images and positions.
    SkinModel model;
    model.background = rowCodedImage(240, 320);
    stackLayers(model,
        { QStringLiteral("battery"), QStringLiteral("signal"), QStringLiteral("digital"),
            QStringLiteral("date"), QStringLiteral("week"), QStringLiteral("analog"), QStringLiteral("dock"),
            QStringLiteral("cover") });
    model.battery.show = model.signal.show = model.digital.show = model.date.show = false;
    model.week.show = model.analog.show = model.dock.show = model.cover.show = false;
    model.centre = solidImage(240, 320, qRgba(0, 0, 0, 0), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&model.centre);
        p.fillRect(100, 100, 20, 20, Qt::white);
    }
    SkinRenderer renderer(model);
    renderer.setBatterySource([] { return 3; });
    renderer.setSignalSource([] { return 3; });
    const QImage frame = renderer.paintFrame();
    QCOMPARE(frame.pixel(110, 110), qRgb(255, 255, 255));
    QCOMPARE(codedRow(frame.pixel(30, 20)), 45);
    QCOMPARE(codedRow(frame.pixel(99, 110)), 135);
}

void FrameTest::pluginLayerOrder()
{
    const QStringList order { QStringLiteral("battery"), QStringLiteral("signal"), QStringLiteral("digital"),
        QStringLiteral("date"), QStringLiteral("week"), QStringLiteral("analog"), QStringLiteral("dock"),
        QStringLiteral("cover") };
    SkinModel model;
    model.background = solidImage(240, 320, qRgb(0, 0, 0));
    stackLayers(model, order);
    FixedClock clock(Noon);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    renderer.setBatterySource([] { return 5; });
    renderer.setSignalSource([] { return 5; });
    checkStack(renderer.paintFrame(), order);
}

void FrameTest::textLayersAndCover()
{
    SkinModel model;
    model.background = solidImage(240, 320, qRgb(0, 0, 0));
    model.dock.show = true;
    model.dock.num = 0;
    model.dock.background = solidImage(240, 60, qRgb(0, 0, 120));
    model.dock.bgTop = 100;
    SkinModel::Notify &n = model.notify;
    n.show = true;
    n.fontSize = 14;
    n.left = 10;
    n.top = 130;
    n.color = QColor(255, 0, 0);
    n.year = 2024, n.month = 3, n.day = 9;
    n.info = QStringLiteral("生日");
    SkinModel::Lunar &l = model.lunar;
    l.show = true;
    l.fontSize = 14;
    l.color = 0x00ff00;
    l.left = 10;
    l.top = 155;
    model.cover.image = solidImage(240, 60, qRgb(250, 250, 250));
    model.cover.top = 100;
    FixedClock clock(Noon);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);

    // The notice and the lunar date lie on the dock bar.
    QImage frame = renderer.paintFrame();
    const QRect dockArea(0, 100, 240, 60);
    QVERIFY(countPixels(frame, dockArea, [](QRgb px) { return px == qRgb(255, 0, 0); }) > 10);
    QVERIFY(countPixels(frame, dockArea, [](QRgb px) { return px == qRgb(0, 255, 0); }) > 10);

    // The cover lies on everything.
    model.cover.show = true;
    frame = renderer.paintFrame();
    QCOMPARE(countPixels(frame, dockArea, [](QRgb px) { return px == qRgb(250, 250, 250); }), 240 * 60);
}

void FrameTest::previewFrame()
{
    const QStringList order { QStringLiteral("analog"), QStringLiteral("digital"), QStringLiteral("date"),
        QStringLiteral("week"), QStringLiteral("battery"), QStringLiteral("signal"), QStringLiteral("dock") };
    SkinModel model;
    model.paddingSum = 6;
    model.background = rowCodedImage(240, 320);
    stackLayers(model, order);
    model.cover.left = 0;
    model.cover.top = 200; // shown by the plug-in; the preview has no cover
    FixedClock clock(Noon);
    SkinRenderer renderer(model);
    renderer.setComposition(FrameComposition::Preview);
    renderer.setClock(&clock);
    renderer.setBatterySource([] { return 5; });
    renderer.setSignalSource([] { return 5; });
    const QImage frame = renderer.paintFrame();
    QCOMPARE(frame.size(), QSize(240, 320));
    checkStack(frame, order);
    // The whole background in place: no shift, no shortening, no cover.
    for (int y : { 0, 9, 45, 200, 215, 319 }) {
        QCOMPARE(codedRow(frame.pixel(10, y)), y);
        QCOMPARE(codedRow(frame.pixel(239, y)), y);
    }
}

void FrameTest::frameBufferIsKept()
{
    SkinModel model;
    model.background = rowCodedImage(240, 320);
    SkinRenderer renderer(model);
    const uchar *bits = renderer.paintFrame().constBits();
    QCOMPARE(renderer.paintFrame().constBits(), bits);
    QCOMPARE(renderer.frame().constBits(), bits);
}

QTEST_MAIN(FrameTest)
#include "frametest.moc"
