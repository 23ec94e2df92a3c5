// Reading a skin: the loader's model (defaults, precedences, the files it may open and how much
// it decodes) and the linter's findings on the broken skins of tests/lint/.

#include "data/skinimage.h"
#include "data/skinlint.h"
#include "data/skinloader.h"
#include "testsupport.h"

#include <QRegularExpression>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
const QString System = QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg");
const QString SkinDir = QStringLiteral("/ezxlocal/Kestrow/skin/default/");

QColor pixel(const QImage &image, int x, int y)
{
    return QColor::fromRgba(image.pixel(x, y));
}

SkinModel loaded(const SkinLoadOptions &options = {}, SkinLoadReport *report = nullptr)
{
    SkinModel model;
    const SkinLoadReport made = SkinLoader::load(model, options);
    if (report)
        *report = made;
    return model;
}

QString sourcePath(const QString &relative)
{
    return QStringLiteral(KESTROW_SOURCE_DIR "/") + relative;
}

} // namespace

class SkinLoadTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultsAndSwitches();
    void wallpaper_data();
    void wallpaper();
    void padding_data();
    void padding();
    void dockSlots_data();
    void dockSlots();
    void dockIcons();
    void previewOptions();
    void refusedPaths_data();
    void refusedPaths();
    void imagesThatAreNotPictures_data();
    void imagesThatAreNotPictures();
    void decodedPixelsPerLoadAreBounded();
    void lintCorpus_data();
    void lintCorpus();
};

void SkinLoadTest::defaultsAndSwitches()
{
    TempDeviceRoot root;
    QVERIFY(root.writeSkin(QStringLiteral("default"), QByteArray()));
    SkinLoadReport report;
    SkinModel model = loaded({}, &report);
    QCOMPARE(report.skinDirectory, root.path(SkinDir));
    QCOMPARE(model.paddingSum, 6);
    QVERIFY(!model.cover.show && !model.analog.show && !model.digital.show && !model.week.show);
    QVERIFY(!model.date.show && !model.lunar.show && !model.battery.show && !model.signal.show);
    QVERIFY(!model.notify.show && !model.dock.show);

    // Switched on with nothing else given: each element's own defaults, not another's.
    root.writeSkin(QStringLiteral("default"),
        "[Analog]\nShow=true\nLeft=2147483647\nTop=-2147483648\n[Digital]\nShow=1\n[DockBar]\nShow=yes\n"
        "[FramwCover]\nShow=true\nLeft=40\nTop=50\n");
    model = loaded();
    // Numbers are held to a bound that painting can add image sizes to.
    QCOMPARE(QPoint(model.analog.left, model.analog.top), QPoint(SkinNumberLimit, -SkinNumberLimit));
    QVERIFY(model.analog.secShow && !model.digital.secShow);
    QCOMPARE(model.dock.num, 1);
    QCOMPARE(model.dock.slots[0].sizeWidth, 1);
    QCOMPARE(model.dock.slots[0].widgetHeight, 1);
    QVERIFY(model.cover.show);
    QCOMPARE(QPoint(model.cover.left, model.cover.top), QPoint(0, 0)); // the cover's place is [Img]

    // A reload into the same model drops the images of elements switched off, and takes them again.
    root.writeImage(SkinDir + QStringLiteral("strip.png"), 10, 110, Qt::red);
    root.writeImage(SkinDir + QStringLiteral("b.png"), 4, 4, Qt::green);
    const QByteArray on = "[Digital]\nShow=true\nFontIMG=strip.png\nHourLeft=7\n"
                          "[Battery]\nShow=true\nLevel3=b.png\n[DockBar]\nShow=true\nBGIMG=b.png\n";
    root.writeSkin(QStringLiteral("default"), on);
    SkinLoader::load(model);
    QCOMPARE(model.digital.strip.size(), QSize(10, 110));
    root.writeSkin(QStringLiteral("default"), "[Digital]\nShow=false\nHourLeft=99\n");
    SkinLoader::load(model);
    QVERIFY(
        model.digital.strip.isNull() && model.battery.levels[3].isNull() && model.dock.background.isNull());
    QCOMPARE(model.digital.hourLeft, 7); // values of a switched-off element stay as they were
    root.writeSkin(QStringLiteral("default"), on);
    SkinLoader::load(model);
    QCOMPARE(pixel(model.battery.levels[3], 1, 1), QColor(Qt::green));
    QVERIFY(!model.dock.background.isNull());
}

