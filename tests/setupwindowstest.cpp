// The settings application's windows driven by key presses on one device root: the main window's rows,
// the skin chooser and its preview, the application picker, the dock editor and the countdown dialog,
// and what each writer leaves in the settings file by the time its "Reload()" reaches the plug-in.

#include "data/settingsfile.h"
#include "installedlanguage.h"
#include "keyscript.h"
#include "platform/filelock.h"
#include "platform/homescreenchannel.h"
#include "platform/phonechannels.h"
#include "platform/phonepaths.h"
#include "platform/qcopchannel.h"
#include "platform/widgets/zapplication.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zmessagedlg.h"
#include "platform/widgets/zsingleselectdlg.h"
#include "platform/zconfig.h"
#include "previewfixture.h"
#include "render/fixedclock.h"
#include "setup/appadddlg.h"
#include "setup/appdir.h"
#include "setup/datedlg.h"
#include "setup/dockdlg.h"
#include "setup/lockui.h"
#include "setup/showpreview.h"
#include "setup/skindlg.h"
#include "stdoutcapture.h"
#include "testsupport.h"

#include <QInputMethodEvent>
#include <QSemaphore>
#include <QThread>
#include <QtTest>

#include <optional>
#include <sys/inotify.h>
#include <unistd.h>

using Keys = std::vector<int>;

namespace {

const QString Autorun = QStringLiteral("/ezxlocal/download/mystuff/unKnown/S10KestrowPulgin");
const QByteArray Settings = "[Main]\nSkin = alpha\n\n[DockBar]\nExec0 = old0\nExec9 = old9\n\n[Notify]\n"
                            "Year = 2030\nMonth = 1\nDay = 1\nInfo = old\n";
const QByteArray Language = "[LNG]\nFT_ADD=Add\nFT_BACK=Back\nFT_AUTHOR=By:\nFT_CONFIRM_USE=Use "
                            "\nFT_CHG_THEME=Skin\nFT_PREVIEW=View\n"
                            "FT_THEME_PREVIEW=Theme preview\nFT_DOCKBAR=Dock:\nFT_10=ten\n"
                            "距离 %1 还有 %2天=%1 in %2 days\n";
const KeyScript::Finder MainWindow = KeyScript::window<LockUI>();
const KeyScript::Finder Chooser = KeyScript::window<skinDlg>();
const KeyScript::Finder Question = KeyScript::window<ZMessageDlg>();
const KeyScript::Finder Preview = KeyScript::window<showPreview>();
const KeyScript::Finder Editor = KeyScript::window<dockDlg>();
const KeyScript::Finder DateDialog = KeyScript::window<dateDlg>();
const KeyScript::Finder Picker = []() -> QWidget * {
    QWidget *w = KeyScript::window<appAddDlg>()();
    return w && static_cast<appAddDlg *>(w)->listBox()->count() > 0 ? w : nullptr;
};

/**
 * The phone as the windows find it: the application in a folder of its own (icons, a language file,
 * start and stop scripts that note in "ran.log" that they ran), three skins, a settings file and
 * registries naming four applications: installed Zulu (an icon file 48 x 32), preloaded Alpha
 * (type 2, an icon by name), Mike (type 0, no folder) and Bravo (Alpha's icon).
 */
struct Phone {
    explicit Phone(bool withLanguage = true, const QString &folder = QStringLiteral("/ezxlocal/Kestrow/"))
    {
        const QStringList icons { "status", "off", "autorun", "refresh", "theme", "title", "skin", "dock" };
        for (int i = 0; i < icons.size(); ++i)
            root.writeImage(folder + "img/" + icons[i] + ".png", 8, 8, QColor::fromHsv(i * 40, 255, 255));
        for (const char *script : { "on.sh", "off.sh" }) {
            const QString path = root.path(folder + QLatin1String(script));
            root.writeFile(folder + QLatin1String(script),
                "#!/bin/sh\necho \"${0##*/}\" >> \"$KESTROW_ROOT/ran.log\"\n");
            QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        }
        root.writeFile(folder + "load.sh", "# the autorun script\n");
        root.writeFile(folder + "zh-cn.lng", Language);
        QDir().mkpath(root.path(QFileInfo(Autorun).path()));
        root.writeFile(SettingsFile::Path, Settings);
        root.writeSkin(QStringLiteral("alpha"), "[General]\nSkinName=Alpha\nAuthor=Ann\n");
        root.writeSkin(QStringLiteral("Zed"), "[General]\nSkinName=Zed\n");
        root.writeSkin(QStringLiteral("moon"), "[General]\nAuthor=Mo\n");
        root.writeImage(QStringLiteral("/apps/zz/zz.png"), 48, 32, Qt::red);
        root.writeImage(QStringLiteral("/usr/data_resource/icons/phone.png"), 30, 30, Qt::blue);
        root.writeFile(AppRegistries::InstalledDb,
            "[zz-id]\nName = Zulu\nAppType = 1\nDirectory = /apps/zz\nIcon = zz.png\nExecId = zz-exec\n");
        root.writeFile(AppRegistries::UserMenuTree, "[Main]\nItems = desk;phone;desk2\n");
        root.writeFile(AppRegistries::SysRegistry,
            "[desk]\nName = Alpha\nAppType = 2\nBigIcon = phone.png\nExecId = alpha.desktop\nDirectory = /x\n"
            "[phone]\nName = Mike\nAppType = 0\nBigIcon = nothing.png\nExecId = phone-exec\n"
            "[desk2]\nName = Bravo\nAppType = 2\nBigIcon = phone.png\nExecId = bravo.desktop\n");
        appDir = root.path(folder);
        AppDir::setFirstArgument(appDir + QStringLiteral("kestrow-setup"));
        if (withLanguage)
            language.emplace(appDir + QStringLiteral("zh-cn.lng"));
    }
    QByteArray file(const QString &phonePath) const
    {
        QFile f(root.path(phonePath));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempDeviceRoot root;
    QString appDir;
    std::optional<InstalledLanguage> language;
};

/** Runs the script inside the event loops its keys open and tells whether it got to its end. */
bool played(KeyScript &script)
{
    script.start();
    return QTest::qWaitFor([&] { return script.finished() || !script.failure().isEmpty(); }, 40000)
        && script.finished();
}

/** Runs the action in the application's loop; true if it asked the application to quit. */
bool quitsDuring(const std::function<void()> &action)
{
    QTimer check; // goes with this call, so that it never ends a later loop
    check.setSingleShot(true);
    QObject::connect(&check, &QTimer::timeout, [] { QCoreApplication::exit(42); });
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            action();
            check.start(0);
        },
        Qt::QueuedConnection);
    return QCoreApplication::exec() != 42;
}

