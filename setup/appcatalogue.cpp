#include "setup/appcatalogue.h"

#include "platform/desktopapps.h"
#include "platform/devicepath.h"
#include "platform/phonepaths.h"
#include "platform/zconfig.h"
#include "platform/zconfigdocument.h"
#include "setup/setuplog.h"

#include <QFileInfo>
#include <QStringList>
#include <QStringTokenizer>

#include <climits>
#include <utility>

namespace {

// A menu tree lists a few hundred applications; reading stops after this many mentions so that
// a file of millions of ";x" pieces costs no more than a moment.
constexpr int MaxMenuMentions = 10 * AppCatalogue::MaxEntries;

class CatalogueBuilder
{
public:
    void readWholeEntries(const QString &phonePath, const QString &iconKey);
    void readPreloaded();
    QList<CatalogueEntry> take() { return std::move(m_entries); }

private:
    bool append(CatalogueEntry entry);

    QList<CatalogueEntry> m_entries;
    bool m_full = false;
};

bool CatalogueBuilder::append(CatalogueEntry entry)
{
    // Kestrow's own programs started from a dock slot would run twice on one device root.
    if (isKestrowApplication(entry.id) || isKestrowApplication(entry.execId))
        return true;
    if (m_entries.size() >= AppCatalogue::MaxEntries) {
        if (!m_full)
            SetupLog::line(QStringLiteral("catalogue: more than %1 applications, the rest are left out")
                               .arg(AppCatalogue::MaxEntries));
        m_full = true;
        return false;
    }
    m_entries.append(std::move(entry));
    return true;
}

// The launcher knows applications of types 0, 1 and 3 by their id, all others by their "ExecId".
bool launchedById(int type)
{
    return type == 0 || type == 1 || type == 3;
}

// InstalledDB and CardRegistry: one group per application, every key required, types 0, 1 and 3.
void CatalogueBuilder::readWholeEntries(const QString &phonePath, const QString &iconKey)
{
    const QString file = devicePath(phonePath);
    if (m_full || !QFileInfo::exists(file))
        return;
    const ZConfig registry(file);
    QStringList groups;
    registry.getGroupsKeyList(groups);
    for (const QString &group : std::as_const(groups)) {
        CatalogueEntry entry;
        entry.id = group;
        entry.name = registry.readEntry(group, QStringLiteral("Name"), QString());
        entry.type = registry.readEntry(group, QStringLiteral("AppType"), QString());
        entry.directory = registry.readEntry(group, QStringLiteral("Directory"), QString());
        entry.icon = registry.readEntry(group, iconKey, QString());
        entry.execId = registry.readEntry(group, QStringLiteral("ExecId"), QString());
        if (entry.name.isEmpty() || entry.directory.isEmpty() || entry.icon.isEmpty()
            || entry.execId.isEmpty() || !launchedById(AppCatalogue::typeNumber(entry.type)))
            continue;
        if (!append(std::move(entry)))
            return;
    }
}

// The menu folders name the preloaded applications; SysRegistry describes them. Every type is
// accepted and the directory may be missing; a folder that names an application twice lists it twice.
void CatalogueBuilder::readPreloaded()
{
    if (m_full)
        return;
    const ZConfig menuTree(devicePath(AppRegistries::UserMenuTree));
    const ZConfig registry(devicePath(AppRegistries::SysRegistry));
    QStringList folders;
    menuTree.getGroupsKeyList(folders);
    int mentions = 0;
    for (const QString &folder : std::as_const(folders)) {
        const QString items = menuTree.readEntry(folder, QStringLiteral("Items"), QString());
        for (const QStringView piece : QStringTokenizer(items, u';', Qt::SkipEmptyParts)) {
            if (++mentions > MaxMenuMentions) {
                SetupLog::line(QStringLiteral("catalogue: more than %1 menu mentions, the rest are left out")
                                   .arg(MaxMenuMentions));
                return;
            }
            CatalogueEntry entry;
            entry.id = piece.toString();
            entry.name = registry.readEntry(entry.id, QStringLiteral("Name"), QString());
            entry.type = registry.readEntry(entry.id, QStringLiteral("AppType"), QString());
            entry.icon = registry.readEntry(entry.id, QStringLiteral("BigIcon"), QString());
            entry.execId = registry.readEntry(entry.id, QStringLiteral("ExecId"), QString());
            entry.directory = registry.readEntry(entry.id, QStringLiteral("Directory"), QString());
            if (entry.name.isEmpty() || entry.icon.isEmpty() || entry.execId.isEmpty())
                continue;
            if (!append(std::move(entry)))
                return;
        }
    }
}

} // namespace

QList<CatalogueEntry> AppCatalogue::build()
{
    CatalogueBuilder builder;
    builder.readWholeEntries(AppRegistries::InstalledDb, QStringLiteral("Icon"));
    builder.readWholeEntries(AppRegistries::CardRegistry, QStringLiteral("Icon"));
    builder.readPreloaded();
    return builder.take();
}

int AppCatalogue::typeNumber(const QString &type)
{
    return int(ZConfigDocument::toInteger(type, INT_MIN, INT_MAX).value_or(0));
}

QString AppCatalogue::pickedExec(const CatalogueEntry &entry)
{
    return launchedById(typeNumber(entry.type)) ? entry.id : entry.execId;
}

QString AppCatalogue::iconPath(const CatalogueEntry &entry)
{
    return entry.directory + QLatin1Char('/') + entry.icon;
}

QString AppCatalogue::pickedIcon(const CatalogueEntry &entry)
{
    const QString path = iconPath(entry);
    // A folder of that name is no icon: the name then goes to the icon reader.
    return QFileInfo(devicePath(path)).isFile() ? path : entry.icon;
}
