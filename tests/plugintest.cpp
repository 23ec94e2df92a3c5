// The plug-in as a host sees it: keys, the phone's messages and reloads on a running instance over a
// device root, the launches it asks for, and the shared library's entry points.

#include "host/hostcontext.h"
#include "platform/amlauncherclient.h"
#include "platform/hsplugin.h"
#include "platform/phonekeys.h"
#include "platform/phonepaths.h"
#include "plugin/MyPlugin.h"
#include "plugin/reloadrequests.h"
#include "testsupport.h"

#include <QtTest>

#include <dlfcn.h>
#include <memory>

using namespace PhoneKeys;

namespace {

const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
const QString Library = QStringLiteral(KESTROW_LIB_DIR "/libidlepane.so.1");
constexpr int Bound = 60000;

/**
 * A running plug-in over a device root whose skin "default" is one dark cyan screen with a dock of
 * `num` 10 x 10 yellow icons at x = 0, 40, 80 (y = 200) that grow to 20 x 20 when focused.
 */
class PluginFixture : public QObject
{
public:
    explicit PluginFixture(bool dock = true, int num = 3)
    {
        QByteArray cfg = "[Background]\nMidIMG=mid.png\n[DockBar]\nShow="
            + QByteArray(dock ? "true" : "false") + "\nNum=" + QByteArray::number(num) + '\n';
        for (int i = 0; i < 3; ++i) {
            const QByteArray n = QByteArray::number(i);
            cfg += "Left" + n + '=' + QByteArray::number(40 * i) + "\nTop" + n + "=200\nSizeWidth" + n
                + "=10\nSizeHeight" + n + "=10\nWidgetWidth" + n + "=20\nWidgetHeight" + n + "=20\n";
        }
        ready = root.writeImage(
                    QStringLiteral("/ezxlocal/Kestrow/skin/default/mid.png"), 240, 320, Qt::darkCyan)
            && root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/default/dock.png"), 10, 10, Qt::yellow)
            && root.writeSkin(QStringLiteral("default"), cfg);
        m_widget.resize(240, 273);
        m_widget.show();
        ready = ready && QTest::qWaitForWindowExposed(&m_widget, Bound);
        m_widget.installEventFilter(this);
        plugin = std::make_unique<MyPluginClass>(&m_context);
        plugin->initialize();
    }

    QImage shown() { return m_widget.grab().toImage(); }
    /** The dock slot shown focused, or -1. */
    int focusShown()
    {
        const QImage image = shown();
        for (int slot = 0; slot < 3; ++slot) {
            if (image.pixelColor(40 * slot + 15, 215) == QColor(Qt::yellow))
                return slot;
        }
        return -1;
    }
    void press(int key, int value = KeyPressEvent)
    {
        HSFrameworkType::HSEvent event;
        event.value = value;
        plugin->handleEvent(event, key);
    }
    bool timerRunning() const { return m_widget.findChild<QTimer *>()->isActive(); }
    /** Each launch of the log as "id|initiator", in order. */
    QStringList launches() const
    {
        QFile log(root.path(AM_LauncherClient::launchLogPath()));
        QStringList result;
        for (const QByteArray &line :
            (log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray()).split('\n'))
            result << QString::fromUtf8(line.split('\t').value(0) + '|' + line.split('\t').value(2));
        return result.mid(0, result.size() - 1);
    }

    TempDeviceRoot root;
    bool ready = false;
    int frames = 0;
    std::unique_ptr<MyPluginClass> plugin;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_widget && event->type() == QEvent::Paint)
            ++frames;
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget m_widget;
    HostContext m_context { &m_widget };
};

} // namespace

class PluginTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void keys_data();
    void keys();
    void messages_data();
    void messages();
    void reloadIsOneLoadPerBurst();
    void launchesFromTheRegistry_data();
    void launchesFromTheRegistry();
    void libraryEntryPoints_data();
    void libraryEntryPoints();

private:
    QTemporaryDir m_xdg;
};

