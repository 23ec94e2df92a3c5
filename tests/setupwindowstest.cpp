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
#include "render/fixedclock.h"
#include "setup/appadddlg.h"
#include "setup/appdir.h"
#include "setup/datedlg.h"
#include "setup/dockdlg.h"
#include "setup/lockui.h"
#include "setup/showpreview.h"
#include "setup/skindlg.h"
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
const QString Event = QString::fromUtf8("春节 = 回家; #1 [家]\\n  ");
const QByteArray Language = "[LNG]\nFT_ADD=Add\nFT_BACK=Back\nFT_AUTHOR=By:\nFT_CONFIRM_USE=Use "
                            "\nFT_CHG_THEME=Skin\nFT_PREVIEW=View\n"
                            "FT_THEME_PREVIEW=Theme preview\nFT_DOCKBAR=Dock:\nFT_10=ten\n"
                            "距离 %1 还有 %2天=%1 in %2 days\n";
// The windows a script waits for: m = main window, c = chooser, q = question, v = preview, e = dock
// editor, p = picker (once its list is filled), d = countdown dialog.
const QHash<QChar, KeyScript::Finder> Windows { { u'm', KeyScript::window<LockUI>() },
    { u'c', KeyScript::window<skinDlg>() }, { u'q', KeyScript::window<ZMessageDlg>() },
    { u'v', KeyScript::window<showPreview>() }, { u'e', KeyScript::window<dockDlg>() },
    { u'd', KeyScript::window<dateDlg>() },
    { u'p', []() -> QWidget * {
         QWidget *w = KeyScript::window<appAddDlg>()();
         return w && static_cast<appAddDlg *>(w)->listBox()->count() > 0 ? w : nullptr;
     } } };

// The phone: the application in a folder of its own (icons, a language file, scripts that note in
// "ran.log" that they ran), three skins, a settings file and the registries of four applications.
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

/** Key names ("Down", "F1"); a run of digits is one key per digit. */
Keys keysOf(const QString &names)
{
    Keys keys;
    for (const QString &name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        for (const QChar c : name[0].isDigit() ? name : QString())
            keys.push_back(Qt::Key_0 + c.digitValue());
        if (!name[0].isDigit())
            keys.push_back(QKeySequence::fromString(name)[0].key());
    }
    return keys;
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
    void mainWindowRows_data();
    void mainWindowRows();
    void reloadFindsTheFileWritten_data();
    void reloadFindsTheFileWritten();
    void countdownDate_data();
    void countdownDate();
    void picker_data();
    void picker();
    void preview_data();
    void preview();
    void mainWidgetDoneQuits();
};

// The main window's rows as built (row -1) and as pressed: on/off before (plug-in registered when built,
// when pressed, autorun script there), keys in the refresh choice, a quit, on/off after and the scripts
// run, and the messages sent to the plug-in and to this root's home screen.
void SetupWindowsTest::mainWindowRows_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("quits");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QByteArray>("sent");

    const QString app = QStringLiteral("/ezxlocal/Kestrow/");
    const QByteArray none("|");
    QTest::newRow("built, nothing on") << app << "off off off" << -1 << "" << false << "OFF OFF" << none;
    QTest::newRow("built, both on") << app << "on on on" << -1 << "" << false << "ON ON" << none;
    QTest::newRow("start") << app << "off off off" << 0 << "" << true << "ON OFF on.sh" << none;
    QTest::newRow("stop") << app << "on on off" << 0 << "" << true << "OFF OFF off.sh" << none;
    // The row follows the plug-in started from outside before it is selected: selecting stops it.
    QTest::newRow("started since") << app << "off on off" << 0 << "" << true << "OFF OFF off.sh" << none;
    QTest::newRow("autorun on") << app << "off off off" << 1 << "" << false << "OFF ON" << none;
    QTest::newRow("autorun off") << app << "off off on" << 1 << "" << false << "OFF OFF" << none;
    // A folder the shell would split, unquote and run commands from if it were not quoted.
    const QString odd
        = QStringLiteral("/it's $(touch made-by-dollar) `touch made-by-tick`; touch made-by-semi/");
    QTest::newRow("quoted folder, autorun") << odd << "off off off" << 1 << "" << false << "OFF ON" << none;
    QTest::newRow("quoted folder, start")
        << odd << "off off off" << 0 << "" << true << "ON OFF on.sh" << none;
    QTest::newRow("reload") << app << "on on off" << 2 << "Return" << false << "ON OFF"
                            << QByteArray("Reload()|");
    QTest::newRow("restart") << app << "on on off" << 2 << "Down F1" << true << "ON OFF"
                             << QByteArray("|Restart()");
    QTest::newRow("refresh: back") << app << "on on off" << 2 << "Down Escape" << false << "ON OFF" << none;
}

