// The skin preview window: what it shows is exactly kestrow-render's preview frame, what it leaves
// out, where its countdown comes from, and that leaving it writes nothing.

#include "setup/showpreview.h"
#include "installedlanguage.h"
#include "platform/widgets/zsoftkey.h"
#include "platform/widgets/ztitlebar.h"
#include "previewfixture.h"
#include "render/fixedclock.h"
#include "stdoutcapture.h"
#include "testsupport.h"

#include <QtTest>

#include <optional>

namespace {

const ClockReading Moment { 2024, 3, 1, 10, 8, 37, 5 };
const QString At = QStringLiteral("2024-03-01 10:08:37");

/** The language table of a test, from the file's text. */
class Language
{
public:
    Language(const TempDeviceRoot &root, const QByteArray &lng)
    {
        root.writeFile(
            QStringLiteral("/app/test.lng"), "[LNG]\nFT_BACK=Back\nFT_THEME_PREVIEW=Preview\n" + lng);
        m_language.emplace(root.path(QStringLiteral("/app/test.lng")));
    }

private:
    std::optional<InstalledLanguage> m_language;
};

/** The levels both the window and kestrow-render read from the device root. */
void fixLevels(const TempDeviceRoot &root)
{
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/battery"), "4\n");
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/signal"), "2\n");
}

/** Shows the window at the fixed moment and returns what it painted. */
QImage shown(showPreview &preview, const FixedClock &clock)
{
    preview.setClock(&clock);
    preview.show();
    if (!QTest::qWaitForWindowExposed(&preview))
        return QImage();
    return preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class ShowPreviewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowShowsTheRenderedPreview();
    void whatThePreviewLeavesOut_data();
    void whatThePreviewLeavesOut();
    void countdownFromTheSettingsFile_data();
    void countdownFromTheSettingsFile();
    void backWritesNothing();
};

void ShowPreviewTest::windowShowsTheRenderedPreview()
{
    TempDeviceRoot root;
    QVERIFY(PreviewFixture::writeSkin(root, QStringLiteral("every")));
    fixLevels(root);
    const Language language(root, {});
    const QString file = root.path(QStringLiteral("/rendered.png"));
    const ProgramRun render = runProgram(builtProgram(QStringLiteral("kestrow-render")),
        { QStringLiteral("--root"), root.root(), QStringLiteral("--skin"), QStringLiteral("every"),
            QStringLiteral("--at"), At, QStringLiteral("--preview"), QStringLiteral("-o"), file });
    QVERIFY2(render.exitCode == 0, render.err.constData());
    const QImage rendered = QImage(file).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(rendered.size(), QSize(240, 320));

    showPreview preview(QStringLiteral("every"));
    const FixedClock clock(Moment);
    const QImage window = shown(preview, clock);
    QCOMPARE(window.size(), QSize(240, 320));
    // The window gives the frame everything between its title bar and its soft keys.
    const int top = preview.findChild<ZTitleBar *>()->geometry().bottom() + 1;
    const int bottom = preview.softKey()->geometry().top();
    QVERIFY(bottom - top > 200);
    const QRect area(0, top, 240, bottom - top);
    QCOMPARE(window.copy(area), rendered.copy(area));
    QCOMPARE(preview.renderer().frame().convertToFormat(QImage::Format_RGB32), rendered);
}

void ShowPreviewTest::whatThePreviewLeavesOut_data()
{
    using namespace PreviewFixture;
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("expected");

    const QByteArray wallpaper = "[SYS_DISPLAY_SET]\nWallpaper=/ezxlocal/wallpaper.png\n";
    QTest::newRow("no frame cover") << wallpaper << CoverArea.center() << Wallpaper;
    QTest::newRow("no slot name") << wallpaper << QPoint(170, 230) << DockBackground;
    QTest::newRow("no focused slot") << wallpaper << QPoint(60 + 25, 205 + 25) << DockBackground;
    QTest::newRow("unfocused slot drawn") << wallpaper << UnfocusedIconAt << DockIcon;
    // A protected wallpaper cannot be shown: the skin's centre image is the background, unscaled.
    QTest::newRow(".dcf wallpaper: centre image as background")
        << QByteArray("[SYS_DISPLAY_SET]\nWallpaper=/ezxlocal/wallpaper.dcf\n") << QPoint(120, 300)
        << qRgb(0, 0, 0);
    QTest::newRow(".dcf wallpaper: centre image drawn")
        << QByteArray("[SYS_DISPLAY_SET]\nWallpaper=/x.dcf\n") << CentreAt << Centre;
}

void ShowPreviewTest::whatThePreviewLeavesOut()
{
    QFETCH(QByteArray, system);
    QFETCH(QPoint, at);
    QFETCH(QRgb, expected);

    TempDeviceRoot root;
    QVERIFY(PreviewFixture::writeSkin(root, QStringLiteral("every")));
    root.writeImage(QStringLiteral("/ezxlocal/wallpaper.dcf"), 240, 320, Qt::white); // readable, all the same
    root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg"), system);
    const Language language(root, {});
    showPreview preview(QStringLiteral("every"));
    const FixedClock clock(Moment);
    QVERIFY(!shown(preview, clock).isNull());
    QCOMPARE(preview.renderer().frame().pixel(at), expected);
}

void ShowPreviewTest::countdownFromTheSettingsFile_data()
{
    QTest::addColumn<QByteArray>("event");
    QTest::addColumn<QString>("text");
    QTest::newRow("ahead, translated")
        << QByteArray("Year=2024\nMonth=3\nDay=11\nInfo=Exams\n") << QStringLiteral("Exams in 10 days");
    QTest::newRow("passed, not translated: the text itself")
        << QByteArray("Year=2024\nMonth=2\nDay=20\nInfo=Trip\n") << QStringLiteral("距离 Trip 已过 10天");
}

void ShowPreviewTest::countdownFromTheSettingsFile()
{
    QFETCH(QByteArray, event);
    QFETCH(QString, text);

    TempDeviceRoot root;
    QVERIFY(PreviewFixture::writeSkin(root, QStringLiteral("every")));
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), "[Main]\nSkin=other\n[Notify]\n" + event);
    const Language language(root, QByteArray("距离 %1 还有 %2天=%1 in %2 days\n"));
    showPreview preview(QStringLiteral("every"));
    const FixedClock clock(Moment);
    QVERIFY(!shown(preview, clock).isNull());
    QCOMPARE(preview.renderer().notifyText(), text);
}

void ShowPreviewTest::backWritesNothing()
{
    TempDeviceRoot root;
    QVERIFY(PreviewFixture::writeSkin(root, QStringLiteral("every")));
    const Language language(root, {});
    const QString settings = root.path(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"));
    const QFileInfo before(settings);
    QFile file(settings);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();

    StdoutCapture out;
    showPreview preview(QStringLiteral("every"));
    QCOMPARE(preview.title(), QStringLiteral("Preview"));
    QCOMPARE(preview.softKey()->text(ZSoftKey::RIGHT), QStringLiteral("Back"));
    QTimer::singleShot(0, &preview, [&preview] { QTest::keyClick(&preview, Qt::Key_F2); });
    QCOMPARE(preview.exec(), 0);
    QVERIFY(!preview.isVisible());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(QFileInfo(settings).lastModified(), before.lastModified());
    QCOMPARE(out.text(),
        QByteArray("====== mSkinDir every=======\n"
                   "======= skin cfg /ezxlocal/Kestrow/skin//every/skin.cfg=======\n"));
}

QTEST_MAIN(ShowPreviewTest)
#include "showpreviewtest.moc"