void PluginTest::initTestCase()
{
    // GLib reads the data folders once per process: they are set before any launch looks them up.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg.path()));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_xdg.filePath(QStringLiteral("system"))));
    QVERIFY(QDir(m_xdg.path()).mkpath(QStringLiteral("applications")));
    for (const char *entry : { "both", "desktoponly" }) {
        QFile file(m_xdg.filePath(QStringLiteral("applications/%1.desktop").arg(QLatin1String(entry))));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Desktop Entry]\nType=Application\nName=x\nExec=touch "
            + QFile::encodeName(m_xdg.filePath(QStringLiteral("desktop-ran"))));
    }
}

void PluginTest::keys_data()
{
    // Keys: Left, Right, Up, Down, Select or another (x); foci shown at once after each ("-": none).
    QTest::addColumn<bool>("dock");
    QTest::addColumn<int>("num");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("foci");
    QTest::addColumn<QString>("launched");
    const auto row = [](const char *name, bool dock, int num, const char *keys, const char *foci,
                         const char *launched = "", int value = KeyPressEvent) {
        QTest::newRow(name) << dock << num << value << QString::fromLatin1(keys) << QString::fromLatin1(foci)
                            << QString::fromLatin1(launched);
    };
    row("right wraps", true, 3, "RRRR", "0120");
    row("left wraps through none", true, 3, "LLLLL", "210-2");
    row("one slot", true, 1, "RRLL", "00-0");
    row("no slots", true, 0, "RLS", "---");
    row("select without focus", true, 3, "S", "-");
    row("select slot 2, then 0", true, 3, "LSRS", "2200", "app.two app.zero");
    row("up and down with the dock", true, 3, "UD", "--", "nav.three nav.one");
    row("dock hidden", false, 3, "LRUDS", "-----", "nav.four nav.two nav.three nav.one");
    row("other keys", true, 3, "x", "-");
    row("key release", true, 3, "LRUDS", "-----", "", 0);
    row("other event value", true, 3, "LRUDS", "-----", "", 2);
}

void PluginTest::keys()
{
    QFETCH(bool, dock);
    QFETCH(int, num);
    QFETCH(int, value);
    QFETCH(QString, keys);
    QFETCH(QString, foci);
    QFETCH(QString, launched);
    PluginFixture f(dock, num);
    QVERIFY(f.ready);
    // Written after the load: a key reads the dock and the navigation shortcuts when it is pressed.
    f.root.writeFile(Settings, "[DockBar]\nExec0=app.zero\nExec1=app.one\nExec2=app.two\n");
    f.root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_idle.cfg"),
        "[NaviKeyPlugin]\nShortcutID1=nav.one\nShortcutID2=nav.two\nShortcutID3=nav.three\nShortcutID4=nav."
        "four\n");
    const QHash<QChar, int> codes { { u'L', Left }, { u'R', Right }, { u'U', Up }, { u'D', Down },
        { u'S', Select }, { u'x', 0x1016 } };
    for (int i = 0; i < keys.size(); ++i) {
        f.press(codes.value(keys[i]), value);
        QCOMPARE(f.focusShown(), foci[i] == u'-' ? -1 : foci[i].digitValue());
    }
    QStringList expected;
    for (const QString &id : launched.split(u' ', Qt::SkipEmptyParts))
        expected << id + QStringLiteral("|0");
    QCOMPARE(f.launches(), expected);
}

