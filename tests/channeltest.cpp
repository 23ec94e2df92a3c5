// The phone's message channels (QCopChannel on the session bus, the kestrow-qcop tool, foreign
// clients) and the application launcher with its launch log.

#include "platform/amlauncherclient.h"
#include "platform/desktopapps.h"
#include "platform/qcopchannel.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr int waitMs = 60000; // generous: the suite also runs under the sanitizers on a busy machine

// Channel names of this run, so that parallel runs on one bus stay apart.
QString uniqueChannel(const QString &name)
{
    return QStringLiteral("/Test/%1/%2").arg(QCoreApplication::applicationPid()).arg(name);
}

QList<QByteArray> lines(const QByteArray &text)
{
    QList<QByteArray> out = text.split('\n');
    if (!out.isEmpty() && out.constLast().isEmpty())
        out.removeLast();
    return out;
}

ProgramRun qcop(const QStringList &arguments,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    return runProgram(builtProgram(QStringLiteral("kestrow-qcop")), arguments, {}, waitMs, environment);
}

// A second process of this test without a usable bus: everything fails quietly.
int childNoBus()
{
    const QString channel = QStringLiteral("/Test/NoBus");
    QCopChannel listener(channel);
    const bool registered = QCopChannel::isRegistered(channel);
    const bool sent = QCopChannel::send(channel, "Reload()");
    const bool sentAgain = QCopChannel::send(channel, "Reload()", "data");
    std::printf("registered=%d sent=%d sentAgain=%d\n", registered, sent, sentAgain);
    return 0;
}

QList<QByteArray> logLines(const TempDeviceRoot &root)
{
    return lines(readFileBytes(root.path(AM_LauncherClient::launchLogPath())));
}

} // namespace

class ChannelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void deliversToEveryListenerOfTheName();
    void toolSends_data();
    void toolSends();
    void foreignClients();
    void noBus_data();
    void noBus();
    void listsShownApplications();
    void launches_data();
    void launches();
    void launchIdsReachNoShell();
    void doesNotWaitForTheApplication();
    void logThatIsNoFileIsNotWaitedOn();

private:
    void writeEntry(const QString &id, const QString &exec, const QString &extra = QString());
    QString out(const QString &name) const { return m_xdg.filePath(QStringLiteral("out/") + name); }
    QTemporaryDir m_xdg;
};

void ChannelTest::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"), "run inside dbus-run-session");
    // GLib reads the data folders once per process: set them before any lookup.
    QVERIFY(m_xdg.isValid());
    for (const char *folder : { "applications", "out", "system" })
        QVERIFY(QDir(m_xdg.path()).mkpath(QLatin1String(folder)));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg.path()));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_xdg.filePath(QStringLiteral("system"))));
    writeEntry(QStringLiteral("k-touch.desktop"), QStringLiteral("touch ") + out(QStringLiteral("touched")));
    writeEntry(QStringLiteral("k-hidden.desktop"), QStringLiteral("touch ") + out(QStringLiteral("hidden")),
        QStringLiteral("NoDisplay=true\n"));
    writeEntry(
        QStringLiteral("k-args.desktop"), QStringLiteral("touch %1 %u").arg(out(QStringLiteral("args"))));
    writeEntry(QStringLiteral("k-wait.desktop"),
        QStringLiteral("timeout 60 sh -c \"until [ -e %1 ]; do sleep 0.1; done; touch %2\"")
            .arg(out(QStringLiteral("go")), out(QStringLiteral("done"))));
    writeEntry(QStringLiteral("k-missing.desktop"), QStringLiteral("/nonexistent/program"));
    // Kestrow's own programs are never offered as applications of the phone.
    writeEntry(QStringLiteral("kestrow-setup.desktop"), QStringLiteral("true"));
}

void ChannelTest::writeEntry(const QString &id, const QString &exec, const QString &extra)
{
    QFile entry(m_xdg.filePath(QStringLiteral("applications/") + id));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n%3")
                    .arg(id, exec, extra)
                    .toUtf8());
}

