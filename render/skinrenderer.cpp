#include "render/skinrenderer.h"

#include "platform/phonescreen.h"
#include "platform/utilstatus.h"
#include "render/glyphstrip.h"
#include "render/lunartext.h"
#include "render/skinfonts.h"

#include <QDate>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

constexpr int FrameWidth = PhoneScreen::Width;
constexpr int ScreenHeight = PhoneScreen::Height;
// The plug-in's area starts below the status bar; its frame shows the background from there.
constexpr int AreaTop = PhoneScreen::StatusBarHeight;
constexpr int ShiftedRowsBase = 220;
constexpr int MaxLevel = 5;
const QColor ShadowColor(128, 128, 128);

/** The gauge reading rule: a level that differs from the last one is read again and the second reading kept.
 */
int readLevel(int &last, const std::function<int()> &source)
{
    const int first = std::clamp(source(), 0, MaxLevel);
    if (first != last)
        last = std::clamp(source(), 0, MaxLevel);
    return last;
}

/** Where drawing `source` of `image` at `at` lands; the painter leaves out what lies outside the image. */
QRect drawnArea(const QPoint &at, const QImage &image, const QRect &source)
{
    const QRect from = source.isEmpty() ? image.rect() : source;
    const QRect inside = from.intersected(image.rect());
    return QRect(at + (inside.topLeft() - from.topLeft()), inside.size());
}

int dateKey(const ClockReading &t)
{
    return (t.year * 16 + t.month) * 32 + t.day;
}

/** The size a skin asks an icon to be drawn at, as scaling the icon by the skin's factors gives it. */
QSize scaledIconSize(const QSize &icon, int width, int height)
{
    // Factors in single precision, then applied in double precision.
    const float sx = std::fabs(float(width) / float(icon.width()));
    const float sy = std::fabs(float(height) / float(icon.height()));
    return QSize(qRound(double(sx) * icon.width()), qRound(double(sy) * icon.height()));
}

} // namespace

SkinRenderer::SkinRenderer(const SkinModel &model, FrameComposition composition)
    : m_model(model)
    , m_composition(composition)
{
    installSkinFontSubstitution();
}

void SkinRenderer::forgetLevels()
{
    m_lastBattery = -1;
    m_lastSignal = -1;
}

void SkinRenderer::setComposition(FrameComposition composition)
{
    m_composition = composition;
}

void SkinRenderer::setClock(const FrameClock *clock)
{
    m_clock = clock;
}

void SkinRenderer::setBatterySource(std::function<int()> source)
{
    m_batterySource = std::move(source);
}

void SkinRenderer::setSignalSource(std::function<int()> source)
{
    m_signalSource = std::move(source);
}

void SkinRenderer::setNotifyFormatTranslator(std::function<QString(const QString &)> translator)
{
    m_translate = std::move(translator);
    m_notifyDateKey = -1;
}

ClockReading SkinRenderer::now() const
{
    // A frame reads the clock once, so that its list of pieces and its pixels show one moment.
    if (m_frameTime)
        return *m_frameTime;
    return (m_clock ? *m_clock : FrameClock::system()).now();
}

int SkinRenderer::defaultLineHeight() const
{
    // The line height of a painter's default font on the frame; recomputed only when the font changes.
    const QFont font = QGuiApplication::font();
    if (m_lineHeight < 0 || !(font == m_lineFont)) {
        const QImage device(1, 1, QImage::Format_RGB32);
        m_lineFont = font;
        m_lineHeight = QFontMetrics(font, &device).height();
    }
    return m_lineHeight;
}

int SkinRenderer::pluginFrameHeight() const
{
    return PhoneScreen::pluginAreaHeight(m_model.paddingSum, defaultLineHeight());
}

bool SkinRenderer::prepareFrame(int height)
{
    // Kept from frame to frame; a new one is painted whole.
    if (m_frame.width() == FrameWidth && m_frame.height() == height)
        return false;
    m_frame = QImage(FrameWidth, height, QImage::Format_RGB32);
    return true;
}