void SkinLoadTest::wallpaper_data()
{
    QTest::addColumn<QString>("wallpaper");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("fromSkin");
    QTest::newRow("exact size") << QStringLiteral("/w/a.png") << QSize(240, 320) << false;
    QTest::newRow("tall") << QStringLiteral("/w/a.png") << QSize(240, 400) << false;
    QTest::newRow("upper-case DCF is an image") << QStringLiteral("/w/a.DCF") << QSize(100, 100) << false;
    QTest::newRow("protected") << QStringLiteral("/w/a.dcf") << QSize(100, 100) << true;
}

void SkinLoadTest::wallpaper()
{
    QFETCH(QString, wallpaper);
    QFETCH(QSize, size);
    QFETCH(bool, fromSkin);
    TempDeviceRoot root;
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    QVERIFY(root.writeImage(wallpaper, picture));
    root.writeFile(System, "[SYS_DISPLAY_SET]\nWallpaper = " + wallpaper.toUtf8() + "\n");
    root.writeImage(SkinDir + QStringLiteral("mid.png"), 30, 40, Qt::yellow);
    root.writeSkin(QStringLiteral("default"), "[Background]\nMidIMG=mid.png\n");
    const SkinModel model = loaded();
    QCOMPARE(model.centre.size(), QSize(30, 40));
    if (fromSkin) {
        QCOMPARE(model.background.size(), QSize(30, 40)); // unscaled
        QCOMPARE(pixel(model.background, 5, 5), QColor(Qt::yellow));
        return;
    }
    QCOMPARE(model.background.size(), QSize(240, 320));
    QCOMPARE(pixel(model.background, 120, 160), QColor(Qt::blue));
    if (size == QSize(240, 320))
        QCOMPARE(pixel(model.background, 0, 0), QColor(Qt::red)); // untouched, not resampled
}

void SkinLoadTest::padding_data()
{
    QTest::addColumn<QByteArray>("homescreen");
    QTest::addColumn<QByteArray>("common");
    QTest::addColumn<int>("sum");
    const QByteArray common("[ZSoftKey_Right]\nPadding_Bottom=5\nPadding_Top=4\n");
    QTest::newRow("neither") << QByteArray() << QByteArray() << 6;
    QTest::newRow("common only") << QByteArray() << common << 9;
    QTest::newRow("the home screen's file wins")
        << QByteArray("[ZSoftKey_Right]\nPadding_Top=10\n") << common << 13;
    QTest::newRow("held to the bound")
        << QByteArray("[ZSoftKey_Right]\nPadding_Top=-2000000\n") << common << 3 - SkinNumberLimit;
}

void SkinLoadTest::padding()
{
    QFETCH(QByteArray, homescreen);
    QFETCH(QByteArray, common);
    QFETCH(int, sum);
    TempDeviceRoot root;
    root.writeFile(System, "[SYS_DISPLAY_SET]\nSkin=/usr/data_resource/skin/plain\n");
    if (!homescreen.isNull())
        root.writeFile(QStringLiteral("/usr/data_resource/skin/plain/homescreen_p.ini"), homescreen);
    if (!common.isNull())
        root.writeFile(QStringLiteral("/usr/data_resource/skin/plain/common.ini"), common);
    QCOMPARE(loaded().paddingSum, sum);
}

void SkinLoadTest::dockSlots_data()
{
    QTest::addColumn<QByteArray>("num");
    QTest::addColumn<int>("slots");
    QTest::newRow("missing") << QByteArray() << 1;
    QTest::newRow("negative") << QByteArray("Num=-3\n") << 0;
    QTest::newRow("three") << QByteArray("Num=3\n") << 3;
    QTest::newRow("ten") << QByteArray("Num=10\n") << 10;
    QTest::newRow("eleven") << QByteArray("Num=11\n") << 10;
}