void ChannelTest::deliversToEveryListenerOfTheName()
{
    // Names that an encoding could confuse, each with a listener; two listeners share the first.
    const QString base = uniqueChannel(QStringLiteral("ä"));
    const QString longName = base + QString(120, QLatin1Char('L'));
    const QStringList names { base + QStringLiteral("a/b"), base + QStringLiteral("a_b"),
        base + QStringLiteral("a.b"), base + QStringLiteral("a b"), base + QStringLiteral("a/b/"),
        longName + QLatin1Char('1'), longName + QLatin1Char('2') };
    std::vector<std::unique_ptr<QCopChannel>> channels;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QString &name : names + QStringList { names.first() }) {
        channels.push_back(std::make_unique<QCopChannel>(name));
        spies.push_back(std::make_unique<QSignalSpy>(channels.back().get(), &QCopChannel::received));
    }
    QVERIFY(!QCopChannel::isRegistered(longName + QLatin1Char('3')));
    const QByteArray data("\0\x01\xff binary\n", 11);
    for (int i = 0; i < names.size(); ++i)
        QVERIFY(QCopChannel::send(names.at(i), "m" + QByteArray::number(i), data));
    // Empty messages and data are messages too; one to ourselves comes after any stray.
    QVERIFY(QCopChannel::send(names.at(0), QByteArray()));
    QTRY_COMPARE_WITH_TIMEOUT(spies.at(0)->size(), 2, waitMs);
    QTRY_COMPARE_WITH_TIMEOUT(spies.back()->size(), 2, waitMs);
    QCOMPARE(spies.at(0)->at(1), (QList<QVariant> { QByteArray(), QByteArray() }));
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(spies.at(i)->size(), i == 0 ? 2 : 1);
        QCOMPARE(spies.at(i)->at(0), (QList<QVariant> { "m" + QByteArray::number(i), data }));
    }
    // A name stays registered while any of its listeners lives.
    spies.clear();
    channels.front().reset();
    QVERIFY(QCopChannel::isRegistered(names.first()));
    channels.back().reset();
    QVERIFY(!QCopChannel::isRegistered(names.first()));
}

void ChannelTest::toolSends_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("message") << QStringList { QStringLiteral("Reload()") } << QByteArray("Reload()")
                             << QByteArray();
    QTest::newRow("with data") << QStringList { QStringLiteral("LCDOn"), QStringLiteral("a b") }
                               << QByteArray("LCDOn") << QByteArray("a b");
    QTest::newRow("non-ASCII") << QStringList { QStringLiteral("Grüße"), QStringLiteral("日") }
                               << QStringLiteral("Grüße").toUtf8() << QStringLiteral("日").toUtf8();
    QTest::newRow("empty message") << QStringList { QString() } << QByteArray() << QByteArray();
    QTest::newRow("after --") << QStringList { QStringLiteral("--"), QStringLiteral("--registered") }
                              << QByteArray("--registered") << QByteArray();
}

void ChannelTest::toolSends()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, data);
    const QString name = uniqueChannel(QStringLiteral("tool"));
    QCopChannel listener(name);
    QSignalSpy spy(&listener, &QCopChannel::received);
    arguments.insert(arguments.first() == QLatin1String("--") ? 1 : 0, name);
    // The tool exits right after sending; the message must still arrive.
    const ProgramRun run = qcop(arguments);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QVERIFY(spy.wait(waitMs));
    QCOMPARE(spy.at(0), (QList<QVariant> { message, data }));
    // Another process sees the listener's name, and nobody listening is no failure: the bus took the message.
    QCOMPARE(qcop({ QStringLiteral("--registered"), name }).out, QByteArray("yes\n"));
    QCOMPARE(qcop({ uniqueChannel(QStringLiteral("nobody")), QStringLiteral("x") }).exitCode, 0);
}

