#include "setup/shellcommand.h"

#include "platform/toolcommandline.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

namespace ShellCommand {

int run(const QString &command)
{
    // What the window wrote so far goes out before anything the command writes.
    std::fflush(stdout);
    return std::system(QFile::encodeName(command).constData());
}

namespace {

QString statusText(int status)
{
    if (status == -1)
        return QStringLiteral("the shell could not be started");
    if (WIFSIGNALED(status))
        return QStringLiteral("ended by signal %1").arg(WTERMSIG(status));
    return QStringLiteral("exit status %1").arg(WEXITSTATUS(status));
}

QString lastLine(const QByteArray &text)
{
    const QList<QByteArray> lines = text.trimmed().split('\n');
    return lines.isEmpty() ? QString() : QString::fromLocal8Bit(lines.last().trimmed());
}

} // namespace

Outcome runChecked(const QString &command)
{
    QTemporaryFile errors;
    if (!errors.open())
        return { false, QStringLiteral("no temporary file: %1").arg(errors.errorString()) };
    const int status
        = run(QStringLiteral("{ ") + command + QStringLiteral("\n} 2>") + shellQuote(errors.fileName()));
    const QByteArray text = errors.readAll();
    // The command's own diagnostics reach standard error as if it had written there itself.
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    std::fflush(stderr);
    if (status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return { true, QString() };
    const QString said = lastLine(text);
    return { false, said.isEmpty() ? statusText(status) : said };
}

} // namespace ShellCommand
