#pragma once

#include <QString>

/**
 * The settings application's diagnostic lines on standard output. Each line is
 * written with its line end and flushed at once, so that a reader on a pipe or
 * a file sees it even when the process ends abruptly afterwards.
 */
namespace SetupLog {

void line(const QString &text);

} // namespace SetupLog
