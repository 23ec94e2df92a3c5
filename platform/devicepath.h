#pragma once

#include <QString>

/**
 * Resolves a phone path ("/ezxlocal/...", "/mmc/...", "/usr/data_resource/...")
 * under the device root: the folder named by $KESTROW_ROOT, or "/" when it is
 * unset, as on the phone itself. Paths read out of files go through here too.
 * The result is clean, and ".." cannot climb above the root: such steps are
 * dropped with one diagnostic line. A relative path is returned unchanged.
 * The variable is read on every call so that a test can switch device roots.
 */
QString devicePath(const QString &phonePath);

/** Whether a real file path, once its ".." are resolved, lies under the device root. */
bool isInsideDeviceRoot(const QString &filePath);

/** The device root itself, without a trailing slash ("" for "/"). */
QString deviceRoot();
