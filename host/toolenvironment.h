#pragma once

#include <QProcessEnvironment>

/**
 * The environment of the programs the home screen starts (autorun scripts, the
 * settings application): the device root in $KESTROW_ROOT, and the folder of
 * the home screen's own program first in $PATH, so that the scripts find
 * kestrow-qcop, kestrow-config and kestrow-host of the same build.
 */
namespace ToolEnvironment {

QProcessEnvironment forScripts();

} // namespace ToolEnvironment
