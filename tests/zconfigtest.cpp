#include "platform/zconfig.h"
#include "platform/setupsetmanager.h"
#include "platform/zconfigdocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char ReaderVariable[] = "KESTROW_ZCONFIG_READER";
constexpr int ReaderKeys = 16;
constexpr int ReaderValueSize = 16 * 1024;
const QString Missing = QStringLiteral("<missing>");

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The files of a folder apart from the writers' lock files.
QStringList dataFiles(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    names.removeIf([](const QString &name) { return name.endsWith(QLatin1String(".lock")); });
    return names;
}

/** Collects the diagnostic lines printed while it lives. */
class Diagnostics
{
public:
    Diagnostics()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(collect);
    }
    ~Diagnostics() { qInstallMessageHandler(m_previous); }
    QStringList lines() const { return s_lines; }

private:
    static void collect(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        s_lines.append(message);
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

// The reader's view of a file written by the atomic test: every value "<generation>:" and padding.
QString readerValue(int generation)
{
    const QString head = QString::number(generation) + QLatin1Char(':');
    return head + QString(ReaderValueSize - head.size(), QLatin1Char('x'));
}

// Runs as a second process: reads the file over and over until the writer says it is done,
// and fails at once on a file that is not one whole version.
int readerLoop(const QString &path)
{
    for (qint64 reads = 0;; ++reads) {
        const ZConfig config(path);
        if (config.readEntry(QStringLiteral("Tail"), QStringLiteral("End")) != QLatin1String("end")) {
            std::printf("incomplete file after %lld reads\n", reads);
            return 1;
        }
        int first = -1;
        for (int k = 0; k < ReaderKeys; ++k) {
            const QString value = config.readEntry(QStringLiteral("Data"), QStringLiteral("K%1").arg(k));
            const int generation = value.section(QLatin1Char(':'), 0, 0).toInt();
            if (first < 0)
                first = generation;
            // Keys are written in order, so a whole file holds one generation, then the one before.
            if (value != readerValue(generation) || generation > first || generation < first - 1) {
                std::printf("mixed file after %lld reads at key %d\n", reads, k);
                return 1;
            }
        }
        if (reads == 0) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
        if (config.readEntry(QStringLiteral("Tail"), QStringLiteral("Done")) == QLatin1String("yes")) {
            std::printf("%lld\n", reads + 1);
            return 0;
        }
    }
}

} // namespace

class ZConfigTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    void lexicalRules_data();
    void lexicalRules();
    void numbersAndTruthValues_data();
    void numbersAndTruthValues();
    void missingValuesGiveDefaults();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void writesKeepTheRestOfTheFile_data();
    void writesKeepTheRestOfTheFile();
    void refusedNames_data();
    void refusedNames();
    void writersDoNotLoseEachOthersValues();
    void replaceKeepsLinkAndMode();
    void failingFlush();
    void pendingWritesReachTheFileAtDestruction();
    void oversizedFileIsLeftAlone();
    void flushIsAtomicForAnotherProcess();
    void flushWaitsForTheLockThenGivesUp();
    void staleTemporariesAreRemoved();
    void filesThatAreNotFiles_data();
    void filesThatAreNotFiles();
    void hostileFiles_data();
    void hostileFiles();
    void setupSetManager_data();
    void setupSetManager();