void SkinLoadTest::dockSlots()
{
    QFETCH(QByteArray, num);
    QFETCH(int, slots);
    TempDeviceRoot root;
    QByteArray cfg = "[DockBar]\nShow=true\nInfoShow=true\n" + num;
    for (int i = 0; i < 11; ++i)
        cfg += QByteArray("Left%1=%2\nInfoFontColor%1=16711680\n")
                   .replace("%1", QByteArray::number(i))
                   .replace("%2", QByteArray::number(10 + i));
    root.writeSkin(QStringLiteral("default"), cfg);
    root.writeFile(Settings, "[DockBar]\nName0=Zero\nName9=Nine\nName09=wrong\n");
    const SkinModel model = loaded();
    QCOMPARE(model.dock.num, slots);
    for (int i = 0; i < DockSlotCount; ++i) {
        QCOMPARE(model.dock.slots[i].left, i < slots ? 10 + i : 1); // slots past Num are never read
        if (i < slots)
            QCOMPARE(model.dock.slots[i].nameColor, QColor(Qt::red));
    }
    const QString names[] = { QStringLiteral("Zero"), QStringLiteral("test"), QStringLiteral("Nine") };
    for (const int i : { 0, 1, 9 })
        if (i < slots)
            QCOMPARE(model.dock.slots[i].name, names[std::min(i, 2)]);
}

void SkinLoadTest::dockIcons()
{
    TempDeviceRoot root;
    root.writeSkin(QStringLiteral("default"), "[DockBar]\nShow=true\nNum=5\n");
    root.writeImage(SkinDir + QStringLiteral("dock.png"), 8, 8, Qt::gray);
    root.writeImage(QStringLiteral("/ezxlocal/icons/cam.png"), 12, 12, Qt::green);
    root.writeImage(QStringLiteral("/usr/data_resource/icons/phone.png"), 16, 16, Qt::blue);
    root.writeFile(Settings,
        "[DockBar]\nIcon0=/ezxlocal/icons/cam.png\nIcon1=phone.png\nIcon2=/ezxlocal/icons/none.png\n"
        "Icon4=ezxlocal/icons/cam.png\n");
    const SkinModel model = loaded();
    QCOMPARE(model.dock.slots[0].icon.size(), QSize(12, 12)); // a file
    QCOMPARE(model.dock.slots[1].icon.size(), QSize(16, 16)); // a resource name
    QVERIFY(model.dock.slots[2].icon.isNull()); // no such file, no such resource
    QCOMPARE(model.dock.slots[3].icon.size(), QSize(8, 8)); // the skin's own dock.png
    QCOMPARE(model.dock.slots[4].icon.size(), QSize(12, 12)); // a file by a relative path
}

void SkinLoadTest::previewOptions()
{
    TempDeviceRoot root;
    root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/other/cover.png"), 5, 5, Qt::red);
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin/other/skin.cfg"),
        "[FramwCover]\nShow=true\nImg=cover.png\n[DockBar]\nShow=true\nInfoShow=true\nNum=2\n"
        "[General]\nSkinName=Other\nAuthor=Someone\n");
    root.writeFile(Settings, "[Main]\nSkin=default\n[DockBar]\nName0=Phone\n");

    const SkinModel model = loaded(SkinLoadOptions::preview(QStringLiteral("other")));
    QVERIFY(!model.cover.show && model.cover.image.isNull() && !model.dock.infoShow);
    QVERIFY(model.dock.slots[0].name.isEmpty());
    QCOMPARE(model.dock.num, 2);
    QCOMPARE(model.skinName, QStringLiteral("Other"));
    QCOMPARE(model.author, QStringLiteral("Someone"));
    SkinLoadOptions plugin;
    plugin.skinName = QStringLiteral("other");
    const SkinModel full = loaded(plugin);
    QCOMPARE(full.cover.image.size(), QSize(5, 5));
    QCOMPARE(full.dock.slots[0].name, QStringLiteral("Phone"));
    // The preview shows the skin it is given: an empty name is no skin, never the one in use.
    root.writeSkin(QStringLiteral("default"), "[DockBar]\nShow=true\n[General]\nSkinName=Default\n");
    const SkinModel none = loaded(SkinLoadOptions::preview(QString()));
    QVERIFY(!none.dock.show && none.skinName.isEmpty());
}

