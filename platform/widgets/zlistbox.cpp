#include "platform/widgets/zlistbox.h"

#include "platform/phonescreen.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zlook.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>

namespace {

/** Icons are shown at most this high and wide. */
constexpr int MaxIconSide = 40;
/** Marquee: pixels moved per tick, ticks to rest at either end, milliseconds per tick. */
constexpr int MarqueeStepPixels = 2;
constexpr int MarqueeRestTicks = 12;
constexpr int MarqueeTickMs = 80;

QSize shownIconSize(const QPixmap &pixmap)
{
    if (pixmap.isNull())
        return {};
    return pixmap.size().boundedTo(QSize(MaxIconSide, MaxIconSide)) == pixmap.size()
        ? pixmap.size()
        : pixmap.size().scaled(MaxIconSide, MaxIconSide, Qt::KeepAspectRatio);
}

bool isIconColumn(const QString &layout, int column)
{
    int seen = 0;
    for (qsizetype i = 0; i + 1 < layout.size(); ++i) {
        if (layout.at(i) != QLatin1Char('%'))
            continue;
        if (seen++ == column)
            return layout.at(i + 1) == QLatin1Char('I');
        ++i;
    }
    return false;
}

int columnCount(const QString &layout)
{
    return std::max<int>(1, int(layout.count(QLatin1Char('%'))));
}

} // namespace

