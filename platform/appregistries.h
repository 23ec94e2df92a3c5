#pragma once

#include <QLatin1StringView>

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
