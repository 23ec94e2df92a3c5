// What the settings application reads from the phone's files: its language table and the shipped
// language files, its own folder, the application catalogue of the registries and the skin list.

#include "platform/phonepaths.h"
#include "setup/appcatalogue.h"
#include "setup/appdir.h"
#include "setup/appimage.h"
#include "setup/lngkeys.h"
#include "setup/lngtable.h"
#include "setup/skinentry.h"
#include "stdoutcapture.h"
#include "testsupport.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <QImageWriter>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QByteArray Missing = "<missing>";

// A registry group; an empty value leaves its key out.
QByteArray group(const QByteArray &id, const QList<std::pair<QByteArray, QByteArray>> &keys)
{
    QByteArray out = '[' + id + "]\n";
    for (const auto &[key, value] : keys) {
        if (!value.isEmpty())
            out += key + " = " + value + '\n';
    }
    return out;
}

QByteArray installed(const QByteArray &id, const QByteArray &type, const QByteArray &directory = "/apps/x",
    const QByteArray &name = "App", const QByteArray &exec = "run")
{
    return group(id,
        { { "Name", name }, { "AppType", type }, { "Directory", directory }, { "Icon", "i.png" },
            { "ExecId", exec } });
}

QByteArray preloaded(const QByteArray &id, const QByteArray &type, const QByteArray &directory = "/usr/app",
    const QByteArray &name = "Pre", const QByteArray &icon = "pre.png")
{
    return group(id,
        { { "Name", name }, { "AppType", type }, { "BigIcon", icon }, { "ExecId", "exec-" + id },
            { "Directory", directory } });
}

} // namespace

class SetupFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookUp_data();
    void lookUp();
    void languageFile_data();
    void languageFile();
    void shippedLanguageFiles_data();
    void shippedLanguageFiles();
    void applicationDirectory_data();
    void applicationDirectory();
    void catalogue_data();
    void catalogue();
    void pickedIcon_data();
    void pickedIcon();
    void skinList_data();
    void skinList();
    // The application's own images: whichever way a file is decoded, the picture the reader gives.
    void appImagesAsTheReaderGives_data();
    void appImagesAsTheReaderGives();
};

void SetupFilesTest::lookUp_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("said"); // "=== get key <key> ===" for a key without a text

    QTest::newRow("kept space") << QByteArray("[LNG]\nFT_THEME = Skin:\\s\n") << QByteArray("FT_THEME")
                                << "Skin: " << false;
    QTest::newRow("empty value") << QByteArray("[LNG]\nFT_BACK =\n") << QByteArray("FT_BACK") << "FT_BACK"
                                 << true;
    QTest::newRow("other group") << QByteArray("[Main]\nFT_BACK = Back\n") << QByteArray("FT_BACK")
                                 << "FT_BACK" << true;
    QTest::newRow("no file") << QByteArray() << QByteArray("FT_BACK") << "FT_BACK" << true;
    const QByteArray countdown("距离 %1 还有 %2天");
    QTest::newRow("text key") << QByteArray("[LNG]\n距离 %1 还有 %2天 = Days to %1: %2\n") << countdown
                              << "Days to %1: %2" << false;
    QTest::newRow("text key missing")
        << QByteArray("[LNG]\n") << countdown << QString::fromUtf8(countdown) << true;
}

void SetupFilesTest::lookUp()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, key);
    QFETCH(QString, text);
    QFETCH(bool, said);
    TempDeviceRoot root;
    if (!file.isEmpty())
        root.writeFile(QStringLiteral("/app/en-us.lng"), file);
    LngTable table(root.path(QStringLiteral("/app/en-us.lng")));
    StdoutCapture out;
    const QString got = table.get(key.constData());
    QCOMPARE(out.text(), said ? "=== get key " + key + " ===\n" : QByteArray());
    QCOMPARE(got, text);
    // The windows reach it once it is the process's table, and their keys without one.
    LngTable::setInstance(&table);
    QCOMPARE(LngTable::text(key.constData()), text);
    LngTable::setInstance(nullptr);
    QCOMPARE(LngTable::text(key.constData()), QString::fromUtf8(key));
}

void SetupFilesTest::languageFile_data()
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

void SetupFilesTest::languageFile()
{
    QFETCH(QByteArray, systemFile);
    QFETCH(QStringList, files);
    QFETCH(QString, chosen);
    TempDeviceRoot root;
    if (!systemFile.isEmpty())
        root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg"), systemFile);
    for (const QString &name : std::as_const(files))
        root.writeFile(QStringLiteral("/app/") + name, "[LNG]\n");
    // The folder as the application names it, with its final slash: the doubled one is the phone's.
    const QString dir = AppDir::fromFirstArgument(root.path(QStringLiteral("/app/kestrow-setup")));
    StdoutCapture out;
    const QString path = LngTable::chooseFile(dir);
    QCOMPARE(out.text(), "lng file : " + QFile::encodeName(path) + '\n');
    QCOMPARE(path, dir + QLatin1Char('/') + chosen);
}

