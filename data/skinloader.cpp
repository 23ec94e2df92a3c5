#include "data/skinloader.h"

#include "data/platformdisplay.h"
#include "data/settingsfile.h"
#include "data/skinimage.h"
#include "platform/devicepath.h"
#include "platform/phonescreen.h"
#include "platform/resiconreader.h"
#include "platform/zconfig.h"

#include <QFileInfo>

namespace {

/** One load: the four files it opens and what it found wrong. */
class LoadPass
{
public:
    LoadPass(SkinModel &model, const SkinLoadOptions &options, SkinLoadReport &report, const QString &skinDir)
        : m_model(model)
        , m_options(options)
        , m_report(report)
        , m_dir(skinDir)
        , m_settings(devicePath(SettingsFile::Path))
        , m_skin(skinDir.isEmpty() ? QString() : skinDir + QStringLiteral("skin.cfg"))
    { }

    void run();

private:
    QImage image(const QString &group, const QString &key);
    int num(const QString &group, const QString &key, int def = 0) const
    {
        return m_skin.readNumEntry(group, key, def);
    }
    bool flag(const QString &group, const QString &key, bool def = false) const
    {
        return m_skin.readBoolEntry(group, key, def);
    }
    int rgb(const QString &group, const QString &key) const;

    void readPadding();
    void readBackground();
    void readCover();
    void readAnalog();
    void readDigital();
    void readWeek();
    void readDate();
    void readLunar();
    void readBattery();
    void readSignal();
    void readNotify();
    void readDock();
    void readSlot(int index);
    QImage slotIcon(int index);

