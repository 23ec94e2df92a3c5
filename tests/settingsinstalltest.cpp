#include "platform/zconfig.h"
#include "testsupport.h"

#include <QtTest>

namespace {

const QString AppFolder = QStringLiteral("/ezxlocal/Kestrow/");
const QString Autorun = QStringLiteral("/ezxlocal/download/mystuff/unKnown/S10KestrowPulgin");
const QString SystemFile = QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg");

ProgramRun init(const TempDeviceRoot &root, const QString &lang)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" })
        environment.remove(QString::fromLatin1(name));
    if (!lang.isEmpty())
        environment.insert(QStringLiteral("LANG"), lang);
    return runProgram(builtProgram(QStringLiteral("kestrow-device")), { QStringLiteral("init"), root.root() },
        {}, 60000, environment);
}

} // namespace

/** kestrow-device init and the settings application it installs into a device root. */
class SettingsInstallTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void languageFromLocale_data();
    void languageFromLocale();
    void installedApplicationRuns();
    void autorunOnlyOnANewRoot();
};

void SettingsInstallTest::languageFromLocale_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("language");
    QTest::newRow("Chinese") << "zh_CN.UTF-8"
                             << "zh-cn";
    QTest::newRow("Chinese, Taiwan") << "zh_TW.UTF-8"
                                     << "zh-cn";
    QTest::newRow("German") << "de_DE.UTF-8"
                            << "en-us";
    QTest::newRow("C") << "C"
                       << "en-us";
    QTest::newRow("unset") << ""
                           << "en-us";
}

void SettingsInstallTest::languageFromLocale()
{
    QFETCH(QString, lang);
    QFETCH(QString, language);
    TempDeviceRoot root;
    QCOMPARE(init(root, lang).exitCode, 0);
    const ZConfig system(root.path(SystemFile));
    QCOMPARE(system.readEntry(QStringLiteral("SYS_SYSTEM_SET"), QStringLiteral("LanguageType")), language);
}

void SettingsInstallTest::installedApplicationRuns()
{
    TempDeviceRoot root;
    QCOMPARE(init(root, QStringLiteral("en_GB.UTF-8")).exitCode, 0);
    for (const char *name : { "kestrow-setup", "on.sh", "off.sh" })
        QVERIFY2(QFileInfo(root.path(AppFolder + QLatin1String(name))).isExecutable(), name);
    for (const char *name : { "load.sh", "zh-cn.lng", "en-us.lng" })
        QVERIFY2(QFileInfo::exists(root.path(AppFolder + QLatin1String(name))), name);
    for (const char *icon : { "status", "off", "autorun", "refresh", "theme", "title", "dock", "skin" })
        QVERIFY2(!QImage(root.path(AppFolder + QStringLiteral("img/") + QLatin1String(icon)
                             + QStringLiteral(".png")))
                      .isNull(),
            icon);

    // Started by its installed path from anywhere, with no root named: it runs for that root,
    // from that folder, in the language init chose.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KESTROW_ROOT"), QStringLiteral("/nonexistent-device-root"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const ProgramRun run = runProgram(root.path(AppFolder + "kestrow-setup"),
        { QStringLiteral("--quit-when-shown") }, {}, 60000, environment);
    QCOMPARE(run.exitCode, 0);
    const QByteArray dir = QFile::encodeName(QFileInfo(root.path(AppFolder)).canonicalFilePath());
    QVERIFY2(run.out.contains("lng file : " + QFile::encodeName(root.path(AppFolder)) + "/en-us.lng\n")
            || run.out.contains("lng file : " + dir + "//en-us.lng\n"),
        run.out.constData());
    QVERIFY2(run.out.contains("skin default\n"), run.out.constData());
    QVERIFY2(run.out.contains("/skin/default/skin.cfg\n"), run.out.constData());
}

void SettingsInstallTest::autorunOnlyOnANewRoot()
{
    TempDeviceRoot root;
    QCOMPARE(init(root, QString()).exitCode, 0);
    QVERIFY(QFileInfo::exists(root.path(Autorun)));
    // The user switched autorun off; a later init (run.sh runs one every time) leaves it off.
    QVERIFY(QFile::remove(root.path(Autorun)));
    QCOMPARE(init(root, QString()).exitCode, 0);
    QVERIFY(!QFileInfo::exists(root.path(Autorun)));
}

QTEST_GUILESS_MAIN(SettingsInstallTest)
#include "settingsinstalltest.moc"