void SkinLoadTest::refusedPaths_data()
{
    QTest::addColumn<QString>("where"); // which path names something outside
    QTest::addColumn<QByteArray>("name"); // a skin name, or how an image path climbs
    for (const char *name : { "..", ".", "../../outside", "/outside", "a/../b" })
        QTest::addRow("skin name %s", name) << "skin" << QByteArray(name);
    QTest::newRow("image name") << "image" << QByteArray();
    QTest::newRow("wallpaper") << "wallpaper" << QByteArray();
    QTest::newRow("wallpaper under the root's own path") << "wallpaper" << QByteArray("rooted");
    QTest::newRow("dock icon") << "icon" << QByteArray();
    QTest::newRow("dock icon under the root's own path") << "icon" << QByteArray("rooted");
}

void SkinLoadTest::refusedPaths()
{
    QFETCH(QString, where);
    QFETCH(QByteArray, name);
    TempDeviceRoot root;
    QTemporaryDir outside;
    QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(outside.filePath(QStringLiteral("red.png")), "PNG"));
    // Enough steps up to reach "/" from anywhere, then down to the picture.
    const QByteArray climb = QByteArray("../").repeated(40)
        + QFile::encodeName(outside.filePath(QStringLiteral("red.png"))).mid(1);
    const QByteArray phonePath
        = name == "rooted" ? QFile::encodeName(root.root()) + "/" + climb : "/" + climb;
    const QByteArray skin = "[Analog]\nShow=true\n[Background]\nMidIMG="
        + (where == QLatin1String("image") ? climb : QByteArray("none.png"))
        + "\n[DockBar]\nShow=true\nNum=1\n";
    for (const char *folder : { "/ezxlocal/Kestrow/skin/default/", "/ezxlocal/Kestrow/", "/outside/",
             "/ezxlocal/Kestrow/skin/b/", "/" })
        QVERIFY(root.writeFile(QLatin1String(folder) + QStringLiteral("skin.cfg"), skin));
    QVERIFY(root.writeFile(Settings,
        "[Main]\nSkin=" + (where == QLatin1String("skin") ? name : QByteArray("default"))
            + "\n[DockBar]\nIcon0=" + (where == QLatin1String("icon") ? phonePath : QByteArray("none"))
            + "\n"));
    QVERIFY(root.writeFile(System,
        "[SYS_DISPLAY_SET]\nWallpaper=" + (where == QLatin1String("wallpaper") ? phonePath : QByteArray())
            + "\n"));
    if (where == QLatin1String("icon") || where == QLatin1String("wallpaper"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("above the device root")));
    SkinLoadReport report;
    const SkinModel model = loaded({}, &report);
    QVERIFY(model.centre.isNull() && model.background.isNull() && model.dock.slots[0].icon.isNull());
    if (where == QLatin1String("skin")) {
        QVERIFY(report.skinDirectory.isEmpty() && !report.problems.isEmpty());
        QVERIFY(!model.analog.show);
    } else if (where == QLatin1String("image")) {
        QVERIFY2(report.problems.join(u'|').contains(QStringLiteral("above the device root")),
            qPrintable(report.problems.join(u'|')));
    }
}

void SkinLoadTest::imagesThatAreNotPictures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name"); // as the skin names it
    QTest::newRow("declares 60000 x 60000") << "ppm"
                                            << "dial.ppm";
    QTest::newRow("link to an endless device") << "/dev/zero"
                                               << "dial.png";
    QTest::newRow("named pipe") << "fifo"
                                << "dial.png";
}

