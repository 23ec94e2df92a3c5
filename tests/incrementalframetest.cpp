// A renderer that repaints only where its frame changed must hold, after every tick, the frame that
// a whole composition of the same moment gives: an hour of seconds across minutes, an hour and a
// midnight, gauges that move, a dock focus that walks, a reload to another skin, the display off and
// on, the idle screen's focus lost and back. And a tick that changes nothing paints nothing.

#include "data/skinloader.h"
#include "referenceskin.h"
#include "render/fixedclock.h"
#include "render/skinrenderer.h"
#include "testsupport.h"

#include <QDateTime>
#include <QtTest>

#include <vector>

namespace {

// 23:30 on a Saturday: the hour turns at midnight, with a new date, week day, lunar date and countdown.
const QDateTime Start(QDate(2026, 5, 23), QTime(23, 30, 0));
constexpr int Ticks = 3600;

/** What happens before a tick, as the plug-in would see it. */
struct Event {
    enum What { Battery, Signal, Focus, Pause, Reload };
    int tick;
    What what;
    int value; // a level, a slot, the seconds away
};

// Display off and on, and the focus out and in, both pause the plug-in and end the dock focus.
const std::vector<Event> Script { { 5, Event::Focus, 0 }, { 6, Event::Focus, 1 }, { 7, Event::Focus, 9 },
    { 40, Event::Battery, 1 }, { 41, Event::Battery, 3 }, { 90, Event::Signal, 0 }, { 130, Event::Signal, 4 },
    { 300, Event::Pause, 120 }, { 700, Event::Focus, 2 }, { 701, Event::Focus, -1 }, { 900, Event::Pause, 7 },
    { 1500, Event::Reload, 0 }, { 1501, Event::Focus, 0 }, { 2400, Event::Battery, 5 },
    { 2401, Event::Signal, 2 }, { 3000, Event::Reload, 0 } };

SkinModel skinModel(const QString &name, FrameComposition composition)
{
    if (name == QLatin1String("reference"))
        return ReferenceSkin::model();
    SkinLoadOptions options
        = composition == FrameComposition::Preview ? SkinLoadOptions::preview(name) : SkinLoadOptions();
    options.skinName = name;
    SkinModel model;
    SkinLoader::load(model, options);
    return model;
}

/** Two renderers of one model at one moment: one repaints what changed, the other everything. */
struct Pair {
    Pair(const SkinModel &model, FrameComposition composition)
        : changed(model, composition)
        , whole(model, composition)
    {
        whole.setRepaint(FrameRepaint::Whole);
        for (SkinRenderer *r : { &changed, &whole }) {
            r->setClock(&clock);
            r->setBatterySource([this] { return battery; });
            r->setSignalSource([this] { return signal; });
        }
    }
    void tick(const QDateTime &at)
    {
        clock.setReading(FixedClock::readingOf(at));
        changed.paintFrame();
        whole.paintFrame();
    }
    void setFocus(int slot)
    {
        changed.setFocusIndex(slot);
        whole.setFocusIndex(slot);
    }

    FixedClock clock { Start };
    int battery = 4;
    int signal = 5;
    SkinRenderer changed;
    SkinRenderer whole;
};

} // namespace

class IncrementalFrameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyTickIsTheWholeFrame_data();
    void everyTickIsTheWholeFrame();
    void onlyChangesArePainted_data();
    void onlyChangesArePainted();

private:
    TempDeviceRoot m_device;
};

void IncrementalFrameTest::initTestCase()
{
    QVERIFY(m_device.isValid());
    const ProgramRun init = runProgram(
        builtProgram(QStringLiteral("kestrow-device")), { QStringLiteral("init"), m_device.root() });
    QVERIFY2(init.exitCode == 0, init.err.constData());
}

void IncrementalFrameTest::everyTickIsTheWholeFrame_data()
{
    QTest::addColumn<QString>("skin");
    QTest::addColumn<QString>("reloadTo");
    QTest::addColumn<FrameComposition>("composition");
    const auto plugin = FrameComposition::Plugin;
    QTest::newRow("default") << QStringLiteral("default") << QStringLiteral("analog") << plugin;
    QTest::newRow("analog") << QStringLiteral("analog") << QStringLiteral("default") << plugin;
    QTest::newRow("reference") << QStringLiteral("reference") << QStringLiteral("default") << plugin;
    QTest::newRow("preview") << QStringLiteral("analog") << QStringLiteral("reference")
                             << FrameComposition::Preview;
}

void IncrementalFrameTest::everyTickIsTheWholeFrame()
{
    QFETCH(QString, skin);
    QFETCH(QString, reloadTo);
    QFETCH(FrameComposition, composition);
    const SkinModel skins[] = { skinModel(skin, composition), skinModel(reloadTo, composition) };
    SkinModel model = skins[0];
    Pair pair(model, composition);
    int reloads = 0;
    QDateTime at = Start;
    auto next = Script.begin();
    for (int tick = 0; tick < Ticks; ++tick, at = at.addSecs(1)) {
        for (; next != Script.end() && next->tick == tick; ++next) {
            switch (next->what) {
            case Event::Battery:
                pair.battery = next->value;
                break;
            case Event::Signal:
                pair.signal = next->value;
                break;
            case Event::Focus:
                // A focus move paints at once, within the same second.
                pair.setFocus(next->value);
                pair.tick(at);
                break;
            case Event::Pause:
                pair.setFocus(-1);
                at = at.addSecs(next->value);
                break;
            case Event::Reload:
                model = skins[++reloads % 2];
                pair.setFocus(-1);
                pair.changed.forgetLevels();
                pair.whole.forgetLevels();
                break;
            }
            QCOMPARE(pair.changed.frame(), pair.whole.frame());
        }
        pair.tick(at);
        if (pair.changed.frame() != pair.whole.frame())
            QFAIL(
                qPrintable(QStringLiteral("tick %1 at %2 differs").arg(tick).arg(at.toString(Qt::ISODate))));
    }
    QCOMPARE(reloads, 2);
    QVERIFY(at.date() > Start.date());
}

void IncrementalFrameTest::onlyChangesArePainted_data()
{
    QTest::addColumn<QString>("skin");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("maxShare"); // of the frame's pixels, in percent
    for (const QString &skin :
        { QStringLiteral("default"), QStringLiteral("analog"), QStringLiteral("reference") }) {
        QTest::addRow("%s, same second", qPrintable(skin)) << skin << 0 << 0;
        QTest::addRow("%s, next second", qPrintable(skin)) << skin << 1 << 12;
    }
}

void IncrementalFrameTest::onlyChangesArePainted()
{
    QFETCH(QString, skin);
    QFETCH(int, seconds);
    QFETCH(int, maxShare);
    const SkinModel model = skinModel(skin, FrameComposition::Plugin);
    Pair pair(model, FrameComposition::Plugin);
    pair.tick(Start.addSecs(10));
    QCOMPARE(pair.changed.changedRegion(), QRegion(pair.changed.frame().rect()));
    pair.tick(Start.addSecs(10 + seconds));
    long area = 0;
    for (const QRect &rect : pair.changed.changedRegion())
        area += long(rect.width()) * rect.height();
    QVERIFY(area <= long(pair.changed.frame().width()) * pair.changed.frame().height() * maxShare / 100);
    QCOMPARE(area > 0, seconds > 0);
}

QTEST_MAIN(IncrementalFrameTest)
#include "incrementalframetest.moc"