void SetupWindowsTest::mainWindowRows()
{
    QFETCH(QString, folder);
    QFETCH(QString, before);
    QFETCH(int, row);
    QFETCH(QString, keys);
    QFETCH(bool, quits);
    QFETCH(QString, after);
    QFETCH(QByteArray, sent);
    Phone phone(false, folder);
    if (before.endsWith(QLatin1String("on")))
        phone.root.writeFile(Autorun, "x");
    QByteArray got[3];
    std::optional<QCopChannel> channels[3];
    const auto listen = [&](int i, const QString &name) {
        connect(&channels[i].emplace(name), &QCopChannel::received,
            [&got, i](const QByteArray &m) { got[i] += m; });
    };
    if (row == LockUI::RefreshRow) {
        listen(1, HomeScreenChannel::name());
        listen(2, QString(HomeScreenChannel::Prefix) + QStringLiteral("/elsewhere"));
    }
    if (before.startsWith(QLatin1String("on")))
        listen(0, QString(PhoneChannels::Plugin));
    LockUI ui;
    ui.show();
    // Built from the skin named in the settings file, in the application's own folder.
    if (row < 0)
        QCOMPARE(
            ui.listBox()->item(3)->subItem(1, 1), "FT_THEMEAlpha" + QString::fromUtf8("；") + "FT_AUTHORAnn");
    if (before.mid(4, 2) == QLatin1String("on") && !channels[0])
        listen(0, QString(PhoneChannels::Plugin));
    KeyScript script;
    if (!keys.isEmpty()) {
        script.press(
            KeyScript::window<ZSingleSelectDlg>(), keysOf(keys), QStringLiteral("the refresh choice"));
        script.start();
    }
    if (row >= 0) {
        QTRY_COMPARE(ui.isRunning(), channels[0].has_value());
        QCOMPARE(quitsDuring([&] { select(ui, row); }), quits);
    }
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    const QStringList states = after.split(QLatin1Char(' '));
    QCOMPARE(QString::fromUtf8(phone.file(QStringLiteral("/ran.log"))).split(u'\n', Qt::SkipEmptyParts),
        states.mid(2));
    QCOMPARE(phone.file(Autorun),
        states[1] == QLatin1String("OFF")          ? ""
            : before.endsWith(QLatin1String("on")) ? "x"
                                                   : "# the autorun script\n");
    const QString labels[2] = { QStringLiteral("FT_CUR_STATE_"), QStringLiteral("FT_AUTORUN_STATE_") };
    for (int r = 0; r < 2; ++r)
        QCOMPARE(ui.listBox()->item(r)->subItem(1, 1), labels[r] + states[r]);
    QCOMPARE(QDir(phone.root.root()).entryList({ "made-by-*" }) + QDir().entryList({ "made-by-*" }),
        QStringList());
    // A message sent last through the same bus arrives after anything the window sent.
    for (int i = 0; i < 2; ++i) {
        if (channels[i])
            QCopChannel::send(channels[i]->channel(), "End()");
    }
    QTRY_VERIFY_WITH_TIMEOUT(
        (!channels[1] || got[1].endsWith("End()")) && (!channels[0] || got[0].endsWith("End()")), 20000);
    QCOMPARE(QByteArray(got[0] + '|' + got[1] + got[2]).replace("End()", ""), sent);
}

