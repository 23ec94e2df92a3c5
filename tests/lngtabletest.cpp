#include "setup/lngtable.h"
#include "setup/appdir.h"
#include "stdoutcapture.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QtTest>

class LngTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookUp_data();
    void lookUp();
    void languageFile_data();
    void languageFile();
    void applicationDirectory_data();
    void applicationDirectory();
    void processWideTable();
};

void LngTableTest::lookUp_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("diagnostic");

    const QByteArray back("FT_BACK");
    QTest::newRow("present") << QByteArray("[LNG]\nFT_BACK = Back\n") << back << "Back" << QByteArray();
    QTest::newRow("kept space") << QByteArray("[LNG]\nFT_THEME = Skin:\\s\n") << QByteArray("FT_THEME")
                                << "Skin: " << QByteArray();
    QTest::newRow("missing") << QByteArray("[LNG]\nFT_ADD = OK\n") << back << "FT_BACK"
                             << QByteArray("=== get key FT_BACK ===\n");
    QTest::newRow("empty value") << QByteArray("[LNG]\nFT_BACK =\n") << back << "FT_BACK"
                                 << QByteArray("=== get key FT_BACK ===\n");
    QTest::newRow("other group") << QByteArray("[Main]\nFT_BACK = Back\n") << back << "FT_BACK"
                                 << QByteArray("=== get key FT_BACK ===\n");
    QTest::newRow("no file") << QByteArray() << back << "FT_BACK" << QByteArray("=== get key FT_BACK ===\n");
    const QByteArray countdown("距离 %1 还有 %2天");
    QTest::newRow("text key translated") << QByteArray("[LNG]\n距离 %1 还有 %2天 = Days to %1: %2\n")
                                         << countdown << "Days to %1: %2" << QByteArray();
    QTest::newRow("text key missing") << QByteArray("[LNG]\n") << countdown << QString::fromUtf8(countdown)
                                      << QByteArray("=== get key " + countdown + " ===\n");
}

void LngTableTest::lookUp()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, key);
    QFETCH(QString, text);
    QFETCH(QByteArray, diagnostic);
    TempDeviceRoot root;
    if (!file.isEmpty())
        QVERIFY(root.writeFile(QStringLiteral("/app/en-us.lng"), file));
    const LngTable table(root.path(QStringLiteral("/app/en-us.lng")));
    StdoutCapture out;
    QCOMPARE(table.get(key.constData()), text);
    QCOMPARE(out.text(), diagnostic);
}

void LngTableTest::languageFile_data()
{
    QTest::addColumn<QByteArray>("systemFile");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("chosen");

    const QByteArray english("[SYS_SYSTEM_SET]\nLanguageType = en-us\n");
    QTest::newRow("language present") << english << QStringList { "en-us.lng", "zh-cn.lng" } << "en-us.lng";
    QTest::newRow("language absent") << QByteArray("[SYS_SYSTEM_SET]\nLanguageType = fr-fr\n")
                                     << QStringList { "en-us.lng", "zh-cn.lng" } << "zh-cn.lng";
    QTest::newRow("no setting") << QByteArray("[SYS_SYSTEM_SET]\n") << QStringList { "en-us.lng" }
                                << "zh-cn.lng";
    QTest::newRow("no system file") << QByteArray() << QStringList { "en-us.lng" } << "zh-cn.lng";
    QTest::newRow("fallback not looked for") << english << QStringList() << "zh-cn.lng";
}

void LngTableTest::languageFile()
{
    QFETCH(QByteArray, systemFile);
    QFETCH(QStringList, files);
    QFETCH(QString, chosen);
    TempDeviceRoot root;
    if (!systemFile.isEmpty())
        root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg"), systemFile);
    for (const QString &name : std::as_const(files))
        root.writeFile(QStringLiteral("/app/") + name, "[LNG]\n");
    const QString dir = root.path(QStringLiteral("/app/"));
    StdoutCapture out;
    const QString path = LngTable::chooseFile(dir);
    QCOMPARE(path, dir + QLatin1Char('/') + chosen);
    QCOMPARE(out.text(), QByteArray("lng file : ") + QFile::encodeName(path) + '\n');
}

void LngTableTest::applicationDirectory_data()
{
    QTest::addColumn<QString>("firstArgument");
    QTest::addColumn<QString>("directory");

    const QString own = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    QTest::newRow("absolute") << "/a/b/prog"
                              << "/a/b/";
    QTest::newRow("relative") << "./prog"
                              << "./";
    QTest::newRow("top folder") << "/prog"
                                << "/";
    QTest::newRow("ends in slash") << "a/b/"
                                   << "a/b/";
    QTest::newRow("through PATH") << "kestrow-setup" << own;
    QTest::newRow("empty") << "" << own;
}

void LngTableTest::applicationDirectory()
{
    QFETCH(QString, firstArgument);
    QFETCH(QString, directory);
    QCOMPARE(AppDir::fromFirstArgument(firstArgument), directory);
    AppDir::setFirstArgument(firstArgument);
    QCOMPARE(AppDir::applicationDirectory(), directory);
}

void LngTableTest::processWideTable()
{
    // The start-up line for a program started as /a/b/prog keeps the doubled slash.
    TempDeviceRoot root;
    StdoutCapture out;
    QCOMPARE(LngTable::chooseFile(AppDir::fromFirstArgument(QStringLiteral("/a/b/prog"))),
        QStringLiteral("/a/b//zh-cn.lng"));
    QCOMPARE(out.text(), QByteArray("lng file : /a/b//zh-cn.lng\n"));

    // Before the table exists (and after it is gone) a window still gets its keys.
    QCOMPARE(LngTable::text("FT_OPTION"), QStringLiteral("FT_OPTION"));
    root.writeFile(QStringLiteral("/app/zh-cn.lng"), "[LNG]\nFT_OPTION = Options\n");
    {
        LngTable table(root.path(QStringLiteral("/app/zh-cn.lng")));
        LngTable::setInstance(&table);
        QCOMPARE(LngTable::text("FT_OPTION"), QStringLiteral("Options"));
        LngTable::setInstance(nullptr);
    }
    QCOMPARE(LngTable::text("FT_OPTION"), QStringLiteral("FT_OPTION"));
}

QTEST_GUILESS_MAIN(LngTableTest)
#include "lngtabletest.moc"
