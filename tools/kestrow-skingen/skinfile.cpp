#include "tools/kestrow-skingen/skinfile.h"

#include "data/settingsfile.h"
#include "data/skinnames.h"

#include <cstdio>
#include <cstdlib>

SkinFile::SkinFile()
    : m_group(SkinNames::General::Group)
{
    m_document.setSpacedEntries(true);
}

void SkinFile::group(QLatin1StringView name)
{
    m_group = name;
}

void SkinFile::set(const QString &key, const QString &value)
{
    // The names are the generator's own constants: one the syntax cannot hold is a fault here.
    if (!m_document.setValue(m_group, key, value)) {
        std::fprintf(stderr, "kestrow-skingen: cannot write [%s] %s\n", qPrintable(m_group), qPrintable(key));
        std::abort();
    }
}

void SkinFile::set(const QString &key, int value)
{
    set(key, QString::number(value));
}

void SkinFile::set(const QString &key, bool value)
{
    set(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}

void SkinFile::set(QLatin1StringView pattern, int index, const QString &value)
{
    set(SettingsFile::slotKey(pattern, index), value);
}

void SkinFile::set(QLatin1StringView pattern, int index, int value)
{
    set(SettingsFile::slotKey(pattern, index), value);
}

QByteArray SkinFile::bytes() const
{
    return m_document.toBytes();
}
