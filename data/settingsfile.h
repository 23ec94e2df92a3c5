#pragma once

#include "platform/phonepaths.h"

#include <QLatin1StringView>
#include <QString>

class ZConfig;

/** The countdown event of the settings file: a Gregorian date and the event's name. */
struct CountdownEvent {
    unsigned int year = 0;
    unsigned int month = 0;
    unsigned int day = 0;
    QString info;
};

/** One dock slot as the dock bar editor writes it. */
struct DockSlotSetting {
    QString icon;
    QString type;
    QString exec;
    QString name;
};

/**
 * The settings file that the settings application writes and the plug-in
 * reads: its phone path, groups, keys and defaults. Readers take an open
 * ZConfig so that one load opens the file once; writers go through the
 * ZConfig given and report whether the file holds the values.
 */
namespace SettingsFile {

inline constexpr QLatin1StringView Path = PhonePaths::SettingsFile;

inline constexpr QLatin1StringView MainGroup { "Main" };
inline constexpr QLatin1StringView SkinKey { "Skin" };
inline constexpr QLatin1StringView ActivatedKey { "Activated" };

inline constexpr QLatin1StringView DockGroup { "DockBar" };
inline constexpr QLatin1StringView IconKey { "Icon%1" };
inline constexpr QLatin1StringView TypeKey { "Type%1" };
inline constexpr QLatin1StringView ExecKey { "Exec%1" };
inline constexpr QLatin1StringView NameKey { "Name%1" };
inline constexpr int SlotCount = 10;

inline constexpr QLatin1StringView NotifyGroup { "Notify" };
inline constexpr QLatin1StringView YearKey { "Year" };
inline constexpr QLatin1StringView MonthKey { "Month" };
inline constexpr QLatin1StringView DayKey { "Day" };
inline constexpr QLatin1StringView InfoKey { "Info" };

/** The plug-in's skin when [Main] Skin is missing; the settings application shows "" instead. */
inline constexpr QLatin1StringView DefaultSkin { "default" };
inline constexpr bool DefaultActivated = true;
inline constexpr QLatin1StringView DefaultSlotName { "test" };

/** The settings file under the device root. */
QString filePath();

/** The key of a dock slot: "%1" of the pattern replaced by the index in decimal, Icon0 to Icon9. */
QString slotKey(const QString &pattern, int index);

/** The event shown until the user sets one: New Year's Day 2030. */
CountdownEvent defaultCountdownEvent();
/** [Notify] Year, Month, Day and Info, each defaulting to the built-in event's. */
CountdownEvent countdownEvent(const ZConfig &settings);
/** Writes Year, Month and Day as integers, then Info, with one replace of the file. */
bool writeCountdownEvent(ZConfig &settings, const CountdownEvent &event);

/** Writes Icon, Type, Exec and Name of one slot, in this order, with one replace of the file. */
bool writeDockSlot(ZConfig &settings, int index, const DockSlotSetting &slot);

QString skin(const ZConfig &settings, const QString &def = DefaultSkin);
bool writeSkin(ZConfig &settings, const QString &name);

} // namespace SettingsFile