void select(LockUI &ui, int row)
{
    ui.listBox()->setCurrentItem(row);
    QTest::keyClick(ui.listBox(), Qt::Key_Return);
}

// Letters and signs as key presses, Chinese as the input method commits it.
void typeInto(QWidget *field, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(field, c.toLatin1());
            continue;
        }
        QInputMethodEvent event;
        event.setCommitString(c);
        QCoreApplication::sendEvent(field, &event);
    }
}

/**
 * The plug-in's side of "Reload()": a listener on its channel, in a thread of its own, that reads one
 * value of the settings file the moment each "Reload()" arrives. It holds the file's write lock until
 * a writer asks for it and every message sent before has arrived, so a "Reload()" sent before the
 * write finds the file unchanged however fast the writer is.
 */
class ReloadWitness : public QThread
{
public:
    ReloadWitness(QString group, QString key)
        : m_group(std::move(group))
        , m_key(std::move(key))
        , m_lockFile(SettingsFile::filePath() + QStringLiteral(".lock"))
    {
        start();
        m_ready.acquire();
    }
    ~ReloadWitness() override { finish(); }
    /** The values seen, once every message sent so far has arrived. */
    QStringList finish()
    {
        QFile(m_lockFile).open(QIODevice::ReadOnly); // wakes the thread if no writer did
        QCopChannel::send(QString(PhoneChannels::Plugin), "End()");
        wait();
        return m_seen;
    }

protected:
    void run() override
    {
        std::optional<FileLock> lock(std::in_place);
        QString error;
        lock->acquire(m_lockFile, 1000, &error);
        const int watch = inotify_init1(IN_CLOEXEC);
        inotify_add_watch(watch, QFile::encodeName(m_lockFile).constData(), IN_OPEN);
        QCopChannel channel { QString(PhoneChannels::Plugin) };
        connect(&channel, &QCopChannel::received, [this](const QByteArray &message) {
            if (message == PhoneChannels::Reload)
                m_seen << ZConfig(SettingsFile::filePath()).readEntry(m_group, m_key, QStringLiteral("-"));
            m_ended = m_ended || message == "End()";
            if (m_ended)
                quit();
        });
        m_ready.release();
        char event[4096];
        (void)!::read(watch, event, sizeof event);
        ::close(watch);
        QCopChannel::isRegistered(QString(PhoneChannels::Plugin)); // one round trip through the bus
        QCoreApplication::processEvents();
        lock.reset();
        if (!m_ended) // an "End()" handled before the loop runs would not end it
            exec();
    }

private:
    QString m_group;
    QString m_key;
    QString m_lockFile;
    QSemaphore m_ready;
    QStringList m_seen;
    bool m_ended = false;
};

} // namespace

class SetupWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void mainWindowRows_data();
    void mainWindowRows();
    void refreshRow_data();
    void refreshRow();
    void reloadFindsTheFileWritten_data();
    void reloadFindsTheFileWritten();
    void countdownDate_data();
    void countdownDate();
    void picker_data();
    void picker();
    void skinChooser_data();
    void skinChooser();
    void preview_data();
    void preview();
    void mainWidgetDoneQuits();
};

void SetupWindowsTest::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"), "run it under dbus-run-session");
}

// The running and autorun rows as built (row -1) and as toggled: on/off before (plug-in registered when
// built, when pressed, autorun script there), the scripts run, a quit, on/off after, the script after.
void SetupWindowsTest::mainWindowRows_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("ran");
    QTest::addColumn<bool>("quits");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("script");

    const QString app = QStringLiteral("/ezxlocal/Kestrow/");
    const QString load = QStringLiteral("# the autorun script\n");
    QTest::newRow("built, nothing on") << app << "off off off" << -1 << "" << false << "OFF OFF"
                                       << "";
    QTest::newRow("built, both on") << app << "on on on" << -1 << "" << false << "ON ON"
                                    << "x";
    QTest::newRow("start") << app << "off off off" << 0 << "on.sh\n"
                           << true << "ON OFF"
                           << "";
    QTest::newRow("stop") << app << "on on off" << 0 << "off.sh\n"
                          << true << "OFF OFF"
                          << "";
    // The row follows the plug-in started from outside before it is selected: selecting stops it.
    QTest::newRow("started since") << app << "off on off" << 0 << "off.sh\n"
                                   << true << "OFF OFF"
                                   << "";
    QTest::newRow("autorun on") << app << "off off off" << 1 << "" << false << "OFF ON" << load;
    QTest::newRow("autorun off") << app << "off off on" << 1 << "" << false << "OFF OFF"
                                 << "";
    // A folder the shell would split, unquote and run commands from if it were not quoted.
    const QString odd
        = QStringLiteral("/it's $(touch made-by-dollar) `touch made-by-tick`; touch made-by-semi/");
    QTest::newRow("quoted folder, autorun") << odd << "off off off" << 1 << "" << false << "OFF ON" << load;
    QTest::newRow("quoted folder, start") << odd << "off off off" << 0 << "on.sh\n"
                                          << true << "ON OFF"
                                          << "";
}

