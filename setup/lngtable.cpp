#include "setup/lngtable.h"

#include "data/platformdisplay.h"
#include "platform/devicepath.h"
#include "platform/zconfig.h"
#include "setup/setuplog.h"

#include <QFileInfo>

namespace {

LngTable *processTable = nullptr;

} // namespace

LngTable::LngTable(const QString &path)
    : m_config(std::make_unique<ZConfig>(path, false))
{ }

LngTable::~LngTable() = default;

QString LngTable::get(const char *key) const
{
    const QString name = QString::fromUtf8(key);
    const QString value = m_config->readEntry(QStringLiteral("LNG"), name, QString());
    if (!value.isEmpty())
        return value;
    SetupLog::line(QStringLiteral("=== get key %1 ===").arg(name));
    return name;
}

QString LngTable::chooseFile(const QString &applicationDirectory)
{
    const ZConfig system(devicePath(PlatformDisplay::systemSettingsPath()), false);
    const QString language
        = system.readEntry(QStringLiteral("SYS_SYSTEM_SET"), QStringLiteral("LanguageType"));
    QString path = QStringLiteral("%1/%2.lng").arg(applicationDirectory, language);
    if (!QFileInfo::exists(path))
        path = applicationDirectory + QLatin1Char('/') + FallbackFile;
    SetupLog::line(QStringLiteral("lng file : ") + path);
    return path;
}

LngTable *LngTable::instance()
{
    return processTable;
}

void LngTable::setInstance(LngTable *table)
{
    processTable = table;
}

QString LngTable::text(const char *key)
{
    return processTable ? processTable->get(key) : QString::fromUtf8(key);
}
