#pragma once

#include <QString>

#include <optional>

/** Whether the device root in force can be used by a program that reads the phone's files. */
namespace DeviceRootCheck {

/**
 * Why the device root ($KESTROW_ROOT, or "/" when unset) cannot be used: it does not exist, is not a
 * folder, or holds no settings file. The text names the `kestrow-device init` command that makes one.
 * nullopt when it can be used.
 */
std::optional<QString> problem();

} // namespace DeviceRootCheck