    SkinModel &m_model;
    const SkinLoadOptions &m_options;
    SkinLoadReport &m_report;
    const QString m_dir;
    ZConfig m_settings;
    ZConfig m_skin;
    RES_ICON_Reader m_ownIcons;
    // What is left of the pixels this load may decode.
    qint64 m_pixelsLeft = SkinImage::PixelBudget;
};

void release(QImage &image)
{
    image = QImage();
}

QImage LoadPass::image(const QString &group, const QString &key)
{
    const QString name = m_skin.readEntry(group, key, QString());
    if (name.isEmpty() || m_dir.isEmpty())
        return QImage();
    return SkinImage::load(m_dir + name, &m_report.problems, &m_pixelsLeft);
}

int LoadPass::rgb(const QString &group, const QString &key) const
{
    // Decimal red * 65536 + green * 256 + blue; anything else is black.
    bool ok = false;
    const long value = m_skin.readEntry(group, key, QString()).toLong(&ok, 10);
    return ok ? int(value & 0xFFFFFF) : 0;
}

void LoadPass::run()
{
    readPadding();
    readBackground();
    m_model.centre = image(QStringLiteral("Background"), QStringLiteral("MidIMG"));
    if (m_options.readsFrameCover())
        readCover();
    readAnalog();
    readDigital();
    readWeek();
    readDate();
    readLunar();
    readBattery();
    readSignal();
    readNotify();
    readDock();
    m_model.skinName = m_skin.readEntry(QStringLiteral("General"), QStringLiteral("SkinName"), QString());
    m_model.author = m_skin.readEntry(QStringLiteral("General"), QStringLiteral("Author"), QString());
}

void LoadPass::readPadding()
{
    m_model.paddingSum = PlatformDisplay::paddingSum();
}

void LoadPass::readBackground()
{
    const QString wallpaper = PlatformDisplay::wallpaperPath();
    // A protected wallpaper cannot be decoded here: the skin's centre image stands in, unscaled.
    if (wallpaper.endsWith(QLatin1String(".dcf"))) {
        m_model.background = image(QStringLiteral("Background"), QStringLiteral("MidIMG"));
        return;
    }
    const QImage loaded = wallpaper.isEmpty()
        ? QImage()
        : SkinImage::load(devicePath(wallpaper), &m_report.problems, &m_pixelsLeft);
    m_model.background = SkinImage::scaledTo(loaded, PhoneScreen::Width, PhoneScreen::Height);
}

void LoadPass::readCover()
{
    SkinModel::FrameCover &cover = m_model.cover;
    cover.show = flag(QStringLiteral("FramwCover"), QStringLiteral("Show"));
    if (!cover.show) {
        release(cover.image);
        return;
    }
    cover.image = image(QStringLiteral("FramwCover"), QStringLiteral("Img"));
    cover.left = num(QStringLiteral("Img"), QStringLiteral("Left"));
    cover.top = num(QStringLiteral("Img"), QStringLiteral("Top"));
}

void LoadPass::readAnalog()
{
    const QString g = QStringLiteral("Analog");
    SkinModel::Analog &a = m_model.analog;
    a.show = flag(g, QStringLiteral("Show"));
    if (!a.show) {
        release(a.dial);
        release(a.centreCap);
        release(a.minute);
        release(a.hour);
        if (a.secShow)
            release(a.second);
        return;
    }
    a.dial = image(g, QStringLiteral("BackIMG"));
    a.centreCap = image(g, QStringLiteral("CenterIMG"));
    a.minute = image(g, QStringLiteral("MinIMG"));
    a.hour = image(g, QStringLiteral("HourIMG"));
    a.secShow = flag(g, QStringLiteral("SecShow"), true);
    if (a.secShow)
        a.second = image(g, QStringLiteral("SecIMG"));
    a.left = num(g, QStringLiteral("Left"));
    a.top = num(g, QStringLiteral("Top"));
}

void LoadPass::readDigital()
{
    const QString g = QStringLiteral("Digital");
    SkinModel::Digital &d = m_model.digital;
    d.show = flag(g, QStringLiteral("Show"));
    if (!d.show) {
        release(d.strip);
        return;
    }
    d.strip = image(g, QStringLiteral("FontIMG"));
    d.secShow = flag(g, QStringLiteral("SecShow"), false);
    d.hourLeft = num(g, QStringLiteral("HourLeft"));
    d.hourTop = num(g, QStringLiteral("HourTop"));
    d.colon0Left = num(g, QStringLiteral("Colon0Left"));
    d.colon0Top = num(g, QStringLiteral("colon0Top"));
    d.minLeft = num(g, QStringLiteral("MinLeft"));
    d.minTop = num(g, QStringLiteral("MinTop"));
    d.colon1Left = num(g, QStringLiteral("Colon1Left"));
    d.colon1Top = num(g, QStringLiteral("colon1Top"));
    d.secLeft = num(g, QStringLiteral("SecLeft"));
    d.secTop = num(g, QStringLiteral("SecTop"));
}

void LoadPass::readWeek()
{
    const QString g = QStringLiteral("Week");
    SkinModel::Week &w = m_model.week;
    w.show = flag(g, QStringLiteral("Show"));
    if (!w.show) {
        release(w.strip);
        return;
    }
    w.strip = image(g, QStringLiteral("ResIMG"));
    w.left = num(g, QStringLiteral("Left"));
    w.top = num(g, QStringLiteral("Top"));
}

void LoadPass::readDate()
{
    const QString g = QStringLiteral("Date");
    SkinModel::Date &d = m_model.date;
    d.show = flag(g, QStringLiteral("Show"));
    if (!d.show) {
        release(d.strip);
        return;
    }
    d.strip = image(g, QStringLiteral("FontIMG"));
    d.yearShow = flag(g, QStringLiteral("YearShow"), false);
    d.yearLeft = num(g, QStringLiteral("YearLeft"));
    d.yearTop = num(g, QStringLiteral("YearTop"));
    d.ymLeft = num(g, QStringLiteral("YMLeft"));
    d.ymTop = num(g, QStringLiteral("YMTop"));
    d.monLeft = num(g, QStringLiteral("MouLeft"));
    d.monTop = num(g, QStringLiteral("MouTop"));
    d.mdLeft = num(g, QStringLiteral("MDLeft"));
    d.mdTop = num(g, QStringLiteral("MDTop"));
    d.dayLeft = num(g, QStringLiteral("DayLeft"));
    d.dayTop = num(g, QStringLiteral("DayTop"));
}

void LoadPass::readLunar()
{
    const QString g = QStringLiteral("Lunar");
    SkinModel::Lunar &l = m_model.lunar;
    l.show = flag(g, QStringLiteral("Show"));
    if (!l.show)
        return;
    l.fontSize = num(g, QStringLiteral("FontSize"));
    l.color = rgb(g, QStringLiteral("FontColor"));
    l.left = num(g, QStringLiteral("Left"));
    l.top = num(g, QStringLiteral("Top"));
}

void LoadPass::readBattery()
{
    const QString g = QStringLiteral("Battery");
    SkinModel::Battery &b = m_model.battery;
    b.show = flag(g, QStringLiteral("Show"));
    if (!b.show) {
        for (QImage &level : b.levels)
            release(level);
        return;
    }
    b.left = num(g, QStringLiteral("Left"));
    b.top = num(g, QStringLiteral("Top"));
    for (int i = 0; i < BatteryImageCount; ++i)
        b.levels[i] = image(g, QStringLiteral("Level%1").arg(i));
}

void LoadPass::readSignal()
{
    const QString g = QStringLiteral("Signal");
    SkinModel::Signal &s = m_model.signal;
    s.show = flag(g, QStringLiteral("Show"));
    if (!s.show) {
        for (QImage &level : s.levels)
            release(level);
        return;
    }
    s.left = num(g, QStringLiteral("Left"));
    s.top = num(g, QStringLiteral("Top"));
    for (int i = 0; i < SignalImageCount; ++i)
        s.levels[i] = image(g, QStringLiteral("Level%1").arg(i));
}

void LoadPass::readNotify()
{
    const QString g = QStringLiteral("Notify");
    SkinModel::Notify &n = m_model.notify;
    n.show = flag(g, QStringLiteral("Show"));
    if (!n.show)
        return;
    n.bold = flag(g, QStringLiteral("Bold"), false);
    n.fontSize = num(g, QStringLiteral("FontSize"));
    n.left = num(g, QStringLiteral("Left"));
    n.top = num(g, QStringLiteral("Top"));
    n.color = QColor::fromRgb(QRgb(rgb(g, QStringLiteral("FontColor"))));
    const CountdownEvent event = SettingsFile::countdownEvent(m_settings);
    n.year = event.year;
    n.month = event.month;
    n.day = event.day;
    n.info = event.info;
}

void LoadPass::readDock()
{
    const QString g = QStringLiteral("DockBar");
    SkinModel::Dock &d = m_model.dock;
    d.show = flag(g, QStringLiteral("Show"));
    if (!d.show) {
        release(d.background);
        for (DockSlot &slot : d.slots)
            release(slot.icon);
        return;
    }
    d.background = image(g, QStringLiteral("BGIMG"));
    d.bgTop = num(g, QStringLiteral("BGTop"));
    d.bgLeft = num(g, QStringLiteral("BGLeft"));
    // The slot tables hold ten entries: a larger Num shows ten, a Num below one none.
    d.num = qBound(0, num(g, QStringLiteral("Num"), 1), DockSlotCount);
    d.infoShow = m_options.readsSlotNames() && flag(g, QStringLiteral("InfoShow"), false);
    for (int i = 0; i < d.num; ++i)
        readSlot(i);
}

void LoadPass::readSlot(int index)
{
    const QString g = QStringLiteral("DockBar");
    DockSlot &slot = m_model.dock.slots[index];
    auto key = [index](const char *pattern) { return SettingsFile::slotKey(QLatin1String(pattern), index); };
    slot.top = num(g, key("Top%1"), 1);
    slot.left = num(g, key("Left%1"), 1);
    slot.sizeHeight = num(g, key("SizeHeight%1"), 1);
    slot.widgetHeight = num(g, key("WidgetHeight%1"), 1);
    slot.sizeWidth = num(g, key("SizeWidth%1"), 1);
    slot.widgetWidth = num(g, key("WidgetWidth%1"), 1);
    slot.icon = slotIcon(index);
    if (!m_options.readsSlotNames() || !m_model.dock.infoShow)
        return;
    slot.nameFontSize = num(g, key("InfoFontSize%1"), 12);
    slot.nameLeft = num(g, key("InfoFontLeft%1"));
    slot.nameTop = num(g, key("InfoFontTop%1"));
    slot.nameColor = QColor::fromRgb(QRgb(rgb(g, key("InfoFontColor%1"))));
    slot.name = m_settings.readEntry(SettingsFile::DockGroup, key("Name%1"), SettingsFile::DefaultSlotName);
}

QImage LoadPass::slotIcon(int index)
{
    const QString fallback = m_dir.isEmpty() ? QString() : m_dir + QStringLiteral("dock.png");
    const QString text = m_settings.readEntry(
        SettingsFile::DockGroup, SettingsFile::slotKey(SettingsFile::IconKey, index), fallback);
    // An absolute path is a file (a phone path, unless it is already under the device root);
    // anything else names a platform icon resource.
    const QString file = text.startsWith(QLatin1Char('/')) ? devicePath(text) : QString();
    if (!file.isEmpty() && QFileInfo(file).isFile())
        return SkinImage::load(file, &m_report.problems, &m_pixelsLeft);
    const RES_ICON_Reader &icons = m_options.iconReader ? *m_options.iconReader : m_ownIcons;
    return SkinImage::prepared(icons.getIcon(text, true));
}

} // namespace

