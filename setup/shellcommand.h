#pragma once

#include <QString>

/**
 * The settings application's shell commands. Every path put into a command
 * line goes through shellQuote() (platform/toolcommandline.h), so that a folder
 * holding spaces, quotes or other characters the shell gives a meaning to stays
 * one word and runs nothing.
 */
namespace ShellCommand {

/** Runs the command line with the shell and waits for it; its status is returned, not judged. */
int run(const QString &command);

/** How a checked command ended: whether it succeeded and, when not, why in one line. */
struct Outcome {
    bool ok = false;
    QString reason;
};

/**
 * Runs the command line as run() does and judges it: only exit status 0 succeeds. What the
 * command writes on standard error still reaches ours; its last line is the reason of a failure.
 */
Outcome runChecked(const QString &command);

} // namespace ShellCommand
