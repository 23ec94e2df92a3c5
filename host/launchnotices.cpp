#include "host/launchnotices.h"

#include "platform/amlauncherclient.h"
#include "platform/devicepath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A launch log line: id, argument, initiator, two flags, result, time; tab-separated.
constexpr int ResultField = 5;
// The most of a log read at one look: a flood of launches cannot make the home screen read without end.
constexpr qint64 MaxRead = 64 * 1024;

} // namespace

LaunchNotices::LaunchNotices(QObject *parent)
    : QObject(parent)
    , m_log(devicePath(AM_LauncherClient::launchLogPath()))
{
    m_offset = QFileInfo(m_log).size();
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &LaunchNotices::readNewLines);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &LaunchNotices::readNewLines);
    watch();
}

void LaunchNotices::watch()
{
    const QString folder = QFileInfo(m_log).absolutePath();
    QDir().mkpath(folder);
    if (QFileInfo(folder).isDir() && !m_watcher.directories().contains(folder))
        m_watcher.addPath(folder);
    if (QFileInfo(m_log).isFile() && !m_watcher.files().contains(m_log))
        m_watcher.addPath(m_log);
}

QString LaunchNotices::noticeFor(const QByteArray &logLine)
{
    const QList<QByteArray> fields = logLine.split('\t');
    if (fields.size() <= ResultField)
        return QString();
    const QByteArray result = fields.at(ResultField);
    const QString id = QString::fromUtf8(fields.at(0)).left(40);
    if (result == "not-found")
        return id.isEmpty() ? QStringLiteral("No application in this slot")
                            : QStringLiteral("No application %1").arg(id);
    if (result == "failed")
        return QStringLiteral("Cannot start %1").arg(id);
    return QString();
}

void LaunchNotices::readNewLines()
{
    watch();
    QFile file(m_log);
    if (!QFileInfo(m_log).isFile() || !file.open(QIODevice::ReadOnly))
        return;
    // A log that was started again is read from its beginning.
    if (file.size() < m_offset) {
        m_offset = 0;
        m_partial.clear();
    }
    while (file.size() > m_offset && file.seek(m_offset)) {
        const QByteArray added = file.read(MaxRead);
        if (added.isEmpty())
            return;
        m_offset += added.size();
        m_partial += added;
        const qsizetype end = m_partial.lastIndexOf('\n');
        if (end < 0) {
            // No line is that long: what was read is no line of the launcher's.
            if (m_partial.size() > MaxRead)
                m_partial.clear();
            continue;
        }
        const QList<QByteArray> lines = m_partial.left(end).split('\n');
        m_partial.remove(0, end + 1);
        for (const QByteArray &line : lines) {
            const QString text = noticeFor(line);
            if (!text.isEmpty())
                Q_EMIT notice(text);
        }
    }
}
