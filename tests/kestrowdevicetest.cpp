#include "data/skinloader.h"
#include "platform/desktopapps.h"
#include "platform/devicepath.h"
#include "platform/zconfig.h"
#include "testsupport.h"

#include <QDate>
#include <QDirIterator>
#include <QProcess>
#include <QtTest>

namespace {
const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
const QString System = QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg");
const QString Idle = QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_idle.cfg");
const QString SourceSkins = QStringLiteral(KESTROW_SOURCE_DIR "/skins");

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run device(const QStringList &args)
{
    const ProgramRun run = runProgram(builtProgram(QStringLiteral("kestrow-device")), args);
    return { run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err) };
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/** Every file of the shipped skins, relative to skins/, that init installs as a skin. */
QStringList shippedSkinFiles()
{
    QStringList files;
    for (const QString &name : QDir(SourceSkins).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!QFileInfo::exists(SourceSkins + QLatin1Char('/') + name + QStringLiteral("/skin.cfg")))
            continue;
        QDirIterator it(SourceSkins + QLatin1Char('/') + name, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(SourceSkins).relativeFilePath(it.next());
    }
    return files;
}

QStringList shippedSkinNames()
{
    QStringList names;
    for (const QString &file : shippedSkinFiles()) {
        if (file.endsWith(QStringLiteral("/skin.cfg")))
            names << file.section(QLatin1Char('/'), 0, 0);
    }
    return names;
}
} // namespace

class KestrowDeviceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initCreatesEveryFile();
    void secondInitOverwritesNothing();
    void shippedSkins_data();
    void shippedSkins();
    void usageErrors_data();
    void usageErrors();
    void unwritableRootFails();
    void installedSkinsComeFirst();
    void linksInTheRootAreLeftAlone_data();
    void linksInTheRootAreLeftAlone();
};

void KestrowDeviceTest::initCreatesEveryFile()
{
    TempDeviceRoot root;
    const Run run = device({ QStringLiteral("init"), root.root() });
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

    const QStringList skinFiles = shippedSkinFiles();
    QVERIFY(skinFiles.contains(QStringLiteral("default/skin.cfg")));
    QVERIFY(skinFiles.contains(QStringLiteral("analog/skin.cfg")));
    for (const QString &file : skinFiles) {
        const QString installed = root.path(QStringLiteral("/ezxlocal/Kestrow/skin/") + file);
        QVERIFY2(
            contents(installed) == contents(SourceSkins + QLatin1Char('/') + file), qPrintable(installed));
    }
    QVERIFY(QFileInfo(root.path(QStringLiteral("/ezxlocal/download/mystuff/unKnown"))).isDir());
    QVERIFY2(!run.out.contains(QStringLiteral("kept")), qPrintable(run.out));

    ZConfig settings(root.path(Settings));
    QCOMPARE(settings.readEntry(QStringLiteral("Main"), QStringLiteral("Skin")), QStringLiteral("default"));
    const QStringList apps = desktopApplicationIdsWithoutTerminal(5);
    for (int i = 0; i < 5; ++i) {
        const QString icon = settings.readEntry(QStringLiteral("DockBar"), QStringLiteral("Icon%1").arg(i));
        QVERIFY2(icon.startsWith(QStringLiteral("/ezxlocal/")), qPrintable(icon));
        QVERIFY2(!QImage(root.path(icon)).isNull(), qPrintable(icon));
        QVERIFY(!settings.readEntry(QStringLiteral("DockBar"), QStringLiteral("Name%1").arg(i)).isEmpty());
        QCOMPARE(settings.readEntry(
                     QStringLiteral("DockBar"), QStringLiteral("Exec%1").arg(i), QStringLiteral("-")),
            i < apps.size() ? apps.at(i) : QString());
    }
    const int year = int(settings.readUIntEntry(QStringLiteral("Notify"), QStringLiteral("Year")));
    QVERIFY(year > QDate::currentDate().year() - 1 && year <= QDate::currentDate().year() + 1);
    QCOMPARE(settings.readUIntEntry(QStringLiteral("Notify"), QStringLiteral("Month")), 1u);
    QCOMPARE(settings.readUIntEntry(QStringLiteral("Notify"), QStringLiteral("Day")), 1u);
    QCOMPARE(settings.readEntry(QStringLiteral("Notify"), QStringLiteral("Info")), QStringLiteral("新年"));

    // The platform files point at each other: wallpaper and soft-key layout lie where they are named.
    ZConfig system(root.path(System));
    const QString wallpaper
        = system.readEntry(QStringLiteral("SYS_DISPLAY_SET"), QStringLiteral("Wallpaper"));
    QCOMPARE(QImage(root.path(wallpaper)).size(), QSize(240, 320));
    const QString platformSkin = system.readEntry(QStringLiteral("SYS_DISPLAY_SET"), QStringLiteral("Skin"));
    QVERIFY(platformSkin.startsWith(QStringLiteral("/usr/data_resource/skin/")));
    ZConfig layout(root.path(platformSkin + QStringLiteral("/homescreen_p.ini")));
    QCOMPARE(layout.readNumEntry(QStringLiteral("ZSoftKey_Right"), QStringLiteral("Padding_Bottom"), -1), 3);
    QCOMPARE(layout.readNumEntry(QStringLiteral("ZSoftKey_Right"), QStringLiteral("Padding_Top"), -1), 3);
    QVERIFY(!system.readEntry(QStringLiteral("SYS_SYSTEM_SET"), QStringLiteral("LanguageType")).isEmpty());

    QVERIFY(QFileInfo::exists(root.path(Idle)));
    ZConfig idle(root.path(Idle));
    const QStringList shortcuts = desktopApplicationIdsWithoutTerminal(4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(idle.readEntry(QStringLiteral("NaviKeyPlugin"), QStringLiteral("ShortcutID%1").arg(i + 1)),
            i < shortcuts.size() ? shortcuts.at(i) : QString());
    }

    // Nothing is left half-made beside the files.
    QDirIterator it(root.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QVERIFY2(!file.endsWith(QStringLiteral(".kestrow-init")), qPrintable(file));
    }
}

