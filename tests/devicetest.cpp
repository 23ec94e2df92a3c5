// kestrow-device init: the device root it makes from the shipped skins and this machine's desktop
// entries (here the test's own), what a second run keeps, the links it refuses to follow, and the
// settings application it installs.

#include "platform/phonepaths.h"
#include "platform/zconfig.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QtTest>

namespace {

const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
const QString System = QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg");
const QString Autorun = QStringLiteral("/ezxlocal/download/mystuff/unKnown/S10KestrowPulgin");
const QString AppFolder = QStringLiteral("/ezxlocal/Kestrow/");
const QString SourceSkins = QStringLiteral(KESTROW_SOURCE_DIR "/skins");

QStringList groups(const QString &path)
{
    QStringList list;
    ZConfig(path).getGroupsKeyList(list);
    return list;
}

} // namespace

class DeviceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void initMakesTheRoot();
    void secondInitKeepsWhatIsThere_data();
    void secondInitKeepsWhatIsThere();
    void linksInTheRootAreLeftAlone_data();
    void linksInTheRootAreLeftAlone();
    void environment_data();
    void environment();
    void installedProgramAndSkins();
    void unwritableRootFails();

private:
    ProgramRun init(const TempDeviceRoot &root, const QString &lang = QString(),
        const QString &path = QString(), const QString &program = QString());
    QTemporaryDir m_xdg;
};

void DeviceTest::initTestCase()
{
    const auto entry = [this](const char *id, const QByteArray &lines, const QByteArray &exec = "/bin/true") {
        return writeFileBytes(m_xdg.filePath(QStringLiteral("applications/") + QLatin1String(id)),
            "[Desktop Entry]\nType=Application\nExec=" + exec + '\n' + lines);
    };
    QImage icon(48, 32, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    QVERIFY(icon.save(m_xdg.filePath(QStringLiteral("paint.png"))));
    QVERIFY(entry(
        "k-editor.desktop", "Name=Editor = Pro; 编辑\nIcon=accessories-text-editor\nCategories=Utility;\n"));
    QVERIFY(entry("k-paint.desktop",
        "Name=Paint\nIcon=" + QFile::encodeName(m_xdg.filePath(QStringLiteral("paint.png")))
            + "\nCategories=Graphics;\n"));
    QVERIFY(entry("k-plain.desktop", "Name=Plain\n"));
    QVERIFY(entry("k-hidden.desktop", "Name=Hidden\nNoDisplay=true\n"));
    QVERIFY(entry("k-shell.desktop", "Name=Shell\nTerminal=true\nCategories=System;\n"));
    QVERIFY(entry("k-gone.desktop", "Name=Gone\n", "kestrow-no-such-program"));
    QVERIFY(writeFileBytes(m_xdg.filePath(QStringLiteral("terminal/xterm")), "#!/bin/sh\n"));
    QVERIFY(QFile::setPermissions(
        m_xdg.filePath(QStringLiteral("terminal/xterm")), QFile::ReadOwner | QFile::ExeOwner));
}

ProgramRun DeviceTest::init(
    const TempDeviceRoot &root, const QString &lang, const QString &path, const QString &program)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" })
        environment.remove(QString::fromLatin1(name));
    for (const QString &variable : lang.split(u' ', Qt::SkipEmptyParts))
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    // Where terminal emulators are looked for: none, unless the test puts one there.
    environment.insert(QStringLiteral("PATH"), path.isEmpty() ? m_xdg.filePath(QStringLiteral("bin")) : path);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_xdg.path());
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), m_xdg.filePath(QStringLiteral("system")));
    return runProgram(program.isEmpty() ? builtProgram(QStringLiteral("kestrow-device")) : program,
        { QStringLiteral("init"), root.root() }, {}, 120000, environment);
}

