// Painting frames from small synthetic skins: the frame's layout and layer order, glyph strips,
// clock hands, the dock bar, the gauges, the countdown notice and the lunar line, and what the
// renderer keeps between frames. Pixels are checked exactly wherever a solid or row-coded image lies.

#include "platform/utilstatus.h"
#include "render/fixedclock.h"
#include "render/skinrenderer.h"
#include "testsupport.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QtMath>
#include <QtTest>

#include <functional>
#include <sys/stat.h>

namespace {

const ClockReading Noon { 2024, 3, 1, 12, 0, 0, 5 };
const QRgb Black = qRgb(0, 0, 0);

QImage solidImage(int width, int height, QRgb color, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(QColor::fromRgba(color));
    return image;
}

/** Row r has red = r % 256, green = r / 256, blue 200: a frame pixel tells which source row lies there. */
QImage rowCodedImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        QPainter(&image).fillRect(0, y, width, 1, QColor(y % 256, y / 256, 200));
    return image;
}

/** The source row of a row-coded pixel, or -1 for a pixel of another image. */
int codedRow(QRgb pixel)
{
    return qBlue(pixel) == 200 ? qRed(pixel) + 256 * qGreen(pixel) : -1;
}

/** The bounding box of the pixels whose colour satisfies a test (null when none does). */
template<typename Predicate> QRect boundsOf(const QImage &image, Predicate predicate)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (predicate(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

/** One element drawn through a renderer onto a black canvas. */
QImage drawn(const SkinModel &model, void (SkinRenderer::*draw)(QPainter &), const ClockReading &at = Noon,
    int focus = -1)
{
    FixedClock clock(at);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    renderer.setFocusIndex(focus);
    QImage canvas = solidImage(240, 320, Black);
    QPainter p(&canvas);
    (renderer.*draw)(p);
    return canvas;
}

bool near(QRgb a, QRgb b, int by = 2)
{
    return qAbs(qRed(a) - qRed(b)) <= by && qAbs(qGreen(a) - qGreen(b)) <= by
        && qAbs(qBlue(a) - qBlue(b)) <= by;
}

int pixelsOf(const QImage &frame, QRgb color, QRect area = QRect(0, 0, 240, 320))
{
    int count = 0;
    area = area.intersected(frame.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += frame.pixel(x, y) == color ? 1 : 0;
    return count;
}

QRgb layerColour(int k)
{
    return qRgb(30 + 25 * k, 255 - 25 * k, 11 * k);
}

/** Every image element as one solid 50 x 30 block: element k of `order` at (20 k, 10). */
void stackLayers(SkinModel &model, const QStringList &order)
{
    const auto x = [&order](const char *name) { return 20 * int(order.indexOf(QLatin1String(name))); };
    const auto block = [&order](const char *name, int height = 30) {
        return solidImage(50, height, layerColour(int(order.indexOf(QLatin1String(name)))));
    };
    model.battery = { true, {}, x("battery"), 10 };
    model.battery.levels.fill(block("battery"));
    model.signal = { true, {}, x("signal"), 10 };
    model.signal.levels.fill(block("signal"));
    // The digital clock and the date show one separator cell each; their digits lie off the frame.
    model.digital = { true, block("digital", 330), false, -999, 0, x("digital"), 10, -999, 0 };
    model.date = { true, block("date", 330), false, 0, 0, 0, 0, -999, 0, x("date"), 10, -999, 0 };
    model.week = { true, block("week", 210), x("week"), 10 };
    model.analog.show = true, model.analog.dial = block("analog");
    model.analog.left = x("analog"), model.analog.top = 10;
    model.dock.show = true, model.dock.background = block("dock");
    model.dock.bgLeft = x("dock"), model.dock.bgTop = 10;
    model.cover = { order.contains(QLatin1String("cover")), block("cover"), std::max(0, x("cover")), 10 };
}

// A hand whose half above the pivot (its centre) is coloured, so that it points one way.
QImage handImage(QRgb color, int width = 9, int height = 101)
{
    QImage hand = solidImage(width, height, qRgba(0, 0, 0, 0), QImage::Format_ARGB32_Premultiplied);
    QPainter(&hand).fillRect(QRect(0, 0, width, height / 2 - 4), QColor::fromRgb(color));
    return hand;
}

const QRect Dial(50, 60, 121, 121);

/** The pixel at a distance from the dial's centre in the direction of a clock angle (0 = 12 o'clock). */
QRgb pixelAlong(const QImage &frame, double angle, double radius, double sideways = 0)
{
    const double a = qDegreesToRadians(angle);
    const double x = Dial.center().x() + 0.5 + radius * std::sin(a) + sideways * std::cos(a);
    const double y = Dial.center().y() + 0.5 - radius * std::cos(a) + sideways * std::sin(a);
    return frame.pixel(int(std::floor(x)), int(std::floor(y)));
}

SkinModel analogModel(const QList<QRgb> &hands, QRgb dial = qRgba(0, 0, 0, 0))
{
    SkinModel model;
    model.analog.show = true;
    model.analog.dial = solidImage(Dial.width(), Dial.height(), dial, QImage::Format_ARGB32_Premultiplied);
    model.analog.left = Dial.left(), model.analog.top = Dial.top();
    QImage *images[] = { &model.analog.hour, &model.analog.minute, &model.analog.second };
    for (int i = 0; i < hands.size(); ++i)
        *images[i] = hands[i] ? handImage(hands[i]) : QImage();
    return model;
}

const QRgb IconLeft = qRgb(200, 0, 0);
const QRgb IconRight = qRgb(0, 0, 200);
const QRgb BarColour = qRgb(0, 90, 0);

/** Slots 50 pixels apart from (4, 205), 32 pixels (40 focused), names at (10, 190); icons whose halves
 * differ. */
SkinModel dockModel(int num, bool infoShow = true)
{
    SkinModel model;
    model.dock = { true, num, 200, 0, infoShow, {}, solidImage(240, 60, BarColour) };
    QImage icon = solidImage(48, 48, IconLeft);
    QPainter(&icon).fillRect(24, 0, 24, 48, QColor::fromRgb(IconRight));
    for (int i = 0; i < DockSlotCount; ++i)
        model.dock.slots[std::size_t(i)] = { 205, 4 + 50 * i, 32, 40, 32, 40, 12, 10, 190,
            QColor(255, 255, 0), QStringLiteral("相机 Camera"), icon };
    return model;
}

/** Checks that an unmirrored dock icon covers exactly width x height pixels from (x, y). */
void checkIcon(const QImage &frame, int x, int y, int width, int height)
{
    QVERIFY(near(frame.pixel(x, y), IconLeft) && near(frame.pixel(x, y + height - 1), IconLeft));
    QVERIFY(near(frame.pixel(x + width - 1, y + height - 1), IconRight));
    QVERIFY(!near(frame.pixel(x + width, y), IconRight) && !near(frame.pixel(x, y + height), IconLeft));
}

QRect nameBounds(const QImage &frame)
{
    return boundsOf(frame.copy(0, 0, 240, 200),
        [](QRgb px) { return qRed(px) > 100 && qGreen(px) > 100 && qBlue(px) < qRed(px) / 2; });
}

QRgb levelColour(int index)
{
    return qRgb(40 * (index + 1), 7, 7);
}

const SkinModel &gaugeModel()
{
    static const SkinModel model = [] {
        SkinModel m;
        m.battery = { true, {}, 10, 20 };
        m.signal = { true, {}, 30, 20 };
        for (int i = 0; i < SignalImageCount; ++i) {
            if (i < BatteryImageCount)
                m.battery.levels[std::size_t(i)] = solidImage(8, 8, levelColour(i));
            m.signal.levels[std::size_t(i)] = solidImage(8, 8, levelColour(i));
        }
        return m;
    }();
    return model;
}

/** Which level images the gauges drew: battery, signal (-1: none). */
QPair<int, int> gaugeImages(SkinRenderer &renderer)
{
    QImage canvas = solidImage(240, 320, Black);
    QPainter p(&canvas);
    renderer.drawBattery(p);
    renderer.drawSignal(p);
    const auto imageAt = [&canvas](int x) {
        for (int i = 0; i < SignalImageCount; ++i)
            if (canvas.pixel(x, 22) == levelColour(i))
                return i;
        return -1;
    };
    return { imageAt(12), imageAt(32) };
}

const ClockReading LeapMarch { 2024, 3, 1, 23, 59, 59, 5 }; // a leap year's 1 March, just before midnight

SkinModel notifyModel(
    unsigned year, unsigned month, unsigned day, const QString &info = QStringLiteral("生日"))
{
    SkinModel model;
    model.notify = { true, false, 14, 20, 100, QColor(255, 0, 0), year, month, day, info };
    return model;
}

} // namespace

class PaintTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pluginFrameRows_data();
    void pluginFrameRows();
    void layerOrder_data();
    void layerOrder();
    void textLayers();
    void stripCells_data();
    void stripCells();
    void handAngles_data();
    void handAngles();
    void dockBar_data();
    void dockBar();
    void dockSlotsInIndexOrder();
    void gaugeLevels_data();
    void gaugeLevels();
    void gaugesReadAgainOnChange();
    void notifyDayCount_data();
    void notifyDayCount();
    void notifyTranslated();
    void changesShowInTheNextFrame_data();
    void changesShowInTheNextFrame();
};

void PaintTest::pluginFrameRows_data()
{
    QTest::addColumn<int>("padding");
    QTest::addColumn<bool>("alpha"); // a background with an alpha channel does not hide what lies under it
    QTest::newRow("P = 6") << 6 << false;
    QTest::newRow("P = 6, alpha channel") << 6 << true;
    QTest::newRow("P too large: one row") << 100000 << false;
    QTest::newRow("P negative: at most 295 rows") << -100000 << true;
}

void PaintTest::pluginFrameRows()
{
    QFETCH(int, padding);
    QFETCH(bool, alpha);
    SkinModel model;
    model.paddingSum = padding;
    model.background = rowCodedImage(240, 320);
    if (alpha)
        model.background = model.background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    SkinRenderer renderer(model);
    const QImage frame = renderer.paintFrame();
    const int h = QFontMetrics(QGuiApplication::font()).height();
    const int height = std::clamp(295 - padding - h, 1, 295);
    QCOMPARE(frame.size(), QSize(240, height));
    // Rows 25.. of the background moved to the top for 220 - P - H rows; below them, its own rows.
    const int shifted = std::clamp(220 - padding - h, 0, height);
    for (int y = 0; y < height; ++y) {
        QCOMPARE(codedRow(frame.pixel(0, y)), y < shifted ? y + 25 : y);
        QCOMPARE(codedRow(frame.pixel(239, y)), y < shifted ? y + 25 : y);
    }
}

void PaintTest::layerOrder_data()
{
    QTest::addColumn<int>("composition");
    QTest::addColumn<QStringList>("order"); // bottom first; empty: every switch off
    QTest::newRow("plug-in") << int(FrameComposition::Plugin)
                             << QStringList { "battery", "signal", "digital", "date", "week", "analog",
                                    "dock", "cover" };
    QTest::newRow("preview, no cover")
        << int(FrameComposition::Preview)
        << QStringList { "analog", "digital", "date", "week", "battery", "signal", "dock" };
    QTest::newRow("every switch off") << int(FrameComposition::Plugin) << QStringList();
}

void PaintTest::layerOrder()
{
    QFETCH(int, composition);
    QFETCH(QStringList, order);
    SkinModel model;
    model.background = solidImage(200, 320, qRgb(0, 0, 77)); // the last 40 columns stay black
    stackLayers(model,
        order.isEmpty() ? QStringList { "battery", "signal", "digital", "date", "week", "analog", "dock" }
                        : order);
    if (order.isEmpty()) {
        model.battery.show = model.signal.show = model.digital.show = model.date.show = false;
        model.week.show = model.analog.show = model.dock.show = false;
    }
    FixedClock clock(Noon);
    SkinRenderer renderer(model, FrameComposition(composition));
    renderer.setClock(&clock);
    renderer.setBatterySource([] { return 5; });
    renderer.setSignalSource([] { return 5; });
    const QImage frame = renderer.paintFrame();
    for (int k = 0; k < std::max(int(order.size()), 7); ++k)
        QVERIFY2(frame.pixel(20 * k + 10, 20) == (order.isEmpty() ? qRgb(0, 0, 77) : layerColour(k)),
            qPrintable(order.value(k)));
    QCOMPARE(frame.pixel(200, frame.height() - 1), Black);
}

void PaintTest::textLayers()
{
    // The notice and the lunar line lie on the dock bar, the cover on everything. The lunar line
    // starts at its Left and stands on its baseline Top.
    SkinModel model = notifyModel(2024, 3, 9);
    model.notify.top = 130;
    model.dock = { true, 0, 100, 0, false, {}, solidImage(240, 60, qRgb(0, 0, 120)) };
    model.lunar = { true, 14, 0x00ff00, 10, 155 };
    FixedClock clock(Noon);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    const QRect dockArea(0, 100, 240, 60);
    QImage frame = renderer.paintFrame();
    QVERIFY(pixelsOf(frame, qRgb(255, 0, 0), dockArea) > 10);
    const QRect lunar = boundsOf(frame, [](QRgb px) { return px == qRgb(0, 255, 0); });
    QVERIFY(pixelsOf(frame, qRgb(0, 255, 0), dockArea) > 20);
    QVERIFY2(lunar.left() >= 10 && lunar.left() <= 24 && lunar.top() < 148 && lunar.bottom() <= 162
            && lunar.width() > 56,
        qPrintable(QStringLiteral("%1 %2 %3").arg(lunar.left()).arg(lunar.top()).arg(lunar.bottom())));
    model.cover = { true, solidImage(240, 60, qRgb(250, 250, 250)), 0, 100 };
    frame = renderer.paintFrame();
    QCOMPARE(pixelsOf(frame, qRgb(250, 250, 250), dockArea), 240 * 60);
}

void PaintTest::stripCells_data()
{
    // Glyphs of row-coded strips whose cells do not start at round rows (166 rows of 11 cells, 160 of 7),
    // ":" for the separator cell, " " for a place left blank.
    QTest::addColumn<QString>("element");
    QTest::addColumn<ClockReading>("at");
    QTest::addColumn<bool>("option"); // seconds shown, year shown
    QTest::addColumn<QString>("glyphs");
    QTest::newRow("leap second") << "digital" << ClockReading { 2024, 5, 6, 23, 59, 60, 1 } << true
                                 << "23:59:60";
    QTest::newRow("no seconds") << "digital" << ClockReading { 2024, 5, 6, 7, 5, 31, 1 } << false
                                << "07:05   ";
    QTest::newRow("date") << "date" << ClockReading { 2009, 3, 5, 12, 0, 0, 4 } << true << "2009:03:05";
    QTest::newRow("date, no year") << "date" << ClockReading { 2009, 3, 5, 12, 0, 0, 4 } << false
                                   << "     03:05";
    QTest::newRow("Sunday") << "week" << ClockReading { 2024, 5, 12, 9, 0, 0, 0 } << true << "0";
}

void PaintTest::stripCells()
{
    QFETCH(QString, element);
    QFETCH(ClockReading, at);
    QFETCH(bool, option);
    QFETCH(QString, glyphs);
    SkinModel model;
    const bool week = element == QLatin1String("week");
    const int width = week ? 30 : 20;
    const int cellRows = week ? 22 : 15;
    const QImage strip = rowCodedImage(width, week ? 160 : 166);
    // Tens and units one strip width apart.
    QList<QPoint> places { { 17, 33 } };
    auto draw = &SkinRenderer::drawWeek;
    model.week = { week, strip, 17, 33 };
    if (element == QLatin1String("digital")) {
        model.digital = { true, strip, option, 0, 3, 45, 5, 60, 7, 105, 9, 130, 11 };
        places
            = { { 0, 3 }, { 20, 3 }, { 45, 5 }, { 60, 7 }, { 80, 7 }, { 105, 9 }, { 130, 11 }, { 150, 11 } };
        draw = &SkinRenderer::drawDigital;
    } else if (element == QLatin1String("date")) {
        model.date = { true, strip, option, 0, 0, 85, 0, 110, 20, 155, 20, 180, 40 };
        places = { { 0, 0 }, { 20, 0 }, { 40, 0 }, { 60, 0 }, { 85, 0 }, { 110, 20 }, { 130, 20 },
            { 155, 20 }, { 180, 40 }, { 200, 40 } };
        draw = &SkinRenderer::drawDate;
    }
    const QImage frame = drawn(model, draw, at);
    for (int i = 0; i < glyphs.size(); ++i) {
        const QPoint p = places[i];
        const int first = glyphs[i] == u':' ? 10 * cellRows : (glyphs[i].unicode() - '0') * cellRows;
        QCOMPARE(codedRow(frame.pixel(p)), glyphs[i] == u' ' ? -1 : first);
        if (glyphs[i] != u' ')
            QCOMPARE(codedRow(frame.pixel(p + QPoint(width / 2, cellRows - 1))), first + cellRows - 1);
        QCOMPARE(frame.pixel(p + QPoint(width / 2, cellRows)), Black);
    }
}

void PaintTest::handAngles_data()
{
    QTest::addColumn<ClockReading>("at");
    QTest::addColumn<QList<double>>("angles"); // hour, minute, second
    // A quarter degree per minute: half-way to the next hour mark at most.
    QTest::newRow("3:40:20") << ClockReading { 2024, 1, 1, 3, 40, 20, 1 } << QList<double> { 100, 240, 120 };
    QTest::newRow("12:59:45") << ClockReading { 2024, 1, 1, 12, 59, 45, 1 }
                              << QList<double> { 14.75, 354, 270 };
    QTest::newRow("leap second") << ClockReading { 2024, 1, 1, 23, 59, 60, 1 }
                                 << QList<double> { 344.75, 354, 0 };
    // At 3:00:15 the second hand lies on the hour hand; without seconds the hour hand shows.
    QTest::newRow("stacked") << ClockReading { 2024, 1, 1, 3, 0, 15, 1 } << QList<double> { 90, 0, 90 };
}

void PaintTest::handAngles()
{
    QFETCH(ClockReading, at);
    QFETCH(QList<double>, angles);
    const QList<QRgb> colours { qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255) };
    const bool stacked = angles[0] == angles[2];
    for (int h = 0; h < 3; ++h) {
        // One hand at a time, so that each is seen on its own; all three when they lie on each other.
        QList<QRgb> hands { 0, 0, 0 };
        hands[h] = colours[h];
        SkinModel model = analogModel(stacked ? colours : hands);
        model.analog.secShow = !stacked || h == 2;
        const QImage frame = drawn(model, &SkinRenderer::drawAnalog, at);
        for (double radius : { 12.0, 25.0, 38.0 }) {
            QVERIFY2(
                near(pixelAlong(frame, angles[h], radius), colours[h], 60), qPrintable(QString::number(h)));
            QVERIFY(!near(pixelAlong(frame, angles[h], radius, 7.5), colours[h], 60));
            QVERIFY(!near(pixelAlong(frame, angles[h], radius, -7.5), colours[h], 60));
            QVERIFY(!near(pixelAlong(frame, angles[h] + 180, radius), colours[h], 60));
        }
        QVERIFY(!near(pixelAlong(frame, angles[h], 54), colours[h], 60)); // past the tip
    }
}

