#include "tools/kestrow-skingen/skinfile.h"

void SkinFile::group(const QString &name)
{
    m_groups.append({ name, {} });
}

void SkinFile::set(const QString &key, const QString &value)
{
    if (m_groups.isEmpty())
        group(QStringLiteral("General"));
    m_groups.last().entries.append({ key, value });
}

void SkinFile::set(const QString &key, int value)
{
    set(key, QString::number(value));
}

void SkinFile::set(const QString &key, bool value)
{
    set(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}

QByteArray SkinFile::bytes() const
{
    QByteArray out;
    for (const Group &g : m_groups) {
        if (!out.isEmpty())
            out += '\n';
        out += '[' + g.name.toUtf8() + "]\n";
        for (const auto &entry : g.entries)
            out += entry.first.toUtf8() + " = " + entry.second.toUtf8() + '\n';
    }
    return out;
}
