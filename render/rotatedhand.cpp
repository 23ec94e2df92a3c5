#include "render/rotatedhand.h"

#include <QPainter>

#include <algorithm>

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
        p.end();
        m_handKey = hand.cacheKey();
        m_angle = angle;
        findAreas();
    }
    return m_turned;
}

void RotatedHand::findAreas()
{
    // Any pixel that is not all zero may change the frame beneath it; the rest cannot.
    const int width = m_turned.width();
    std::vector<QRect> rows;
    for (int y = 0; y < m_turned.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(m_turned.constScanLine(y));
        const auto *end = line + width;
        const auto *first = std::find_if(line, end, [](QRgb px) { return px != 0; });
        if (first == end)
            continue;
        const auto *last
            = std::find_if(std::reverse_iterator(end), std::reverse_iterator(first + 1), [](QRgb px) {
                  return px != 0;
              }).base();
        rows.emplace_back(int(first - line), y, int(last - first), 1);
    }
    // The visible rows in a few bands of equal count, each band the box of its rows.
    m_areas = PieceAreas();
    const std::size_t count = rows.size();
    for (std::size_t band = 0; band < std::size_t(PieceAreas::Max); ++band) {
        QRect area;
        for (std::size_t i = count * band / PieceAreas::Max; i < count * (band + 1) / PieceAreas::Max; ++i)
            area |= rows[i];
        if (area.isEmpty())
            continue;
        m_areas.rects[std::size_t(m_areas.count++)] = area;
        m_areas.box |= area;
    }
}