void ChannelTest::foreignClients()
{
    const QString dbusSend = QStandardPaths::findExecutable(QStringLiteral("dbus-send"));
    if (dbusSend.isEmpty())
        QSKIP("dbus-send is not installed");
    const QString name = uniqueChannel(QStringLiteral("foreign"));
    QCopChannel listener(name);
    QSignalSpy spy(&listener, &QCopChannel::received);
    const QString base
        = QStringLiteral("--session --type=signal /org/kestrow/QCop/c%1 org.kestrow.QCop.Message ")
              .arg(QString::fromLatin1(name.toUtf8().toHex()));
    // The forms given in docs/channels.md: byte arrays or plain strings. Other argument types,
    // or more arguments than a message and its data, are not a message; they are dropped.
    const QStringList forms { QStringLiteral(
                                  "array:byte:0x52,0x65,0x6c,0x6f,0x61,0x64,0x28,0x29 array:byte:"),
        QStringLiteral("int32:5"), QStringLiteral("string:Reload() string:xy string:z"),
        QStringLiteral("string:Reload()"), QStringLiteral("string:Reload() int32:1"),
        QStringLiteral("string:Reload() string:xy") };
    for (const QString &form : forms) {
        const ProgramRun run = runProgram(dbusSend, (base + form).split(QLatin1Char(' ')), {}, waitMs);
        QVERIFY2(run.exitCode == 0, run.err.constData());
    }
    QVERIFY(QCopChannel::send(name, "after"));
    QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 4, waitMs);
    QCOMPARE(spy.at(0), (QList<QVariant> { QByteArray("Reload()"), QByteArray() }));
    QCOMPARE(spy.at(1), (QList<QVariant> { QByteArray("Reload()"), QByteArray() }));
    QCOMPARE(spy.at(2), (QList<QVariant> { QByteArray("Reload()"), QByteArray("xy") }));
    QCOMPARE(spy.at(3).at(0).toByteArray(), QByteArray("after"));
}

void ChannelTest::noBus_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("unset") << QString();
    QTest::newRow("garbage") << QStringLiteral("no-such-transport:");
}

void ChannelTest::noBus()
{
    QFETCH(QString, address);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    if (!address.isEmpty())
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);

    const ProgramRun sent
        = qcop({ QStringLiteral("/EZX/KestrowPlugin"), QStringLiteral("Reload()") }, environment);
    QCOMPARE(sent.exitCode, 1);
    QCOMPARE(sent.out, QByteArray());
    QCOMPARE(lines(sent.err).size(), 1);
    QVERIFY2(sent.err.contains("no session bus"), sent.err.constData());
    const ProgramRun asked
        = qcop({ QStringLiteral("--registered"), QStringLiteral("/EZX/KestrowPlugin") }, environment);
    QCOMPARE(asked.exitCode, 1);
    QCOMPARE(asked.out, QByteArray("no\n"));
    QCOMPARE(lines(asked.err).size(), 1);
    // Through the class: a listener, a question and two sends say it once.
    const ProgramRun child = runProgram(QCoreApplication::applicationFilePath(),
        { QStringLiteral("--child-nobus") }, {}, waitMs, environment);
    QCOMPARE(child.out, QByteArray("registered=0 sent=0 sentAgain=0\n"));
    QCOMPARE(lines(child.err).size(), 1);
}

void ChannelTest::listsShownApplications()
{
    const QStringList shown { QStringLiteral("k-args.desktop"), QStringLiteral("k-touch.desktop"),
        QStringLiteral("k-wait.desktop") };
    QCOMPARE(desktopApplicationIds(10), shown);
    QCOMPARE(desktopApplicationIds(2), shown.mid(0, 2));
    QCOMPARE(desktopApplicationIds(0), QStringList());
    QCOMPARE(desktopApplicationIds(-1), QStringList());
}

