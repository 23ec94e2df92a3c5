// Builds the application catalogue from hostile registry files and checks what must hold
// for every input: nothing crashes or hangs, the catalogue stays within its limit, and every
// entry it keeps obeys the rules of its source (a name, an icon and an ExecId; a directory and
// a type of 0, 1 or 3 for the installed and memory-card applications).
//
// The input is cut at "\x1e" bytes into the InstalledDB, the CardRegistry, the UserMenuTree
// and the SysRegistry, in this order; a registry that gets no piece is missing.

#include "platform/devicepath.h"
#include "platform/phonepaths.h"
#include "setup/appcatalogue.h"
#include "tests/fuzz/require.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

const QList<QString> &registries()
{
    static const QList<QString> paths = { AppRegistries::InstalledDb, AppRegistries::CardRegistry,
        AppRegistries::UserMenuTree, AppRegistries::SysRegistry };
    return paths;
}

// One device root for the whole run; each input rewrites its four files.
void prepareRoot()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    char pattern[] = "/tmp/appcataloguefuzz.XXXXXX";
    require(mkdtemp(pattern) != nullptr);
    qputenv("KESTROW_ROOT", pattern);
    std::atexit([] { QDir(qEnvironmentVariable("KESTROW_ROOT")).removeRecursively(); });
    for (const QString &path : registries())
        require(QDir().mkpath(QFileInfo(devicePath(path)).absolutePath()));
    // An icon file that some inputs will name.
    QFile icon(devicePath(QStringLiteral("/apps/app.png")));
    require(QDir().mkpath(QFileInfo(icon).absolutePath()) && icon.open(QIODevice::WriteOnly));
}

bool isIdType(const CatalogueEntry &entry)
{
    const int type = AppCatalogue::typeNumber(entry.type);
    return type == 0 || type == 1 || type == 3;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    prepareRoot();
    const QList<QByteArray> pieces
        = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\x1e');
    for (int i = 0; i < registries().size(); ++i) {
        const QString file = devicePath(registries().at(i));
        if (i >= pieces.size()) {
            QFile::remove(file);
            continue;
        }
        QFile out(file);
        require(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(out.write(pieces.at(i)) == pieces.at(i).size());
    }

    const QList<CatalogueEntry> entries = AppCatalogue::build();
    require(entries.size() <= AppCatalogue::MaxEntries);
    for (const CatalogueEntry &entry : entries) {
        require(!entry.name.isEmpty() && !entry.icon.isEmpty() && !entry.execId.isEmpty());
        // Installed and memory-card entries need a directory and one of their three types.
        if (entry.directory.isEmpty() || !isIdType(entry))
            require(pieces.size() > 2);
        require(AppCatalogue::pickedExec(entry) == (isIdType(entry) ? entry.id : entry.execId));
        const QString icon = AppCatalogue::pickedIcon(entry);
        require(icon == entry.icon || icon == AppCatalogue::iconPath(entry));
    }
    return 0;
}
