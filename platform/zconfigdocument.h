#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
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

    /** Whether the syntax can hold the name as a group header, and as a key. */
    static bool isGroupName(QStringView name);
    static bool isKeyName(QStringView name);

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
    struct Line {
        qsizetype offset = 0; // into m_source
        qsizetype length = 0;
        qsizetype written = -1; // into m_written once the line was rewritten
    };
    struct Group {
        QString name;
        // The header or the group's last entry line: new keys go right after it.
        qsizetype anchor = 0;
        // Key to line index, or to -1 - i for the i-th line added after the anchor.
        QHash<QString, qsizetype> keys;
    };

    void parse();
    QByteArrayView lineBytes(qsizetype index) const;
    QByteArrayView entryBytes(qsizetype group, qsizetype location) const;
    QByteArray rewrittenEntry(QByteArrayView old, const QString &value) const;
    QByteArray newEntry(const QString &key, const QString &value) const;
    qsizetype appendLine(const QByteArray &text);
    qsizetype addGroup(const QString &name);

    QByteArray m_source;
    std::vector<Line> m_lines;
    std::vector<QByteArray> m_written;
    std::vector<Group> m_groups;
    QHash<QString, qsizetype> m_groupIndex;
    // Lines of new keys, by the line they follow.
    QHash<qsizetype, QList<QByteArray>> m_added;
    QByteArray m_lineEnd; // "\r" for a file of CR LF line ends, written before each "\n"
    bool m_finalNewline = true;
};
