#include "render/lunarcalendar.h"

#include "plugin/tool.h"

#include <QDate>
#include <QTest>

#include <climits>

namespace {

tagDate toTagDate(const QDate &date)
{
    return tagDate { date.day(), date.month(), date.year() };
}

QString lunarText(LunarCalendar &calendar, tagDate date)
{
    QString text = QStringLiteral("left over");
    calendar.GetDayOf(date, text);
    return text;
}

struct MonthStart {
    const char *firstDay;
    const char *firstText;
    const char *dayBeforeText;
};

// The first day of every lunar month of years with leap months in several
// places, and the day before it; cross-checked against an astronomical
// calendar.
const MonthStart MonthStarts[] = {
    { "2006-01-29", "狗(丙戌)年正月初一", "鸡(乙酉)年腊月廿九" },
    { "2006-02-28", "狗(丙戌)年二月初一", "狗(丙戌)年正月三十" },
    { "2006-03-29", "狗(丙戌)年三月初一", "狗(丙戌)年二月廿九" },
    { "2006-04-28", "狗(丙戌)年四月初一", "狗(丙戌)年三月三十" },
    { "2006-05-27", "狗(丙戌)年五月初一", "狗(丙戌)年四月廿九" },
    { "2006-06-26", "狗(丙戌)年六月初一", "狗(丙戌)年五月三十" },
    { "2006-07-25", "狗(丙戌)年七月初一", "狗(丙戌)年六月廿九" },
    { "2006-08-24", "狗(丙戌)年闰七月初一", "狗(丙戌)年七月三十" },
    { "2006-09-22", "狗(丙戌)年八月初一", "狗(丙戌)年闰七月廿九" },
    { "2006-10-22", "狗(丙戌)年九月初一", "狗(丙戌)年八月三十" },
    { "2006-11-21", "狗(丙戌)年十月初一", "狗(丙戌)年九月三十" },
    { "2006-12-20", "狗(丙戌)年十一月初一", "狗(丙戌)年十月廿九" },
    { "2007-01-19", "狗(丙戌)年腊月初一", "狗(丙戌)年十一月三十" },
    { "2020-01-25", "鼠(庚子)年正月初一", "猪(己亥)年腊月三十" },
    { "2020-02-23", "鼠(庚子)年二月初一", "鼠(庚子)年正月廿九" },
    { "2020-03-24", "鼠(庚子)年三月初一", "鼠(庚子)年二月三十" },
    { "2020-04-23", "鼠(庚子)年四月初一", "鼠(庚子)年三月三十" },
    { "2020-05-23", "鼠(庚子)年闰四月初一", "鼠(庚子)年四月三十" },
    { "2020-06-21", "鼠(庚子)年五月初一", "鼠(庚子)年闰四月廿九" },
    { "2020-07-21", "鼠(庚子)年六月初一", "鼠(庚子)年五月三十" },
    { "2020-08-19", "鼠(庚子)年七月初一", "鼠(庚子)年六月廿九" },
    { "2020-09-17", "鼠(庚子)年八月初一", "鼠(庚子)年七月廿九" },
    { "2020-10-17", "鼠(庚子)年九月初一", "鼠(庚子)年八月三十" },
    { "2020-11-15", "鼠(庚子)年十月初一", "鼠(庚子)年九月廿九" },
    { "2020-12-15", "鼠(庚子)年十一月初一", "鼠(庚子)年十月三十" },
    { "2021-01-13", "鼠(庚子)年腊月初一", "鼠(庚子)年十一月廿九" },
    { "2023-01-22", "兔(癸卯)年正月初一", "虎(壬寅)年腊月三十" },
    { "2023-02-20", "兔(癸卯)年二月初一", "兔(癸卯)年正月廿九" },
    { "2023-03-22", "兔(癸卯)年闰二月初一", "兔(癸卯)年二月三十" },
    { "2023-04-20", "兔(癸卯)年三月初一", "兔(癸卯)年闰二月廿九" },
    { "2023-05-19", "兔(癸卯)年四月初一", "兔(癸卯)年三月廿九" },
    { "2023-06-18", "兔(癸卯)年五月初一", "兔(癸卯)年四月三十" },
    { "2023-07-18", "兔(癸卯)年六月初一", "兔(癸卯)年五月三十" },
    { "2023-08-16", "兔(癸卯)年七月初一", "兔(癸卯)年六月廿九" },
    { "2023-09-15", "兔(癸卯)年八月初一", "兔(癸卯)年七月三十" },
    { "2023-10-15", "兔(癸卯)年九月初一", "兔(癸卯)年八月三十" },
    { "2023-11-13", "兔(癸卯)年十月初一", "兔(癸卯)年九月廿九" },
    { "2023-12-13", "兔(癸卯)年十一月初一", "兔(癸卯)年十月三十" },
    { "2024-01-11", "兔(癸卯)年腊月初一", "兔(癸卯)年十一月廿九" },
    { "2033-01-31", "牛(癸丑)年正月初一", "鼠(壬子)年腊月三十" },
    { "2033-03-01", "牛(癸丑)年二月初一", "牛(癸丑)年正月廿九" },
    { "2033-03-31", "牛(癸丑)年三月初一", "牛(癸丑)年二月三十" },
    { "2033-04-29", "牛(癸丑)年四月初一", "牛(癸丑)年三月廿九" },
    { "2033-05-28", "牛(癸丑)年五月初一", "牛(癸丑)年四月廿九" },
    { "2033-06-27", "牛(癸丑)年六月初一", "牛(癸丑)年五月三十" },
    { "2033-07-26", "牛(癸丑)年七月初一", "牛(癸丑)年六月廿九" },
    { "2033-08-25", "牛(癸丑)年八月初一", "牛(癸丑)年七月三十" },
    { "2033-09-23", "牛(癸丑)年九月初一", "牛(癸丑)年八月廿九" },
    { "2033-10-23", "牛(癸丑)年十月初一", "牛(癸丑)年九月三十" },
    { "2033-11-22", "牛(癸丑)年十一月初一", "牛(癸丑)年十月三十" },
    { "2033-12-22", "牛(癸丑)年闰十一月初一", "牛(癸丑)年十一月三十" },
    { "2034-01-20", "牛(癸丑)年腊月初一", "牛(癸丑)年闰十一月廿九" },
    { "2080-01-22", "鼠(庚子)年正月初一", "猪(己亥)年腊月三十" },
    { "2080-02-21", "鼠(庚子)年二月初一", "鼠(庚子)年正月三十" },
    { "2080-03-21", "鼠(庚子)年三月初一", "鼠(庚子)年二月廿九" },
    { "2080-04-20", "鼠(庚子)年闰三月初一", "鼠(庚子)年三月三十" },
    { "2080-05-19", "鼠(庚子)年四月初一", "鼠(庚子)年闰三月廿九" },
    { "2080-06-18", "鼠(庚子)年五月初一", "鼠(庚子)年四月三十" },
    { "2080-07-17", "鼠(庚子)年六月初一", "鼠(庚子)年五月廿九" },
    { "2080-08-15", "鼠(庚子)年七月初一", "鼠(庚子)年六月廿九" },
    { "2080-09-14", "鼠(庚子)年八月初一", "鼠(庚子)年七月三十" },
    { "2080-10-13", "鼠(庚子)年九月初一", "鼠(庚子)年八月廿九" },
    { "2080-11-11", "鼠(庚子)年十月初一", "鼠(庚子)年九月廿九" },
    { "2080-12-11", "鼠(庚子)年十一月初一", "鼠(庚子)年十月三十" },
    { "2081-01-10", "鼠(庚子)年腊月初一", "鼠(庚子)年十一月三十" },
    { "2093-01-27", "牛(癸丑)年正月初一", "鼠(壬子)年腊月廿九" },
    { "2093-02-25", "牛(癸丑)年二月初一", "牛(癸丑)年正月廿九" },
    { "2093-03-27", "牛(癸丑)年三月初一", "牛(癸丑)年二月三十" },
    { "2093-04-26", "牛(癸丑)年四月初一", "牛(癸丑)年三月三十" },
    { "2093-05-25", "牛(癸丑)年五月初一", "牛(癸丑)年四月廿九" },
    { "2093-06-24", "牛(癸丑)年六月初一", "牛(癸丑)年五月三十" },
    { "2093-07-23", "牛(癸丑)年闰六月初一", "牛(癸丑)年六月廿九" },
    { "2093-08-22", "牛(癸丑)年七月初一", "牛(癸丑)年闰六月三十" },
    { "2093-09-21", "牛(癸丑)年八月初一", "牛(癸丑)年七月三十" },
    { "2093-10-20", "牛(癸丑)年九月初一", "牛(癸丑)年八月廿九" },
    { "2093-11-19", "牛(癸丑)年十月初一", "牛(癸丑)年九月三十" },
    { "2093-12-18", "牛(癸丑)年十一月初一", "牛(癸丑)年十月廿九" },
    { "2094-01-17", "牛(癸丑)年腊月初一", "牛(癸丑)年十一月三十" },
};

} // namespace

class LunarCalendarTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertsDates_data();
    void convertsDates();
    void monthBoundaries_data();
    void monthBoundaries();
    void oneObjectCarriesNothingOver();
};

void LunarCalendarTest::convertsDates_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *name, int y, int m, int d, const char *text) {
        QTest::newRow(name) << y << m << d << ctr(text);
    };
    row("first day of the table", 1921, 2, 8, "鸡(辛酉)年正月初一");
    row("last day of a year", 2009, 1, 25, "鼠(戊子)年腊月三十");
    row("new year", 2009, 1, 26, "牛(己丑)年正月初一");
    row("day before a leap month", 2006, 8, 23, "狗(丙戌)年七月三十");
    row("first day of a leap month", 2006, 8, 24, "狗(丙戌)年闰七月初一");
    row("last day of a leap month", 2006, 9, 21, "狗(丙戌)年闰七月廿九");
    row("leap fourth month", 2020, 5, 23, "鼠(庚子)年闰四月初一");
    row("leap day", 2000, 2, 29, "龙(庚辰)年正月廿五");
    row("after a leap day", 2000, 3, 1, "龙(庚辰)年正月廿六");
    row("eleventh month", 2012, 12, 21, "龙(壬辰)年十一月初九");
    row("last day of the first hundred years", 2021, 2, 11, "鼠(庚子)年腊月三十");
    row("first day past the first hundred years", 2021, 2, 12, "牛(辛丑)年正月初一");
    row("leap month after the eleventh", 2033, 12, 22, "牛(癸丑)年闰十一月初一");
    row("end of a leap eleventh month", 2034, 1, 19, "牛(癸丑)年闰十一月廿九");
    row("last lunar day of 2099", 2100, 2, 8, "羊(己未)年腊月三十");
    row("first lunar day of 2100", 2100, 2, 9, "猴(庚申)年正月初一");
    row("2100 has no leap day", 2100, 2, 28, "猴(庚申)年正月二十");
    row("the day after 2100-02-28", 2100, 3, 1, "猴(庚申)年正月廿一");
    row("last day of the table", 2100, 12, 31, "猴(庚申)年腊月初一");

    row("day before the table", 1921, 2, 7, "");
    row("start of 1921", 1921, 1, 1, "");
    row("day after the table", 2101, 1, 1, "");
    row("far past", 1, 1, 1, "");
    row("far future", 99999, 6, 1, "");
    row("largest year", INT_MAX, 12, 31, "");
    row("smallest year", INT_MIN, 1, 1, "");
    row("no 2009-02-30", 2009, 2, 30, "");
    row("no 2100-02-29", 2100, 2, 29, "");
    row("no 2021-04-31", 2021, 4, 31, "");
    row("day 0", 2021, 5, 0, "");
    row("day 32", 2021, 5, 32, "");
    row("negative day", 2021, 5, -3, "");
    row("month 0", 2021, 0, 10, "");
    row("month 13", 2021, 13, 10, "");
    row("negative month", 2021, -1, 10, "");
}