void PluginTest::messages_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QByteArray>("message"); // or "focusIn()" / "focusOut()" from the host
    QTest::addColumn<bool>("runningAfter");
    QTest::addColumn<int>("framesAtOnce");
    QTest::addColumn<bool>("focusCleared");
    for (const QString &state : { QStringLiteral("running"), QStringLiteral("paused") }) {
        const bool running = state == QLatin1String("running");
        auto row = [&](const char *message, bool after, int frames, bool cleared) {
            QTest::addRow("%s, %s", qPrintable(state), message)
                << state << QByteArray(message) << after << frames << cleared;
        };
        row("LCDOn", true, 1, true);
        row("DPL_BKLGT_RESTORED", true, 1, true);
        row("IDLE_FOCUS_IN", true, 1, true);
        row("focusIn()", true, 1, true);
        row("LCDOff", false, 0, true);
        row("IDLE_FOCUS_OUT", false, 0, true);
        row("focusOut()", false, 0, true);
        row("Reload()", true, 0, true);
        row("reload()", running, 0, false);
        row("LCDON", running, 0, false);
        row("", running, 0, false);
    }
    // Before the host starts the plug-in, the phone's messages are not for it.
    for (const char *message : { "LCDOn", "IDLE_FOCUS_IN", "Reload()" })
        QTest::addRow("not started, %s", message)
            << QStringLiteral("not started") << QByteArray(message) << false << 0 << false;
}

void PluginTest::messages()
{
    QFETCH(QString, state);
    QFETCH(QByteArray, message);
    QFETCH(bool, runningAfter);
    QFETCH(int, framesAtOnce);
    QFETCH(bool, focusCleared);
    PluginFixture f;
    QVERIFY(f.ready);
    if (state != QLatin1String("not started"))
        f.plugin->start();
    if (state == QLatin1String("paused"))
        f.plugin->stop();
    f.press(Right);
    QCOMPARE(f.focusShown(), 0);
    const int frames = f.frames;
    QPoint point;
    if (message == "focusIn()")
        f.plugin->focusIn(0, point);
    else if (message == "focusOut()")
        f.plugin->focusOut(point, QString());
    else
        f.plugin->slotSystemMessage(message, QByteArray("ignored data"));
    QCOMPARE(f.timerRunning(), runningAfter);
    QCOMPARE(f.frames - frames, framesAtOnce);
    f.plugin->timerEvent();
    QCOMPARE(f.focusShown(), focusCleared ? -1 : 0);
}

