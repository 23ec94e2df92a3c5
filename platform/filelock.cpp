#include "platform/filelock.h"

#include "platform/regularfile.h"

#include <QDeadlineTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

void pause(int ms)
{
    timespec delay { 0, long(ms) * 1000 * 1000 };
    while (::nanosleep(&delay, &delay) != 0 && errno == EINTR) { }
}

} // namespace

FileLock::~FileLock()
{
    // Closing the descriptor releases the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileLock::acquire(const QString &path, int waitMs, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0) {
        *error = QStringLiteral("cannot open the lock %1: %2").arg(path, RegularFile::systemError(errno));
        return false;
    }
    struct stat info {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *error = QStringLiteral("the lock %1 is not a regular file").arg(path);
        return false;
    }
    // Polled rather than blocking, so that the wait has an end without signals.
    const QDeadlineTimer deadline(waitMs);
    int step = 1;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
            const bool busy = errno == EWOULDBLOCK;
            *error = busy ? QStringLiteral("another writer held the lock %1 for %2 ms").arg(path).arg(waitMs)
                          : QStringLiteral("cannot lock %1: %2").arg(path, RegularFile::systemError(errno));
            ::close(fd);
            return false;
        }
        pause(step);
        step = std::min(step * 2, 20);
    }
    m_fd = fd;
    return true;
}