void SetupWindowsTest::mainWindowRows()
{
    QFETCH(QString, folder);
    QFETCH(QString, before);
    QFETCH(int, row);
    QFETCH(QString, ran);
    QFETCH(bool, quits);
    QFETCH(QString, after);
    QFETCH(QString, script);
    Phone phone(false, folder);
    if (before.endsWith(QLatin1String("on")))
        phone.root.writeFile(Autorun, "x");
    std::optional<QCopChannel> plugin;
    if (before.startsWith(QLatin1String("on")))
        plugin.emplace(QString(PhoneChannels::Plugin));
    StdoutCapture out;
    LockUI ui;
    const QByteArray said = out.text();
    ui.show();
    if (row < 0) {
        QCOMPARE(said,
            "build list item \nget theme info\nskin alpha\nskin cfg " + QFile::encodeName(phone.appDir)
                + "/skin/alpha/skin.cfg\nAlphaAnn\nafter theme info\nlist box item\noption menu \nsoft "
                  "key\nconnect\n");
        const QStringList first { "FT_RUNNING_STATE", "FT_AUTORUN_STATE", "FT_REFRESH_SCREEN",
            "FT_CHG_THEME" };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(ui.listBox()->item(i)->subItem(1, 0), first[i]);
        QCOMPARE(
            ui.listBox()->item(3)->subItem(1, 1), "FT_THEMEAlpha" + QString::fromUtf8("；") + "FT_AUTHORAnn");
    } else {
        if (before.mid(4, 2) == QLatin1String("on") && !plugin)
            plugin.emplace(QString(PhoneChannels::Plugin));
        QTRY_COMPARE(ui.isRunning(), plugin.has_value());
        QCOMPARE(quitsDuring([&] { select(ui, row); }), quits);
    }
    QCOMPARE(QString::fromUtf8(phone.file(QStringLiteral("/ran.log"))), ran);
    QCOMPARE(QString::fromUtf8(phone.file(Autorun)), script);
    const QStringList states = after.split(QLatin1Char(' '));
    const QString keys[2] = { QStringLiteral("FT_CUR_STATE_"), QStringLiteral("FT_AUTORUN_STATE_") };
    const QString icons[2] = { QStringLiteral("status.png"), QStringLiteral("autorun.png") };
    for (int r = 0; r < 2; ++r) {
        QCOMPARE(ui.listBox()->item(r)->subItem(1, 1), keys[r] + states[r]);
        // Each row's icon follows its state: its own "on" icon, or the shared "off" one.
        const QString icon = states[r] == QLatin1String("ON") ? icons[r] : QStringLiteral("off.png");
        QCOMPARE(ui.listBox()->item(r)->pixmap(0).toImage().pixelColor(0, 0),
            QImage(phone.appDir + QStringLiteral("img/") + icon).pixelColor(0, 0));
    }
    QCOMPARE(QDir(phone.root.root()).entryList({ "made-by-*" }) + QDir().entryList({ "made-by-*" }),
        QStringList());
}

// The refresh row's choice: what reaches the plug-in and this root's home screen.
void SetupWindowsTest::refreshRow_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QByteArray>("toPlugin");
    QTest::addColumn<QByteArray>("toHomeScreen");
    QTest::addColumn<bool>("quits");
    QTest::newRow("reload") << Keys { Qt::Key_Return } << QByteArray("Reload()") << QByteArray() << false;
    QTest::newRow("restart") << Keys { Qt::Key_Down, Qt::Key_F1 } << QByteArray() << QByteArray("Restart()")
                             << true;
    QTest::newRow("back") << Keys { Qt::Key_Down, Qt::Key_Escape } << QByteArray() << QByteArray() << false;
}

void SetupWindowsTest::refreshRow()
{
    QFETCH(Keys, keys);
    QFETCH(QByteArray, toPlugin);
    QFETCH(QByteArray, toHomeScreen);
    QFETCH(bool, quits);
    Phone phone(false);
    QByteArray got[3];
    QCopChannel channels[3]
        = { QCopChannel(QString(PhoneChannels::Plugin)), QCopChannel(HomeScreenChannel::name()),
              QCopChannel(QString(HomeScreenChannel::Prefix) + QStringLiteral("/elsewhere")) };
    for (int i = 0; i < 3; ++i)
        connect(&channels[i], &QCopChannel::received, [&got, i](const QByteArray &m) { got[i] += m; });
    LockUI ui;
    ui.show();
    KeyScript script;
    script.press(KeyScript::window<ZSingleSelectDlg>(), keys, QStringLiteral("the refresh choice"));
    script.start();
    QCOMPARE(quitsDuring([&] { select(ui, LockUI::RefreshRow); }), quits);
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    // A message sent last through the same bus arrives after anything the window sent.
    for (const QString &channel : { QString(PhoneChannels::Plugin), HomeScreenChannel::name() })
        QCopChannel::send(channel, "End()");
    QTRY_VERIFY_WITH_TIMEOUT(got[0].endsWith("End()") && got[1].endsWith("End()"), 20000);
    QCOMPARE(got[0], toPlugin + "End()");
    QCOMPARE(got[1], toHomeScreen + "End()");
    QCOMPARE(got[2], QByteArray());
    QCOMPARE(phone.file(QStringLiteral("/ran.log")), QByteArray());
}

