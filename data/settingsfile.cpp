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
    // Every write is made even after a failure, so that a later flush can still store them all.
    bool ok = settings.writeEntry(NotifyGroup, YearKey, event.year);
    ok &= settings.writeEntry(NotifyGroup, MonthKey, event.month);
    ok &= settings.writeEntry(NotifyGroup, DayKey, event.day);
    ok &= settings.writeEntry(NotifyGroup, InfoKey, event.info);
    return ok;
}

bool writeDockSlot(ZConfig &settings, int index, const DockSlotSetting &slot)
{
    bool ok = settings.writeEntry(DockGroup, slotKey(IconKey, index), slot.icon);
    ok &= settings.writeEntry(DockGroup, slotKey(TypeKey, index), slot.type);
    ok &= settings.writeEntry(DockGroup, slotKey(ExecKey, index), slot.exec);
    ok &= settings.writeEntry(DockGroup, slotKey(NameKey, index), slot.name);
    return ok;
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
