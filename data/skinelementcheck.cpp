#include "data/skinelementcheck.h"

#include "data/configlines.h"
#include "data/skinimage.h"
#include "data/skinschema.h"
#include "platform/phonescreen.h"
#include "platform/zconfig.h"

#include <QFileInfo>
#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace {

using Severity = SkinFinding::Severity;
using SkinSchema::ImageUse;

const QRect Frame(0, 0, PhoneScreen::Width, SkinSchema::FrameMaxRows);

// Whether a box of frame pixels misses the frame; in 64 bits, so that no position can overflow.
bool outside(qint64 left, qint64 top, qint64 width, qint64 height)
{
    return left >= Frame.width() || top >= Frame.height() || left + width <= 0 || top + height <= 0;
}

QString sizeText(const QSize &size)
{
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

} // namespace

SkinElementCheck::SkinElementCheck(
    const QString &folder, const ZConfig &cfg, const ConfigLines &lines, Report report)
    : m_folder(folder)
    , m_cfg(cfg)
    , m_lines(lines)
    , m_report(std::move(report))
    , m_pixelsLeft(SkinImage::PixelBudget)
{ }

void SkinElementCheck::run()
{
    centre();
    cover();
    analog();
    digital();
    week();
    date();
    text(QStringLiteral("Lunar"), QStringLiteral("the lunar date"));
    gauge(QStringLiteral("Battery"), 4);
    gauge(QStringLiteral("Signal"), 6);
    text(QStringLiteral("Notify"), QStringLiteral("the countdown"));
    dock();
}

bool SkinElementCheck::shown(const QString &group, const QString &key, bool def) const
{
    return m_cfg.readBoolEntry(group, key, def);
}

int SkinElementCheck::number(const QString &group, const QString &key, int def) const
{
    return m_cfg.readNumEntry(group, key, def);
}

int SkinElementCheck::line(const QString &group, const QString &key) const
{
    const int at = m_lines.keyLine(group, key);
    return at > 0 ? at : m_lines.groupLine(group);
}

QSize SkinElementCheck::image(const QString &group, const QString &key, bool needed)
{
    const int at = line(group, key);
    const QString name = m_cfg.readEntry(group, key, QString());
    if (name.isEmpty()) {
        if (needed)
            m_report(at, Severity::Warning,
                QStringLiteral("[%1] %2 names no image: nothing is drawn").arg(group, key));
        return QSize();
    }
    const QString path = m_folder + QLatin1Char('/') + name;
    if (!QFileInfo(path).isFile()) {
        m_report(at, Severity::Error, QStringLiteral("image \"%1\" is missing").arg(name));
        return QSize();
    }
    QStringList problems;
    const QImage loaded = SkinImage::load(path, &problems, &m_pixelsLeft);
    if (loaded.isNull()) {
        QString why
            = problems.isEmpty() ? QStringLiteral("image %1 cannot be read").arg(path) : problems.join(u"; ");
        why.replace(path, QLatin1Char('"') + name + QLatin1Char('"'));
        m_report(at, Severity::Error, why);
        return QSize();
    }
    const SkinSchema::Key *entry = SkinSchema::find(group, key);
    const ImageUse use = entry ? entry->image : ImageUse::Plain;
    const QSize size = loaded.size();
    const auto strip = [&](int cells, const QString &kind) {
        if (size.height() < cells)
            m_report(at, Severity::Error,
                QStringLiteral("%1 \"%2\" is %3 pixels high, too few for %4 cells: nothing is drawn")
                    .arg(kind, name)
                    .arg(size.height())
                    .arg(cells));
        else if (size.height() % cells != 0)
            m_report(at, Severity::Warning,
                QStringLiteral(
                    "%1 \"%2\" is %3 pixels high, not a multiple of %4: its cells are not where they "
                    "were drawn")
                    .arg(kind, name)
                    .arg(size.height())
                    .arg(cells));
    };
    const QSize screen(PhoneScreen::Width, PhoneScreen::Height);
    switch (use) {
    case ImageUse::DigitStrip:
        strip(SkinSchema::DigitCells, QStringLiteral("digit strip"));
        break;
    case ImageUse::WeekStrip:
        strip(SkinSchema::WeekCells, QStringLiteral("week-day strip"));
        break;
    case ImageUse::Screen:
        if (size != screen)
            m_report(at, Severity::Warning,
                QStringLiteral(
                    "background \"%1\" is %2 pixels, not %3: it is drawn unscaled from the top left")
                    .arg(name, sizeText(size), sizeText(screen)));
        break;
    case ImageUse::Gauge:
    case ImageUse::Dock:
        if (size.width() > screen.width() || size.height() > screen.height())
            m_report(at, Severity::Warning,
                QStringLiteral("image \"%1\" is %2 pixels, larger than the %3 screen")
                    .arg(name, sizeText(size), sizeText(screen)));
        break;
    case ImageUse::None:
    case ImageUse::Plain:
        break;
    }
    return size;
}