void PaintTest::dockBar_data()
{
    QTest::addColumn<int>("num");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("focus");
    QTest::addColumn<bool>("infoShow");
    QTest::addColumn<QSize>("expected"); // slot 1's icon
    QTest::addColumn<bool>("named");
    QTest::newRow("focused grows from its corner, named")
        << 3 << QSize(32, 32) << 1 << true << QSize(40, 40) << true;
    QTest::newRow("no focus") << 3 << QSize(32, 32) << -1 << true << QSize(32, 32) << false;
    QTest::newRow("names off") << 3 << QSize(32, 32) << 1 << false << QSize(40, 40) << false;
    QTest::newRow("focus beyond the slots in use")
        << 3 << QSize(32, 32) << 3 << true << QSize(32, 32) << false;
    QTest::newRow("negative sizes, not mirrored")
        << 3 << QSize(-20, -30) << 0 << false << QSize(20, 30) << false;
    QTest::newRow("no slots") << 0 << QSize(32, 32) << 0 << true << QSize() << false;
}

void PaintTest::dockBar()
{
    QFETCH(int, num);
    QFETCH(QSize, size);
    QFETCH(int, focus);
    QFETCH(bool, infoShow);
    QFETCH(QSize, expected);
    QFETCH(bool, named);
    SkinModel model = dockModel(num, infoShow);
    for (DockSlot &s : model.dock.slots)
        s.sizeWidth = size.width(), s.sizeHeight = size.height();
    const QImage frame = drawn(model, &SkinRenderer::drawDockBar, Noon, focus);
    if (num == 0) {
        QCOMPARE(pixelsOf(frame, BarColour) + pixelsOf(frame, Black), 240 * 320);
        return;
    }
    checkIcon(frame, 54, 205, expected.width(), expected.height());
    checkIcon(frame, 104, 205, std::abs(size.width()), std::abs(size.height())); // never focused
    QVERIFY(near(frame.pixel(239, 259), BarColour));
    // The focused slot's name at (10, 190) on its baseline, its grey shadow one pixel right and down.
    const QRect name = nameBounds(frame);
    const QRect shadow = boundsOf(frame.copy(0, 0, 240, 200),
        [](QRgb px) { return qRed(px) > 30 && qRed(px) == qGreen(px) && qGreen(px) == qBlue(px); });
    QCOMPARE(!name.isNull(), named);
    QCOMPARE(!shadow.isNull(), named);
    if (named) {
        QVERIFY(name.left() >= 10 && name.left() < 16 && name.bottom() <= 193 && name.bottom() > 180);
        QCOMPARE(shadow.bottomRight(), name.bottomRight() + QPoint(1, 1));
    }
}