private:
    QString file(const QString &name = QStringLiteral("test.cfg")) const { return m_dir->filePath(name); }
    QString folder() const { return m_dir->path(); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void ZConfigTest::lexicalRules_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("trimmed") << QByteArray("[ Main ]\n  Skin  =  blue sky \t\n") << "Main"
                             << "Skin"
                             << "blue sky";
    QTest::newRow("tabs") << QByteArray("[A]\n\tk\t=\tv\t\n") << "A"
                          << "k"
                          << "v";
    QTest::newRow("key with a space") << QByteArray("[A]\nmy key = v\n") << "A"
                                      << "my key"
                                      << "v";
    QTest::newRow("equals in value") << QByteArray("[A]\nk = a=b=c\n") << "A"
                                     << "k"
                                     << "a=b=c";
    QTest::newRow("hash in value") << QByteArray("[A]\nk = a # b\n") << "A"
                                   << "k"
                                   << "a # b";
    QTest::newRow("empty value") << QByteArray("[A]\nk=\n") << "A"
                                 << "k"
                                 << "";
    QTest::newRow("hash comment") << QByteArray("[A]\n# k=1\n") << "A"
                                  << "k" << Missing;
    QTest::newRow("semicolon comment") << QByteArray("[A]\n;k=1\n") << "A"
                                       << "k" << Missing;
    QTest::newRow("indented comment") << QByteArray("[A]\n   #k=1\n") << "A"
                                      << "k" << Missing;
    QTest::newRow("group case") << QByteArray("[main]\nSkin=x\n") << "Main"
                                << "Skin" << Missing;
    QTest::newRow("key case") << QByteArray("[Main]\nskin=x\n") << "Main"
                              << "Skin" << Missing;
    QTest::newRow("key before any group") << QByteArray("k=1\n[A]\n") << "A"
                                          << "k" << Missing;
    QTest::newRow("unknown line") << QByteArray("[A]\nrubbish\nk=1\n") << "A"
                                  << "k"
                                  << "1";
    QTest::newRow("line without key") << QByteArray("[A]\n=1\nk=2\n") << "A"
                                      << "k"
                                      << "2";
    QTest::newRow("unclosed header") << QByteArray("[A]\nk=1\n[B\nj=2\n") << "A"
                                     << "j" << Missing;
    QTest::newRow("before unclosed header") << QByteArray("[A]\nk=1\n[B\nj=2\n") << "A"
                                            << "k"
                                            << "1";
    QTest::newRow("bracket in header") << QByteArray("[A]\n[a]b]\nj=2\n") << "A"
                                       << "j" << Missing;
    QTest::newRow("empty header") << QByteArray("[A]\n[]\nj=2\n") << "A"
                                  << "j" << Missing;
    QTest::newRow("duplicate group") << QByteArray("[A]\nk=1\n[A]\nk=2\nj=3\n") << "A"
                                     << "k"
                                     << "1";
    QTest::newRow("duplicate group's keys") << QByteArray("[A]\nk=1\n[A]\nk=2\nj=3\n") << "A"
                                            << "j" << Missing;
    QTest::newRow("group after duplicate") << QByteArray("[A]\n[A]\n[B]\nj=3\n") << "B"
                                           << "j"
                                           << "3";
    QTest::newRow("duplicate key") << QByteArray("[A]\nk=1\nk=2\n") << "A"
                                   << "k"
                                   << "1";
    QTest::newRow("escapes") << QByteArray("[A]\nk=\\sa\\tb\\nc\\rd\\\\e\\s\n") << "A"
                             << "k"
                             << " a\tb\nc\rd\\e ";
    QTest::newRow("unknown escape") << QByteArray("[A]\nk=a\\qb\\\n") << "A"
                                    << "k"
                                    << "a\\qb\\";
    QTest::newRow("hex escape") << QByteArray("[A]\nk=\\x41\\x4\n") << "A"
                                << "k"
                                << "A\\x4";
    QTest::newRow("CR LF") << QByteArray("[A]\r\nk=v\r\n") << "A"
                           << "k"
                           << "v";
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[A]\nk=v\n") << "A"
                                     << "k"
                                     << "v";
    QTest::newRow("no final newline") << QByteArray("[A]\nk=v") << "A"
                                      << "k"
                                      << "v";
    QTest::newRow("UTF-8 names") << QByteArray("[组]\n键=值\n") << QString::fromUtf8("组")
                                 << QString::fromUtf8("键") << QString::fromUtf8("值");
    QTest::newRow("invalid UTF-8") << QByteArray("[A]\nk=a\xff\n") << "A"
                                   << "k" << QString::fromUtf8("a\xff");
    QTest::newRow("NUL byte") << QByteArray("[A]\nk=a\0b\n", 10) << "A"
                              << "k" << QString::fromUtf8("a\0b", 3);
}

void ZConfigTest::lexicalRules()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QVERIFY(writeBytes(file(), content));
    const ZConfig config(file());
    QCOMPARE(config.readEntry(group, key, Missing), expected);
}

