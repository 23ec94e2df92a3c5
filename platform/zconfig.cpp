#include "platform/zconfig.h"

#include "platform/filelock.h"
#include "platform/regularfile.h"
#include "platform/zconfigdocument.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long a flush waits for another writer of the same file before it gives up.
constexpr int LockWaitMs = 3000;
// The random part of a temporary file's name, as mkostemp makes it.
constexpr qsizetype TemporarySuffix = 6;

// The file a write replaces: the target of a symbolic link, so that the link stays.
QString replacedFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    return info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
}

QString lockPath(const QString &target)
{
    return target + QStringLiteral(".lock");
}

bool isTemporaryName(const QByteArray &name, const QByteArray &prefix)
{
    if (name.size() != prefix.size() + TemporarySuffix || !name.startsWith(prefix))
        return false;
    return std::all_of(name.cend() - TemporarySuffix, name.cend(),
        [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

/**
 * Removes the temporary files of earlier writes of the file that never reached
 * their rename (their writer was killed). Called with the file's lock held:
 * every writer makes its temporary file only while it holds the lock, so any
 * such file seen now has no live writer.
 */
void removeStaleTemporaries(const QString &target)
{
    const QFileInfo info(target);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const QByteArray prefix = "." + QFile::encodeName(info.fileName()) + ".";
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        struct stat st {
        };
        if (isTemporaryName(name, prefix) && ::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(st.st_mode))
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

/**
 * Replaces the file in one step: the new content goes to a temporary file in
 * the same folder, reaches storage, and is renamed over the old one. A reader
 * opens either the old or the new file, never a half-written one, and a crash
 * leaves the old file in place.
 */
bool replaceFile(const QString &target, const QByteArray &bytes, QString *error)
{
    const QByteArray targetName = QFile::encodeName(target);
    struct stat old {
    };
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    mode_t mode = 0644;
    if (exists) {
        // The mode bits are checked as well as access(): a read-only file stays so even for root.
        if (!S_ISREG(old.st_mode)) {
            *error = QStringLiteral("not a regular file");
            return false;
        }
        if ((old.st_mode & 0222) == 0) {
            *error = QStringLiteral("the file is read-only");
            return false;
        }
        if (::access(targetName.constData(), W_OK) != 0) {
            *error = RegularFile::systemError(errno);
            return false;
        }
        mode = old.st_mode & 07777;
    }

    const QFileInfo targetInfo(target);
    const QByteArray folder = QFile::encodeName(targetInfo.absolutePath());
    QByteArray temporary = folder + "/." + QFile::encodeName(targetInfo.fileName()) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        *error = RegularFile::systemError(errno);
        return false;
    }
    int failure = 0;
    if (::fchmod(fd, mode) != 0)
        failure = errno;
    if (!failure && exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Only root can hand the file back to its owner; for others the new file is theirs.
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    }
    if (!failure)
        failure = RegularFile::writeAll(fd, bytes);
    if (!failure && ::fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && !failure)
        failure = errno;
    if (!failure && ::rename(temporary.constData(), targetName.constData()) != 0)
        failure = errno;
    if (failure) {
        ::unlink(temporary.constData());
        *error = RegularFile::systemError(failure);
        return false;
    }
    // The rename itself reaches storage only with its folder.
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

/**
 * Whether the file was said to be unreadable since it last read well; notes the new state. A file
 * read again and again (the plug-in's activation check and its load, every reload) is said to be
 * unreadable once, not once per reader.
 */
bool unreadableSaid(const QString &path, bool unreadable)
{
    static QMutex mutex;
    static QSet<QString> said;
    const QMutexLocker locker(&mutex);
    const bool before = said.contains(path);
    if (unreadable)
        said.insert(path);
    else
        said.remove(path);
    return before;
}

} // namespace

ZConfig::ZConfig(const QString &path, bool autoCreate)
    : m_path(path)
    , m_document(std::make_unique<ZConfigDocument>())
{
    // Every caller passes false; a missing file reads as empty and is created by the first write.
    Q_UNUSED(autoCreate);
    QString error;
    if (const std::optional<QByteArray> bytes = ZConfigDocument::readFile(path, &error)) {
        m_document = std::make_unique<ZConfigDocument>(*bytes);
        m_onDisk = *bytes;
        unreadableSaid(path, false);
    } else if (!unreadableSaid(path, true)) {
        qWarning("ZConfig: cannot read \"%s\": %s", qUtf8Printable(path), qUtf8Printable(error));
    }
}

ZConfig::~ZConfig()
{
    save();
}

QString ZConfig::readEntry(const QString &group, const QString &key, const QString &def) const
{
    return m_document->value(group, key).value_or(def);
}

int ZConfig::readNumEntry(const QString &group, const QString &key, int def) const
{
    const std::optional<QString> text = m_document->value(group, key);
    if (!text)
        return def;
    return int(ZConfigDocument::toInteger(*text, INT_MIN, INT_MAX).value_or(def));
}

unsigned int ZConfig::readUIntEntry(const QString &group, const QString &key, unsigned int def) const
{
    const std::optional<QString> text = m_document->value(group, key);
    if (!text)
        return def;
    return static_cast<unsigned int>(ZConfigDocument::toInteger(*text, 0, UINT_MAX).value_or(def));
}

bool ZConfig::readBoolEntry(const QString &group, const QString &key, bool def) const
{
    const std::optional<QString> text = m_document->value(group, key);
    if (!text)
        return def;
    return ZConfigDocument::toBool(*text).value_or(def);
}

bool ZConfig::writeEntry(const QString &group, const QString &key, const QString &value)
{
    return writeEntries({ { group, key, value } });
}

bool ZConfig::writeEntries(const QList<Entry> &entries)
{
    for (const Entry &entry : entries) {
        if (!ZConfigDocument::isGroupName(entry.group) || !ZConfigDocument::isKeyName(entry.key)) {
            // Names are shown escaped, so that the diagnostic stays one line.
            qWarning("ZConfig: cannot write [%s] %s to \"%s\": the name cannot be stored",
                ZConfigDocument::escape(entry.group).constData(),
                ZConfigDocument::escape(entry.key).constData(), qUtf8Printable(m_path));
            m_error = QStringLiteral("the name cannot be stored");
            return false;
        }
    }
    for (const Entry &entry : entries)
        m_document->setValue(entry.group, entry.key, entry.value);
    m_pending.append(entries);
    return save();
}

bool ZConfig::writeEntry(const QString &group, const QString &key, int value)
{
    return writeEntry(group, key, QString::number(value));
}

bool ZConfig::writeEntry(const QString &group, const QString &key, unsigned int value)
{
    return writeEntry(group, key, QString::number(value));
}

void ZConfig::getGroupsKeyList(QStringList &groups) const
{
    groups = m_document->groups();
}

bool ZConfig::flush()
{
    return save();
}

QString ZConfig::path() const
{
    return m_path;
}

// The pending writes are replayed on the file as it is now, so that values
// another process or another ZConfig wrote since this one read it are kept.
// The lock makes re-read, replay and rename one step for every writer of the file.
bool ZConfig::save()
{
    if (m_pending.isEmpty())
        return true;
    QString error;
    const QString target = replacedFile(m_path);
    FileLock lock;
    std::optional<QByteArray> current;
    if (lock.acquire(lockPath(target), LockWaitMs, &error)) {
        removeStaleTemporaries(target);
        current = ZConfigDocument::readFile(m_path, &error);
    }
    if (current) {
        std::unique_ptr<ZConfigDocument> fresh;
        if (*current != m_onDisk) {
            fresh = std::make_unique<ZConfigDocument>(*current);
            for (const Entry &write : std::as_const(m_pending))
                fresh->setValue(write.group, write.key, write.value);
        }
        const QByteArray bytes = fresh ? fresh->toBytes() : m_document->toBytes();
        if (bytes == *current || replaceFile(target, bytes, &error)) {
            if (fresh)
                m_document = std::move(fresh);
            m_onDisk = bytes;
            m_pending.clear();
            m_failureReported = false;
            m_error.clear();
            return true;
        }
    }
    // One line per failure: retries of the same pending writes stay silent.
    if (!m_failureReported)
        qWarning("ZConfig: cannot write \"%s\": %s", qUtf8Printable(m_path), qUtf8Printable(error));
    m_failureReported = true;
    m_error = error;
    return false;
}