void PaintTest::dockSlotsInIndexOrder()
{
    // Slot 1 overlaps slot 0's icon and its name: it is painted after both.
    SkinModel model = dockModel(2);
    model.dock.slots[1] = { 150, 20, 100, 100, 100, 100, 12, 10, 190, Qt::white, QString(),
        solidImage(10, 10, qRgb(0, 200, 200)) };
    const QImage frame = drawn(model, &SkinRenderer::drawDockBar, Noon, 0);
    QVERIFY(near(frame.pixel(30, 215), qRgb(0, 200, 200)));
    QVERIFY(nameBounds(frame).right() < 20);
}

void PaintTest::gaugeLevels_data()
{
    QTest::addColumn<int>("level"); // through a source, or a file of the device root
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("batteryImage");
    QTest::addColumn<int>("signalImage");
    const int images[][2] = { { 0, 0 }, { 0, 1 }, { 1, 2 }, { 1, 3 }, { 2, 4 }, { 3, 5 } };
    for (int level = 0; level <= 5; ++level)
        QTest::addRow("%d", level) << level << QByteArray() << images[level][0] << images[level][1];
    // Levels outside the range are held to it.
    QTest::newRow("-3 as 0") << -3 << QByteArray() << 0 << 0;
    QTest::newRow("huge as 5") << std::numeric_limits<int>::max() << QByteArray() << 3 << 5;
    QTest::newRow("file") << 0 << QByteArray(" 2\n") << 1 << 2;
    QTest::newRow("file above the range") << 0 << QByteArray("17") << 3 << 5;
    QTest::newRow("file below the range") << 0 << QByteArray("-4") << 0 << 0;
    // No number, or no file to read: the machine's own levels.
    for (const char *file : { "1x", "fifo", "zero" })
        QTest::addRow("%s", file) << 0 << QByteArray(file) << -1 << -1;
}