void DeviceTest::initMakesTheRoot()
{
    TempDeviceRoot root;
    const ProgramRun run = init(root);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty() && !run.out.contains("kept"), run.err.constData());
    QDirIterator skins(SourceSkins, QDir::Files, QDirIterator::Subdirectories);
    while (skins.hasNext()) {
        const QString file = QDir(SourceSkins).relativeFilePath(skins.next());
        if (QFileInfo::exists(SourceSkins + u'/' + file.section(u'/', 0, 0) + QStringLiteral("/skin.cfg")))
            QVERIFY2(readFileBytes(root.path(QStringLiteral("/ezxlocal/Kestrow/skin/") + file))
                    == readFileBytes(SourceSkins + u'/' + file),
                qPrintable(file));
    }
    QVERIFY(QFileInfo(root.path(QStringLiteral("/ezxlocal/download/mystuff/unKnown"))).isDir());

    // The dock and the navigation keys get the applications that start without a terminal, in id order.
    const ZConfig settings(root.path(Settings));
    QCOMPARE(settings.readEntry(QStringLiteral("Main"), QStringLiteral("Skin")), QStringLiteral("default"));
    const QStringList apps { "k-editor.desktop", "k-paint.desktop", "k-plain.desktop", "", "" };
    const ZConfig idle(root.path(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_idle.cfg")));
    for (int i = 0; i < 5; ++i) {
        const QString icon = settings.readEntry(QStringLiteral("DockBar"), QStringLiteral("Icon%1").arg(i));
        QVERIFY2(icon.startsWith(QStringLiteral("/ezxlocal/")) && !QImage(root.path(icon)).isNull(),
            qPrintable(icon));
        QCOMPARE(settings.readEntry(
                     QStringLiteral("DockBar"), QStringLiteral("Exec%1").arg(i), QStringLiteral("-")),
            apps[i]);
        if (i < 4)
            QCOMPARE(
                idle.readEntry(QStringLiteral("NaviKeyPlugin"), QStringLiteral("ShortcutID%1").arg(i + 1)),
                apps[i]);
    }
    // The countdown starts out counting to the next New Year's Day.
    QCOMPARE(int(settings.readUIntEntry(QStringLiteral("Notify"), QStringLiteral("Year"))),
        QDate::currentDate().year() + 1);
    // The platform files point at each other: the wallpaper lies where it is named.
    const ZConfig system(root.path(System));
    QCOMPARE(
        QImage(root.path(system.readEntry(QStringLiteral("SYS_DISPLAY_SET"), QStringLiteral("Wallpaper"))))
            .size(),
        QSize(240, 320));

    // The registries describe the desktop's applications, each in the menu folder of its category.
    QCOMPARE(groups(root.path(AppRegistries::SysRegistry)),
        (QStringList { "k-editor.desktop", "k-paint.desktop", "k-plain.desktop" }));
    const QList<QStringList> entries {
        { AppRegistries::SysRegistry, "k-editor.desktop", "Name", QString::fromUtf8("Editor = Pro; 编辑") },
        { AppRegistries::SysRegistry, "k-editor.desktop", "BigIcon", "accessories-text-editor" },
        { AppRegistries::SysRegistry, "k-plain.desktop", "BigIcon", "application-x-executable" },
        { AppRegistries::SysRegistry, "k-paint.desktop", "BigIcon", "k-paint.desktop.png" },
        { AppRegistries::UserMenuTree, "Utility", "Items", "k-editor.desktop" },
        { AppRegistries::UserMenuTree, "Other", "Items", "k-plain.desktop" },
        { AppRegistries::InstalledDb, "kestrow-setup", "Directory", "/ezxlocal/Kestrow" },
    };
    for (const QStringList &e : entries)
        QCOMPARE(ZConfig(root.path(e[0])).readEntry(e[1], e[2]), e[3]);
    QCOMPARE(readFileBytes(root.path(QStringLiteral("/usr/data_resource/icons/k-paint.desktop.png"))),
        readFileBytes(m_xdg.filePath(QStringLiteral("paint.png"))));
    QDirIterator all(root.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (all.hasNext())
        QVERIFY2(!all.next().endsWith(QStringLiteral(".kestrow-init")), qPrintable(all.filePath()));
}

void DeviceTest::secondInitKeepsWhatIsThere_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("refreshed");
    QTest::newRow("marked system registry")
        << QString(AppRegistries::SysRegistry)
        << QByteArray("# kestrow-device init: old\n[gone.desktop]\nName=Gone\n") << true;
    QTest::newRow("unmarked menu tree")
        << QString(AppRegistries::UserMenuTree) << QByteArray("[Mine]\nItems = mine\n") << false;
}

void DeviceTest::secondInitKeepsWhatIsThere()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, before);
    QFETCH(bool, refreshed);
    TempDeviceRoot root;
    QCOMPARE(init(root).exitCode, 0);
    const QString cover = QStringLiteral("/ezxlocal/Kestrow/skin/analog/cover.png");
    const QString dial = QStringLiteral("/ezxlocal/Kestrow/skin/analog/dial.png");
    QVERIFY(root.writeFile(Settings, "[Main]\nSkin = analog\n"));
    QVERIFY(root.writeFile(cover, "not an image"));
    QVERIFY(QFile::remove(root.path(dial)));
    QVERIFY(QFile::remove(root.path(Autorun))); // the user switched autorun off
    QVERIFY(root.writeFile(file, before));
    // The user's own application, and an edit of the settings application's group.
    const QByteArray userApp
        = "# my apps\n[my-app]\nName = Mine\nDirectory = /ezxlocal/Mine\nExecId = mine\n";
    QVERIFY(root.writeFile(AppRegistries::InstalledDb, userApp + "[kestrow-setup]\nName = Renamed\n"));

    const ProgramRun run = init(root);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readFileBytes(root.path(Settings)), QByteArray("[Main]\nSkin = analog\n"));
    QCOMPARE(readFileBytes(root.path(cover)), QByteArray("not an image"));
    QVERIFY(!QFileInfo::exists(root.path(Autorun)));
    // A missing file is put back; only that one is created.
    QCOMPARE(readFileBytes(root.path(dial)), readFileBytes(SourceSkins + QStringLiteral("/analog/dial.png")));
    QCOMPARE(run.out.count("created "), 1);
    QVERIFY(run.out.contains("created " + dial.toUtf8()) && run.out.contains("kept " + Settings.toUtf8()));
    const QByteArray after = readFileBytes(root.path(file));
    if (refreshed)
        QVERIFY2(after.startsWith("# kestrow-device init") && after.contains("k-editor.desktop")
                && !after.contains("[gone.desktop]"),
            after.constData());
    else
        QCOMPARE(after, before);
    QVERIFY(readFileBytes(root.path(AppRegistries::InstalledDb)).startsWith(userApp));
    const ZConfig db(root.path(AppRegistries::InstalledDb));
    QCOMPARE(
        db.readEntry(QStringLiteral("kestrow-setup"), QStringLiteral("Name")), QStringLiteral("Kestrow"));
    QCOMPARE(db.readEntry(QStringLiteral("kestrow-setup"), QStringLiteral("ExecId")),
        QStringLiteral("kestrow-setup"));
}