void ChannelTest::launches_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("created"); // empty: not found
    QTest::newRow("without suffix") << QStringLiteral("k-touch") << QStringLiteral("touched");
    QTest::newRow("not shown") << QStringLiteral("k-hidden.desktop") << QStringLiteral("hidden");
    QTest::newRow("no file argument") << QStringLiteral("k-args.desktop") << QStringLiteral("args");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("program missing") << QStringLiteral("k-missing.desktop") << QString();
    QTest::newRow("phone id") << QStringLiteral("{6E8FB5A0-1C42-4a37-9A6C-5BC2E8A7D1F3}") << QString();
}

void ChannelTest::launches()
{
    QFETCH(QString, id);
    QFETCH(QString, created);
    TempDeviceRoot root;
    QFile::remove(out(created));
    const int result = created.isEmpty() ? AM_LauncherClient::NotFound : AM_LauncherClient::Started;
    QCOMPARE(AM_LauncherClient::launchAppObject(id, QString(), 0, true, true), result);
    if (!created.isEmpty())
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out(created)), waitMs);
    const QList<QByteArray> log = logLines(root);
    QCOMPARE(log.size(), 1);
    const QList<QByteArray> fields = log.first().split('\t');
    QCOMPARE(fields.size(), 7);
    QCOMPARE(fields.mid(0, 6),
        (QList<QByteArray> { id.toUtf8(), "", "0", "1", "1", created.isEmpty() ? "not-found" : "started" }));
}

void ChannelTest::launchIdsReachNoShell()
{
    TempDeviceRoot root;
    // Ids come from files the user edits: no shell ever sees them, and the log keeps one line each.
    const QString pwned = out(QStringLiteral("pwned"));
    const QStringList ids { QStringLiteral("x; touch ") + pwned, QStringLiteral("$(touch %1)").arg(pwned),
        QStringLiteral("`touch %1`").arg(pwned), QStringLiteral("line\nbreak\tand\\tab") };
    for (const QString &id : ids)
        QCOMPARE(AM_LauncherClient::launchAppObject(id, QStringLiteral("an arg"),
                     AM_LauncherClient::AM_LAUNCHER_INITIATOR_DEFAULT, false, true),
            int(AM_LauncherClient::NotFound));
    const QList<QByteArray> log = logLines(root);
    QCOMPARE(log.size(), ids.size());
    QCOMPARE(log.at(3).split('\t').mid(0, 5),
        (QList<QByteArray> { "line\\nbreak\\tand\\\\tab", "an arg", "0", "0", "1" }));
    QVERIFY(!QFile::exists(pwned));
}

void ChannelTest::doesNotWaitForTheApplication()
{
    // The application waits for a file that only appears after the launch returned.
    TempDeviceRoot root;
    QCOMPARE(AM_LauncherClient::launchAppObject(QStringLiteral("k-wait.desktop"), QString(), 0, true, true),
        int(AM_LauncherClient::Started));
    QFile go(out(QStringLiteral("go")));
    QVERIFY(go.open(QIODevice::WriteOnly));
    go.close();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out(QStringLiteral("done"))), waitMs);
}

void ChannelTest::logThatIsNoFileIsNotWaitedOn()
{
    TempDeviceRoot root;
    const QString log = root.path(AM_LauncherClient::launchLogPath());
    QVERIFY(QDir().mkpath(QFileInfo(log).absolutePath()));
    // Nobody reads the pipe: opening it for writing the usual way would wait for ever.
    QCOMPARE(::mkfifo(QFile::encodeName(log).constData(), 0644), 0);
    QCOMPARE(AM_LauncherClient::launchAppObject(QStringLiteral("k-absent.desktop"), QString(), 0, true, true),
        int(AM_LauncherClient::NotFound));
    QVERIFY(QFileInfo::exists(log) && !QFileInfo(log).isFile());
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], "--child-nobus") == 0)
        return childNoBus();
    ChannelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "channeltest.moc"
