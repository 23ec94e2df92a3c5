#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

/**
 * The folder the generator writes into. Files are replaced whole; every
 * failure is remembered as one line so that the run can report them all.
 */
class OutputFolder
{
public:
    explicit OutputFolder(const QString &root);

    /** Writes the image as PNG at a path relative to the folder, creating sub-folders. */
    void png(const QString &relativePath, const QImage &image);
    void text(const QString &relativePath, const QByteArray &content);

    QStringList written() const { return m_written; }
    QStringList errors() const { return m_errors; }

    /** The PNG bytes of an image exactly as png() stores them. */
    static QByteArray pngBytes(const QImage &image);

private:
    QString m_root;
    QStringList m_written;
    QStringList m_errors;
};
