#include "testsupport.h"

#include "platform/zconfig.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

ProgramRun runTool(const QStringList &arguments)
{
    return runProgram(builtProgram(QStringLiteral("kestrow-config")), arguments);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QByteArray Sample("# settings\n[Main]\nSkin = blue\n[DockBar]\nIcon0=\\sa\\nb\n[Main]\nSkin=ignored\n");

} // namespace

class KestrowConfigTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeBytes(path(), Sample));
    }

    void get_data();
    void get();
    void setKeepsTheFile();
    void groupsInFileOrder();
    void failedSet_data();
    void failedSet();
    void usageErrors_data();
    void usageErrors();
    void parallelWritersLoseNothing();

private:
    QString path(const QString &name = QStringLiteral("k.cfg")) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void KestrowConfigTest::get_data()
{
    QTest::addColumn<QStringList>("arguments"); // after "get FILE"
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("value") << QStringList { "Main", "Skin" } << QByteArray("blue\n");
    QTest::newRow("escaped value") << QStringList { "DockBar", "Icon0" } << QByteArray(" a\nb\n");
    QTest::newRow("default") << QStringList { "Main", "Absent", "fallback" } << QByteArray("fallback\n");
    QTest::newRow("no default") << QStringList { "Main", "Absent" } << QByteArray("\n");
    QTest::newRow("case matters") << QStringList { "main", "Skin", "none" } << QByteArray("none\n");
}

void KestrowConfigTest::get()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, out);
    const ProgramRun run = runTool(QStringList { QStringLiteral("get"), path() } + arguments);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, out);
    QCOMPARE(run.err, QByteArray());
    const ProgramRun missing
        = runTool({ QStringLiteral("get"), path(QStringLiteral("absent.cfg")), "A", "k", "d" });
    QCOMPARE(missing.exitCode, 0);
    QCOMPARE(missing.out, QByteArray("d\n"));
}

void KestrowConfigTest::setKeepsTheFile()
{
    const QString value = QString::fromUtf8("两行\n文字 ");
    QCOMPARE(runTool({ "set", path(), "Main", "Skin", "red" }).exitCode, 0);
    const ProgramRun set = runTool({ "set", path(), "Notify", "Info", value });
    QCOMPARE(set.exitCode, 0);
    QCOMPARE(set.err, QByteArray());
    QCOMPARE(readBytes(path()),
        QByteArray("# settings\n[Main]\nSkin = red\n[DockBar]\nIcon0=\\sa\\nb\n[Main]\nSkin=ignored\n\n"
                   "[Notify]\nInfo=两行\\n文字\\s\n"));
    QCOMPARE(runTool({ "get", path(), "Notify", "Info" }).out, (value + QLatin1Char('\n')).toUtf8());

    QCOMPARE(runTool({ "set", path(QStringLiteral("new.cfg")), "A", "k", "1" }).exitCode, 0);
    QCOMPARE(readBytes(path(QStringLiteral("new.cfg"))), QByteArray("[A]\nk=1\n"));
}

void KestrowConfigTest::groupsInFileOrder()
{
    const ProgramRun run = runTool({ "groups", path() });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("Main\nDockBar\n"));
    QCOMPARE(runTool({ "groups", path(QStringLiteral("absent.cfg")) }).out, QByteArray());
}

void KestrowConfigTest::failedSet_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("group");
    QTest::newRow("missing folder") << "missing/k.cfg"
                                    << "Main";
    QTest::newRow("read-only file") << "readonly.cfg"
                                    << "Main";
    QTest::newRow("name the syntax cannot hold") << "k.cfg"
                                                 << "Main]\n[Evil";
}

void KestrowConfigTest::failedSet()
{
    QFETCH(QString, file);
    QFETCH(QString, group);
    QVERIFY(writeBytes(path(QStringLiteral("readonly.cfg")), Sample));
    QVERIFY(QFile::setPermissions(path(QStringLiteral("readonly.cfg")), QFile::ReadOwner));
    const ProgramRun run = runTool({ "set", path(file), group, "Skin", "red" });
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY2(run.err.startsWith("kestrow-config: "), run.err.constData());
    if (QFile::exists(path(file)))
        QCOMPARE(readBytes(path(file)), Sample);
}

void KestrowConfigTest::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList {};
    QTest::newRow("unknown command") << QStringList { "list", "f" };
    QTest::newRow("get without key") << QStringList { "get", "f", "G" };
    QTest::newRow("get with too much") << QStringList { "get", "f", "G", "K", "D", "E" };
    QTest::newRow("set without value") << QStringList { "set", "f", "G", "K" };
    QTest::newRow("groups with more") << QStringList { "groups", "f", "G" };
}

void KestrowConfigTest::usageErrors()
{
    QFETCH(QStringList, arguments);
    const ProgramRun run = runTool(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("kestrow-config: "), run.err.constData());
    QCOMPARE(run.err.count('\n'), 1);
    QCOMPARE(readBytes(path()), Sample);
}

void KestrowConfigTest::parallelWritersLoseNothing()
{
    // Two shells each run the tool once per key, in a group of their own, on one file at once.
    constexpr int Keys = 200;
    const QString script = QStringLiteral(
        "i=0; while [ \"$i\" -lt \"$4\" ]; do \"$1\" set \"$2\" \"$3\" \"k$i\" \"v$i\" || exit 1; "
        "i=$((i+1)); done");
    QProcess writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w].start(QStringLiteral("/bin/sh"),
            { QStringLiteral("-c"), script, QStringLiteral("sh"),
                builtProgram(QStringLiteral("kestrow-config")), path(), QStringLiteral("Writer%1").arg(w),
                QString::number(Keys) });
        QVERIFY(writers[w].waitForStarted());
    }
    for (QProcess &writer : writers) {
        QVERIFY(writer.waitForFinished(600000));
        QVERIFY2(writer.exitCode() == 0, writer.readAllStandardError().constData());
    }
    const ZConfig check(path());
    int lost = 0;
    for (int w = 0; w < 2; ++w) {
        for (int k = 0; k < Keys; ++k) {
            const QString value
                = check.readEntry(QStringLiteral("Writer%1").arg(w), QStringLiteral("k%1").arg(k));
            lost += value == QStringLiteral("v%1").arg(k) ? 0 : 1;
        }
    }
    QCOMPARE(lost, 0);
    // What was there before is kept too.
    QVERIFY(readBytes(path()).startsWith(Sample));
}

QTEST_GUILESS_MAIN(KestrowConfigTest)

#include "kestrowconfigtest.moc"
