#include "setup/lockui.h"
#include "platform/homescreenchannel.h"
#include "platform/phonechannels.h"
#include "platform/qcopchannel.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zmessagedlg.h"
#include "platform/widgets/zoptionsmenu.h"
#include "platform/zconfig.h"
#include "plugin/tool.h"
#include "setup/appdir.h"
#include "stdoutcapture.h"
#include "testsupport.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
const QString Autorun = QStringLiteral("/ezxlocal/download/mystuff/unKnown/S10KestrowPulgin");
const QString PluginChannel = QString(PhoneChannels::Plugin);

// Each icon a colour of its own, so a row's icon tells which file it came from.
const QList<std::pair<QString, QColor>> Icons
    = { { QStringLiteral("status.png"), Qt::green }, { QStringLiteral("off.png"), Qt::gray },
          { QStringLiteral("autorun.png"), Qt::blue }, { QStringLiteral("refresh.png"), Qt::yellow },
          { QStringLiteral("theme.png"), Qt::magenta }, { QStringLiteral("title.png"), Qt::cyan } };

QColor iconColour(const QString &name)
{
    for (const auto &icon : Icons) {
        if (icon.first == name)
            return icon.second;
    }
    return QColor();
}

/**
 * A device root with an application directory whose scripts only record that they ran,
 * in the order they ran, into "ran.log" beside the root.
 */
class AppFixture
{
public:
    explicit AppFixture(const QString &folder = QStringLiteral("/app/"))
    {
        m_appDir = root.path(folder);
        for (const auto &icon : Icons)
            root.writeImage(folder + QStringLiteral("img/") + icon.first, 8, 8, icon.second);
        for (const QString &script : { QStringLiteral("on.sh"), QStringLiteral("off.sh") }) {
            const QString path = folder + script;
            root.writeFile(path, "#!/bin/sh\necho \"${0##*/}\" >> \"$KESTROW_ROOT/ran.log\"\n");
            QFile::setPermissions(root.path(path), QFile::permissions(root.path(path)) | QFile::ExeOwner);
        }
        root.writeFile(folder + QStringLiteral("load.sh"), "# the autorun script\n");
        QDir().mkpath(root.path(QFileInfo(Autorun).path()));
        AppDir::setFirstArgument(m_appDir + QStringLiteral("kestrow-setup"));
    }

    QByteArray ran() const
    {
        QFile log(root.path(QStringLiteral("/ran.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }
    QString appDir() const { return m_appDir; }

    TempDeviceRoot root;

private:
    QString m_appDir;
};

/** The main window with a skin chooser that returns what the test says. */
class TestLockUI : public LockUI
{
public:
    SkinChoice choice;
    int chooserRuns = 0;

protected:
    SkinChoice chooseSkin() override
    {
        ++chooserRuns;
        return choice;
    }
};

constexpr int StayedOpen = 42;

/**
 * Runs the action inside the application's event loop and tells whether it asked the
 * application to quit: a quit ends the loop before the check posted after the action runs.
 */
bool quitsDuring(const std::function<void()> &action)
{
    QTimer check;
    check.setSingleShot(true);
    QObject::connect(&check, &QTimer::timeout, [] { QCoreApplication::exit(StayedOpen); });
    // A posted call, so that the timers of the popups the action opens still run inside it.
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            action();
            check.start(0);
        },
        Qt::QueuedConnection);
    return QCoreApplication::exec() != StayedOpen;
}

/** Presses keys in the popup in front once it shows (the caller then opens it). */
void pressInPopupWhenShown(const QList<int> &keys)
{
    // A timer, not a posted call: the popup's own loop runs inside a posted call. It looks
    // again until the popup is there.
    QTimer::singleShot(1, qApp, [keys] {
        QWidget *popup = QApplication::activeModalWidget();
        if (!popup || !popup->isVisible()) {
            pressInPopupWhenShown(keys);
            return;
        }
        for (const int key : keys) {
            // The popup's own focus child, whether or not the window system has activated it yet.
            QWidget *target = popup->focusWidget() ? popup->focusWidget() : popup;
            QTest::keyClick(target, Qt::Key(key));
        }
    });
}

QColor rowIcon(const LockUI &ui, int row)
{
    const QImage image = ui.listBox()->item(row)->pixmap(0).toImage();
    return image.isNull() ? QColor() : image.pixelColor(0, 0);
}

QString secondLine(const LockUI &ui, int row)
{
    return ui.listBox()->item(row)->subItem(1, 1);
}

/** Makes a row current and selects it, as the user does with Down and Return. */
void select(LockUI &ui, int row)
{
    ZListBox *list = ui.listBox();
    while (list->currentItem() > row)
        QTest::keyClick(list, Qt::Key_Up);
    while (list->currentItem() < row)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
}

} // namespace

class LockUITest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rows_data();
    void rows();
    void runningRow_data();
    void runningRow();
    void autorunRowTwice();
    void refreshRow_data();
    void refreshRow();
    void themeLine_data();
    void themeLine();
    void themeRow_data();
    void themeRow();
    void quotedPaths();
    void optionsAndQuit();
};

