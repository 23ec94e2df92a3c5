#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSize>

class QPainter;

/** Small painting helpers shared by every image of the shipped skins. */
namespace Drawing {
/** A transparent canvas of the given size, premultiplied ARGB, at a fixed 96 dpi. */
QImage canvas(int width, int height);
/** Turns on antialiasing for shapes, text and scaled images. */
void smooth(QPainter &p);
/** Blurs an image in place with three box passes of the given radius (a close, integer-only Gaussian). */
void blur(QImage &image, int radius);
/** The path filled in a colour, offset and blurred: a soft drop shadow or glow layer of the given size. */
QImage shadowLayer(
    QSize size, const QPainterPath &path, const QColor &color, int radius, QPointF offset = QPointF(0, 0));
/** Darkens the top @p height rows of a full-screen image, fading out downwards, behind the status bar. */
void topShade(QPainter &p, int height);
/**
 * A rounded panel of dark glass: a night-blue fill from @p topAlpha to @p bottomAlpha down the
 * rectangle, with a faint white border of @p borderAlpha.
 */
void glass(QPainter &p, const QRectF &rect, qreal radius, int topAlpha, int bottomAlpha, int borderAlpha);
/** A rounded square path with continuous corners, as used for icon tiles. */
QPainterPath squircle(const QRectF &rect, qreal radius);
} // namespace Drawing
