#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

/**
 * Reads the images of a skin. Decoding is refused for files whose declared
 * size is absurd, so that a hostile skin cannot make the plug-in allocate
 * without bound; every image comes back in a 32-bit format that frames blit
 * without conversion (RGB32 when opaque, premultiplied ARGB32 otherwise).
 */
class SkinImage
{
public:
    /** Neither side of a decoded image may exceed this. */
    static constexpr int MaxSide = 4096;

    /**
     * The image at a real file path; a null image when it is missing, unreadable or too large.
     * Why goes to @p problems when given, else to one warning line.
     */
    static QImage load(const QString &filePath, QStringList *problems = nullptr);

    /** Converts to the frame-friendly format. */
    static QImage prepared(const QImage &image);

    /** Scales smoothly to exactly width x height unless it already has that size. */
    static QImage scaledTo(const QImage &image, int width, int height);
};
