// The countdown notice: its day count and formats, its font, its shadow.

#include "render/fixedclock.h"
#include "render/skinfonts.h"
#include "render/skinrenderer.h"
#include "skinfixtures.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QtTest>

namespace {

const ClockReading Today { 2024, 3, 1, 23, 59, 59, 5 }; // a leap year's 1 March, one second before midnight

SkinModel notifyModel(
    unsigned year, unsigned month, unsigned day, const QString &info = QStringLiteral("生日"))
{
    SkinModel model;
    SkinModel::Notify &n = model.notify;
    n.show = true;
    n.fontSize = 14;
    n.left = 20;
    n.top = 100;
    n.color = QColor(255, 0, 0);
    n.year = year;
    n.month = month;
    n.day = day;
    n.info = info;
    return model;
}

QImage drawNotice(SkinModel &model, const ClockReading &at = Today)
{
    FixedClock clock(at);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    QImage canvas = blackCanvas();
    QPainter p(&canvas);
    renderer.drawNotify(p);
    p.end();
    return canvas;
}

bool isRed(QRgb px)
{
    return qRed(px) > qGreen(px) + 60;
}

bool isGrey(QRgb px)
{
    return qRed(px) > 30 && qRed(px) == qGreen(px) && qGreen(px) == qBlue(px);
}

int litPixels(const QImage &frame)
{
    return countPixels(frame, frame.rect(), [](QRgb px) { return px != qRgb(0, 0, 0); });
}

} // namespace

class NotifyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dayCount_data();
    void dayCount();
    void invalidDateDrawsNothing_data();
    void invalidDateDrawsNothing();
    void eventNameIsTakenAsIs();
    void translatedFormats();
    void shadowAndText();
    void boldIsHeavier();
    void defaultFontSizeQuietly();
    void chineseGlyphsAreReal();
};

void NotifyTest::dayCount_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("text");
    QTest::newRow("today") << 2024 << 3 << 1 << QStringLiteral("距离 生日 还有 0天");
    QTest::newRow("yesterday, a leap day") << 2024 << 2 << 29 << QStringLiteral("距离 生日 已过 1天");
    QTest::newRow("tomorrow") << 2024 << 3 << 2 << QStringLiteral("距离 生日 还有 1天");
    QTest::newRow("ten days ago") << 2024 << 2 << 20 << QStringLiteral("距离 生日 已过 10天");
    QTest::newRow("next new year") << 2025 << 1 << 1 << QStringLiteral("距离 生日 还有 306天");
}

void NotifyTest::dayCount()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, text);

    SkinModel model = notifyModel(unsigned(year), unsigned(month), unsigned(day));
    FixedClock clock(Today);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    QCOMPARE(renderer.notifyText(), text);
    // The time of day plays no part: the same count just after midnight of the same date.
    clock.setReading(ClockReading { 2024, 3, 1, 0, 0, 0, 5 });
    QCOMPARE(renderer.notifyText(), text);
    QVERIFY(litPixels(drawNotice(model)) > 0);
}

void NotifyTest::invalidDateDrawsNothing_data()
{
    QTest::addColumn<unsigned>("year");
    QTest::addColumn<unsigned>("month");
    QTest::addColumn<unsigned>("day");
    QTest::newRow("30 February") << 2024u << 2u << 30u;
    QTest::newRow("month 13") << 2024u << 13u << 1u;
    QTest::newRow("day 0") << 2024u << 5u << 0u;
    QTest::newRow("no year") << 0u << 0u << 0u;
    QTest::newRow("year beyond int") << 4294967295u << 1u << 1u;
}

void NotifyTest::invalidDateDrawsNothing()
{
    QFETCH(unsigned, year);
    QFETCH(unsigned, month);
    QFETCH(unsigned, day);

    SkinModel model = notifyModel(year, month, day);
    FixedClock clock(Today);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    QCOMPARE(renderer.notifyText(), QString());
    QCOMPARE(litPixels(drawNotice(model)), 0);
}

