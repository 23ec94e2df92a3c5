#include "render/scaledicon.h"

#include <QPainter>

const QImage &ScaledIcon::scaled(const QImage &icon, const QSize &size)
{
    if (m_scaled.isNull() || m_scaled.size() != size || m_iconKey != icon.cacheKey()) {
        m_scaled = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_scaled.fill(Qt::transparent);
        QPainter p(&m_scaled);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(QPoint(0, 0), size), icon);
        m_iconKey = icon.cacheKey();
    }
    return m_scaled;
}
