#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class ZConfigDocument;

/**
 * The phone's configuration file class: an INI-style file of "[Group]" headers
 * and "key = value" lines. Opening never fails (a missing file reads as empty);
 * every write goes through to the file at once by an atomic replace, so another
 * process that reads after the call sees it. The lexical rules are written down
 * in docs/config-files.md.
 *
 * The path is used as given; callers resolve phone paths with devicePath().
 */
class ZConfig
{
public:
    explicit ZConfig(const QString &path, bool autoCreate = false);
    ~ZConfig();

    ZConfig(const ZConfig &) = delete;
    ZConfig &operator=(const ZConfig &) = delete;

    QString readEntry(const QString &group, const QString &key, const QString &def = QString()) const;
    int readNumEntry(const QString &group, const QString &key, int def = 0) const;
    unsigned int readUIntEntry(const QString &group, const QString &key, unsigned int def = 0) const;
    bool readBoolEntry(const QString &group, const QString &key, bool def = false) const;

    struct Entry {
        QString group;
        QString key;
        QString value;
    };

    /** Returns false when the name cannot be held by the syntax or the file cannot be written. */
    bool writeEntry(const QString &group, const QString &key, const QString &value);
    bool writeEntry(const QString &group, const QString &key, int value);
    bool writeEntry(const QString &group, const QString &key, unsigned int value);
    bool writeEntry(const QString &group, const QString &key, const char *value) = delete;
    /** Writes entries that belong together with one replace, so that the file holds all of them or none. */
    bool writeEntries(const QList<Entry> &entries);

    void getGroupsKeyList(QStringList &groups) const;

    /** Makes the file hold every write so far; false (and one diagnostic line) when it cannot. */
    bool flush();
    /** Why the last write or flush that failed could not store its values; empty after a success. */
    QString errorString() const { return m_error; }

    QString path() const;

private:
    bool save();

    QString m_path;
    std::unique_ptr<ZConfigDocument> m_document;
    // The file as the document last read or wrote it: while the file still holds these bytes,
    // a save needs no new parse.
    QByteArray m_onDisk;
    // Writes that have not reached the file yet; replayed on the file as it is at the next save.
    QList<Entry> m_pending;
    bool m_failureReported = false;
    QString m_error;
};