void PaintTest::gaugeLevels()
{
    QFETCH(int, level);
    QFETCH(QByteArray, file);
    QFETCH(int, batteryImage);
    QFETCH(int, signalImage);
    TempDeviceRoot root;
    const QPair<int, int> own(UTIL_GetBatteryLevel(), UTIL_GetSignalQuality()); // the machine's, or 5
    SkinRenderer renderer(gaugeModel());
    if (file.isEmpty()) {
        renderer.setBatterySource([level] { return level; });
        renderer.setSignalSource([level] { return level; });
    }
    for (const char *name : { "battery", "signal" }) {
        const QString phonePath = QStringLiteral("/ezxlocal/Kestrow/run/") + QLatin1String(name);
        QVERIFY(root.writeFile(phonePath, file));
        if (file == "fifo" || file == "zero") {
            QVERIFY(QFile::remove(root.path(phonePath)));
            if (file == "fifo")
                QCOMPARE(::mkfifo(QFile::encodeName(root.path(phonePath)).constData(), 0644), 0);
            else
                QVERIFY(QFile::link(QStringLiteral("/dev/zero"), root.path(phonePath)));
        }
    }
    // Without a source the renderer asks the platform, which never waits on a file that is no override.
    if (batteryImage >= 0)
        QCOMPARE(gaugeImages(renderer), qMakePair(batteryImage, signalImage));
    else
        QCOMPARE(qMakePair(UTIL_GetBatteryLevel(), UTIL_GetSignalQuality()), own);
}

