#pragma once

#include <QString>

/**
 * The phone's own display settings, which it keeps in its system settings file
 * and its user-interface theme: the wallpaper and the height of the soft-key bar.
 */
class PlatformDisplay
{
public:
    /** "/ezxlocal/download/appwrite/setup/ezx_system.cfg", as a phone path. */
    static QString systemSettingsPath();
    /** [SYS_DISPLAY_SET] Wallpaper: a phone path, or "". */
    static QString wallpaperPath();
    /** [SYS_DISPLAY_SET] Skin: the phone path of the platform theme folder, or "". */
    static QString platformSkin();
    /** Padding_Bottom + Padding_Top of the soft-key bar (3 + 3 when the theme says nothing). */
    static int paddingSum();
};