void SkinElementCheck::placed(const QString &group, const QString &leftKey, const QString &topKey,
    const QSize &size, const QString &what)
{
    if (!size.isValid() || size.isEmpty())
        return;
    const QPoint at(number(group, leftKey), number(group, topKey));
    if (!outside(at.x(), at.y(), size.width(), size.height()))
        return;
    const int keyLine
        = m_lines.keyLine(group, leftKey) > 0 ? m_lines.keyLine(group, leftKey) : line(group, topKey);
    m_report(keyLine, Severity::Warning,
        QStringLiteral("%1 at (%2, %3) is wholly outside the frame (%4 at most)")
            .arg(what)
            .arg(at.x())
            .arg(at.y())
            .arg(sizeText(Frame.size())));
}

void SkinElementCheck::centre()
{
    image(QStringLiteral("Background"), QStringLiteral("MidIMG"), false);
}

void SkinElementCheck::cover()
{
    if (!shown(QStringLiteral("FramwCover")))
        return;
    const QSize size = image(QStringLiteral("FramwCover"), QStringLiteral("Img"));
    placed(QStringLiteral("Img"), QStringLiteral("Left"), QStringLiteral("Top"), size,
        QStringLiteral("the frame cover"));
}

void SkinElementCheck::analog()
{
    const QString g = QStringLiteral("Analog");
    if (!shown(g))
        return;
    const QSize dial = image(g, QStringLiteral("BackIMG"));
    image(g, QStringLiteral("CenterIMG"), false);
    image(g, QStringLiteral("MinIMG"));
    image(g, QStringLiteral("HourIMG"));
    if (shown(g, QStringLiteral("SecShow"), true))
        image(g, QStringLiteral("SecIMG"));
    placed(g, QStringLiteral("Left"), QStringLiteral("Top"), dial, QStringLiteral("the dial"));
}

void SkinElementCheck::digital()
{
    const QString g = QStringLiteral("Digital");
    if (!shown(g))
        return;
    const QSize strip = image(g, QStringLiteral("FontIMG"));
    if (!strip.isValid())
        return;
    const QSize one(strip.width(), strip.height() / SkinSchema::DigitCells);
    const QSize two(2 * one.width(), one.height());
    placed(g, QStringLiteral("HourLeft"), QStringLiteral("HourTop"), two, QStringLiteral("the hours"));
    placed(
        g, QStringLiteral("Colon0Left"), QStringLiteral("colon0Top"), one, QStringLiteral("the first colon"));
    placed(g, QStringLiteral("MinLeft"), QStringLiteral("MinTop"), two, QStringLiteral("the minutes"));
    if (!shown(g, QStringLiteral("SecShow")))
        return;
    placed(g, QStringLiteral("Colon1Left"), QStringLiteral("colon1Top"), one,
        QStringLiteral("the second colon"));
    placed(g, QStringLiteral("SecLeft"), QStringLiteral("SecTop"), two, QStringLiteral("the seconds"));
}

void SkinElementCheck::week()
{
    const QString g = QStringLiteral("Week");
    if (!shown(g))
        return;
    const QSize strip = image(g, QStringLiteral("ResIMG"));
    if (strip.isValid())
        placed(g, QStringLiteral("Left"), QStringLiteral("Top"),
            QSize(strip.width(), strip.height() / SkinSchema::WeekCells), QStringLiteral("the week day"));
}

void SkinElementCheck::date()
{
    const QString g = QStringLiteral("Date");
    if (!shown(g))
        return;
    const QSize strip = image(g, QStringLiteral("FontIMG"));
    if (!strip.isValid())
        return;
    const int w = strip.width();
    const int h = strip.height() / SkinSchema::DigitCells;
    if (shown(g, QStringLiteral("YearShow"))) {
        placed(g, QStringLiteral("YearLeft"), QStringLiteral("YearTop"), QSize(4 * w, h),
            QStringLiteral("the year"));
        placed(g, QStringLiteral("YMLeft"), QStringLiteral("YMTop"), QSize(w, h),
            QStringLiteral("the separator after the year"));
    }
    placed(
        g, QStringLiteral("MouLeft"), QStringLiteral("MouTop"), QSize(2 * w, h), QStringLiteral("the month"));
    placed(g, QStringLiteral("MDLeft"), QStringLiteral("MDTop"), QSize(w, h),
        QStringLiteral("the separator after the month"));
    placed(
        g, QStringLiteral("DayLeft"), QStringLiteral("DayTop"), QSize(2 * w, h), QStringLiteral("the day"));
}

