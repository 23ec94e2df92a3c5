#include "data/skinschema.h"

#include "data/skinnames.h"

#include <array>

namespace SkinSchema {
namespace {

using T = ValueType;
using I = ImageUse;
using Name = QLatin1StringView;

constexpr std::array Table {
    Key { SkinNames::Background::Group, SkinNames::Background::MidIMG, T::Image, "",
        "drawCenter (every frame); the background for a protected wallpaper", I::Screen },
    Key { SkinNames::FrameCover::Group, SkinNames::Show, T::Switch, "false", "drawFrameCover" },
    Key {
        SkinNames::FrameCover::Group, SkinNames::FrameCover::Img, T::Image, "", "drawFrameCover", I::Plain },
    Key { SkinNames::FrameCover::PlaceGroup, SkinNames::Left, T::Position, "0", "drawFrameCover" },
    Key { SkinNames::FrameCover::PlaceGroup, SkinNames::Top, T::Position, "0", "drawFrameCover" },
    Key { SkinNames::Analog::Group, SkinNames::Show, T::Switch, "false", "drawAnalog" },
    Key { SkinNames::Analog::Group, SkinNames::Analog::BackIMG, T::Image, "", "drawAnalog: the dial",
        I::Plain },
    Key { SkinNames::Analog::Group, SkinNames::Analog::CenterIMG, T::Image, "", "loaded, never drawn",
        I::Plain },
    Key { SkinNames::Analog::Group, SkinNames::Analog::MinIMG, T::Image, "", "drawAnalog: the minute hand",
        I::Plain },
    Key { SkinNames::Analog::Group, SkinNames::Analog::HourIMG, T::Image, "", "drawAnalog: the hour hand",
        I::Plain },
    Key { SkinNames::Analog::Group, SkinNames::Analog::SecShow, T::Boolean, "true",
        "drawAnalog: the second hand on or off" },
    Key { SkinNames::Analog::Group, SkinNames::Analog::SecIMG, T::Image, "",
        "drawAnalog: the second hand (read when SecShow is on)", I::Plain },
    Key { SkinNames::Analog::Group, SkinNames::Left, T::Position, "0", "drawAnalog: the dial's top left" },
    Key { SkinNames::Analog::Group, SkinNames::Top, T::Position, "0", "drawAnalog: the dial's top left" },
    Key { SkinNames::Digital::Group, SkinNames::Show, T::Switch, "false", "drawDigital" },
    Key { SkinNames::Digital::Group, SkinNames::Digital::FontIMG, T::Image, "",
        "drawDigital: the digit strip", I::DigitStrip },
    Key { SkinNames::Digital::Group, SkinNames::Digital::SecShow, T::Boolean, "false",
        "drawDigital: seconds on or off" },
    Key {
        SkinNames::Digital::Group, SkinNames::Digital::HourLeft, T::Position, "0", "drawDigital: the hours" },
    Key {
        SkinNames::Digital::Group, SkinNames::Digital::HourTop, T::Position, "0", "drawDigital: the hours" },
    Key { SkinNames::Digital::Group, SkinNames::Digital::Colon0Left, T::Position, "0",
        "drawDigital: the first colon" },
    Key { SkinNames::Digital::Group, SkinNames::Digital::Colon0Top, T::Position, "0",
        "drawDigital: the first colon" },
    Key { SkinNames::Digital::Group, SkinNames::Digital::MinLeft, T::Position, "0",
        "drawDigital: the minutes" },
    Key {
        SkinNames::Digital::Group, SkinNames::Digital::MinTop, T::Position, "0", "drawDigital: the minutes" },
    Key { SkinNames::Digital::Group, SkinNames::Digital::Colon1Left, T::Position, "0",
        "drawDigital: the second colon" },
    Key { SkinNames::Digital::Group, SkinNames::Digital::Colon1Top, T::Position, "0",
        "drawDigital: the second colon" },
    Key { SkinNames::Digital::Group, SkinNames::Digital::SecLeft, T::Position, "0",
        "drawDigital: the seconds" },
    Key {
        SkinNames::Digital::Group, SkinNames::Digital::SecTop, T::Position, "0", "drawDigital: the seconds" },
    Key { SkinNames::Week::Group, SkinNames::Show, T::Switch, "false", "drawWeek" },
    Key { SkinNames::Week::Group, SkinNames::Week::ResIMG, T::Image, "", "drawWeek: the week-day strip",
        I::WeekStrip },
    Key { SkinNames::Week::Group, SkinNames::Left, T::Position, "0", "drawWeek" },
    Key { SkinNames::Week::Group, SkinNames::Top, T::Position, "0", "drawWeek" },
    Key { SkinNames::Date::Group, SkinNames::Show, T::Switch, "false", "drawDate" },
    Key { SkinNames::Date::Group, SkinNames::Date::FontIMG, T::Image, "", "drawDate: the digit strip",
        I::DigitStrip },
    Key { SkinNames::Date::Group, SkinNames::Date::YearShow, T::Boolean, "false",
        "drawDate: the year on or off" },
    Key { SkinNames::Date::Group, SkinNames::Date::YearLeft, T::Position, "0", "drawDate: the year" },
    Key { SkinNames::Date::Group, SkinNames::Date::YearTop, T::Position, "0", "drawDate: the year" },
    Key { SkinNames::Date::Group, SkinNames::Date::YMLeft, T::Position, "0",
        "drawDate: the separator after the year" },
    Key { SkinNames::Date::Group, SkinNames::Date::YMTop, T::Position, "0",
        "drawDate: the separator after the year" },
    Key { SkinNames::Date::Group, SkinNames::Date::MonLeft, T::Position, "0", "drawDate: the month" },
    Key { SkinNames::Date::Group, SkinNames::Date::MonTop, T::Position, "0", "drawDate: the month" },
    Key { SkinNames::Date::Group, SkinNames::Date::MDLeft, T::Position, "0",
        "drawDate: the separator after the month" },
    Key { SkinNames::Date::Group, SkinNames::Date::MDTop, T::Position, "0",
        "drawDate: the separator after the month" },
    Key { SkinNames::Date::Group, SkinNames::Date::DayLeft, T::Position, "0", "drawDate: the day" },
    Key { SkinNames::Date::Group, SkinNames::Date::DayTop, T::Position, "0", "drawDate: the day" },
    Key { SkinNames::Lunar::Group, SkinNames::Show, T::Switch, "false", "drawLunar" },
    Key { SkinNames::Lunar::Group, SkinNames::FontSize, T::FontSize, "0", "drawLunar" },
    Key { SkinNames::Lunar::Group, SkinNames::FontColor, T::Colour, "0", "drawLunar" },
    Key { SkinNames::Lunar::Group, SkinNames::Left, T::Position, "0",
        "drawLunar: the left end of the baseline" },
    Key { SkinNames::Lunar::Group, SkinNames::Top, T::Position, "0", "drawLunar: the baseline" },
    Key { SkinNames::Battery::Group, SkinNames::Show, T::Switch, "false", "drawBattery" },
    Key { SkinNames::Battery::Group, SkinNames::Left, T::Position, "0", "drawBattery" },
    Key { SkinNames::Battery::Group, SkinNames::Top, T::Position, "0", "drawBattery" },
    Key {
        SkinNames::Battery::Group, Name { "Level0" }, T::Image, "", "drawBattery: levels 0 and 1", I::Gauge },
    Key {
        SkinNames::Battery::Group, Name { "Level1" }, T::Image, "", "drawBattery: levels 2 and 3", I::Gauge },
    Key { SkinNames::Battery::Group, Name { "Level2" }, T::Image, "", "drawBattery: level 4", I::Gauge },
    Key { SkinNames::Battery::Group, Name { "Level3" }, T::Image, "", "drawBattery: level 5", I::Gauge },
    Key { SkinNames::Signal::Group, SkinNames::Show, T::Switch, "false", "drawSignal" },
    Key { SkinNames::Signal::Group, SkinNames::Left, T::Position, "0", "drawSignal" },
    Key { SkinNames::Signal::Group, SkinNames::Top, T::Position, "0", "drawSignal" },
    Key { SkinNames::Signal::Group, Name { "Level0" }, T::Image, "", "drawSignal: quality 0", I::Gauge },
    Key { SkinNames::Signal::Group, Name { "Level1" }, T::Image, "", "drawSignal: quality 1", I::Gauge },
    Key { SkinNames::Signal::Group, Name { "Level2" }, T::Image, "", "drawSignal: quality 2", I::Gauge },
    Key { SkinNames::Signal::Group, Name { "Level3" }, T::Image, "", "drawSignal: quality 3", I::Gauge },
    Key { SkinNames::Signal::Group, Name { "Level4" }, T::Image, "", "drawSignal: quality 4", I::Gauge },
    Key { SkinNames::Signal::Group, Name { "Level5" }, T::Image, "", "drawSignal: quality 5", I::Gauge },
    Key { SkinNames::Notify::Group, SkinNames::Show, T::Switch, "false", "drawNotify" },
    Key { SkinNames::Notify::Group, SkinNames::Notify::Bold, T::Boolean, "false", "drawNotify" },
    Key { SkinNames::Notify::Group, SkinNames::FontSize, T::FontSize, "0", "drawNotify" },
    Key { SkinNames::Notify::Group, SkinNames::Left, T::Position, "0",
        "drawNotify: the left end of the baseline" },
    Key { SkinNames::Notify::Group, SkinNames::Top, T::Position, "0", "drawNotify: the baseline" },
    Key { SkinNames::Notify::Group, SkinNames::FontColor, T::Colour, "0", "drawNotify" },
    Key { SkinNames::DockBar::Group, SkinNames::Show, T::Switch, "false", "drawDockBar" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::BGIMG, T::Image, "", "drawDockBar: the background",
        I::Dock },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::BGTop, T::Position, "0",
        "drawDockBar: the background" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::BGLeft, T::Position, "0",
        "drawDockBar: the background" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::Num, T::Integer, "1",
        "drawDockBar and the dock focus: slots in use, 0 to 10" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::InfoShow, T::Boolean, "false",
        "drawDockBar: the focused slot's name on or off" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::SlotTop, T::Position, "1",
        "drawDockBar: the slot's icon" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::SlotLeft, T::Position, "1",
        "drawDockBar: the slot's icon" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::SizeHeight, T::Integer, "1",
        "drawDockBar: the icon's height" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::WidgetHeight, T::Integer, "1",
        "drawDockBar: the focused icon's height" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::SizeWidth, T::Integer, "1",
        "drawDockBar: the icon's width" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::WidgetWidth, T::Integer, "1",
        "drawDockBar: the focused icon's width" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::InfoFontSize, T::FontSize, "12",
        "drawDockBar: the slot's name (read when InfoShow is on)" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::InfoFontLeft, T::Position, "0",
        "drawDockBar: the slot's name" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::InfoFontTop, T::Position, "0",
        "drawDockBar: the slot's name" },
    Key { SkinNames::DockBar::Group, SkinNames::DockBar::InfoFontColor, T::Colour, "0",
        "drawDockBar: the slot's name" },
    Key { SkinNames::General::Group, SkinNames::General::SkinName, T::Text, "",
        "the skin chooser: the skin's title" },
    Key { SkinNames::General::Group, SkinNames::General::Author, T::Text, "",
        "the skin chooser: the skin's author" },
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
        const QString group = key.group;
        if (!names.contains(group))
            names.append(group);
    }
    return names;
}

bool isSlotKey(const Key &key)
{
    return key.key.endsWith(QLatin1StringView("%1"));
}

QString keyName(const Key &key, int slot)
{
    const QString name = key.key;
    return isSlotKey(key) ? name.arg(slot) : name;
}

const Key *find(QStringView group, QStringView key, int *slot)
{
    for (const Key &entry : Table) {
        if (group != entry.group)
            continue;
        const QLatin1StringView name = entry.key;
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
        if (group == entry.group)
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
