#include "tools/kestrow-skin/skinpackage.h"

#include "data/skinloader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

using ReadArchive = std::unique_ptr<archive, decltype(&archive_read_free)>;
using WriteArchive = std::unique_ptr<archive, decltype(&archive_write_free)>;
using Entry = std::unique_ptr<archive_entry, decltype(&archive_entry_free)>;

constexpr qint64 ChunkSize = 64 * 1024;

QString archiveError(archive *a)
{
    const char *text = archive_error_string(a);
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown archive error");
}

la_ssize_t writeToFile(archive *, void *file, const void *buffer, size_t length)
{
    const qint64 written
        = static_cast<QSaveFile *>(file)->write(static_cast<const char *>(buffer), qint64(length));
    return la_ssize_t(written);
}

bool writeAll(int fd, const char *data, qint64 length)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, data, size_t(length));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        length -= written;
    }
    return true;
}

/** The unpacking of one package: each entry checked, then written below the folder `into`. */
class Unpacker
{
public:
    explicit Unpacker(const QString &into)
        : m_into(into)
    { }

    QString entry(archive *a, archive_entry *entry);
    QString finish() const;
    QString top() const { return m_top; }

private:
    QString checkName(const QString &path, QStringList &parts) const;
    QString checkType(const QString &path, archive_entry *entry) const;
    QString writeFile(archive *a, const QString &path, const QString &relative);

    QString m_into;
    QString m_top;
    QSet<QString> m_seen;
    int m_entries = 0;
    qint64 m_bytes = 0;
    bool m_hasSkinCfg = false;
};

QString Unpacker::checkName(const QString &path, QStringList &parts) const
{
    if (path.isEmpty())
        return QStringLiteral("an entry has no name");
    // Checked first, so that every message below shows the name on the one line it has.
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("an entry name holds a control character");
    }
    // libarchive reads backslashes as the separators Windows writes; one that stays is refused.
    if (path.contains(QLatin1Char('\\')))
        return QStringLiteral("entry \"%1\" holds a backslash").arg(path);
    if (path.startsWith(QLatin1Char('/')))
        return QStringLiteral("entry \"%1\" is an absolute path").arg(path);
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter())
        return QStringLiteral("entry \"%1\" names a drive").arg(path);
    parts = path.split(QLatin1Char('/'));
    if (path.endsWith(QLatin1Char('/')))
        parts.removeLast();
    if (parts.contains(QStringLiteral("..")))
        return QStringLiteral("entry \"%1\" climbs out of its folder").arg(path);
    if (!SkinPackage::isTopFolderName(parts.first()))
        return QStringLiteral("top folder \"%1\" is not a skin name (\".\", \"..\" and hidden names are not)")
            .arg(parts.first());
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (parts.at(i).isEmpty() || parts.at(i) == QLatin1String("."))
            return QStringLiteral("entry \"%1\" is not a plain path").arg(path);
    }
    if (parts.size() == 1 && !path.endsWith(QLatin1Char('/')))
        return QStringLiteral("entry \"%1\" stands outside the top folder").arg(path);
    if (!m_top.isEmpty() && parts.first() != m_top)
        return QStringLiteral("the package holds more than one top folder (\"%1\" and \"%2\")")
            .arg(m_top, parts.first());
    return QString();
}

QString Unpacker::checkType(const QString &path, archive_entry *entry) const
{
    const auto type = archive_entry_filetype(entry);
    if (archive_entry_hardlink(entry) || type == AE_IFLNK)
        return QStringLiteral("entry \"%1\" is a link").arg(path);
    if (type != AE_IFREG && type != AE_IFDIR)
        return QStringLiteral("entry \"%1\" is not a regular file or a folder").arg(path);
    return QString();
}

