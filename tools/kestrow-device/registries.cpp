#include "tools/kestrow-device/registries.h"

#include "platform/desktopapps.h"
#include "platform/devicepath.h"
#include "platform/phonepaths.h"
#include "platform/resiconreader.h"
#include "platform/toolcommandline.h"
#include "platform/zconfig.h"
#include "platform/zconfigdocument.h"
#include "tools/kestrow-device/rootfile.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>

namespace DeviceRegistries {
namespace {

// More desktop entries than any desktop has; the picker lists at most this many anyway.
constexpr int MaxDesktopApps = 5000;
constexpr qint64 MaxIconFileSize = 1024 * 1024;
// The desktop's main categories give the menu folders; an entry goes into its first one.
const QStringList MainCategories = { QStringLiteral("AudioVideo"), QStringLiteral("Audio"),
    QStringLiteral("Video"), QStringLiteral("Development"), QStringLiteral("Education"),
    QStringLiteral("Game"), QStringLiteral("Graphics"), QStringLiteral("Network"), QStringLiteral("Office"),
    QStringLiteral("Science"), QStringLiteral("Settings"), QStringLiteral("System"),
    QStringLiteral("Utility") };
// Shown for an entry without an icon of its own; every icon theme has it.
const QString FallbackIcon = QStringLiteral("application-x-executable");
// The type by which the launcher starts an application from its ExecId, the desktop file id.
const QString DesktopAppType = QStringLiteral("2");

int fail(const QString &phonePath, const QString &reason)
{
    printLine(stderr, QStringLiteral("kestrow-device: %1: %2").arg(devicePath(phonePath), reason));
    return 1;
}

// Folders are made inside the root only, never through a link placed there; a link in the way
// is reported by the caller's reporter, once however many files lie beyond it.
bool makeFolder(const QString &folder, const LinkReporter &reportLink)
{
    QString detail;
    const RootFile::Result made = RootFile::makeFolders(deviceRoot(), folder, &detail);
    if (made == RootFile::Result::LinkInTheWay)
        reportLink(detail);
    return made == RootFile::Result::Created || made == RootFile::Result::Kept;
}

bool isMarked(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) && in.readLine(256).startsWith(Mark);
}

// Writes the whole file beside its place and moves it there, so a reader never sees half of it.
bool saveWhole(const QString &file, const QByteArray &bytes)
{
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

// GLib starts a terminal application inside one of the desktop's terminal emulators; without any,
// such an entry could be listed but never launched.
bool hasTerminalEmulator()
{
    static const QStringList terminals = { QStringLiteral("x-terminal-emulator"),
        QStringLiteral("xdg-terminal-exec"), QStringLiteral("gnome-terminal"), QStringLiteral("kgx"),
        QStringLiteral("konsole"), QStringLiteral("xfce4-terminal"), QStringLiteral("mate-terminal"),
        QStringLiteral("tilix"), QStringLiteral("nxterm"), QStringLiteral("color-xterm"),
        QStringLiteral("rxvt"), QStringLiteral("dtterm"), QStringLiteral("xterm") };
    for (const QString &terminal : terminals) {
        if (!QStandardPaths::findExecutable(terminal).isEmpty())
            return true;
    }
    return false;
}

// Group names and menu items must survive the registry syntax and the ";" of the menu tree.
bool isUsableId(const QString &id)
{
    return ZConfigDocument::isGroupName(id) && !id.contains(QLatin1Char(';'));
}

QString menuFolder(const DesktopApp &app)
{
    for (const QString &category : app.categories) {
        if (MainCategories.contains(category))
            return category;
    }
    return QStringLiteral("Other");
}

// An icon given as a file of the desktop is copied among the phone's icon resources, where the
// picker and the home screen find it by name; a theme icon is used by its name.
QString phoneIcon(const DesktopApp &app, bool copyFiles, const LinkReporter &reportLink)
{
    if (!app.iconName.isEmpty())
        return app.iconName;
    const QFileInfo source(app.iconFile);
    if (app.iconFile.isEmpty() || !source.isFile() || source.size() > MaxIconFileSize)
        return FallbackIcon;
    const QString name = app.id + QLatin1Char('.') + source.suffix();
    if (!copyFiles)
        return name;
    const QString target = RES_ICON_Reader::resourceFolder() + name;
    if (!makeFolder(RES_ICON_Reader::resourceFolder(), reportLink) || QFileInfo(target).isSymLink())
        return FallbackIcon;
    QFile::remove(target);
    return QFile::copy(app.iconFile, target) ? name : FallbackIcon;
}

struct DesktopRegistries {
    QByteArray sysRegistry;
    QByteArray menuTree;
};

DesktopRegistries fromDesktop(bool copyIcons, const LinkReporter &reportLink)
{
    const QByteArray header = QByteArray(Mark)
        + ": this machine's desktop applications. Running init again "
          "rewrites this file; delete this line to keep it as it is.\n";
    ZConfigDocument registry(header);
    QMap<QString, QStringList> folders;
    const QList<DesktopApp> apps = desktopApplications(MaxDesktopApps);
    const bool terminals = hasTerminalEmulator();
    for (const DesktopApp &app : apps) {
        if (!isUsableId(app.id) || app.name.isEmpty() || (app.terminal && !terminals))
            continue;
        registry.setValue(app.id, QStringLiteral("Name"), app.name);
        registry.setValue(app.id, QStringLiteral("AppType"), DesktopAppType);
        registry.setValue(app.id, QStringLiteral("BigIcon"), phoneIcon(app, copyIcons, reportLink));
        registry.setValue(app.id, QStringLiteral("ExecId"), app.id);
        folders[menuFolder(app)].append(app.id);
    }
    ZConfigDocument menu(header);
    for (auto it = folders.cbegin(); it != folders.cend(); ++it)
        menu.setValue(it.key(), QStringLiteral("Items"), it.value().join(QLatin1Char(';')));
    return { registry.toBytes(), menu.toBytes() };
}

// A marked registry (or none) is init's own; any other file is the user's and stays.
bool isOwnOrMissing(const QString &phonePath)
{
    const QString file = devicePath(phonePath);
    const QFileInfo info(file);
    if (info.isSymLink())
        return false;
    return !info.exists() || (info.isFile() && isMarked(file));
}

int writeMarked(const QString &phonePath, const QByteArray &bytes, const LinkReporter &reportLink)
{
    const QString file = devicePath(phonePath);
    const QFileInfo info(file);
    const bool existed = info.exists();
    if (!isOwnOrMissing(phonePath)) {
        printLine(stdout, QStringLiteral("kept %1").arg(phonePath));
        return 0;
    }
    if (!makeFolder(info.absolutePath(), reportLink))
        return 1;
    if (!saveWhole(file, bytes))
        return fail(phonePath, QStringLiteral("cannot write it"));
    printLine(stdout, QStringLiteral("%1 %2").arg(existed ? "refreshed" : "created", phonePath));
    return 0;
}

QList<std::pair<QString, QString>> setupKeys()
{
    return { { QStringLiteral("Name"), QStringLiteral("Kestrow") },
        { QStringLiteral("AppType"), QStringLiteral("1") },
        { QStringLiteral("Directory"), QString(PhonePaths::AppFolder) },
        { QStringLiteral("Icon"), QString::fromLatin1(SetupIcon) },
        { QStringLiteral("ExecId"), QString::fromLatin1(SetupExecId) } };
}

// Only the project's own group is written; every other group and line of the file stays.
int writeInstalled(const LinkReporter &reportLink)
{
    const QString phonePath = AppRegistries::InstalledDb;
    const QString file = devicePath(phonePath);
    const QFileInfo info(file);
    const QString id = QString::fromLatin1(SetupId);
    // A dangling link does not exist, yet writing there would land outside the device root.
    if (!info.exists() && !info.isSymLink()) {
        ZConfigDocument document(
            QByteArrayLiteral("# Installed applications, one group each. kestrow-device init "
                              "keeps the group [kestrow-setup] up to date and no other.\n"));
        for (const auto &[key, value] : setupKeys())
            document.setValue(id, key, value);
        if (!makeFolder(info.absolutePath(), reportLink))
            return 1;
        if (!saveWhole(file, document.toBytes()))
            return fail(phonePath, QStringLiteral("cannot write it"));
        printLine(stdout, QStringLiteral("created %1").arg(phonePath));
        return 0;
    }
    if (info.isSymLink() || !info.isFile())
        return fail(phonePath, QStringLiteral("not a regular file, left as it is"));
    ZConfig installed(file);
    bool changed = false;
    for (const auto &[key, value] : setupKeys()) {
        if (installed.readEntry(id, key, QString()) == value)
            continue;
        changed = true;
        installed.writeEntry(id, key, value);
    }
    if (!installed.flush())
        return fail(phonePath, QStringLiteral("cannot write it"));
    printLine(stdout, QStringLiteral("%1 %2").arg(changed ? "updated" : "kept", phonePath));
    return 0;
}

} // namespace

int write(const LinkReporter &reportLink)
{
    // Icon files are copied only for a registry that will name them.
    const DesktopRegistries desktop = fromDesktop(isOwnOrMissing(AppRegistries::SysRegistry), reportLink);
    return writeMarked(AppRegistries::SysRegistry, desktop.sysRegistry, reportLink)
        + writeMarked(AppRegistries::UserMenuTree, desktop.menuTree, reportLink) + writeInstalled(reportLink);
}

} // namespace DeviceRegistries