const QImage &SkinRenderer::paintFrame()
{
    const bool fresh
        = prepareFrame(m_composition == FrameComposition::Plugin ? pluginFrameHeight() : ScreenHeight);
    m_frameTime = now();
    std::swap(m_pieces, m_lastPieces);
    m_pieces.clear();
    m_listing = true;
    if (m_composition == FrameComposition::Plugin)
        composePlugin();
    else
        composePreview();
    m_listing = false;
    repaintChanged(fresh);
    m_frameTime.reset();
    return m_frame;
}

void SkinRenderer::repaintChanged(bool fresh)
{
    const std::vector<FramePiece> &pieces = m_pieces.pieces();
    if (fresh || m_repaint == FrameRepaint::Whole) {
        m_changed = QRegion(m_frame.rect());
        QPainter p(&m_frame);
        for (const FramePiece &piece : pieces)
            piece.draw(p);
        return;
    }
    m_changed = QRegion();
    const std::vector<QRect> rects = m_pieces.changedSince(m_lastPieces, m_frame.rect());
    if (rects.empty())
        return;
    QPainter p(&m_frame);
    // Each rectangle gets every layer, in order. Where two overlap, the second pass paints the
    // same pixels again from the first layer, which covers them whole.
    for (const QRect &rect : rects) {
        m_changed += rect;
        for (const FramePiece &piece : pieces) {
            const QRect part = rect.intersected(piece.bounds);
            if (part.isEmpty())
                continue;
            if (piece.kind != FramePiece::Kind::Text) {
                piece.drawPart(p, part);
                continue;
            }
            p.setClipRect(part);
            piece.draw(p);
            p.setClipping(false);
        }
    }
}

void SkinRenderer::placeImage(
    QPainter &p, const QPoint &at, const QImage &image, const QRect &source, QPainter::CompositionMode mode)
{
    if (image.isNull())
        return;
    FramePiece piece;
    piece.kind = FramePiece::Kind::Image;
    piece.at = at;
    piece.image = &image;
    piece.imageKey = image.cacheKey();
    piece.source = source;
    piece.mode = mode;
    if (!m_listing) {
        piece.draw(p);
        return;
    }
    piece.bounds = drawnArea(at, image, source);
    if (!piece.bounds.isEmpty())
        m_pieces.add(std::move(piece));
}

void SkinRenderer::placeText(QPainter &p, SkinText &line, const QPoint &baseline, const QString &text,
    int pointSize, bool bold, const QColor &color)
{
    FramePiece piece;
    piece.kind = FramePiece::Kind::Text;
    piece.at = baseline;
    piece.line = &line;
    piece.text = text;
    piece.pointSize = pointSize;
    piece.bold = bold;
    piece.color = color.rgb();
    if (!m_listing) {
        piece.draw(p);
        return;
    }
    piece.bounds = line.bounds(&m_frame, baseline, text, pointSize, bold);
    if (!piece.bounds.isEmpty())
        m_pieces.add(std::move(piece));
}

void SkinRenderer::placeCell(QPainter &p, int x, int y, const QImage &strip, const QRect &cell)
{
    if (strip.isNull() || cell.height() <= 0)
        return;
    placeImage(p, QPoint(x, y), strip, cell);
}