void PluginTest::reloadIsOneLoadPerBurst()
{
    PluginFixture f;
    QVERIFY(f.ready);
    f.plugin->start();
    f.plugin->slotSystemMessage("LCDOff", QByteArray());
    f.root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/red/mid.png"), 240, 320, Qt::red);
    f.root.writeSkin(QStringLiteral("red"), "[Background]\nMidIMG=mid.png\n");
    f.root.writeFile(Settings, "[Main]\nSkin=red\n");
    const ReloadRequests *reloads = f.plugin->findChild<ReloadRequests *>();
    QVERIFY(reloads);
    // Any client on the bus may pour requests in: those that arrive together are one load, on a later
    // turn, and the plug-in runs again even with the display off.
    for (int i = 0; i < 1000; ++i)
        f.plugin->slotSystemMessage("Reload()", QByteArray());
    QVERIFY(f.timerRunning());
    QCOMPARE(reloads->carriedOut(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(reloads->carriedOut(), 1, Bound);
    f.plugin->timerEvent();
    QCOMPARE(f.shown().pixelColor(10, 10), QColor(Qt::red));
    QCOMPARE(f.shown().pixelColor(5, 205), QColor(Qt::red)); // the new skin has no dock
    // Those that arrive just after a load are one more load, after it.
    for (int i = 0; i < 1000; ++i)
        f.plugin->slotSystemMessage("Reload()", QByteArray());
    QCOMPARE(reloads->carriedOut(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(reloads->carriedOut(), 2, Bound);
    QVERIFY(!reloads->isPending());
}

void PluginTest::launchesFromTheRegistry_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("group"); // Directory and ExecId in the registry; none: no registry
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("ran"); // "run.sh" in /ezxlocal/Apps, the "desktop" entry, or nothing
    const auto row
        = [](const char *name, const char *id, const QStringList &group, bool started, const char *ran) {
              QTest::newRow(name) << QString::fromLatin1(id) << group << started << QString::fromLatin1(ran);
          };
    row("installed", "app", { "/ezxlocal/Apps", "run.sh" }, true, "run.sh");
    row("registry before a desktop entry", "both.desktop", { "/ezxlocal/Apps", "run.sh" }, true, "run.sh");
    row("group without program keys", "desktoponly.desktop", { "", "" }, true, "desktop");
    row("no registry", "desktoponly", {}, true, "desktop");
    row("in no registry", "nothing", {}, false, "");
    row("folder outside the root", "escape", { "/ezxlocal/../../..", "run.sh" }, false, "");
    row("ExecId with a folder", "slash", { "/ezxlocal", "Apps/run.sh" }, false, "");
    row("ExecId ..", "dots", { "/ezxlocal/Apps", ".." }, false, "");
    row("relative folder", "relative", { "ezxlocal/Apps", "run.sh" }, false, "");
    row("not executable", "plain", { "/ezxlocal/Apps", "plain.sh" }, false, "");
}

void PluginTest::launchesFromTheRegistry()
{
    QFETCH(QString, id);
    QFETCH(QStringList, group);
    QFETCH(bool, started);
    QFETCH(QString, ran);
    const QString desktopMark = m_xdg.filePath(QStringLiteral("desktop-ran"));
    QFile::remove(desktopMark);
    TempDeviceRoot root;
    const QByteArray program
        = "#!/bin/sh\necho \"$KESTROW_ROOT|$(pwd)\" > \"$KESTROW_ROOT/ran-$(basename \"$0\")\"\n";
    for (const char *script : { "/ezxlocal/Apps/run.sh", "/run.sh", "/ezxlocal/Apps/plain.sh" }) {
        QVERIFY(root.writeFile(QLatin1String(script), program));
        if (!QByteArray(script).endsWith("plain.sh"))
            QFile::setPermissions(root.path(QLatin1String(script)), QFile::ReadOwner | QFile::ExeOwner);
    }
    const QString keys = group.value(0).isEmpty()
        ? QStringLiteral("Name = x\n")
        : QStringLiteral("Directory = %1\nExecId = %2\n").arg(group.value(0), group.value(1));
    if (!group.isEmpty())
        QVERIFY(
            root.writeFile(AppRegistries::InstalledDb, (u'[' + id + QStringLiteral("]\n") + keys).toUtf8()));

    const int code = AM_LauncherClient::launchAppObject(id, QString(), 0, true, true);
    QFile log(root.path(AM_LauncherClient::launchLogPath()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll().split('\t').value(5), started ? QByteArray("started") : QByteArray("not-found"));
    QCOMPARE(code == AM_LauncherClient::Started, started);
    const QString out = root.path(QStringLiteral("/ran-run.sh"));
    if (ran == QLatin1String("run.sh")) {
        // It ran in its folder, for the root it was launched from.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(out).size() > 0, Bound);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().trimmed(), (root.root() + u'|' + root.path("/ezxlocal/Apps")).toUtf8());
    } else if (ran == QLatin1String("desktop")) {
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktopMark), Bound);
    }
    QVERIFY(ran == QLatin1String("run.sh") || !QFile::exists(out));
}

void PluginTest::libraryEntryPoints_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("activated");
    QTest::newRow("no file") << QByteArray() << true;
    QTest::newRow("false") << QByteArray("[Main]\nActivated=false\n") << false;
    QTest::newRow("other group") << QByteArray("[main]\nActivated=false\n") << true;
}

void PluginTest::libraryEntryPoints()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, activated);
    TempDeviceRoot root;
    if (!settings.isNull())
        root.writeFile(Settings, settings);
    void *handle = dlopen(QFile::encodeName(Library).constData(), RTLD_NOW | RTLD_LOCAL);
    QVERIFY2(handle, dlerror());
    QCOMPARE(reinterpret_cast<HSIsActivatedFn>(dlsym(handle, "isActivated"))(), activated);
    QVERIFY(reinterpret_cast<HSIsUserRemovableFn>(dlsym(handle, "isUserRemovable"))());
    dlclose(handle);
}

QTEST_MAIN(PluginTest)
#include "plugintest.moc"
