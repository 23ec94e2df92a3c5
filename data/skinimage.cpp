#include "data/skinimage.h"

#include "platform/regularfile.h"

#include <QBuffer>
#include <QDebug>
#include <QImageReader>

namespace {

// The caller's list when it keeps one, else one diagnostic line.
void note(QStringList *problems, const QString &line)
{
    if (problems) {
        problems->append(line);
        return;
    }
    qWarning("skin: %s", qUtf8Printable(line));
}

// The format by the file's first bytes, whatever its name says; empty for any other kind of file.
QByteArray rasterFormat(const QByteArray &bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return QByteArrayLiteral("png");
    if (bytes.startsWith("\xff\xd8\xff"))
        return QByteArrayLiteral("jpeg");
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return QByteArrayLiteral("gif");
    if (bytes.startsWith("BM"))
        return QByteArrayLiteral("bmp");
    return QByteArray();
}

} // namespace

QImage SkinImage::load(const QString &filePath, QStringList *problems, qint64 *pixelsLeft)
{
    if (filePath.isEmpty())
        return QImage();
    QString error;
    bool missing = false;
    const std::optional<QByteArray> bytes = RegularFile::read(filePath, MaxFileSize, &error, &missing);
    if (!bytes) {
        note(problems,
            missing ? QStringLiteral("missing image %1").arg(filePath)
                    : QStringLiteral("unreadable image %1: %2").arg(filePath, error));
        return QImage();
    }
    const QByteArray format = rasterFormat(*bytes);
    if (format.isEmpty()) {
        note(problems,
            QStringLiteral("image %1 is no PNG, JPEG, BMP or GIF picture: not decoded").arg(filePath));
        return QImage();
    }
    QBuffer buffer;
    buffer.setData(*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize declared = reader.size();
    if (declared.width() > MaxSide || declared.height() > MaxSide) {
        const QString line = QStringLiteral("image %1 declares %2 x %3 pixels, more than %4: not decoded")
                                 .arg(filePath)
                                 .arg(declared.width())
                                 .arg(declared.height())
                                 .arg(MaxSide);
        note(problems, line);
        return QImage();
    }
    // A size the header does not tell is charged as the largest an image may have.
    const qint64 cost = declared.isValid() ? qint64(declared.width()) * declared.height() : PixelBudget;
    if (pixelsLeft && cost > *pixelsLeft) {
        note(problems,
            QStringLiteral("image %1 (%2 pixels) is over what is left of the skin's %3 pixels: not decoded")
                .arg(filePath)
                .arg(cost)
                .arg(PixelBudget));
        return QImage();
    }
    QImage image;
    if (!reader.read(&image) || image.width() > MaxSide || image.height() > MaxSide) {
        note(problems, QStringLiteral("unreadable image %1: %2").arg(filePath, reader.errorString()));
        return QImage();
    }
    if (pixelsLeft)
        *pixelsLeft -= qint64(image.width()) * image.height();
    return prepared(image);
}

QImage SkinImage::prepared(const QImage &image)
{
    if (image.isNull())
        return image;
    const QImage::Format format
        = image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() == format)
        return image;
    return image.convertToFormat(format);
}

QImage SkinImage::scaledTo(const QImage &image, int width, int height)
{
    if (image.isNull() || (image.width() == width && image.height() == height))
        return image;
    return prepared(image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
