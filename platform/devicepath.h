#pragma once

#include <QString>

/**
 * Resolves a phone path ("/ezxlocal/...", "/mmc/...", "/usr/data_resource/...")
 * under the device root: the folder named by $KESTROW_ROOT, or "/" when it is
 * unset, as on the phone itself. Paths read out of files go through here too.
 * A relative path is returned unchanged. The variable is read on every call so
 * that a test can switch device roots.
 */
QString devicePath(const QString &phonePath);

/** The device root itself, without a trailing slash ("" for "/"). */
QString deviceRoot();