// Every writer of the settings file, from the main window's keys: the value the plug-in reads when
// each "Reload()" arrives, and the value stored at the end.
void SetupWindowsTest::reloadFindsTheFileWritten_data()
{
    QTest::addColumn<QString>("key"); // group/key
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("text"); // typed in the countdown's event field
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<QString>("stored");

    // Steps: window:keys, with m = main window, c = chooser, q = question, e = editor, p = picker,
    // d = countdown dialog, t = type the text there, x = drop the command of the picker's second entry.
    QTest::newRow("skin chosen") << "Main/Skin"
                                 << "m:Down Down Down Return|c:Return|q:Return" << QString()
                                 << QStringList { "Zed" } << "Zed";
    QTest::newRow("skin declined") << "Main/Skin"
                                   << "m:Down Down Down Return|c:Return|q:F2|c:F2" << QString()
                                   << QStringList() << "alpha";
    const QString dock = QStringLiteral("m:F1 Return|e:Down Down Down Down Down Down Down Down Down Return|");
    QTest::newRow("dock slot 10") << "DockBar/Exec9" << dock + "p:Down F1|e:F2" << QString()
                                  << QStringList { "alpha.desktop" } << "alpha.desktop";
    QTest::newRow("dock slot 1 then 10") << "DockBar/Exec0"
                                         << "m:F1 Return|e:Return|p:F1|" + dock.mid(12) + "p:Down F1|e:F2"
                                         << QString() << QStringList { "zz-id", "zz-id" } << "zz-id";
    QTest::newRow("dock: Back in the picker")
        << "DockBar/Exec9" << dock + "p:Down F2|e:F2" << QString() << QStringList() << "old9";
    QTest::newRow("dock: an entry without a command")
        << "DockBar/Exec9" << dock + "x:|p:Down F1|e:F2" << QString() << QStringList() << "old9";
    const QString event = QStringLiteral("m:F1 Down Return|d:Down Down Down|t:|d:");
    const QString text = QString::fromUtf8("春节 = 回家; #1 [家]\\n  ");
    QTest::newRow("countdown") << "Notify/Info" << event + "F1" << text << QStringList { text } << text;
    QTest::newRow("countdown: Back") << "Notify/Info" << event + "F2" << text << QStringList() << "old";
}

void SetupWindowsTest::reloadFindsTheFileWritten()
{
    QFETCH(QString, key);
    QFETCH(QString, steps);
    QFETCH(QString, text);
    QFETCH(QStringList, seen);
    QFETCH(QString, stored);
    Phone phone;
    const QStringList groupKey = key.split(QLatin1Char('/'));
    ReloadWitness witness(groupKey[0], groupKey[1]);
    LockUI ui;
    ui.show();
    const QHash<QChar, KeyScript::Finder> windows { { u'm', MainWindow }, { u'c', Chooser },
        { u'q', Question }, { u'e', Editor }, { u'p', Picker }, { u'd', DateDialog } };
    KeyScript script;
    for (const QString &step : steps.split(QLatin1Char('|'))) {
        Keys keys;
        for (const QString &name : step.mid(2).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            keys.push_back(QKeySequence::fromString(name)[0].key());
        if (step[0] == u't')
            script.with(
                DateDialog, [text](QWidget *w) { typeInto(w->focusWidget(), text); }, step);
        else if (step[0] == u'x')
            script.with(
                Picker,
                [](QWidget *w) {
                    auto &entries
                        = const_cast<QList<CatalogueEntry> &>(static_cast<appAddDlg *>(w)->catalogue());
                    entries[1].execId.clear();
                },
                step);
        else
            script.press(windows[step[0]], keys, step);
    }
    QVERIFY2(played(script), qPrintable(script.failure()));
    QCOMPARE(witness.finish(), seen);
    QCOMPARE(ZConfig(SettingsFile::filePath()).readEntry(groupKey[0], groupKey[1]), stored);
    if (seen.isEmpty())
        QCOMPARE(phone.file(SettingsFile::Path), Settings);
    else if (key.startsWith(QLatin1String("Notify")))
        QCOMPARE(SettingsFile::countdownEvent(ZConfig(SettingsFile::filePath())).day,
            unsigned(QDate::currentDate().day()));
}

// Digits typed into year, month and day (Down between them), then Add or Back.
void SetupWindowsTest::countdownDate_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("cancelled");
    QTest::newRow("lowest year") << "1901 Down 06 Down 15 F1" << QDate(1901, 6, 15) << false;
    QTest::newRow("highest year") << "2100 Down 12 Down 31 F1" << QDate(2100, 12, 31) << false;
    QTest::newRow("year below the range") << "1900 Down 06 Down 15 F1" << QDate(1901, 6, 15) << false;
    QTest::newRow("year above the range") << "2101 Down 06 Down 15 F1" << QDate(2100, 6, 15) << false;
    QTest::newRow("left and right step by one")
        << "2000 Left Left Down 06 Right Down 15 F1" << QDate(1998, 7, 15) << false;
    QTest::newRow("month 13 and day 0") << "2024 Down 13 Down 00 F1" << QDate(2024, 12, 1) << false;
    QTest::newRow("31 April is held to the 30th") << "2024 Down 04 Down 31 F1" << QDate(2024, 4, 30) << false;
    QTest::newRow("31 February 2100, no leap year")
        << "2100 Down 02 Down 31 F1" << QDate(2100, 2, 28) << false;
    QTest::newRow("29 February 2000, a leap year")
        << "2000 Down 02 Down 29 F1" << QDate(2000, 2, 29) << false;
    QTest::newRow("Up goes back to the month")
        << "2024 Down 03 Down 09 Up 11 F1" << QDate(2024, 11, 9) << false;
    QTest::newRow("partly typed year") << "7 Down 06 Down 15 F1" << QDate(1901, 6, 15) << false;
    QTest::newRow("a fifth digit starts again")
        << "20501999 Down 06 Down 15 F1" << QDate(1999, 6, 15) << false;
    QTest::newRow("backspace") << "205 Backspace 11 Down 06 Down 15 F1" << QDate(2011, 6, 15) << false;
    QTest::newRow("right stops at the top") << "2100 Right Down 06 Down 15 F1" << QDate(2100, 6, 15) << false;
    QTest::newRow("out of range steps from its bound")
        << "9999 Left Down 06 Down 15 F1" << QDate(2099, 6, 15) << false;
    QTest::newRow("typing in the event field")
        << "Down Down Down a Left b F1" << QDate::currentDate() << false;
    QTest::newRow("back") << "2024 Down 03 Down 09 F2" << QDate(2024, 3, 9) << true;
    QTest::newRow("escape") << "Escape" << QDate::currentDate() << true;
}

