// The clock faces, the date and the week day, drawn from synthetic strips.

#include "render/fixedclock.h"
#include "render/skinrenderer.h"
#include "skinfixtures.h"

#include <QtMath>
#include <QtTest>

namespace {

// Rows at which the cells of an 11-cell strip 166 rows high begin: 15-row
// cells whose offsets are not multiples of 15.
const int StripRows = 166;
const int CellStart[11] = { 0, 15, 30, 45, 60, 75, 90, 105, 120, 135, 150 };
const int CellRows = 15;
const int DigitWidth = 20;

ClockReading reading(int year, int month, int day, int hour, int minute, int second, int weekDay = 0)
{
    return ClockReading { year, month, day, hour, minute, second, weekDay };
}

/** Draws one element through the renderer onto a black canvas. */
template<typename Draw> QImage drawWith(SkinModel &model, const ClockReading &at, Draw draw, int height = 320)
{
    FixedClock clock(at);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    QImage canvas = blackCanvas(240, height);
    QPainter p(&canvas);
    draw(renderer, p);
    p.end();
    return canvas;
}

/** Checks that the digit cell c, whole and nothing more, lies at (x, y). */
void checkCell(const QImage &frame, int x, int y, int c)
{
    const int column = x + DigitWidth / 2;
    QCOMPARE(codedRow(frame.pixel(column, y)), CellStart[c]);
    QCOMPARE(codedRow(frame.pixel(column, y + CellRows - 1)), CellStart[c] + CellRows - 1);
    QCOMPARE(frame.pixel(column, y + CellRows), qRgb(0, 0, 0));
}

bool isColour(QRgb pixel, QRgb wanted)
{
    return qAbs(qRed(pixel) - qRed(wanted)) < 60 && qAbs(qGreen(pixel) - qGreen(wanted)) < 60
        && qAbs(qBlue(pixel) - qBlue(wanted)) < 60;
}

// A hand 9 pixels wide and 101 high, pivot at its centre: the half above the
// pivot is coloured, the rest transparent, so that the hand points one way.
QImage handImage(QRgb color)
{
    QImage hand = solidImage(9, 101, qRgba(0, 0, 0, 0), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&hand);
    p.fillRect(QRect(0, 0, 9, 46), QColor::fromRgb(color));
    return hand;
}

const int DialLeft = 50;
const int DialTop = 60;
const int DialSize = 121;

/** The pixel at a distance from the dial's centre in the direction of a clock angle (0 = 12 o'clock). */
QRgb pixelAlong(const QImage &frame, double angle, double radius, double sideways = 0)
{
    const double cx = DialLeft + DialSize / 2.0;
    const double cy = DialTop + DialSize / 2.0;
    const double a = qDegreesToRadians(angle);
    const double x = cx + radius * std::sin(a) + sideways * std::cos(a);
    const double y = cy - radius * std::cos(a) + sideways * std::sin(a);
    return frame.pixel(int(std::floor(x)), int(std::floor(y)));
}

} // namespace

class ClockFaceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void digitalCells_data();
    void digitalCells();
    void dateCells_data();
    void dateCells();
    void weekCell_data();
    void weekCell();
    void handAngles_data();
    void handAngles();
    void handPlacementAtQuarter();
    void handsStackAndSecondSwitch();
};

void ClockFaceTest::digitalCells_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("secShow");
    QTest::addColumn<QList<int>>("cells");

    QTest::newRow("midnight") << 0 << 0 << 0 << true << QList<int> { 0, 0, 10, 0, 0, 10, 0, 0 };
    QTest::newRow("last second") << 23 << 59 << 59 << true << QList<int> { 2, 3, 10, 5, 9, 10, 5, 9 };
    QTest::newRow("leap second") << 23 << 59 << 60 << true << QList<int> { 2, 3, 10, 5, 9, 10, 6, 0 };
    QTest::newRow("morning, no seconds") << 7 << 5 << 31 << false << QList<int> { 0, 7, 10, 0, 5 };
    QTest::newRow("afternoon is 24-hour") << 19 << 48 << 7 << true << QList<int> { 1, 9, 10, 4, 8, 10, 0, 7 };
}

