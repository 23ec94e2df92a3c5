// The configuration file (ZConfig), the settings file written through it, and the phone's
// settings manager: lexical rules, what a write keeps, atomic replaces and the writers' lock.

#include "data/settingsfile.h"
#include "platform/zconfig.h"
#include "platform/zconfigdocument.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Missing = QStringLiteral("<missing>");

// The files of a folder apart from the writers' lock files.
QStringList dataFiles(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    names.removeIf([](const QString &name) { return name.endsWith(QLatin1String(".lock")); });
    return names;
}

// A second process: holds the writers' lock of a file, shared, until its standard input closes; a
// writer, which needs it alone, must wait.
int lockHolder(const QString &path)
{
    const int fd
        = ::open(QFile::encodeName(path + QStringLiteral(".lock")).constData(), O_RDWR | O_CREAT, 0644);
    if (fd < 0 || ::flock(fd, LOCK_SH) != 0)
        return 1;
    std::printf("held\n"), std::fflush(stdout);
    char c;
    while (::read(0, &c, 1) > 0) { }
    return 0;
}

} // namespace

class ConfigTest : public QObject
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
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void writesKeepTheRestOfTheFile_data();
    void writesKeepTheRestOfTheFile();
    void refusedNames_data();
    void refusedNames();
    void unwritableFiles_data();
    void unwritableFiles();
    void writersInOneProcess();
    void replaceKeepsLinkAndMode();
    void staleTemporariesAreRemoved();
    void flushWaitsForTheLockThenGivesUp();
    void settingsFile_data();
    void settingsFile();
    void settingsWritesInOrder();

private:
    QString file(const QString &name = QStringLiteral("test.cfg")) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void ConfigTest::lexicalRules_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key"); // "group/key"
    QTest::addColumn<QString>("expected");
    const auto row
        = [](const char *name, const QByteArray &content, const char *key, const QString &expected) {
              QTest::newRow(name) << content << QString::fromUtf8(key) << expected;
          };
    row("trimmed", "[ Main ]\n  Skin  =  blue sky \t\n", "Main/Skin", "blue sky");
    row("comments", "[A]\n# k=1\n ;j=1\n", "A/k", Missing);
    row("group case", "[main]\nSkin=x\n", "Main/Skin", Missing);
    row("key case", "[Main]\nskin=x\n", "Main/Skin", Missing);
    row("unclosed header ends the group", "[A]\nk=1\n[B\nj=2\n", "A/j", Missing);
    row("bracket in header", "[A]\n[a]b]\nj=2\n", "A/j", Missing);
    row("duplicate group: the first", "[A]\nk=1\n[A]\nk=2\nj=3\n", "A/k", "1");
    row("duplicate group's keys", "[A]\nk=1\n[A]\nk=2\nj=3\n", "A/j", Missing);
    row("duplicate key: the first", "[A]\nk=1\nk=2\n", "A/k", "1");
    row("escapes", "[A]\nk=\\sa\\tb\\nc\\rd\\\\e\\s\n", "A/k", " a\tb\nc\rd\\e ");
    row("unknown escapes stay", "[A]\nk=a\\qb\\x41\\\n", "A/k", "a\\qbA\\");
    row("CR LF and byte order mark", "\xEF\xBB\xBF[A]\r\nk=v\r\n", "A/k", "v");
    row("NUL byte", QByteArray("[A]\nk=a\0b\n", 10), "A/k", QString::fromUtf8("a\0b", 3));
}

void ConfigTest::lexicalRules()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QVERIFY(writeFileBytes(file(), content));
    QCOMPARE(ZConfig(file()).readEntry(key.section(u'/', 0, 0), key.section(u'/', 1), Missing), expected);
}

void ConfigTest::numbersAndTruthValues_data()
{
    QTest::addColumn<QByteArray>("text"); // null: no such key
    QTest::addColumn<int>("number");
    QTest::addColumn<uint>("unsignedNumber");
    QTest::addColumn<int>("truth"); // -1: neither, the default

    QTest::newRow("42, leading zeros, plus") << QByteArray("+042") << 42 << 42u << -1;
    QTest::newRow("int max") << QByteArray("2147483647") << 2147483647 << 2147483647u << -1;
    QTest::newRow("above int max") << QByteArray("2147483648") << -99 << 2147483648u << -1;
    QTest::newRow("trailing text") << QByteArray("12abc") << -99 << 99u << -1;
    QTest::newRow("hex") << QByteArray("0x10") << -99 << 99u << -1;
    QTest::newRow("empty") << QByteArray("") << -99 << 99u << -1;
    QTest::newRow("missing") << QByteArray() << -99 << 99u << -1;
    QTest::newRow("1") << QByteArray("1") << 1 << 1u << 1;
    QTest::newRow("0") << QByteArray("0") << 0 << 0u << 0;
    QTest::newRow("true") << QByteArray("TRUE") << -99 << 99u << 1;
    QTest::newRow("on") << QByteArray("on") << -99 << 99u << 1;
    QTest::newRow("no") << QByteArray("NO") << -99 << 99u << 0;
    QTest::newRow("off") << QByteArray("Off") << -99 << 99u << 0;
}

