#include "plugin/reloadrequests.h"
#include "pluginscreen.h"

#include <QtTest>

namespace {

/** A plug-in over a device root with a one-colour skin and a dock of three slots. */
struct Fixture : PluginScreen {
    TempDeviceRoot root;
    bool ready
        = root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/default/mid.png"), 240, 320, Qt::darkCyan)
        && writeDockSkin(root, true, 3, "[Background]\nMidIMG=mid.png");
};

} // namespace

class MyPluginLifecycleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void constructionPaintsNothing();
    void startAndStop();
    void messages_data();
    void messages();
    void messagesBeforeStartAreIgnored();
    void reloadReadsTheSkinAgain();
    void reloadFloodCostsAtMostTwoLoads();
    void timerTicks();
    void fixedAnswers();
};

void MyPluginLifecycleTest::constructionPaintsNothing()
{
    Fixture f;
    QVERIFY(f.ready && f.isExposed());
    QCOMPARE(f.framesShown(), 0);
    QVERIFY(!f.timerRunning());
    // Before initialize nothing is loaded: focusIn must not paint from an empty model.
    f.plugin->focusIn();
    QCOMPARE(f.framesShown(), 0);
    f.plugin->stop();
}

void MyPluginLifecycleTest::startAndStop()
{
    Fixture f;
    QVERIFY(f.ready && f.isExposed());
    f.plugin->initialize();
    f.plugin->stop(); // idle: nothing happens
    QVERIFY(!f.timerRunning());
    f.plugin->start();
    f.plugin->start();
    QVERIFY(f.timerRunning());
    QCOMPARE(f.widget().findChildren<QTimer *>().size(), 1);
    f.plugin->stop();
    QVERIFY(!f.timerRunning());

    QPoint point(5, 5);
    f.plugin->focusIn(3, point);
    QCOMPARE(point, QPoint(5, 5));
    QCOMPARE(f.framesShown(), 1);
    QVERIFY(f.timerRunning());
    QCOMPARE(f.shown().pixelColor(10, 10), QColor(Qt::darkCyan));
    f.plugin->focusOut(point, QStringLiteral("x"));
    QVERIFY(!f.timerRunning());
    QCOMPARE(f.framesShown(), 1);
}

void MyPluginLifecycleTest::messages_data()
{
    QTest::addColumn<bool>("runningBefore");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("runningAfter");
    QTest::addColumn<int>("framesAtOnce");
    QTest::addColumn<bool>("focusCleared");

    for (bool running : { true, false }) {
        const char *state = running ? "running" : "paused";
        auto row = [&](const char *message, bool after, int frames, bool cleared) {
            QTest::addRow("%s, %s", state, message)
                << running << QByteArray(message) << after << frames << cleared;
        };
        row("LCDOn", true, 1, true);
        row("DPL_BKLGT_RESTORED", true, 1, true);
        row("LCDOff", false, 0, true);
        row("IDLE_FOCUS_IN", true, 1, true);
        row("IDLE_FOCUS_OUT", false, 0, true);
        row("Reload()", true, 0, true);
        row("reload()", running, 0, false);
        row("Reload", running, 0, false);
        row("LCDON", running, 0, false);
        row("", running, 0, false);
    }
}

void MyPluginLifecycleTest::messages()
{
    QFETCH(bool, runningBefore);
    QFETCH(QByteArray, message);
    QFETCH(bool, runningAfter);
    QFETCH(int, framesAtOnce);
    QFETCH(bool, focusCleared);

    Fixture f;
    QVERIFY(f.ready && f.isExposed());
    f.plugin->initialize();
    f.plugin->start();
    if (!runningBefore)
        f.plugin->stop();
    f.press(PhoneKeys::Right); // focus slot 0
    QCOMPARE(f.focusShown(), 0);
    const int frames = f.framesShown();

    f.plugin->slotSystemMessage(message, QByteArray("ignored data"));
    QCOMPARE(f.timerRunning(), runningAfter);
    QCOMPARE(f.framesShown() - frames, framesAtOnce);
    QCOMPARE(f.widget().findChildren<QTimer *>().size(), 1);
    f.plugin->timerEvent(); // the next tick shows the focus
    QCOMPARE(f.focusShown(), focusCleared ? -1 : 0);
}

void MyPluginLifecycleTest::messagesBeforeStartAreIgnored()
{
    Fixture f;
    QVERIFY(f.ready && f.isExposed());
    f.plugin->initialize();
    for (const char *message : { "LCDOn", "IDLE_FOCUS_IN", "Reload()", "DPL_BKLGT_RESTORED" })
        f.plugin->slotSystemMessage(QByteArray(message), QByteArray());
    QVERIFY(!f.timerRunning());
    QCOMPARE(f.framesShown(), 0);
    f.plugin->slotSystemMessage(QByteArray(), QByteArray()); // a null text matches nothing
    QCOMPARE(f.framesShown(), 0);
}