void NotifyTest::eventNameIsTakenAsIs()
{
    SkinModel model = notifyModel(2024, 3, 4, QStringLiteral("%2 和 %1"));
    FixedClock clock(Today);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    QCOMPARE(renderer.notifyText(), QStringLiteral("距离 %2 和 %1 还有 3天"));

    model.notify.info.clear();
    QCOMPARE(renderer.notifyText(), QStringLiteral("距离  还有 3天"));
}

void NotifyTest::translatedFormats()
{
    SkinModel model = notifyModel(2024, 2, 27);
    FixedClock clock(Today);
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    renderer.setNotifyFormatTranslator([](const QString &format) {
        if (format == QStringLiteral("距离 %1 已过 %2天"))
            return QStringLiteral("%2 days since %1");
        return format;
    });
    QCOMPARE(renderer.notifyText(), QStringLiteral("3 days since 生日"));
    model.notify.day = 28;
    model.notify.month = 3;
    QCOMPARE(renderer.notifyText(), QStringLiteral("距离 生日 还有 27天"));
}

void NotifyTest::shadowAndText()
{
    SkinModel model = notifyModel(2024, 3, 9);
    const QImage frame = drawNotice(model);
    const QRect red = boundsOf(frame, isRed);
    const QRect grey = boundsOf(frame, isGrey);
    QVERIFY(!red.isNull());
    QVERIFY(!grey.isNull());
    // Text from (20, 100) along its baseline; the grey shadow one pixel right and down, under it.
    QVERIFY2(red.left() >= 20 && red.left() <= 24, qPrintable(QString::number(red.left())));
    QVERIFY2(red.bottom() >= 94 && red.bottom() <= 103, qPrintable(QString::number(red.bottom())));
    QCOMPARE(grey.right(), red.right() + 1);
    QCOMPARE(grey.bottom(), red.bottom() + 1);
    QVERIFY(countPixels(frame, frame.rect(), [](QRgb px) { return px == qRgb(128, 128, 128); }) > 10);
    QVERIFY(countPixels(frame, frame.rect(), [](QRgb px) { return px == qRgb(255, 0, 0); }) > 10);
}

void NotifyTest::boldIsHeavier()
{
    SkinModel model = notifyModel(2024, 3, 9);
    const int normal = litPixels(drawNotice(model));
    model.notify.bold = true;
    const int bold = litPixels(drawNotice(model));
    QVERIFY2(bold > normal * 11 / 10, qPrintable(QStringLiteral("%1 vs %2").arg(bold).arg(normal)));
    QCOMPARE(skinFont(14, true).weight(), QFont::Bold);
    QCOMPARE(skinFont(14, false).weight(), QFont::Normal);
}

void NotifyTest::defaultFontSizeQuietly()
{
    // [Notify] FontSize defaults to 0: the font keeps its own size, and nothing is printed.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    SkinModel model = notifyModel(2024, 3, 9);
    model.notify.fontSize = 0;
    QVERIFY(litPixels(drawNotice(model)) > 0);
    model.notify.fontSize = -12;
    QVERIFY(litPixels(drawNotice(model)) > 0);
    QCOMPARE(skinFont(0, false).pointSize(), QFont(QStringLiteral("AMCSL")).pointSize());
    // Sizes far past anything that fits the screen are held at the limit.
    QCOMPARE(skinFont(100000, false).pointSize(), MaxSkinFontSize);
}

void NotifyTest::chineseGlyphsAreReal()
{
    const QFont font = skinFont(14, false);
    QCOMPARE(font.family(), QStringLiteral("AMCSL"));
    const QFontMetrics metrics(font);
    for (char32_t c : { U'距', U'离', U'还', U'有', U'已', U'过', U'天', U'牛', U'丑' })
        QVERIFY2(metrics.inFontUcs4(c), qPrintable(QFontInfo(font).family()));
}

QTEST_MAIN(NotifyTest)
#include "notifytest.moc"
