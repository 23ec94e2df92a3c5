#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

/**
 * Follows the launcher's log ("/ezxlocal/Kestrow/run/launches.log") and tells
 * of each launch in it that did not start, so that the home screen can say so
 * where the user looks. Only lines added after it began count.
 */
class LaunchNotices : public QObject
{
    Q_OBJECT

public:
    explicit LaunchNotices(QObject *parent = nullptr);

    /** The short notice for one line of the log; empty for a launch that started. */
    static QString noticeFor(const QByteArray &logLine);

public Q_SLOTS:
    /** Reads what the log gained since the last look. */
    void readNewLines();

Q_SIGNALS:
    void notice(const QString &text);

private:
    void watch();

    QString m_log;
    qint64 m_offset = 0;
    QByteArray m_partial;
    QFileSystemWatcher m_watcher;
};
