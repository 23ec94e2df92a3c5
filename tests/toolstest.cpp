// The tools as programs: their command lines, kestrow-config's writes, kestrow-lunar's answers,
// kestrow-render against golden images and kestrow-skingen against the shipped skins.
//
// To accept new golden pictures after an intended change, run this test with KESTROW_UPDATE_GOLDEN=1
// and look at what it wrote to tests/golden/ before committing it.

#include "platform/zconfig.h"
#include "plugin/tool.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QtTest>

namespace {

const QStringList Tools { "kestrow-host", "kestrow-render", "kestrow-setup", "kestrow-device", "kestrow-skin",
    "kestrow-config", "kestrow-qcop", "kestrow-lunar", "kestrow-skingen", "kestrow-setupicons" };
const QByteArray Sample("# settings\n[Main]\nSkin = blue\n[DockBar]\nIcon0=\\sa\\nb\n[Main]\nSkin=ignored\n");
const QString Shipped = QStringLiteral(KESTROW_SOURCE_DIR "/skins");

/** The lines a program wrote about itself: Qt's own warnings about the environment are not its words. */
QStringList ownLines(const QByteArray &err, const QString &tool)
{
    return QString::fromUtf8(err)
        .split(u'\n', Qt::SkipEmptyParts)
        .filter(QRegularExpression(u'^' + tool + u':'));
}

/** Relative paths of the files under a folder, sorted. */
QStringList filesUnder(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}

/** The largest difference of one colour channel between two images, and how many pixels differ by more
 * than 40. */
QPair<int, int> difference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    int far = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            const int d = std::max({ std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q)) });
            worst = std::max(worst, d);
            far += d > 40 ? 1 : 0;
        }
    }
    return { worst, far };
}

} // namespace

class ToolsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void commandLines_data();
    void commandLines();
    void parallelConfigWritersLoseNothing();
    void renderMatchesGolden_data();
    void renderMatchesGolden();
    void skinGeneratorIsStable();

private:
    ProgramRun run(const QString &tool, const QStringList &arguments, const QByteArray &input = {},
        const QString &root = QString()) const;
    QTemporaryDir m_runtime;
    TempDeviceRoot m_device;
};

ProgramRun ToolsTest::run(
    const QString &tool, const QStringList &arguments, const QByteArray &input, const QString &root) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.remove(QStringLiteral("KESTROW_ROOT"));
    if (!root.isNull())
        env.insert(QStringLiteral("KESTROW_ROOT"), root);
    return runProgram(tool.contains(u'/') ? tool : builtProgram(tool), arguments, input, 120000, env);
}

void ToolsTest::initTestCase()
{
    QVERIFY(m_runtime.isValid() && m_device.isValid());
    const ProgramRun init
        = run(QStringLiteral("kestrow-device"), { QStringLiteral("init"), m_device.root() });
    QVERIFY2(init.exitCode == 0, init.err.constData());
}