// Every key the application looks up has a text of its own in both shipped files.
void SetupFilesTest::shippedLanguageFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Chinese") << QStringLiteral(KESTROW_SOURCE_DIR "/setup/files/zh-cn.lng");
    QTest::newRow("English") << QStringLiteral(KESTROW_SOURCE_DIR "/setup/files/en-us.lng");
}

void SetupFilesTest::shippedLanguageFiles()
{
    QFETCH(QString, file);
    QVERIFY(QFileInfo::exists(file));
    const LngTable table(file);
    StdoutCapture out;
    QStringList texts;
    for (const char *key : LngKeys::All)
        texts << table.get(key);
    QCOMPARE(out.text(), QByteArray());
    for (const char *key : LngKeys::All) {
        const QString text = texts.takeFirst();
        QVERIFY2(!text.trimmed().isEmpty(), key);
        // Only the two countdown formats may be their own translation.
        if (QByteArray(key).contains('%'))
            QVERIFY2(text.contains(QLatin1String("%1")) && text.contains(QLatin1String("%2")), key);
        else
            QVERIFY2(text != QString::fromUtf8(key), key);
    }
}

void SetupFilesTest::applicationDirectory_data()
{
    QTest::addColumn<QString>("firstArgument");
    QTest::addColumn<QString>("directory");
    const QString own = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    QTest::newRow("absolute") << QStringLiteral("/a/b/prog") << "/a/b/";
    QTest::newRow("relative") << QStringLiteral("./prog") << "./";
    QTest::newRow("top folder") << QStringLiteral("/prog") << "/";
    QTest::newRow("ends in slash") << QStringLiteral("a/b/") << "a/b/";
    QTest::newRow("through PATH") << "kestrow-setup" << own;
    QTest::newRow("empty") << "" << own;
}

void SetupFilesTest::applicationDirectory()
{
    QFETCH(QString, firstArgument);
    QFETCH(QString, directory);
    AppDir::setFirstArgument(firstArgument);
    QCOMPARE(AppDir::applicationDirectory(), directory);
}

// The four registries (absent: Missing) and the catalogue, one "id>picked command" per entry.
void SetupFilesTest::catalogue_data()
{
    QTest::addColumn<QByteArray>("installedDb");
    QTest::addColumn<QByteArray>("card");
    QTest::addColumn<QByteArray>("menu");
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no registries") << Missing << Missing << Missing << Missing << QStringList();
    QTest::newRow("installed and card: types 0, 1 and 3 only")
        << installed("t0", "0") + installed("t1", "1") + installed("t2", "2") + installed("t3", "3")
            + installed("tEmpty", "") + installed("tText", "java") + installed("tMinus", "-1")
            + installed("t4", "4")
        << installed("c2", "2") + installed("c0", "0") << Missing << Missing
        << QStringList { "t0>t0", "t1>t1", "t3>t3", "tEmpty>tEmpty", "tText>tText", "c0>c0" };
    QTest::newRow("preloaded: every type, 2 and others by their ExecId")
        << Missing << Missing << QByteArray("[Main]\nItems = p0;p1;p2;p3;pText;p7\n")
        << preloaded("p0", "0") + preloaded("p1", "1") + preloaded("p2", "2") + preloaded("p3", "3")
            + preloaded("pText", "java") + preloaded("p7", "7")
        << QStringList { "p0>p0", "p1>p1", "p2>exec-p2", "p3>p3", "pText>pText", "p7>exec-p7" };
    QTest::newRow("missing Directory: dropped unless preloaded")
        << installed("i", "0", "") + installed("iOk", "0") << installed("c", "0", "")
        << QByteArray("[M]\nItems=p\n") << preloaded("p", "2", "") << QStringList { "iOk>iOk", "p>exec-p" };
    QTest::newRow("missing Name, icon or ExecId: dropped everywhere")
        << installed("iName", "0", "/d", "") + installed("iExec", "0", "/d", "N", "") << Missing
        << QByteArray("[M]\nItems=pName;pIcon;pNone\n")
        << preloaded("pName", "2", "/d", "") + preloaded("pIcon", "2", "/d", "N", "") << QStringList();
    QTest::newRow("sources in order, registry order kept, nothing merged")
        << installed("b", "1") + installed("a", "1") + installed("same", "1") << installed("same", "1")
        << QByteArray("[Games]\nItems=z;same;;\n[Tools]\nItems=y;ghost\n[None]\nOther=y\n")
        << preloaded("y", "2") + preloaded("same", "3") + preloaded("z", "2")
        << QStringList { "b>b", "a>a", "same>same", "same>same", "z>exec-z", "same>same", "y>exec-y" };
    QTest::newRow("broken lines skipped, groups after them read")
        << QByteArray("junk line\n[broken\nName=lost\n") + installed("after", "0") + "[]\n= no key\n"
        << QByteArray("\xEF\xBB\xBF") + installed("bom", "0") << QByteArray("[A]\r\nItems = a ; b\r\n")
        << preloaded("a", "2") << QStringList { "after>after", "bom>bom" }; // pieces are not trimmed
    QByteArray many;
    for (int i = 0; i < AppCatalogue::MaxEntries; ++i)
        many += installed("h" + QByteArray::number(i), "1");
    QStringList full;
    for (int i = 0; i < AppCatalogue::MaxEntries; ++i)
        full << QStringLiteral("h%1>h%1").arg(i);
    QTest::newRow("installed and preloaded share the limit")
        << many << Missing << QByteArray("[A]\nItems=p\n") << preloaded("p", "2") << full;
    QTest::newRow("a million empty pieces and unknown ids before a real one")
        << Missing << Missing
        << "[A]\nItems=" + QByteArray(500000, ';') + QByteArray("x;").repeated(100) + "p"
        << preloaded("p", "2") << QStringList { "p>exec-p" };
}

