#include "setup/appcatalogue.h"
#include "platform/appregistries.h"

#include "testsupport.h"

#include <QTest>

namespace {

// One entry of the expected catalogue: "id>pickedExec".
QStringList described(const QList<CatalogueEntry> &entries)
{
    QStringList out;
    for (const CatalogueEntry &entry : entries)
        out << entry.id + QLatin1Char('>') + AppCatalogue::pickedExec(entry);
    return out;
}

// A registry group of whole entries; an empty value leaves the key out.
QByteArray wholeEntry(const QByteArray &id, const QByteArray &type, const QByteArray &directory = "/apps/x",
    const QByteArray &name = "App", const QByteArray &icon = "app.png", const QByteArray &exec = "run")
{
    QByteArray out = '[' + id + "]\n";
    const QList<std::pair<QByteArray, QByteArray>> keys = { { "Name", name }, { "AppType", type },
        { "Directory", directory }, { "Icon", icon }, { "ExecId", exec } };
    for (const auto &[key, value] : keys) {
        if (!value.isEmpty())
            out += key + " = " + value + '\n';
    }
    return out;
}

QByteArray preloaded(const QByteArray &id, const QByteArray &type, const QByteArray &directory = "/usr/app",
    const QByteArray &name = "Pre", const QByteArray &icon = "pre.png", const QByteArray &exec = "exec-")
{
    QByteArray out = '[' + id + "]\n";
    const QList<std::pair<QByteArray, QByteArray>> keys
        = { { "Name", name }, { "AppType", type }, { "BigIcon", icon },
              { "ExecId", exec.endsWith('-') ? exec + id : exec }, { "Directory", directory } };
    for (const auto &[key, value] : keys) {
        if (!value.isEmpty())
            out += key + " = " + value + '\n';
    }
    return out;
}

const QByteArray Missing = QByteArrayLiteral("<missing>");

} // namespace

class AppCatalogueTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typeNumber_data();
    void typeNumber();
    void rules_data();
    void rules();
    void keepsEveryField();
    void pickedIcon_data();
    void pickedIcon();
    void hostileRegistries_data();
    void hostileRegistries();
};

void AppCatalogueTest::typeNumber_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("number");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("two") << QStringLiteral("2") << 2;
    QTest::newRow("plus") << QStringLiteral("+3") << 3;
    QTest::newRow("negative") << QStringLiteral("-1") << -1;
    QTest::newRow("text") << QStringLiteral("java") << 0;
    QTest::newRow("trailing text") << QStringLiteral("2x") << 0;
    QTest::newRow("inner space") << QStringLiteral("2 2") << 0;
    QTest::newRow("hex") << QStringLiteral("0x2") << 0;
    QTest::newRow("too large") << QStringLiteral("99999999999") << 0;
    QTest::newRow("full-width digit") << QStringLiteral("\uFF12") << 0;
}

void AppCatalogueTest::typeNumber()
{
    QFETCH(QString, type);
    QFETCH(int, number);
    QCOMPARE(AppCatalogue::typeNumber(type), number);
}