// Every writer of the settings file, from the main window's keys: the value the plug-in reads when
// each "Reload()" arrives, and the value stored at the end.
void SetupWindowsTest::reloadFindsTheFileWritten_data()
{
    QTest::addColumn<QString>("key"); // group/key; a dock slot's command, with its type, icon and name
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<QString>("stored");

    // Steps: window:keys (see Windows), t = type Event in the countdown dialog, x = drop the picker's
    // second command. The chooser lists Zed, alpha and moon (no name of its own): in character-code
    // order, by folder; the picker Zulu, Alpha, Mike and Bravo: in catalogue order.
    const QString theme = QStringLiteral("m:Down Down Down Return|");
    QTest::newRow("skin: the third through its preview")
        << "Main/Skin" << theme + "c:Down Down F1|v:F2|c:Return|q:Return" << QStringList { "moon" } << "moon";
    QTest::newRow("skin: declined, then another with F1")
        << "Main/Skin" << theme + "c:Down Return|q:Escape|c:Up Return|q:F1" << QStringList { "Zed" } << "Zed";
    QTest::newRow("skin: declined, then Back")
        << "Main/Skin" << theme + "c:Return|q:F2|c:F2" << QStringList() << "alpha";
    const QString dock = QStringLiteral("m:F1 Return|e:Down Down Down Down Down Down Down Down Down Return|");
    QTest::newRow("dock slot 10: type 2 by its ExecId, the icon by name")
        << "DockBar/Exec9" << dock + "p:Down F1|e:F2" << QStringList { "alpha.desktop" }
        << "alpha.desktop 2 phone.png Alpha";
    QTest::newRow("dock slot 1 then 10: installed, its id and icon file")
        << "DockBar/Exec0"
        << "m:F1 Return|e:Return|p:F1|" + dock.mid(12) + "p:Down F1|e:F2" << QStringList { "zz-id", "zz-id" }
        << "zz-id 1 /apps/zz/zz.png Zulu";
    QTest::newRow("dock: Back in the picker")
        << "DockBar/Exec9" << dock + "p:Down F2|e:F2" << QStringList() << "old9   ";
    QTest::newRow("dock: an entry without a command")
        << "DockBar/Exec9" << dock + "x:|p:Down F1|e:F2" << QStringList() << "old9   ";
    const QString event = QStringLiteral("m:F1 Down Return|d:Down Down Down|t:|d:");
    QTest::newRow("countdown") << "Notify/Info" << event + "F1" << QStringList { Event } << Event;
    QTest::newRow("countdown: Back") << "Notify/Info" << event + "F2" << QStringList() << "old";
}

void SetupWindowsTest::reloadFindsTheFileWritten()
{
    QFETCH(QString, key);
    QFETCH(QString, steps);
    QFETCH(QStringList, seen);
    QFETCH(QString, stored);
    Phone phone;
    const QStringList groupKey = key.split(QLatin1Char('/'));
    ReloadWitness witness(groupKey[0], groupKey[1]);
    LockUI ui;
    ui.show();
    KeyScript script;
    for (const QString &step : steps.split(QLatin1Char('|'))) {
        if (step[0] == u't')
            script.with(
                Windows[u'd'], [](QWidget *w) { typeInto(w->focusWidget(), Event); }, step);
        else if (step[0] == u'x')
            script.with(
                Windows[u'p'],
                [](QWidget *w) {
                    auto &entries
                        = const_cast<QList<CatalogueEntry> &>(static_cast<appAddDlg *>(w)->catalogue());
                    entries[1].execId.clear();
                },
                step);
        else
            script.press(Windows[step[0]], keysOf(step.mid(2)), step);
    }
    script.start();
    QVERIFY2(QTest::qWaitFor([&] { return script.finished() || !script.failure().isEmpty(); }, 40000)
            && script.finished(),
        qPrintable(script.failure()));
    QCOMPARE(witness.finish(), seen);
    QStringList values;
    for (const char *part : { "Exec", "Type", "Icon", "Name" }) {
        if (part[0] == 'E' || key.startsWith(QLatin1String("Dock")))
            values << ZConfig(SettingsFile::filePath())
                          .readEntry(groupKey[0], QString(groupKey[1]).replace("Exec", part));
    }
    QCOMPARE(values.join(u' '), stored);
    if (seen.isEmpty())
        QCOMPARE(phone.file(SettingsFile::Path), Settings);
    else if (key.startsWith(QLatin1String("Notify")))
        QCOMPARE(SettingsFile::countdownEvent(ZConfig(SettingsFile::filePath())).day,
            unsigned(QDate::currentDate().day()));
}

