// kestrow-device init DIR: lays out under DIR the files of a phone that Kestrow runs on: the settings
// file, the shipped skins, the phone's display and idle settings, its soft-key layout and a wallpaper.
// A file that exists is kept, so a device root can be topped up after an update; only the application
// registries follow this machine: init rewrites the two it marked as its own and keeps its group of
// InstalledDB up to date.
#include "data/settingsfile.h"
#include "platform/desktopapps.h"
#include "platform/devicepath.h"
#include "platform/phonepaths.h"
#include "platform/toolcommandline.h"
#include "platform/zconfigdocument.h"
#include "plugin/tool.h"
#include "tools/kestrow-device/registries.h"
#include "tools/kestrow-device/rootfile.h"
#include "tools/kestrow-device/settingsapp.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <cstdio>
#include <utility>

namespace {
const QString SkinRoot = PhonePaths::SkinFolder;
const QString DockIconFolder = SkinRoot + QStringLiteral("default/icons/");

constexpr int DockSlots = 5;
constexpr int IdleShortcuts = 4;

const char Epilogue[]
    = "Commands:\n"
      "  init [DIR]  Lay out the device root DIR (default: --root DIR or $KESTROW_ROOT).\n"
      "\n"
      "A file that exists is kept, except the application registries: SysRegistry and\n"
      "UserMenuTree are rewritten from this machine's applications while their first line is\n"
      "init's mark, and the [kestrow-setup] group of InstalledDB is kept up to date.\n"
      "Exit status: 0 done, 1 a file could not be made, 2 usage error.\n";

/** One key of a file being written, in the order it is written. */
struct Entry {
    QString group;
    QString key;
    QString value;
};

/** Creates the files of one device root and counts what it created, kept and failed on. */
class DeviceRoot
{
public:
    void copyFile(const QString &source, const QString &phonePath);
    void writeConfig(const QString &phonePath, const QList<Entry> &entries);
    void makeFolder(const QString &phonePath);
    int failures() const { return m_failures; }
    void reportLink(const QString &link);

private:
    void create(const QString &phonePath, const QByteArray &content);
    void fail(const QString &phonePath, const QString &reason);

    int m_failures = 0;
    QSet<QString> m_links;
};

void DeviceRoot::create(const QString &phonePath, const QByteArray &content)
{
    QString detail;
    switch (RootFile::create(deviceRoot(), devicePath(phonePath), content, &detail)) {
    case RootFile::Result::Created:
        return printLine(stdout, QStringLiteral("created %1").arg(phonePath));
    case RootFile::Result::Kept:
        return printLine(stdout, QStringLiteral("kept %1").arg(phonePath));
    case RootFile::Result::LinkInTheWay:
        return reportLink(detail);
    case RootFile::Result::Failed:
        return fail(phonePath, detail);
    }
}

void DeviceRoot::reportLink(const QString &link)
{
    // Once per link, however many files lie beyond it.
    ++m_failures;
    if (m_links.contains(link))
        return;
    m_links.insert(link);
    printLine(
        stderr, QStringLiteral("kestrow-device: %1: a symbolic link is in the way, left alone").arg(link));
}

void DeviceRoot::fail(const QString &phonePath, const QString &reason)
{
    printLine(stderr, QStringLiteral("kestrow-device: %1: %2").arg(devicePath(phonePath), reason));
    ++m_failures;
}

void DeviceRoot::copyFile(const QString &source, const QString &phonePath)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return fail(phonePath, QStringLiteral("cannot read %1").arg(source));
    create(phonePath, file.readAll());
}

void DeviceRoot::writeConfig(const QString &phonePath, const QList<Entry> &entries)
{
    ZConfigDocument document;
    for (const Entry &e : entries) {
        if (!document.setValue(e.group, e.key, e.value))
            return fail(phonePath, QStringLiteral("cannot store [%1] %2").arg(e.group, e.key));
    }
    create(phonePath, document.toBytes());
}

void DeviceRoot::makeFolder(const QString &phonePath)
{
    QString detail;
    const RootFile::Result made = RootFile::makeFolders(deviceRoot(), devicePath(phonePath), &detail);
    if (made == RootFile::Result::LinkInTheWay)
        reportLink(detail);
    else if (made == RootFile::Result::Failed)
        fail(phonePath, QStringLiteral("cannot create the folder"));
}

/** The shipped skins: installed beside the program, or else the source tree's. */
QString shippedSkins()
{
    const QStringList candidates = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/kestrow/skins"),
        QStringLiteral(KESTROW_SOURCE_DIR "/skins"),
    };
    for (const QString &dir : candidates) {
        if (QFileInfo::exists(dir + QStringLiteral("/default/skin.cfg")))
            return QDir::cleanPath(dir);
    }
    return QString();
}

void installSkins(DeviceRoot &root, const QString &skins)
{
    const QStringList names = QDir(skins).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        const QString from = skins + QLatin1Char('/') + name;
        if (!QFileInfo::exists(from + QStringLiteral("/skin.cfg")))
            continue;
        QStringList files;
        QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(from).relativeFilePath(it.next());
        files.sort();
        for (const QString &file : std::as_const(files))
            root.copyFile(from + QLatin1Char('/') + file, SkinRoot + name + QLatin1Char('/') + file);
    }
}