void SkinElementCheck::text(const QString &group, const QString &what)
{
    if (!shown(group))
        return;
    // (Left, Top) is the left end of the baseline; the glyphs stand above it, their width unknown here.
    const int size = number(group, QStringLiteral("FontSize"));
    const int points = size > 0 ? std::min(size, SkinSchema::MaxFontSize) : 12;
    const int left = number(group, QStringLiteral("Left"));
    const int top = number(group, QStringLiteral("Top"));
    if (!outside(left, qint64(top) - 2 * points, PhoneScreen::Width, 3 * points))
        return;
    const QString l = QStringLiteral("Left");
    m_report(m_lines.keyLine(group, l) > 0 ? m_lines.keyLine(group, l) : line(group, QStringLiteral("Top")),
        Severity::Warning,
        QStringLiteral("%1 at (%2, %3) is wholly outside the frame (%4 at most)")
            .arg(what)
            .arg(left)
            .arg(top)
            .arg(sizeText(Frame.size())));
}

void SkinElementCheck::gauge(const QString &group, int levels)
{
    if (!shown(group))
        return;
    QSize first;
    for (int level = 0; level < levels; ++level) {
        const QSize size = image(group, QStringLiteral("Level%1").arg(level));
        if (!first.isValid())
            first = size;
    }
    placed(group, QStringLiteral("Left"), QStringLiteral("Top"), first,
        QStringLiteral("the %1 gauge").arg(group.toLower()));
}

void SkinElementCheck::dock()
{
    const QString g = QStringLiteral("DockBar");
    if (!shown(g))
        return;
    const QSize background = image(g, QStringLiteral("BGIMG"), false);
    placed(g, QStringLiteral("BGLeft"), QStringLiteral("BGTop"), background,
        QStringLiteral("the dock background"));
    const int num = number(g, QStringLiteral("Num"), 1);
    const int numLine = line(g, QStringLiteral("Num"));
    if (num > SkinSchema::SlotCount)
        m_report(numLine, Severity::Warning,
            QStringLiteral("Num %1: the dock has %2 slots, and %2 are shown")
                .arg(num)
                .arg(SkinSchema::SlotCount));
    else if (num < 0)
        m_report(numLine, Severity::Warning, QStringLiteral("Num %1: no slot is shown").arg(num));
    for (int index = 0; index < std::clamp(num, 0, SkinSchema::SlotCount); ++index)
        slot(index);
}

void SkinElementCheck::slot(int index)
{
    const QString g = QStringLiteral("DockBar");
    QStringList missing;
    for (const char *pattern :
        { "Top%1", "Left%1", "SizeHeight%1", "WidgetHeight%1", "SizeWidth%1", "WidgetWidth%1" }) {
        const QString key = QString::fromLatin1(pattern).arg(index);
        if (m_lines.keyLine(g, key) == 0)
            missing.append(key);
    }
    if (!missing.isEmpty()) {
        m_report(line(g, QStringLiteral("Num")), Severity::Warning,
            QStringLiteral("slot %1 is in use but has no %2: read as 1")
                .arg(index)
                .arg(missing.join(QStringLiteral(", "))));
    }
    const auto side = [&](const char *normal, const char *focused) {
        const qint64 a = std::abs(qint64(number(g, QString::fromLatin1(normal).arg(index), 1)));
        const qint64 b = std::abs(qint64(number(g, QString::fromLatin1(focused).arg(index), 1)));
        return std::max({ a, b, qint64(1) });
    };
    const qint64 width = side("SizeWidth%1", "WidgetWidth%1");
    const qint64 height = side("SizeHeight%1", "WidgetHeight%1");
    const int left = number(g, QStringLiteral("Left%1").arg(index), 1);
    const int top = number(g, QStringLiteral("Top%1").arg(index), 1);
    if (!outside(left, top, width, height))
        return;
    m_report(line(g, QStringLiteral("Left%1").arg(index)), Severity::Warning,
        QStringLiteral("slot %1 at (%2, %3) is wholly outside the frame (%4 at most)")
            .arg(index)
            .arg(left)
            .arg(top)
            .arg(sizeText(Frame.size())));
}