void ToolsTest::commandLines_data()
{
    // Arguments and the expected lines of the program's own on standard error are split at "|". "@" is
    // the row's own folder, which holds k.cfg (Sample) and a read-only copy; "%root" a device root.
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out"); // "Usage: ..." is the start of the output
    QTest::addColumn<QStringList>("errors"); // what each line names
    QTest::addColumn<QByteArray>("file"); // the first file named afterwards; none: as it was; "*": any
    const auto row = [](const QString &tool, const QString &arguments, int exitCode,
                         const QByteArray &out = {}, const QString &errors = {}, const QByteArray &file = {},
                         const QByteArray &input = {}) {
        static int n = 0;
        QTest::addRow("%d %s %s", ++n, qPrintable(tool), qPrintable(QString(arguments).replace(u'\n', u' ')))
            << tool << (arguments.isNull() ? QStringList() : arguments.split(u'|')) << input << exitCode
            << out << (errors.isNull() ? QStringList() : errors.split(u'|')) << file;
    };
    // One command-line convention serves every tool: each is asked once, the other spellings once.
    for (const QString &tool : Tools)
        row(tool, QStringLiteral("--help"), 0, "Usage: " + tool.toUtf8() + ' ');
    row(Tools[0], QStringLiteral("-h"), 0, "Usage: kestrow-host ");
    row(Tools[1], QStringLiteral("--no-such-option"), 2, {}, QStringLiteral("no-such-option"));
    row(Tools[2], QStringLiteral("--root"), 2, {}, QStringLiteral("Missing value after '--root'"));
    // A device root that is missing or has no settings names the command that makes one.
    for (const char *tool : { "kestrow-host", "kestrow-render", "kestrow-setup" }) {
        const QString render = QLatin1String(tool) == QLatin1String("kestrow-render")
            ? QStringLiteral("|-o|@frame.png")
            : QString();
        // Each spelling of the root once, each with one of the two faults.
        row(QLatin1String(tool), QStringLiteral("--root|@") + render, 2, {},
            QStringLiteral("kestrow-device init @"));
        row(QLatin1String(tool), QStringLiteral("KESTROW_ROOT=@no-such-root") + render, 2, {},
            QStringLiteral("kestrow-device init @no-such-root"));
    }
    const auto usage = [&row](const char *tool, const char *arguments, int exitCode = 2) {
        row(QLatin1String(tool), QString::fromUtf8(arguments), exitCode, {}, QStringLiteral(""));
    };
    row(QStringLiteral("kestrow-host"), QStringLiteral("--quit-after|soon"), 2, {},
        QStringLiteral("--quit-after"));
    row(QStringLiteral("kestrow-skin"), QString(), 2, {}, QStringLiteral("lint"));
    row(QStringLiteral("kestrow-device"), QStringLiteral("make|a"), 2, {}, QStringLiteral("make"));
    usage("kestrow-device", "init");
    usage("kestrow-device", "init|");
    usage("kestrow-device", "init|@a|@b");
    usage("kestrow-skingen", nullptr);
    usage("kestrow-skingen", "@a|@b");
    row(QStringLiteral("kestrow-skingen"), QStringLiteral("@k.cfg/out"), 1, {},
        QStringLiteral("+")); // cannot be made
    usage("kestrow-render", "--root|/nonexistent-root|-o|@x.png");
    usage("kestrow-render", "--root|/");
    for (const char *option : { "--battery|6", "--signal|full", "--at|2023-02-29 10:00:00", "--focus|10" })
        row(QStringLiteral("kestrow-render"),
            QStringLiteral("--root|%root|-o|@x.png|") + QLatin1String(option), 2, {},
            QString::fromLatin1(option).section(u'|', 0, 0));
    // A skin it cannot read still makes a frame, at a leap second too.
    row(QStringLiteral("kestrow-render"),
        QStringLiteral("--root|%root|--skin|no-such-skin|--at|2024-03-01 23:59:60|-o|@x.png"), 0, {},
        QStringLiteral("no-such-skin"), "*");

    const QString config = QStringLiteral("kestrow-config");
    row(config, QStringLiteral("get|@k.cfg|Main|Skin"), 0, "blue\n");
    row(config, QStringLiteral("get|@k.cfg|DockBar|Icon0"), 0, " a\nb\n");
    row(config, QStringLiteral("get|@k.cfg|Main|Absent|fallback"), 0, "fallback\n");
    row(config, QStringLiteral("get|@k.cfg|main|Skin|none"), 0, "none\n");
    row(config, QStringLiteral("get|@absent.cfg|A|k|d"), 0, "d\n");
    row(config, QStringLiteral("groups|@k.cfg"), 0, "Main\nDockBar\n");
    row(config, QStringLiteral("groups|@absent.cfg"), 0, "");
    row(config, QStringLiteral("set|@k.cfg|Main|Skin|red"), 0, {}, {},
        "# settings\n[Main]\nSkin = red\n[DockBar]\nIcon0=\\sa\\nb\n[Main]\nSkin=ignored\n");
    row(config, QString::fromUtf8("set|@k.cfg|Notify|Info|两行\n文字 "), 0, {}, {},
        Sample + QByteArray("\n[Notify]\nInfo=两行\\n文字\\s\n"));
    row(config, QStringLiteral("set|@new.cfg|A|k|1"), 0, {}, {}, "[A]\nk=1\n");
    usage("kestrow-config", "set|@missing/k.cfg|Main|Skin|red", 1);
    usage("kestrow-config", "set|@readonly.cfg|Main|Skin|red", 1);
    usage("kestrow-config", "set|@k.cfg|Main]\n[Evil|Skin|red", 1);
    for (const char *arguments : { "list|f", "get|f|G", "get|f|G|K|D|E", "set|f|G|K", "groups|f|G" })
        usage("kestrow-config", arguments);

    // Dates outside the lunar table are each one line on standard error.
    const QByteArray answers = ctr("2009-01-26\t牛(己丑)年正月初一\n1921-02-08\t鸡(辛酉)年正月初一\n"
                                   "2033-12-22\t牛(癸丑)年闰十一月初一\n2100-12-31\t猴(庚申)年腊月初一\n")
                                   .toUtf8();
    const QString dates
        = QStringLiteral("2009-01-26|1921-02-07|1921-02-08|2033-12-22|2101-01-01|2100-12-31|0001-01-01");
    const QString outside
        = QStringLiteral("1921-02-07 is outside|2101-01-01 is outside|0001-01-01 is outside");
    const QString lunar = QStringLiteral("kestrow-lunar");
    row(lunar, dates, 1, answers, outside);
    row(lunar, QString(), 1, answers, outside, {},
        QString(dates).replace(u'|', QStringLiteral("\r\n")).toUtf8());
    // Each bad line gets one message; the good ones are still answered.
    row(lunar, QString(), 1, ctr("2009-01-26\t牛(己丑)年正月初一\n2000-02-29\t龙(庚辰)年正月廿五\n").toUtf8(),
        QStringLiteral("line 1:|line 3: not a date|line 4:|line 5:|line 6:"), {},
        "2009-02-30\n2009-01-26\nnot a date\n\n2009-1-26\n2100-02-29\n2000-02-29");
    row(lunar, QStringLiteral("2021-13-01|2021-02-12"), 1, ctr("2021-02-12\t牛(辛丑)年正月初一\n").toUtf8(),
        QStringLiteral("2021-13-01"));
    const QByteArray around
        = ctr("2009-01-26\t牛(己丑)年正月初一\n2009-01-28\t牛(己丑)年正月初三\n").toUtf8();
    for (const QByteArray &bad : { QByteArray("2009-01\0-27", 11), QByteArray("2009-01-27\0", 11),
             QByteArray(1, '\0'), QByteArray(1, '\0') + QByteArray(20000, 'x') })
        row(lunar, QString(), 1, around, QStringLiteral("line 2:"), {},
            "2009-01-26\n" + bad + "\n2009-01-28\n");
}

