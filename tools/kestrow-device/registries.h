#pragma once

#include <QString>

#include <functional>

/**
 * The phone's application registries made real on a desktop, under the device root that
 * $KESTROW_ROOT names:
 * - "SysRegistry" and "UserMenuTree" list this machine's desktop entries (type 2, so that
 *   a launch goes by the desktop file id). init marks them with a first comment line and
 *   rewrites a marked file on every run; a file without the mark is kept as it is.
 * - "InstalledDB" holds the applications the project installs into the device root, the
 *   settings application at least. init keeps those groups up to date and leaves every
 *   other group of the file alone, so a user may add applications of their own there.
 */
namespace DeviceRegistries {

/** The first line of a registry that init made and will rewrite. */
inline constexpr char Mark[] = "# kestrow-device init";

/** The settings application's group in "InstalledDB" and the keys init keeps there. */
inline constexpr char SetupId[] = "kestrow-setup";
inline constexpr char SetupExecId[] = "kestrow-setup";
inline constexpr char SetupIcon[] = "img/kestrow.png";

/** Told the path of a symbolic link found in the way of a file to write. */
using LinkReporter = std::function<void(const QString &link)>;

/**
 * Writes the three registries; prints one line per file and returns the number of failures.
 * A link in the way goes to @p reportLink, which says it.
 */
int write(const LinkReporter &reportLink);

} // namespace DeviceRegistries
