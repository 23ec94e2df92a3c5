#include "tools/kestrow-skingen/outputfolder.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

OutputFolder::OutputFolder(const QString &root)
    : m_root(root)
{ }

void OutputFolder::png(const QString &relativePath, const QImage &image)
{
    if (image.isNull()) {
        m_errors << QStringLiteral("%1: nothing was drawn").arg(relativePath);
        return;
    }
    text(relativePath, pngBytes(image));
}

void OutputFolder::text(const QString &relativePath, const QByteArray &content)
{
    const QString path = m_root + QLatin1Char('/') + relativePath;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        m_errors << QStringLiteral("%1: cannot create its folder").arg(path);
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        m_errors << QStringLiteral("%1: %2").arg(path, file.errorString());
        return;
    }
    m_written << relativePath;
}

QByteArray OutputFolder::pngBytes(const QImage &image)
{
    // Straight (not premultiplied) alpha is what PNG holds; converting here keeps the stored bytes
    // independent of the format an image happened to be painted in.
    QImage stored = image.convertToFormat(QImage::Format_ARGB32);
    stored.setDotsPerMeterX(image.dotsPerMeterX());
    stored.setDotsPerMeterY(image.dotsPerMeterY());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    stored.save(&buffer, "PNG");
    return bytes;
}