void PaintTest::gaugesReadAgainOnChange()
{
    const QList<int> battery { 3, 4, 4, 1, 5, 5 };
    const QList<int> signal { 2, 2, 2, 0, 3 };
    int batteryReads = 0;
    int signalReads = 0;
    SkinRenderer renderer(gaugeModel());
    renderer.setBatterySource([&] { return battery.at(batteryReads++); });
    renderer.setSignalSource([&] { return signal.at(signalReads++); });
    // First frame: every level differs from the remembered -1, so it is read twice; the second counts.
    QCOMPARE(gaugeImages(renderer), qMakePair(2, 2));
    QCOMPARE(qMakePair(batteryReads, signalReads), qMakePair(2, 2));
    // Unchanged: one reading.
    QCOMPARE(gaugeImages(renderer), qMakePair(2, 2));
    QCOMPARE(qMakePair(batteryReads, signalReads), qMakePair(3, 3));
    // Changed: read again, and the second reading wins even when it differs from the first.
    QCOMPARE(gaugeImages(renderer), qMakePair(3, 3));
    QCOMPARE(qMakePair(batteryReads, signalReads), qMakePair(5, 5));
}

void PaintTest::notifyDayCount_data()
{
    QTest::addColumn<QList<uint>>("date");
    QTest::addColumn<QString>("text"); // empty: nothing drawn
    QTest::newRow("today") << QList<uint> { 2024, 3, 1 } << QStringLiteral("距离 生日 还有 0天");
    QTest::newRow("yesterday, a leap day")
        << QList<uint> { 2024, 2, 29 } << QStringLiteral("距离 生日 已过 1天");
    QTest::newRow("tomorrow") << QList<uint> { 2024, 3, 2 } << QStringLiteral("距离 生日 还有 1天");
    QTest::newRow("next new year") << QList<uint> { 2025, 1, 1 } << QStringLiteral("距离 生日 还有 306天");
    QTest::newRow("a year ago") << QList<uint> { 2023, 3, 1 } << QStringLiteral("距离 生日 已过 366天");
    QTest::newRow("30 February") << QList<uint> { 2024, 2, 30 } << QString();
    QTest::newRow("day 0") << QList<uint> { 2024, 5, 0 } << QString();
    QTest::newRow("no year") << QList<uint> { 0, 0, 0 } << QString();
}

