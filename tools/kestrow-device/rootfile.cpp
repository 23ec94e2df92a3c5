#include "tools/kestrow-device/rootfile.h"

#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Result = RootFile::Result;

QString systemError()
{
    return RegularFile::systemError(errno);
}

// What is at the path itself, links not followed: 0 when nothing is.
mode_t kindAt(const QString &path)
{
    struct stat info {
    };
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & S_IFMT;
}

// Walks from the root down to @p target, making each missing folder; the last component is a
// folder too when @p lastIsFolder.
Result makePath(const QString &root, const QString &target, bool lastIsFolder, QString *detail)
{
    const QString base = QDir::cleanPath(root);
    const QString relative = QDir::cleanPath(target).mid(base.size());
    if (!QDir::cleanPath(target).startsWith(base + QLatin1Char('/'))) {
        *detail = QStringLiteral("not inside the device root");
        return Result::Failed;
    }
    QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!lastIsFolder)
        parts.removeLast();
    QString path = base;
    for (const QString &part : std::as_const(parts)) {
        path += QLatin1Char('/') + part;
        mode_t kind = kindAt(path);
        if (kind == 0 && ::mkdir(QFile::encodeName(path).constData(), 0755) != 0 && errno != EEXIST) {
            *detail = QStringLiteral("cannot create its folder: %1").arg(systemError());
            return Result::Failed;
        }
        kind = kindAt(path);
        if (kind == S_IFLNK) {
            *detail = path;
            return Result::LinkInTheWay;
        }
        if (kind != S_IFDIR) {
            *detail = QStringLiteral("cannot create its folder");
            return Result::Failed;
        }
    }
    return Result::Created;
}

bool writeNew(const QByteArray &name, const QByteArray &content)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const char *data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        data += written;
        left -= written;
    }
    const bool complete = left == 0 && ::fsync(fd) == 0;
    return ::close(fd) == 0 && complete;
}

// Moves the draft to the target unless something is there by now; never replaces, never follows.
bool moveNew(const QByteArray &draft, const QByteArray &target)
{
    if (::renameat2(AT_FDCWD, draft.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the no-replace rename: a hard link refuses an existing name just the same.
    if (::link(draft.constData(), target.constData()) != 0)
        return false;
    ::unlink(draft.constData());
    return true;
}

} // namespace

RootFile::Result RootFile::create(
    const QString &root, const QString &target, const QByteArray &content, QString *detail)
{
    const Result folders = makePath(root, target, false, detail);
    if (folders != Result::Created)
        return folders;
    const mode_t kind = kindAt(target);
    if (kind == S_IFLNK) {
        *detail = target;
        return Result::LinkInTheWay;
    }
    if (kind != 0)
        return Result::Kept;
    // The file is made complete beside its place and then moved there, so that an interrupted run
    // never leaves a half-written file that a later run would keep.
    const QString draft = target + QStringLiteral(".kestrow-init");
    const mode_t draftKind = kindAt(draft);
    if (draftKind == S_IFLNK) {
        *detail = draft;
        return Result::LinkInTheWay;
    }
    if (draftKind != 0 && draftKind != S_IFREG) {
        *detail = QStringLiteral("%1 is in the way").arg(draft);
        return Result::Failed;
    }
    const QByteArray draftName = QFile::encodeName(draft);
    ::unlink(draftName.constData());
    if (!writeNew(draftName, content)) {
        *detail = QStringLiteral("cannot write it: %1").arg(systemError());
        ::unlink(draftName.constData());
        return Result::Failed;
    }
    if (!moveNew(draftName, QFile::encodeName(target))) {
        *detail = QStringLiteral("cannot move it into place: %1").arg(systemError());
        ::unlink(draftName.constData());
        return Result::Failed;
    }
    return Result::Created;
}

RootFile::Result RootFile::makeFolders(const QString &root, const QString &target, QString *detail)
{
    return makePath(root, target, true, detail);
}