void KestrowDeviceTest::secondInitOverwritesNothing()
{
    TempDeviceRoot root;
    QCOMPARE(device({ QStringLiteral("init"), root.root() }).exitCode, 0);

    const QString cover = QStringLiteral("/ezxlocal/Kestrow/skin/analog/cover.png");
    const QString dial = QStringLiteral("/ezxlocal/Kestrow/skin/analog/dial.png");
    QVERIFY(root.writeFile(Settings, "[Main]\nSkin = analog\n"));
    QVERIFY(root.writeFile(System, "[SYS_DISPLAY_SET]\nWallpaper = /mmc/mine.jpg\n"));
    QVERIFY(root.writeFile(cover, "not an image"));
    QVERIFY(QFile::remove(root.path(dial)));

    const Run again = device({ QStringLiteral("init"), root.root() });
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(contents(root.path(Settings)), QByteArray("[Main]\nSkin = analog\n"));
    QCOMPARE(contents(root.path(System)), QByteArray("[SYS_DISPLAY_SET]\nWallpaper = /mmc/mine.jpg\n"));
    QCOMPARE(contents(root.path(cover)), QByteArray("not an image"));
    // A missing file is put back; only that one is created.
    QCOMPARE(contents(root.path(dial)), contents(SourceSkins + QStringLiteral("/analog/dial.png")));
    QCOMPARE(again.out.count(QStringLiteral("created ")), 1);
    QVERIFY(again.out.contains(QStringLiteral("created ") + dial));
    QVERIFY(again.out.contains(QStringLiteral("kept ") + Settings));
}

