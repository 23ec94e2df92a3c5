// kestrow-render: the shipped skins at a fixed moment against golden images, and the tool's
// handling of bad command lines and unreadable skins.
//
// To accept new pictures after an intended change, run this test with KESTROW_UPDATE_GOLDEN=1 and
// look at what it wrote to tests/golden/ before committing it.

#include "testsupport.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QtTest>

namespace {

const QString GoldenDir = QStringLiteral(KESTROW_SOURCE_DIR "/tests/golden/");
// The moment and phone state of every golden picture.
const QStringList FixedState { QStringLiteral("--at"), QStringLiteral("2024-03-01 10:08:37"),
    QStringLiteral("--battery"), QStringLiteral("3"), QStringLiteral("--signal"), QStringLiteral("4") };

struct Run {
    int exitCode = -1;
    QString errors;
};

Run run(const QString &program, const QStringList &args)
{
    const ProgramRun r = runProgram(builtProgram(program), args);
    return { r.exitCode, QString::fromUtf8(r.err) };
}

/** How far two pictures differ: pixels off by more than a little, and the mean difference per channel. */
struct Difference {
    int farPixels = 0;
    double meanChannel = 0;
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference d;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int channel = std::max({ std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                std::abs(qBlue(p) - qBlue(q)) });
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
            d.farPixels += channel > 40 ? 1 : 0;
        }
    }
    d.meanChannel = sum / (3.0 * a.width() * a.height());
    return d;
}

} // namespace

class KestrowRenderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void shippedSkins_data();
    void shippedSkins();
    void badCommandLines_data();
    void badCommandLines();
    void unreadableSkinStillRenders();

private:
    TempDeviceRoot m_device;
};

void KestrowRenderTest::initTestCase()
{
    QVERIFY(m_device.isValid());
    const Run init = run(QStringLiteral("kestrow-device"), { QStringLiteral("init"), m_device.root() });
    QVERIFY2(init.exitCode == 0, qPrintable(init.errors));
}

void KestrowRenderTest::shippedSkins_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("default") << QStringLiteral("default")
                             << QStringList { QStringLiteral("--skin"), QStringLiteral("default"),
                                    QStringLiteral("--focus"), QStringLiteral("1") };
    QTest::newRow("default preview") << QStringLiteral("default-preview")
                                     << QStringList { QStringLiteral("--skin"), QStringLiteral("default"),
                                            QStringLiteral("--preview") };
    QTest::newRow("analog") << QStringLiteral("analog")
                            << QStringList { QStringLiteral("--skin"), QStringLiteral("analog") };
    QTest::newRow("analog preview") << QStringLiteral("analog-preview")
                                    << QStringList { QStringLiteral("--skin"), QStringLiteral("analog"),
                                           QStringLiteral("--preview") };
}

void KestrowRenderTest::shippedSkins()
{
    QFETCH(QString, golden);
    QFETCH(QStringList, args);

    const QString output = m_device.root() + QStringLiteral("/") + golden + QStringLiteral(".png");
    const Run r = run(QStringLiteral("kestrow-render"),
        QStringList { QStringLiteral("--root"), m_device.root() } + args + FixedState
            + QStringList { QStringLiteral("-o"), output });
    QVERIFY2(r.exitCode == 0, qPrintable(r.errors));
    QVERIFY2(!r.errors.contains(QStringLiteral("kestrow-render:")), qPrintable(r.errors));
    const QImage frame(output);
    const bool preview = args.contains(QStringLiteral("--preview"));
    const int lineHeight = QFontMetrics(QGuiApplication::font()).height();
    QCOMPARE(frame.size(), preview ? QSize(240, 320) : QSize(240, 295 - 6 - lineHeight));

    const QString goldenFile = GoldenDir + golden + QStringLiteral(".png");
    if (qEnvironmentVariableIntValue("KESTROW_UPDATE_GOLDEN") == 1) {
        QVERIFY(frame.save(goldenFile, "PNG"));
        QSKIP("golden picture written");
    }
    const QImage expected(goldenFile);
    QVERIFY2(!expected.isNull(), qPrintable(goldenFile));
    QCOMPARE(frame.size(), expected.size());
    // Text and smooth scaling may round a little differently from one font or Qt build to another.
    const Difference d = compare(
        frame.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
    QVERIFY2(d.farPixels <= frame.width() * frame.height() / 200 && d.meanChannel < 1.0,
        qPrintable(
            QStringLiteral("%1 pixels far off, mean difference %2").arg(d.farPixels).arg(d.meanChannel)));
}

void KestrowRenderTest::badCommandLines_data()
{
    QTest::addColumn<QStringList>("args");
    const QString out = QStringLiteral("/nonexistent-dir/x.png");
    QTest::newRow("no such root") << QStringList { QStringLiteral("--root"),
        QStringLiteral("/nonexistent-root"), QStringLiteral("-o"), out };
    QTest::newRow("no output") << QStringList { QStringLiteral("--root"), QStringLiteral("/") };
    QTest::newRow("unknown option") << QStringList { QStringLiteral("--root"), QStringLiteral("/"),
        QStringLiteral("--colour"), QStringLiteral("red"), QStringLiteral("-o"), out };
    QTest::newRow("level out of range") << QStringList { QStringLiteral("--root"), QStringLiteral("/"),
        QStringLiteral("--battery"), QStringLiteral("6"), QStringLiteral("-o"), out };
    QTest::newRow("level not a number") << QStringList { QStringLiteral("--root"), QStringLiteral("/"),
        QStringLiteral("--signal"), QStringLiteral("full"), QStringLiteral("-o"), out };
    QTest::newRow("no such day") << QStringList { QStringLiteral("--root"), QStringLiteral("/"),
        QStringLiteral("--at"), QStringLiteral("2023-02-29 10:00:00"), QStringLiteral("-o"), out };
    QTest::newRow("focus past the bar") << QStringList { QStringLiteral("--root"), QStringLiteral("/"),
        QStringLiteral("--focus"), QStringLiteral("10"), QStringLiteral("-o"), out };
    QTest::newRow("missing value") << QStringList { QStringLiteral("--root"), QStringLiteral("/"),
        QStringLiteral("-o") };
}

void KestrowRenderTest::badCommandLines()
{
    QFETCH(QStringList, args);
    const Run r = run(QStringLiteral("kestrow-render"), args);
    QCOMPARE(r.exitCode, 2);
    // One line naming the problem.
    const QStringList lines = r.errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .filter(QRegularExpression(QStringLiteral("^kestrow-render: ")));
    QVERIFY2(lines.size() == 1, qPrintable(r.errors));
}

void KestrowRenderTest::unreadableSkinStillRenders()
{
    const QString output = m_device.root() + QStringLiteral("/missing.png");
    const Run r = run(QStringLiteral("kestrow-render"),
        { QStringLiteral("--root"), m_device.root(), QStringLiteral("--skin"), QStringLiteral("no-such-skin"),
            QStringLiteral("--at"), QStringLiteral("2024-03-01 23:59:60"), QStringLiteral("-o"), output });
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.errors.contains(QStringLiteral("no-such-skin")), qPrintable(r.errors));
    const QImage frame(output);
    QCOMPARE(frame.width(), 240);
    QVERIFY(frame.height() > 200);
}

QTEST_MAIN(KestrowRenderTest)
#include "kestrowrendertest.moc"