void SkinRenderer::composePlugin()
{
    const int height = m_frame.height();
    const QImage &bg = m_model.background;
    const bool opaque = !bg.isNull() && !bg.hasAlphaChannel();
    QPainter p;
    addUncoveredBlack(height);

    // The area's own rows first, then rows 25.. of the background shifted to the top; the rows
    // below the shifted part keep the unshifted background.
    const long wanted = long(ShiftedRowsBase) - m_model.paddingSum - defaultLineHeight();
    const int shifted
        = int(std::clamp(std::min<long>(wanted, std::min(bg.height() - AreaTop, height)), 0L, long(height)));
    // Where the background is opaque, the shifted copy hides the rows beneath it: skip them.
    const int keptFrom = opaque ? shifted : 0;
    if (!bg.isNull()) {
        const auto mode = opaque ? QPainter::CompositionMode_Source : QPainter::CompositionMode_SourceOver;
        if (keptFrom < height)
            placeImage(p, QPoint(0, keptFrom), bg, QRect(0, keptFrom, bg.width(), height - keptFrom), mode);
        if (shifted > 0)
            placeImage(p, QPoint(0, 0), bg, QRect(0, AreaTop, bg.width(), shifted), mode);
    }

    drawCenter(p);
    if (m_model.battery.show)
        drawBattery(p);
    if (m_model.signal.show)
        drawSignal(p);
    if (m_model.digital.show)
        drawDigital(p);
    if (m_model.date.show)
        drawDate(p);
    if (m_model.week.show)
        drawWeek(p);
    if (m_model.analog.show)
        drawAnalog(p);
    if (m_model.dock.show)
        drawDockBar(p);
    if (m_model.notify.show)
        drawNotify(p);
    if (m_model.lunar.show)
        drawLunar(p);
    if (m_model.cover.show)
        drawFrameCover(p);
}

// Columns or rows that the background leaves uncovered show black.
void SkinRenderer::addUncoveredBlack(int height)
{
    const QImage &bg = m_model.background;
    if (!bg.isNull() && !bg.hasAlphaChannel() && bg.width() >= FrameWidth && bg.height() >= height)
        return;
    FramePiece black;
    black.kind = FramePiece::Kind::Fill;
    black.bounds = m_frame.rect();
    black.color = qRgb(0, 0, 0);
    m_pieces.add(std::move(black));
}

void SkinRenderer::composePreview()
{
    const QImage &bg = m_model.background;
    const bool opaque = !bg.isNull() && !bg.hasAlphaChannel();
    QPainter p;
    addUncoveredBlack(ScreenHeight);
    placeImage(p, QPoint(0, 0), bg, QRect(),
        opaque ? QPainter::CompositionMode_Source : QPainter::CompositionMode_SourceOver);

    drawCenter(p);
    if (m_model.analog.show)
        drawAnalog(p);
    if (m_model.digital.show)
        drawDigital(p);
    if (m_model.date.show)
        drawDate(p);
    if (m_model.lunar.show)
        drawLunar(p);
    if (m_model.week.show)
        drawWeek(p);
    if (m_model.battery.show)
        drawBattery(p);
    if (m_model.signal.show)
        drawSignal(p);
    if (m_model.notify.show)
        drawNotify(p);
    if (m_model.dock.show)
        drawDockBar(p);
}

void SkinRenderer::drawCenter(QPainter &p)
{
    placeImage(p, QPoint(0, 0), m_model.centre);
}

void SkinRenderer::drawBattery(QPainter &p)
{
    const SkinModel::Battery &b = m_model.battery;
    const int level = readLevel(m_lastBattery, m_batterySource ? m_batterySource : UTIL_GetBatteryLevel);
    // Four images for six levels: 0-1, 2-3, 4, 5.
    const int index = level <= 2 ? level / 2 : level - 2;
    placeImage(p, QPoint(b.left, b.top), b.levels[std::size_t(index)]);
}

void SkinRenderer::drawSignal(QPainter &p)
{
    const SkinModel::Signal &s = m_model.signal;
    const int level = readLevel(m_lastSignal, m_signalSource ? m_signalSource : UTIL_GetSignalQuality);
    placeImage(p, QPoint(s.left, s.top), s.levels[std::size_t(level)]);
}

void SkinRenderer::drawFrameCover(QPainter &p)
{
    const SkinModel::FrameCover &c = m_model.cover;
    placeImage(p, QPoint(c.left, c.top), c.image);
}

void SkinRenderer::drawDigits(QPainter &p, const QImage &strip, int value, int digits, int left, int top)
{
    // Leading zeros included; each digit one strip width right of the one before.
    int divisor = 1;
    for (int i = 1; i < digits; ++i)
        divisor *= 10;
    for (int i = 0; i < digits; ++i, divisor /= 10)
        placeCell(p, left + i * strip.width(), top, strip, GlyphStrip::cell(strip, (value / divisor) % 10));
}