void SetupFilesTest::catalogue()
{
    QFETCH(QByteArray, installedDb);
    QFETCH(QByteArray, card);
    QFETCH(QByteArray, menu);
    QFETCH(QByteArray, system);
    QFETCH(QStringList, expected);
    TempDeviceRoot root;
    const QList<std::pair<QString, QByteArray>> files { { AppRegistries::InstalledDb, installedDb },
        { AppRegistries::CardRegistry, card }, { AppRegistries::UserMenuTree, menu },
        { AppRegistries::SysRegistry, system } };
    for (const auto &[path, content] : files) {
        if (content != Missing)
            root.writeFile(path, content);
    }
    StdoutCapture out;
    const QList<CatalogueEntry> entries = AppCatalogue::build();
    out.text();
    QStringList described;
    for (const CatalogueEntry &entry : entries)
        described << entry.id + QLatin1Char('>') + AppCatalogue::pickedExec(entry);
    QCOMPARE(described, expected);
}

// The entry's folder and icon, a file made there, and the icon picked.
void SetupFilesTest::pickedIcon_data()
{
    QTest::addColumn<QStringList>("c");
    QTest::newRow("file in the folder")
        << QStringList { "/apps/a", "a.png", "/apps/a/a.png", "/apps/a/a.png" };
    QTest::newRow("no such file: the name") << QStringList { "/apps/a", "phone.png", "", "phone.png" };
    QTest::newRow("no folder: at the root") << QStringList { "", "r.png", "/r.png", "/r.png" };
    QTest::newRow("a folder is no icon") << QStringList { "/apps", "a", "/apps/a/other", "a" };
    QTest::newRow("relative path") << QStringList { "/apps/a", "img/x.png", "/apps/a/img/x.png",
        "/apps/a/img/x.png" };
}

void SetupFilesTest::pickedIcon()
{
    QFETCH(QStringList, c);
    TempDeviceRoot root;
    if (!c[2].isEmpty())
        root.writeFile(c[2], "not really an image");
    CatalogueEntry entry;
    entry.directory = c[0];
    entry.icon = c[1];
    QCOMPARE(AppCatalogue::pickedIcon(entry), c[3]);
}

// The skin root's folders and the list made of them: character-code order, hidden folders, links and
// files left out, and a "skin.cfg" that is odd (unreadable, a folder, a pipe that would block a reader, a
// link to a device) read safely.
void SetupFilesTest::skinList_data()
{
    QTest::addColumn<QStringList>("folders"); // each one's skin.cfg, said in this order
    QTest::addColumn<QStringList>("listed"); // folder=name/author
    QTest::newRow("skins") << QStringList { "Beta", "Zed", "alpha", "beta", "binary", "device", "empty",
        "fifo", "folder", "nocfg", "spaced", "twice", "utf8" }
                           << QStringList { "Beta=Only name/", "Zed=Zed skin/Zoe", "alpha=Alpha/Ann",
                                  "beta=/Only author", "spaced=Spaced/", "utf8=a\uFFFD b/" };
    QTest::newRow("no skin root: the list is kept") << QStringList() << QStringList { "kept=/" };
}

