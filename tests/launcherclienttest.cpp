#include "platform/amlauncherclient.h"
#include "platform/desktopapps.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

constexpr int waitMs = 60000; // generous: the suite also runs under the sanitizers on a busy machine

QList<QByteArray> logLines(const TempDeviceRoot &root)
{
    QFile log(root.path(AM_LauncherClient::launchLogPath()));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = log.readAll().split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class LauncherClientTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void listsShownEntries();
    void launches_data();
    void launches();
    void logsOneLinePerLaunch();
    void doesNotWaitForTheApplication();
    void logThatIsNoFileIsNotWaitedOn();

private:
    void writeEntry(const QString &id, const QString &exec, const QString &extra = QString());
    QString file(const QString &name) const { return m_xdg.filePath(QStringLiteral("out/") + name); }

    QTemporaryDir m_xdg;
};

void LauncherClientTest::writeEntry(const QString &id, const QString &exec, const QString &extra)
{
    QFile entry(m_xdg.filePath(QStringLiteral("applications/") + id));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n%3")
                    .arg(id, exec, extra)
                    .toUtf8());
}

void LauncherClientTest::initTestCase()
{
    // GLib reads the data folders once per process: set them before any lookup.
    QVERIFY(m_xdg.isValid());
    QVERIFY(QDir(m_xdg.path()).mkpath(QStringLiteral("applications")));
    QVERIFY(QDir(m_xdg.path()).mkpath(QStringLiteral("out")));
    QVERIFY(QDir(m_xdg.path()).mkpath(QStringLiteral("system")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg.path()));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_xdg.filePath(QStringLiteral("system"))));

    writeEntry(
        QStringLiteral("kestrow-touch.desktop"), QStringLiteral("touch ") + file(QStringLiteral("touched")));
    writeEntry(QStringLiteral("kestrow-hidden.desktop"),
        QStringLiteral("touch ") + file(QStringLiteral("hidden")), QStringLiteral("NoDisplay=true\n"));
    writeEntry(QStringLiteral("kestrow-args.desktop"),
        QStringLiteral("touch %1 %u").arg(file(QStringLiteral("args"))));
    writeEntry(QStringLiteral("kestrow-wait.desktop"),
        QStringLiteral("timeout 60 sh -c \"until [ -e %1 ]; do sleep 0.1; done; touch %2\"")
            .arg(file(QStringLiteral("go")), file(QStringLiteral("done"))));
    writeEntry(QStringLiteral("kestrow-missing.desktop"), QStringLiteral("/nonexistent/program"));
}

void LauncherClientTest::listsShownEntries()
{
    const QStringList shown { QStringLiteral("kestrow-args.desktop"), QStringLiteral("kestrow-touch.desktop"),
        QStringLiteral("kestrow-wait.desktop") };
    QCOMPARE(desktopApplicationIds(10), shown);
    QCOMPARE(desktopApplicationIds(3), shown);
    QCOMPARE(desktopApplicationIds(2), shown.mid(0, 2));
    QCOMPARE(desktopApplicationIds(0), QStringList());
    QCOMPARE(desktopApplicationIds(-1), QStringList());
}

void LauncherClientTest::launches_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("created");
    QTest::newRow("desktop id") << QStringLiteral("kestrow-touch.desktop") << int(AM_LauncherClient::Started)
                                << QStringLiteral("touched");
    QTest::newRow("without suffix") << QStringLiteral("kestrow-touch") << int(AM_LauncherClient::Started)
                                    << QStringLiteral("touched");
    QTest::newRow("not shown") << QStringLiteral("kestrow-hidden.desktop") << int(AM_LauncherClient::Started)
                               << QStringLiteral("hidden");
    QTest::newRow("no file argument") << QStringLiteral("kestrow-args.desktop")
                                      << int(AM_LauncherClient::Started) << QStringLiteral("args");
    QTest::newRow("unknown") << QStringLiteral("nothing.desktop") << int(AM_LauncherClient::NotFound)
                             << QString();
    QTest::newRow("empty") << QString() << int(AM_LauncherClient::NotFound) << QString();
    QTest::newRow("program missing") << QStringLiteral("kestrow-missing.desktop")
                                     << int(AM_LauncherClient::NotFound) << QString();
    QTest::newRow("phone id") << QStringLiteral("{6E8FB5A0-1C42-4a37-9A6C-5BC2E8A7D1F3}")
                              << int(AM_LauncherClient::NotFound) << QString();
}

