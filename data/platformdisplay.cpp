#include "data/platformdisplay.h"

#include "data/skinmodel.h"
#include "platform/devicepath.h"
#include "platform/phonepaths.h"
#include "platform/zconfig.h"

#include <QFileInfo>

#include <algorithm>

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
    return PhonePaths::SystemSettings;
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
    const auto padding = [&layoutFile](const QString &key) {
        return std::clamp(
            layoutFile.readNumEntry(SoftKeyGroup, key, DefaultPadding), -SkinNumberLimit, SkinNumberLimit);
    };
    return padding(QStringLiteral("Padding_Bottom")) + padding(QStringLiteral("Padding_Top"));
}