void KestrowDeviceTest::shippedSkins_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = shippedSkinNames();
    QVERIFY(names.contains(QStringLiteral("default")) && names.contains(QStringLiteral("analog")));
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void KestrowDeviceTest::shippedSkins()
{
    QFETCH(QString, name);
    TempDeviceRoot root;
    QCOMPARE(device({ QStringLiteral("init"), root.root() }).exitCode, 0);

    // Every image key the skin fills names a file of the skin that reads as an image.
    const QString dir = root.path(QStringLiteral("/ezxlocal/Kestrow/skin/") + name + QLatin1Char('/'));
    ZConfig cfg(dir + QStringLiteral("skin.cfg"));
    QCOMPARE(cfg.readEntry(QStringLiteral("General"), QStringLiteral("Author")), QStringLiteral("Kestrow"));
    QVERIFY(!cfg.readEntry(QStringLiteral("General"), QStringLiteral("SkinName")).isEmpty());
    const QStringList imageKeys = {
        QStringLiteral("Background/MidIMG"),
        QStringLiteral("FramwCover/Img"),
        QStringLiteral("Analog/BackIMG"),
        QStringLiteral("Analog/CenterIMG"),
        QStringLiteral("Analog/MinIMG"),
        QStringLiteral("Analog/HourIMG"),
        QStringLiteral("Analog/SecIMG"),
        QStringLiteral("Digital/FontIMG"),
        QStringLiteral("Week/ResIMG"),
        QStringLiteral("Date/FontIMG"),
        QStringLiteral("DockBar/BGIMG"),
        QStringLiteral("Battery/Level0"),
        QStringLiteral("Battery/Level3"),
        QStringLiteral("Signal/Level0"),
        QStringLiteral("Signal/Level5"),
    };
    int named = 0;
    for (const QString &k : imageKeys) {
        const QString group = k.section(QLatin1Char('/'), 0, 0);
        const QString file = cfg.readEntry(group, k.section(QLatin1Char('/'), 1));
        const bool shown
            = group == QLatin1String("Background") || cfg.readBoolEntry(group, QStringLiteral("Show"));
        QVERIFY2(file.isEmpty() || shown, qPrintable(k + QStringLiteral(": named by a hidden element")));
        if (file.isEmpty())
            continue;
        ++named;
        QVERIFY2(!QImage(dir + file).isNull(), qPrintable(k + QStringLiteral(" = ") + file));
    }
    QVERIFY(named >= 8);

    // Loaded as the plug-in loads it: every shown element has its images, and all of it fits the frame.
    SkinModel model;
    SkinLoadOptions options;
    options.skinName = name;
    SkinLoader::load(model, options);
    QVERIFY(!model.centre.isNull());
    QVERIFY(model.analog.show || model.digital.show);
    if (model.digital.show) {
        QCOMPARE(model.digital.strip.height() % 11, 0);
        QVERIFY(model.digital.secLeft + 2 * model.digital.strip.width() <= 240);
    }
    if (model.date.show) {
        QCOMPARE(model.date.strip.height() % 11, 0);
        QVERIFY(model.date.dayLeft + 2 * model.date.strip.width() <= 240);
    }
    if (model.week.show) {
        QCOMPARE(model.week.strip.height() % 7, 0);
        QVERIFY(model.week.left + model.week.strip.width() <= 240);
    }
    if (model.analog.show) {
        QVERIFY(!model.analog.dial.isNull() && !model.analog.hour.isNull() && !model.analog.minute.isNull());
        QVERIFY(!model.analog.secShow || !model.analog.second.isNull());
        QCOMPARE(model.analog.dial.width(), model.analog.dial.height());
        QVERIFY(model.analog.top + model.analog.dial.height() <= 265);
    }
    if (model.battery.show) {
        for (const QImage &level : model.battery.levels)
            QVERIFY(!level.isNull());
    }
    if (model.signal.show) {
        for (const QImage &level : model.signal.levels)
            QVERIFY(!level.isNull());
    }
    if (model.cover.show)
        QVERIFY(!model.cover.image.isNull());
    if (model.dock.show) {
        QVERIFY(model.dock.bgTop + model.dock.background.height() <= 265);
        for (int i = 0; i < model.dock.num; ++i) {
            const DockSlot &slot = model.dock.slots[i];
            QVERIFY2(!slot.icon.isNull(), qPrintable(QString::number(i)));
            QVERIFY(slot.top + slot.widgetHeight <= 265 && slot.left + slot.widgetWidth <= 240);
        }
    }
}

void KestrowDeviceTest::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("no folder") << QStringList { QStringLiteral("init") };
    QTest::newRow("empty folder name") << QStringList { QStringLiteral("init"), QString() };
    QTest::newRow("two folders") << QStringList { QStringLiteral("init"), QStringLiteral("a"),
        QStringLiteral("b") };
    QTest::newRow("unknown command") << QStringList { QStringLiteral("create"), QStringLiteral("a") };
}

void KestrowDeviceTest::usageErrors()
{
    QFETCH(QStringList, args);
    QTemporaryDir cwd;
    QProcess p;
    p.setWorkingDirectory(cwd.path());
    // No device root in the environment either: "init" alone names no folder.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("KESTROW_ROOT"));
    p.setProcessEnvironment(environment);
    p.start(builtProgram(QStringLiteral("kestrow-device")), args);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("kestrow-device: "));
    QVERIFY(QDir(cwd.path()).isEmpty());
}