QString Unpacker::entry(archive *a, archive_entry *entry)
{
    if (++m_entries > SkinPackage::MaxEntries)
        return QStringLiteral("more than %1 entries").arg(SkinPackage::MaxEntries);
    const char *utf8 = archive_entry_pathname_utf8(entry);
    const char *raw = archive_entry_pathname(entry);
    QString path = utf8 ? QString::fromUtf8(utf8) : raw ? QString::fromLocal8Bit(raw) : QString();
    const bool folder = archive_entry_filetype(entry) == AE_IFDIR;
    if (folder && !path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    QStringList parts;
    QString problem = checkName(path, parts);
    if (problem.isEmpty())
        problem = checkType(path, entry);
    if (!problem.isEmpty())
        return problem;
    m_top = parts.first();
    const QString relative = parts.mid(1).join(QLatin1Char('/'));
    if (relative.isEmpty())
        return QString();
    if (m_seen.contains(relative))
        return QStringLiteral("entry \"%1\" appears twice").arg(path);
    m_seen.insert(relative);
    if (folder) {
        return QDir(m_into).mkpath(relative)
            ? QString()
            : QStringLiteral("entry \"%1\": cannot create the folder").arg(path);
    }
    if (relative == QLatin1String("skin.cfg"))
        m_hasSkinCfg = true;
    return writeFile(a, path, relative);
}

QString Unpacker::writeFile(archive *a, const QString &path, const QString &relative)
{
    const qsizetype slash = relative.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && !QDir(m_into).mkpath(relative.left(slash)))
        return QStringLiteral("entry \"%1\": cannot create its folder").arg(path);
    // The folder is ours and fresh, so nothing can be in the way; O_EXCL and O_NOFOLLOW say so anyway.
    const QByteArray target = QFile::encodeName(m_into + QLatin1Char('/') + relative);
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return QStringLiteral("entry \"%1\": cannot write it: %2")
            .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    QByteArray buffer(ChunkSize, Qt::Uninitialized);
    QString problem;
    for (;;) {
        const la_ssize_t got = archive_read_data(a, buffer.data(), size_t(buffer.size()));
        if (got == 0)
            break;
        if (got < 0) {
            problem = QStringLiteral("damaged or truncated at entry \"%1\": %2").arg(path, archiveError(a));
            break;
        }
        m_bytes += got;
        if (m_bytes > SkinPackage::MaxUnpackedBytes) {
            problem = QStringLiteral("unpacks to more than %1 MiB").arg(SkinPackage::MaxUnpackedBytes >> 20);
            break;
        }
        if (!writeAll(fd, buffer.constData(), got)) {
            problem = QStringLiteral("entry \"%1\": cannot write it: %2")
                          .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
            break;
        }
    }
    ::close(fd);
    return problem;
}

QString Unpacker::finish() const
{
    if (m_top.isEmpty())
        return QStringLiteral("the package is empty");
    if (!m_hasSkinCfg)
        return QStringLiteral("the package holds no %1/skin.cfg").arg(m_top);
    return QString();
}

} // namespace

bool SkinPackage::isTopFolderName(const QString &name)
{
    return !name.startsWith(QLatin1Char('.')) && !SkinLoader::skinDirectory(name).isEmpty();
}

QString SkinPackage::write(
    const QString &file, const QString &folder, const QString &name, const QStringList &files)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
    WriteArchive a(archive_write_new(), archive_write_free);
    archive_write_set_format_zip(a.get());
    archive_write_set_bytes_in_last_block(a.get(), 1);
    if (archive_write_open2(a.get(), &out, nullptr, writeToFile, nullptr, nullptr) != ARCHIVE_OK)
        return QStringLiteral("cannot write %1: %2").arg(file, archiveError(a.get()));
    for (const QString &relative : files) {
        QFile in(folder + QLatin1Char('/') + relative);
        if (!in.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot read %1: %2").arg(in.fileName(), in.errorString());
        const QByteArray data = in.readAll();
        Entry entry(archive_entry_new(), archive_entry_free);
        archive_entry_set_pathname_utf8(
            entry.get(), (name + QLatin1Char('/') + relative).toUtf8().constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), data.size());
        archive_entry_set_mtime(entry.get(), QFileInfo(in).lastModified().toSecsSinceEpoch(), 0);
        if (archive_write_header(a.get(), entry.get()) != ARCHIVE_OK
            || archive_write_data(a.get(), data.constData(), size_t(data.size())) != la_ssize_t(data.size()))
            return QStringLiteral("cannot pack %1: %2").arg(in.fileName(), archiveError(a.get()));
    }
    if (archive_write_close(a.get()) != ARCHIVE_OK)
        return QStringLiteral("cannot write %1: %2").arg(file, archiveError(a.get()));
    if (!out.commit())
        return QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
    return QString();
}

QString SkinPackage::unpack(const QString &file, const QString &into, QString *name)
{
    const QFileInfo info(file);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (info.isDir())
        return QStringLiteral("a folder, not a skin package");
    if (!info.isReadable())
        return QStringLiteral("cannot read it");
    ReadArchive a(archive_read_new(), archive_read_free);
    archive_read_support_format_zip(a.get());
    if (archive_read_open_filename(a.get(), QFile::encodeName(file).constData(), size_t(ChunkSize))
        != ARCHIVE_OK)
        return QStringLiteral("not a ZIP archive, or a truncated one: %1").arg(archiveError(a.get()));
    Unpacker unpacker(into);
    for (bool first = true;; first = false) {
        archive_entry *entry = nullptr;
        const int read = archive_read_next_header(a.get(), &entry);
        if (read == ARCHIVE_EOF)
            break;
        if (read != ARCHIVE_OK && read != ARCHIVE_WARN) {
            return first
                ? QStringLiteral("not a ZIP archive, or a truncated one: %1").arg(archiveError(a.get()))
                : QStringLiteral("damaged or truncated: %1").arg(archiveError(a.get()));
        }
        const QString problem = unpacker.entry(a.get(), entry);
        if (!problem.isEmpty())
            return problem;
    }
    const QString problem = unpacker.finish();
    if (problem.isEmpty())
        *name = unpacker.top();
    return problem;
}