void LockUITest::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        QFAIL("needs a session bus of its own (ctest runs it under dbus-run-session)");
}

void LockUITest::rows_data()
{
    QTest::addColumn<bool>("registered");
    QTest::addColumn<bool>("autorun");
    QTest::newRow("nothing") << false << false;
    QTest::newRow("running") << true << false;
    QTest::newRow("autorun") << false << true;
    QTest::newRow("both") << true << true;
}

void LockUITest::rows()
{
    QFETCH(bool, registered);
    QFETCH(bool, autorun);
    AppFixture app;
    if (autorun)
        app.root.writeFile(Autorun, "x");
    std::unique_ptr<QCopChannel> plugin(registered ? new QCopChannel(PluginChannel) : nullptr);
    StdoutCapture out;
    TestLockUI ui;
    QCOMPARE(out.text(),
        "build list item \nget theme info\nskin \nskin cfg " + QFile::encodeName(app.appDir())
            + "/skin//skin.cfg\n\nafter theme info\nlist box item\noption menu \nsoft key\nconnect\n");
    QCOMPARE(ui.listBox()->count(), 4);
    const QStringList first = { "FT_RUNNING_STATE", "FT_AUTORUN_STATE", "FT_REFRESH_SCREEN", "FT_CHG_THEME" };
    for (int row = 0; row < 4; ++row)
        QCOMPARE(ui.listBox()->item(row)->subItem(1, 0), first.at(row));
    QCOMPARE(secondLine(ui, 0), registered ? "FT_CUR_STATE_ON" : "FT_CUR_STATE_OFF");
    QCOMPARE(rowIcon(ui, 0), iconColour(registered ? "status.png" : "off.png"));
    QCOMPARE(secondLine(ui, 1), autorun ? "FT_AUTORUN_STATE_ON" : "FT_AUTORUN_STATE_OFF");
    QCOMPARE(rowIcon(ui, 1), iconColour(autorun ? "autorun.png" : "off.png"));
    QCOMPARE(secondLine(ui, 2), "FT_FORCE_REFRESH_SCREEN");
    QCOMPARE(rowIcon(ui, 2), iconColour("refresh.png"));
    QCOMPARE(rowIcon(ui, 3), iconColour("theme.png"));
    QCOMPARE(ui.isRunning(), registered);
    QCOMPARE(ui.isAutorunOn(), autorun);
}

void LockUITest::runningRow_data()
{
    QTest::addColumn<bool>("atStart"); // registered when the window is built
    QTest::addColumn<bool>("atPress"); // registered when the row is selected
    QTest::addColumn<QByteArray>("ran");
    QTest::addColumn<QByteArray>("said");
    QTest::addColumn<bool>("quits");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("icon");

    QTest::newRow("start") << false << false << QByteArray("on.sh\n")
                           << QByteArray("itme cliked 0\n===== start\n") << true << "FT_CUR_STATE_ON"
                           << "status.png";
    QTest::newRow("stop") << true << true << QByteArray("off.sh\n")
                          << QByteArray("itme cliked 0\n===== stop\n") << true << "FT_CUR_STATE_OFF"
                          << "off.png";
    QTest::newRow("started since") << false << true << QByteArray() << QByteArray("itme cliked 0\n") << false
                                   << "FT_CUR_STATE_OFF"
                                   << "off.png";
}