void KestrowDeviceTest::unwritableRootFails()
{
    TempDeviceRoot root;
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow"), "a file where a folder belongs"));
    const Run run = device({ QStringLiteral("init"), root.root() });
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains(QStringLiteral("kestrow-device: ")));
    // What could be made is made all the same.
    QVERIFY(QFileInfo::exists(root.path(System)));
}

void KestrowDeviceTest::installedSkinsComeFirst()
{
    // An installed tree: bin/kestrow-device with share/kestrow/skins beside it.
    QTemporaryDir prefix;
    QVERIFY(QDir().mkpath(prefix.filePath(QStringLiteral("bin"))));
    const QString program = prefix.filePath(QStringLiteral("bin/kestrow-device"));
    QVERIFY(QFile::copy(builtProgram(QStringLiteral("kestrow-device")), program));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    const QString skins = prefix.filePath(QStringLiteral("share/kestrow/skins"));
    QVERIFY(QDir().mkpath(skins + QStringLiteral("/default")));
    QVERIFY(QDir().mkpath(skins + QStringLiteral("/wallpaper")));
    QFile cfg(skins + QStringLiteral("/default/skin.cfg"));
    QVERIFY(cfg.open(QIODevice::WriteOnly) && cfg.write("[General]\nSkinName = installed\n") > 0);
    cfg.close();
    QVERIFY(QFile::copy(SourceSkins + QStringLiteral("/wallpaper/kestrow-dusk.png"),
        skins + QStringLiteral("/wallpaper/kestrow-dusk.png")));

    TempDeviceRoot root;
    QCOMPARE(runProgram(program, { QStringLiteral("init"), root.root() }).exitCode, 0);
    QCOMPARE(contents(root.path(QStringLiteral("/ezxlocal/Kestrow/skin/default/skin.cfg"))),
        QByteArray("[General]\nSkinName = installed\n"));
    QVERIFY(!QFileInfo::exists(root.path(QStringLiteral("/ezxlocal/Kestrow/skin/analog"))));
}

void KestrowDeviceTest::linksInTheRootAreLeftAlone_data()
{
    QTest::addColumn<QString>("link"); // a phone path, made a link to a place outside the root
    QTest::addColumn<bool>("folder"); // the place outside is a folder
    QTest::newRow("settings file") << Settings << false;
    QTest::newRow("settings file draft") << Settings + QStringLiteral(".kestrow-init") << false;
    QTest::newRow("skin image") << QStringLiteral("/ezxlocal/Kestrow/skin/analog/dial.png") << false;
    QTest::newRow("skin folder") << QStringLiteral("/ezxlocal/Kestrow/skin") << true;
    QTest::newRow("top folder") << QStringLiteral("/ezxlocal") << true;
}

void KestrowDeviceTest::linksInTheRootAreLeftAlone()
{
    QFETCH(QString, link);
    QFETCH(bool, folder);
    TempDeviceRoot root;
    QTemporaryDir outside;
    const QString place = outside.filePath(QStringLiteral("place"));
    if (folder)
        QVERIFY(QDir().mkpath(place));
    QVERIFY(QDir().mkpath(QFileInfo(root.path(link)).absolutePath()));
    QVERIFY(QFile::link(place, root.path(link)));

    const Run run = device({ QStringLiteral("init"), root.root() });
    // Nothing was made outside the root, and the link is still there as it was.
    if (folder)
        QVERIFY2(QDir(place).isEmpty(), qPrintable(QDir(place).entryList().join(u' ')));
    else
        QVERIFY(!QFileInfo::exists(place));
    QVERIFY(QFileInfo(root.path(link)).isSymLink());
    QCOMPARE(QFileInfo(root.path(link)).symLinkTarget(), place);
    // The link is named once, and everything else is made all the same.
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.count(root.path(link)), 1);
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    if (!link.startsWith(QStringLiteral("/ezxlocal")))
        QVERIFY(QFileInfo::exists(root.path(System)));
}

QTEST_GUILESS_MAIN(KestrowDeviceTest)
#include "kestrowdevicetest.moc"
