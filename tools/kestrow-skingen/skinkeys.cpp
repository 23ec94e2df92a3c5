#include "tools/kestrow-skingen/skinkeys.h"

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
    cfg.group(QStringLiteral("Week"));
    cfg.set(QStringLiteral("Show"), true);
    cfg.set(QStringLiteral("ResIMG"), QStringLiteral("week.png"));
    cfg.set(QStringLiteral("Left"), yearLeft + weekOffset(w));
    cfg.set(QStringLiteral("Top"), dateTop);

    cfg.group(QStringLiteral("Date"));
    cfg.set(QStringLiteral("Show"), true);
    cfg.set(QStringLiteral("FontIMG"), QStringLiteral("date.png"));
    cfg.set(QStringLiteral("YearShow"), true);
    cfg.set(QStringLiteral("YearLeft"), yearLeft);
    cfg.set(QStringLiteral("YearTop"), dateTop);
    cfg.set(QStringLiteral("YMLeft"), month - w + 1);
    cfg.set(QStringLiteral("YMTop"), dateTop);
    cfg.set(QStringLiteral("MouLeft"), month);
    cfg.set(QStringLiteral("MouTop"), dateTop);
    cfg.set(QStringLiteral("MDLeft"), day - w + 1);
    cfg.set(QStringLiteral("MDTop"), dateTop);
    cfg.set(QStringLiteral("DayLeft"), day);
    cfg.set(QStringLiteral("DayTop"), dateTop);

    cfg.group(QStringLiteral("Lunar"));
    cfg.set(QStringLiteral("Show"), true);
    cfg.set(QStringLiteral("FontSize"), lunar.fontSize);
    cfg.set(QStringLiteral("FontColor"), Palette::skinColor(Palette::inkSoft));
    cfg.set(QStringLiteral("Left"), lunar.left);
    cfg.set(QStringLiteral("Top"), lunar.top);
}

void gauges(SkinFile &cfg, int margin, int top)
{
    cfg.group(QStringLiteral("Battery"));
    cfg.set(QStringLiteral("Show"), true);
    cfg.set(QStringLiteral("Left"), 240 - margin - Gauges::BatteryWidth);
    cfg.set(QStringLiteral("Top"), top);
    for (int level = 0; level < 4; ++level)
        cfg.set(QStringLiteral("Level%1").arg(level), QStringLiteral("battery%1.png").arg(level));

    cfg.group(QStringLiteral("Signal"));
    cfg.set(QStringLiteral("Show"), true);
    cfg.set(QStringLiteral("Left"), margin);
    cfg.set(QStringLiteral("Top"), top);
    for (int level = 0; level < 6; ++level)
        cfg.set(QStringLiteral("Level%1").arg(level), QStringLiteral("signal%1.png").arg(level));
}

void notify(SkinFile &cfg, const TextLine &line)
{
    cfg.group(QStringLiteral("Notify"));
    cfg.set(QStringLiteral("Show"), true);
    cfg.set(QStringLiteral("Bold"), false);
    cfg.set(QStringLiteral("FontSize"), line.fontSize);
    cfg.set(QStringLiteral("Left"), line.left);
    cfg.set(QStringLiteral("Top"), line.top);
    cfg.set(QStringLiteral("FontColor"), Palette::skinColor(Palette::warm));
}

} // namespace SkinKeys
