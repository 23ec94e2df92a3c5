#include "render/framepieces.h"

#include "render/skintext.h"

#include <algorithm>

namespace {

// Two changed rectangles are painted as one when that adds at most this many pixels: each pass
// over a rectangle costs about as much as blending that many pixels in every layer.
constexpr long JoinSlack = 1000;

long area(const QRect &r)
{
    return long(r.width()) * long(r.height());
}

/** Joins rectangles whose joint box is hardly larger than both; they may still overlap. */
void join(std::vector<QRect> &rects)
{
    for (std::size_t i = 0; i < rects.size();) {
        bool joined = false;
        for (std::size_t j = i + 1; j < rects.size(); ++j) {
            const QRect both = rects[i] | rects[j];
            if (area(both) <= area(rects[i]) + area(rects[j]) + JoinSlack) {
                rects[i] = both;
                rects.erase(rects.begin() + std::ptrdiff_t(j));
                joined = true;
                break;
            }
        }
        // A grown rectangle may now join one that it passed over before.
        i = joined ? 0 : i + 1;
    }
}

} // namespace

bool FramePiece::sameDrawing(const FramePiece &other) const
{
    return kind == other.kind && bounds == other.bounds && imageKey == other.imageKey
        && source == other.source && at == other.at && mode == other.mode && pointSize == other.pointSize
        && bold == other.bold && color == other.color && text == other.text;
}

void FramePiece::addArea(std::vector<QRect> &rects) const
{
    if (areas.count == 0) {
        rects.push_back(bounds);
        return;
    }
    for (int i = 0; i < areas.count; ++i)
        rects.push_back(areas.rects[std::size_t(i)].translated(at));
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
    case Kind::Text:
        p.setPen(QPen(QColor::fromRgb(color), 1, Qt::SolidLine));
        line->draw(p, at, text, pointSize, bold);
        break;
    }
}

void FramePiece::drawPart(QPainter &p, const QRect &part) const
{
    if (kind == Kind::Fill) {
        p.fillRect(part, QColor::fromRgb(color));
        return;
    }
    // The frame pixel at `at` shows the image pixel at the source's top-left.
    const QPoint from = source.isEmpty() ? QPoint(0, 0) : source.topLeft();
    p.setCompositionMode(mode);
    p.drawImage(part.topLeft(), *image, part.translated(from - at));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

std::vector<QRect> FramePieces::changedSince(const FramePieces &before, const QRect &frame) const
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
    for (QRect &rect : rects)
        rect &= frame;
    rects.erase(
        std::remove_if(rects.begin(), rects.end(), [](const QRect &r) { return r.isEmpty(); }), rects.end());
    join(rects);
    return rects;
}