ZListBox::ZListBox(const QString &itemLayout, QWidget *parent, int flags, int classId)
    : QWidget(parent)
    , m_layout(itemLayout.isEmpty() ? QStringLiteral("%M") : itemLayout)
{
    Q_UNUSED(flags);
    Q_UNUSED(classId);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFont(ZLook::textFont());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ZListBox::~ZListBox() = default;

void ZListBox::setItemLayout(const QString &itemLayout)
{
    m_layout = itemLayout.isEmpty() ? QStringLiteral("%M") : itemLayout;
    update();
}

void ZListBox::insertItem(ZListBoxItem *item, int index)
{
    insertItem(std::unique_ptr<ZListBoxItem>(item), index);
}

ZListBoxItem *ZListBox::insertItem(std::unique_ptr<ZListBoxItem> item, int index)
{
    if (!item)
        return nullptr;
    ZListBoxItem *row = item.get();
    row->m_listBox = this;
    row->m_inserted = true;
    const int at = index < 0 || index > count() ? count() : index;
    m_items.insert(m_items.begin() + at, std::move(item));
    if (m_current < 0) {
        setCurrentItem(0);
    } else if (at <= m_current) {
        ++m_current;
    }
    updateGeometry();
    update();
    return row;
}

ZListBoxItem *ZListBox::item(int index) const
{
    return index >= 0 && index < count() ? m_items[std::size_t(index)].get() : nullptr;
}

void ZListBox::clear()
{
    m_items.clear();
    m_current = -1;
    m_offset = 0;
    m_pressedRow = -1;
    m_marqueeTimer.stop();
    updateGeometry();
    update();
}

void ZListBox::setCurrentItem(int index)
{
    if (index < 0 || index >= count() || index == m_current)
        return;
    m_current = index;
    ensureCurrentVisible();
    restartMarquee();
    update();
    Q_EMIT highlighted(index);
}

void ZListBox::sort(bool ascending)
{
    const ZListBoxItem *current = item(m_current);
    std::stable_sort(m_items.begin(), m_items.end(), [ascending](const auto &a, const auto &b) {
        const int order = QString::localeAwareCompare(a->sortText(), b->sortText());
        return ascending ? order < 0 : order > 0;
    });
    for (int i = 0; i < count(); ++i) {
        if (m_items[std::size_t(i)].get() == current)
            m_current = i;
    }
    ensureCurrentVisible();
    update();
}

void ZListBox::enableMarquee(int region, bool on)
{
    if (on)
        m_marqueeRegions.insert(region);
    else
        m_marqueeRegions.remove(region);
    restartMarquee();
}

void ZListBox::itemChanged()
{
    updateGeometry();
    restartMarquee();
    update();
}

ZListBox::Geometry ZListBox::geometry() const
{
    Geometry result;
    const int columns = columnCount(m_layout);
    for (int column = 0; column < columns; ++column) {
        if (!isIconColumn(m_layout, column)) {
            ++result.textColumns;
            continue;
        }
        ++result.iconColumns;
        int widest = ZLook::IconColumnWidth - 2 * ZLook::Margin;
        for (const auto &row : m_items)
            widest = std::max(widest, shownIconSize(row->pixmap(column)).width());
        result.iconWidth = std::max(result.iconWidth, widest + 2 * ZLook::Margin);
    }
    const int left = width() - result.iconColumns * result.iconWidth - ZLook::Margin;
    result.textWidth = result.textColumns > 0 ? std::max(0, left / result.textColumns - ZLook::Margin) : 0;
    return result;
}

int ZListBox::rowHeight(const ZListBoxItem &item) const
{
    const int columns = columnCount(m_layout);
    int lines = 1;
    int icon = 0;
    for (int column = 0; column < columns; ++column) {
        if (isIconColumn(m_layout, column))
            icon = std::max(icon, shownIconSize(item.pixmap(column)).height());
        else
            lines = std::max(lines, item.subItemCount(column));
    }
    const int text
        = QFontMetrics(ZLook::textFont()).height() + (lines - 1) * QFontMetrics(ZLook::smallFont()).height();
    return std::max(text, icon) + 2 * ZLook::Margin + 1;
}

int ZListBox::rowTop(int index) const
{
    int top = 0;
    for (int i = 0; i < index && i < count(); ++i)
        top += rowHeight(*m_items[std::size_t(i)]);
    return top;
}

int ZListBox::contentHeight() const
{
    return rowTop(count());
}

int ZListBox::rowAt(int y) const
{
    int top = -m_offset;
    for (int i = 0; i < count(); ++i) {
        const int height = rowHeight(*m_items[std::size_t(i)]);
        if (y >= top && y < top + height)
            return i;
        top += height;
    }
    return -1;
}

void ZListBox::scrollTo(int offset)
{
    const int limit = std::max(0, contentHeight() - height());
    m_offset = std::clamp(offset, 0, limit);
    update();
}

void ZListBox::ensureCurrentVisible()
{
    if (m_current < 0)
        return;
    const int top = rowTop(m_current);
    const int bottom = top + rowHeight(*m_items[std::size_t(m_current)]);
    if (top < m_offset)
        scrollTo(top);
    else if (bottom > m_offset + height())
        scrollTo(bottom - height());
}

QSize ZListBox::sizeHint() const
{
    const int rows
        = count() > 0 ? contentHeight() : QFontMetrics(ZLook::textFont()).height() + 2 * ZLook::Margin;
    return { PhoneScreen::Width, std::min(rows, PhoneScreen::Height) };
}

QSize ZListBox::minimumSizeHint() const
{
    return { 0, QFontMetrics(ZLook::textFont()).height() + 2 * ZLook::Margin };
}

void ZListBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), ZLook::background());
    const Geometry layout = geometry();
    int top = -m_offset;
    for (int i = 0; i < count() && top < height(); ++i) {
        const ZListBoxItem &row = *m_items[std::size_t(i)];
        const int rowSpan = rowHeight(row);
        if (top + rowSpan > 0)
            paintRow(painter, row, top, i == m_current, layout);
        top += rowSpan;
    }
    const int content = contentHeight();
    if (content > height()) {
        // A thin bar on the right tells how far down the list the view is.
        const int barHeight = std::max(12, height() * height() / content);
        const int barTop = (height() - barHeight) * m_offset / std::max(1, content - height());
        painter.fillRect(QRect(width() - 3, barTop, 3, barHeight), ZLook::secondaryText());
    }
}