QList<Entry> settingsEntries(const QStringList &apps)
{
    using namespace SettingsFile;
    const QStringList icons = { QStringLiteral("phone"), QStringLiteral("message"), QStringLiteral("camera"),
        QStringLiteral("music"), QStringLiteral("settings") };
    const QStringList names = { ctr("电话"), ctr("短信"), ctr("相机"), ctr("音乐"), ctr("设置") };
    QList<Entry> entries = { { MainGroup, SkinKey, DefaultSkin } };
    for (int i = 0; i < DockSlots; ++i) {
        entries.append(
            { DockGroup, slotKey(IconKey, i), DockIconFolder + icons.at(i) + QStringLiteral(".png") });
        entries.append({ DockGroup, slotKey(ExecKey, i), i < apps.size() ? apps.at(i) : QString() });
        entries.append({ DockGroup, slotKey(NameKey, i), names.at(i) });
    }
    // The countdown starts out counting to the next New Year's Day.
    entries.append({ NotifyGroup, YearKey, QString::number(QDate::currentDate().year() + 1) });
    entries.append({ NotifyGroup, MonthKey, QStringLiteral("1") });
    entries.append({ NotifyGroup, DayKey, QStringLiteral("1") });
    entries.append({ NotifyGroup, InfoKey, ctr("新年") });
    return entries;
}

QList<Entry> idleEntries(const QStringList &apps)
{
    QList<Entry> entries;
    for (int i = 0; i < IdleShortcuts && i < apps.size(); ++i)
        entries.append(
            { QStringLiteral("NaviKeyPlugin"), QStringLiteral("ShortcutID%1").arg(i + 1), apps.at(i) });
    return entries;
}

int init(const QString &dir)
{
    const QString skins = shippedSkins();
    if (skins.isEmpty()) {
        printLine(stderr, QStringLiteral("kestrow-device: cannot find the shipped skins"));
        return 1;
    }
    if (!QDir().mkpath(dir)) {
        printLine(stderr, QStringLiteral("kestrow-device: cannot create %1").arg(dir));
        return 1;
    }
    // From here on every phone path resolves under the new device root.
    qputenv("KESTROW_ROOT", QFile::encodeName(QDir(dir).absolutePath()));
    const bool newRoot = SettingsApp::isNewRoot();
    // A slot is left empty rather than given an application that cannot start from the home screen.
    const QStringList apps = desktopApplicationIdsWithoutTerminal(DockSlots);

    DeviceRoot root;
    installSkins(root, skins);
    root.writeConfig(SettingsFile::Path, settingsEntries(apps));
    root.copyFile(skins + QStringLiteral("/wallpaper/kestrow-dusk.png"), PhonePaths::Wallpaper);
    root.writeConfig(PhonePaths::SystemSettings,
        {
            { QStringLiteral("SYS_DISPLAY_SET"), QStringLiteral("Wallpaper"), PhonePaths::Wallpaper },
            { QStringLiteral("SYS_DISPLAY_SET"), QStringLiteral("Skin"), PhonePaths::PlatformSkin },
            { QStringLiteral("SYS_SYSTEM_SET"), QStringLiteral("LanguageType"),
                SettingsApp::languageFromLocale() },
        });
    root.writeConfig(QString(PhonePaths::PlatformSkin) + QStringLiteral("/homescreen_p.ini"),
        {
            { QStringLiteral("ZSoftKey_Right"), QStringLiteral("Padding_Bottom"), QStringLiteral("3") },
            { QStringLiteral("ZSoftKey_Right"), QStringLiteral("Padding_Top"), QStringLiteral("3") },
        });
    root.writeConfig(PhonePaths::IdleSettings, idleEntries(apps));
    root.makeFolder(PhonePaths::AutorunFolder);
    const int appFailures
        = SettingsApp::install(newRoot, [&root](const QString &link) { root.reportLink(link); });
    const int registryFailures
        = DeviceRegistries::write([&root](const QString &link) { root.reportLink(link); });
    return root.failures() == 0 && registryFailures == 0 && appFailures == 0 ? 0 : 1;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ToolCommandLine cmd(QStringLiteral("kestrow-device"),
        QStringLiteral(
            "Lays out the files of a phone that Kestrow runs on under a device root folder: the "
            "settings file, the shipped skins, the phone's display and idle settings, its soft-key "
            "layout, a wallpaper and the settings application."));
    cmd.addRootOption();
    cmd.parser().addPositionalArgument(
        QStringLiteral("command"), QStringLiteral("init"), QStringLiteral("init [DIR]"));
    cmd.setEpilogue(QLatin1String(Epilogue));
    if (const std::optional<int> done = cmd.process(app.arguments()))
        return *done;
    const QStringList args = cmd.positional();
    if (args.isEmpty())
        return cmd.usageError(QStringLiteral("a command is needed: init [DIR]"));
    if (args.first() != QLatin1String("init"))
        return cmd.usageError(
            QStringLiteral("unknown command \"%1\"; the command is init").arg(args.first()));
    if (args.size() > 2)
        return cmd.usageError(QStringLiteral("init takes one folder"));
    cmd.applyRoot();
    const QString dir = args.size() == 2 ? args.at(1) : qEnvironmentVariable("KESTROW_ROOT");
    if (dir.isEmpty())
        return cmd.usageError(QStringLiteral("init needs a folder: init DIR, --root DIR or $KESTROW_ROOT"));
    return init(dir);
}
