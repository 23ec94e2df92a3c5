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

} // namespace ShellCommand