// Digits typed into year, month and day (Down between them), then Add (F1) or Back.
void SetupWindowsTest::countdownDate_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QDate>("date");
    QTest::newRow("year below the range") << "1900 Down 06 Down 15 F1" << QDate(1901, 6, 15);
    QTest::newRow("year above the range") << "2101 Down 06 Down 15 F1" << QDate(2100, 6, 15);
    QTest::newRow("left and right step by one")
        << "2000 Left Left Down 06 Right Down 15 F1" << QDate(1998, 7, 15);
    QTest::newRow("month 13 and day 0") << "2024 Down 13 Down 00 F1" << QDate(2024, 12, 1);
    QTest::newRow("31 April is held to the 30th") << "2024 Down 04 Down 31 F1" << QDate(2024, 4, 30);
    QTest::newRow("31 February 2100, no leap year") << "2100 Down 02 Down 31 F1" << QDate(2100, 2, 28);
    QTest::newRow("29 February 2000, a leap year") << "2000 Down 02 Down 29 F1" << QDate(2000, 2, 29);
    QTest::newRow("Up goes back to the month") << "2024 Down 03 Down 09 Up 11 F1" << QDate(2024, 11, 9);
    QTest::newRow("a fifth digit starts again") << "20501999 Down 06 Down 15 F1" << QDate(1999, 6, 15);
    QTest::newRow("backspace after one digit")
        << "5 Backspace Down 06 Down 15 F1" << QDate(QDate::currentDate().year(), 6, 15);
    QTest::newRow("backspace") << "205 Backspace 11 Down 06 Down 15 F1" << QDate(2011, 6, 15);
    QTest::newRow("out of range steps from its bound")
        << "9999 Left Down 06 Down 15 F1" << QDate(2099, 6, 15);
    QTest::newRow("typing in the event field") << "Down Down Down a Left b F1" << QDate::currentDate();
    QTest::newRow("back") << "2024 Down 03 Down 09 F2" << QDate(2024, 3, 9);
    QTest::newRow("escape") << "Escape" << QDate::currentDate();
}

void SetupWindowsTest::countdownDate()
{
    QFETCH(QString, keys);
    QFETCH(QDate, date);
    Phone phone;
    dateDlg dialog;
    QCOMPARE(dialog.eventText(), QString());
    KeyScript script;
    script.press(Windows[u'd'], keysOf(keys), QStringLiteral("the dialog"));
    script.start();
    dialog.exec();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QCOMPARE(dialog.isCancelled(), !keys.endsWith(QLatin1String("F1")));
    QCOMPARE(dialog.date(), date);
    // Left and right move the text field's cursor there, not the focus.
    QCOMPARE(dialog.eventText(), keys.contains(QLatin1String(" b ")) ? QStringLiteral("ba") : QString());
}

// The picker's rows in catalogue order with their icons; Downs, then the closing key (-1: closed by the
// window system), each leaving nothing picked. (What it picks: reloadFindsTheFileWritten.)
void SetupWindowsTest::picker_data()
{
    QTest::addColumn<int>("downs");
    QTest::addColumn<int>("close");
    QTest::newRow("escape") << 0 << int(Qt::Key_Escape);
    QTest::newRow("no applications: Add does nothing") << -1 << int(Qt::Key_F2);
    QTest::newRow("closed by a route of its own") << 1 << -1;
}

