#include "data/configlines.h"

#include "platform/zconfigdocument.h"

namespace {

// ZConfig looks names up by their UTF-8 bytes: a name whose bytes are no UTF-8 can never be asked for.
bool isReadableName(QByteArrayView bytes, const QString &name)
{
    return name.toUtf8() == bytes && ZConfigDocument::isGroupName(name);
}

QString keyOf(const QString &group, const QString &key)
{
    return group + QLatin1Char('\n') + key;
}

} // namespace

ConfigLines::ConfigLines(const QByteArray &bytes)
{
    const QByteArrayView all(bytes);
    int number = 0;
    for (qsizetype pos = 0; pos < all.size();) {
        qsizetype end = all.indexOf('\n', pos);
        if (end < 0)
            end = all.size();
        QByteArrayView line = all.sliced(pos, end - pos);
        if (pos == 0 && line.startsWith("\xEF\xBB\xBF"))
            line = line.sliced(3);
        pos = end + 1;
        parseLine(line, ++number);
    }
}

int ConfigLines::keyLine(const QString &group, const QString &key) const
{
    return m_keyLines.value(keyOf(group, key));
}

void ConfigLines::parseLine(QByteArrayView line, int number)
{
    const QByteArrayView text = ZConfigDocument::trimmed(line);
    if (text.isEmpty() || text[0] == '#' || text[0] == ';')
        return;
    const QString shown = QString::fromUtf8(text);
    if (text[0] == '[') {
        m_inGroup = false;
        if (text.size() < 2 || text.back() != ']') {
            m_findings.append({ number, Issue::BadHeader, QString(), QString(), 0, shown });
            return;
        }
        const QByteArrayView nameBytes = ZConfigDocument::trimmed(text.sliced(1, text.size() - 2));
        const QString name = QString::fromUtf8(nameBytes);
        if (!isReadableName(nameBytes, name)) {
            m_findings.append({ number, Issue::BadGroupName, QString(), name, 0, shown });
            return;
        }
        if (m_groupLines.contains(name)) {
            m_findings.append({ number, Issue::RepeatedGroup, name, name, m_groupLines.value(name), shown });
            return;
        }
        m_groupLines.insert(name, number);
        m_groups.append(name);
        m_current = name;
        m_inGroup = true;
        return;
    }
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0) {
        m_findings.append({ number, Issue::Stray, m_inGroup ? m_current : QString(), QString(), 0, shown });
        return;
    }
    const QByteArrayView keyBytes = ZConfigDocument::trimmed(text.first(equals));
    const QString key = QString::fromUtf8(keyBytes);
    if (!m_inGroup) {
        m_findings.append({ number, Issue::KeyOutsideGroup, QString(), key, 0, shown });
        return;
    }
    // Written names hold no "[", "]" or "="; a key read back never starts a comment.
    if (!isReadableName(keyBytes, key)) {
        m_findings.append({ number, Issue::BadKeyName, m_current, key, 0, shown });
        return;
    }
    const QString id = keyOf(m_current, key);
    if (m_keyLines.contains(id)) {
        m_findings.append({ number, Issue::RepeatedKey, m_current, key, m_keyLines.value(id), shown });
        return;
    }
    m_keyLines.insert(id, number);
    m_entries.append({ number, m_current, key });
}