void ZConfigTest::numbersAndTruthValues_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<uint>("unsignedNumber");
    QTest::addColumn<int>("truth"); // -1: neither, the default

    QTest::newRow("42") << QByteArray("42") << 42 << 42u << -1;
    QTest::newRow("leading zeros") << QByteArray("007") << 7 << 7u << -1;
    QTest::newRow("plus") << QByteArray("+5") << 5 << 5u << -1;
    QTest::newRow("minus") << QByteArray("-5") << -5 << 99u << -1;
    QTest::newRow("int max") << QByteArray("2147483647") << INT_MAX << 2147483647u << -1;
    QTest::newRow("above int max") << QByteArray("2147483648") << -99 << 2147483648u << -1;
    QTest::newRow("int min") << QByteArray("-2147483648") << INT_MIN << 99u << -1;
    QTest::newRow("below int min") << QByteArray("-2147483649") << -99 << 99u << -1;
    QTest::newRow("uint max") << QByteArray("4294967295") << -99 << UINT_MAX << -1;
    QTest::newRow("above uint max") << QByteArray("4294967296") << -99 << 99u << -1;
    QTest::newRow("huge") << QByteArray("99999999999999999999999999") << -99 << 99u << -1;
    QTest::newRow("trailing text") << QByteArray("12abc") << -99 << 99u << -1;
    QTest::newRow("fraction") << QByteArray("1.5") << -99 << 99u << -1;
    QTest::newRow("hex") << QByteArray("0x10") << -99 << 99u << -1;
    QTest::newRow("sign only") << QByteArray("-") << -99 << 99u << -1;
    QTest::newRow("empty") << QByteArray("") << -99 << 99u << -1;
    QTest::newRow("escaped space") << QByteArray("\\s5") << -99 << 99u << -1;
    QTest::newRow("other digits") << QByteArray("\xd9\xa3") << -99 << 99u << -1;
    QTest::newRow("1") << QByteArray("1") << 1 << 1u << 1;
    QTest::newRow("0") << QByteArray("0") << 0 << 0u << 0;
    QTest::newRow("true") << QByteArray("TRUE") << -99 << 99u << 1;
    QTest::newRow("yes") << QByteArray("Yes") << -99 << 99u << 1;
    QTest::newRow("on") << QByteArray("on") << -99 << 99u << 1;
    QTest::newRow("false") << QByteArray("false") << -99 << 99u << 0;
    QTest::newRow("no") << QByteArray("NO") << -99 << 99u << 0;
    QTest::newRow("off") << QByteArray("Off") << -99 << 99u << 0;
    QTest::newRow("maybe") << QByteArray("maybe") << -99 << 99u << -1;
}

void ZConfigTest::numbersAndTruthValues()
{
    QFETCH(QByteArray, text);
    QFETCH(int, number);
    QFETCH(uint, unsignedNumber);
    QFETCH(int, truth);
    QVERIFY(writeBytes(file(), "[A]\nk = " + text + "\n"));
    const ZConfig config(file());
    const QString a = QStringLiteral("A");
    const QString k = QStringLiteral("k");
    QCOMPARE(config.readNumEntry(a, k, -99), number);
    QCOMPARE(config.readUIntEntry(a, k, 99), unsignedNumber);
    QCOMPARE(config.readBoolEntry(a, k, true), truth < 0 ? true : truth == 1);
    QCOMPARE(config.readBoolEntry(a, k, false), truth < 0 ? false : truth == 1);
}

void ZConfigTest::missingValuesGiveDefaults()
{
    QVERIFY(writeBytes(file(QStringLiteral("present.cfg")), "[A]\nk=1\n"));
    QVERIFY(QDir(folder()).mkdir(QStringLiteral("folder.cfg")));
    const struct {
        QString path;
        QString group;
        QString key;
    } cases[] = {
        { file(QStringLiteral("absent.cfg")), QStringLiteral("A"), QStringLiteral("k") },
        { file(QStringLiteral("present.cfg")), QStringLiteral("B"), QStringLiteral("k") },
        { file(QStringLiteral("present.cfg")), QStringLiteral("A"), QStringLiteral("j") },
        { file(QStringLiteral("folder.cfg")), QStringLiteral("A"), QStringLiteral("k") },
        { QString(), QStringLiteral("A"), QStringLiteral("k") },
    };
    for (const auto &c : cases) {
        const Diagnostics diagnostics;
        const ZConfig config(c.path);
        QCOMPARE(config.readEntry(c.group, c.key, QStringLiteral("def")), QStringLiteral("def"));
        QCOMPARE(config.readEntry(c.group, c.key), QString());
        QCOMPARE(config.readNumEntry(c.group, c.key, -3), -3);
        QCOMPARE(config.readUIntEntry(c.group, c.key, 3u), 3u);
        QCOMPARE(config.readBoolEntry(c.group, c.key, true), true);
        QCOMPARE(config.readBoolEntry(c.group, c.key, false), false);
        // Only a file that is there but cannot be read is worth a line.
        QCOMPARE(diagnostics.lines().size(), c.path.endsWith(QLatin1String("folder.cfg")) ? 1 : 0);
    }
    QVERIFY(!QFile::exists(file(QStringLiteral("absent.cfg"))));
}