void SkinLoadTest::imagesThatAreNotPictures()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    TempDeviceRoot root;
    const QString file = root.path(SkinDir + name);
    QVERIFY(root.writeSkin(QStringLiteral("default"),
        "[Analog]\nShow=true\nBackIMG=" + name.toUtf8() + "\nMinIMG=good.png\n[Lunar]\nFontSize=-5\n"));
    QVERIFY(root.writeImage(SkinDir + QStringLiteral("good.png"), 3, 3, Qt::red));
    if (kind == QLatin1String("ppm")) {
        QVERIFY(root.writeFile(SkinDir + name, "P6\n60000 60000\n255\n" + QByteArray(30, 'x')));
    } else if (kind.startsWith(u'/')) {
        QVERIFY(QFile::link(kind, file));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    }
    SkinLoadReport report;
    const SkinModel model = loaded({}, &report);
    QVERIFY(model.analog.dial.isNull());
    QCOMPARE(model.analog.minute.size(), QSize(3, 3));
    QVERIFY2(
        report.problems.join(u'|').contains(name.section(u'/', -1)), qPrintable(report.problems.join(u'|')));
}

void SkinLoadTest::decodedPixelsPerLoadAreBounded()
{
    TempDeviceRoot root;
    // Two of the big images fit in one load's budget, a third does not; a small one still does.
    const QSize big(SkinImage::MaxSide, 2000);
    const qint64 pixels = qint64(big.width()) * big.height();
    QVERIFY(3 * pixels > SkinImage::PixelBudget && 2 * pixels + 4 <= SkinImage::PixelBudget);
    QVERIFY(root.writeImage(SkinDir + QStringLiteral("big.png"), big.width(), big.height(), Qt::blue));
    QVERIFY(root.writeImage(SkinDir + QStringLiteral("small.png"), 2, 2, Qt::red));
    QVERIFY(root.writeSkin(QStringLiteral("default"),
        "[Background]\nMidIMG=big.png\n[Analog]\nShow=true\nBackIMG=big.png\nMinIMG=big.png\nHourIMG=small."
        "png\n"));
    SkinLoadReport report;
    const SkinModel model = loaded({}, &report);
    QCOMPARE(model.centre.size(), big);
    QCOMPARE(model.analog.dial.size(), big);
    QVERIFY(model.analog.minute.isNull());
    QCOMPARE(model.analog.hour.size(), QSize(2, 2));
    QVERIFY2(report.problems.size() == 1 && report.problems.constFirst().contains(QStringLiteral("big.png")),
        qPrintable(report.problems.join(u'|')));
    QCOMPARE(loaded().analog.dial.size(), big); // every load has a budget of its own
}

void SkinLoadTest::lintCorpus_data()
{
    QTest::addColumn<QString>("folder");
    const QDir corpus(sourcePath(QStringLiteral("tests/lint")));
    for (const QString &name : corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    // The shipped skins have nothing to say.
    QTest::newRow("shipped default") << sourcePath(QStringLiteral("skins/default"));
    QTest::newRow("shipped analog") << sourcePath(QStringLiteral("skins/analog"));
}

void SkinLoadTest::lintCorpus()
{
    QFETCH(QString, folder);
    const QList<SkinFinding> findings = SkinLint::lint(folder);
    QStringList lines = SkinLint::lines(findings);
    for (QString &line : lines) {
        QVERIFY2(line.startsWith(folder + QLatin1Char('/')), qPrintable(line));
        line.remove(0, folder.size() + 1);
    }
    const QString expectedFile = folder + QStringLiteral("/expected.txt");
    const QStringList expected = QFile::exists(expectedFile)
        ? QString::fromUtf8(readFileBytes(expectedFile)).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
        : QStringList();
    QCOMPARE(lines, expected);
    int wanted = 0;
    for (const QString &line : expected)
        wanted = std::max(wanted, line.contains(QLatin1String(": error: ")) ? 2 : 1);
    QCOMPARE(SkinLint::exitCode(findings), wanted);
}

QTEST_MAIN(SkinLoadTest)
#include "skinloadtest.moc"
