#pragma once

#include <QString>

#include <functional>

/**
 * The settings application installed into a device root, as the phone keeps
 * it in "/ezxlocal/Kestrow/": the program (a small script that runs the built
 * kestrow-setup under its own name, so that its application directory is this
 * folder), its language files, its images in "img/" and its three scripts. A
 * new device root also gets the autorun script, so that its home screen shows
 * the skin at once. Files that exist are kept.
 */
namespace SettingsApp {

/** Told the path of a symbolic link found in the way of a file to write. */
using LinkReporter = std::function<void(const QString &link)>;

/** Whether the current device root is new: it has no settings file yet. Asked before init writes. */
bool isNewRoot();

/** "zh-cn" when the desktop's language is Chinese, else "en-us". */
QString languageFromLocale();

/** Installs under the current device root; returns the number of files that failed. */
int install(bool newRoot, const LinkReporter &reportLink);

} // namespace SettingsApp