void ConfigTest::numbersAndTruthValues()
{
    QFETCH(QByteArray, text);
    QFETCH(int, number);
    QFETCH(uint, unsignedNumber);
    QFETCH(int, truth);
    QVERIFY(writeFileBytes(file(), text.isNull() ? "[A]\nj=1\n" : "[A]\nk = " + text + "\n"));
    const ZConfig config(file());
    const QString a = QStringLiteral("A");
    const QString k = QStringLiteral("k");
    QCOMPARE(config.readNumEntry(a, k, -99), number);
    QCOMPARE(config.readUIntEntry(a, k, 99), unsignedNumber);
    QCOMPARE(config.readBoolEntry(a, k, true), truth < 0 ? true : truth == 1);
    QCOMPARE(config.readBoolEntry(a, k, false), truth < 0 ? false : truth == 1);
    QCOMPARE(config.readEntry(a, k, Missing), text.isNull() ? Missing : QString::fromUtf8(text));
}

void ConfigTest::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces around") << QStringLiteral("  two  ");
    QTest::newRow("line breaks") << QStringLiteral("one\ntwo\r\nthree\n");
    QTest::newRow("group injection") << QStringLiteral("x\n[Main]\nSkin=evil");
    QTest::newRow("control characters") << QString::fromUtf8("a\0b\x01\x1f\x7f", 6);
}

void ConfigTest::valuesRoundTrip()
{
    QFETCH(QString, value);
    {
        ZConfig config(file());
        QVERIFY(config.writeEntry(QStringLiteral("G"), QStringLiteral("k"), value));
        QVERIFY(config.writeEntry(QStringLiteral("G"), QStringLiteral("after"), QStringLiteral("ok")));
    }
    const ZConfig reread(file());
    QCOMPARE(reread.readEntry(QStringLiteral("G"), QStringLiteral("k"), Missing), value);
    QCOMPARE(reread.readEntry(QStringLiteral("G"), QStringLiteral("after")), QStringLiteral("ok"));
    // One line per entry: a value never spills into lines of its own.
    QCOMPARE(readFileBytes(file()).count('\n'), 3);
}

void ConfigTest::writesKeepTheRestOfTheFile_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QStringList>("writes"); // "group|key|value"
    QTest::addColumn<QByteArray>("expected");

    const QByteArray sample("# top\n[A]\nx = 1\n; note\n\n[B]\ny=2\n");
    QTest::newRow("rewrite keeps spacing")
        << sample << QStringList { "A|x|5" } << QByteArray("# top\n[A]\nx = 5\n; note\n\n[B]\ny=2\n");
    QTest::newRow("new keys after the group's last key, in order")
        << sample << QStringList { "A|z|3", "A|w|4" }
        << QByteArray("# top\n[A]\nx = 1\nz=3\nw=4\n; note\n\n[B]\ny=2\n");
    QTest::newRow("new groups at the end keep their keys")
        << sample << QStringList { "C|a|1", "D|b|2", "C|c|3" } << sample + "\n[C]\na=1\nc=3\n\n[D]\nb=2\n";
    QTest::newRow("same value leaves the bytes")
        << QByteArray("[A]\nx   =   1   \n") << QStringList { "A|x|1" } << QByteArray("[A]\nx   =   1   \n");
    QTest::newRow("comment of the next group stays with it")
        << QByteArray("[A]\nx=1\n\n# about B\n[B]\n") << QStringList { "A|y|2" }
        << QByteArray("[A]\nx=1\ny=2\n\n# about B\n[B]\n");
    QTest::newRow("no final newline, new group")
        << QByteArray("[A]\nx=1") << QStringList { "B|k|v" } << QByteArray("[A]\nx=1\n\n[B]\nk=v\n");
    QTest::newRow("CR LF") << QByteArray("[A]\r\nx=1\r\n") << QStringList { "A|x|9", "A|y|2", "B|z|3" }
                           << QByteArray("[A]\r\nx=9\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    QTest::newRow("duplicates: the first is written")
        << QByteArray("[A]\nx=1\nx=0\n[B]\n[A]\nx=2\n") << QStringList { "A|x|3", "A|y|4" }
        << QByteArray("[A]\nx=3\nx=0\ny=4\n[B]\n[A]\nx=2\n");
    QTest::newRow("names compared exactly")
        << QByteArray("[a]\nk=1\n") << QStringList { "A|K|2" } << QByteArray("[a]\nk=1\n\n[A]\nK=2\n");
    // Hostile files: whatever was there stays, the new group goes after it.
    const char nuls[] = "[A\0B]\nk\0=\0\n\0\0\0\n[C]\n";
    const QByteArray nul(nuls, sizeof nuls - 1);
    QTest::newRow("NUL bytes") << nul << QStringList { "W|k|v" } << nul + "\n[W]\nk=v\n";
}

