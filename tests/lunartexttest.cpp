#include "render/lunartext.h"

#include "plugin/tool.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

namespace {

const QRgb Background = qRgb(255, 255, 255);

/** Where the pixels of exactly one colour lie in an image; empty when none. */
struct Ink {
    QRect bounds;
    int count = 0;
};

Ink findInk(const QImage &image, QRgb color)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == color) {
                ink.bounds |= QRect(x, y, 1, 1);
                ++ink.count;
            }
        }
    }
    return ink;
}

/** The rectangle of every pixel that the drawing changed. */
QRect changedPixels(const QImage &image)
{
    QRect changed;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != Background)
                changed |= QRect(x, y, 1, 1);
        }
    }
    return changed;
}

QImage drawFrame(const SkinModel::Lunar &lunar, const QString &text)
{
    QImage frame(240, 120, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Background);
    QPainter painter(&frame);
    drawLunarText(painter, lunar, text);
    painter.end();
    return frame;
}

SkinModel::Lunar lunarAt(int left, int top, int fontSize, int color)
{
    SkinModel::Lunar lunar;
    lunar.show = true;
    lunar.left = left;
    lunar.top = top;
    lunar.fontSize = fontSize;
    lunar.color = color;
    return lunar;
}

} // namespace

class LunarTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawsInColourAtBaseline_data();
    void drawsInColourAtBaseline();
    void emptyTextDrawsNothing();
    void unusableFontSizeIsQuiet();
    void painterIsLeftAsItWas();
};

void LunarTextTest::drawsInColourAtBaseline_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("color");
    QTest::addColumn<QRgb>("pixel");

    QTest::newRow("pure red") << 20 << 60 << 18 << 16711680 << qRgb(255, 0, 0);
    QTest::newRow("black") << 5 << 40 << 14 << 0 << qRgb(0, 0, 0);
    QTest::newRow("mixed colour") << 100 << 100 << 20 << 0x2080C0 << qRgb(0x20, 0x80, 0xC0);
}

void LunarTextTest::drawsInColourAtBaseline()
{
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, fontSize);
    QFETCH(int, color);
    QFETCH(QRgb, pixel);

    const QImage frame = drawFrame(lunarAt(left, top, fontSize, color), ctr("牛(己丑)年正月初一"));

    // Pixels of exactly the pen colour appear, starting just right of Left,
    // and the glyphs stand on the baseline row Top.
    const Ink ink = findInk(frame, pixel);
    QVERIFY2(ink.count > 20, qPrintable(QStringLiteral("only %1 pixels of the text colour").arg(ink.count)));
    QVERIFY2(ink.bounds.left() >= left && ink.bounds.left() <= left + fontSize,
        qPrintable(QStringLiteral("ink starts at x %1").arg(ink.bounds.left())));
    QVERIFY2(ink.bounds.top() < top - fontSize / 2,
        qPrintable(QStringLiteral("ink reaches up only to y %1").arg(ink.bounds.top())));
    QVERIFY2(ink.bounds.top() > top - 3 * fontSize,
        qPrintable(QStringLiteral("ink reaches up to y %1").arg(ink.bounds.top())));

    // Nothing at all is drawn left of Left or far below the baseline (the
    // brackets may hang a little below it).
    const QRect changed = changedPixels(frame);
    QVERIFY2(changed.left() >= left - 1, qPrintable(QStringLiteral("drawn at x %1").arg(changed.left())));
    QVERIFY2(changed.bottom() <= top + fontSize / 2,
        qPrintable(QStringLiteral("drawn down to y %1").arg(changed.bottom())));
    QVERIFY2(
        changed.width() > 4 * fontSize, qPrintable(QStringLiteral("text only %1 wide").arg(changed.width())));
}

void LunarTextTest::emptyTextDrawsNothing()
{
    const QImage frame = drawFrame(lunarAt(20, 60, 18, 16711680), QString());
    QVERIFY(changedPixels(frame).isNull());
}

void LunarTextTest::unusableFontSizeIsQuiet()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    for (int size : { 0, -5, 500 }) {
        const QImage frame = drawFrame(lunarAt(10, 80, size, 0), ctr("牛(己丑)年正月初一"));
        // Something is drawn; at the font's own small size no stroke need be fully inked.
        QVERIFY2(changedPixels(frame).isValid(), qPrintable(QString::number(size)));
    }
}

void LunarTextTest::painterIsLeftAsItWas()
{
    QImage frame(40, 40, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Background);
    QPainter painter(&frame);
    const QPen pen(Qt::green, 3, Qt::DashLine);
    QFont font(QStringLiteral("Sans"));
    font.setPointSize(31);
    painter.setPen(pen);
    painter.setFont(font);
    drawLunarText(painter, lunarAt(2, 30, 10, 16711680), ctr("正月初一"));
    QCOMPARE(painter.pen(), pen);
    QCOMPARE(painter.font(), font);
}

QTEST_MAIN(LunarTextTest)
#include "lunartexttest.moc"
