#include "render/lunarcalendar.h"

#include "plugin/tool.h"

#include <QDate>
#include <QTest>
#include <QTimeZone>

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

/** Lunar texts built from the reference calendar's own fields. */
class ReferenceCalendar
{
public:
    ReferenceCalendar()
    {
        static const UChar utc[] = { 'U', 'T', 'C', 0 };
        m_calendar = ucal_open(utc, -1, "zh@calendar=chinese", UCAL_DEFAULT, &m_status);
        const char *stems[] = { "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸" };
        const char *branches[] = { "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥" };
        const char *animals[] = { "鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪" };
        const char *months[] = { "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "腊" };
        const char *tens[] = { "初", "十", "廿" };
        const char *units[] = { "十", "一", "二", "三", "四", "五", "六", "七", "八", "九" };
        for (const char *s : stems)
            m_stems.append(ctr(s));
        for (const char *s : branches)
            m_branches.append(ctr(s));
        for (const char *s : animals)
            m_animals.append(ctr(s));
        for (const char *s : months)
            m_months.append(ctr(s));
        // Day names from their digits: 初一..初十, 十一..十九, 二十, 廿一..廿九, 三十.
        for (int day = 1; day <= 30; ++day) {
            if (day == 20)
                m_days.append(ctr("二十"));
            else if (day == 30)
                m_days.append(ctr("三十"));
            else
                m_days.append(ctr(tens[(day - 1) / 10]) + ctr(units[day % 10]));
        }
    }
    ~ReferenceCalendar() { ucal_close(m_calendar); }
    ReferenceCalendar(const ReferenceCalendar &) = delete;
    ReferenceCalendar &operator=(const ReferenceCalendar &) = delete;

    bool isValid() const { return U_SUCCESS(m_status) && m_calendar; }

    QString text(const QDate &date)
    {
        const QDateTime noon(date, QTime(12, 0), QTimeZone::utc());
        ucal_setMillis(m_calendar, UDate(noon.toMSecsSinceEpoch()), &m_status);
        const int year = ucal_get(m_calendar, UCAL_EXTENDED_YEAR, &m_status) - 2637;
        const int month = ucal_get(m_calendar, UCAL_MONTH, &m_status); // from 0; a leap month repeats it
        const bool leap = ucal_get(m_calendar, UCAL_IS_LEAP_MONTH, &m_status) != 0;
        const int day = ucal_get(m_calendar, UCAL_DATE, &m_status);
        if (U_FAILURE(m_status) || month < 0 || month > 11 || day < 1 || day > 30)
            return QStringLiteral("reference failed");
        const int cycle = (year - 4) % 60;
        return m_animals[cycle % 12] + QLatin1Char('(') + m_stems[cycle % 10] + m_branches[cycle % 12]
            + ctr(")年") + (leap ? ctr("闰") : QString()) + m_months[month] + ctr("月") + m_days[day - 1];
    }

private:
    UErrorCode m_status = U_ZERO_ERROR;
    UCalendar *m_calendar = nullptr;
    QStringList m_stems, m_branches, m_animals, m_months, m_days;
};

} // namespace

class LunarReferenceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyDayMatchesTheReference();
};

void LunarReferenceTest::everyDayMatchesTheReference()
{
    ReferenceCalendar reference;
    QVERIFY(reference.isValid());
    LunarCalendar calendar;
    QString text;
    int compared = 0;
    QStringList mismatches;
    for (QDate date(1921, 2, 8); date <= QDate(2100, 12, 31); date = date.addDays(1)) {
        tagDate day { date.day(), date.month(), date.year() };
        calendar.GetDayOf(day, text);
        if (isKnownDifference(date))
            continue;
        ++compared;
        const QString expected = reference.text(date);
        if (text != expected && mismatches.size() < 20)
            mismatches.append(
                date.toString(Qt::ISODate) + QLatin1Char(' ') + text + QStringLiteral(" != ") + expected);
    }
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(QLatin1Char('\n'))));
    QCOMPARE(compared, 65706 - 358);
}

QTEST_GUILESS_MAIN(LunarReferenceTest)
#include "lunarreferencetest.moc"