void ZConfigTest::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QStringLiteral("plain");
    QTest::newRow("empty") << QString();
    QTest::newRow("one space") << QStringLiteral(" ");
    QTest::newRow("spaces around") << QStringLiteral("  two  ");
    QTest::newRow("tabs") << QStringLiteral("\ta\tb\t");
    QTest::newRow("line breaks") << QStringLiteral("one\ntwo\r\nthree\n");
    QTest::newRow("backslashes") << QStringLiteral("C:\\path\\s\\n\\");
    QTest::newRow("group injection") << QStringLiteral("x\n[Main]\nSkin=evil");
    QTest::newRow("comment start") << QStringLiteral("# not a comment");
    QTest::newRow("brackets and equals") << QStringLiteral("[G]=k=v");
    QTest::newRow("Chinese") << QString::fromUtf8("距离 新年 还有");
    QTest::newRow("ideographic space") << QString::fromUtf8("\u3000文\u3000");
    QTest::newRow("control characters") << QString::fromUtf8("a\0b\x01\x1f\x7f", 6);
    QTest::newRow("long") << QString(100000, QLatin1Char('v'));
}

void ZConfigTest::valuesRoundTrip()
{
    QFETCH(QString, value);
    {
        ZConfig config(file());
        QVERIFY(config.writeEntry(QStringLiteral("G"), QStringLiteral("k"), value));
        QVERIFY(config.writeEntry(QStringLiteral("G"), QStringLiteral("after"), QStringLiteral("ok")));
        QCOMPARE(config.readEntry(QStringLiteral("G"), QStringLiteral("k")), value);
    }
    const ZConfig reread(file());
    QCOMPARE(reread.readEntry(QStringLiteral("G"), QStringLiteral("k"), Missing), value);
    QCOMPARE(reread.readEntry(QStringLiteral("G"), QStringLiteral("after")), QStringLiteral("ok"));
    QStringList groups;
    reread.getGroupsKeyList(groups);
    QCOMPARE(groups, QStringList { QStringLiteral("G") });
    // One line per entry: a value never spills into lines of its own.
    QCOMPARE(readBytes(file()).count('\n'), 3);
}

void ZConfigTest::writesKeepTheRestOfTheFile_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QStringList>("writes"); // "group|key|value"
    QTest::addColumn<QByteArray>("expected");

    const QByteArray sample("# top\n[A]\nx = 1\n; note\n\n[B]\ny=2\n");
    QTest::newRow("rewrite keeps spacing")
        << sample << QStringList { "A|x|5" } << QByteArray("# top\n[A]\nx = 5\n; note\n\n[B]\ny=2\n");
    QTest::newRow("new key after the group's last key")
        << sample << QStringList { "A|z|3", "A|w|4" }
        << QByteArray("# top\n[A]\nx = 1\nz=3\nw=4\n; note\n\n[B]\ny=2\n");
    QTest::newRow("new group at the end") << sample << QStringList { "C|k|v" } << sample + "\n[C]\nk=v\n";
    QTest::newRow("new groups keep their keys")
        << sample << QStringList { "C|a|1", "D|b|2", "C|c|3" } << sample + "\n[C]\na=1\nc=3\n\n[D]\nb=2\n";
    QTest::newRow("same value leaves the bytes")
        << QByteArray("[A]\nx   =   1   \n") << QStringList { "A|x|1" } << QByteArray("[A]\nx   =   1   \n");
    QTest::newRow("unknown lines stay") << QByteArray("[A]\ngarbage\n  x=1  \n") << QStringList { "A|x|2" }
                                        << QByteArray("[A]\ngarbage\n  x=2\n");
    QTest::newRow("comment of the next group stays with it")
        << QByteArray("[A]\nx=1\n\n# about B\n[B]\n") << QStringList { "A|y|2" }
        << QByteArray("[A]\nx=1\ny=2\n\n# about B\n[B]\n");
    QTest::newRow("empty file") << QByteArray() << QStringList { "A|x|1" } << QByteArray("[A]\nx=1\n");
    QTest::newRow("header without newline")
        << QByteArray("[A]") << QStringList { "A|x|1", "A|y|2" } << QByteArray("[A]\nx=1\ny=2");
    QTest::newRow("no final newline, new group")
        << QByteArray("[A]\nx=1") << QStringList { "B|k|v" } << QByteArray("[A]\nx=1\n\n[B]\nk=v\n");
    QTest::newRow("no final newline, rewrite")
        << QByteArray("[A]\nx=1") << QStringList { "A|x|2" } << QByteArray("[A]\nx=2");
    QTest::newRow("CR LF") << QByteArray("[A]\r\nx=1\r\n") << QStringList { "A|x|9", "A|y|2", "B|z|3" }
                           << QByteArray("[A]\r\nx=9\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    QTest::newRow("duplicate group: the first is written")
        << QByteArray("[A]\nx=1\n[B]\n[A]\nx=2\n") << QStringList { "A|x|3", "A|y|4" }
        << QByteArray("[A]\nx=3\ny=4\n[B]\n[A]\nx=2\n");
    QTest::newRow("duplicate key: the first is written")
        << QByteArray("[A]\nx=1\nx=2\n") << QStringList { "A|x|3", "A|y|4" }
        << QByteArray("[A]\nx=3\nx=2\ny=4\n");
    QTest::newRow("names compared exactly")
        << QByteArray("[a]\nk=1\n") << QStringList { "A|K|2" } << QByteArray("[a]\nk=1\n\n[A]\nK=2\n");
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[A]\nx=1\n") << QStringList { "A|x|2" }
                                     << QByteArray("\xEF\xBB\xBF[A]\nx=2\n");
}

