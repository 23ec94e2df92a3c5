#include "data/skinloader.h"
#include "data/skinimage.h"
#include "platform/resiconreader.h"
#include "render/fixedclock.h"
#include "render/skinrenderer.h"
#include "testsupport.h"

#include <QImageWriter>
#include <QRegularExpression>
#include <QtTest>

#include <climits>

#include <sys/stat.h>

namespace {

const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
const QString System = QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg");
const QString SkinDir = QStringLiteral("/ezxlocal/Kestrow/skin/default/");

QColor pixel(const QImage &image, int x, int y)
{
    return QColor::fromRgba(image.pixel(x, y));
}

SkinModel loaded(const SkinLoadOptions &options = {})
{
    SkinModel model;
    SkinLoader::load(model, options);
    return model;
}

} // namespace

class SkinLoaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultsOfAnEmptySkin();
    void switchesReleaseAndReload();
    void wallpaper_data();
    void wallpaper();
    void padding_data();
    void padding();
    void dockSlots_data();
    void dockSlots();
    void dockIcons();
    void skinNameStaysUnderTheSkinRoot_data();
    void skinNameStaysUnderTheSkinRoot();
    void hostileSkins();
    void imagesThatAreNotPictures_data();
    void imagesThatAreNotPictures();
    void decodedPixelsPerLoadAreBounded();
    void pathsStayInsideTheDeviceRoot_data();
    void pathsStayInsideTheDeviceRoot();
    void numbersAtTheEdgesRender_data();
    void numbersAtTheEdgesRender();
    void previewOptions();
};

void SkinLoaderTest::defaultsOfAnEmptySkin()
{
    TempDeviceRoot root;
    QVERIFY(root.writeSkin(QStringLiteral("default"), QByteArray()));
    SkinModel model;
    const SkinLoadReport report = SkinLoader::load(model);
    QCOMPARE(report.skinDirectory, root.path(SkinDir));
    QCOMPARE(model.paddingSum, 6);
    QVERIFY(!model.cover.show && !model.analog.show && !model.digital.show && !model.week.show);
    QVERIFY(!model.date.show && !model.lunar.show && !model.battery.show && !model.signal.show);
    QVERIFY(!model.notify.show && !model.dock.show);
    QVERIFY(model.background.isNull() && model.centre.isNull());

    // Switched on with nothing else given: the documented defaults of each element.
    root.writeSkin(QStringLiteral("default"),
        "[Analog]\nShow=true\n[Digital]\nShow=1\n[DockBar]\nShow=yes\n[Notify]\nShow=true\n"
        "[FramwCover]\nShow=true\nLeft=40\nTop=50\n");
    model = loaded();
    QVERIFY(model.analog.secShow);
    QVERIFY(!model.digital.secShow);
    QCOMPARE(model.dock.num, 1);
    QCOMPARE(model.dock.slots[0].sizeWidth, 1);
    QCOMPARE(model.dock.slots[0].widgetHeight, 1);
    QCOMPARE(model.dock.slots[0].left, 1);
    QVERIFY(model.cover.show);
    QCOMPARE(QPoint(model.cover.left, model.cover.top), QPoint(0, 0)); // the cover's place is [Img]
    QVERIFY(model.notify.year >= 1901 && model.notify.year <= 2100);
    QVERIFY(model.notify.month >= 1 && model.notify.month <= 12);
}