void DeviceTest::linksInTheRootAreLeftAlone_data()
{
    QTest::addColumn<QString>("link"); // a phone path, made a link to a place outside the root
    QTest::addColumn<bool>("folder"); // the place outside is a folder
    QTest::newRow("settings file") << Settings << false;
    QTest::newRow("settings file draft") << Settings + QStringLiteral(".kestrow-init") << false;
    QTest::newRow("skin image") << QStringLiteral("/ezxlocal/Kestrow/skin/analog/dial.png") << false;
    QTest::newRow("registry") << QString(AppRegistries::InstalledDb) << false;
    QTest::newRow("skin folder") << QStringLiteral("/ezxlocal/Kestrow/skin") << true;
    QTest::newRow("top folder") << QStringLiteral("/ezxlocal") << true;
}

void DeviceTest::linksInTheRootAreLeftAlone()
{
    QFETCH(QString, link);
    QFETCH(bool, folder);
    TempDeviceRoot root;
    QTemporaryDir outside;
    const QString place = outside.filePath(QStringLiteral("place"));
    QVERIFY(!folder || QDir().mkpath(place));
    QVERIFY(QDir().mkpath(QFileInfo(root.path(link)).absolutePath()));
    QVERIFY(QFile::link(place, root.path(link)));

    const ProgramRun run = init(root);
    // Nothing was made outside the root, and the link is still there as it was.
    QVERIFY(folder ? QDir(place).isEmpty() : !QFileInfo::exists(place));
    QCOMPARE(QFileInfo(root.path(link)).symLinkTarget(), place);
    // The link is named once, and everything else is made all the same.
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.count(root.path(link).toUtf8()), 1);
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(link.startsWith(QStringLiteral("/ezxlocal")) || QFileInfo::exists(root.path(System)));
}

void DeviceTest::environment_data()
{
    QTest::addColumn<QString>("lang"); // the locale's variables
    QTest::addColumn<bool>("emulator"); // a terminal emulator on the path
    QTest::addColumn<QString>("language");
    QTest::newRow("LANG") << "LANG=zh_TW.UTF-8" << false << "zh-cn";
    QTest::newRow("LC_MESSAGES before LANG") << "LANG=zh_CN.UTF-8 LC_MESSAGES=de_DE.UTF-8" << true << "en-us";
    QTest::newRow("LC_ALL before LC_MESSAGES") << "LC_MESSAGES=de_DE LC_ALL=zh_CN.UTF-8" << false << "zh-cn";
    QTest::newRow("LANGUAGE first") << "LC_ALL=de_DE LANGUAGE=zh_CN:en" << false << "zh-cn";
    QTest::newRow("first of LANGUAGE") << "LANGUAGE=en:zh_CN LANG=zh_CN" << false << "en-us";
    QTest::newRow("no locale") << "" << false << "en-us";
}

