#include "platform/zconfigdocument.h"

#include "platform/regularfile.h"

#include <algorithm>
#include <cstring>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

enum class LineKind { Other, Header, BadHeader, Entry };

struct LineShape {
    LineKind kind = LineKind::Other;
    QByteArrayView name;
};

LineShape shapeOf(QByteArrayView line)
{
    const QByteArrayView text = ZConfigDocument::trimmed(line);
    if (text.isEmpty() || text[0] == '#' || text[0] == ';')
        return {};
    if (text[0] == '[') {
        if (text.size() >= 2 && text.back() == ']')
            return { LineKind::Header, ZConfigDocument::trimmed(text.sliced(1, text.size() - 2)) };
        return { LineKind::BadHeader, {} };
    }
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return {};
    return { LineKind::Entry, ZConfigDocument::trimmed(text.first(equals)) };
}

// The value of an entry line: what follows the first "=", trimmed.
QByteArrayView valueBytes(QByteArrayView line)
{
    return ZConfigDocument::trimmed(line.sliced(line.indexOf('=') + 1));
}

// Whether a header or key line can hold the name: no brackets, "=" or line breaks, nothing to trim.
bool isNameBytes(QByteArrayView name)
{
    if (name.isEmpty() || ZConfigDocument::trimmed(name).size() != name.size())
        return false;
    for (const char c : name) {
        if (c == '[' || c == ']' || c == '=' || c == '\n' || c == '\r')
            return false;
    }
    return true;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QByteArrayView ZConfigDocument::trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

ZConfigDocument::ZConfigDocument(const QByteArray &bytes)
    : m_source(bytes)
{
    parse();
}

void ZConfigDocument::parse()
{
    const char *data = m_source.constData();
    const qsizetype size = m_source.size();
    qsizetype current = -1; // the group that takes the entries; -1 for lines outside any
    for (qsizetype pos = 0; pos < size;) {
        const void *newline = std::memchr(data + pos, '\n', size_t(size - pos));
        const qsizetype end = newline ? static_cast<const char *>(newline) - data : size;
        const qsizetype start = pos;
        QByteArrayView line(data + start, end - start);
        pos = end + 1;

        if (start == 0) {
            if (line.endsWith('\r'))
                m_lineEnd = QByteArrayLiteral("\r");
            if (line.startsWith("\xEF\xBB\xBF"))
                line = line.sliced(3);
        }
        const LineShape shape = shapeOf(line);
        if (shape.kind == LineKind::Header) {
            // A repeated group is kept in the file but not read: the first one counts.
            if (!isNameBytes(shape.name) || m_groupIndex.contains(shape.name)) {
                current = -1;
                continue;
            }
            current = qsizetype(m_groups.size());
            m_groups.push_back({ shape.name, end });
            m_groupIndex.insert(shape.name, current);
        } else if (shape.kind == LineKind::BadHeader) {
            // Keys under a header that cannot be read must not fall into the group before it.
            current = -1;
        } else if (shape.kind == LineKind::Entry && current >= 0 && isNameBytes(shape.name)) {
            m_groups[size_t(current)].insertAt = end;
            const KeyName name(current, shape.name);
            if (!m_keys.contains(name))
                m_keys.insert(name, { start, end - start });
        }
    }
}

QByteArrayView ZConfigDocument::entryBytes(qsizetype group, const Entry &entry) const
{
    if (entry.offset < 0)
        return m_added.constFind(group)->at(-1 - entry.offset);
    const auto rewrite = m_rewrites.find(entry.offset);
    if (rewrite != m_rewrites.end())
        return rewrite->second.text;
    return QByteArrayView(m_source).sliced(entry.offset, entry.length);
}

std::optional<QString> ZConfigDocument::value(const QString &group, const QString &key) const
{
    const QByteArray groupName = group.toUtf8();
    const auto g = m_groupIndex.constFind(groupName);
    if (g == m_groupIndex.cend())
        return std::nullopt;
    const QByteArray keyName = key.toUtf8();
    const auto k = m_keys.constFind(KeyName(*g, keyName));
    if (k == m_keys.cend())
        return std::nullopt;
    return unescape(valueBytes(entryBytes(*g, *k)));
}

QByteArrayView ZConfigDocument::storedName(const QByteArray &name)
{
    m_names.push_back(name);
    return m_names.back();
}

bool ZConfigDocument::setValue(const QString &group, const QString &key, const QString &value)
{
    if (!isGroupName(group) || !isKeyName(key))
        return false;
    const QByteArray groupName = group.toUtf8();
    const auto found = m_groupIndex.constFind(groupName);
    qsizetype g = found == m_groupIndex.cend() ? -1 : *found;
    if (g < 0) {
        g = qsizetype(m_groups.size());
        m_groups.push_back({ storedName(groupName), -1 });
        m_groupIndex.insert(m_groups.back().name, g);
    }
    const QByteArray keyName = key.toUtf8();
    const auto k = m_keys.constFind(KeyName(g, keyName));
    if (k == m_keys.cend()) {
        QList<QByteArray> &added = m_added[g];
        added.append(keyName + m_separator + escape(value) + m_lineEnd);
        m_keys.insert(KeyName(g, storedName(keyName)), { -added.size(), 0 });
        return true;
    }
    const Entry entry = *k;
    const QByteArrayView old = entryBytes(g, entry);
    if (unescape(valueBytes(old)) == value)
        return true; // the line stays exactly as it was
    QByteArray text = rewrittenEntry(old, value);
    if (entry.offset < 0)
        m_added[g][-1 - entry.offset] = std::move(text);
    else
        m_rewrites[entry.offset] = { entry.length, std::move(text) };
    return true;
}

QByteArray ZConfigDocument::rewrittenEntry(QByteArrayView old, const QString &value) const
{
    // Keep the key and the spacing around "=" as the file had them.
    qsizetype start = old.indexOf('=') + 1;
    while (start < old.size() && (old[start] == ' ' || old[start] == '\t'))
        ++start;
    QByteArray text = old.first(start).toByteArray() + escape(value);
    if (old.endsWith('\r'))
        text += '\r';
    return text;
}

QStringList ZConfigDocument::groups() const
{
    QStringList names;
    names.reserve(qsizetype(m_groups.size()));
    for (const Group &group : m_groups)
        names.append(QString::fromUtf8(group.name));
    return names;
}

QByteArray ZConfigDocument::toBytes() const
{
    // The changes in file order: rewritten lines, and keys added after a line of their group.
    struct Change {
        qsizetype at;
        qsizetype length; // replaced bytes; 0 for an insertion
        const QByteArray *text;
        const QList<QByteArray> *added;
    };
    std::vector<Change> changes;
    for (const auto &[offset, rewrite] : m_rewrites)
        changes.push_back({ offset, rewrite.length, &rewrite.text, nullptr });
    for (auto it = m_added.cbegin(); it != m_added.cend(); ++it) {
        const qsizetype insertAt = m_groups[size_t(it.key())].insertAt;
        if (insertAt >= 0)
            changes.push_back({ insertAt, 0, nullptr, &it.value() });
    }
    std::sort(changes.begin(), changes.end(), [](const Change &a, const Change &b) { return a.at < b.at; });

    QByteArray out;
    out.reserve(m_source.size() + 256);
    const QByteArrayView source(m_source);
    qsizetype copied = 0;
    for (const Change &change : changes) {
        out += source.sliced(copied, change.at - copied);
        if (change.text) {
            out += *change.text;
        } else {
            for (const QByteArray &line : *change.added)
                out += '\n' + line;
        }
        copied = change.at + change.length;
    }
    out += source.sliced(copied);
    appendNewGroups(out);
    return out;
}

void ZConfigDocument::appendNewGroups(QByteArray &out) const
{
    for (qsizetype g = 0; g < qsizetype(m_groups.size()); ++g) {
        const Group &group = m_groups[size_t(g)];
        if (group.insertAt >= 0)
            continue;
        if (!out.isEmpty()) {
            if (!out.endsWith('\n'))
                out += '\n';
            // A blank line before the new header, unless there is one.
            const qsizetype lastEnd = out.size() - 1;
            const qsizetype lineStart = lastEnd == 0 ? 0 : out.lastIndexOf('\n', lastEnd - 1) + 1;
            if (!ZConfigDocument::trimmed(QByteArrayView(out).sliced(lineStart, lastEnd - lineStart))
                     .isEmpty())
                out += m_lineEnd + '\n';
        }
        out += '[' + group.name.toByteArray() + ']' + m_lineEnd + '\n';
        for (const QByteArray &line : m_added.value(g))
            out += line + '\n';
    }
}

bool ZConfigDocument::isGroupName(QStringView name)
{
    return isNameBytes(name.toUtf8());
}

bool ZConfigDocument::isKeyName(QStringView name)
{
    return isGroupName(name) && name.front() != u'#' && name.front() != u';';
}

QByteArray ZConfigDocument::escape(const QString &value)
{
    const QByteArray bytes = value.toUtf8();
    QByteArray out;
    out.reserve(bytes.size() + 8);
    const qsizetype last = bytes.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        const char c = bytes[i];
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == ' ' && (i == 0 || i == last))
            out += "\\s";
        else if (u < 0x20 || u == 0x7f)
            out += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
        else
            out += c;
    }
    return out;
}