void PaintTest::notifyDayCount()
{
    QFETCH(QList<uint>, date);
    QFETCH(QString, text);
    const SkinModel model = notifyModel(date[0], date[1], date[2]);
    FixedClock clock(LeapMarch);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    QCOMPARE(renderer.notifyText(), text);
    // The time of day plays no part: the same count just after midnight of the same date.
    clock.setReading(ClockReading { 2024, 3, 1, 0, 0, 0, 5 });
    QCOMPARE(renderer.notifyText(), text);
    QCOMPARE(
        pixelsOf(drawn(model, &SkinRenderer::drawNotify, LeapMarch), Black) < 240 * 320, !text.isEmpty());
}

void PaintTest::notifyTranslated()
{
    SkinModel model = notifyModel(2024, 2, 27, QStringLiteral("%2 和 %1"));
    FixedClock clock(LeapMarch);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    QCOMPARE(renderer.notifyText(), QStringLiteral("距离 %2 和 %1 已过 3天")); // the name is taken as it is
    renderer.setNotifyFormatTranslator([](const QString &format) {
        return format == QStringLiteral("距离 %1 已过 %2天") ? QStringLiteral("%2 days since %1") : format;
    });
    QCOMPARE(renderer.notifyText(), QStringLiteral("3 days since %2 和 %1"));
    model.notify.month = 3, model.notify.day = 28;
    QCOMPARE(renderer.notifyText(), QStringLiteral("距离 %2 和 %1 还有 27天"));
}

