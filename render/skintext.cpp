#include "render/skintext.h"

#include "render/skinfonts.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace {

int deviceDpi(const QPaintDevice *device)
{
    return device ? device->logicalDpiY() : -1;
}

// Antialiased glyph edges may reach a little past the font's own measure of them.
constexpr int InkMargin = 2;

} // namespace

void SkinText::draw(QPainter &p, const QPoint &baseline, const QString &text, int pointSize, bool bold)
{
    if (text.isEmpty())
        return;
    if (m_dpi == 0 || deviceDpi(p.device()) != m_dpi || pointSize != m_pointSize || bold != m_bold
        || text != m_text)
        layOut(p.device(), text, pointSize, bold);
    p.setFont(m_font);
    // A layout is placed by its top-left corner; its baseline lies one ascent below that.
    p.drawStaticText(QPointF(baseline.x(), baseline.y() - m_ascent), m_layout);
}

QRect SkinText::bounds(
    const QPaintDevice *device, const QPoint &baseline, const QString &text, int pointSize, bool bold)
{
    if (text.isEmpty())
        return QRect();
    if (m_dpi == 0 || deviceDpi(device) != m_dpi || pointSize != m_pointSize || bold != m_bold
        || text != m_text)
        layOut(device, text, pointSize, bold);
    return m_ink.translated(baseline);
}

void SkinText::layOut(const QPaintDevice *device, const QString &text, int pointSize, bool bold)
{
    m_text = text;
    m_pointSize = pointSize;
    m_bold = bold;
    m_dpi = deviceDpi(device);
    m_font = skinFont(pointSize, bold);
    m_layout.setText(text);
    m_layout.setTextFormat(Qt::PlainText);
    m_layout.setPerformanceHint(QStaticText::AggressiveCaching);
    m_layout.prepare(QTransform(), m_font);
    const QFontMetricsF metrics(m_font, device);
    m_ascent = metrics.ascent();
    // The glyphs' own outlines, and the line box that the layout fills.
    const QRectF line(0, -m_ascent, m_layout.size().width(), m_layout.size().height());
    m_ink = metrics.boundingRect(text).united(line).toAlignedRect().adjusted(
        -InkMargin, -InkMargin, InkMargin, InkMargin);
}
