#include "platform/regularfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// O_NONBLOCK: opening a named pipe returns at once instead of waiting for its other end.
int openRegular(const QString &path, int flags, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = RegularFile::systemError(errno);
        return -1;
    }
    struct stat info {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *error = QStringLiteral("not a regular file");
        errno = EINVAL;
        return -1;
    }
    return fd;
}

} // namespace

std::optional<QByteArray> RegularFile::read(
    const QString &path, qint64 maxBytes, QString *error, bool *missing)
{
    if (missing)
        *missing = false;
    const int fd = openRegular(path, O_RDONLY, error);
    if (fd < 0) {
        if (missing)
            *missing = errno == ENOENT || errno == ENOTDIR;
        return std::nullopt;
    }
    QByteArray bytes;
    constexpr qsizetype Chunk = 64 * 1024;
    for (;;) {
        // One byte past the limit tells a file that is too long from one that just fits.
        const qsizetype want = qsizetype(qMin<qint64>(Chunk, maxBytes + 1 - bytes.size()));
        if (want <= 0) {
            ::close(fd);
            *error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
            return std::nullopt;
        }
        const qsizetype had = bytes.size();
        if (bytes.capacity() < had + want)
            bytes.reserve(qMax(2 * bytes.capacity(), had + want));
        bytes.resize(had + want);
        const ssize_t got = ::read(fd, bytes.data() + had, size_t(want));
        if (got < 0 && errno == EINTR) {
            bytes.resize(had);
            continue;
        }
        if (got < 0) {
            const int code = errno;
            ::close(fd);
            *error = RegularFile::systemError(code);
            return std::nullopt;
        }
        bytes.resize(had + got);
        if (got == 0)
            break;
    }
    ::close(fd);
    return bytes;
}

bool RegularFile::append(const QString &path, const QByteArray &bytes, QString *error)
{
    const int fd = openRegular(path, O_WRONLY | O_APPEND | O_CREAT, error);
    if (fd < 0)
        return false;
    if (const int failure = writeAll(fd, bytes)) {
        *error = systemError(failure);
        ::close(fd);
        return false;
    }
    return ::close(fd) == 0;
}

int RegularFile::writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        data += written;
        left -= written;
    }
    return 0;
}

QString RegularFile::systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}