void LockUITest::runningRow()
{
    QFETCH(bool, atStart);
    QFETCH(bool, atPress);
    QFETCH(QByteArray, ran);
    QFETCH(QByteArray, said);
    QFETCH(bool, quits);
    QFETCH(QString, text);
    QFETCH(QString, icon);
    AppFixture app;
    std::unique_ptr<QCopChannel> plugin(atStart ? new QCopChannel(PluginChannel) : nullptr);
    TestLockUI ui;
    ui.show();
    if (atPress && !plugin)
        plugin = std::make_unique<QCopChannel>(PluginChannel);
    StdoutCapture out;
    const bool quit = quitsDuring([&] { select(ui, LockUI::RunningRow); });
    QCOMPARE(out.text(), said);
    QCOMPARE(quit, quits);
    QCOMPARE(app.ran(), ran);
    QCOMPARE(secondLine(ui, 0), text);
    QCOMPARE(rowIcon(ui, 0), iconColour(icon));
    QCOMPARE(ui.isRunning(), atStart != quits);
}

void LockUITest::autorunRowTwice()
{
    AppFixture app;
    TestLockUI ui;
    ui.show();
    StdoutCapture first;
    QVERIFY(!quitsDuring([&] { select(ui, LockUI::AutorunRow); }));
    QCOMPARE(first.text(), QByteArray("itme cliked 1\n"));
    QFile copy(app.root.path(Autorun));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("# the autorun script\n"));
    QCOMPARE(secondLine(ui, 1), "FT_AUTORUN_STATE_ON");
    QCOMPARE(rowIcon(ui, 1), iconColour("autorun.png"));

    QVERIFY(!quitsDuring([&] { select(ui, LockUI::AutorunRow); }));
    QVERIFY(!QFileInfo::exists(app.root.path(Autorun)));
    QCOMPARE(secondLine(ui, 1), "FT_AUTORUN_STATE_OFF");
    QCOMPARE(rowIcon(ui, 1), iconColour("off.png"));
}

void LockUITest::refreshRow_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QByteArray>("toPlugin");
    QTest::addColumn<QByteArray>("toHomeScreen");
    QTest::addColumn<QByteArray>("said");
    QTest::addColumn<bool>("quits");

    QTest::newRow("reload") << QList<int> { Qt::Key_Return } << QByteArray("Reload()") << QByteArray()
                            << QByteArray("itme cliked 2\n===== channel ok\n") << false;
    QTest::newRow("restart") << QList<int> { Qt::Key_Down, Qt::Key_F1 } << QByteArray()
                             << QByteArray("Restart()") << QByteArray("itme cliked 2\n") << true;
    QTest::newRow("back") << QList<int> { Qt::Key_Down, Qt::Key_Escape } << QByteArray() << QByteArray()
                          << QByteArray("itme cliked 2\n") << false;
}

