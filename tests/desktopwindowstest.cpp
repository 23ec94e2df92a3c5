// The settings application as a desktop user meets it: the program a device root installs, on a
// virtual display of the test's own with openbox as its window manager, driven by xdotool's keys and
// closed by wmctrl (the window manager's close, as the title bar's button gives it). The test listens
// on the plug-in's channel for the messages the application sends, and reads the settings file.

#include "platform/phonechannels.h"
#include "platform/phonepaths.h"
#include "platform/qcopchannel.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");
const QString AutorunFolder = QStringLiteral("/ezxlocal/download/mystuff/unKnown");
const QString MainTitle = QStringLiteral("Kestrow settings");
const int Bound = 20000;

/** Whether a file was opened since it was watched: a window that reads it shortly after it opens. */
struct OpenWatch {
    explicit OpenWatch(const QString &path)
    {
        inotify_add_watch(fd, QFile::encodeName(path).constData(), IN_OPEN);
    }
    ~OpenWatch() { close(fd); }
    Q_DISABLE_COPY_MOVE(OpenWatch)
    bool opened() const
    {
        char events[4096];
        return read(fd, events, sizeof events) > 0;
    }
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
};

} // namespace

class DesktopWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void closeIsBack_data();
    void closeIsBack();
    void failureIsShown_data();
    void failureIsShown();

private:
    QString x(const QString &program, const QStringList &arguments) const;
    QString frontTitle() const
    {
        return x(QStringLiteral("xdotool"),
            { QStringLiteral("getactivewindow"), QStringLiteral("getwindowname") });
    }
    QString frontId() const { return x(QStringLiteral("xdotool"), { QStringLiteral("getactivewindow") }); }
    // The window manager names a window in front before the keyboard reaches it: a key sent between is lost.
    bool keyboardInFront() const
    {
        return x(QStringLiteral("xdotool"), { QStringLiteral("getwindowfocus") }) == frontId();
    }
    void closeWindow(const QString &id) const
    {
        x(QStringLiteral("wmctrl"), { QStringLiteral("-i"), QStringLiteral("-c"), id });
    }
    void startApplication();
    /**
     * Walks the steps "KEYS>TITLE", or "KEYS>TITLE@FILE" for a window that reads FILE shortly after it
     * opens (keys sent before would find it empty); the id of each window reached, or nothing when one
     * does not come.
     */
    QStringList walk(const QStringList &steps);
    /** Closes the window in front until the application ends; its exit code. */
    int closeAll();
    QByteArray settings() const;

    QProcess m_xvfb;
    QProcess m_openbox;
    QString m_display;
    std::unique_ptr<TempDeviceRoot> m_root;
    std::unique_ptr<QProcess> m_app;
    std::unique_ptr<QCopChannel> m_plugin;
    QByteArrayList m_messages;
};

QString DesktopWindowsTest::x(const QString &program, const QStringList &arguments) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    tool.waitForFinished(Bound);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

void DesktopWindowsTest::initTestCase()
{
    // A display of the test's own: -displayfd picks a free number and tells it.
    m_xvfb.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
            QStringLiteral("640x480x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp") });
    QVERIFY2(m_xvfb.waitForStarted(Bound), "Xvfb is needed (scripts/install-deps.sh)");
    while (!m_xvfb.canReadLine() && m_xvfb.waitForReadyRead(Bound)) { }
    m_display = QLatin1Char(':') + QString::fromLatin1(m_xvfb.readLine().trimmed());
    QVERIFY(m_display.size() > 1);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    m_openbox.setProcessEnvironment(environment);
    m_openbox.start(QStringLiteral("openbox"), { QStringLiteral("--sm-disable") });
    QVERIFY2(m_openbox.waitForStarted(Bound), "openbox is needed (scripts/install-deps.sh)");
    const bool managed = QTest::qWaitFor(
        [&] {
            return x(QStringLiteral("wmctrl"), { QStringLiteral("-m") }).contains(QLatin1String("Openbox"));
        },
        Bound);
    QVERIFY2(managed,
        m_openbox.readAllStandardError().prepend("openbox does not manage the display: ").constData());
}

void DesktopWindowsTest::cleanupTestCase()
{
    m_openbox.terminate();
    m_openbox.waitForFinished(Bound);
    m_xvfb.terminate();
    m_xvfb.waitForFinished(Bound);
}

void DesktopWindowsTest::init()
{
    m_root = std::make_unique<TempDeviceRoot>();
    const ProgramRun made = runProgram(
        builtProgram(QStringLiteral("kestrow-device")), { QStringLiteral("init"), m_root->root() });
    QVERIFY2(made.exitCode == 0, made.err.constData());
    // One application the picker can offer (the settings application itself is never offered).
    QFile installed(m_root->path(AppRegistries::InstalledDb));
    QVERIFY(installed.open(QIODevice::Append));
    installed.write("\n[org.example.Clock]\nName=Clock\nAppType=0\nDirectory=/ezxlocal\nIcon=clock.png\n"
                    "ExecId=org.example.Clock\n");
    installed.close();
    m_messages.clear();
    m_plugin = std::make_unique<QCopChannel>(QString(PhoneChannels::Plugin));
    connect(m_plugin.get(), &QCopChannel::received, this,
        [this](const QByteArray &message) { m_messages << message; });
}