void DeviceTest::environment()
{
    // The phone's language follows the locale as the C library reads it; an application that runs in a
    // terminal is listed only where it can be launched.
    QFETCH(QString, lang);
    QFETCH(bool, emulator);
    QFETCH(QString, language);
    TempDeviceRoot root;
    QCOMPARE(init(root, lang, emulator ? m_xdg.filePath(QStringLiteral("terminal")) : QString()).exitCode, 0);
    QCOMPARE(ZConfig(root.path(System))
                 .readEntry(QStringLiteral("SYS_SYSTEM_SET"), QStringLiteral("LanguageType")),
        language);
    QCOMPARE(
        groups(root.path(AppRegistries::SysRegistry)).contains(QStringLiteral("k-shell.desktop")), emulator);
}

void DeviceTest::installedProgramAndSkins()
{
    // An installed tree: bin/kestrow-device with share/kestrow/skins beside it; its skins come first.
    QTemporaryDir prefix;
    const QString program = prefix.filePath(QStringLiteral("bin/kestrow-device"));
    QVERIFY(QDir().mkpath(prefix.filePath(QStringLiteral("bin"))));
    QVERIFY(QFile::copy(builtProgram(QStringLiteral("kestrow-device")), program));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    const QString skins = prefix.filePath(QStringLiteral("share/kestrow/skins"));
    QVERIFY(writeFileBytes(skins + QStringLiteral("/default/skin.cfg"), "[General]\nSkinName = installed\n"));
    QVERIFY(writeFileBytes(skins + QStringLiteral("/wallpaper/kestrow-dusk.png"),
        readFileBytes(SourceSkins + QStringLiteral("/wallpaper/kestrow-dusk.png"))));
    TempDeviceRoot root;
    QCOMPARE(init(root, {}, {}, program).exitCode, 0);
    QCOMPARE(readFileBytes(root.path(QStringLiteral("/ezxlocal/Kestrow/skin/default/skin.cfg"))),
        QByteArray("[General]\nSkinName = installed\n"));
    QVERIFY(!QFileInfo::exists(root.path(QStringLiteral("/ezxlocal/Kestrow/skin/analog"))));

    // The settings application started by its installed path from anywhere, with no root named, runs for
    // that root, from that folder, in the language init chose.
    TempDeviceRoot built;
    QCOMPARE(init(built, QStringLiteral("LANG=en_GB.UTF-8")).exitCode, 0);
    for (const char *name : { "on.sh", "off.sh" })
        QVERIFY2(QFileInfo(built.path(AppFolder + QLatin1String(name))).isExecutable(), name);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KESTROW_ROOT"), QStringLiteral("/nonexistent-device-root"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const ProgramRun run = runProgram(built.path(AppFolder + "kestrow-setup"),
        { QStringLiteral("--quit-when-shown") }, {}, 120000, environment);
    QCOMPARE(run.exitCode, 0);
    const QByteArray dir = QFile::encodeName(QFileInfo(built.path(AppFolder)).canonicalFilePath());
    QVERIFY2(run.out.contains("lng file : " + QFile::encodeName(built.path(AppFolder)) + "/en-us.lng\n")
            || run.out.contains("lng file : " + dir + "//en-us.lng\n"),
        run.out.constData());
    QVERIFY2(run.out.contains("skin default\n") && run.out.contains("/skin/default/skin.cfg\n"),
        run.out.constData());
    // Started by its real path (as valgrind starts it), it takes the files of the root it is given.
    const ProgramRun real = runProgram(builtProgram(QStringLiteral("kestrow-setup")),
        { QStringLiteral("--root"), built.root(), QStringLiteral("--quit-when-shown") }, {}, 120000,
        environment);
    QVERIFY2(real.exitCode == 0 && real.out.contains("/en-us.lng\n"), real.err.constData());
}

void DeviceTest::unwritableRootFails()
{
    TempDeviceRoot root;
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow"), "a file where a folder belongs"));
    const ProgramRun run = init(root);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains("kestrow-device: "));
    QVERIFY(QFileInfo::exists(root.path(System))); // what could be made is made all the same
}

QTEST_MAIN(DeviceTest)
#include "devicetest.moc"