void SkinRenderer::drawDigital(QPainter &p)
{
    const SkinModel::Digital &d = m_model.digital;
    const ClockReading t = now();
    drawDigits(p, d.strip, t.hour, 2, d.hourLeft, d.hourTop);
    placeCell(p, d.colon0Left, d.colon0Top, d.strip, GlyphStrip::cell(d.strip, GlyphStrip::SeparatorCell));
    drawDigits(p, d.strip, t.minute, 2, d.minLeft, d.minTop);
    if (d.secShow) {
        placeCell(
            p, d.colon1Left, d.colon1Top, d.strip, GlyphStrip::cell(d.strip, GlyphStrip::SeparatorCell));
        drawDigits(p, d.strip, t.second, 2, d.secLeft, d.secTop);
    }
}

void SkinRenderer::drawHand(QPainter &p, const QImage &hand, double angle, RotatedHand &kept)
{
    if (hand.isNull())
        return;
    const SkinModel::Analog &a = m_model.analog;
    // The rotated hand occupies the box that rotating the image would produce; that box is
    // centred on the dial, truncating, and the rotation is mapped into it.
    const QTransform rotation = QImage::trueMatrix(QTransform().rotate(angle), hand.width(), hand.height());
    const QRect box = rotation.mapRect(QRectF(hand.rect())).toAlignedRect();
    const int x = a.left + (a.dial.width() - box.width()) / 2;
    const int y = a.top + (a.dial.height() - box.height()) / 2;
    const QImage &turned = kept.turned(hand, angle, rotation, box);
    if (!m_listing) {
        p.drawImage(QPoint(x, y), turned);
        return;
    }
    FramePiece piece;
    piece.at = QPoint(x, y);
    piece.image = &turned;
    piece.imageKey = turned.cacheKey();
    piece.areas = kept.areas();
    // A hand that turned out all transparent changes nothing.
    piece.bounds = piece.areas.box.translated(piece.at);
    if (!piece.bounds.isEmpty())
        m_pieces.add(std::move(piece));
}

void SkinRenderer::drawAnalog(QPainter &p)
{
    const SkinModel::Analog &a = m_model.analog;
    placeImage(p, QPoint(a.left, a.top), a.dial);
    const ClockReading t = now();
    // A quarter degree per minute; the hour term is formed in single precision.
    const float hourTerm = float(t.hour % 12) * 30.0f;
    // The hour and minute hands turn once a minute: their turned images are kept. The second
    // hand is kept at each of its sixty places, so that a tick only copies it.
    drawHand(p, a.hour, double(hourTerm) + (t.minute % 60) * 0.25, m_hourHand);
    drawHand(p, a.minute, (t.minute % 60) * 6.0, m_minuteHand);
    if (a.secShow)
        drawHand(p, a.second, (t.second % 60) * 6.0, m_secondHands[std::size_t(t.second % 60)]);
}

void SkinRenderer::drawDate(QPainter &p)
{
    const SkinModel::Date &d = m_model.date;
    const ClockReading t = now();
    if (d.yearShow) {
        drawDigits(p, d.strip, t.year, 4, d.yearLeft, d.yearTop);
        placeCell(p, d.ymLeft, d.ymTop, d.strip, GlyphStrip::cell(d.strip, GlyphStrip::SeparatorCell));
    }
    drawDigits(p, d.strip, t.month, 2, d.monLeft, d.monTop);
    placeCell(p, d.mdLeft, d.mdTop, d.strip, GlyphStrip::cell(d.strip, GlyphStrip::SeparatorCell));
    drawDigits(p, d.strip, t.day, 2, d.dayLeft, d.dayTop);
}

void SkinRenderer::drawWeek(QPainter &p)
{
    const SkinModel::Week &w = m_model.week;
    placeCell(p, w.left, w.top, w.strip, GlyphStrip::weekCell(w.strip, std::clamp(now().weekDay, 0, 6)));
}