void DesktopWindowsTest::cleanup()
{
    if (m_app && m_app->state() != QProcess::NotRunning) {
        m_app->kill();
        m_app->waitForFinished(Bound);
    }
    m_app.reset();
    m_plugin.reset();
    m_root.reset();
}

void DesktopWindowsTest::startApplication()
{
    m_app = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    m_app->setProcessEnvironment(environment);
    m_app->start(m_root->path(QStringLiteral("/ezxlocal/Kestrow/kestrow-setup")), {});
    QVERIFY(m_app->waitForStarted(Bound));
}

QStringList DesktopWindowsTest::walk(const QStringList &steps)
{
    QStringList ids;
    for (const QString &step : steps) {
        const QString keys = step.section(u'>', 0, 0);
        const QString title = step.section(u'>', 1).section(u'@', 0, 0);
        const QString reads = step.section(u'@', 1);
        std::unique_ptr<OpenWatch> read
            = reads.isEmpty() ? nullptr : std::make_unique<OpenWatch>(m_root->path(reads));
        if (keys.startsWith(QLatin1String("rm:")))
            QDir(m_root->path(QStringLiteral("/ezxlocal/Kestrow/skin/") + keys.mid(3))).removeRecursively();
        else if (!keys.isEmpty() && QTest::qWaitFor([&] { return keyboardInFront(); }, Bound))
            x(QStringLiteral("xdotool"),
                QStringList { QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80") }
                    + keys.split(u' '));
        if (title.isEmpty())
            continue;
        // A new window of the title in front (a confirmation shares its chooser's title).
        const QString before = ids.isEmpty() ? QString() : ids.last();
        if (!QTest::qWaitFor([&] { return frontTitle() == title && frontId() != before; }, Bound)) {
            qWarning("no window \"%s\" came to the front; in front: \"%s\"; windows:\n%s", qPrintable(title),
                qPrintable(frontTitle()), qPrintable(x(QStringLiteral("wmctrl"), { QStringLiteral("-l") })));
            return {};
        }
        // Once the file is opened, the window is filling itself, and keys sent from now on come after.
        if (read && !QTest::qWaitFor([&] { return read->opened(); }, Bound)) {
            qWarning("\"%s\" did not read %s", qPrintable(title), qPrintable(reads));
            return {};
        }
        ids << frontId();
    }
    return ids;
}

int DesktopWindowsTest::closeAll()
{
    while (m_app->state() != QProcess::NotRunning) {
        const QString front = frontId();
        closeWindow(front);
        if (!QTest::qWaitFor(
                [&] { return m_app->state() == QProcess::NotRunning || frontId() != front; }, Bound))
            return -1;
    }
    return m_app->exitStatus() == QProcess::NormalExit ? m_app->exitCode() : -1;
}

QByteArray DesktopWindowsTest::settings() const
{
    QFile file(m_root->path(Settings));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void DesktopWindowsTest::closeIsBack_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("reloads");

    const QString main = QStringLiteral(">") + MainTitle;
    const QString chooser = QStringLiteral("Down Down Down Return>Change skin");
    const QString editor = QStringLiteral("F1 Return>Dock slot");
    QTest::newRow("main window") << QStringList { main } << QStringList() << 0;
    QTest::newRow("chooser") << QStringList { main, chooser } << QStringList() << 0;
    QTest::newRow("confirmation") << QStringList { main, chooser, QStringLiteral("Return>Change skin") }
                                  << QStringList() << 0;
    // Back in the chooser, it still stores the skin confirmed there.
    QTest::newRow("preview") << QStringList { main, chooser, QStringLiteral("F1>Skin preview") }
                             << QStringList { QStringLiteral("Return>Change skin"),
                                    QStringLiteral("F1>") + MainTitle }
                             << 1;
    QTest::newRow("countdown") << QStringList { main, QStringLiteral("F1 Down Return>Countdown"),
        QStringLiteral("1 9 9 9 Down>") }
                               << QStringList() << 0;
    QTest::newRow("dock editor") << QStringList { main, editor } << QStringList() << 0;
    QTest::newRow("picker") << QStringList { main, editor, QStringLiteral("Return>Dock slot 1") }
                            << QStringList() << 0;
    QTest::newRow("refresh choice") << QStringList { main, QStringLiteral("Down Down Return>Refresh") }
                                    << QStringList() << 0;
    QTest::newRow("about") << QStringList { main, QStringLiteral("F1 Down Down Return>About") }
                           << QStringList() << 0;
}

void DesktopWindowsTest::closeIsBack()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, after);
    QFETCH(int, reloads);
    const QByteArray before = settings();
    startApplication();
    const QStringList ids = walk(steps);
    QVERIFY(!ids.isEmpty());

    closeWindow(ids.last());
    if (ids.size() == 1) {
        QVERIFY(m_app->waitForFinished(Bound));
        QCOMPARE(m_app->exitCode(), 0);
    } else {
        // The window beneath is in front again, with the keyboard: its keys work.
        QTRY_COMPARE_WITH_TIMEOUT(frontId(), ids.at(ids.size() - 2), Bound);
        QCOMPARE(settings(), before);
        QVERIFY(m_messages.isEmpty());
        QVERIFY(after.isEmpty() || !walk(after).isEmpty());
        QCOMPARE(closeAll(), 0);
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_messages.count(PhoneChannels::Reload), reloads, Bound);
    QCOMPARE(settings() == before, reloads == 0);
}

