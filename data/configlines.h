#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

/**
 * Where each group and key of a configuration file stands, by the same lexical
 * rules as ZConfig reads it (docs/config-files.md): the line of the first
 * header of each group and of the first entry of each key in it, and every
 * line that ZConfig ignores. Values are not kept; read them through ZConfig.
 * Lines are numbered from 1.
 */
class ConfigLines
{
public:
    enum class Issue {
        BadHeader, // starts with "[" but is no header
        BadGroupName, // a header whose name the syntax cannot hold
        RepeatedGroup, // a later header of a group: its entries are never read
        KeyOutsideGroup, // an entry before any header or under an unread header
        BadKeyName, // an entry whose key the syntax cannot hold
        RepeatedKey, // a later entry of a key: never read
        Stray, // neither a header, an entry, a comment nor blank
    };
    struct Finding {
        int line = 0;
        Issue issue = Issue::Stray;
        QString group; // the group in force, or the repeated group
        QString name; // the key, or the repeated group
        int firstLine = 0; // for a repetition: the line that is read
        QString text; // the line, trimmed
    };
    struct Entry {
        int line = 0;
        QString group;
        QString key;
    };

    explicit ConfigLines(const QByteArray &bytes);

    /** Line of the group's header that is read; 0 when there is none. */
    int groupLine(const QString &group) const { return m_groupLines.value(group); }
    /** Line of the key's entry that is read; 0 when there is none. */
    int keyLine(const QString &group, const QString &key) const;
    /** Groups that are read, in file order. */
    const QList<QString> &groups() const { return m_groups; }
    /** Entries that are read, in file order. */
    const QList<Entry> &entries() const { return m_entries; }
    /** Lines that are ignored or never read, in file order. */
    const QList<Finding> &findings() const { return m_findings; }

private:
    void parseLine(QByteArrayView line, int number);

    QHash<QString, int> m_groupLines;
    QHash<QString, int> m_keyLines; // by group + '\n' + key
    QList<QString> m_groups;
    QList<Entry> m_entries;
    QList<Finding> m_findings;
    QString m_current; // the group that takes entries
    bool m_inGroup = false;
};
