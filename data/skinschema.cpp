#include "data/skinschema.h"

#include <array>

namespace SkinSchema {
namespace {

using T = ValueType;
using I = ImageUse;

constexpr std::array Table {
    Key { "Background", "MidIMG", T::Image, "",
        "drawCenter (every frame); the background for a protected wallpaper", I::Screen },
    Key { "FramwCover", "Show", T::Switch, "false", "drawFrameCover" },
    Key { "FramwCover", "Img", T::Image, "", "drawFrameCover", I::Plain },
    Key { "Img", "Left", T::Position, "0", "drawFrameCover" },
    Key { "Img", "Top", T::Position, "0", "drawFrameCover" },
    Key { "Analog", "Show", T::Switch, "false", "drawAnalog" },
    Key { "Analog", "BackIMG", T::Image, "", "drawAnalog: the dial", I::Plain },
    Key { "Analog", "CenterIMG", T::Image, "", "loaded, never drawn", I::Plain },
    Key { "Analog", "MinIMG", T::Image, "", "drawAnalog: the minute hand", I::Plain },
    Key { "Analog", "HourIMG", T::Image, "", "drawAnalog: the hour hand", I::Plain },
    Key { "Analog", "SecShow", T::Boolean, "true", "drawAnalog: the second hand on or off" },
    Key {
        "Analog", "SecIMG", T::Image, "", "drawAnalog: the second hand (read when SecShow is on)", I::Plain },
    Key { "Analog", "Left", T::Position, "0", "drawAnalog: the dial's top left" },
    Key { "Analog", "Top", T::Position, "0", "drawAnalog: the dial's top left" },
    Key { "Digital", "Show", T::Switch, "false", "drawDigital" },
    Key { "Digital", "FontIMG", T::Image, "", "drawDigital: the digit strip", I::DigitStrip },
    Key { "Digital", "SecShow", T::Boolean, "false", "drawDigital: seconds on or off" },
    Key { "Digital", "HourLeft", T::Position, "0", "drawDigital: the hours" },
    Key { "Digital", "HourTop", T::Position, "0", "drawDigital: the hours" },
    Key { "Digital", "Colon0Left", T::Position, "0", "drawDigital: the first colon" },
    Key { "Digital", "colon0Top", T::Position, "0", "drawDigital: the first colon" },
    Key { "Digital", "MinLeft", T::Position, "0", "drawDigital: the minutes" },
    Key { "Digital", "MinTop", T::Position, "0", "drawDigital: the minutes" },
    Key { "Digital", "Colon1Left", T::Position, "0", "drawDigital: the second colon" },
    Key { "Digital", "colon1Top", T::Position, "0", "drawDigital: the second colon" },
    Key { "Digital", "SecLeft", T::Position, "0", "drawDigital: the seconds" },
    Key { "Digital", "SecTop", T::Position, "0", "drawDigital: the seconds" },
    Key { "Week", "Show", T::Switch, "false", "drawWeek" },
    Key { "Week", "ResIMG", T::Image, "", "drawWeek: the week-day strip", I::WeekStrip },
    Key { "Week", "Left", T::Position, "0", "drawWeek" },
    Key { "Week", "Top", T::Position, "0", "drawWeek" },
    Key { "Date", "Show", T::Switch, "false", "drawDate" },
    Key { "Date", "FontIMG", T::Image, "", "drawDate: the digit strip", I::DigitStrip },
    Key { "Date", "YearShow", T::Boolean, "false", "drawDate: the year on or off" },
    Key { "Date", "YearLeft", T::Position, "0", "drawDate: the year" },
    Key { "Date", "YearTop", T::Position, "0", "drawDate: the year" },
    Key { "Date", "YMLeft", T::Position, "0", "drawDate: the separator after the year" },
    Key { "Date", "YMTop", T::Position, "0", "drawDate: the separator after the year" },
    Key { "Date", "MouLeft", T::Position, "0", "drawDate: the month" },
    Key { "Date", "MouTop", T::Position, "0", "drawDate: the month" },
    Key { "Date", "MDLeft", T::Position, "0", "drawDate: the separator after the month" },
    Key { "Date", "MDTop", T::Position, "0", "drawDate: the separator after the month" },
    Key { "Date", "DayLeft", T::Position, "0", "drawDate: the day" },
    Key { "Date", "DayTop", T::Position, "0", "drawDate: the day" },
    Key { "Lunar", "Show", T::Switch, "false", "drawLunar" },
    Key { "Lunar", "FontSize", T::FontSize, "0", "drawLunar" },
    Key { "Lunar", "FontColor", T::Colour, "0", "drawLunar" },
    Key { "Lunar", "Left", T::Position, "0", "drawLunar: the left end of the baseline" },
    Key { "Lunar", "Top", T::Position, "0", "drawLunar: the baseline" },
    Key { "Battery", "Show", T::Switch, "false", "drawBattery" },
    Key { "Battery", "Left", T::Position, "0", "drawBattery" },
    Key { "Battery", "Top", T::Position, "0", "drawBattery" },
    Key { "Battery", "Level0", T::Image, "", "drawBattery: levels 0 and 1", I::Gauge },
    Key { "Battery", "Level1", T::Image, "", "drawBattery: levels 2 and 3", I::Gauge },
    Key { "Battery", "Level2", T::Image, "", "drawBattery: level 4", I::Gauge },
    Key { "Battery", "Level3", T::Image, "", "drawBattery: level 5", I::Gauge },
    Key { "Signal", "Show", T::Switch, "false", "drawSignal" },
    Key { "Signal", "Left", T::Position, "0", "drawSignal" },
    Key { "Signal", "Top", T::Position, "0", "drawSignal" },
    Key { "Signal", "Level0", T::Image, "", "drawSignal: quality 0", I::Gauge },
    Key { "Signal", "Level1", T::Image, "", "drawSignal: quality 1", I::Gauge },
    Key { "Signal", "Level2", T::Image, "", "drawSignal: quality 2", I::Gauge },
    Key { "Signal", "Level3", T::Image, "", "drawSignal: quality 3", I::Gauge },
    Key { "Signal", "Level4", T::Image, "", "drawSignal: quality 4", I::Gauge },
    Key { "Signal", "Level5", T::Image, "", "drawSignal: quality 5", I::Gauge },
    Key { "Notify", "Show", T::Switch, "false", "drawNotify" },
    Key { "Notify", "Bold", T::Boolean, "false", "drawNotify" },
    Key { "Notify", "FontSize", T::FontSize, "0", "drawNotify" },
    Key { "Notify", "Left", T::Position, "0", "drawNotify: the left end of the baseline" },
    Key { "Notify", "Top", T::Position, "0", "drawNotify: the baseline" },
    Key { "Notify", "FontColor", T::Colour, "0", "drawNotify" },
    Key { "DockBar", "Show", T::Switch, "false", "drawDockBar" },
    Key { "DockBar", "BGIMG", T::Image, "", "drawDockBar: the background", I::Dock },
    Key { "DockBar", "BGTop", T::Position, "0", "drawDockBar: the background" },
    Key { "DockBar", "BGLeft", T::Position, "0", "drawDockBar: the background" },
    Key { "DockBar", "Num", T::Integer, "1", "drawDockBar and the dock focus: slots in use, 0 to 10" },
    Key { "DockBar", "InfoShow", T::Boolean, "false", "drawDockBar: the focused slot's name on or off" },
    Key { "DockBar", "Top%1", T::Position, "1", "drawDockBar: the slot's icon" },
    Key { "DockBar", "Left%1", T::Position, "1", "drawDockBar: the slot's icon" },
    Key { "DockBar", "SizeHeight%1", T::Integer, "1", "drawDockBar: the icon's height" },
    Key { "DockBar", "WidgetHeight%1", T::Integer, "1", "drawDockBar: the focused icon's height" },
    Key { "DockBar", "SizeWidth%1", T::Integer, "1", "drawDockBar: the icon's width" },
    Key { "DockBar", "WidgetWidth%1", T::Integer, "1", "drawDockBar: the focused icon's width" },
    Key { "DockBar", "InfoFontSize%1", T::FontSize, "12",
        "drawDockBar: the slot's name (read when InfoShow is on)" },
    Key { "DockBar", "InfoFontLeft%1", T::Position, "0", "drawDockBar: the slot's name" },
    Key { "DockBar", "InfoFontTop%1", T::Position, "0", "drawDockBar: the slot's name" },
    Key { "DockBar", "InfoFontColor%1", T::Colour, "0", "drawDockBar: the slot's name" },
    Key { "General", "SkinName", T::Text, "", "the skin chooser: the skin's title" },
    Key { "General", "Author", T::Text, "", "the skin chooser: the skin's author" },
};

constexpr const char *OddSpellings[] = { "FramwCover", "colon0Top", "colon1Top", "MouLeft", "MouTop" };

// The slot index at the end of a written key: plain decimal without leading zeros, below SlotCount.
int slotSuffix(QStringView written, QLatin1StringView prefix)
{
    if (!written.startsWith(prefix) || written.size() != prefix.size() + 1)
        return -1;
    const QChar digit = written.back();
    return digit.isDigit() && digit.unicode() < 128 ? digit.unicode() - u'0' : -1;
}

} // namespace

std::span<const Key> keys()
{
    return Table;
}

QStringList groups()
{
    QStringList names;
    for (const Key &key : Table) {
        const QString group = QLatin1StringView(key.group);
        if (!names.contains(group))
            names.append(group);
    }
    return names;
}

bool isSlotKey(const Key &key)
{
    return QLatin1StringView(key.key).endsWith(QLatin1StringView("%1"));
}

QString keyName(const Key &key, int slot)
{
    const QString name = QLatin1StringView(key.key);
    return isSlotKey(key) ? name.arg(slot) : name;
}

const Key *find(QStringView group, QStringView key, int *slot)
{
    for (const Key &entry : Table) {
        if (group != QLatin1StringView(entry.group))
            continue;
        const QLatin1StringView name(entry.key);
        if (!isSlotKey(entry)) {
            if (key == name)
                return &entry;
            continue;
        }
        const int index = slotSuffix(key, name.chopped(2));
        if (index >= 0) {
            if (slot)
                *slot = index;
            return &entry;
        }
    }
    return nullptr;
}

bool isGroup(QStringView group)
{
    for (const Key &entry : Table) {
        if (group == QLatin1StringView(entry.group))
            return true;
    }
    return false;
}

bool isOddSpelling(QStringView name)
{
    for (const char *odd : OddSpellings) {
        if (name == QLatin1StringView(odd))
            return true;
    }
    return false;
}

QString typeName(ValueType type)
{
    switch (type) {
    case ValueType::Switch:
        return QStringLiteral("switch");
    case ValueType::Boolean:
        return QStringLiteral("truth value");
    case ValueType::Image:
        return QStringLiteral("image");
    case ValueType::Position:
        return QStringLiteral("position");
    case ValueType::Integer:
        return QStringLiteral("integer");
    case ValueType::FontSize:
        return QStringLiteral("font size");
    case ValueType::Colour:
        return QStringLiteral("colour");
    case ValueType::Text:
        return QStringLiteral("text");
    }
    return QString();
}

} // namespace SkinSchema