void SetupWindowsTest::countdownDate()
{
    QFETCH(QString, keys);
    QFETCH(QDate, date);
    QFETCH(bool, cancelled);
    Phone phone;
    dateDlg dialog;
    QCOMPARE(dialog.eventText(), QString());
    Keys codes;
    for (const QString &name : keys.split(QLatin1Char(' '))) {
        if (name[0].isDigit()) {
            for (const QChar c : name)
                codes.push_back(Qt::Key_0 + c.digitValue());
        } else {
            codes.push_back(QKeySequence::fromString(name)[0].key());
        }
    }
    KeyScript script;
    script.press(DateDialog, codes, QStringLiteral("the dialog"));
    script.start();
    dialog.exec();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QCOMPARE(dialog.isCancelled(), cancelled);
    QCOMPARE(dialog.date(), date);
    // Left and right move the text field's cursor there, not the focus.
    QCOMPARE(dialog.eventText(), keys.contains(QLatin1String(" b ")) ? QStringLiteral("ba") : QString());
}

// The picker's rows keep catalogue order; Downs, then the closing key (-1: closed by the window system).
void SetupWindowsTest::picker_data()
{
    QTest::addColumn<int>("downs");
    QTest::addColumn<int>("close");
    QTest::addColumn<QStringList>("picked"); // exec, type, icon, name; empty when cancelled
    QTest::newRow("installed: its id and icon file")
        << 0 << int(Qt::Key_F1) << QStringList { "zz-id", "1", "/apps/zz/zz.png", "Zulu" };
    QTest::newRow("type 2: its ExecId, the icon by name")
        << 1 << int(Qt::Key_F1) << QStringList { "alpha.desktop", "2", "phone.png", "Alpha" };
    QTest::newRow("type 0 without a folder: its id")
        << 2 << int(Qt::Key_F1) << QStringList { "phone", "0", "nothing.png", "Mike" };
    QTest::newRow("back") << 1 << int(Qt::Key_F2) << QStringList();
    QTest::newRow("escape") << 0 << int(Qt::Key_Escape) << QStringList();
    QTest::newRow("no applications: Add does nothing") << -1 << int(Qt::Key_F2) << QStringList();
    QTest::newRow("closed by a route of its own") << 1 << -1 << QStringList();
}

