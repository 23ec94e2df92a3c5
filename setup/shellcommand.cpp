#include "setup/shellcommand.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace ShellCommand {

int run(const QString &command)
{
    // What the window wrote so far goes out before anything the command writes.
    std::fflush(stdout);
    return std::system(QFile::encodeName(command).constData());
}

} // namespace ShellCommand
