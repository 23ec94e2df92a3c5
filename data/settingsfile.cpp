#include "data/settingsfile.h"

#include "platform/devicepath.h"
#include "platform/zconfig.h"

namespace SettingsFile {

QString filePath()
{
    return devicePath(Path);
}

QString slotKey(const QString &pattern, int index)
{
    QString key = pattern;
    return key.replace(QLatin1String("%1"), QString::number(index));
}

CountdownEvent defaultCountdownEvent()
{
    return { 2030, 1, 1, QString::fromUtf8("2030年元旦") };
}

CountdownEvent countdownEvent(const ZConfig &settings)
{
    const CountdownEvent def = defaultCountdownEvent();
    return {
        settings.readUIntEntry(NotifyGroup, YearKey, def.year),
        settings.readUIntEntry(NotifyGroup, MonthKey, def.month),
        settings.readUIntEntry(NotifyGroup, DayKey, def.day),
        settings.readEntry(NotifyGroup, InfoKey, def.info),
    };
}

bool writeCountdownEvent(ZConfig &settings, const CountdownEvent &event)
{
    // One replace of the file: an event is never stored half new, half old.
    return settings.writeEntries({ { NotifyGroup, YearKey, QString::number(event.year) },
        { NotifyGroup, MonthKey, QString::number(event.month) },
        { NotifyGroup, DayKey, QString::number(event.day) }, { NotifyGroup, InfoKey, event.info } });
}

bool writeDockSlot(ZConfig &settings, int index, const DockSlotSetting &slot)
{
    return settings.writeEntries({ { DockGroup, slotKey(IconKey, index), slot.icon },
        { DockGroup, slotKey(TypeKey, index), slot.type }, { DockGroup, slotKey(ExecKey, index), slot.exec },
        { DockGroup, slotKey(NameKey, index), slot.name } });
}

QString skin(const ZConfig &settings, const QString &def)
{
    return settings.readEntry(MainGroup, SkinKey, def);
}

bool writeSkin(ZConfig &settings, const QString &name)
{
    return settings.writeEntry(MainGroup, SkinKey, name);
}

} // namespace SettingsFile