void SetupWindowsTest::picker()
{
    QFETCH(int, downs);
    QFETCH(int, close);
    QFETCH(QStringList, picked);
    Phone phone;
    appAddDlg picker(QStringLiteral("Dock"));
    QCOMPARE(picker.listBox()->count(), 0); // read once it shows, not before
    KeyScript script;
    if (downs < 0) { // no applications at all: Add does nothing, Back still answers
        for (const QString &registry : { QString(AppRegistries::InstalledDb),
                 QString(AppRegistries::UserMenuTree), QString(AppRegistries::SysRegistry) })
            QFile::remove(phone.root.path(registry));
        script.press(
            KeyScript::window<appAddDlg>(), { Qt::Key_F1, close }, QStringLiteral("Add, then closing"));
    } else {
        script.with(
            Picker,
            [](QWidget *w) {
                ZListBox *list = static_cast<appAddDlg *>(w)->listBox();
                QStringList names;
                for (int i = 0; i < list->count(); ++i)
                    names << list->item(i)->subItem(1, 0);
                QCOMPARE(names, (QStringList { "Zulu", "Alpha", "Mike", "Bravo" }));
                // 48 x 32 shows squeezed to 24 x 24; no icon, no picture; one icon, one shared picture.
                QCOMPARE(list->item(0)->pixmap(0).toImage().pixelColor(12, 12), QColor(Qt::red));
                QCOMPARE(list->item(0)->pixmap(0).size(), QSize(24, 24));
                QVERIFY(list->item(2)->pixmap(0).isNull());
                QCOMPARE(list->item(3)->pixmap(0).cacheKey(), list->item(1)->pixmap(0).cacheKey());
            },
            QStringLiteral("the rows"));
        script.press(Picker, Keys(size_t(downs), Qt::Key_Down), QStringLiteral("the filled list"));
        if (close < 0)
            script.with(
                Picker, [](QWidget *w) { w->close(); }, QStringLiteral("closing"));
        else
            script.press(Picker, { close }, QStringLiteral("closing"));
    }
    script.start();
    picker.exec();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QCOMPARE(picker.isCancelled(), picked.isEmpty());
    if (picked.isEmpty())
        picked = QStringList { "", "", "", "" };
    QCOMPARE(
        (QStringList { picker.pickedExec(), picker.pickedType(), picker.pickedIcon(), picker.pickedName() }),
        picked);
}

// The chooser lists the skins in character-code order; scripts as in reloadFindsTheFileWritten.
void SetupWindowsTest::skinChooser_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("chosen"); // "-": cancelled
    QTest::addColumn<QByteArray>("said");
    QTest::newRow("back") << "c:F2"
                          << "-" << QByteArray("slot quite\n");
    QTest::newRow("confirm") << "c:Down Return|q:Return"
                             << "alpha" << QByteArray("click item 1\n");
    QTest::newRow("decline, then confirm with F1") << "c:Down Down Return|q:Escape|c:Up Return|q:F1"
                                                   << "alpha" << QByteArray("click item 2\nclick item 1\n");
    QTest::newRow("preview of the third row returns to it")
        << "c:Down Down F1|v:F2|c:Return|q:Return"
        << "moon"
        << QByteArray("===== cur dir moon =======\n====== mSkinDir moon=======\n"
                      "======= skin cfg /ezxlocal/Kestrow/skin//moon/skin.cfg=======\nclick item 2\n");
}

void SetupWindowsTest::skinChooser()
{
    QFETCH(QString, steps);
    QFETCH(QString, chosen);
    QFETCH(QByteArray, said);
    Phone phone;
    StdoutCapture out;
    skinDlg chooser;
    const QByteArray scan = out.text();
    QCOMPARE(scan,
        "cur cfg is /ezxlocal/Kestrow/skin/Zed/skin.cfg\ncur cfg is /ezxlocal/Kestrow/skin/alpha/skin.cfg\n"
        "cur cfg is /ezxlocal/Kestrow/skin/moon/skin.cfg\n");
    const QStringList rows { "Zed", "By:", "Alpha", "By:Ann", "", "By:Mo" };
    for (int i = 0; i < 6; ++i)
        QCOMPARE(chooser.listBox()->item(i / 2)->subItem(1, i % 2), rows[i]);
    QCOMPARE(chooser.listBox()->count(), 3);
    StdoutCapture keysOut;
    KeyScript script;
    for (const QString &step : steps.split(QLatin1Char('|'))) {
        Keys keys;
        for (const QString &name : step.mid(2).split(QLatin1Char(' ')))
            keys.push_back(QKeySequence::fromString(name)[0].key());
        script.press(step[0] == u'c' ? Chooser : step[0] == u'q' ? Question : Preview, keys, step);
    }
    script.start();
    chooser.exec();
    QCOMPARE(keysOut.text(), said);
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QCOMPARE(chooser.isCancelled() ? QStringLiteral("-") : chooser.chosenSkin(), chosen);
    // The chooser only chooses: the settings file is the main window's to write.
    QCOMPARE(phone.file(SettingsFile::Path), Settings);
}

