#include "data/skinimage.h"

#include <QDebug>
#include <QFileInfo>
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

} // namespace

QImage SkinImage::load(const QString &filePath, QStringList *problems)
{
    if (filePath.isEmpty())
        return QImage();
    const QFileInfo info(filePath);
    if (!info.isFile()) {
        note(problems, QStringLiteral("missing image %1").arg(filePath));
        return QImage();
    }
    QImageReader reader(filePath);
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
    QImage image;
    if (!reader.read(&image) || image.width() > MaxSide || image.height() > MaxSide) {
        note(problems, QStringLiteral("unreadable image %1: %2").arg(filePath, reader.errorString()));
        return QImage();
    }
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
