#include "plugin/tool.h"
#include "testsupport.h"

#include <QDate>
#include <QFile>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QStringList errLines;
};

Run runTool(const QStringList &arguments, const QByteArray &input = QByteArray())
{
    const ProgramRun run = runProgram(builtProgram(QStringLiteral("kestrow-lunar")), arguments, input);
    return { run.exitCode, QString::fromUtf8(run.out),
        QString::fromUtf8(run.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts) };
}

} // namespace

class KestrowLunarTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void answersEachDate_data();
    void answersEachDate();
    void badDatesAreReported();
    void readsLongInput();
    void lineWithNulByteIsItsOwnLine_data();
    void lineWithNulByteIsItsOwnLine();
};

void KestrowLunarTest::initTestCase()
{
    QVERIFY2(
        QFile::exists(builtProgram(QStringLiteral("kestrow-lunar"))), "build the kestrow-lunar target first");
}

void KestrowLunarTest::answersEachDate_data()
{
    QTest::addColumn<bool>("fromStandardInput");
    QTest::newRow("arguments") << false;
    QTest::newRow("standard input") << true;
}

void KestrowLunarTest::answersEachDate()
{
    QFETCH(bool, fromStandardInput);
    const QStringList dates
        = { QStringLiteral("2009-01-26"), QStringLiteral("1921-02-07"), QStringLiteral("2033-12-22"),
              QStringLiteral("2101-01-01"), QStringLiteral("2100-12-31"), QStringLiteral("0001-01-01") };
    // Dates outside the lunar table are each one line on standard error.
    const QString expected = ctr("2009-01-26\t牛(己丑)年正月初一\n"
                                 "2033-12-22\t牛(癸丑)年闰十一月初一\n"
                                 "2100-12-31\t猴(庚申)年腊月初一\n");

    const Run run
        = fromStandardInput ? runTool({}, dates.join(QStringLiteral("\r\n")).toUtf8()) : runTool(dates);
    QCOMPARE(run.errLines.size(), 3);
    QVERIFY2(
        run.errLines.at(0).contains(QStringLiteral("1921-02-07 is outside")), qPrintable(run.errLines.at(0)));
    QCOMPARE(run.out, expected);
    QCOMPARE(run.exitCode, 1);
}

void KestrowLunarTest::badDatesAreReported()
{
    // Each bad line gets one message; the good ones are still answered.
    const QByteArray input = "2009-02-30\n2009-01-26\nnot a date\n\n2009-1-26\n2100-02-29\n2000-02-29";
    const Run run = runTool({}, input);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, ctr("2009-01-26\t牛(己丑)年正月初一\n2000-02-29\t龙(庚辰)年正月廿五\n"));
    QCOMPARE(run.errLines.size(), 5);
    QVERIFY2(run.errLines.at(0).contains(QStringLiteral("line 1")), qPrintable(run.errLines.at(0)));
    QVERIFY2(run.errLines.at(1).contains(QStringLiteral("not a date")), qPrintable(run.errLines.at(1)));

    const Run args = runTool({ QStringLiteral("2021-13-01"), QStringLiteral("2021-02-12") });
    QCOMPARE(args.exitCode, 1);
    QCOMPARE(args.out, ctr("2021-02-12\t牛(辛丑)年正月初一\n"));
    QCOMPARE(args.errLines.size(), 1);
}

void KestrowLunarTest::lineWithNulByteIsItsOwnLine_data()
{
    QTest::addColumn<QByteArray>("bad"); // the second of three lines
    QTest::newRow("NUL inside a date") << QByteArray("2009-01\0-27", 11);
    QTest::newRow("NUL after a date") << QByteArray("2009-01-27\0", 11);
    QTest::newRow("NUL alone") << QByteArray(1, '\0');
    QTest::newRow("NUL then a long line") << QByteArray(1, '\0') + QByteArray(20000, 'x');
}

void KestrowLunarTest::lineWithNulByteIsItsOwnLine()
{
    QFETCH(QByteArray, bad);
    const Run run = runTool({}, "2009-01-26\n" + bad + "\n2009-01-28\n");
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, ctr("2009-01-26\t牛(己丑)年正月初一\n2009-01-28\t牛(己丑)年正月初三\n"));
    QCOMPARE(run.errLines.size(), 1);
    QVERIFY2(run.errLines.at(0).contains(QStringLiteral("line 2:")), qPrintable(run.errLines.at(0)));
}

void KestrowLunarTest::readsLongInput()
{
    // Every day of the table in one go: as many answers as lines, in order.
    QByteArray input;
    int count = 0;
    for (QDate date(1921, 2, 8); date <= QDate(2100, 12, 31); date = date.addDays(1), ++count)
        input += date.toString(Qt::ISODate).toLatin1() + '\n';
    const Run run = runTool({}, input);
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), count);
    QCOMPARE(lines.first(), ctr("1921-02-08\t鸡(辛酉)年正月初一"));
    QCOMPARE(lines.last(), ctr("2100-12-31\t猴(庚申)年腊月初一"));
    for (const QString &line : lines)
        QVERIFY2(line.size() > 11, qPrintable(line));
}

QTEST_GUILESS_MAIN(KestrowLunarTest)
#include "kestrowlunartest.moc"