void ConfigTest::writesKeepTheRestOfTheFile()
{
    QFETCH(QByteArray, original);
    QFETCH(QStringList, writes);
    QFETCH(QByteArray, expected);
    if (!original.isEmpty())
        QVERIFY(writeFileBytes(file(), original));
    ZConfig config(file());
    for (const QString &write : std::as_const(writes)) {
        const QStringList parts = write.split(QLatin1Char('|'));
        QVERIFY(config.writeEntry(parts[0], parts[1], parts[2]));
        QCOMPARE(config.readEntry(parts[0], parts[1]), parts[2]);
    }
    QCOMPARE(readFileBytes(file()), expected);
}

void ConfigTest::refusedNames_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::newRow("empty group") << QString() << QStringLiteral("k");
    QTest::newRow("empty key") << QStringLiteral("G") << QString();
    QTest::newRow("bracket in group") << QStringLiteral("G]\n[Main") << QStringLiteral("k");
    QTest::newRow("line break in key") << QStringLiteral("G") << QStringLiteral("a\nSkin");
    QTest::newRow("equals in key") << QStringLiteral("G") << QStringLiteral("a=b");
    QTest::newRow("comment key") << QStringLiteral("G") << QStringLiteral("#k");
    QTest::newRow("space around key") << QStringLiteral("G") << QStringLiteral(" k");
    QTest::newRow("tab around group") << QStringLiteral("G\t") << QStringLiteral("k");
}

void ConfigTest::refusedNames()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    const QByteArray original("[Main]\nSkin=blue\n");
    QVERIFY(writeFileBytes(file(), original));
    {
        const MessageCollector diagnostics;
        ZConfig config(file());
        QVERIFY(!config.writeEntry(group, key, QStringLiteral("x")));
        QVERIFY(!config.writeEntry(group, key, 5));
        QCOMPARE(config.readEntry(group, key, Missing), Missing);
        QVERIFY(config.flush());
        QCOMPARE(diagnostics.lines().size(), 2);
    }
    QCOMPARE(readFileBytes(file()), original);
}

void ConfigTest::unwritableFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("readLines"); // diagnostic lines of the read
    for (const char *kind : { "read-only", "missing folder" })
        QTest::newRow(kind) << kind << 0;
    for (const char *kind : { "oversized", "named pipe" })
        QTest::newRow(kind) << kind << 1;
}

void ConfigTest::unwritableFiles()
{
    QFETCH(QString, kind);
    QFETCH(int, readLines);
    QString path = file();
    const QByteArray original("[A]\nk=1\n");
    if (kind == QLatin1String("read-only")) {
        QVERIFY(writeFileBytes(path, original));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    } else if (kind == QLatin1String("missing folder")) {
        path = file(QStringLiteral("missing/test.cfg"));
    } else if (kind == QLatin1String("oversized")) {
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write(original) > 0);
        QVERIFY(huge.resize(ZConfigDocument::MaxFileSize + 1)); // sparse: takes no room on storage
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    }
    const QFileInfo before(path);
    const qsizetype files = dataFiles(m_dir->path()).size();
    const MessageCollector diagnostics;
    {
        ZConfig config(path);
        QCOMPARE(config.readEntry(QStringLiteral("A"), QStringLiteral("k"), Missing),
            kind == QLatin1String("read-only") ? QStringLiteral("1") : Missing);
        QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2")));
        // The value stays in memory; every retry reports the failure by its result, said once.
        if (readLines == 0) {
            QCOMPARE(config.readEntry(QStringLiteral("A"), QStringLiteral("k")), QStringLiteral("2"));
            QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("j"), 3));
            QVERIFY(!config.flush());
        }
    }
    QCOMPARE(diagnostics.lines().size(), readLines + 1);
    QVERIFY2(diagnostics.lines().constLast().contains(path), qPrintable(diagnostics.lines().constLast()));
    if (before.isFile())
        QCOMPARE(QFileInfo(path).size(), before.size());
    QCOMPARE(dataFiles(m_dir->path()).size(), files); // no temporary file left behind
}