void SetupFilesTest::skinList()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, listed);
    TempDeviceRoot root;
    const auto real = [&root](const QString &path) { return root.path("/ezxlocal/Kestrow/skin/" + path); };
    const QList<std::pair<const char *, QByteArray>> skins { { "alpha",
                                                                 "[General]\nSkinName=Alpha\nAuthor=Ann\n" },
        { "Zed", "[General]\nSkinName=Zed skin\nAuthor=Zoe\n" },
        { "beta", "[General]\nAuthor=Only author\n" }, { "Beta", "[General]\nSkinName=Only name\n" },
        { "empty", "[General]\nSkinName=\nAuthor=\n[Analog]\nShow=true\n" },
        { ".hidden", "[General]\nSkinName=Hidden\n" }, { "spaced", "[General]\r\n  SkinName = Spaced \r\n" },
        { "binary", QByteArray("\x00\xff[General\x00]\nSkinName\x00=\xfe\n", 20) },
        { "utf8", "[General]\nSkinName=a\xff b\n" },
        { "twice", "[General]\nAuthor=\n[General]\nSkinName=Twice\n" } };
    for (const auto &[name, cfg] : skins)
        QVERIFY(folders.isEmpty() || root.writeSkin(QLatin1String(name), cfg));
    if (!folders.isEmpty()) {
        root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin/nocfg/mid.png"), "x");
        root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin/plainfile"), "[General]\nSkinName=File\n");
        QFile::link(real("alpha"), real("link"));
        QDir().mkpath(real("folder/skin.cfg"));
        QDir().mkpath(real("fifo"));
        QCOMPARE(mkfifo(QFile::encodeName(real("fifo/skin.cfg")).constData(), 0600), 0);
        QDir().mkpath(real("device"));
        QFile::link(QStringLiteral("/dev/zero"), real("device/skin.cfg"));
    }
    QList<SkinEntry> entries { SkinEntry { QString(), QString(), QStringLiteral("kept") } };
    StdoutCapture out;
    QCOMPARE(SkinEntry::scan(entries), !folders.isEmpty());
    QStringList said; // every folder looked into is said, listed or not
    for (const QString &folder : std::as_const(folders))
        said << "cur cfg is /ezxlocal/Kestrow/skin/" + folder + "/skin.cfg";
    QCOMPARE(QString::fromUtf8(out.text()).split(u'\n').filter(QStringLiteral("cur cfg")), said);
    QStringList described;
    for (const SkinEntry &entry : std::as_const(entries))
        described << entry.dirName + QLatin1Char('=') + entry.skinName + QLatin1Char('/') + entry.author;
    QCOMPARE(described, listed);
}

void SetupFilesTest::appImagesAsTheReaderGives_data()
{
    QTest::addColumn<QString>("name");
    const QDir shipped(QStringLiteral(KESTROW_SOURCE_DIR "/setup/files/img"));
    for (const QString &name : shipped.entryList({ QStringLiteral("*.png") }, QDir::Files))
        QTest::newRow(qPrintable(name)) << shipped.filePath(name);
    // Files the direct decoder must leave to the reader.
    QTest::newRow("linear gamma") << QStringLiteral("gamma");
    QTest::newRow("opaque RGB") << QStringLiteral("rgb");
    QTest::newRow("palette") << QStringLiteral("palette");
    QTest::newRow("missing") << QStringLiteral("missing");
}

void SetupFilesTest::appImagesAsTheReaderGives()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QString path = name;
    if (!name.contains(QLatin1Char('/'))) {
        path = dir.filePath(name + QStringLiteral(".png"));
        QImage picture(7, 5, QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgba(x * 36, y * 50, 200 - x * 20, 40 + y * 50));
        }
        QImageWriter writer(path, "png");
        if (name == QLatin1String("gamma")) {
            picture.setColorSpace(
                QColorSpace(QColorSpace::Primaries::SRgb, QColorSpace::TransferFunction::Linear));
            QVERIFY(writer.write(picture));
        } else if (name == QLatin1String("rgb")) {
            QVERIFY(writer.write(picture.convertToFormat(QImage::Format_RGB32)));
        } else if (name == QLatin1String("palette")) {
            QVERIFY(writer.write(picture.convertToFormat(QImage::Format_Indexed8)));
        }
    }
    // What the windows draw: the picture as a pixmap holds it.
    const QImage expected = QPixmap(path).toImage();
    QCOMPARE(expected.isNull(), name == QLatin1String("missing"));
    QCOMPARE(AppImage::load(path).toImage(), expected);
}

QTEST_MAIN(SetupFilesTest)
#include "setupfilestest.moc"
