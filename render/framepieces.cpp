#include "render/framepieces.h"

#include "render/skintext.h"

#include <algorithm>

namespace {

// Smooth turning and antialiased edges reach this far past a hand's turned outline.
constexpr int HandMargin = 1;
// A turned hand is covered by this many bands along its length, not by its whole box.
constexpr int HandBands = 8;

} // namespace

bool FramePiece::sameDrawing(const FramePiece &other) const
{
    return kind == other.kind && bounds == other.bounds && imageKey == other.imageKey
        && source == other.source && at == other.at && mode == other.mode && pointSize == other.pointSize
        && bold == other.bold && color == other.color && transform == other.transform && text == other.text;
}

void FramePiece::addArea(std::vector<QRect> &rects) const
{
    if (kind != Kind::Hand) {
        rects.push_back(bounds);
        return;
    }
    // Each band of the hand's rows lands inside its own turned box.
    const int height = source.height();
    for (int band = 0; band < HandBands; ++band) {
        const int top = height * band / HandBands;
        const int bottom = height * (band + 1) / HandBands;
        if (bottom <= top)
            continue;
        const QRectF rows(0, top, source.width(), bottom - top);
        rects.push_back(transform.mapRect(rows).toAlignedRect().adjusted(
            -HandMargin, -HandMargin, HandMargin, HandMargin));
    }
}

void FramePiece::draw(QPainter &p) const
{
    switch (kind) {
    case Kind::Fill:
        p.fillRect(bounds, QColor::fromRgb(color));
        break;
    case Kind::Image:
        p.setCompositionMode(mode);
        if (source.isEmpty())
            p.drawImage(at, *image);
        else
            p.drawImage(at, *image, source);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    case Kind::Hand: {
        const QTransform world = p.worldTransform();
        p.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
        p.setWorldTransform(transform * world);
        p.drawImage(QPoint(0, 0), *image);
        p.setWorldTransform(world);
        p.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing, false);
        break;
    }
    case Kind::Text:
        p.setPen(QPen(QColor::fromRgb(color), 1, Qt::SolidLine));
        line->draw(p, at, text, pointSize, bold);
        break;
    }
}

std::vector<QRect> FramePieces::changedSince(const FramePieces &before) const
{
    const std::vector<FramePiece> &now = m_pieces;
    const std::vector<FramePiece> &then = before.m_pieces;
    std::vector<QRect> rects;
    const std::size_t common = std::min(now.size(), then.size());
    std::size_t i = 0;
    for (; i < common; ++i) {
        if (now[i].sameDrawing(then[i]))
            continue;
        if (now.size() != then.size())
            break;
        now[i].addArea(rects);
        then[i].addArea(rects);
    }
    // A piece came or went: from there on the calls no longer pair up.
    if (now.size() != then.size()) {
        for (std::size_t k = i; k < now.size(); ++k)
            now[k].addArea(rects);
        for (std::size_t k = i; k < then.size(); ++k)
            then[k].addArea(rects);
    }
    return rects;
}
