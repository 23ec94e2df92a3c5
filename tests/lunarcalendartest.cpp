// The lunar calendar: every day of its table against ICU's Chinese calendar, and the days
// outside the table or the Gregorian calendar, through one object as the plug-in uses it.

#include "render/lunarcalendar.h"

#include "plugin/tool.h"

#include <QDate>
#include <QScopeGuard>
#include <QTest>
#include <QTimeZone>

#include <climits>
#include <unicode/ucal.h>

namespace {

// Months where the reference calendar disagrees with ours, which follows the
// published almanac: the reference reckons pre-1929 years on the UTC+8
// meridian (1922's leap month), puts a solar term on the other side of
// midnight (1987's leap month), or puts a new moon that falls within ten
// minutes of Beijing midnight on the other day.
struct Range {
    QDate first;
    QDate last;
};
const Range KnownDifferences[] = {
    { QDate(1922, 6, 25), QDate(1922, 8, 22) },
    { QDate(1954, 2, 3), QDate(1954, 3, 4) },
    { QDate(1955, 2, 22), QDate(1955, 3, 23) },
    { QDate(1987, 7, 26), QDate(1987, 9, 22) },
    { QDate(1999, 1, 17), QDate(1999, 2, 15) },
    { QDate(2012, 8, 17), QDate(2012, 9, 15) },
    { QDate(2018, 11, 7), QDate(2018, 12, 6) },
    { QDate(2027, 2, 6), QDate(2027, 3, 7) },
    { QDate(2030, 2, 2), QDate(2030, 3, 3) },
    { QDate(2070, 3, 12), QDate(2070, 4, 10) },
};

bool isKnownDifference(const QDate &date)
{
    for (const Range &range : KnownDifferences) {
        if (date >= range.first && date <= range.last)
            return true;
    }
    return false;
}

/** The lunar text of a date, built from the reference calendar's own fields. */
QString referenceText(UCalendar *calendar, const QDate &date)
{
    static const QStringList stems = ctr("甲 乙 丙 丁 戊 己 庚 辛 壬 癸").split(u' ');
    static const QStringList branches = ctr("子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥").split(u' ');
    static const QStringList animals = ctr("鼠 牛 虎 兔 龙 蛇 马 羊 猴 鸡 狗 猪").split(u' ');
    static const QStringList months = ctr("正 二 三 四 五 六 七 八 九 十 十一 腊").split(u' ');
    static const QStringList tens = ctr("初 十 廿").split(u' ');
    static const QStringList units = ctr("十 一 二 三 四 五 六 七 八 九").split(u' ');
    UErrorCode status = U_ZERO_ERROR;
    ucal_setMillis(
        calendar, UDate(QDateTime(date, QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch()), &status);
    const int cycle = (ucal_get(calendar, UCAL_EXTENDED_YEAR, &status) - 2637 - 4) % 60;
    const int month = ucal_get(calendar, UCAL_MONTH, &status); // from 0; a leap month repeats it
    const bool leap = ucal_get(calendar, UCAL_IS_LEAP_MONTH, &status) != 0;
    const int day = ucal_get(calendar, UCAL_DATE, &status);
    if (U_FAILURE(status) || month < 0 || month > 11 || day < 1 || day > 30)
        return QStringLiteral("reference failed");
    // Day names from their digits: 初一..初十, 十一..十九, 二十, 廿一..廿九, 三十.
    const QString dayName = day == 20 ? ctr("二十")
        : day == 30                   ? ctr("三十")
                                      : tens[(day - 1) / 10] + units[day % 10];
    return animals[cycle % 12] + u'(' + stems[cycle % 10] + branches[cycle % 12] + ctr(")年")
        + (leap ? ctr("闰") : QString()) + months[month] + ctr("月") + dayName;
}

} // namespace

class LunarCalendarTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyDayMatchesTheReference();
    void convertsDates_data();
    void convertsDates();

private:
    // One object for every row, as the plug-in converts every frame with one.
    LunarCalendar m_shared;
};

void LunarCalendarTest::everyDayMatchesTheReference()
{
    static const UChar utc[] = { 'U', 'T', 'C', 0 };
    UErrorCode status = U_ZERO_ERROR;
    UCalendar *reference = ucal_open(utc, -1, "zh@calendar=chinese", UCAL_DEFAULT, &status);
    QVERIFY(U_SUCCESS(status) && reference);
    const auto closeReference = qScopeGuard([reference] { ucal_close(reference); });
    QString text;
    int compared = 0;
    QStringList mismatches;
    for (QDate date(1921, 2, 8); date <= QDate(2100, 12, 31); date = date.addDays(1)) {
        tagDate day { date.day(), date.month(), date.year() };
        m_shared.GetDayOf(day, text);
        if (isKnownDifference(date))
            continue;
        ++compared;
        const QString expected = referenceText(reference, date);
        if (text != expected && mismatches.size() < 20)
            mismatches.append(
                date.toString(Qt::ISODate) + QLatin1Char(' ') + text + QStringLiteral(" != ") + expected);
    }
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(QLatin1Char('\n'))));
    QCOMPARE(compared, 65706 - 358);
}

void LunarCalendarTest::convertsDates_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, int y, int m, int d, const char *text) {
        QTest::newRow(name) << y << m << d << ctr(text);
    };
    // Days where the reference reckons otherwise; ours follow the published almanac.
    row("1922's leap fifth month", 1922, 6, 25, "狗(壬戌)年闰五月初一");
    row("1987's leap sixth month", 1987, 7, 26, "兔(丁卯)年闰六月初一");
    row("2012's eighth month", 2012, 8, 17, "龙(壬辰)年七月初一");
    // Outside the table, or no date at all: no text, whatever the object said before.
    row("first day of the table", 1921, 2, 8, "鸡(辛酉)年正月初一");
    row("day before the table", 1921, 2, 7, "");
    row("last day of the table", 2100, 12, 31, "猴(庚申)年腊月初一");
    row("day after the table", 2101, 1, 1, "");
    row("no 2100-02-29", 2100, 2, 29, "");
    row("2000-02-29", 2000, 2, 29, "龙(庚辰)年正月廿五");
    row("largest year", INT_MAX, 12, 31, "");
    row("no 2009-02-30", 2009, 2, 30, "");
    row("day 0", 2021, 5, 0, "");
    row("month 13", 2021, 13, 10, "");
}

void LunarCalendarTest::convertsDates()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, expected);
    QString text = QStringLiteral("left over");
    tagDate date { day, month, year };
    m_shared.GetDayOf(date, text);
    QCOMPARE(text, expected);
}

QTEST_GUILESS_MAIN(LunarCalendarTest)
#include "lunarcalendartest.moc"
