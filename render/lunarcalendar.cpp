#include "render/lunarcalendar.h"

#include "plugin/tool.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace {

constexpr int FirstLunarYear = 1921;
constexpr int LunarYearCount = 180;

// One word per lunar year from 1921: bits 16 and up name the month that a
// leap month follows (0 for none); the low 12 bits (13 with a leap month)
// give the month lengths, first month highest, 1 for 30 days, 0 for 29.
constexpr std::array<quint32, LunarYearCount> LunarYears = {
    0x00A4B, 0x5164B, 0x006A5, 0x006D4, 0x415B5, 0x002B6, 0x00957, 0x2092F, 0x00497, 0x60C96, // 1921
    0x00D4A, 0x00EA5, 0x50DA9, 0x005AD, 0x002B6, 0x3126E, 0x0092E, 0x7192D, 0x00C95, 0x00D4A, // 1931
    0x61B4A, 0x00B55, 0x0056A, 0x4155B, 0x0025D, 0x0092D, 0x2192B, 0x00A95, 0x71695, 0x006CA, // 1941
    0x00B55, 0x50AB5, 0x004DA, 0x00A5B, 0x30A57, 0x0052B, 0x8152A, 0x00E95, 0x006AA, 0x615AA, // 1951
    0x00AB5, 0x004B6, 0x414AE, 0x00A57, 0x00526, 0x31D26, 0x00D95, 0x70B55, 0x0056A, 0x0096D, // 1961
    0x5095D, 0x004AD, 0x00A4D, 0x41A4D, 0x00D25, 0x81AA5, 0x00B54, 0x00B6A, 0x612DA, 0x0095B, // 1971
    0x0049B, 0x41497, 0x00A4B, 0xA164B, 0x006A5, 0x006D4, 0x615B4, 0x00AB6, 0x00957, 0x5092F, // 1981
    0x00497, 0x0064B, 0x30D4A, 0x00EA5, 0x80D65, 0x005AC, 0x00AB6, 0x5126D, 0x0092E, 0x00C96, // 1991
    0x41A95, 0x00D4A, 0x00DA5, 0x20B55, 0x0056A, 0x7155B, 0x0025D, 0x0092D, 0x5192B, 0x00A95, // 2001
    0x00B4A, 0x416AA, 0x00AD5, 0x90AB5, 0x004BA, 0x00A5B, 0x60A57, 0x0052B, 0x00A93, 0x40E95, // 2011
    0x006AA, 0x00AD5, 0x209B5, 0x004B6, 0x614AE, 0x00A4E, 0x00D26, 0x51D26, 0x00D53, 0x005AA, // 2021
    0x30D6A, 0x0096D, 0xB095D, 0x004AD, 0x00A4D, 0x61A4B, 0x00D25, 0x00D52, 0x51B54, 0x00B5A, // 2031
    0x0056D, 0x2095B, 0x0049B, 0x71497, 0x00A4B, 0x00AA5, 0x516A5, 0x006D2, 0x00ADA, 0x30AB6, // 2041
    0x00937, 0x8092F, 0x00497, 0x0064B, 0x60D4A, 0x00EA5, 0x006B2, 0x4156C, 0x00AAE, 0x0092E, // 2051
    0x3192E, 0x00C96, 0x71A95, 0x00D4A, 0x00DA5, 0x50B55, 0x0056A, 0x00A6D, 0x40A5D, 0x0052D, // 2061
    0x8152B, 0x00A95, 0x00B4A, 0x616AA, 0x00AD5, 0x0055A, 0x414BA, 0x00A5B, 0x0052B, 0x31527, // 2071
    0x00693, 0x70E53, 0x006AA, 0x00AD5, 0x509B5, 0x004B6, 0x00A57, 0x40A4E, 0x00D16, 0x81D26, // 2081
    0x00D52, 0x00DAA, 0x60D6A, 0x0056D, 0x004AE, 0x4149D, 0x00A2D, 0x00D15, 0x21B25, 0x00D52, // 2091
};

// Days of a common year before each month.
constexpr std::array<qint32, 12> MonthOffsets = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };

constexpr int highestMonthBit(quint32 word)
{
    return word < 4095 ? 11 : 12;
}

constexpr int yearLength(quint32 word)
{
    int days = 0;
    for (int bit = highestMonthBit(word); bit >= 0; --bit)
        days += 29 + int((word >> bit) & 1);
    return days;
}