// The preview shows kestrow-render's preview frame for the same phone, its countdown from the settings
// file whatever skin that names, and writes nothing.
void SetupWindowsTest::preview_data()
{
    QTest::addColumn<QByteArray>("wallpaper");
    QTest::addColumn<QString>("notify"); // translated: the frame differs from the one rendered
    const QByteArray plain = "/ezxlocal/wallpaper.png";
    QTest::newRow("as rendered, a passed event") << plain << QString::fromUtf8("距离 Trip 已过 10天");
    // A protected wallpaper cannot be shown: the skin's centre image is the background, unscaled.
    QTest::newRow("protected wallpaper")
        << QByteArray("/ezxlocal/w.dcf") << QString::fromUtf8("距离 Trip 已过 10天");
    QTest::newRow("an event ahead, translated") << plain << "Exams in 10 days";
}

void SetupWindowsTest::preview()
{
    QFETCH(QByteArray, wallpaper);
    QFETCH(QString, notify);
    Phone phone;
    QVERIFY(PreviewFixture::writeSkin(phone.root, QStringLiteral("every")));
    phone.root.writeImage(QStringLiteral("/ezxlocal/w.dcf"), 240, 320, Qt::white); // readable, all the same
    phone.root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg"),
        "[SYS_DISPLAY_SET]\nWallpaper=" + wallpaper + "\n");
    phone.root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/battery"), "4\n");
    phone.root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/signal"), "2\n");
    if (!notify.contains(QLatin1String(" in ")))
        phone.root.writeFile(
            SettingsFile::Path, "[Main]\nSkin=other\n[Notify]\nYear=2024\nMonth=2\nDay=20\nInfo=Trip\n");
    const QByteArray before = phone.file(SettingsFile::Path);
    const QString file = phone.root.path(QStringLiteral("/rendered.png"));
    const ProgramRun render = runProgram(builtProgram(QStringLiteral("kestrow-render")),
        { "--root", phone.root.root(), "--skin", "every", "--at", "2024-03-01 10:08:37", "--preview", "-o",
            file });
    QVERIFY2(render.exitCode == 0, render.err.constData());
    const QImage rendered = QImage(file).convertToFormat(QImage::Format_RGB32);

    const FixedClock clock(ClockReading { 2024, 3, 1, 10, 8, 37, 5 });
    showPreview preview(QStringLiteral("every"));
    preview.setClock(&clock);
    QCOMPARE(preview.windowTitle(), QStringLiteral("Theme preview"));
    QImage window;
    QTimer::singleShot(0, &preview, [&] {
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        window = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QTest::keyClick(&preview, Qt::Key_F2);
    });
    QCOMPARE(preview.exec(), 0);
    QCOMPARE(preview.renderer().notifyText(), notify);
    QCOMPARE(phone.file(SettingsFile::Path), before);
    if (notify.contains(QLatin1String(" in ")))
        return;
    QCOMPARE(preview.renderer().frame().convertToFormat(QImage::Format_RGB32), rendered);
    // The window shows the frame between its title bar and its soft keys.
    QCOMPARE(window.copy(0, 40, 240, 200), rendered.copy(0, 40, 240, 200));
    if (wallpaper.endsWith(".dcf"))
        QCOMPARE(rendered.pixel(120, 300), qRgb(0, 0, 0));
}

void SetupWindowsTest::mainWidgetDoneQuits()
{
    Phone phone;
    showPreview window(QStringLiteral("alpha"));
    ZApplication::setMainWidget(&window);
    window.show();
    QVERIFY(quitsDuring([&] { window.done(5); }));
    ZApplication::setMainWidget(nullptr);
    showPreview other(QStringLiteral("alpha"));
    QTimer::singleShot(0, &other, [&other] { other.done(7); });
    QCOMPARE(other.exec(), 7);
    QVERIFY(!quitsDuring([&] {
        other.show();
        other.done(5);
    }));
}

QTEST_MAIN(SetupWindowsTest)
#include "setupwindowstest.moc"
