#pragma once

#include <QLatin1StringView>

/**
 * Every path of the phone's file system the project reads or writes, as the phone spells it.
 * A file is opened at devicePath() of one of these; kestrow-device lays them out under a
 * desktop device root.
 */
namespace PhonePaths {

/** The settings application's folder: the program, its language files, images and scripts. */
inline constexpr QLatin1StringView AppFolder { "/ezxlocal/Kestrow" };
/** The settings application, as the phone's menu starts it. */
inline constexpr QLatin1StringView SetupProgram { "/ezxlocal/Kestrow/kestrow-setup" };
/** Kestrow's settings file, shared by the plug-in and the settings application. */
inline constexpr QLatin1StringView SettingsFile { "/ezxlocal/Kestrow/Kestrow.cfg" };
/** The installed skins, one folder each. */
inline constexpr QLatin1StringView SkinFolder { "/ezxlocal/Kestrow/skin/" };
/** Stand-ins for the phone's live state: battery and signal levels, the launcher's log. */
inline constexpr QLatin1StringView RunFolder { "/ezxlocal/Kestrow/run/" };
inline constexpr QLatin1StringView LaunchLog { "/ezxlocal/Kestrow/run/launches.log" };

/** The scripts the phone runs at start, in name order, those whose name begins with "S". */
inline constexpr QLatin1StringView AutorunFolder { "/ezxlocal/download/mystuff/unKnown/" };
/** The autorun script that loads the plug-in. */
inline constexpr QLatin1StringView AutorunScript { "/ezxlocal/download/mystuff/unKnown/S10KestrowPulgin" };

/** The platform's display settings: wallpaper and skin. */
inline constexpr QLatin1StringView SystemSettings { "/ezxlocal/download/appwrite/setup/ezx_system.cfg" };
/** The platform's idle screen settings. */
inline constexpr QLatin1StringView IdleSettings { "/ezxlocal/download/appwrite/setup/ezx_idle.cfg" };
/** The wallpaper kestrow-device installs. */
inline constexpr QLatin1StringView Wallpaper { "/ezxlocal/download/mystuff/wallpaper/kestrow-dusk.png" };
/** The platform skin kestrow-device installs. */
inline constexpr QLatin1StringView PlatformSkin { "/usr/data_resource/skin/kestrow-plain" };
/** The device's icon resources. */
inline constexpr QLatin1StringView IconFolder { "/usr/data_resource/icons/" };

} // namespace PhonePaths

/**
 * The phone's application registries, files kept by its application manager. Each is an
 * INI-style file read through ZConfig; kestrow-device init writes desktop stand-ins for them.
 */
namespace AppRegistries {

/** Installed applications: one group per application id, keys Name, AppType, Directory, Icon, ExecId. */
inline constexpr QLatin1StringView InstalledDb { "/ezxlocal/download/appwrite/am/InstalledDB" };
/** Applications on the memory card, keyed as InstalledDB. */
inline constexpr QLatin1StringView CardRegistry { "/mmc/mmca1/.system/java/CardRegistry" };
/** The menu folders: one group per folder, key Items listing application ids separated by ";". */
inline constexpr QLatin1StringView UserMenuTree { "/ezxlocal/download/appwrite/am/UserMenuTree" };
/** Preloaded applications: one group per id, keys Name, AppType, BigIcon, ExecId, Directory. */
inline constexpr QLatin1StringView SysRegistry { "/usr/data_resource/preloadapps/SysRegistry" };

} // namespace AppRegistries
