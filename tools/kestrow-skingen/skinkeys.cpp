#include "tools/kestrow-skingen/skinkeys.h"

#include "data/skinnames.h"
#include "platform/phonescreen.h"
#include "tools/kestrow-skingen/gauges.h"
#include "tools/kestrow-skingen/palette.h"
#include "tools/kestrow-skingen/skinfile.h"

namespace SkinKeys {
namespace {

// Offsets from the year's first digit: a separator takes two pixels less than a digit's place.
constexpr int monthOffset(int w)
{
    return 4 * w + w - 2;
}
constexpr int dayOffset(int w)
{
    return monthOffset(w) + 2 * w + w - 2;
}
constexpr int weekOffset(int w)
{
    return dayOffset(w) + 2 * w + 8;
}

} // namespace

int calendarWidth(int dateCellWidth, int weekCellWidth)
{
    return weekOffset(dateCellWidth) + weekCellWidth;
}

void calendar(SkinFile &cfg, int dateCellWidth, int yearLeft, int dateTop, const TextLine &lunar)
{
    const int w = dateCellWidth;
    const int month = yearLeft + monthOffset(w);
    const int day = yearLeft + dayOffset(w);
    cfg.group(SkinNames::Week::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::Week::ResIMG, QStringLiteral("week.png"));
    cfg.set(SkinNames::Left, yearLeft + weekOffset(w));
    cfg.set(SkinNames::Top, dateTop);

    cfg.group(SkinNames::Date::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::Date::FontIMG, QStringLiteral("date.png"));
    cfg.set(SkinNames::Date::YearShow, true);
    cfg.set(SkinNames::Date::YearLeft, yearLeft);
    cfg.set(SkinNames::Date::YearTop, dateTop);
    cfg.set(SkinNames::Date::YMLeft, month - w + 1);
    cfg.set(SkinNames::Date::YMTop, dateTop);
    cfg.set(SkinNames::Date::MonLeft, month);
    cfg.set(SkinNames::Date::MonTop, dateTop);
    cfg.set(SkinNames::Date::MDLeft, day - w + 1);
    cfg.set(SkinNames::Date::MDTop, dateTop);
    cfg.set(SkinNames::Date::DayLeft, day);
    cfg.set(SkinNames::Date::DayTop, dateTop);

    cfg.group(SkinNames::Lunar::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::FontSize, lunar.fontSize);
    cfg.set(SkinNames::FontColor, Palette::skinColor(Palette::inkSoft));
    cfg.set(SkinNames::Left, lunar.left);
    cfg.set(SkinNames::Top, lunar.top);
}

void gauges(SkinFile &cfg, int margin, int top)
{
    cfg.group(SkinNames::Battery::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::Left, PhoneScreen::Width - margin - Gauges::BatteryWidth);
    cfg.set(SkinNames::Top, top);
    for (int level = 0; level < 4; ++level)
        cfg.set(SkinNames::Level, level, QStringLiteral("battery%1.png").arg(level));

    cfg.group(SkinNames::Signal::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::Left, margin);
    cfg.set(SkinNames::Top, top);
    for (int level = 0; level < 6; ++level)
        cfg.set(SkinNames::Level, level, QStringLiteral("signal%1.png").arg(level));
}

void notify(SkinFile &cfg, const TextLine &line)
{
    cfg.group(SkinNames::Notify::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::Notify::Bold, false);
    cfg.set(SkinNames::FontSize, line.fontSize);
    cfg.set(SkinNames::Left, line.left);
    cfg.set(SkinNames::Top, line.top);
    cfg.set(SkinNames::FontColor, Palette::skinColor(Palette::warm));
}

} // namespace SkinKeys