void ClockFaceTest::digitalCells()
{
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, second);
    QFETCH(bool, secShow);
    QFETCH(QList<int>, cells);

    SkinModel model;
    SkinModel::Digital &d = model.digital;
    d.show = true;
    d.strip = rowCodedImage(DigitWidth, StripRows);
    d.secShow = secShow;
    d.hourLeft = 0, d.hourTop = 3;
    d.colon0Left = 45, d.colon0Top = 5;
    d.minLeft = 60, d.minTop = 7;
    d.colon1Left = 105, d.colon1Top = 9;
    d.secLeft = 130, d.secTop = 11;

    const QImage frame = drawWith(model, reading(2024, 5, 6, hour, minute, second),
        [](SkinRenderer &r, QPainter &p) { r.drawDigital(p); });
    // The units digit sits one strip width right of its tens digit.
    const QList<QPoint> places { { 0, 3 }, { 20, 3 }, { 45, 5 }, { 60, 7 }, { 80, 7 }, { 105, 9 },
        { 130, 11 }, { 150, 11 } };
    for (int i = 0; i < cells.size(); ++i)
        checkCell(frame, places[i].x(), places[i].y(), cells[i]);
    if (!secShow)
        QCOMPARE(countPixels(frame, QRect(100, 0, 140, 40), [](QRgb px) { return codedRow(px) >= 0; }), 0);
}

void ClockFaceTest::dateCells_data()
{
    QTest::addColumn<bool>("yearShow");
    QTest::newRow("year shown") << true;
    QTest::newRow("year hidden") << false;
}

void ClockFaceTest::dateCells()
{
    QFETCH(bool, yearShow);

    SkinModel model;
    SkinModel::Date &d = model.date;
    d.show = true;
    d.strip = rowCodedImage(DigitWidth, StripRows);
    d.yearShow = yearShow;
    d.yearLeft = 0, d.yearTop = 0;
    d.ymLeft = 85, d.ymTop = 0;
    d.monLeft = 110, d.monTop = 20;
    d.mdLeft = 155, d.mdTop = 20;
    d.dayLeft = 180, d.dayTop = 40;

    const QImage frame = drawWith(
        model, reading(2009, 3, 5, 12, 0, 0, 4), [](SkinRenderer &r, QPainter &p) { r.drawDate(p); });
    if (yearShow) {
        checkCell(frame, 0, 0, 2);
        checkCell(frame, 20, 0, 0);
        checkCell(frame, 40, 0, 0);
        checkCell(frame, 60, 0, 9);
        checkCell(frame, 85, 0, 10);
    } else {
        QCOMPARE(countPixels(frame, QRect(0, 0, 110, 20), [](QRgb px) { return codedRow(px) >= 0; }), 0);
    }
    checkCell(frame, 110, 20, 0);
    checkCell(frame, 130, 20, 3);
    checkCell(frame, 155, 20, 10);
    checkCell(frame, 180, 40, 0);
    checkCell(frame, 200, 40, 5);
}

void ClockFaceTest::weekCell_data()
{
    QTest::addColumn<int>("weekDay");
    QTest::addColumn<int>("firstRow");
    // 160 rows: 22-row cells at multiples of 22; rows 154..159 are never shown.
    QTest::newRow("Sunday") << 0 << 0;
    QTest::newRow("Wednesday") << 3 << 66;
    QTest::newRow("Saturday") << 6 << 132;
}

void ClockFaceTest::weekCell()
{
    QFETCH(int, weekDay);
    QFETCH(int, firstRow);

    SkinModel model;
    model.week.show = true;
    model.week.strip = rowCodedImage(30, 160);
    model.week.left = 17;
    model.week.top = 33;
    const QImage frame = drawWith(model, reading(2024, 5, 5 + weekDay, 9, 0, 0, weekDay),
        [](SkinRenderer &r, QPainter &p) { r.drawWeek(p); });
    QCOMPARE(codedRow(frame.pixel(17, 33)), firstRow);
    QCOMPARE(codedRow(frame.pixel(46, 33 + 21)), firstRow + 21);
    QCOMPARE(frame.pixel(30, 33 + 22), qRgb(0, 0, 0));
    QCOMPARE(frame.pixel(30, 32), qRgb(0, 0, 0));
    QCOMPARE(frame.pixel(47, 40), qRgb(0, 0, 0));
}

void ClockFaceTest::handAngles_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("second");
    QTest::addColumn<double>("hourAngle");
    QTest::addColumn<double>("minuteAngle");
    QTest::addColumn<double>("secondAngle");

    QTest::newRow("3:00") << 3 << 0 << 0 << 90.0 << 0.0 << 0.0;
    // A quarter degree per minute: half-way to the next hour mark at most.
    QTest::newRow("3:40") << 3 << 40 << 20 << 100.0 << 240.0 << 120.0;
    QTest::newRow("12:59") << 12 << 59 << 45 << 14.75 << 354.0 << 270.0;
    QTest::newRow("leap second") << 23 << 59 << 60 << 344.75 << 354.0 << 0.0;
}