void ZConfigTest::writesKeepTheRestOfTheFile()
{
    QFETCH(QByteArray, original);
    QFETCH(QStringList, writes);
    QFETCH(QByteArray, expected);
    if (!original.isEmpty())
        QVERIFY(writeBytes(file(), original));
    ZConfig config(file());
    for (const QString &write : std::as_const(writes)) {
        const QStringList parts = write.split(QLatin1Char('|'));
        QVERIFY(config.writeEntry(parts[0], parts[1], parts[2]));
        QCOMPARE(config.readEntry(parts[0], parts[1]), parts[2]);
    }
    QVERIFY(config.flush());
    QCOMPARE(readBytes(file()), expected);
}

void ZConfigTest::refusedNames_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::newRow("empty group") << QString() << QStringLiteral("k");
    QTest::newRow("empty key") << QStringLiteral("G") << QString();
    QTest::newRow("bracket in group") << QStringLiteral("G]\n[Main") << QStringLiteral("k");
    QTest::newRow("open bracket in group") << QStringLiteral("[G") << QStringLiteral("k");
    QTest::newRow("equals in group") << QStringLiteral("G=1") << QStringLiteral("k");
    QTest::newRow("line break in key") << QStringLiteral("G") << QStringLiteral("a\nSkin");
    QTest::newRow("CR in key") << QStringLiteral("G") << QStringLiteral("a\rb");
    QTest::newRow("equals in key") << QStringLiteral("G") << QStringLiteral("a=b");
    QTest::newRow("bracket in key") << QStringLiteral("G") << QStringLiteral("[Main]");
    QTest::newRow("comment key") << QStringLiteral("G") << QStringLiteral("#k");
    QTest::newRow("semicolon key") << QStringLiteral("G") << QStringLiteral(";k");
    QTest::newRow("space around key") << QStringLiteral("G") << QStringLiteral(" k");
    QTest::newRow("tab around group") << QStringLiteral("G\t") << QStringLiteral("k");
}

void ZConfigTest::refusedNames()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    const QByteArray original("[Main]\nSkin=blue\n");
    QVERIFY(writeBytes(file(), original));
    {
        const Diagnostics diagnostics;
        ZConfig config(file());
        QVERIFY(!config.writeEntry(group, key, QStringLiteral("x")));
        QVERIFY(!config.writeEntry(group, key, 5));
        QCOMPARE(config.readEntry(group, key, Missing), Missing);
        QVERIFY(config.flush());
        QCOMPARE(diagnostics.lines().size(), 2);
    }
    QCOMPARE(readBytes(file()), original);
}

void ZConfigTest::writersDoNotLoseEachOthersValues()
{
    QVERIFY(writeBytes(file(), "[Main]\nSkin=blue\n"));
    ZConfig first(file());
    ZConfig second(file());
    QVERIFY(first.writeEntry(QStringLiteral("DockBar"), QStringLiteral("Icon0"), QStringLiteral("a.png")));
    // The second object read the file before the first wrote; its write keeps the first one's value.
    QVERIFY(second.writeEntry(QStringLiteral("Notify"), QStringLiteral("Year"), 2030));
    QVERIFY(writeBytes(file(), readBytes(file()) + "[Extra]\nk=v\n"));
    QVERIFY(first.writeEntry(QStringLiteral("Main"), QStringLiteral("Skin"), QStringLiteral("red")));

    const ZConfig check(file());
    QCOMPARE(check.readEntry(QStringLiteral("DockBar"), QStringLiteral("Icon0")), QStringLiteral("a.png"));
    QCOMPARE(check.readNumEntry(QStringLiteral("Notify"), QStringLiteral("Year")), 2030);
    QCOMPARE(check.readEntry(QStringLiteral("Extra"), QStringLiteral("k")), QStringLiteral("v"));
    QCOMPARE(check.readEntry(QStringLiteral("Main"), QStringLiteral("Skin")), QStringLiteral("red"));
    // A writer also reads what others wrote once it has saved.
    QCOMPARE(first.readNumEntry(QStringLiteral("Notify"), QStringLiteral("Year")), 2030);
}

