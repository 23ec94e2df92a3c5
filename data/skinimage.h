#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

/**
 * Reads the images of a skin. Only regular files in the raster formats the
 * phone knows (PNG, JPEG, BMP, GIF) are decoded, and decoding is refused for
 * files whose declared size is absurd or beyond what is left of the load's
 * pixel budget, so that a hostile skin cannot make the plug-in spend seconds
 * or gigabytes; every image comes back in a 32-bit format that frames blit
 * without conversion (RGB32 when opaque, premultiplied ARGB32 otherwise).
 */
class SkinImage
{
public:
    /** Neither side of a decoded image may exceed this. */
    static constexpr int MaxSide = 4096;
    /** Pixels one skin load may decode in all: one image of the largest size. */
    static constexpr qint64 PixelBudget = qint64(MaxSide) * MaxSide;
    /** Image files longer than this are not read. */
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    /**
     * The image at a real file path; a null image when it is missing, unreadable, not a picture
     * the phone knows or too large. Why goes to @p problems when given, else to one warning line.
     * @p pixelsLeft, when given, is the load's budget: the decoded pixels are taken from it.
     */
    static QImage load(
        const QString &filePath, QStringList *problems = nullptr, qint64 *pixelsLeft = nullptr);

    /** Converts to the frame-friendly format. */
    static QImage prepared(const QImage &image);

    /** Scales smoothly to exactly width x height unless it already has that size. */
    static QImage scaledTo(const QImage &image, int width, int height);
};