QString SkinLoader::skinRoot()
{
    return devicePath(QStringLiteral("/ezxlocal/Kestrow/skin/"));
}

QString SkinLoader::skinDirectory(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QChar(0)))
        return QString();
    return skinRoot() + name + QLatin1Char('/');
}

SkinLoadOptions SkinLoadOptions::preview(const QString &skinName)
{
    SkinLoadOptions options;
    options.skinName = skinName;
    options.composition = FrameComposition::Preview;
    return options;
}

SkinLoadReport SkinLoader::load(SkinModel &model, const SkinLoadOptions &options)
{
    SkinLoadReport report;
    QString name = options.skinName;
    // The preview shows the skin it was given, never the one in use.
    if (name.isEmpty() && !options.isPreview()) {
        const ZConfig settings(devicePath(SettingsFile::Path));
        name = settings.readEntry(SettingsFile::MainGroup, SettingsFile::SkinKey, SettingsFile::DefaultSkin);
    }
    report.skinDirectory = skinDirectory(name);
    if (report.skinDirectory.isEmpty())
        report.problems.append(
            QStringLiteral("skin name \"%1\" is not a folder name under the skin root").arg(name));
    else if (!QFileInfo::exists(report.skinDirectory + QStringLiteral("skin.cfg")))
        report.problems.append(QStringLiteral("no skin description %1skin.cfg").arg(report.skinDirectory));
    LoadPass(model, options, report, report.skinDirectory).run();
    return report;
}