void SkinLoaderTest::switchesReleaseAndReload()
{
    TempDeviceRoot root;
    root.writeImage(SkinDir + QStringLiteral("strip.png"), 10, 110, Qt::red);
    root.writeImage(SkinDir + QStringLiteral("b.png"), 4, 4, Qt::green);
    const QByteArray on = "[Digital]\nShow=true\nFontIMG=strip.png\nHourLeft=7\n"
                          "[Battery]\nShow=true\nLevel0=b.png\nLevel3=b.png\n"
                          "[DockBar]\nShow=true\nBGIMG=b.png\n";
    root.writeSkin(QStringLiteral("default"), on);
    SkinModel model;
    SkinLoader::load(model);
    QCOMPARE(model.digital.strip.size(), QSize(10, 110));
    QVERIFY(!model.battery.levels[0].isNull() && !model.battery.levels[3].isNull());
    QVERIFY(!model.dock.background.isNull());

    root.writeSkin(QStringLiteral("default"), "[Digital]\nShow=false\nHourLeft=99\n");
    SkinLoader::load(model);
    QVERIFY(model.digital.strip.isNull());
    QVERIFY(model.battery.levels[0].isNull() && model.battery.levels[3].isNull());
    QVERIFY(model.dock.background.isNull());
    QCOMPARE(model.digital.hourLeft, 7); // values of a switched-off element stay as they were

    root.writeSkin(QStringLiteral("default"), on);
    SkinLoader::load(model);
    QCOMPARE(model.digital.strip.size(), QSize(10, 110));
    QCOMPARE(pixel(model.battery.levels[3], 1, 1), QColor(Qt::green));
}

void SkinLoaderTest::wallpaper_data()
{
    QTest::addColumn<QString>("wallpaper");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("fromSkin");
    QTest::newRow("exact size") << QStringLiteral("/w/a.png") << QSize(240, 320) << false;
    QTest::newRow("tall") << QStringLiteral("/w/a.png") << QSize(240, 400) << false;
    QTest::newRow("landscape") << QStringLiteral("/w/a.png") << QSize(320, 240) << false;
    QTest::newRow("upper-case DCF is an image") << QStringLiteral("/w/a.DCF") << QSize(100, 100) << false;
    QTest::newRow("protected") << QStringLiteral("/w/a.dcf") << QSize(100, 100) << true;
}

void SkinLoaderTest::wallpaper()
{
    QFETCH(QString, wallpaper);
    QFETCH(QSize, size);
    QFETCH(bool, fromSkin);
    TempDeviceRoot root;
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    QImageWriter writer(root.path(wallpaper), "PNG");
    QDir().mkpath(root.path(QStringLiteral("/w")));
    QVERIFY(writer.write(picture));
    root.writeFile(System, "[SYS_DISPLAY_SET]\nWallpaper = " + wallpaper.toUtf8() + "\n");
    root.writeImage(SkinDir + QStringLiteral("mid.png"), 30, 40, Qt::yellow);
    root.writeSkin(QStringLiteral("default"), "[Background]\nMidIMG=mid.png\n");

    const SkinModel model = loaded();
    if (fromSkin) {
        QCOMPARE(model.background.size(), QSize(30, 40)); // unscaled
        QCOMPARE(pixel(model.background, 5, 5), QColor(Qt::yellow));
    } else {
        QCOMPARE(model.background.size(), QSize(240, 320));
        QCOMPARE(pixel(model.background, 120, 160), QColor(Qt::blue));
        if (size == QSize(240, 320))
            QCOMPARE(pixel(model.background, 0, 0), QColor(Qt::red)); // untouched, not resampled
    }
    QCOMPARE(model.centre.size(), QSize(30, 40));
}

void SkinLoaderTest::padding_data()
{
    QTest::addColumn<QByteArray>("homescreen");
    QTest::addColumn<QByteArray>("common");
    QTest::addColumn<int>("sum");
    QTest::newRow("neither") << QByteArray() << QByteArray() << 6;
    QTest::newRow("common only") << QByteArray()
                                 << QByteArray("[ZSoftKey_Right]\nPadding_Bottom=5\nPadding_Top=4\n") << 9;
    QTest::newRow("home screen wins")
        << QByteArray("[ZSoftKey_Right]\nPadding_Top=10\n")
        << QByteArray("[ZSoftKey_Right]\nPadding_Bottom=5\nPadding_Top=4\n") << 13;
}

void SkinLoaderTest::padding()
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

void SkinLoaderTest::dockSlots_data()
{
    QTest::addColumn<QByteArray>("num");
    QTest::addColumn<int>("slots");
    QTest::newRow("missing") << QByteArray() << 1;
    QTest::newRow("zero") << QByteArray("Num=0\n") << 0;
    QTest::newRow("negative") << QByteArray("Num=-3\n") << 0;
    QTest::newRow("three") << QByteArray("Num=3\n") << 3;
    QTest::newRow("eleven") << QByteArray("Num=11\n") << 10;
}

