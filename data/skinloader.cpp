#include "data/skinloader.h"

#include "data/platformdisplay.h"
#include "data/settingsfile.h"
#include "data/skinimage.h"
#include "data/skinnames.h"
#include "platform/devicepath.h"
#include "platform/phonepaths.h"
#include "platform/phonescreen.h"
#include "platform/resiconreader.h"
#include "platform/zconfig.h"

#include <QFileInfo>

#include <algorithm>

namespace {

/** One load: the four files it opens and what it found wrong. */
class LoadPass
{
public:
    LoadPass(SkinModel &model, const SkinLoadOptions &options, SkinLoadReport &report, const QString &skinDir,
        const ZConfig &settings)
        : m_model(model)
        , m_options(options)
        , m_report(report)
        , m_dir(skinDir)
        , m_settings(settings)
        , m_skin(skinDir.isEmpty() ? QString() : skinDir + QStringLiteral("skin.cfg"))
    { }

    void run();

private:
    QImage image(const QString &group, const QString &key);
    // Bounded here, once, so that painting can add image sizes to any of them.
    int num(const QString &group, const QString &key, int def = 0) const
    {
        return std::clamp(m_skin.readNumEntry(group, key, def), -SkinNumberLimit, SkinNumberLimit);
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
    const ZConfig &m_settings;
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
    if (!isInsideDeviceRoot(m_dir + name)) {
        m_report.problems.append(
            QStringLiteral("image %1 of [%2] %3 lies above the device root: not read").arg(name, group, key));
        return QImage();
    }
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
    m_model.centre = image(SkinNames::Background::Group, SkinNames::Background::MidIMG);
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
    m_model.skinName = m_skin.readEntry(SkinNames::General::Group, SkinNames::General::SkinName, QString());
    m_model.author = m_skin.readEntry(SkinNames::General::Group, SkinNames::General::Author, QString());
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
        m_model.background = image(SkinNames::Background::Group, SkinNames::Background::MidIMG);
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
    cover.show = flag(SkinNames::FrameCover::Group, SkinNames::Show);
    if (!cover.show) {
        release(cover.image);
        return;
    }
    cover.image = image(SkinNames::FrameCover::Group, SkinNames::FrameCover::Img);
    cover.left = num(SkinNames::FrameCover::PlaceGroup, SkinNames::Left);
    cover.top = num(SkinNames::FrameCover::PlaceGroup, SkinNames::Top);
}

void LoadPass::readAnalog()
{
    const QString g = SkinNames::Analog::Group;
    SkinModel::Analog &a = m_model.analog;
    a.show = flag(g, SkinNames::Show);
    if (!a.show) {
        release(a.dial);
        release(a.centreCap);
        release(a.minute);
        release(a.hour);
        if (a.secShow)
            release(a.second);
        return;
    }
    a.dial = image(g, SkinNames::Analog::BackIMG);
    a.centreCap = image(g, SkinNames::Analog::CenterIMG);
    a.minute = image(g, SkinNames::Analog::MinIMG);
    a.hour = image(g, SkinNames::Analog::HourIMG);
    a.secShow = flag(g, SkinNames::Analog::SecShow, true);
    if (a.secShow)
        a.second = image(g, SkinNames::Analog::SecIMG);
    a.left = num(g, SkinNames::Left);
    a.top = num(g, SkinNames::Top);
}

void LoadPass::readDigital()
{
    const QString g = SkinNames::Digital::Group;
    SkinModel::Digital &d = m_model.digital;
    d.show = flag(g, SkinNames::Show);
    if (!d.show) {
        release(d.strip);
        return;
    }
    d.strip = image(g, SkinNames::Digital::FontIMG);
    d.secShow = flag(g, SkinNames::Digital::SecShow, false);
    d.hourLeft = num(g, SkinNames::Digital::HourLeft);
    d.hourTop = num(g, SkinNames::Digital::HourTop);
    d.colon0Left = num(g, SkinNames::Digital::Colon0Left);
    d.colon0Top = num(g, SkinNames::Digital::Colon0Top);
    d.minLeft = num(g, SkinNames::Digital::MinLeft);
    d.minTop = num(g, SkinNames::Digital::MinTop);
    d.colon1Left = num(g, SkinNames::Digital::Colon1Left);
    d.colon1Top = num(g, SkinNames::Digital::Colon1Top);
    d.secLeft = num(g, SkinNames::Digital::SecLeft);
    d.secTop = num(g, SkinNames::Digital::SecTop);
}

void LoadPass::readWeek()
{
    const QString g = SkinNames::Week::Group;
    SkinModel::Week &w = m_model.week;
    w.show = flag(g, SkinNames::Show);
    if (!w.show) {
        release(w.strip);
        return;
    }
    w.strip = image(g, SkinNames::Week::ResIMG);
    w.left = num(g, SkinNames::Left);
    w.top = num(g, SkinNames::Top);
}

void LoadPass::readDate()
{
    const QString g = SkinNames::Date::Group;
    SkinModel::Date &d = m_model.date;
    d.show = flag(g, SkinNames::Show);
    if (!d.show) {
        release(d.strip);
        return;
    }
    d.strip = image(g, SkinNames::Date::FontIMG);
    d.yearShow = flag(g, SkinNames::Date::YearShow, false);
    d.yearLeft = num(g, SkinNames::Date::YearLeft);
    d.yearTop = num(g, SkinNames::Date::YearTop);
    d.ymLeft = num(g, SkinNames::Date::YMLeft);
    d.ymTop = num(g, SkinNames::Date::YMTop);
    d.monLeft = num(g, SkinNames::Date::MonLeft);
    d.monTop = num(g, SkinNames::Date::MonTop);
    d.mdLeft = num(g, SkinNames::Date::MDLeft);
    d.mdTop = num(g, SkinNames::Date::MDTop);
    d.dayLeft = num(g, SkinNames::Date::DayLeft);
    d.dayTop = num(g, SkinNames::Date::DayTop);
}

void LoadPass::readLunar()
{
    const QString g = SkinNames::Lunar::Group;
    SkinModel::Lunar &l = m_model.lunar;
    l.show = flag(g, SkinNames::Show);
    if (!l.show)
        return;
    l.fontSize = num(g, SkinNames::FontSize);
    l.color = rgb(g, SkinNames::FontColor);
    l.left = num(g, SkinNames::Left);
    l.top = num(g, SkinNames::Top);
}

void LoadPass::readBattery()
{
    const QString g = SkinNames::Battery::Group;
    SkinModel::Battery &b = m_model.battery;
    b.show = flag(g, SkinNames::Show);
    if (!b.show) {
        for (QImage &level : b.levels)
            release(level);
        return;
    }
    b.left = num(g, SkinNames::Left);
    b.top = num(g, SkinNames::Top);
    for (int i = 0; i < BatteryImageCount; ++i)
        b.levels[i] = image(g, SettingsFile::slotKey(SkinNames::Level, i));
}

void LoadPass::readSignal()
{
    const QString g = SkinNames::Signal::Group;
    SkinModel::Signal &s = m_model.signal;
    s.show = flag(g, SkinNames::Show);
    if (!s.show) {
        for (QImage &level : s.levels)
            release(level);
        return;
    }
    s.left = num(g, SkinNames::Left);
    s.top = num(g, SkinNames::Top);
    for (int i = 0; i < SignalImageCount; ++i)
        s.levels[i] = image(g, SettingsFile::slotKey(SkinNames::Level, i));
}

void LoadPass::readNotify()
{
    const QString g = SkinNames::Notify::Group;
    SkinModel::Notify &n = m_model.notify;
    n.show = flag(g, SkinNames::Show);
    if (!n.show)
        return;
    n.bold = flag(g, SkinNames::Notify::Bold, false);
    n.fontSize = num(g, SkinNames::FontSize);
    n.left = num(g, SkinNames::Left);
    n.top = num(g, SkinNames::Top);
    n.color = QColor::fromRgb(QRgb(rgb(g, SkinNames::FontColor)));
    const CountdownEvent event = SettingsFile::countdownEvent(m_settings);
    n.year = event.year;
    n.month = event.month;
    n.day = event.day;
    n.info = event.info;
}

void LoadPass::readDock()
{
    const QString g = SkinNames::DockBar::Group;
    SkinModel::Dock &d = m_model.dock;
    d.show = flag(g, SkinNames::Show);
    if (!d.show) {
        release(d.background);
        for (DockSlot &slot : d.slots)
            release(slot.icon);
        return;
    }
    d.background = image(g, SkinNames::DockBar::BGIMG);
    d.bgTop = num(g, SkinNames::DockBar::BGTop);
    d.bgLeft = num(g, SkinNames::DockBar::BGLeft);
    // The slot tables hold ten entries: a larger Num shows ten, a Num below one none.
    d.num = qBound(0, num(g, SkinNames::DockBar::Num, 1), DockSlotCount);
    d.infoShow = m_options.readsSlotNames() && flag(g, SkinNames::DockBar::InfoShow, false);
    for (int i = 0; i < d.num; ++i)
        readSlot(i);
}

void LoadPass::readSlot(int index)
{
    const QString g = SkinNames::DockBar::Group;
    DockSlot &slot = m_model.dock.slots[index];
    auto key = [index](QLatin1StringView pattern) { return SettingsFile::slotKey(pattern, index); };
    slot.top = num(g, key(SkinNames::DockBar::SlotTop), 1);
    slot.left = num(g, key(SkinNames::DockBar::SlotLeft), 1);
    slot.sizeHeight = num(g, key(SkinNames::DockBar::SizeHeight), 1);
    slot.widgetHeight = num(g, key(SkinNames::DockBar::WidgetHeight), 1);
    slot.sizeWidth = num(g, key(SkinNames::DockBar::SizeWidth), 1);
    slot.widgetWidth = num(g, key(SkinNames::DockBar::WidgetWidth), 1);
    slot.icon = slotIcon(index);
    if (!m_options.readsSlotNames() || !m_model.dock.infoShow)
        return;
    slot.nameFontSize = num(g, key(SkinNames::DockBar::InfoFontSize), 12);
    slot.nameLeft = num(g, key(SkinNames::DockBar::InfoFontLeft));
    slot.nameTop = num(g, key(SkinNames::DockBar::InfoFontTop));
    slot.nameColor = QColor::fromRgb(QRgb(rgb(g, key(SkinNames::DockBar::InfoFontColor))));
    slot.name = m_settings.readEntry(
        SettingsFile::DockGroup, key(SettingsFile::NameKey), SettingsFile::DefaultSlotName);
}

QImage LoadPass::slotIcon(int index)
{
    const QString fallback = m_dir.isEmpty() ? QString() : m_dir + QStringLiteral("dock.png");
    const QString text = m_settings.readEntry(
        SettingsFile::DockGroup, SettingsFile::slotKey(SettingsFile::IconKey, index), fallback);
    // A file of that path is the icon, whatever the path's form: the home screen runs in the phone's
    // root folder, so a relative path is taken from there. Anything else names a platform icon resource.
    const QString file
        = text.isEmpty() ? QString() : devicePath(text.startsWith(QLatin1Char('/')) ? text : u'/' + text);
    if (!file.isEmpty() && QFileInfo(file).isFile())
        return SkinImage::load(file, &m_report.problems, &m_pixelsLeft);
    const RES_ICON_Reader &icons = m_options.iconReader ? *m_options.iconReader : m_ownIcons;
    return SkinImage::prepared(icons.getIcon(text, true));
}

} // namespace

QString SkinLoader::skinRoot()
{
    return devicePath(PhonePaths::SkinFolder);
}

QString SkinLoader::skinDirectory(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QChar(0)))
        return QString();
    return skinRoot() + name + QLatin1Char('/');
}

QString SkinLoader::refusedName(const QString &name)
{
    return QStringLiteral("skin name \"%1\" is not a folder name under the skin root").arg(name);
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
    // Read once per load, so that what is wrong with the file is said once.
    const ZConfig settings(devicePath(SettingsFile::Path));
    // The preview shows the skin it was given, never the one in use.
    if (name.isEmpty() && !options.isPreview())
        name = settings.readEntry(SettingsFile::MainGroup, SettingsFile::SkinKey, SettingsFile::DefaultSkin);
    report.skinDirectory = skinDirectory(name);
    if (report.skinDirectory.isEmpty())
        report.problems.append(refusedName(name));
    else if (!QFileInfo::exists(report.skinDirectory + QStringLiteral("skin.cfg")))
        report.problems.append(QStringLiteral("no skin description %1skin.cfg").arg(report.skinDirectory));
    LoadPass(model, options, report, report.skinDirectory, settings).run();
    return report;
}