void SkinRenderer::drawLunar(QPainter &p)
{
    const ClockReading t = now();
    const int key = dateKey(t);
    if (key != m_lunarDateKey) {
        tagDate date { t.day, t.month, t.year };
        m_lunarText.clear();
        m_lunar.GetDayOf(date, m_lunarText);
        m_lunarDateKey = key;
    }
    const SkinModel::Lunar &l = m_model.lunar;
    placeText(p, m_lunarLine, QPoint(l.left, l.top), m_lunarText, l.fontSize, false, lunarTextColor(l));
}

QString SkinRenderer::notifyText() const
{
    const SkinModel::Notify &n = m_model.notify;
    const ClockReading t = now();
    const QDate today(t.year, t.month, t.day);
    // A stored date that is no real date has no count to show.
    // Out-of-range parts become 0, which no date has.
    const auto part = [](unsigned value, unsigned limit) { return value > limit ? 0 : int(value); };
    const QDate event(part(n.year, 9999), part(n.month, 12), part(n.day, 31));
    if (!today.isValid() || !event.isValid())
        return QString();
    const qint64 days = today.daysTo(event);
    QString format = days >= 0 ? QStringLiteral("距离 %1 还有 %2天") : QStringLiteral("距离 %1 已过 %2天");
    if (m_translate)
        format = m_translate(format);
    // One pass, so that a "%2" inside the event's name stays as it is.
    return format.arg(n.info, QString::number(days >= 0 ? days : -days));
}

void SkinRenderer::drawShadowedText(QPainter &p, SkinText &line, const QPoint &at, const QString &text,
    int pointSize, bool bold, const QColor &color)
{
    placeText(p, line, at + QPoint(1, 1), text, pointSize, bold, ShadowColor);
    placeText(p, line, at, text, pointSize, bold, color);
}

void SkinRenderer::drawNotify(QPainter &p)
{
    const SkinModel::Notify &n = m_model.notify;
    drawShadowedText(p, m_notifyLine, QPoint(n.left, n.top), todaysNotifyText(), n.fontSize, n.bold, n.color);
}

const QString &SkinRenderer::todaysNotifyText()
{
    const SkinModel::Notify &n = m_model.notify;
    const int today = dateKey(now());
    const std::array<unsigned, 3> event { n.year, n.month, n.day };
    if (today != m_notifyDateKey || event != m_notifyEvent || n.info != m_notifyInfo) {
        m_notifyText = notifyText();
        m_notifyDateKey = today;
        m_notifyEvent = event;
        m_notifyInfo = n.info;
    }
    return m_notifyText;
}

void SkinRenderer::drawDockBar(QPainter &p)
{
    const SkinModel::Dock &d = m_model.dock;
    placeImage(p, QPoint(d.bgLeft, d.bgTop), d.background);
    const int count = std::min(d.num, DockSlotCount);
    if (count < 1)
        return;
    // The preview has no dock focus, so it never shows a larger icon or a name.
    const int focus = m_composition == FrameComposition::Preview ? -1 : m_focusIndex;
    const QPaintDevice *device = m_listing ? &m_frame : p.device();
    const QSize limit = device ? QSize(device->width(), device->height()) : QSize(FrameWidth, ScreenHeight);
    for (int i = 0; i < count; ++i) {
        const DockSlot &slot = d.slots[std::size_t(i)];
        if (slot.icon.width() <= 0 || slot.icon.height() <= 0)
            continue; // an icon that did not load has no size to scale from
        const bool focused = i == focus;
        const QSize size = scaledIconSize(slot.icon.size(), focused ? slot.widgetWidth : slot.sizeWidth,
            focused ? slot.widgetHeight : slot.sizeHeight)
                               .boundedTo(limit);
        if (!size.isEmpty())
            placeImage(p, QPoint(slot.left, slot.top), m_dockIcons[std::size_t(i)].scaled(slot.icon, size));
        if (focused && d.infoShow) {
            drawShadowedText(p, m_nameLine, QPoint(slot.nameLeft, slot.nameTop), slot.name, slot.nameFontSize,
                false, slot.nameColor);
        }
    }
}
