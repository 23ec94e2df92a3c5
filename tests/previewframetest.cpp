// One skin painted the home screen's way and the preview's way: every element lands on the same
// pixels, apart from what the preview leaves out (the frame cover, the dock focus, the slot names)
// and the plug-in frame's own height.

#include "data/skinloader.h"
#include "previewfixture.h"
#include "render/fixedclock.h"
#include "render/skinrenderer.h"
#include "testsupport.h"

#include <QtTest>

namespace {

const ClockReading Moment { 2024, 3, 1, 10, 8, 37, 5 };

struct Painted {
    QImage frame;
    SkinLoadReport report;
};

Painted paint(const SkinLoadOptions &options, int focus)
{
    SkinModel model;
    Painted painted;
    painted.report = SkinLoader::load(model, options);
    SkinRenderer renderer(model, options.composition);
    renderer.setFocusIndex(focus);
    const FixedClock clock(Moment);
    renderer.setClock(&clock);
    renderer.setBatterySource([] { return 5; });
    renderer.setSignalSource([] { return 3; });
    painted.frame = renderer.paintFrame().convertToFormat(QImage::Format_RGB32);
    return painted;
}

bool documentedDifference(const QPoint &at)
{
    using namespace PreviewFixture;
    return CoverArea.contains(at) || FocusedSlotArea.contains(at) || NameArea.contains(at);
}

} // namespace

class PreviewFrameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void samePixelsApartFromDocumentedDifferences();
    void documentedDifferencesAreThere_data();
    void documentedDifferencesAreThere();
};

void PreviewFrameTest::samePixelsApartFromDocumentedDifferences()
{
    TempDeviceRoot root;
    QVERIFY(PreviewFixture::writeSkin(root, QStringLiteral("every")));
    const Painted plugin = paint(SkinLoadOptions(), 1);
    const Painted preview = paint(SkinLoadOptions::preview(QStringLiteral("every")), -1);
    QVERIFY2(plugin.report.problems.isEmpty(), qPrintable(plugin.report.problems.join(QLatin1Char('\n'))));
    QVERIFY2(preview.report.problems.isEmpty(), qPrintable(preview.report.problems.join(QLatin1Char('\n'))));
    QCOMPARE(preview.frame.size(), QSize(240, 320));
    QVERIFY(plugin.frame.height() < 320);

    int elementPixels = 0;
    for (int y = 0; y < plugin.frame.height(); ++y) {
        for (int x = 0; x < plugin.frame.width(); ++x) {
            const QPoint at(x, y);
            if (documentedDifference(at))
                continue;
            const QRgb pixel = plugin.frame.pixel(at);
            if (pixel != preview.frame.pixel(at))
                QFAIL(qPrintable(QStringLiteral("(%1, %2): plug-in #%3, preview #%4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(pixel, 6, 16, QLatin1Char('0'))
                                     .arg(preview.frame.pixel(at), 6, 16, QLatin1Char('0'))));
            elementPixels += pixel != PreviewFixture::Wallpaper ? 1 : 0;
        }
    }
    // The comparison covered the elements, not an empty frame.
    QVERIFY2(elementPixels > 10000, qPrintable(QString::number(elementPixels)));
    // Below the plug-in's frame the preview goes on with the wallpaper.
    QCOMPARE(preview.frame.pixel(120, 300), PreviewFixture::Wallpaper);
}

void PreviewFrameTest::documentedDifferencesAreThere_data()
{
    using namespace PreviewFixture;
    QTest::addColumn<QRect>("area");
    QTest::addColumn<bool>("pluginDiffers");
    QTest::newRow("cover") << CoverArea << true;
    QTest::newRow("focused slot") << FocusedSlotArea << true;
    QTest::newRow("slot name") << NameArea << true;
}

void PreviewFrameTest::documentedDifferencesAreThere()
{
    QFETCH(QRect, area);
    TempDeviceRoot root;
    QVERIFY(PreviewFixture::writeSkin(root, QStringLiteral("every")));
    const QImage plugin = paint(SkinLoadOptions(), 1).frame;
    const QImage preview = paint(SkinLoadOptions::preview(QStringLiteral("every")), -1).frame;
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            differing += plugin.pixel(x, y) != preview.pixel(x, y) ? 1 : 0;
    QVERIFY2(differing > 20, qPrintable(QString::number(differing)));
    // What the preview shows there is the dock bar as it lies unfocused, without names or cover.
    const QRgb cover = PreviewFixture::Cover;
    QCOMPARE(plugin.pixel(PreviewFixture::CoverArea.center()), cover);
    QVERIFY(preview.pixel(PreviewFixture::CoverArea.center()) != cover);
}

QTEST_MAIN(PreviewFrameTest)
#include "previewframetest.moc"