void SetupWindowsTest::picker()
{
    QFETCH(int, downs);
    QFETCH(int, close);
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
            Windows[u'p'],
            [](QWidget *w) {
                ZListBox *list = static_cast<appAddDlg *>(w)->listBox();
                QStringList names;
                for (int i = 0; i < list->count(); ++i)
                    names << list->item(i)->subItem(1, 0);
                QCOMPARE(names, (QStringList { "Zulu", "Alpha", "Mike", "Bravo" }));
                // 48 x 32 shows squeezed to 24 x 24; no icon, no picture.
                QCOMPARE(list->item(0)->pixmap(0).toImage().pixelColor(12, 12), QColor(Qt::red));
                QCOMPARE(list->item(0)->pixmap(0).size(), QSize(24, 24));
                QVERIFY(list->item(2)->pixmap(0).isNull());
            },
            QStringLiteral("the rows"));
        script.press(Windows[u'p'], Keys(size_t(downs), Qt::Key_Down), QStringLiteral("the filled list"));
        if (close < 0)
            script.with(
                Windows[u'p'], [](QWidget *w) { w->close(); }, QStringLiteral("closing"));
        else
            script.press(Windows[u'p'], { close }, QStringLiteral("closing"));
    }
    script.start();
    picker.exec();
    QVERIFY2(script.finished(), qPrintable(script.failure()));
    QVERIFY(picker.isCancelled());
    QCOMPARE(
        picker.pickedExec() + picker.pickedType() + picker.pickedIcon() + picker.pickedName(), QString());
}

// The preview shows kestrow-render's preview frame for the same phone (the clock, the status, the wallpaper,
// no cover), its countdown from the settings file whatever skin that names, and writes nothing.
void SetupWindowsTest::preview_data()
{
    QTest::addColumn<QString>("notify"); // translated: the frame differs from the one rendered
    QTest::newRow("as rendered, a passed event") << QString::fromUtf8("距离 Trip 已过 10天");
    QTest::newRow("an event ahead, translated") << "Exams in 10 days";
}

void SetupWindowsTest::preview()
{
    QFETCH(QString, notify);
    Phone phone;
    const QString skin = QStringLiteral("/ezxlocal/Kestrow/skin/every/");
    phone.root.writeSkin(QStringLiteral("every"),
        "[Background]\nMidIMG=c.png\n[FramwCover]\nShow=true\nImg=c.png\n[Img]\nLeft=180\nTop=150\n"
        "[Analog]\nShow=true\nBackIMG=c.png\nHourIMG=h.png\nMinIMG=h.png\nSecIMG=h.png\nLeft=10\nTop=30\n"
        "[Lunar]\nShow=true\nFontSize=10\nFontColor=16777215\nLeft=80\nTop=110\n"
        "[Battery]\nShow=true\nLeft=200\nTop=0\nLevel0=h.png\nLevel1=h.png\nLevel2=c.png\nLevel3=c.png\n"
        "[Notify]\nShow=true\nFontSize=10\nFontColor=16776960\nLeft=10\nTop=140\n");
    phone.root.writeImage(skin + "c.png", 40, 20, Qt::yellow);
    phone.root.writeImage(skin + "h.png", 4, 40, Qt::darkBlue);
    phone.root.writeImage(QStringLiteral("/ezxlocal/w.png"), 240, 320, Qt::darkCyan);
    phone.root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg"),
        "[SYS_DISPLAY_SET]\nWallpaper=/ezxlocal/w.png\n");
    phone.root.writeFile(QStringLiteral("/ezxlocal/Kestrow/run/battery"), "3\n");
    phone.root.writeFile(SettingsFile::Path,
        notify.contains(QLatin1String(" in "))
            ? "[Notify]\nYear=2024\nMonth=3\nDay=11\nInfo=Exams\n"
            : "[Main]\nSkin=other\n[Notify]\nYear=2024\nMonth=2\nDay=20\nInfo=Trip\n");
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
    const QByteArray before = phone.file(SettingsFile::Path);
    QCOMPARE(preview.exec(), 0);
    QCOMPARE(preview.renderer().notifyText(), notify);
    QCOMPARE(phone.file(SettingsFile::Path), before);
    if (notify.contains(QLatin1String(" in ")))
        return;
    QCOMPARE(preview.renderer().frame().convertToFormat(QImage::Format_RGB32), rendered);
    // The window shows the frame between its title bar and its soft keys.
    QCOMPARE(window.copy(0, 40, 240, 200), rendered.copy(0, 40, 240, 200));
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
