#include "platform/zconfigdocument.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

enum class LineKind { Other, Header, BadHeader, Entry };

struct LineShape {
    LineKind kind = LineKind::Other;
    QByteArrayView name;
};

LineShape shapeOf(QByteArrayView line)
{
    const QByteArrayView text = trimmed(line);
    if (text.isEmpty() || text[0] == '#' || text[0] == ';')
        return {};
    if (text[0] == '[') {
        if (text.size() >= 2 && text.back() == ']')
            return { LineKind::Header, trimmed(text.sliced(1, text.size() - 2)) };
        return { LineKind::BadHeader, {} };
    }
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return {};
    return { LineKind::Entry, trimmed(text.first(equals)) };
}

// The value of an entry line: what follows the first "=", trimmed.
QByteArrayView valueBytes(QByteArrayView line)
{
    return trimmed(line.sliced(line.indexOf('=') + 1));
}

bool isNameChar(QChar c)
{
    return c != u'[' && c != u']' && c != u'=' && c != u'\n' && c != u'\r';
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
    qsizetype pos = 0;
    while (pos < size) {
        const void *newline = std::memchr(data + pos, '\n', size_t(size - pos));
        const qsizetype end = newline ? static_cast<const char *>(newline) - data : size;
        const qsizetype index = qsizetype(m_lines.size());
        m_lines.push_back({ pos, end - pos, -1 });
        if (!newline)
            m_finalNewline = false;
        QByteArrayView line(data + pos, end - pos);
        pos = end + 1;

        if (index == 0) {
            if (line.endsWith('\r'))
                m_lineEnd = QByteArrayLiteral("\r");
            if (line.startsWith("\xEF\xBB\xBF"))
                line = line.sliced(3);
        }
        const LineShape shape = shapeOf(line);
        if (shape.kind == LineKind::Header) {
            const QString name = QString::fromUtf8(shape.name);
            // A repeated group is kept in the file but not read: the first one counts.
            if (!isGroupName(name) || m_groupIndex.contains(name)) {
                current = -1;
                continue;
            }
            current = qsizetype(m_groups.size());
            m_groups.push_back({ name, index, {} });
            m_groupIndex.insert(name, current);
        } else if (shape.kind == LineKind::BadHeader) {
            // Keys under a header that cannot be read must not fall into the group before it.
            current = -1;
        } else if (shape.kind == LineKind::Entry && current >= 0) {
            const QString key = QString::fromUtf8(shape.name);
            if (!isKeyName(key))
                continue;
            Group &group = m_groups[size_t(current)];
            group.anchor = index;
            if (!group.keys.contains(key))
                group.keys.insert(key, index);
        }
    }
}

QByteArrayView ZConfigDocument::lineBytes(qsizetype index) const
{
    const Line &line = m_lines[size_t(index)];
    if (line.written >= 0)
        return m_written[size_t(line.written)];
    return QByteArrayView(m_source).sliced(line.offset, line.length);
}

QByteArrayView ZConfigDocument::entryBytes(qsizetype group, qsizetype location) const
{
    if (location >= 0)
        return lineBytes(location);
    return m_added.constFind(m_groups[size_t(group)].anchor)->at(-1 - location);
}

std::optional<QString> ZConfigDocument::value(const QString &group, const QString &key) const
{
    const auto g = m_groupIndex.constFind(group);
    if (g == m_groupIndex.cend())
        return std::nullopt;
    const QHash<QString, qsizetype> &keys = m_groups[size_t(*g)].keys;
    const auto k = keys.constFind(key);
    if (k == keys.cend())
        return std::nullopt;
    return unescape(valueBytes(entryBytes(*g, *k)));
}

bool ZConfigDocument::setValue(const QString &group, const QString &key, const QString &value)
{
    if (!isGroupName(group) || !isKeyName(key))
        return false;
    const auto found = m_groupIndex.constFind(group);
    const qsizetype g = found == m_groupIndex.cend() ? addGroup(group) : *found;
    Group &target = m_groups[size_t(g)];
    const auto k = target.keys.constFind(key);
    if (k == target.keys.cend()) {
        QList<QByteArray> &added = m_added[target.anchor];
        added.append(newEntry(key, value));
        target.keys.insert(key, -added.size());
        return true;
    }
    const qsizetype location = *k;
    QByteArray text = rewrittenEntry(entryBytes(g, location), value);
    if (location < 0) {
        m_added[target.anchor][-1 - location] = std::move(text);
        return true;
    }
    Line &line = m_lines[size_t(location)];
    if (line.written < 0) {
        line.written = qsizetype(m_written.size());
        m_written.push_back(std::move(text));
    } else {
        m_written[size_t(line.written)] = std::move(text);
    }
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

QByteArray ZConfigDocument::newEntry(const QString &key, const QString &value) const
{
    return key.toUtf8() + '=' + escape(value) + m_lineEnd;
}

qsizetype ZConfigDocument::appendLine(const QByteArray &text)
{
    m_lines.push_back({ 0, 0, qsizetype(m_written.size()) });
    m_written.push_back(text);
    m_finalNewline = true;
    return qsizetype(m_lines.size()) - 1;
}

qsizetype ZConfigDocument::addGroup(const QString &name)
{
    if (!m_lines.empty()) {
        const qsizetype last = qsizetype(m_lines.size()) - 1;
        if (m_added.contains(last) || !trimmed(lineBytes(last)).isEmpty())
            appendLine(m_lineEnd);
    }
    const qsizetype header = appendLine('[' + name.toUtf8() + ']' + m_lineEnd);
    m_groups.push_back({ name, header, {} });
    const qsizetype index = qsizetype(m_groups.size()) - 1;
    m_groupIndex.insert(name, index);
    return index;
}

QStringList ZConfigDocument::groups() const
{
    QStringList names;
    names.reserve(qsizetype(m_groups.size()));
    for (const Group &group : m_groups)
        names.append(group.name);
    return names;
}

QByteArray ZConfigDocument::toBytes() const
{
    QByteArray out;
    out.reserve(m_source.size() + 256);
    const qsizetype count = qsizetype(m_lines.size());
    for (qsizetype i = 0; i < count; ++i) {
        out += lineBytes(i);
        const auto added = m_added.isEmpty() ? m_added.cend() : m_added.constFind(i);
        const bool last = i == count - 1 && added == m_added.cend();
        if (!last || m_finalNewline)
            out += '\n';
        if (added != m_added.cend()) {
            for (const QByteArray &text : *added)
                out += text + '\n';
        }
    }
    return out;
}

bool ZConfigDocument::isGroupName(QStringView name)
{
    if (name.isEmpty() || name.front() == u' ' || name.front() == u'\t' || name.back() == u' '
        || name.back() == u'\t')
        return false;
    for (const QChar c : name) {
        if (!isNameChar(c))
            return false;
    }
    return true;
}

bool ZConfigDocument::isKeyName(QStringView name)
{
    // A key line starting with "#" or ";" would read back as a comment.
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
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    if (!info.isFile()) {
        *error = QStringLiteral("not a regular file");
        return std::nullopt;
    }
    if (info.size() > MaxFileSize) {
        *error = QStringLiteral("larger than %1 bytes").arg(MaxFileSize);
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}
