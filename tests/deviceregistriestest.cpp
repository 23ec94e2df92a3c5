#include "platform/appregistries.h"
#include "platform/zconfig.h"
#include "setup/appcatalogue.h"

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString ResourceIcons = QStringLiteral("/usr/data_resource/icons/");

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

/** kestrow-device init run against desktop entries made by the test. */
class DeviceRegistriesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void writesTheDesktopsApplications();
    void catalogueListsWhatInitWrote();
    void secondRunRefreshesOnlyItsOwn_data();
    void secondRunRefreshesOnlyItsOwn();
    void linkedRegistryIsLeftAlone();
    void terminalApplications_data();
    void terminalApplications();

private:
    ProgramRun init(const TempDeviceRoot &root, const QString &path = QString());
    void writeEntry(const QString &id, const QString &lines);

    QTemporaryDir m_xdg;
};

void DeviceRegistriesTest::writeEntry(const QString &id, const QString &lines)
{
    QFile entry(m_xdg.filePath(QStringLiteral("applications/") + id));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write(("[Desktop Entry]\nType=Application\nExec=/bin/true\n" + lines).toUtf8());
}

void DeviceRegistriesTest::initTestCase()
{
    QVERIFY(m_xdg.isValid());
    QVERIFY(QDir(m_xdg.path()).mkpath(QStringLiteral("applications")));
    QVERIFY(QDir(m_xdg.path()).mkpath(QStringLiteral("system")));
    QImage icon(48, 32, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    QVERIFY(icon.save(m_xdg.filePath(QStringLiteral("paint.png"))));
    writeEntry(QStringLiteral("k-editor.desktop"),
        QStringLiteral(
            "Name=Editor = Pro; 编辑\nIcon=accessories-text-editor\nCategories=Utility;TextEditor;\n"));
    writeEntry(QStringLiteral("k-paint.desktop"),
        QStringLiteral("Name=Paint\nIcon=%1\nCategories=Graphics;\n")
            .arg(m_xdg.filePath(QStringLiteral("paint.png"))));
    writeEntry(QStringLiteral("k-plain.desktop"), QStringLiteral("Name=Plain\n"));
    writeEntry(QStringLiteral("k-hidden.desktop"), QStringLiteral("Name=Hidden\nNoDisplay=true\n"));
    writeEntry(
        QStringLiteral("k-shell.desktop"), QStringLiteral("Name=Shell\nTerminal=true\nCategories=System;\n"));
    QVERIFY(QDir(m_xdg.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(m_xdg.path()).mkpath(QStringLiteral("terminal")));
    QFile terminal(m_xdg.filePath(QStringLiteral("terminal/xterm")));
    QVERIFY(terminal.open(QIODevice::WriteOnly) && terminal.write("#!/bin/sh\n") > 0);
    terminal.close();
    QVERIFY(terminal.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

ProgramRun DeviceRegistriesTest::init(const TempDeviceRoot &root, const QString &path)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Where terminal emulators are looked for: none, unless the test puts one there.
    environment.insert(QStringLiteral("PATH"), path.isEmpty() ? m_xdg.filePath(QStringLiteral("bin")) : path);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_xdg.path());
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), m_xdg.filePath(QStringLiteral("system")));
    return runProgram(builtProgram(QStringLiteral("kestrow-device")), { QStringLiteral("init"), root.root() },
        {}, 60000, environment);
}

void DeviceRegistriesTest::writesTheDesktopsApplications()
{
    TempDeviceRoot root;
    const ProgramRun run = init(root);
    QCOMPARE(run.exitCode, 0);

    const ZConfig system(root.path(AppRegistries::SysRegistry));
    QStringList groups;
    system.getGroupsKeyList(groups);
    QCOMPARE(groups, (QStringList { "k-editor.desktop", "k-paint.desktop", "k-plain.desktop" }));
    const auto key = [&system](const char *id, const char *name) {
        return system.readEntry(QString::fromLatin1(id), QString::fromLatin1(name), QStringLiteral("<none>"));
    };
    QCOMPARE(key("k-editor.desktop", "Name"), QString::fromUtf8("Editor = Pro; 编辑"));
    QCOMPARE(key("k-editor.desktop", "AppType"), QStringLiteral("2"));
    QCOMPARE(key("k-editor.desktop", "ExecId"), QStringLiteral("k-editor.desktop"));
    QCOMPARE(key("k-editor.desktop", "BigIcon"), QStringLiteral("accessories-text-editor"));
    QCOMPARE(key("k-plain.desktop", "BigIcon"), QStringLiteral("application-x-executable"));
    // An icon file of the desktop is copied among the phone's icon resources.
    QCOMPARE(key("k-paint.desktop", "BigIcon"), QStringLiteral("k-paint.desktop.png"));
    QCOMPARE(contents(root.path(ResourceIcons + QStringLiteral("k-paint.desktop.png"))),
        contents(m_xdg.filePath(QStringLiteral("paint.png"))));

    const ZConfig menu(root.path(AppRegistries::UserMenuTree));
    QCOMPARE(menu.readEntry(QStringLiteral("Utility"), QStringLiteral("Items")),
        QStringLiteral("k-editor.desktop"));
    QCOMPARE(menu.readEntry(QStringLiteral("Graphics"), QStringLiteral("Items")),
        QStringLiteral("k-paint.desktop"));
    QCOMPARE(
        menu.readEntry(QStringLiteral("Other"), QStringLiteral("Items")), QStringLiteral("k-plain.desktop"));

    const ZConfig installed(root.path(AppRegistries::InstalledDb));
    QCOMPARE(installed.readEntry(QStringLiteral("kestrow-setup"), QStringLiteral("Directory")),
        QStringLiteral("/ezxlocal/Kestrow"));
    QCOMPARE(installed.readEntry(QStringLiteral("kestrow-setup"), QStringLiteral("ExecId")),
        QStringLiteral("kestrow-setup"));
}