void LockUITest::refreshRow()
{
    QFETCH(QList<int>, keys);
    QFETCH(QByteArray, toPlugin);
    QFETCH(QByteArray, toHomeScreen);
    QFETCH(QByteArray, said);
    QFETCH(bool, quits);
    AppFixture app;
    QCopChannel plugin(PluginChannel);
    QCopChannel homeScreen(HomeScreenChannel::name());
    // Another device root's home screen hears nothing.
    QCopChannel otherRoot(QString(HomeScreenChannel::Prefix) + QStringLiteral("/elsewhere"));
    QByteArray pluginGot;
    QByteArray homeScreenGot;
    QByteArray otherGot;
    connect(&plugin, &QCopChannel::received, [&](const QByteArray &m) { pluginGot += m; });
    connect(&homeScreen, &QCopChannel::received, [&](const QByteArray &m) { homeScreenGot += m; });
    connect(&otherRoot, &QCopChannel::received, [&](const QByteArray &m) { otherGot += m; });
    TestLockUI ui;
    ui.show();
    StdoutCapture out;
    const bool quit = quitsDuring([&] {
        pressInPopupWhenShown(keys);
        select(ui, LockUI::RefreshRow);
    });
    QCOMPARE(out.text(), said);
    QCOMPARE(quit, quits);
    if (!toPlugin.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(pluginGot, toPlugin, 10000);
    if (!toHomeScreen.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(homeScreenGot, toHomeScreen, 10000);
    // A message sent last through the same bus arrives after anything the window sent.
    QVERIFY(QCopChannel::send(PluginChannel, "Marker()"));
    QVERIFY(QCopChannel::send(HomeScreenChannel::name(), "Marker()"));
    QTRY_VERIFY_WITH_TIMEOUT(pluginGot.endsWith("Marker()") && homeScreenGot.endsWith("Marker()"), 10000);
    QCOMPARE(pluginGot, toPlugin + "Marker()");
    QCOMPARE(homeScreenGot, toHomeScreen + "Marker()");
    QCOMPARE(otherGot, QByteArray());
    QCOMPARE(app.ran(), QByteArray());
}

void LockUITest::themeLine_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QByteArray>("skinCfg");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("said");

    const QString semicolon = ctr("；");
    QTest::newRow("name and author") << QByteArray("[Main]\nSkin = dusk\n")
                                     << QByteArray("[General]\nSkinName = Dusk\nAuthor = Ann\n")
                                     << "FT_THEMEDusk" + semicolon + "FT_AUTHORAnn"
                                     << QByteArray("skin dusk\n@dusk/skin.cfg\nDuskAnn\n");
    QTest::newRow("no General keys") << QByteArray("[Main]\nSkin = dusk\n")
                                     << QByteArray("[Clock]\nShow = 1\n")
                                     << "FT_THEME" + semicolon + "FT_AUTHOR"
                                     << QByteArray("skin dusk\n@dusk/skin.cfg\n\n");
    QTest::newRow("no settings file")
        << QByteArray() << QByteArray("[General]\nSkinName = Dusk\n") << "FT_THEME" + semicolon + "FT_AUTHOR"
        << QByteArray("skin \n@/skin.cfg\n\n");
}

void LockUITest::themeLine()
{
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, skinCfg);
    QFETCH(QString, line);
    QFETCH(QByteArray, said);
    AppFixture app(QStringLiteral("/ezxlocal/Kestrow/"));
    if (!settings.isEmpty())
        app.root.writeFile(Settings, settings);
    // The application directory's skin folder is the skin root when it is installed there.
    app.root.writeSkin(QStringLiteral("dusk"), skinCfg);
    StdoutCapture out;
    TestLockUI ui;
    const QByteArray text = out.text();
    QCOMPARE(ui.themeLine(), line);
    QCOMPARE(secondLine(ui, 3), line);
    const qsizetype from = text.indexOf("get theme info\n") + 15;
    const QByteArray theme = text.mid(from, text.indexOf("after theme info") - from);
    const QByteArray path = QFile::encodeName(app.appDir()) + "/skin/";
    QCOMPARE(theme, QByteArray(said).replace("@", "skin cfg " + path));
}

void LockUITest::themeRow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<bool>("written");

    QTest::newRow("chosen") << "night" << false << true;
    QTest::newRow("back") << "night" << true << false;
    QTest::newRow("closed without a name") << "" << false << false;
}