void ClockFaceTest::handAngles()
{
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, second);
    QFETCH(double, hourAngle);
    QFETCH(double, minuteAngle);
    QFETCH(double, secondAngle);

    const QRgb red = qRgb(255, 0, 0);
    const struct {
        QImage SkinModel::Analog::*hand;
        double angle;
    } hands[] = { { &SkinModel::Analog::hour, hourAngle }, { &SkinModel::Analog::minute, minuteAngle },
        { &SkinModel::Analog::second, secondAngle } };
    for (const auto &h : hands) {
        // One hand at a time, so that each is seen on its own.
        SkinModel model;
        SkinModel::Analog &a = model.analog;
        a.show = true;
        a.dial = solidImage(DialSize, DialSize, qRgba(0, 0, 0, 0), QImage::Format_ARGB32_Premultiplied);
        a.left = DialLeft;
        a.top = DialTop;
        a.*h.hand = handImage(red);
        const QImage frame = drawWith(model, reading(2024, 1, 1, hour, minute, second),
            [](SkinRenderer &r, QPainter &p) { r.drawAnalog(p); });
        for (double radius : { 12.0, 25.0, 38.0 }) {
            QVERIFY2(isColour(pixelAlong(frame, h.angle, radius), red), qPrintable(QString::number(radius)));
            QVERIFY(!isColour(pixelAlong(frame, h.angle, radius, 7.5), red));
            QVERIFY(!isColour(pixelAlong(frame, h.angle, radius, -7.5), red));
            QVERIFY(!isColour(pixelAlong(frame, h.angle + 180, radius), red));
        }
        QVERIFY(!isColour(pixelAlong(frame, h.angle, 54), red)); // past the tip
    }
}

void ClockFaceTest::handPlacementAtQuarter()
{
    // At a quarter turn the rotated hand is 101 x 9, placed at the dial's position plus
    // (121 - 101) / 2 = 10 and (121 - 9) / 2 = 56, so its tip ends at column 110.
    SkinModel model;
    SkinModel::Analog &a = model.analog;
    a.show = true;
    a.dial = solidImage(DialSize, DialSize, qRgb(0, 0, 90));
    a.left = DialLeft;
    a.top = DialTop;
    a.hour = handImage(qRgb(255, 0, 0));
    const QImage frame = drawWith(
        model, reading(2024, 1, 1, 15, 0, 0), [](SkinRenderer &r, QPainter &p) { r.drawAnalog(p); });
    const QRgb red = qRgb(255, 0, 0);
    const QRgb dial = qRgb(0, 0, 90);
    QCOMPARE(frame.pixel(DialLeft + 110, DialTop + 56), red);
    QCOMPARE(frame.pixel(DialLeft + 110, DialTop + 64), red);
    QCOMPARE(frame.pixel(DialLeft + 65, DialTop + 60), red);
    QCOMPARE(frame.pixel(DialLeft + 111, DialTop + 60), dial);
    QCOMPARE(frame.pixel(DialLeft + 64, DialTop + 60), dial);
    QCOMPARE(frame.pixel(DialLeft + 90, DialTop + 55), dial);
    QCOMPARE(frame.pixel(DialLeft + 90, DialTop + 65), dial);
    QCOMPARE(frame.pixel(DialLeft - 1, DialTop), qRgb(0, 0, 0));
}

void ClockFaceTest::handsStackAndSecondSwitch()
{
    SkinModel model;
    SkinModel::Analog &a = model.analog;
    a.show = true;
    a.dial = solidImage(DialSize, DialSize, qRgba(0, 0, 0, 0), QImage::Format_ARGB32_Premultiplied);
    a.left = DialLeft;
    a.top = DialTop;
    a.hour = handImage(qRgb(255, 0, 0));
    a.minute = handImage(qRgb(0, 255, 0));
    a.second = handImage(qRgb(0, 0, 255));
    // 3:00:15: all three hands point at 3 or 12; the second hand lies on top of the hour hand.
    const ClockReading at = reading(2024, 1, 1, 3, 0, 15);
    QImage frame = drawWith(model, at, [](SkinRenderer &r, QPainter &p) { r.drawAnalog(p); });
    QVERIFY(isColour(pixelAlong(frame, 90, 30), qRgb(0, 0, 255)));
    QVERIFY(isColour(pixelAlong(frame, 0, 30), qRgb(0, 255, 0)));

    a.secShow = false;
    frame = drawWith(model, at, [](SkinRenderer &r, QPainter &p) { r.drawAnalog(p); });
    QVERIFY(isColour(pixelAlong(frame, 90, 30), qRgb(255, 0, 0)));
    QCOMPARE(countPixels(frame, frame.rect(), [](QRgb px) { return qBlue(px) > 100; }), 0);
}

QTEST_MAIN(ClockFaceTest)
#include "clockfacetest.moc"
