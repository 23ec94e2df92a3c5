#include "data/deviceroot.h"

#include "data/settingsfile.h"
#include "platform/devicepath.h"

#include <QFileInfo>

namespace DeviceRootCheck {

std::optional<QString> problem()
{
    const QString root = deviceRoot();
    const QString shown = root.isEmpty() ? QStringLiteral("/") : root;
    const QString fix = QStringLiteral("make one with: kestrow-device init %1")
                            .arg(root.isEmpty() ? QStringLiteral("DIR, then pass --root DIR") : root);
    const QFileInfo folder(shown);
    if (!folder.exists())
        return QStringLiteral("device root %1 does not exist; %2").arg(shown, fix);
    if (!folder.isDir())
        return QStringLiteral("device root %1 is not a folder; %2").arg(shown, fix);
    const QFileInfo settings(SettingsFile::filePath());
    // init keeps whatever stands at the settings file's place: it has to go first.
    if (settings.exists() && !settings.isFile())
        return QStringLiteral(
            "device root %1: its settings file %2 is not a regular file; move it away, then: "
            "kestrow-device init %1")
            .arg(shown, SettingsFile::Path);
    if (!settings.isFile())
        return QStringLiteral("device root %1 holds no settings file %2; %3")
            .arg(shown, SettingsFile::Path, fix);
    return std::nullopt;
}

} // namespace DeviceRootCheck