using Change = std::function<void(SkinModel &, int &focus, ClockReading &)>;

void PaintTest::changesShowInTheNextFrame_data()
{
    // What a renderer keeps from frame to frame (laid-out text, scaled icons, turned hands) must never
    // show once what it was made from has changed: the next frame is the one a fresh renderer paints.
    QTest::addColumn<Change>("change");
    QTest::newRow("next second") << Change([](SkinModel &, int &, ClockReading &t) { t.second = 6; });
    QTest::newRow("next day") << Change(
        [](SkinModel &, int &, ClockReading &t) { t.day = 15, t.weekDay = 0; });
    QTest::newRow("focus moves") << Change([](SkinModel &, int &focus, ClockReading &) { focus = 2; });
    QTest::newRow("icon replaced") << Change([](SkinModel &m, int &, ClockReading &) {
        m.dock.slots[0].icon = solidImage(32, 32, qRgb(250, 0, 250), QImage::Format_ARGB32_Premultiplied);
    });
    QTest::newRow("icon size") << Change(
        [](SkinModel &m, int &, ClockReading &) { m.dock.slots[1].sizeWidth = 12; });
    QTest::newRow("hand replaced") << Change(
        [](SkinModel &m, int &, ClockReading &) { m.analog.minute = handImage(qRgb(0, 0, 255), 8, 70); });
    QTest::newRow("event renamed") << Change(
        [](SkinModel &m, int &, ClockReading &) { m.notify.info = QStringLiteral("踏青"); });
    QTest::newRow("lunar size") << Change([](SkinModel &m, int &, ClockReading &) { m.lunar.fontSize = 16; });
    QTest::newRow("name size") << Change(
        [](SkinModel &m, int &, ClockReading &) { m.dock.slots[0].nameFontSize = 14; });
}