void SkinLoaderTest::dockSlots()
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
    for (int i = 0; i < slots; ++i) {
        QCOMPARE(model.dock.slots[i].left, 10 + i);
        QCOMPARE(model.dock.slots[i].nameColor, QColor(Qt::red));
        QCOMPARE(model.dock.slots[i].nameFontSize, 12);
    }
    if (slots > 0)
        QCOMPARE(model.dock.slots[0].name, QStringLiteral("Zero"));
    if (slots > 1)
        QCOMPARE(model.dock.slots[1].name, QStringLiteral("test"));
    if (slots == 10)
        QCOMPARE(model.dock.slots[9].name, QStringLiteral("Nine"));
    for (int i = slots; i < DockSlotCount; ++i)
        QCOMPARE(model.dock.slots[i].left, 1); // never read
}

void SkinLoaderTest::dockIcons()
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

void SkinLoaderTest::skinNameStaysUnderTheSkinRoot_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("parent") << QByteArray("..");
    QTest::newRow("dot") << QByteArray(".");
    QTest::newRow("path") << QByteArray("../../outside");
    QTest::newRow("absolute") << QByteArray("/outside");
}

void SkinLoaderTest::skinNameStaysUnderTheSkinRoot()
{
    QFETCH(QByteArray, name);
    TempDeviceRoot root;
    const QByteArray cfg = "[Analog]\nShow=true\nBackIMG=dial.png\n";
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin.cfg"), cfg);
    root.writeFile(QStringLiteral("/outside/skin.cfg"), cfg);
    root.writeFile(QStringLiteral("/skin.cfg"), cfg);
    root.writeFile(Settings, "[Main]\nSkin=" + name + "\n");
    SkinModel model;
    const SkinLoadReport report = SkinLoader::load(model);
    QVERIFY(report.skinDirectory.isEmpty());
    QVERIFY(!report.problems.isEmpty());
    QVERIFY(!model.analog.show);
}

void SkinLoaderTest::hostileSkins()
{
    TempDeviceRoot root;
    QByteArray garbage(64 * 1024, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919) % 251);
    root.writeFile(SkinDir + QStringLiteral("garbage.png"), garbage);
    // A picture that declares itself far too large to decode.
    root.writeFile(SkinDir + QStringLiteral("huge.ppm"), "P6\n60000 60000\n255\n" + QByteArray(30, 'x'));
    root.writeSkin(QStringLiteral("default"),
        "[Analog]\nShow=true\nBackIMG=huge.ppm\nMinIMG=garbage.png\nHourIMG=../../../../etc/passwd\n"
        "[DockBar]\nShow=true\nNum=99999999999\nBGIMG=huge.ppm\nSizeWidth0=-2147483648\n"
        "[Lunar]\nShow=true\nFontColor=99999999999999999999\nFontSize=-5\n"
            + garbage + "\n[Battery]\nShow=true\nLevel0=\n");
    SkinModel model;
    const SkinLoadReport report = SkinLoader::load(model);
    QVERIFY(model.analog.dial.isNull());
    QVERIFY(model.analog.minute.isNull());
    QVERIFY(model.dock.background.isNull());
    QVERIFY(model.dock.num >= 0 && model.dock.num <= DockSlotCount);
    QVERIFY(model.battery.levels[0].isNull());
    QVERIFY(report.problems.join(QLatin1Char('\n')).contains(QStringLiteral("huge.ppm")));

    root.writeSkin(QStringLiteral("default"), garbage);
    SkinLoader::load(model); // binary garbage as the description file itself
    QVERIFY(!model.analog.show);
}