void ZConfigTest::replaceKeepsLinkAndMode()
{
    QVERIFY(writeBytes(file(QStringLiteral("real.cfg")), "[A]\nk=1\n"));
    QVERIFY(QFile::setPermissions(file(QStringLiteral("real.cfg")), QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::link(file(QStringLiteral("real.cfg")), file(QStringLiteral("link.cfg"))));
    {
        ZConfig config(file(QStringLiteral("link.cfg")));
        QVERIFY(config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2")));
    }
    QVERIFY(QFileInfo(file(QStringLiteral("link.cfg"))).isSymLink());
    QCOMPARE(readBytes(file(QStringLiteral("real.cfg"))), QByteArray("[A]\nk=2\n"));
    QCOMPARE(
        QFile::permissions(file(QStringLiteral("real.cfg"))) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    // No temporary file is left behind.
    QCOMPARE(dataFiles(folder()).size(), 2);
}

void ZConfigTest::failingFlush()
{
    const QByteArray original("[A]\nk=1\n");
    QVERIFY(writeBytes(file(QStringLiteral("readonly.cfg")), original));
    QVERIFY(QFile::setPermissions(file(QStringLiteral("readonly.cfg")), QFile::ReadOwner | QFile::ReadGroup));
    QVERIFY(writeBytes(file(QStringLiteral("plain")), "not a folder"));
    const QString paths[] = {
        file(QStringLiteral("readonly.cfg")),
        file(QStringLiteral("missing/test.cfg")),
        file(QStringLiteral("plain/test.cfg")),
    };
    for (const QString &path : paths) {
        const Diagnostics diagnostics;
        {
            ZConfig config(path);
            QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2")));
            // The value stays in memory, and every retry reports the failure by its result.
            QCOMPARE(config.readEntry(QStringLiteral("A"), QStringLiteral("k")), QStringLiteral("2"));
            QVERIFY(!config.flush());
            QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("j"), 3));
            QVERIFY(!config.flush());
        }
        QCOMPARE(diagnostics.lines().size(), 1);
        QVERIFY2(
            diagnostics.lines().constFirst().contains(path), qPrintable(diagnostics.lines().constFirst()));
    }
    QCOMPARE(readBytes(file(QStringLiteral("readonly.cfg"))), original);
    QCOMPARE(dataFiles(folder()).size(), 2);
}

void ZConfigTest::pendingWritesReachTheFileAtDestruction()
{
    const QString path = file(QStringLiteral("later/test.cfg"));
    {
        const Diagnostics diagnostics;
        ZConfig config(path);
        QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("kept")));
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("later")));
    }
    QCOMPARE(readBytes(path), QByteArray("[A]\nk=kept\n"));
}

void ZConfigTest::oversizedFileIsLeftAlone()
{
    QFile huge(file());
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.write("[A]\nk=1\n") > 0);
    QVERIFY(huge.resize(ZConfigDocument::MaxFileSize + 1)); // sparse: takes no room on storage
    huge.close();
    const Diagnostics diagnostics;
    {
        ZConfig config(file());
        QCOMPARE(config.readEntry(QStringLiteral("A"), QStringLiteral("k"), Missing), Missing);
        // Writing the one key would replace the whole file with it.
        QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2")));
    }
    QCOMPARE(diagnostics.lines().size(), 2);
    QCOMPARE(QFileInfo(file()).size(), ZConfigDocument::MaxFileSize + 1);
}

void ZConfigTest::flushIsAtomicForAnotherProcess()
{
    const QString path = file();
    QByteArray initial("[Data]\n");
    for (int k = 0; k < ReaderKeys; ++k)
        initial += "K" + QByteArray::number(k) + "=" + readerValue(0).toUtf8() + "\n";
    QVERIFY(writeBytes(path, initial + "[Tail]\nEnd=end\n"));

    QProcess reader;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(ReaderVariable), path);
    reader.setProcessEnvironment(environment);
    reader.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(reader.waitForStarted());
    QVERIFY(reader.waitForReadyRead(60000));
    QCOMPARE(reader.readLine().trimmed(), QByteArray("ready"));

    {
        ZConfig writer(path);
        for (int generation = 1; generation <= 4; ++generation) {
            for (int k = 0; k < ReaderKeys; ++k)
                QVERIFY(writer.writeEntry(
                    QStringLiteral("Data"), QStringLiteral("K%1").arg(k), readerValue(generation)));
        }
        QVERIFY(writer.writeEntry(QStringLiteral("Tail"), QStringLiteral("Done"), QStringLiteral("yes")));
        QVERIFY(writer.flush());
    }
    QVERIFY(reader.waitForFinished(120000));
    const QByteArray output = reader.readAll();
    QVERIFY2(reader.exitStatus() == QProcess::NormalExit && reader.exitCode() == 0, output.constData());
    qInfo("the reader saw %s whole files", output.trimmed().constData());
}

