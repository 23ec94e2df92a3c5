#include "render/skintext.h"

#include "render/skinfonts.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace {

int deviceDpi(const QPainter &p)
{
    return p.device() ? p.device()->logicalDpiY() : -1;
}

} // namespace

void SkinText::draw(QPainter &p, const QPoint &baseline, const QString &text, int pointSize, bool bold)
{
    if (text.isEmpty())
        return;
    if (m_dpi == 0 || deviceDpi(p) != m_dpi || pointSize != m_pointSize || bold != m_bold || text != m_text)
        layOut(p, text, pointSize, bold);
    p.setFont(m_font);
    // A layout is placed by its top-left corner; its baseline lies one ascent below that.
    p.drawStaticText(QPointF(baseline.x(), baseline.y() - m_ascent), m_layout);
}

void SkinText::layOut(const QPainter &p, const QString &text, int pointSize, bool bold)
{
    m_text = text;
    m_pointSize = pointSize;
    m_bold = bold;
    m_dpi = deviceDpi(p);
    m_font = skinFont(pointSize, bold);
    m_layout.setText(text);
    m_layout.setTextFormat(Qt::PlainText);
    m_layout.setPerformanceHint(QStaticText::AggressiveCaching);
    m_layout.prepare(QTransform(), m_font);
    m_ascent = QFontMetricsF(m_font, p.device()).ascent();
}
