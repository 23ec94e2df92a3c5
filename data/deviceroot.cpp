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
    if (!QFileInfo(SettingsFile::filePath()).isFile())
        return QStringLiteral("device root %1 holds no settings file %2; %3")
            .arg(shown, SettingsFile::Path, fix);
    return std::nullopt;
}

} // namespace DeviceRootCheck
