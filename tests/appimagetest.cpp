// The settings application's own images: whichever way a file is decoded, the picture is the one
// the general image reader gives.

#include "setup/appimage.h"

#include <QColorSpace>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

class AppImageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameAsTheImageReader_data();
    void sameAsTheImageReader();
};

void AppImageTest::sameAsTheImageReader_data()
{
    QTest::addColumn<QString>("name");
    const QDir shipped(QStringLiteral(KESTROW_SOURCE_DIR "/setup/files/img"));
    for (const QString &name : shipped.entryList({ QStringLiteral("*.png") }, QDir::Files))
        QTest::newRow(qPrintable(name)) << shipped.filePath(name);
    // Files the direct decoder must leave to the reader.
    QTest::newRow("linear gamma") << QStringLiteral("gamma");
    QTest::newRow("opaque RGB") << QStringLiteral("rgb");
    QTest::newRow("palette") << QStringLiteral("palette");
    QTest::newRow("missing") << QStringLiteral("missing");
}

void AppImageTest::sameAsTheImageReader()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QString path = name;
    if (!name.contains(QLatin1Char('/'))) {
        path = dir.filePath(name + QStringLiteral(".png"));
        QImage picture(7, 5, QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgba(x * 36, y * 50, 200 - x * 20, 40 + y * 50));
        }
        QImageWriter writer(path, "png");
        if (name == QLatin1String("gamma")) {
            picture.setColorSpace(
                QColorSpace(QColorSpace::Primaries::SRgb, QColorSpace::TransferFunction::Linear));
            QVERIFY(writer.write(picture));
        } else if (name == QLatin1String("rgb")) {
            QVERIFY(writer.write(picture.convertToFormat(QImage::Format_RGB32)));
        } else if (name == QLatin1String("palette")) {
            QVERIFY(writer.write(picture.convertToFormat(QImage::Format_Indexed8)));
        }
    }
    // What the windows draw: the picture as a pixmap holds it.
    const QImage expected = QPixmap(path).toImage();
    QCOMPARE(expected.isNull(), name == QLatin1String("missing"));
    QCOMPARE(AppImage::load(path).toImage(), expected);
}

QTEST_MAIN(AppImageTest)
#include "appimagetest.moc"