void ConfigTest::writersInOneProcess()
{
    QVERIFY(writeFileBytes(file(), "[Main]\nSkin=blue\n"));
    ZConfig first(file());
    ZConfig second(file());
    QVERIFY(first.writeEntry(QStringLiteral("DockBar"), QStringLiteral("Icon0"), QStringLiteral("a.png")));
    // The second object read the file before the first wrote; its write keeps the first one's value.
    QVERIFY(second.writeEntry(QStringLiteral("Notify"), QStringLiteral("Year"), 2030));
    QVERIFY(writeFileBytes(file(), readFileBytes(file()) + "[Extra]\nk=v\n"));
    QVERIFY(first.writeEntry(QStringLiteral("Main"), QStringLiteral("Skin"), QStringLiteral("red")));
    QCOMPARE(readFileBytes(file()),
        QByteArray("[Main]\nSkin=red\n\n[DockBar]\nIcon0=a.png\n\n[Notify]\nYear=2030\n[Extra]\nk=v\n"));
    // A writer also reads what others wrote once it has saved.
    QCOMPARE(first.readNumEntry(QStringLiteral("Notify"), QStringLiteral("Year")), 2030);

    // Writes that could not reach the file reach it when the object goes.
    const QString later = file(QStringLiteral("later/test.cfg"));
    {
        const MessageCollector diagnostics;
        ZConfig config(later);
        QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("kept")));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("later")));
    }
    QCOMPARE(readFileBytes(later), QByteArray("[A]\nk=kept\n"));
}

void ConfigTest::replaceKeepsLinkAndMode()
{
    const QString real = file(QStringLiteral("real.cfg"));
    QVERIFY(writeFileBytes(real, "[A]\nk=1\n"));
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::link(real, file(QStringLiteral("link.cfg"))));
    // A reader that opened the file before the write goes on reading the whole old version.
    QFile reader(real);
    QVERIFY(reader.open(QIODevice::ReadOnly));
    QVERIFY(
        ZConfig(file(QStringLiteral("link.cfg"))).writeEntry(QStringLiteral("A"), QStringLiteral("k"), 2));
    QVERIFY(QFileInfo(file(QStringLiteral("link.cfg"))).isSymLink());
    QCOMPARE(readFileBytes(real), QByteArray("[A]\nk=2\n"));
    QCOMPARE(reader.readAll(), QByteArray("[A]\nk=1\n"));
    QCOMPARE(QFile::permissions(real) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(dataFiles(m_dir->path()).size(), 2); // no temporary file left behind
}

void ConfigTest::staleTemporariesAreRemoved()
{
    // What a writer killed between creating its temporary file and renaming it leaves behind.
    const QStringList orphans = { QStringLiteral(".test.cfg.Ab12Yz"), QStringLiteral(".test.cfg.000000") };
    const QStringList others = { QStringLiteral(".other.cfg.Ab12Yz"), QStringLiteral(".test.cfg.Ab12Yz.keep"),
        QStringLiteral(".test.cfg.short"), QStringLiteral("test.cfg.Ab12Yz") };
    for (const QString &name : orphans + others)
        QVERIFY(writeFileBytes(file(name), "[Half]\n"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral(".test.cfg.Dir123")));
    QVERIFY(ZConfig(file()).writeEntry(QStringLiteral("A"), QStringLiteral("k"), 1));
    for (const QString &name : orphans)
        QVERIFY2(!QFile::exists(file(name)), qPrintable(name));
    for (const QString &name : others + QStringList { QStringLiteral(".test.cfg.Dir123") })
        QVERIFY2(QFile::exists(file(name)), qPrintable(name));
}

