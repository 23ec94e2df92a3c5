#include "data/platformdisplay.h"

#include "platform/devicepath.h"
#include "platform/zconfig.h"

#include <QFileInfo>

namespace {

const QString DisplayGroup = QStringLiteral("SYS_DISPLAY_SET");
const QString SoftKeyGroup = QStringLiteral("ZSoftKey_Right");
constexpr int DefaultPadding = 3;

QString displayEntry(const QString &key)
{
    const ZConfig system(devicePath(PlatformDisplay::systemSettingsPath()));
    return system.readEntry(DisplayGroup, key, QString());
}

} // namespace

QString PlatformDisplay::systemSettingsPath()
{
    return QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg");
}

QString PlatformDisplay::wallpaperPath()
{
    return displayEntry(QStringLiteral("Wallpaper"));
}

QString PlatformDisplay::platformSkin()
{
    return displayEntry(QStringLiteral("Skin"));
}

int PlatformDisplay::paddingSum()
{
    const QString themeFolder = platformSkin();
    // The theme's own home-screen layout wins over its common one.
    QString layout = devicePath(themeFolder + QStringLiteral("/homescreen_p.ini"));
    if (!QFileInfo::exists(layout))
        layout = devicePath(themeFolder + QStringLiteral("/common.ini"));
    const ZConfig layoutFile(layout);
    return layoutFile.readNumEntry(SoftKeyGroup, QStringLiteral("Padding_Bottom"), DefaultPadding)
        + layoutFile.readNumEntry(SoftKeyGroup, QStringLiteral("Padding_Top"), DefaultPadding);
}