void MyPluginLifecycleTest::reloadReadsTheSkinAgain()
{
    Fixture f;
    QVERIFY(f.ready && f.isExposed());
    f.plugin->initialize();
    f.plugin->start();
    f.plugin->slotSystemMessage("LCDOff", QByteArray());
    f.root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/red/mid.png"), 240, 320, Qt::red);
    f.root.writeSkin(QStringLiteral("red"), "[Background]\nMidIMG=mid.png\n");
    f.root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"), "[Main]\nSkin=red\n");
    const int frames = f.framesShown();
    f.plugin->slotSystemMessage("Reload()", QByteArray());
    QVERIFY(f.timerRunning()); // also while the display was off
    QCOMPARE(f.framesShown(), frames); // the next tick paints the new skin
    const ReloadRequests *reloads = f.plugin->findChild<ReloadRequests *>();
    QVERIFY(reloads);
    QTRY_COMPARE_WITH_TIMEOUT(reloads->carriedOut(), 1, 60000); // the load runs on the next turn
    f.plugin->timerEvent();
    QCOMPARE(f.shown().pixelColor(10, 10), QColor(Qt::red));
    QCOMPARE(f.shown().pixelColor(5, 205), QColor(Qt::red)); // the new skin has no dock
}

void MyPluginLifecycleTest::reloadFloodCostsAtMostTwoLoads()
{
    Fixture f;
    QVERIFY(f.ready && f.isExposed());
    f.plugin->initialize();
    f.plugin->start();
    const ReloadRequests *reloads = f.plugin->findChild<ReloadRequests *>();
    QVERIFY(reloads);
    // Any client on the bus may pour requests in: the ones that arrive together are one load.
    for (int i = 0; i < 1000; ++i)
        f.plugin->slotSystemMessage("Reload()", QByteArray());
    QCOMPARE(reloads->carriedOut(), 0);
    QVERIFY(reloads->isPending());
    QTRY_COMPARE_WITH_TIMEOUT(reloads->carriedOut(), 1, 60000);
    // The ones that arrive while a load has just run are one more load, after it.
    for (int i = 0; i < 1000; ++i)
        f.plugin->slotSystemMessage("Reload()", QByteArray());
    QCOMPARE(reloads->carriedOut(), 1);
    QVERIFY(reloads->isPending());
    // Meanwhile the plug-in keeps painting.
    QVERIFY(f.timerRunning());
    const int frames = f.framesShown();
    f.plugin->timerEvent();
    QCOMPARE(f.framesShown(), frames + 1);
    QTRY_COMPARE_WITH_TIMEOUT(reloads->carriedOut(), 2, 60000);
    QVERIFY(!reloads->isPending());
    QCOMPARE(reloads->carriedOut(), 2);
    QVERIFY(f.timerRunning());
}

void MyPluginLifecycleTest::timerTicks()
{
    Fixture f;
    QVERIFY(f.ready && f.isExposed());
    f.plugin->initialize();
    QTimer *timer = f.widget().findChild<QTimer *>();
    QVERIFY(timer);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    f.plugin->start();
    QCOMPARE(timer->interval(), 1000);
    QVERIFY(!timer->isSingleShot());
    QSignalSpy ticks(timer, &QTimer::timeout);
    QVERIFY(ticks.wait(60000));
    QCOMPARE(f.framesShown(), 1);
    // Paused, the plug-in has no timer running at all.
    f.plugin->slotSystemMessage("IDLE_FOCUS_OUT", QByteArray());
    QVERIFY(!timer->isActive());
}

void MyPluginLifecycleTest::fixedAnswers()
{
    Fixture f;
    QVERIFY(f.ready && f.isExposed());
    QCOMPARE(f.plugin->getDisplayName(), QStringLiteral("Kestrow"));
    QCOMPARE(f.plugin->getFocusPoint(), QPoint(1, 1));
    for (const QRect &rect : { QRect(0, 25, 240, 273), QRect(-5, -5, 0, 0), QRect(1, 2, 100000, 3) })
        QCOMPARE(f.plugin->getPluginGeometry(rect), rect);
    f.plugin->notifyPluginStateChanged(HSFrameworkType::Started, QStringLiteral("x"));
    f.plugin->setObscured(true);
    QCOMPARE(f.framesShown(), 0);
}

QTEST_MAIN(MyPluginLifecycleTest)
#include "mypluginlifecycletest.moc"
