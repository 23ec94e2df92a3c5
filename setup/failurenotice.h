#pragma once

#include <QString>

/**
 * Tells the user that something the settings application tried could not be
 * done: one line "kestrow-setup: <what>: <reason>" on standard error, and a
 * message popup in the application's language (the text of the language key,
 * then the reason) that stays until the user closes it.
 */
namespace FailureNotice {

void show(const char *key, const QString &what, const QString &reason);

} // namespace FailureNotice
