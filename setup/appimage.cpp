#include "setup/appimage.h"

#include <QFile>
#include <QImage>

#include <png.h>

namespace {

constexpr int ColourTypeRgba = 6;

// A file libpng gives exactly as the general reader does: 8-bit RGBA, not interlaced, and no
// chunk that asks for colour handling (gamma, primaries, profile).
bool isPlainRgba(const QByteArray &file)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    if (file.size() < 33 || !file.startsWith(QByteArray::fromRawData(signature, 8)))
        return false;
    const auto byte = [&file](qsizetype at) { return uchar(file.at(at)); };
    if (file.mid(12, 4) != "IHDR" || byte(24) != 8 || byte(25) != ColourTypeRgba || byte(28) != 0)
        return false;
    for (qsizetype at = 8; at + 8 <= file.size();) {
        const quint32 length = quint32(byte(at)) << 24 | quint32(byte(at + 1)) << 16
            | quint32(byte(at + 2)) << 8 | quint32(byte(at + 3));
        const QByteArray type = file.mid(at + 4, 4);
        if (type == "IDAT")
            return true;
        if (type == "gAMA" || type == "cHRM" || type == "iCCP" || type == "sRGB")
            return false;
        at += 12 + qsizetype(length);
    }
    return false;
}

QImage decodePlainRgba(const QByteArray &file)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.constData(), size_t(file.size())))
        return QImage();
    image.format = PNG_FORMAT_BGRA; // QImage::Format_ARGB32 in memory on this byte order
    QImage decoded(int(image.width), int(image.height), QImage::Format_ARGB32);
    if (decoded.isNull()
        || !png_image_finish_read(&image, nullptr, decoded.bits(), decoded.bytesPerLine(), nullptr)) {
        png_image_free(&image);
        return QImage();
    }
    return decoded;
}

} // namespace

namespace AppImage {

QPixmap load(const QString &path)
{
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            if (isPlainRgba(bytes)) {
                const QImage image = decodePlainRgba(bytes);
                if (!image.isNull())
                    return QPixmap::fromImage(image);
            }
        }
    }
    return QPixmap(path);
}

} // namespace AppImage
