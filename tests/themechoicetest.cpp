// Choosing a skin from end to end: the home screen (kestrow-host with the plug-in, capturing its
// frames) and the settings application's main window in this process, on a session bus of their
// own. Key presses go through the theme row, the chooser, the preview and the confirmation; the
// home screen's next frames show the chosen skin. Leaving the chooser with Back changes nothing.

#include "keyscript.h"
#include "ownsessionbus.h"
#include "platform/phonechannels.h"
#include "platform/qcopchannel.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zmessagedlg.h"
#include "platform/zconfig.h"
#include "setup/appdir.h"
#include "setup/lngtable.h"
#include "setup/lockui.h"
#include "setup/showpreview.h"
#include "setup/skindlg.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
const QString AppFolder = QStringLiteral("/ezxlocal/Kestrow/");
const int Bound = 30000;

void writeSolidSkin(const TempDeviceRoot &root, const QString &name, const QColor &color)
{
    root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/%1/mid.png").arg(name), 240, 320, color);
    root.writeSkin(
        name, "[Background]\nMidIMG=mid.png\n[General]\nSkinName=" + name.toUtf8() + "\nAuthor=Tests\n");
}

/** The application's own files (language files, images, scripts) in the phone's folder for it. */
void installApplicationFiles(const TempDeviceRoot &root)
{
    const QDir files(QStringLiteral(KESTROW_SOURCE_DIR "/setup/files"));
    QDir().mkpath(root.path(AppFolder));
    for (const QString &name : files.entryList(QDir::Files))
        QFile::copy(files.filePath(name), root.path(AppFolder + name));
    QDir().mkpath(root.path(AppFolder + QStringLiteral("img")));
    const QDir images(files.filePath(QStringLiteral("img")));
    for (const QString &name : images.entryList(QDir::Files))
        QFile::copy(images.filePath(name), root.path(AppFolder + QStringLiteral("img/") + name));
    QFile script(files.filePath(QStringLiteral("load.sh")));
    if (script.open(QIODevice::ReadOnly))
        root.writeFile(
            QStringLiteral("/ezxlocal/download/mystuff/unKnown/S10KestrowPulgin"), script.readAll());
}

QColor captured(const QString &file, const QPoint &at)
{
    const QImage image(file);
    return image.isNull() ? QColor() : image.pixelColor(at);
}

QString settingsSkin(const TempDeviceRoot &root)
{
    return ZConfig(root.path(Settings)).readEntry(QStringLiteral("Main"), QStringLiteral("Skin"));
}

const KeyScript::Finder MainWindow = KeyScript::window<LockUI>();
const KeyScript::Finder Chooser = KeyScript::window<skinDlg>();
const KeyScript::Finder Question = KeyScript::window<ZMessageDlg>();
const KeyScript::Finder Preview = KeyScript::window<showPreview>();

} // namespace

class ThemeChoiceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void chosenSkinReachesTheHomeScreen();

private:
    std::unique_ptr<OwnSessionBus> m_bus;
};

void ThemeChoiceTest::initTestCase()
{
    m_bus = std::make_unique<OwnSessionBus>();
    QVERIFY2(m_bus->isValid(), "dbus-daemon did not start");
}

void ThemeChoiceTest::chosenSkinReachesTheHomeScreen()
{
    TempDeviceRoot root;
    installApplicationFiles(root);
    writeSolidSkin(root, QStringLiteral("default"), Qt::darkMagenta);
    writeSolidSkin(root, QStringLiteral("other"), Qt::darkYellow);
    root.writeFile(Settings, "[Main]\nSkin=default\n");

    const QString shot = root.path(QStringLiteral("/shot.png"));
    QProcess host;
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(builtProgram(QStringLiteral("kestrow-host")),
        { QStringLiteral("--root"), root.root(), QStringLiteral("--capture"), shot });
    QVERIFY(host.waitForStarted());
    const QPoint inFrame(30, 25 + 60);
    QTRY_COMPARE_WITH_TIMEOUT(captured(shot, inFrame), QColor(Qt::darkMagenta), Bound);

    // Everything sent to the plug-in's channel, in order.
    QCopChannel listener(PhoneChannels::Plugin);
    QSignalSpy messages(&listener, &QCopChannel::received);

    AppDir::setFirstArgument(root.path(AppFolder + QStringLiteral("kestrow-setup")));
    LngTable table(root.path(AppFolder + QStringLiteral("en-us.lng")));
    LngTable::setInstance(&table);
    {
        LockUI window;
        window.show();

        // Theme row, chooser, preview of "other" and back, then Back: nothing changes.
        KeyScript leave;
        leave.press(MainWindow, { Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return }, "theme row")
            .press(Chooser, { Qt::Key_Down, Qt::Key_F1 }, "preview the second skin")
            .press(Preview, { Qt::Key_F2 }, "back from the preview")
            .press(Chooser, { Qt::Key_F2 }, "back from the chooser");
        leave.start(Bound);
        QTRY_VERIFY_WITH_TIMEOUT(leave.finished() || !leave.failure().isEmpty(), Bound);
        QVERIFY2(leave.failure().isEmpty(), qPrintable(leave.failure()));
        QTRY_VERIFY_WITH_TIMEOUT(!Chooser(), Bound);
        QCOMPARE(settingsSkin(root), QStringLiteral("default"));
        // Messages arrive in order: a marker after the chooser closed comes first if nothing was sent.
        QVERIFY(QCopChannel::send(PhoneChannels::Plugin, "Marker()"));
        QTRY_VERIFY_WITH_TIMEOUT(!messages.isEmpty(), Bound);
        QCOMPARE(messages.takeFirst().at(0).toByteArray(), QByteArray("Marker()"));

        // Again, this time confirming the second skin.
        KeyScript choose;
        choose.press(MainWindow, { Qt::Key_Return }, "theme row again")
            .press(Chooser, { Qt::Key_Down, Qt::Key_Return }, "select the second skin")
            .press(Question, { Qt::Key_Return }, "confirm");
        choose.start(Bound);
        QTRY_VERIFY_WITH_TIMEOUT(choose.finished() || !choose.failure().isEmpty(), Bound);
        QVERIFY2(choose.failure().isEmpty(), qPrintable(choose.failure()));
        QTRY_VERIFY_WITH_TIMEOUT(!messages.isEmpty(), Bound);
        QCOMPARE(messages.takeFirst().at(0).toByteArray(), QByteArray(PhoneChannels::Reload));
        QCOMPARE(settingsSkin(root), QStringLiteral("other"));
        QCOMPARE(window.themeLine(),
            table.get("FT_THEME") + QStringLiteral("other；") + table.get("FT_AUTHOR")
                + QStringLiteral("Tests"));
    }
    LngTable::setInstance(nullptr);

    // The home screen reloads on the message and paints the chosen skin.
    QTRY_COMPARE_WITH_TIMEOUT(captured(shot, inFrame), QColor(Qt::darkYellow), Bound);
    host.terminate();
    QVERIFY(host.waitForFinished(Bound));
}

QTEST_MAIN(ThemeChoiceTest)
#include "themechoicetest.moc"
