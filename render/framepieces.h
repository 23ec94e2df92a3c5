#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

class SkinText;

/** Where an image's visible pixels lie: a few rectangles in the image's own coordinates. */
struct PieceAreas {
    static constexpr int Max = 8;
    std::array<QRect, Max> rects {};
    int count = 0;
    /** Their joint box, kept beside them so that a frame need not form it again. */
    QRect box;
};

/**
 * One drawing call of a frame, in the order the frame makes them: a fill, an
 * image or a line of text. Two pieces that
 * compare equal change the same pixels in the same way over the same pixels
 * beneath; `bounds` holds every pixel a piece may change.
 */
struct FramePiece {
    enum class Kind : quint8 { Fill, Image, Text };

    Kind kind = Kind::Image;
    QRect bounds;
    // What is drawn. Images are told apart by their cache key, which changes with every change of
    // their pixels.
    qint64 imageKey = 0;
    QRect source;
    QPoint at;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    // A turned hand: the bands of its image that hold visible pixels (none: all of `bounds` may
    // change). They follow from the image, so comparing its key compares them too.
    PieceAreas areas;
    QString text;
    int pointSize = 0;
    bool bold = false;
    QRgb color = 0;
    // How to draw it again in this frame; never read from a piece of an earlier frame.
    const QImage *image = nullptr;
    SkinText *line = nullptr;

    bool sameDrawing(const FramePiece &other) const;
    /** The pixels it may change, as a few rectangles (a turned hand covers its bands, not its whole box). */
    void addArea(std::vector<QRect> &rects) const;
    /** Draws it onto a painter open on the frame. */
    void draw(QPainter &p) const;
    /** Draws the part of a fill or an image that lands in `part`, a rectangle inside its bounds. */
    void drawPart(QPainter &p, const QRect &part) const;
};

/**
 * The pieces of one frame. Compared with the pieces of the frame before, they
 * tell where the two frames can differ: wherever no piece differs, the same
 * calls were made in the same order over the same pixels.
 */
class FramePieces
{
public:
    void clear() { m_pieces.clear(); }
    void add(FramePiece piece) { m_pieces.push_back(std::move(piece)); }
    const std::vector<FramePiece> &pieces() const { return m_pieces; }

    /**
     * Rectangles inside `frame` that hold every pixel in which a frame of `before` and one of these
     * can differ. Close ones are joined: painting a few more pixels costs less than another pass.
     */
    std::vector<QRect> changedSince(const FramePieces &before, const QRect &frame) const;

private:
    std::vector<FramePiece> m_pieces;
};