void ConfigTest::flushWaitsForTheLockThenGivesUp()
{
    const QByteArray original("[A]\nk=1\n");
    QVERIFY(writeFileBytes(file(), original));
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--hold-lock"), file() });
    QVERIFY(holder.waitForReadyRead(60000));
    QCOMPARE(holder.readLine(), QByteArray("held\n"));
    {
        const MessageCollector diagnostics;
        ZConfig config(file());
        QVERIFY(!config.writeEntry(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2")));
        QCOMPARE(readFileBytes(file()), original);
        QCOMPARE(diagnostics.lines().size(), 1);
        QVERIFY2(diagnostics.lines().constFirst().contains(QStringLiteral("lock")),
            qPrintable(diagnostics.lines().constFirst()));
        // Once the other writer is done, the kept write goes through.
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(60000));
        QVERIFY(config.flush());
    }
    QCOMPARE(readFileBytes(file()), QByteArray("[A]\nk=2\n"));
}

void ConfigTest::settingsFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("skin");
    QTest::addColumn<QList<uint>>("date"); // year, month, day; empty: the built-in event
    QTest::addColumn<QString>("info");
    const CountdownEvent def = SettingsFile::defaultCountdownEvent();
    QTest::newRow("stored") << QByteArray(
        "[Main]\nSkin=night\n[Notify]\nYear=2031\nMonth=2\nDay=3\nInfo=\\sx\n")
                            << "night" << QList<uint> { 2031, 2, 3 } << " x";
    QTest::newRow("not numbers") << QByteArray("[Notify]\nYear=soon\nMonth=-1\nDay=x\n") << "default"
                                 << QList<uint>() << def.info;
    // Range checks belong to the dialog that stores the date; the reader hands values on as stored.
    QTest::newRow("out of range, empty info") << QByteArray("[Notify]\nYear=1999\nMonth=13\nDay=40\nInfo=\n")
                                              << "default" << QList<uint> { 1999, 13, 40 } << "";
}

void ConfigTest::settingsFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, skin);
    QFETCH(QList<uint>, date);
    QFETCH(QString, info);
    const TempDeviceRoot root;
    QVERIFY(root.writeFile(QString(SettingsFile::Path), content));
    const ZConfig settings(SettingsFile::filePath());
    QCOMPARE(SettingsFile::skin(settings), skin);
    const CountdownEvent def = SettingsFile::defaultCountdownEvent();
    if (date.isEmpty())
        date = { def.year, def.month, def.day };
    const CountdownEvent event = SettingsFile::countdownEvent(settings);
    QCOMPARE((QList<uint> { event.year, event.month, event.day }), date);
    QCOMPARE(event.info, info);
}

void ConfigTest::settingsWritesInOrder()
{
    const TempDeviceRoot root;
    {
        // Nothing creates /ezxlocal/Kestrow/: without it every write fails, and stays in memory.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot write")));
        ZConfig settings(SettingsFile::filePath());
        QVERIFY(!SettingsFile::writeCountdownEvent(settings, { 2040, 5, 6, QStringLiteral("x") }));
        QCOMPARE(SettingsFile::countdownEvent(settings).day, 6u);
        QVERIFY(!settings.flush());
    }
    QVERIFY(root.writeFile(QString(SettingsFile::Path), "[Main]\nSkin=blue\n"));
    ZConfig settings(SettingsFile::filePath());
    // One temporary file, one replace, per writer: a failure never stores half of its keys.
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    inotify_add_watch(
        watch, QFile::encodeName(root.path(QStringLiteral("/ezxlocal/Kestrow"))).constData(), IN_CREATE);
    QVERIFY(SettingsFile::writeDockSlot(settings, 9,
        { QStringLiteral("/ezxlocal/app/cam.png"), QString(), QStringLiteral("cam-id"),
            QString::fromUtf8("相机") }));
    QVERIFY(SettingsFile::writeCountdownEvent(settings, { 2031, 2, 3, QString::fromUtf8(" 生日 ") }));
    QVERIFY(SettingsFile::writeSkin(settings, QStringLiteral("night")));
    alignas(inotify_event) char events[4096];
    int replaces = 0;
    for (ssize_t at = 0, length = read(watch, events, sizeof events); at < length;) {
        const auto *event = reinterpret_cast<const inotify_event *>(events + at);
        replaces += QByteArray(event->name).startsWith(".Kestrow.cfg.");
        at += ssize_t(sizeof(inotify_event) + event->len);
    }
    close(watch);
    QCOMPARE(replaces, 3);
    QCOMPARE(readFileBytes(SettingsFile::filePath()),
        QByteArray("[Main]\nSkin=night\n\n"
                   "[DockBar]\nIcon9=/ezxlocal/app/cam.png\nType9=\nExec9=cam-id\nName9=相机\n\n"
                   "[Notify]\nYear=2031\nMonth=2\nDay=3\nInfo=\\s生日\\s\n"));
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--hold-lock") == 0)
        return lockHolder(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    ConfigTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "configtest.moc"