void AppCatalogueTest::rules_data()
{
    QTest::addColumn<QByteArray>("installed");
    QTest::addColumn<QByteArray>("card");
    QTest::addColumn<QByteArray>("menu");
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no registries") << Missing << Missing << Missing << Missing << QStringList();
    QTest::newRow("installed types") << wholeEntry("t0", "0") + wholeEntry("t1", "1") + wholeEntry("t2", "2")
            + wholeEntry("t3", "3") + wholeEntry("tEmpty", "") + wholeEntry("tText", "java")
            + wholeEntry("tMinus", "-1") + wholeEntry("t4", "4")
                                     << Missing << Missing << Missing
                                     << QStringList { "t0>t0", "t1>t1", "t3>t3", "tEmpty>tEmpty",
                                            "tText>tText" };
    QTest::newRow("card types same as installed")
        << Missing << wholeEntry("c0", "0") + wholeEntry("c2", "2") + wholeEntry("cText", "x") << Missing
        << Missing << QStringList { "c0>c0", "cText>cText" };
    QTest::newRow("preloaded types: all listed, type 2 and others launch their ExecId")
        << Missing << Missing << QByteArray("[Main]\nItems = p0;p1;p2;p3;pEmpty;pText;p7\n")
        << preloaded("p0", "0") + preloaded("p1", "1") + preloaded("p2", "2") + preloaded("p3", "3")
            + preloaded("pEmpty", "") + preloaded("pText", "java") + preloaded("p7", "7")
        << QStringList { "p0>p0", "p1>p1", "p2>exec-p2", "p3>p3", "pEmpty>pEmpty", "pText>pText",
               "p7>exec-p7" };
    QTest::newRow("missing Directory: dropped when installed or on the card, listed when preloaded")
        << wholeEntry("i", "0", "") + wholeEntry("iOk", "0")
        << wholeEntry("c", "0", "") + wholeEntry("cOk", "0") << QByteArray("[M]\nItems=p;pOk\n")
        << preloaded("p", "2", "") + preloaded("pOk", "2")
        << QStringList { "iOk>iOk", "cOk>cOk", "p>exec-p", "pOk>exec-pOk" };
    QTest::newRow("missing Name, icon or ExecId drops the entry from every source")
        << wholeEntry("iName", "0", "/d", "") + wholeEntry("iIcon", "0", "/d", "N", "")
            + wholeEntry("iExec", "0", "/d", "N", "i.png", "")
        << wholeEntry("cName", "0", "/d", "") + wholeEntry("cExec", "0", "/d", "N", "i.png", "")
        << QByteArray("[M]\nItems=pName;pIcon;pExec;pNone\n")
        << preloaded("pName", "2", "/d", "") + preloaded("pIcon", "2", "/d", "N", "")
            + preloaded("pExec", "2", "/d", "N", "i.png", "")
        << QStringList();
    QTest::newRow("sources in their order, registry order kept, nothing merged")
        << wholeEntry("b", "1") + wholeEntry("a", "1") + wholeEntry("same", "1") << wholeEntry("same", "1")
        << QByteArray("[Games]\nItems=z;same\n[Tools]\nItems=y\n")
        << preloaded("y", "2") + preloaded("same", "3") + preloaded("z", "2")
        << QStringList { "b>b", "a>a", "same>same", "same>same", "z>exec-z", "same>same", "y>exec-y" };
    QTest::newRow("listed in two menu folders, twice in one")
        << Missing << Missing << QByteArray("[A]\nItems=x;x\n[B]\nItems=x\n") << preloaded("x", "2")
        << QStringList { "x>exec-x", "x>exec-x", "x>exec-x" };
    QTest::newRow("empty pieces, folders without Items, ids without a group")
        << Missing << Missing
        << QByteArray("[A]\nItems=;;a;;\n[B]\nOther=b\n[C]\nItems=\n[D]\nItems=ghost;b\n")
        << preloaded("a", "2") + preloaded("b", "2") << QStringList { "a>exec-a", "b>exec-b" };
    QTest::newRow("menu tree without a system registry")
        << Missing << Missing << QByteArray("[A]\nItems=a\n") << Missing << QStringList();
    QTest::newRow("broken lines are skipped, groups after them still read")
        << QByteArray("junk line\n[broken\nName=lost\n") + wholeEntry("after", "0")
            + QByteArray("[]\n= no key\n[x]y]\n") + wholeEntry("last", "1")
        << QByteArray("\xEF\xBB\xBF") + wholeEntry("bom", "0") << QByteArray("[A]\r\nItems = a ; b\r\n")
        << QByteArray("[ b]\r\n") + preloaded("a ", "2")
        << QStringList { "after>after", "last>last", "bom>bom" };
    // A group name that is not UTF-8 is listed but cannot be looked up by its decoded name.
    QTest::newRow("odd bytes stay in the text")
        << wholeEntry(QByteArray("nul\0id", 6), "0", "/d", QByteArray("N\xff\xfe", 3)) << Missing
        << QByteArray("[A]\nItems=\xe4\xb8\xad;\xff\n")
        << preloaded("\xe4\xb8\xad", "2") + preloaded("\xff", "2", "/d", "bad")
        << QStringList { QString::fromUtf8(QByteArray("nul\0id>nul\0id", 13)),
               QString::fromUtf8("\xe4\xb8\xad>exec-\xe4\xb8\xad") };
}

void AppCatalogueTest::rules()
{
    QFETCH(QByteArray, installed);
    QFETCH(QByteArray, card);
    QFETCH(QByteArray, menu);
    QFETCH(QByteArray, system);
    QFETCH(QStringList, expected);
    TempDeviceRoot root;
    const QList<std::pair<QString, QByteArray>> files
        = { { AppRegistries::InstalledDb, installed }, { AppRegistries::CardRegistry, card },
              { AppRegistries::UserMenuTree, menu }, { AppRegistries::SysRegistry, system } };
    for (const auto &[path, content] : files) {
        if (content != Missing)
            QVERIFY(root.writeFile(path, content));
    }
    QCOMPARE(described(AppCatalogue::build()), expected);
}