void SkinLoaderTest::imagesThatAreNotPictures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name"); // as the skin names it
    QTest::newRow("vector drawing") << "svg"
                                    << "dial.svg";
    QTest::newRow("vector drawing named .png") << "svg"
                                               << "dial.png";
    QTest::newRow("text picture") << "xpm"
                                  << "dial.xpm";
    QTest::newRow("link to a kernel file that reports no size") << "pagemap"
                                                                << "dial.png";
    QTest::newRow("link to an endless device") << "zero"
                                               << "dial.png";
    QTest::newRow("named pipe") << "fifo"
                                << "dial.png";
}

void SkinLoaderTest::imagesThatAreNotPictures()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    TempDeviceRoot root;
    const QString file = root.path(SkinDir + name);
    QVERIFY(root.writeFile(SkinDir + QStringLiteral("skin.cfg"),
        "[Analog]\nShow=true\nBackIMG=" + name.toUtf8() + "\nMinIMG=good.png\n"));
    QVERIFY(root.writeImage(SkinDir + QStringLiteral("good.png"), 3, 3, Qt::red));
    if (kind == QLatin1String("svg")) {
        QVERIFY(root.writeFile(SkinDir + name,
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4096\" height=\"4096\">"
            "<rect width=\"4096\" height=\"4096\" fill=\"red\"/></svg>\n"));
    } else if (kind == QLatin1String("xpm")) {
        QVERIFY(root.writeFile(
            SkinDir + name, "/* XPM */\nstatic char *x[] = {\"2 1 1 1\", \"a c #ff0000\", \"aa\"};\n"));
    } else if (kind == QLatin1String("pagemap")) {
        QVERIFY(QFile::link(QStringLiteral("/proc/self/pagemap"), file));
    } else if (kind == QLatin1String("zero")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    }
    SkinModel model;
    const SkinLoadReport report = SkinLoader::load(model);
    QVERIFY(model.analog.dial.isNull());
    QCOMPARE(model.analog.minute.size(), QSize(3, 3));
    QVERIFY2(report.problems.join(u'|').contains(name), qPrintable(report.problems.join(u'|')));
}

void SkinLoaderTest::decodedPixelsPerLoadAreBounded()
{
    TempDeviceRoot root;
    // Two of the big images fit in one load's budget, a third does not; a small one still does.
    const QSize big(SkinImage::MaxSide, 2000);
    const qint64 pixels = qint64(big.width()) * big.height();
    QVERIFY(3 * pixels > SkinImage::PixelBudget && 2 * pixels + 4 <= SkinImage::PixelBudget);
    QVERIFY(root.writeImage(SkinDir + QStringLiteral("big.png"), big.width(), big.height(), Qt::blue));
    QVERIFY(root.writeImage(SkinDir + QStringLiteral("small.png"), 2, 2, Qt::red));
    QVERIFY(root.writeFile(SkinDir + QStringLiteral("skin.cfg"),
        "[Background]\nMidIMG=big.png\n[Analog]\nShow=true\nBackIMG=big.png\nMinIMG=big.png\n"
        "HourIMG=small.png\n"));
    SkinModel model;
    const SkinLoadReport report = SkinLoader::load(model);
    QCOMPARE(model.centre.size(), big);
    QCOMPARE(model.analog.dial.size(), big);
    QVERIFY(model.analog.minute.isNull());
    QCOMPARE(model.analog.hour.size(), QSize(2, 2));
    QVERIFY2(report.problems.size() == 1 && report.problems.constFirst().contains(QStringLiteral("big.png")),
        qPrintable(report.problems.join(u'|')));
    // Every load has a budget of its own.
    SkinModel again;
    SkinLoader::load(again);
    QCOMPARE(again.analog.dial.size(), big);
}

void SkinLoaderTest::pathsStayInsideTheDeviceRoot_data()
{
    QTest::addColumn<QString>("where"); // which path names the picture outside the root
    QTest::addColumn<bool>("rooted"); // the path starts with the device root itself
    QTest::newRow("image name") << "image" << false;
    QTest::newRow("wallpaper") << "wallpaper" << false;
    QTest::newRow("wallpaper under the root's own path") << "wallpaper" << true;
    QTest::newRow("dock icon") << "icon" << false;
    QTest::newRow("dock icon under the root's own path") << "icon" << true;
}