QString ZConfigDocument::unescape(QByteArrayView text)
{
    if (!text.contains('\\'))
        return QString::fromUtf8(text);
    QByteArray out;
    out.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = text[i];
        if (c != '\\' || i + 1 == size) {
            out += c;
            continue;
        }
        const char next = text[++i];
        switch (next) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        case 'x':
            if (i + 2 < size && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
                out += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
                i += 2;
                break;
            }
            [[fallthrough]];
        default:
            // Not an escape this syntax writes: keep it as it stands.
            out += '\\';
            out += next;
        }
    }
    return QString::fromUtf8(out);
}

std::optional<qint64> ZConfigDocument::toInteger(QStringView text, qint64 min, qint64 max)
{
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    // The largest magnitude allowed on this side of zero.
    const quint64 limit = negative ? (min < 0 ? quint64(-(min + 1)) + 1 : 0) : (max < 0 ? 0 : quint64(max));
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const quint64 digit = c - u'0';
        if (digit > limit || magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    const qint64 result = !negative ? qint64(magnitude) : magnitude == 0 ? 0 : -qint64(magnitude - 1) - 1;
    if (result < min || result > max)
        return std::nullopt;
    return result;
}

std::optional<bool> ZConfigDocument::toBool(QStringView text)
{
    static constexpr const char *truths[] = { "true", "1", "yes", "on" };
    static constexpr const char *falsehoods[] = { "false", "0", "no", "off" };
    for (const char *word : truths) {
        if (text.compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0)
            return true;
    }
    for (const char *word : falsehoods) {
        if (text.compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0)
            return false;
    }
    return std::nullopt;
}

std::optional<QByteArray> ZConfigDocument::readFile(const QString &path, QString *error)
{
    bool missing = false;
    std::optional<QByteArray> bytes = RegularFile::read(path, MaxFileSize, error, &missing);
    if (!bytes && missing)
        return QByteArray();
    return bytes;
}