void ToolsTest::commandLines()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QStringList, errors);
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path())); // a usage error makes nothing, not even where it runs
    QVERIFY(writeFileBytes(dir.filePath(QStringLiteral("k.cfg")), Sample));
    QVERIFY(writeFileBytes(dir.filePath(QStringLiteral("readonly.cfg")), Sample));
    QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("readonly.cfg")), QFile::ReadOwner));
    const QStringList before = filesUnder(dir.path());
    const auto place = [this, &dir](QString text) {
        text.replace(QStringLiteral("%root"), m_device.root());
        const qsizetype at = text.indexOf(u'@');
        return at < 0 ? text
                      : text.left(at) + (text.size() == at + 1 ? dir.path() : dir.filePath(text.mid(at + 1)));
    };
    QString target;
    QString root;
    for (QString &argument : arguments) {
        argument = place(argument);
        if (target.isEmpty() && argument.startsWith(dir.path()))
            target = argument;
    }
    if (!arguments.isEmpty() && arguments.first().startsWith(QStringLiteral("KESTROW_ROOT=")))
        root = arguments.takeFirst().mid(13);
    const QByteArray was = target.isEmpty() ? QByteArray() : readFileBytes(target);
    const ProgramRun r = run(tool, arguments, input, root);
    QDir::setCurrent(QStringLiteral("/"));
    QVERIFY2(r.exitCode == exitCode, r.err.constData());
    if (out.startsWith("Usage: "))
        QVERIFY2(r.out.startsWith(out) && r.out.contains("--help"), r.out.constData());
    else
        QCOMPARE(r.out, out);
    const QStringList lines = ownLines(r.err, tool);
    QVERIFY2(lines.size() == errors.size() || (errors == QStringList { "+" } && !lines.isEmpty()),
        r.err.constData());
    for (int i = 0; i < lines.size(); ++i)
        QVERIFY2(
            errors[0] == QLatin1String("+") || lines[i].contains(place(errors[i])), qPrintable(lines[i]));
    if (!target.isEmpty() && file != "*")
        QCOMPARE(readFileBytes(target), file.isNull() ? was : file);
    if (exitCode != 0) // a writer's lock file may stay
        QCOMPARE(filesUnder(dir.path()).filter(QRegularExpression(QStringLiteral("(?<!\\.lock)$"))), before);
}