void SkinLoaderTest::pathsStayInsideTheDeviceRoot()
{
    QFETCH(QString, where);
    QFETCH(bool, rooted);
    TempDeviceRoot root;
    QTemporaryDir outside;
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(outside.filePath(QStringLiteral("red.png"))));
    // Enough steps up to reach "/" from anywhere, then down to the picture.
    const QByteArray climb = QByteArray("../").repeated(40)
        + QFile::encodeName(outside.filePath(QStringLiteral("red.png"))).mid(1);
    const QByteArray phonePath = rooted ? QFile::encodeName(root.root()) + "/" + climb : "/" + climb;
    QVERIFY(root.writeSkin(QStringLiteral("default"),
        "[Background]\nMidIMG=" + (where == QLatin1String("image") ? climb : QByteArray("none.png"))
            + "\n[DockBar]\nShow=true\nNum=1\n"));
    QVERIFY(root.writeFile(Settings,
        "[DockBar]\nIcon0=" + (where == QLatin1String("icon") ? phonePath : QByteArray("none")) + "\n"));
    QVERIFY(root.writeFile(System,
        "[SYS_DISPLAY_SET]\nWallpaper=" + (where == QLatin1String("wallpaper") ? phonePath : QByteArray())
            + "\n"));
    if (where != QLatin1String("image"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("above the device root")));
    SkinModel model;
    const SkinLoadReport report = SkinLoader::load(model);
    QVERIFY(model.centre.isNull());
    QVERIFY(model.background.isNull());
    QVERIFY(model.dock.slots[0].icon.isNull());
    if (where == QLatin1String("image"))
        QVERIFY2(report.problems.join(u'|').contains(QStringLiteral("above the device root")),
            qPrintable(report.problems.join(u'|')));
}