void ZListBox::paintRow(
    QPainter &painter, const ZListBoxItem &item, int top, bool current, const Geometry &layout)
{
    const int rowSpan = rowHeight(item);
    const QRect rowRect(0, top, width(), rowSpan - 1);
    painter.fillRect(rowRect, current ? ZLook::highlight() : ZLook::background());
    painter.fillRect(QRect(0, top + rowSpan - 1, width(), 1), ZLook::separator());

    const QFont first = ZLook::textFont();
    const QFont other = ZLook::smallFont();
    int x = 0;
    const int columns = columnCount(m_layout);
    for (int column = 0; column < columns; ++column) {
        if (isIconColumn(m_layout, column)) {
            const QPixmap pixmap = item.pixmap(column);
            const QSize size = shownIconSize(pixmap);
            if (!size.isEmpty()) {
                const QRect target(x + (layout.iconWidth - size.width()) / 2,
                    top + (rowSpan - 1 - size.height()) / 2, size.width(), size.height());
                painter.drawPixmap(target, pixmap);
            }
            x += layout.iconWidth;
            continue;
        }
        x += ZLook::Margin;
        // The lines sit in the middle of the row, beside the middle of its icon.
        const int lines = item.subItemCount(column);
        const int block
            = lines > 0 ? QFontMetrics(first).height() + (lines - 1) * QFontMetrics(other).height() : 0;
        int y = top + (rowSpan - 1 - block) / 2;
        for (int line = 0; line < item.subItemCount(column); ++line) {
            painter.setFont(line == 0 ? first : other);
            const QFontMetrics metrics(painter.font());
            painter.setPen(current ? ZLook::highlightText()
                    : line == 0    ? ZLook::text()
                                   : ZLook::secondaryText());
            const QRect textRect(x, y, layout.textWidth, metrics.height());
            const QString text = item.subItem(column, line);
            const int overflow = metrics.horizontalAdvance(text) - textRect.width();
            // Resting at its start, a scrolling line shows elided like the others.
            const int shift = current && overflow > 0 && m_marqueeRegions.contains(line)
                ? std::clamp((m_marqueeStep - MarqueeRestTicks) * MarqueeStepPixels, 0, overflow)
                : 0;
            if (shift > 0) {
                painter.save();
                painter.setClipRect(textRect);
                painter.drawText(textRect.translated(-shift, 0).adjusted(0, 0, shift, 0),
                    Qt::AlignLeft | Qt::AlignVCenter, text);
                painter.restore();
            } else {
                painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                    metrics.elidedText(text, Qt::ElideRight, textRect.width()));
            }
            y += metrics.height();
        }
        x += layout.textWidth;
    }
}

int ZListBox::marqueeOverflow() const
{
    const ZListBoxItem *row = item(m_current);
    if (!row || m_marqueeRegions.isEmpty())
        return 0;
    const Geometry layout = geometry();
    int overflow = 0;
    const int columns = columnCount(m_layout);
    for (int column = 0; column < columns; ++column) {
        if (isIconColumn(m_layout, column))
            continue;
        for (int line = 0; line < row->subItemCount(column); ++line) {
            if (!m_marqueeRegions.contains(line))
                continue;
            const QFontMetrics metrics(line == 0 ? ZLook::textFont() : ZLook::smallFont());
            overflow = std::max(
                overflow, metrics.horizontalAdvance(row->subItem(column, line)) - layout.textWidth);
        }
    }
    return overflow;
}

void ZListBox::restartMarquee()
{
    m_marqueeStep = 0;
    if (isVisible() && marqueeOverflow() > 0)
        m_marqueeTimer.start(MarqueeTickMs, this);
    else
        m_marqueeTimer.stop();
}

void ZListBox::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_marqueeTimer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    const int overflow = marqueeOverflow();
    if (overflow <= 0) {
        m_marqueeTimer.stop();
        return;
    }
    // Rest at the start, move to the end, rest there, start again.
    const int ticks = MarqueeRestTicks * 2 + (overflow + MarqueeStepPixels - 1) / MarqueeStepPixels;
    m_marqueeStep = (m_marqueeStep + 1) % ticks;
    update();
}

void ZListBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        setCurrentItem(m_current - 1);
        break;
    case Qt::Key_Down:
        setCurrentItem(m_current + 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_current >= 0)
            Q_EMIT selected(m_current);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ZListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressedRow = rowAt(event->position().toPoint().y());
    setCurrentItem(m_pressedRow);
}

void ZListBox::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = m_pressedRow;
    m_pressedRow = -1;
    if (event->button() == Qt::LeftButton && pressed >= 0
        && rowAt(event->position().toPoint().y()) == pressed)
        Q_EMIT selected(pressed);
}

void ZListBox::wheelEvent(QWheelEvent *event)
{
    const int lines = event->angleDelta().y() / 120;
    scrollTo(m_offset - lines * 3 * QFontMetrics(ZLook::textFont()).height());
    event->accept();
}

void ZListBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    scrollTo(m_offset);
    ensureCurrentVisible();
    restartMarquee();
}

void ZListBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    restartMarquee();
}

void ZListBox::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Nothing scrolls where nobody sees it.
    m_marqueeTimer.stop();
}