void ToolsTest::parallelConfigWritersLoseNothing()
{
    // Two shells each run the tool once per key, in a group of their own, on one file at once.
    constexpr int Keys = 200;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("k.cfg"));
    QVERIFY(writeFileBytes(file, Sample));
    const QString script
        = QStringLiteral("i=0; while [ \"$i\" -lt \"$4\" ]; do \"$1\" set \"$2\" \"$3\" \"k$i\" "
                         "\"v$i\" || exit 1; i=$((i+1)); done");
    QProcess writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w].start(QStringLiteral("/bin/sh"),
            { QStringLiteral("-c"), script, QStringLiteral("sh"),
                builtProgram(QStringLiteral("kestrow-config")), file, QStringLiteral("Writer%1").arg(w),
                QString::number(Keys) });
        QVERIFY(writers[w].waitForStarted());
    }
    for (QProcess &writer : writers) {
        QVERIFY(writer.waitForFinished(600000));
        QVERIFY2(writer.exitCode() == 0, writer.readAllStandardError().constData());
    }
    const ZConfig check(file);
    int lost = 0;
    for (int w = 0; w < 2; ++w) {
        for (int k = 0; k < Keys; ++k)
            lost += check.readEntry(QStringLiteral("Writer%1").arg(w), QStringLiteral("k%1").arg(k))
                    == QStringLiteral("v%1").arg(k)
                ? 0
                : 1;
    }
    QCOMPARE(lost, 0);
    QVERIFY(readFileBytes(file).startsWith(Sample));
}

void ToolsTest::renderMatchesGolden_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("default") << "default" << QStringList { "--skin", "default", "--focus", "1" };
    QTest::newRow("default preview") << "default-preview" << QStringList { "--skin", "default", "--preview" };
    QTest::newRow("analog") << "analog" << QStringList { "--skin", "analog" };
    QTest::newRow("analog preview") << "analog-preview" << QStringList { "--skin", "analog", "--preview" };
}

void ToolsTest::renderMatchesGolden()
{
    QFETCH(QString, golden);
    QFETCH(QStringList, arguments);
    const QString output = m_device.path(u'/' + golden + QStringLiteral(".png"));
    const ProgramRun r = run(QStringLiteral("kestrow-render"),
        QStringList { "--root", m_device.root(), "--at", "2024-03-01 10:08:37", "--battery", "3", "--signal",
            "4", "-o", output }
            + arguments);
    QVERIFY2(
        r.exitCode == 0 && ownLines(r.err, QStringLiteral("kestrow-render")).isEmpty(), r.err.constData());
    const QImage frame(output);
    const QString goldenFile
        = QStringLiteral(KESTROW_SOURCE_DIR "/tests/golden/") + golden + QStringLiteral(".png");
    if (qEnvironmentVariableIntValue("KESTROW_UPDATE_GOLDEN") == 1) {
        QVERIFY(frame.save(goldenFile, "PNG"));
        QSKIP("golden picture written");
    }
    const QImage expected(goldenFile);
    QCOMPARE(frame.size(), expected.size());
    // Text and smooth scaling may round a little differently from one font or Qt build to another.
    const int far = difference(frame, expected).second;
    QVERIFY2(far <= frame.width() * frame.height() / 200, qPrintable(QString::number(far)));
}

void ToolsTest::skinGeneratorIsStable()
{
    // The same bytes on every run, over its own output too; the committed skins are its output, their
    // images differing at most by the rounding of another machine's painting code.
    QTemporaryDir first;
    QTemporaryDir second;
    QCOMPARE(run(QStringLiteral("kestrow-skingen"), { first.path() }).exitCode, 0);
    QCOMPARE(run(QStringLiteral("kestrow-skingen"), { second.path() }).exitCode, 0);
    QCOMPARE(run(QStringLiteral("kestrow-skingen"), { first.path() }).exitCode, 0);
    QStringList shipped = filesUnder(Shipped);
    shipped.removeAll(QStringLiteral("README.md"));
    QCOMPARE(filesUnder(first.path()), shipped);
    QCOMPARE(filesUnder(second.path()), shipped);
    for (const QString &file : std::as_const(shipped)) {
        const QByteArray fresh = readFileBytes(first.filePath(file));
        QVERIFY2(fresh == readFileBytes(second.filePath(file)), qPrintable(file));
        if (!file.endsWith(QStringLiteral(".png"))) {
            QVERIFY2(fresh == readFileBytes(Shipped + u'/' + file), qPrintable(file));
            continue;
        }
        const QImage a = QImage::fromData(fresh);
        const QImage b(Shipped + u'/' + file);
        QVERIFY2(!a.isNull() && a.size() == b.size() && difference(a, b).first <= 16, qPrintable(file));
    }
}

QTEST_MAIN(ToolsTest)
#include "toolstest.moc"
