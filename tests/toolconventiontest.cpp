// Every program reads its command line one way: --help prints the usage and exits 0, a usage error is
// one line naming the problem and exit status 2, and --root DIR means what $KESTROW_ROOT means.

#include "testsupport.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList Tools { QStringLiteral("kestrow-host"), QStringLiteral("kestrow-render"),
    QStringLiteral("kestrow-setup"), QStringLiteral("kestrow-device"), QStringLiteral("kestrow-skin"),
    QStringLiteral("kestrow-config"), QStringLiteral("kestrow-qcop"), QStringLiteral("kestrow-lunar"),
    QStringLiteral("kestrow-skingen"), QStringLiteral("kestrow-setupicons") };

// Programs that read the device root's files and refuse one they cannot use.
const QStringList RootReaders { QStringLiteral("kestrow-host"), QStringLiteral("kestrow-render"),
    QStringLiteral("kestrow-setup") };

// The lines a program wrote about itself: Qt's own warnings about the environment are not its words.
QStringList ownLines(const QByteArray &err, const QString &tool)
{
    QStringList lines;
    for (const QString &line : QString::fromUtf8(err).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(tool + QLatin1Char(':')))
            lines.append(line);
    }
    return lines;
}

} // namespace

class ToolConventionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void help_data();
    void help();
    void usageErrors_data();
    void usageErrors();
    void unusableDeviceRoot_data();
    void unusableDeviceRoot();

private:
    QProcessEnvironment environment(const QString &root = QString()) const;
    QTemporaryDir m_runtime;
};

void ToolConventionTest::initTestCase()
{
    QVERIFY(m_runtime.isValid());
}

QProcessEnvironment ToolConventionTest::environment(const QString &root) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    if (root.isNull())
        env.remove(QStringLiteral("KESTROW_ROOT"));
    else
        env.insert(QStringLiteral("KESTROW_ROOT"), root);
    return env;
}

void ToolConventionTest::help_data()
{
    QTest::addColumn<QString>("tool");
    for (const QString &tool : Tools)
        QTest::newRow(qPrintable(tool)) << tool;
}

void ToolConventionTest::help()
{
    QFETCH(QString, tool);
    for (const QString &option : { QStringLiteral("--help"), QStringLiteral("-h") }) {
        const ProgramRun run = runProgram(builtProgram(tool), { option }, {}, 60000, environment());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith("Usage: " + tool.toUtf8() + ' '), run.out.constData());
        QVERIFY2(run.out.contains("--help"), run.out.constData());
        QCOMPARE(ownLines(run.err, tool), QStringList());
    }
}

void ToolConventionTest::usageErrors_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("problem");
    for (const QString &tool : Tools) {
        QTest::addRow("%s unknown option", qPrintable(tool))
            << tool << QStringList { QStringLiteral("--no-such-option") } << QStringLiteral("no-such-option");
    }
    for (const QString &tool :
        RootReaders + QStringList { QStringLiteral("kestrow-device"), QStringLiteral("kestrow-skin") }) {
        QTest::addRow("%s root without value", qPrintable(tool))
            << tool << QStringList { QStringLiteral("--root") }
            << QStringLiteral("Missing value after '--root'");
    }
    QTest::newRow("render output without value")
        << QStringLiteral("kestrow-render") << QStringList { QStringLiteral("-o") }
        << QStringLiteral("Missing value after '-o'");
    QTest::newRow("host quit-after not a number")
        << QStringLiteral("kestrow-host")
        << QStringList { QStringLiteral("--quit-after"), QStringLiteral("soon") }
        << QStringLiteral("--quit-after");
    QTest::newRow("skin without command")
        << QStringLiteral("kestrow-skin") << QStringList {} << QStringLiteral("lint");
    QTest::newRow("device unknown command")
        << QStringLiteral("kestrow-device") << QStringList { QStringLiteral("make") }
        << QStringLiteral("make");
}

void ToolConventionTest::usageErrors()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    QFETCH(QString, problem);
    const ProgramRun run = runProgram(builtProgram(tool), arguments, {}, 60000, environment());
    QCOMPARE(run.exitCode, 2);
    const QStringList lines = ownLines(run.err, tool);
    QVERIFY2(lines.size() == 1, run.err.constData());
    QVERIFY2(lines.first().contains(problem), qPrintable(lines.first()));
    QCOMPARE(run.out, QByteArray());
}

void ToolConventionTest::unusableDeviceRoot_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<bool>("byOption");
    QTest::addColumn<bool>("exists");
    for (const QString &tool : RootReaders) {
        for (const bool byOption : { true, false }) {
            const char *how = byOption ? "--root" : "KESTROW_ROOT";
            QTest::addRow("%s %s missing", qPrintable(tool), how) << tool << byOption << false;
            QTest::addRow("%s %s without settings", qPrintable(tool), how) << tool << byOption << true;
        }
    }
}

void ToolConventionTest::unusableDeviceRoot()
{
    QFETCH(QString, tool);
    QFETCH(bool, byOption);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString root = exists ? dir.path() : dir.filePath(QStringLiteral("no-such-root"));
    QStringList arguments;
    if (byOption)
        arguments << QStringLiteral("--root") << root;
    if (tool == QLatin1String("kestrow-render"))
        arguments << QStringLiteral("-o") << dir.filePath(QStringLiteral("frame.png"));
    const ProgramRun run
        = runProgram(builtProgram(tool), arguments, {}, 60000, environment(byOption ? QString() : root));
    QCOMPARE(run.exitCode, 2);
    const QStringList lines = ownLines(run.err, tool);
    QVERIFY2(lines.size() == 1, run.err.constData());
    QVERIFY2(lines.first().contains(root), qPrintable(lines.first()));
    QVERIFY2(
        lines.first().contains(QStringLiteral("kestrow-device init ") + root), qPrintable(lines.first()));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("frame.png"))));
}

QTEST_GUILESS_MAIN(ToolConventionTest)
#include "toolconventiontest.moc"