void ZConfigTest::flushWaitsForTheLockThenGivesUp()
{
    const QByteArray original("[A]\nk=1\n");
    QVERIFY(writeBytes(file(), original));
    // Another writer holds the lock beside the file for as long as this test wants.
    const int held = ::open(
        QFile::encodeName(file() + QStringLiteral(".lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    QVERIFY(held >= 0);
    QCOMPARE(::flock(held, LOCK_EX | LOCK_NB), 0);
    {
        const Diagnostics diagnostics;
        ZConfig config(file());
        QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2")));
        QCOMPARE(readBytes(file()), original);
        QCOMPARE(diagnostics.lines().size(), 1);
        QVERIFY2(diagnostics.lines().constFirst().contains(QStringLiteral("lock")),
            qPrintable(diagnostics.lines().constFirst()));
        // Once the other writer is done, the kept write goes through.
        ::close(held);
        QVERIFY(config.flush());
    }
    QCOMPARE(readBytes(file()), QByteArray("[A]\nk=2\n"));
}

void ZConfigTest::staleTemporariesAreRemoved()
{
    // What a writer killed between creating its temporary file and renaming it leaves behind.
    const QStringList orphans = { QStringLiteral(".test.cfg.Ab12Yz"), QStringLiteral(".test.cfg.000000") };
    const QStringList others = { QStringLiteral(".other.cfg.Ab12Yz"), QStringLiteral(".test.cfg.Ab12Yz.keep"),
        QStringLiteral(".test.cfg.short"), QStringLiteral("test.cfg.Ab12Yz") };
    for (const QString &name : orphans + others)
        QVERIFY(writeBytes(file(name), "[Half]\n"));
    QVERIFY(QDir(folder()).mkdir(QStringLiteral(".test.cfg.Dir123")));
    {
        ZConfig config(file());
        QVERIFY(config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("1")));
    }
    for (const QString &name : orphans)
        QVERIFY2(!QFile::exists(file(name)), qPrintable(name));
    for (const QString &name : others)
        QVERIFY2(QFile::exists(file(name)), qPrintable(name));
    QVERIFY(QFileInfo(file(QStringLiteral(".test.cfg.Dir123"))).isDir());
}

void ZConfigTest::filesThatAreNotFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a kernel file that reports no size") << "pagemap";
    QTest::newRow("link to an endless device") << "zero";
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("folder") << "folder";
}

void ZConfigTest::filesThatAreNotFiles()
{
    QFETCH(QString, kind);
    const QByteArray name = QFile::encodeName(file());
    if (kind == QLatin1String("pagemap"))
        QVERIFY(QFile::link(QStringLiteral("/proc/self/pagemap"), file()));
    else if (kind == QLatin1String("zero"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file()));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(name.constData(), 0644), 0);
    else
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("test.cfg")));
    const Diagnostics diagnostics;
    {
        // Read as empty, said once; a write cannot replace it.
        ZConfig config(file());
        QCOMPARE(config.readEntry(QStringLiteral("A"), QStringLiteral("k"), Missing), Missing);
        QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("1")));
    }
    QCOMPARE(diagnostics.lines().size(), 2);
    QString error;
    QVERIFY(!ZConfigDocument::readFile(file(), &error));
    QVERIFY(!error.isEmpty());
}