void LauncherClientTest::launches()
{
    QFETCH(QString, id);
    QFETCH(int, result);
    QFETCH(QString, created);
    TempDeviceRoot root;
    if (!created.isEmpty())
        QFile::remove(file(created));

    QCOMPARE(AM_LauncherClient::launchAppObject(id, QString(), 0, true, true), result);
    if (!created.isEmpty())
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file(created)), waitMs);
    const QList<QByteArray> lines = logLines(root);
    QCOMPARE(lines.size(), 1);
    const QList<QByteArray> fields = lines.first().split('\t');
    QCOMPARE(fields.size(), 7);
    QCOMPARE(fields.at(0), id.toUtf8());
    QCOMPARE(fields.mid(1, 4), (QList<QByteArray> { "", "0", "1", "1" }));
    QCOMPARE(
        fields.at(5), result == AM_LauncherClient::Started ? QByteArray("started") : QByteArray("not-found"));
}

void LauncherClientTest::logsOneLinePerLaunch()
{
    TempDeviceRoot root;
    // Ids come from files the user edits: no shell ever sees them.
    const QString pwned = file(QStringLiteral("pwned"));
    const QStringList ids { QStringLiteral("x; touch ") + pwned, QStringLiteral("$(touch %1)").arg(pwned),
        QStringLiteral("`touch %1`").arg(pwned), QStringLiteral("line\nbreak\tand\\tab") };
    for (const QString &id : ids)
        QCOMPARE(AM_LauncherClient::launchAppObject(id, QStringLiteral("an arg"),
                     AM_LauncherClient::AM_LAUNCHER_INITIATOR_DEFAULT, false, true),
            int(AM_LauncherClient::NotFound));
    const QList<QByteArray> lines = logLines(root);
    QCOMPARE(lines.size(), ids.size());
    QCOMPARE(lines.at(3).split('\t').mid(0, 5),
        (QList<QByteArray> { "line\\nbreak\\tand\\\\tab", "an arg", "0", "0", "1" }));
    QVERIFY(!QFile::exists(pwned));
}

void LauncherClientTest::doesNotWaitForTheApplication()
{
    // The application waits for a file that only appears after the launch
    // returned: a launcher that waited for it would never come back.
    TempDeviceRoot root;
    QCOMPARE(
        AM_LauncherClient::launchAppObject(QStringLiteral("kestrow-wait.desktop"), QString(), 0, true, true),
        int(AM_LauncherClient::Started));
    QFile go(file(QStringLiteral("go")));
    QVERIFY(go.open(QIODevice::WriteOnly));
    go.close();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file(QStringLiteral("done"))), waitMs);
}

void LauncherClientTest::logThatIsNoFileIsNotWaitedOn()
{
    TempDeviceRoot root;
    const QString log = root.path(AM_LauncherClient::launchLogPath());
    QVERIFY(QDir().mkpath(QFileInfo(log).absolutePath()));
    // Nobody reads the pipe: opening it for writing the usual way would wait for ever.
    QCOMPARE(::mkfifo(QFile::encodeName(log).constData(), 0644), 0);
    QCOMPARE(AM_LauncherClient::launchAppObject(
                 QStringLiteral("kestrow-absent.desktop"), QString(), 0, true, true),
        int(AM_LauncherClient::NotFound));
    // The pipe is left as it was.
    QVERIFY(QFileInfo::exists(log) && !QFileInfo(log).isFile());
}

QTEST_GUILESS_MAIN(LauncherClientTest)

#include "launcherclienttest.moc"