void DeviceRegistriesTest::catalogueListsWhatInitWrote()
{
    TempDeviceRoot root;
    QCOMPARE(init(root).exitCode, 0);
    QStringList picked;
    for (const CatalogueEntry &entry : AppCatalogue::build())
        picked << entry.name + QLatin1Char('>') + AppCatalogue::pickedExec(entry);
    // The settings application first (installed), then the menu folders in their order.
    QCOMPARE(picked,
        (QStringList { "Kestrow>kestrow-setup", "Paint>k-paint.desktop", "Plain>k-plain.desktop",
            QString::fromUtf8("Editor = Pro; 编辑>k-editor.desktop") }));
}

void DeviceRegistriesTest::secondRunRefreshesOnlyItsOwn_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("refreshed");
    const QByteArray unmarked = "[mine]\nName = Mine\nAppType = 2\nBigIcon = m\nExecId = m.desktop\n";
    QTest::newRow("marked system registry")
        << QString(AppRegistries::SysRegistry)
        << QByteArray("# kestrow-device init: old\n[gone.desktop]\nName=Gone\n") << true;
    QTest::newRow("unmarked system registry") << QString(AppRegistries::SysRegistry) << unmarked << false;
    QTest::newRow("marked menu tree")
        << QString(AppRegistries::UserMenuTree)
        << QByteArray("# kestrow-device init: old\n[Old]\nItems=gone.desktop\n") << true;
    QTest::newRow("unmarked menu tree")
        << QString(AppRegistries::UserMenuTree) << QByteArray("[Mine]\nItems = mine\n") << false;
}

void DeviceRegistriesTest::secondRunRefreshesOnlyItsOwn()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, before);
    QFETCH(bool, refreshed);
    TempDeviceRoot root;
    QVERIFY(root.writeFile(file, before));
    // The user's own application, and an edit of the settings application's group.
    const QByteArray userApp = "# my apps\n[my-app]\nName = Mine\nAppType = 0\nDirectory = /ezxlocal/Mine\n"
                               "Icon = i.png\nExecId = mine\n";
    QVERIFY(root.writeFile(AppRegistries::InstalledDb, userApp + "[kestrow-setup]\nName = Renamed\n"));

    const ProgramRun run = init(root);
    QCOMPARE(run.exitCode, 0);
    const QByteArray after = contents(root.path(file));
    if (refreshed) {
        QVERIFY2(after.contains("k-editor.desktop") && !after.contains("gone.desktop"), after.constData());
        QVERIFY(after.startsWith("# kestrow-device init"));
    } else {
        QCOMPARE(after, before);
        QVERIFY(run.out.contains("kept " + file.toUtf8()));
    }
    const QByteArray installed = contents(root.path(AppRegistries::InstalledDb));
    QVERIFY2(installed.startsWith(userApp), installed.constData());
    const ZConfig db(root.path(AppRegistries::InstalledDb));
    QCOMPARE(
        db.readEntry(QStringLiteral("kestrow-setup"), QStringLiteral("Name")), QStringLiteral("Kestrow"));
    QCOMPARE(db.readEntry(QStringLiteral("kestrow-setup"), QStringLiteral("ExecId")),
        QStringLiteral("kestrow-setup"));
}

void DeviceRegistriesTest::linkedRegistryIsLeftAlone()
{
    TempDeviceRoot root;
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("target"));
    QVERIFY(root.writeFile(AppRegistries::SysRegistry, "x"));
    QVERIFY(QFile::remove(root.path(AppRegistries::SysRegistry)));
    QFile out(target);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write("# kestrow-device init\n") > 0);
    out.close();
    QVERIFY(QFile::link(target, root.path(AppRegistries::SysRegistry)));
    QVERIFY(QDir().mkpath(QFileInfo(root.path(AppRegistries::InstalledDb)).absolutePath()));
    QVERIFY(QFile::link(target, root.path(AppRegistries::InstalledDb)));

    const ProgramRun run = init(root);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains("InstalledDB: not a regular file"));
    QCOMPARE(contents(target), QByteArray("# kestrow-device init\n"));
}

void DeviceRegistriesTest::terminalApplications_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("listed");
    QTest::newRow("no terminal emulator") << QString() << false;
    QTest::newRow("a terminal emulator on the path") << m_xdg.filePath(QStringLiteral("terminal")) << true;
}

void DeviceRegistriesTest::terminalApplications()
{
    // An application that runs in a terminal is listed only where it can be launched.
    QFETCH(QString, path);
    QFETCH(bool, listed);
    TempDeviceRoot root;
    QCOMPARE(init(root, path).exitCode, 0);
    const ZConfig system(root.path(AppRegistries::SysRegistry));
    QStringList groups;
    system.getGroupsKeyList(groups);
    QCOMPARE(groups.contains(QStringLiteral("k-shell.desktop")), listed);
    QVERIFY(groups.contains(QStringLiteral("k-plain.desktop")));
}

QTEST_GUILESS_MAIN(DeviceRegistriesTest)
#include "deviceregistriestest.moc"