void AppCatalogueTest::keepsEveryField()
{
    TempDeviceRoot root;
    QVERIFY(
        root.writeFile(AppRegistries::InstalledDb, wholeEntry("inst", "3", "/d/i", "Inst", "i.png", "ie")));
    QVERIFY(root.writeFile(AppRegistries::UserMenuTree, "[A]\nItems=pre\n"));
    QVERIFY(root.writeFile(AppRegistries::SysRegistry, preloaded("pre", "2", "/d/p", "Pre", "p.png", "pe")));
    const QList<CatalogueEntry> entries = AppCatalogue::build();
    QCOMPARE(entries.size(), 2);
    const QStringList first { entries[0].id, entries[0].name, entries[0].type, entries[0].directory,
        entries[0].icon, entries[0].execId };
    const QStringList second { entries[1].id, entries[1].name, entries[1].type, entries[1].directory,
        entries[1].icon, entries[1].execId };
    QCOMPARE(first, (QStringList { "inst", "Inst", "3", "/d/i", "i.png", "ie" }));
    QCOMPARE(second, (QStringList { "pre", "Pre", "2", "/d/p", "p.png", "pe" }));
}

void AppCatalogueTest::pickedIcon_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("fileAt");
    QTest::addColumn<QString>("picked");
    QTest::newRow("file in the directory") << "/apps/a"
                                           << "a.png"
                                           << "/apps/a/a.png"
                                           << "/apps/a/a.png";
    QTest::newRow("no such file") << "/apps/a"
                                  << "phone.png" << QString() << "phone.png";
    QTest::newRow("no directory: tested at the root") << QString() << "r.png"
                                                      << "/r.png"
                                                      << "/r.png";
    QTest::newRow("no directory, no file") << QString() << "r.png" << QString() << "r.png";
    QTest::newRow("a folder is no icon file") << "/apps"
                                              << "a"
                                              << "/apps/a/other"
                                              << "a";
    QTest::newRow("relative icon inside the directory") << "/apps/a"
                                                        << "img/x.png"
                                                        << "/apps/a/img/x.png"
                                                        << "/apps/a/img/x.png";
}

void AppCatalogueTest::pickedIcon()
{
    QFETCH(QString, directory);
    QFETCH(QString, icon);
    QFETCH(QString, fileAt);
    QFETCH(QString, picked);
    TempDeviceRoot root;
    if (!fileAt.isEmpty())
        QVERIFY(root.writeFile(fileAt, "not really an image"));
    CatalogueEntry entry;
    entry.directory = directory;
    entry.icon = icon;
    QCOMPARE(AppCatalogue::pickedIcon(entry), picked);
}

void AppCatalogueTest::hostileRegistries_data()
{
    QTest::addColumn<QByteArray>("installed");
    QTest::addColumn<QByteArray>("menu");
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("firstId");

    QByteArray manyGroups;
    for (int i = 0; i < 30000; ++i)
        manyGroups += wholeEntry("g" + QByteArray::number(i), "0");
    QTest::newRow("thousands of installed groups stop at the limit")
        << manyGroups << QByteArray() << QByteArray() << int(AppCatalogue::MaxEntries) << "g0";

    QByteArray half;
    for (int i = 0; i < AppCatalogue::MaxEntries / 2; ++i)
        half += wholeEntry("h" + QByteArray::number(i), "1");
    QTest::newRow("installed and preloaded share the limit")
        << half << "[A]\nItems=" + QByteArray(";p").repeated(AppCatalogue::MaxEntries) << preloaded("p", "2")
        << int(AppCatalogue::MaxEntries) << "h0";

    QTest::newRow("a million mentions of an unknown id")
        << QByteArray() << "[A]\nItems=" + QByteArray("x;").repeated(1000000) << preloaded("p", "2") << 0
        << QString();
    QTest::newRow("a million empty pieces before a real one")
        << QByteArray() << "[A]\nItems=" + QByteArray(1000000, ';') + "p" << preloaded("p", "2") << 1 << "p";

    QByteArray folders;
    for (int i = 0; i < 20000; ++i)
        folders += "[F" + QByteArray::number(i) + "]\nItems=nothing\n";
    QTest::newRow("thousands of folders") << QByteArray() << folders + "[Last]\nItems=p\n"
                                          << preloaded("p", "2") << 1 << "p";
    QTest::newRow("one endless line")
        << QByteArray(4 << 20, 'x') << QByteArray(4 << 20, '[') << QByteArray(4 << 20, '=') << 0 << QString();
}

void AppCatalogueTest::hostileRegistries()
{
    QFETCH(QByteArray, installed);
    QFETCH(QByteArray, menu);
    QFETCH(QByteArray, system);
    QFETCH(int, count);
    QFETCH(QString, firstId);
    TempDeviceRoot root;
    QVERIFY(root.writeFile(AppRegistries::InstalledDb, installed));
    QVERIFY(root.writeFile(AppRegistries::UserMenuTree, menu));
    QVERIFY(root.writeFile(AppRegistries::SysRegistry, system));
    const QList<CatalogueEntry> entries = AppCatalogue::build();
    QCOMPARE(entries.size(), count);
    if (count > 0)
        QCOMPARE(entries.first().id, firstId);
}

QTEST_GUILESS_MAIN(AppCatalogueTest)
#include "appcataloguetest.moc"