void LunarCalendarTest::convertsDates()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, expected);

    LunarCalendar calendar;
    QCOMPARE(lunarText(calendar, tagDate { day, month, year }), expected);
}

void LunarCalendarTest::monthBoundaries_data()
{
    QTest::addColumn<QDate>("firstDay");
    QTest::addColumn<QString>("firstText");
    QTest::addColumn<QString>("dayBeforeText");

    for (const MonthStart &start : MonthStarts) {
        const QDate date = QDate::fromString(QLatin1String(start.firstDay), Qt::ISODate);
        QTest::newRow(start.firstDay) << date << ctr(start.firstText) << ctr(start.dayBeforeText);
    }
}

void LunarCalendarTest::monthBoundaries()
{
    QFETCH(QDate, firstDay);
    QFETCH(QString, firstText);
    QFETCH(QString, dayBeforeText);

    LunarCalendar calendar;
    QCOMPARE(lunarText(calendar, toTagDate(firstDay)), firstText);
    QCOMPARE(lunarText(calendar, toTagDate(firstDay.addDays(-1))), dayBeforeText);
}

void LunarCalendarTest::oneObjectCarriesNothingOver()
{
    // The plug-in converts every frame with one object; each answer must be
    // the one a fresh object gives, whatever came before it.
    const QDate dates[] = { QDate(2006, 8, 24), QDate(1921, 2, 7), QDate(2100, 12, 31), QDate(2009, 1, 26),
        QDate(2101, 1, 1), QDate(1921, 2, 8), QDate(2033, 12, 22), QDate(2020, 5, 22) };
    LunarCalendar shared;
    for (int round = 0; round < 2; ++round) {
        for (const QDate &date : dates) {
            LunarCalendar fresh;
            QCOMPARE(lunarText(shared, toTagDate(date)), lunarText(fresh, toTagDate(date)));
        }
    }
    tagDate invalid { 30, 2, 2009 };
    QCOMPARE(lunarText(shared, invalid), QString());
}

QTEST_GUILESS_MAIN(LunarCalendarTest)
#include "lunarcalendartest.moc"