void LockUITest::themeRow()
{
    QFETCH(QString, name);
    QFETCH(bool, cancelled);
    QFETCH(bool, written);
    AppFixture app(QStringLiteral("/ezxlocal/Kestrow/"));
    app.root.writeFile(Settings, "[Main]\nSkin = dusk\n");
    app.root.writeSkin(QStringLiteral("dusk"), "[General]\nSkinName = Dusk\nAuthor = Ann\n");
    app.root.writeSkin(QStringLiteral("night"), "[General]\nSkinName = Night\nAuthor = Bo\n");

    // The plug-in's side: what the file holds when the message arrives.
    QCopChannel plugin(PluginChannel);
    QStringList seen;
    connect(&plugin, &QCopChannel::received, [&](const QByteArray &message) {
        const ZConfig file(app.root.path(Settings));
        seen << QString::fromUtf8(message) + QLatin1Char(' ') + file.readEntry("Main", "Skin");
    });
    TestLockUI ui;
    ui.choice = { name, cancelled };
    ui.show();
    StdoutCapture out;
    const bool quit = quitsDuring([&] { select(ui, LockUI::ThemeRow); });
    const QByteArray said = out.text();
    QVERIFY(!quit);
    QCOMPARE(ui.chooserRuns, 1);
    QVERIFY(said.startsWith("itme cliked 3\nstr " + name.toUtf8() + "\n"));

    QVERIFY(QCopChannel::send(PluginChannel, "Marker()"));
    QTRY_VERIFY_WITH_TIMEOUT(!seen.isEmpty() && seen.last().startsWith("Marker()"), 10000);
    const ZConfig file(app.root.path(Settings));
    if (written) {
        QCOMPARE(seen, QStringList({ "Reload() night", "Marker() night" }));
        QCOMPARE(file.readEntry("Main", "Skin"), "night");
        QCOMPARE(secondLine(ui, 3), "FT_THEMENight" + ctr("；") + "FT_AUTHORBo");
    } else {
        QCOMPARE(seen, QStringList({ "Marker() dusk" }));
        QCOMPARE(file.readEntry("Main", "Skin"), "dusk");
        QCOMPARE(secondLine(ui, 3), "FT_THEMEDusk" + ctr("；") + "FT_AUTHORAnn");
    }
}

void LockUITest::quotedPaths()
{
    // A folder name the shell would split, unquote and run commands from if it were not quoted.
    AppFixture app(
        QStringLiteral("/it's a $(touch made-by-dollar) `touch made-by-tick`; touch made-by-semicolon/"));
    TestLockUI ui;
    ui.show();
    QVERIFY(!quitsDuring([&] { select(ui, LockUI::AutorunRow); }));
    QVERIFY(QFileInfo::exists(app.root.path(Autorun)));
    QVERIFY(quitsDuring([&] { select(ui, LockUI::RunningRow); }));
    QCOMPARE(app.ran(), QByteArray("on.sh\n"));
    const QStringList made = QDir(QDir::currentPath()).entryList({ QStringLiteral("made-by-*") })
        + QDir(app.root.root()).entryList({ QStringLiteral("made-by-*") });
    QCOMPARE(made, QStringList());
}

void LockUITest::optionsAndQuit()
{
    AppFixture app;
    TestLockUI ui;
    ui.show();
    const QStringList entries = { "FT_DOCKBAR", "FT_EVENT", "FT_ABOUT" };
    QCOMPARE(ui.optionsMenu()->count(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(ui.optionsMenu()->text(i), entries.at(i));

    // F1 opens the menu; the third entry opens the About box, which Return closes.
    QString aboutTitle;
    QTimer::singleShot(1, qApp, [&] {
        auto *box = qobject_cast<ZMessageDlg *>(QApplication::activeModalWidget());
        QVERIFY(box);
        aboutTitle = box->title();
        QVERIFY(box->text().contains(QLatin1String("Kestrow")));
        QTest::keyClick(box, Qt::Key_Return);
    });
    QVERIFY(!quitsDuring([&] {
        QTest::keyClick(&ui, Qt::Key_F1);
        QVERIFY(ui.optionsMenu()->isVisible());
        QTest::keyClick(ui.optionsMenu(), Qt::Key_Down);
        QTest::keyClick(ui.optionsMenu(), Qt::Key_Down);
        QTest::keyClick(ui.optionsMenu(), Qt::Key_Return);
    }));
    QCOMPARE(aboutTitle, QStringLiteral("FT_ABOUT"));
    QVERIFY(!ui.optionsMenu()->isVisible());

    // The right soft key quits.
    QVERIFY(quitsDuring([&] { QTest::keyClick(&ui, Qt::Key_F2); }));
}

QTEST_MAIN(LockUITest)
#include "lockuitest.moc"
