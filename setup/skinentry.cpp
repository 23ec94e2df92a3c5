#include "setup/skinentry.h"

#include "data/skinloader.h"
#include "data/skinnames.h"
#include "platform/devicepath.h"
#include "platform/zconfig.h"
#include "setup/setuplog.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace {

/** The skin root's folders: no symbolic links, no hidden names; "." and ".." come with them. */
QStringList folders(const QDir &root)
{
    QStringList names = root.entryList(QDir::Dirs | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    // The listing's case-blind order is sorted once more: plain character codes decide, so a
    // folder named Zed comes before one named alpha.
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

bool SkinEntry::scan(QList<SkinEntry> &entries)
{
    const QDir root(devicePath(Root));
    if (!root.exists() || !root.isReadable())
        return false;
    entries.clear();
    for (const QString &dirName : folders(root)) {
        // Only names the home screen's loader accepts: a chosen one must be a skin it can show.
        if (SkinLoader::skinDirectory(dirName).isEmpty())
            continue;
        const QString path = Root + dirName + QStringLiteral("/skin.cfg");
        const ZConfig skin(devicePath(path));
        SetupLog::line(QStringLiteral("cur cfg is ") + path);
        SkinEntry entry;
        namespace General = SkinNames::General;
        entry.author = skin.readEntry(General::Group, General::Author, QString());
        entry.skinName = skin.readEntry(General::Group, General::SkinName, QString());
        entry.dirName = dirName;
        // A folder whose description names neither a skin nor an author is not a skin.
        if (!entry.author.isEmpty() || !entry.skinName.isEmpty())
            entries.append(entry);
    }
    return true;
}

bool SkinEntry::isUsable(const QString &dirName)
{
    const QString folder = SkinLoader::skinDirectory(dirName);
    return !folder.isEmpty() && QFileInfo(folder + QStringLiteral("skin.cfg")).isFile();
}