void DesktopWindowsTest::failureIsShown_data()
{
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("back");

    const QString chooser = QStringLiteral("Down Down Down Return>Change skin");
    const QString failed = QStringLiteral(">Not done");
    QTest::newRow("skin") << "lock"
                          << QStringList { chooser, QStringLiteral("Return>Change skin"),
                                 QStringLiteral("F1") + failed }
                          << "cannot store the skin" << MainTitle;
    QTest::newRow("countdown") << "lock"
                               << QStringList { QStringLiteral("F1 Down Return>Countdown"),
                                      QStringLiteral("F1") + failed }
                               << "cannot store the countdown event" << MainTitle;
    QTest::newRow("dock slot") << "lock"
                               << QStringList { QStringLiteral("F1 Return>Dock slot"),
                                      QStringLiteral("Return>Dock slot 1@") + AppRegistries::InstalledDb,
                                      QStringLiteral("F1") + failed }
                               << "cannot store dock slot 0"
                               << "Dock slot";
    QTest::newRow("autorun on") << "autorun folder" << QStringList { QStringLiteral("Down Return") + failed }
                                << "cannot install the autorun script: cp: cannot create" << MainTitle;
    QTest::newRow("autorun off") << "autorun script" << QStringList { QStringLiteral("Down Return") + failed }
                                 << "cannot remove the autorun script" << MainTitle;
    QTest::newRow("stop") << "stop script" << QStringList { QStringLiteral("Return") + failed }
                          << "cannot stop the plug-in: no home screen here" << MainTitle;
    QTest::newRow("restart") << ""
                             << QStringList { QStringLiteral("Down Down Return>Refresh"),
                                    QStringLiteral("Down F1") + failed }
                             << "cannot restart the home screen" << MainTitle;
    QTest::newRow("skin gone") << ""
                               << QStringList { chooser, QStringLiteral("rm:analog"),
                                      QStringLiteral("Return>Change skin"), QStringLiteral("F1") + failed }
                               << "cannot use the skin \"analog\""
                               << "Change skin";
}

void DesktopWindowsTest::failureIsShown()
{
    QFETCH(QString, broken);
    QFETCH(QStringList, steps);
    QFETCH(QString, said);
    QFETCH(QString, back);
    const QString script = AutorunFolder + QStringLiteral("/S10KestrowPulgin");
    if (broken == QLatin1String("lock"))
        QVERIFY(QDir().mkpath(m_root->path(Settings + QStringLiteral(".lock/in-the-way"))));
    else if (broken == QLatin1String("autorun folder"))
        QVERIFY(QDir(m_root->path(AutorunFolder)).removeRecursively());
    else if (broken == QLatin1String("autorun script"))
        QVERIFY(QFile::remove(m_root->path(script))
            && QDir().mkpath(m_root->path(script + QStringLiteral("/x"))));
    else if (broken == QLatin1String("stop script"))
        QVERIFY(m_root->writeFile(
            QStringLiteral("/ezxlocal/Kestrow/off.sh"), "echo no home screen here >&2; exit 3\n"));
    const QByteArray before = settings();
    startApplication();
    QVERIFY(!walk(QStringList { QStringLiteral(">") + MainTitle } + steps).isEmpty());

    closeWindow(frontId());
    // The window the failure came from stays, as it was; nothing was stored or sent.
    QTRY_COMPARE_WITH_TIMEOUT(frontTitle(), back, Bound);
    QCOMPARE(closeAll(), 0);
    QVERIFY2(m_app->readAllStandardError().contains(said.toUtf8()), qPrintable(said));
    QCOMPARE(settings(), before);
    QVERIFY(m_messages.isEmpty());
}

QTEST_GUILESS_MAIN(DesktopWindowsTest)
#include "desktopwindowstest.moc"