void PaintTest::changesShowInTheNextFrame()
{
    QFETCH(Change, change);
    SkinModel model = dockModel(3);
    model.background = solidImage(240, 320, qRgb(20, 40, 60));
    model.analog
        = analogModel({ qRgb(250, 30, 30), qRgb(30, 250, 30), qRgb(250, 250, 30) }, qRgb(90, 90, 90)).analog;
    model.lunar = { true, 12, 0xffee00, 10, 160 };
    model.notify = notifyModel(2026, 4, 1, QStringLiteral("春游")).notify;
    ClockReading at { 2026, 3, 14, 9, 26, 5, 6 };
    int focus = 0;
    FixedClock clock(at);
    const auto paint = [&](SkinRenderer &renderer) {
        clock.setReading(at);
        renderer.setFocusIndex(focus);
        renderer.setClock(&clock);
        renderer.setBatterySource([] { return 5; });
        renderer.setSignalSource([] { return 5; });
        return renderer.paintFrame().copy();
    };
    SkinRenderer renderer(model);
    const QImage before = paint(renderer);
    change(model, focus, at);
    const QImage after = paint(renderer);
    SkinRenderer fresh(model);
    QVERIFY(after != before);
    QCOMPARE(after, paint(fresh));
}

QTEST_MAIN(PaintTest)
#include "painttest.moc"