// Day number of the first day of each lunar year, and one past the last year.
// The month walk starts at the right year instead of counting every month
// from 1921; the result is the same.
constexpr std::array<qint32, LunarYearCount + 1> YearStarts = [] {
    std::array<qint32, LunarYearCount + 1> starts {};
    starts[0] = 1;
    for (int year = 0; year < LunarYearCount; ++year)
        starts[year + 1] = starts[year] + yearLength(LunarYears[year]);
    return starts;
}();

constexpr bool isLeapYear(qint32 year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr qint32 daysInMonth(qint32 year, qint32 month)
{
    if (month == 2)
        return isLeapYear(year) ? 29 : 28;
    return (month == 4 || month == 6 || month == 9 || month == 11) ? 30 : 31;
}

constexpr bool isBefore(const tagDate &a, const tagDate &b)
{
    if (a.year != b.year)
        return a.year < b.year;
    if (a.month != b.month)
        return a.month < b.month;
    return a.day < b.day;
}

// The display names, turned into strings once.
struct LunarNames {
    QStringList stems;
    QStringList branches;
    QStringList animals;
    QStringList months;
    QStringList days;
    QString open;
    QString closeYear;
    QString leap;
    QString month;
};

QStringList toStrings(std::initializer_list<const char *> literals)
{
    QStringList strings;
    strings.reserve(qsizetype(literals.size()));
    for (const char *literal : literals)
        strings.append(ctr(literal));
    return strings;
}

const LunarNames &lunarNames()
{
    static const LunarNames names {
        toStrings({ "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸" }),
        toStrings({ "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥" }),
        toStrings({ "鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪" }),
        toStrings({ "*", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "腊" }),
        toStrings({ "*", "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
            "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十", "廿一", "廿二",
            "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十" }),
        ctr("("),
        ctr(")年"),
        ctr("闰"),
        ctr("月"),
    };
    return names;
}

} // namespace

void LunarCalendar::GetDayOf(tagDate &date, QString &text)
{
    text.clear();
    if (date.month < 1 || date.month > 12 || date.day < 1 || isBefore(date, FirstDate)
        || isBefore(LastDate, date) || date.day > daysInMonth(date.year, date.month)) {
        return;
    }
    dayNumber(date);
    if (walk())
        buildText(text);
}

void LunarCalendar::dayNumber(const tagDate &date)
{
    const qint32 y = date.year;
    nTheDate = 365 * y + (y - FirstLunarYear) / 4 + date.day + MonthOffsets[date.month - 1] - 701202;
    if (!(isLeapYear(y) && date.month > 2))
        nTheDate -= 1;
}

bool LunarCalendar::walk()
{
    nIsEnd = 0;
    m = qint32(std::upper_bound(YearStarts.begin(), YearStarts.end(), nTheDate) - YearStarts.begin()) - 1;
    if (m < 0 || m >= LunarYearCount)
        return false;
    nTheDate -= YearStarts[m] - 1;

    const quint32 word = LunarYears[m];
    k = highestMonthBit(word);
    for (n = k; n >= 0; --n) {
        i = n;
        nBit = qint32(word >> i);
        const qint32 length = 29 + nBit % 2;
        if (nTheDate <= length) {
            nIsEnd = 1;
            break;
        }
        nTheDate -= length;
    }
    if (!nIsEnd)
        return false;

    wCurYear = m + FirstLunarYear;
    wCurDay = nTheDate;
    const qint32 position = k - n + 1;
    const qint32 leapAfter = qint32(word / 65536);
    if (k == 11 || position < leapAfter + 1)
        wCurMonth = position;
    else if (position == leapAfter + 1)
        wCurMonth = -leapAfter;
    else
        wCurMonth = position - 1;
    return true;
}

void LunarCalendar::buildText(QString &text) const
{
    const LunarNames &names = lunarNames();
    const qint32 cycle = (wCurYear - 4) % 60;
    text.reserve(16);
    text.append(names.animals[cycle % 12]);
    text.append(names.open);
    text.append(names.stems[cycle % 10]);
    text.append(names.branches[cycle % 12]);
    text.append(names.closeYear);
    if (wCurMonth <= 0) {
        text.append(names.leap);
        text.append(names.months[-wCurMonth]);
    } else {
        text.append(names.months[wCurMonth]);
    }
    text.append(names.month);
    text.append(names.days[wCurDay]);
}
