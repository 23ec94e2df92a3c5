#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

/**
 * One configuration file in parsed form. It keeps the bytes of every line, so
 * that writing a value changes that one line and leaves comments, order and
 * unknown lines as they were. Only the first occurrence of a group, and of a
 * key within it, is indexed: that is the one read and written.
 *
 * Parsing is linear in the size of the input and never fails: a line that is
 * no header, entry, comment or blank line is kept and ignored.
 */
class ZConfigDocument
{
public:
    /** Files larger than this are not read, so a hostile file cannot take unbounded memory. */
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    ZConfigDocument() = default;
    explicit ZConfigDocument(const QByteArray &bytes);

    std::optional<QString> value(const QString &group, const QString &key) const;
    /** Creates the group or key when missing; false (nothing changed) when a name cannot be written. */
    bool setValue(const QString &group, const QString &key, const QString &value);
    /** Group names in file order, each once. */
    QStringList groups() const;
    QByteArray toBytes() const;
    /** New keys are written "key = value" instead of "key=value"; lines already there keep their spacing. */
    void setSpacedEntries(bool spaced) { m_separator = spaced ? " = " : "="; }

    /** Whether the syntax can hold the name as a group header, and as a key. */
    static bool isGroupName(QStringView name);
    static bool isKeyName(QStringView name);

    /** A line or a name without the blanks (space, tab, CR) around it. */
    static QByteArrayView trimmed(QByteArrayView text);

    static QByteArray escape(const QString &value);
    static QString unescape(QByteArrayView text);

    /** Strict decimal with an optional sign, within [min, max]; nullopt otherwise. */
    static std::optional<qint64> toInteger(QStringView text, qint64 min, qint64 max);
    /** true/false, 1/0, yes/no, on/off in any case; nullopt otherwise. */
    static std::optional<bool> toBool(QStringView text);

    /**
     * The whole content of a file; an empty array for a missing file, nullopt
     * (with the reason) when it exists but cannot be read whole.
     */
    static std::optional<QByteArray> readFile(const QString &path, QString *error);

private:
    struct Entry {
        qsizetype offset = 0; // of the line in m_source; -1 - i for the i-th key added to the group
        qsizetype length = 0; // of the line, without its "\n"
    };
    struct Group {
        QByteArrayView name;
        // Where keys added to the group go: the end of its header or last entry line,
        // or -1 for a group added at the end of the file.
        qsizetype insertAt = -1;
    };
    // A key of one group: the group's index and the key's name.
    using KeyName = std::pair<qsizetype, QByteArrayView>;
    struct Rewrite {
        qsizetype length = 0; // of the line replaced
        QByteArray text;
    };

    void parse();
    QByteArrayView entryBytes(qsizetype group, const Entry &entry) const;
    QByteArray rewrittenEntry(QByteArrayView old, const QString &value) const;
    QByteArrayView storedName(const QByteArray &name);
    void appendNewGroups(QByteArray &out) const;

    // Names are views into the file's bytes or into m_names, both left unchanged while the document lives.
    QByteArray m_source;
    std::vector<Group> m_groups;
    QHash<QByteArrayView, qsizetype> m_groupIndex;
    // One index for the keys of all groups: a group costs no allocation of its own.
    QHash<KeyName, Entry> m_keys;
    std::map<qsizetype, Rewrite> m_rewrites; // by line offset
    QHash<qsizetype, QList<QByteArray>> m_added; // lines of added keys, by group
    std::vector<QByteArray> m_names;
    QByteArray m_lineEnd; // "\r" in a file of CR LF line ends, written before each "\n"
    QByteArray m_separator = "="; // between the key and the value of a new key's line
};
