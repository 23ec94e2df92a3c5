#include "render/rotatedhand.h"

#include <QPainter>

const QImage &RotatedHand::turned(
    const QImage &hand, double angle, const QTransform &rotation, const QRect &box)
{
    if (m_turned.isNull() || m_handKey != hand.cacheKey() || m_angle != angle
        || m_turned.size() != box.size()) {
        m_turned = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
        m_turned.fill(Qt::transparent);
        QPainter p(&m_turned);
        p.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
        p.setWorldTransform(rotation * QTransform::fromTranslate(-box.x(), -box.y()));
        p.drawImage(QPoint(0, 0), hand);
        m_handKey = hand.cacheKey();
        m_angle = angle;
    }
    return m_turned;
}
