#pragma once

// Small synthetic skin images for the renderer's tests: solid colours, and
// strips whose every row has its own colour, so that a frame pixel tells
// which image and which source row was drawn there.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRgb>

inline QImage solidImage(int width, int height, QRgb color, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(QColor::fromRgba(color));
    return image;
}

/** Row r has red = r % 256, green = r / 256, blue = the given tag. */
inline QImage rowCodedImage(int width, int height, int blueTag = 200)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const QRgb color = qRgb(y % 256, y / 256, blueTag);
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = color;
    }
    return image;
}

/** The source row that a row-coded pixel came from, or -1 for a pixel of another tag. */
inline int codedRow(QRgb pixel, int blueTag = 200)
{
    if (qBlue(pixel) != blueTag)
        return -1;
    return qRed(pixel) + 256 * qGreen(pixel);
}

/** A black canvas of the frame's width, and a painter on it. */
inline QImage blackCanvas(int width = 240, int height = 320)
{
    return solidImage(width, height, qRgb(0, 0, 0));
}

/** The number of pixels in a rectangle whose colour satisfies a test. */
template<typename Predicate> int countPixels(const QImage &image, const QRect &area, Predicate predicate)
{
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += predicate(image.pixel(x, y)) ? 1 : 0;
    return count;
}

/** The bounding box of the pixels whose colour satisfies a test (null when none does). */
template<typename Predicate> QRect boundsOf(const QImage &image, Predicate predicate)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (predicate(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}
