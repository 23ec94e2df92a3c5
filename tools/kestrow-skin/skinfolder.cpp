#include "tools/kestrow-skin/skinfolder.h"

#include "data/settingsfile.h"
#include "data/skinloader.h"
#include "platform/zconfig.h"
#include "tools/kestrow-skin/skinpackage.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Hidden, so that neither the skin chooser nor the list takes a temporary for a skin.
const QString TemporaryPrefix = QStringLiteral(".kestrow-skin-tmp-");
constexpr int LockWaitMs = 30000;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

/** One rename with renameat2's @p flags; false with errno EINVAL where the filesystem has no such rename. */
bool renameOnce(const QString &from, const QString &to, unsigned flags)
{
    return ::renameat2(AT_FDCWD, encoded(from).constData(), AT_FDCWD, encoded(to).constData(), flags) == 0;
}

bool renamePlain(const QString &from, const QString &to)
{
    return ::rename(encoded(from).constData(), encoded(to).constData()) == 0;
}

} // namespace

SkinFolder::SkinFolder()
    : m_root(SkinLoader::skinRoot())
{ }

SkinFolder::~SkinFolder()
{
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool SkinFolder::open(QString *error)
{
    if (!QDir().mkpath(m_root)) {
        *error = QStringLiteral("cannot create the skin folder %1").arg(m_root);
        return false;
    }
    // The lock is on the skin folder itself, so that taking it writes nothing.
    m_lockFd = ::open(encoded(m_root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_lockFd < 0) {
        *error = QStringLiteral("cannot open the skin folder %1: %2").arg(m_root, systemError());
        return false;
    }
    // Another installer is done within moments; one reading a stalled pipe is not waited for.
    const QDeadlineTimer deadline(LockWaitMs);
    while (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK || deadline.hasExpired()) {
            *error = QStringLiteral("cannot lock the skin folder %1: %2")
                         .arg(m_root,
                             errno == EWOULDBLOCK ? QStringLiteral("another kestrow-skin is changing it")
                                                  : systemError());
            return false;
        }
        QThread::msleep(50);
    }
    const QStringList leftovers = QDir(m_root).entryList(
        { TemporaryPrefix + u'*' }, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QString &leftover : leftovers)
        discard(m_root + leftover);
    return true;
}

QString SkinFolder::makeTemporary(QString *error) const
{
    QByteArray pattern = encoded(m_root + TemporaryPrefix + QStringLiteral("XXXXXX"));
    if (!::mkdtemp(pattern.data())) {
        *error = QStringLiteral("cannot make a temporary folder in %1: %2").arg(m_root, systemError());
        return QString();
    }
    return QFile::decodeName(pattern);
}

void SkinFolder::discard(const QString &temporary)
{
    QDir(temporary).removeRecursively();
}

bool SkinFolder::exists(const QString &name) const
{
    struct stat st;
    return ::lstat(encoded(skinPath(name)).constData(), &st) == 0;
}

bool SkinFolder::place(const QString &temporary, const QString &name, bool replace, QString *error) const
{
    const QString target = skinPath(name);
    ::chmod(encoded(temporary).constData(), 0755);
    if (!exists(name)) {
        // Under the lock nothing else installs, so a plain rename is as good where NOREPLACE is missing.
        if (renameOnce(temporary, target, RENAME_NOREPLACE)
            || (errno == EINVAL && renamePlain(temporary, target)))
            return true;
        *error = QStringLiteral("cannot move the skin into %1: %2").arg(target, systemError());
        return false;
    }
    if (!replace) {
        *error = QStringLiteral("a skin \"%1\" is installed already (--replace replaces it)").arg(name);
        return false;
    }
    if (checkedFolder(name, error).isEmpty())
        return false;
    // One step: whoever looks sees the old skin whole or the new one whole; the old one is then
    // in the temporary, removed now or, after a kill, by the next run.
    if (renameOnce(temporary, target, RENAME_EXCHANGE)) {
        discard(temporary);
        return true;
    }
    if (errno != EINVAL) {
        *error = QStringLiteral("cannot exchange %1 for the new skin: %2").arg(target, systemError());
        return false;
    }
    return placeInTwoSteps(temporary, target, error);
}

bool SkinFolder::placeInTwoSteps(const QString &temporary, const QString &target, QString *error) const
{
    // Without an exchange the old skin steps aside whole, then the complete new one moves in.
    const QString old = makeTemporary(error);
    if (old.isEmpty())
        return false;
    if (!renamePlain(target, old)) {
        *error = QStringLiteral("cannot move %1 aside: %2").arg(target, systemError());
        discard(old);
        return false;
    }
    if (!renamePlain(temporary, target)) {
        *error = QStringLiteral("cannot move the skin into %1: %2").arg(target, systemError());
        renamePlain(old, target);
        return false;
    }
    discard(old);
    return true;
}

QString SkinFolder::checkedFolder(const QString &name, QString *error) const
{
    if (!SkinPackage::isTopFolderName(name)) {
        *error = QStringLiteral("\"%1\" is not a skin's folder name in %2").arg(name, m_root);
        return QString();
    }
    const QString folder = skinPath(name);
    struct stat st;
    if (::lstat(encoded(folder).constData(), &st) != 0) {
        *error = QStringLiteral("no skin \"%1\" in %2").arg(name, m_root);
        return QString();
    }
    if (!S_ISDIR(st.st_mode)) {
        *error = QStringLiteral("%1 is %2, not a skin folder; left alone")
                     .arg(folder, S_ISLNK(st.st_mode) ? QStringLiteral("a link") : QStringLiteral("a file"));
        return QString();
    }
    return folder;
}

bool SkinFolder::remove(const QString &name, QString *error) const
{
    const QString folder = checkedFolder(name, error);
    if (folder.isEmpty())
        return false;
    const QString temporary = makeTemporary(error);
    if (temporary.isEmpty())
        return false;
    // A folder renamed onto an empty one takes its place: the skin is gone in one step.
    if (::rename(encoded(folder).constData(), encoded(temporary).constData()) != 0) {
        *error = QStringLiteral("cannot remove %1: %2").arg(folder, systemError());
        discard(temporary);
        return false;
    }
    discard(temporary);
    return true;
}

QString SkinFolder::nameInUse()
{
    return SettingsFile::skin(ZConfig(SettingsFile::filePath()));
}

bool SkinFolder::isInUse(const QString &name) const
{
    if (name == nameInUse())
        return true;
    const QString used = QFileInfo(skinPath(nameInUse())).canonicalFilePath();
    return !used.isEmpty() && used == QFileInfo(skinPath(name)).canonicalFilePath();
}

QStringList SkinFolder::skins() const
{
    QStringList names;
    const QStringList folders
        = QDir(m_root).entryList(QDir::Dirs | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &folder : folders) {
        if (QFileInfo(skinPath(folder) + QStringLiteral("/skin.cfg")).isFile())
            names.append(folder);
    }
    std::sort(names.begin(), names.end());
    return names;
}