namespace {

// A shipped skin in a fresh device root, with a settings file that fills every dock slot
// and a platform theme with soft-key paddings.
void installShippedSkin(const TempDeviceRoot &root, const QString &name)
{
    const QString source = QStringLiteral(KESTROW_SOURCE_DIR "/skins/") + name;
    for (const QString &file : QDir(source).entryList(QDir::Files)) {
        QFile in(source + QLatin1Char('/') + file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin/%1/%2").arg(name, file), in.readAll()));
    }
    QByteArray settings
        = "[Main]\nSkin=" + name.toUtf8() + "\n[Notify]\nYear=2030\nMonth=1\nDay=1\nInfo=x\n[DockBar]\n";
    for (int i = 0; i < DockSlotCount; ++i)
        settings += "Icon" + QByteArray::number(i) + "=/ezxlocal/Kestrow/skin/" + name.toUtf8()
            + "/panel.png\nName" + QByteArray::number(i) + "=n\n";
    QVERIFY(root.writeFile(Settings, settings));
    QVERIFY(root.writeFile(System, "[SYS_DISPLAY_SET]\nSkin=/usr/data_resource/skin/p\n"));
    QVERIFY(root.writeFile(QStringLiteral("/usr/data_resource/skin/p/homescreen_p.ini"),
        "[ZSoftKey_Right]\nPadding_Bottom=3\nPadding_Top=3\n"));
}

// Every "key = integer" line of a file, as (line index, key).
QList<int> numericLines(const QList<QByteArray> &lines)
{
    static const QRegularExpression number(QStringLiteral("^[^=#;\\[]+=\\s*-?[0-9]+\\s*$"));
    QList<int> found;
    for (int i = 0; i < lines.size(); ++i) {
        if (number.match(QString::fromUtf8(lines.at(i))).hasMatch())
            found.append(i);
    }
    return found;
}

QByteArray withValue(QList<QByteArray> lines, const QList<int> &which, qint64 value)
{
    for (const int i : which)
        lines[i] = lines.at(i).left(lines.at(i).indexOf('=') + 1) + QByteArray::number(value);
    return lines.join('\n') + '\n';
}

void renderEveryWay(const SkinModel &model)
{
    const FixedClock clock(ClockReading { 2029, 12, 31, 23, 59, 58, 1 });
    for (const FrameComposition composition : { FrameComposition::Plugin, FrameComposition::Preview }) {
        for (const int focus : { -1, 0, DockSlotCount - 1 }) {
            SkinRenderer renderer(model, composition);
            renderer.setFocusIndex(focus);
            renderer.setClock(&clock);
            renderer.setBatterySource([] { return 5; });
            renderer.setSignalSource([] { return 0; });
            QVERIFY(!renderer.paintFrame().isNull());
        }
    }
}

} // namespace

void SkinLoaderTest::numbersAtTheEdgesRender_data()
{
    QTest::addColumn<QString>("skin");
    QTest::addColumn<qint64>("value");
    for (const char *skin : { "default", "analog" }) {
        for (const qint64 value : { qint64(INT_MAX), qint64(INT_MIN), qint64(-1) })
            QTest::addRow("%s %lld", skin, value) << QString::fromLatin1(skin) << value;
    }
}

void SkinLoaderTest::numbersAtTheEdgesRender()
{
    QFETCH(QString, skin);
    QFETCH(qint64, value);
    TempDeviceRoot root;
    installShippedSkin(root, skin);
    const QString skinFile = root.path(QStringLiteral("/ezxlocal/Kestrow/skin/%1/skin.cfg").arg(skin));
    const QString themeFile = QStringLiteral("/usr/data_resource/skin/p/homescreen_p.ini");
    QFile in(skinFile);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = in.readAll().split('\n');
    in.close();
    const QList<int> numeric = numericLines(lines);
    QVERIFY(numeric.size() > 20);

    // One key at a time, then all of them at once, the platform's paddings with them.
    QList<QList<int>> cases;
    for (const int i : numeric)
        cases.append(QList<int> { i });
    cases.append(numeric);
    for (const QList<int> &which : std::as_const(cases)) {
        QVERIFY(root.writeSkin(skin, withValue(lines, which, value)));
        if (which.size() > 1)
            QVERIFY(root.writeFile(themeFile,
                "[ZSoftKey_Right]\nPadding_Bottom=" + QByteArray::number(value)
                    + "\nPadding_Top=" + QByteArray::number(value) + "\n"));
        SkinModel model;
        SkinLoader::load(model);
        renderEveryWay(model);
        if (QTest::currentTestFailed())
            QFAIL(lines.at(which.constFirst()).constData());
    }
}

void SkinLoaderTest::previewOptions()
{
    TempDeviceRoot root;
    root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/other/cover.png"), 5, 5, Qt::red);
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin/other/skin.cfg"),
        "[FramwCover]\nShow=true\nImg=cover.png\n[DockBar]\nShow=true\nInfoShow=true\nNum=2\n"
        "[General]\nSkinName=Other\nAuthor=Someone\n");
    root.writeFile(Settings, "[Main]\nSkin=default\n[DockBar]\nName0=Phone\n");

    const SkinModel model = loaded(SkinLoadOptions::preview(QStringLiteral("other")));
    QVERIFY(!model.cover.show);
    QVERIFY(model.cover.image.isNull());
    QVERIFY(!model.dock.infoShow);
    QVERIFY(model.dock.slots[0].name.isEmpty());
    QCOMPARE(model.dock.num, 2);
    QCOMPARE(model.skinName, QStringLiteral("Other"));
    QCOMPARE(model.author, QStringLiteral("Someone"));

    SkinLoadOptions plugin;
    plugin.skinName = QStringLiteral("other");
    const SkinModel full = loaded(plugin);
    QVERIFY(full.cover.show);
    QCOMPARE(full.cover.image.size(), QSize(5, 5));
    QCOMPARE(full.dock.slots[0].name, QStringLiteral("Phone"));

    // The preview shows the skin it is given: an empty name is no skin, never the one in use.
    root.writeSkin(QStringLiteral("default"), "[DockBar]\nShow=true\n[General]\nSkinName=Default\n");
    const SkinModel none = loaded(SkinLoadOptions::preview(QString()));
    QVERIFY(!none.dock.show);
    QVERIFY(none.skinName.isEmpty());
}

QTEST_MAIN(SkinLoaderTest)
#include "skinloadertest.moc"