namespace {

// Hostile inputs are made when their row runs, so that only one of them is in memory at a time.
QByteArray hostileContent(int row)
{
    const qsizetype tenMegabytes = 10 * 1024 * 1024;
    const int million = 1000 * 1000;
    switch (row) {
    case 0:
        return "[A]\nk=" + QByteArray(tenMegabytes, 'v') + "\n";
    case 1:
        return "[A]\n" + QByteArray(tenMegabytes, 'v') + "=1\n";
    case 2:
        return "[" + QByteArray(tenMegabytes, 'v') + "]\n";
    case 3:
        return QByteArray(tenMegabytes, '[');
    case 4:
        return "[A]\nk=" + QByteArray(tenMegabytes, '\\');
    case 5:
        return QByteArray(tenMegabytes, '\n');
    case 6: {
        const char nuls[] = "[A\0B]\nk\0=\0\n\0\0\0\n[C]\n";
        return QByteArray(nuls, sizeof nuls - 1);
    }
    case 7:
        return QByteArray("[\xff\xfe]\n\xc3=\xc3\x28\xa0\xa1\n[\xed\xa0\x80]\n");
    case 8: {
        QByteArray garbage(1024 * 1024, '\0');
        QRandomGenerator random(1234);
        for (char &c : garbage)
            c = char(random.bounded(256));
        return garbage;
    }
    case 9: {
        QByteArray bytes;
        bytes.reserve(10 * million);
        for (int i = 0; i < million; ++i)
            bytes += "[g" + QByteArray::number(i) + "]\n";
        return bytes;
    }
    case 10: {
        QByteArray bytes("[A]\n");
        bytes.reserve(10 * million);
        for (int i = 0; i < million; ++i)
            bytes += "k" + QByteArray::number(i) + "=1\n";
        return bytes;
    }
    default:
        return QByteArray("[A]\nk=1\n").repeated(million);
    }
}

} // namespace

void ZConfigTest::hostileFiles_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("groups"); // -1: not checked
    QTest::newRow("10 MB value") << 0 << 1;
    QTest::newRow("10 MB key") << 1 << 1;
    QTest::newRow("10 MB header") << 2 << 1;
    QTest::newRow("10 MB of brackets") << 3 << 0;
    QTest::newRow("10 MB of backslashes") << 4 << 1;
    QTest::newRow("10 MB of line ends") << 5 << 0;
    QTest::newRow("NUL bytes") << 6 << 2;
    QTest::newRow("invalid UTF-8") << 7 << -1;
    QTest::newRow("binary garbage") << 8 << -1;
    QTest::newRow("a million groups") << 9 << 1000 * 1000;
    QTest::newRow("a million keys") << 10 << 1;
    QTest::newRow("one group a million times") << 11 << 1;
}

void ZConfigTest::hostileFiles()
{
    QFETCH(int, row);
    QFETCH(int, groups);
    const QByteArray content = hostileContent(row);
    QVERIFY(writeBytes(file(), content));
    {
        ZConfig config(file());
        QStringList names;
        config.getGroupsKeyList(names);
        if (groups >= 0)
            QCOMPARE(names.size(), groups);
        for (const QString &name : names.mid(0, 100))
            config.readEntry(name, QStringLiteral("k"));
        QVERIFY(config.writeEntry(QStringLiteral("Written"), QStringLiteral("k"), QStringLiteral("v")));
    }
    // The write changed nothing of what was there.
    const QByteArray after = readBytes(file());
    QVERIFY(after.startsWith(content));
    QVERIFY(after.endsWith("[Written]\nk=v\n") || after.endsWith("[Written]\r\nk=v\r\n"));
}

void ZConfigTest::setupSetManager_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("def");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("value");
    QTest::newRow("true") << QByteArray("[Main]\nActivated = true\n") << false << true << true;
    QTest::newRow("zero") << QByteArray("[Main]\nActivated=0\n") << true << true << false;
    QTest::newRow("not a truth value") << QByteArray("[Main]\nActivated=sometimes\n") << true << true << true;
    QTest::newRow("missing key") << QByteArray("[Main]\nSkin=x\n") << true << false << true;
    QTest::newRow("other case") << QByteArray("[main]\nactivated=false\n") << true << false << true;
    QTest::newRow("commented") << QByteArray("[Main]\n#Activated=false\n") << false << false << false;
}

void ZConfigTest::setupSetManager()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, def);
    QFETCH(bool, found);
    QFETCH(bool, value);
    QVERIFY(writeBytes(file(), content));
    const SETUP_SET_Manager manager(file(), false);
    bool read = !def;
    QCOMPARE(manager.getSettingInfo(QStringLiteral("Main"), QStringLiteral("Activated"), read, def), found);
    QCOMPARE(read, value);
    bool missing = false;
    QVERIFY(!SETUP_SET_Manager(file(QStringLiteral("absent.cfg")))
                 .getSettingInfo(QStringLiteral("Main"), QStringLiteral("Activated"), missing, true));
    QCOMPARE(missing, true);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(ReaderVariable))
        return readerLoop(qEnvironmentVariable(ReaderVariable));
    QCoreApplication app(argc, argv);
    ZConfigTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "zconfigtest.moc"
