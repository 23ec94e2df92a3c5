#include "platform/qcopchannel.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <memory>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Tests that need a session bus skip without one, unless the run insists.
#define REQUIRE_SESSION_BUS()                                                                                \
    do {                                                                                                     \
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {                                       \
            if (qgetenv("KESTROW_REQUIRE_BUS") == "1")                                                       \
                QFAIL("no session bus (DBUS_SESSION_BUS_ADDRESS unset) but KESTROW_REQUIRE_BUS=1");          \
            QSKIP("no session bus: DBUS_SESSION_BUS_ADDRESS is unset (run inside dbus-run-session)");        \
        }                                                                                                    \
    } while (0)

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

ProgramRun runTool(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    return runProgram(program, arguments, {}, waitMs, environment);
}

QString qcopTool()
{
    return builtProgram(QStringLiteral("kestrow-qcop"));
}

// A second process of this test: listens on a channel and reports every
// message on standard output as "got <message hex> <data hex>".
int childListen(const QString &channel)
{
    QCopChannel listener(channel);
    QObject::connect(
        &listener, &QCopChannel::received, [](const QByteArray &message, const QByteArray &data) {
            std::printf("got %s %s\n", message.toHex().constData(), data.toHex().constData());
            std::fflush(stdout);
            if (message == "quit")
                QCoreApplication::quit();
        });
    // A round trip through the bus, so that the parent sees the registration.
    std::printf("ready %s\n", QCopChannel::isRegistered(channel) ? "yes" : "no");
    std::fflush(stdout);
    return QCoreApplication::exec();
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

// A socket that takes connections into its queue and never answers, like a
// bus that has stopped.
class SilentSocket
{
public:
    explicit SilentSocket(const QString &path)
        : m_fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        m_listening = m_fd >= 0 && ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0
            && ::listen(m_fd, 8) == 0;
    }
    ~SilentSocket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SilentSocket(const SilentSocket &) = delete;
    SilentSocket &operator=(const SilentSocket &) = delete;
    bool isListening() const { return m_listening; }

private:
    int m_fd = -1;
    bool m_listening = false;
};

} // namespace

class QCopChannelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void deliversInProcess();
    void registrationFollowsChannels();
    void similarNamesStayApart();
    void otherProcesses();
    void toolSends();
    void toolSendsData_data();
    void toolSendsData();
    void foreignClientReaches();
    void toolArguments();
    void noBus_data();
    void noBus();

private:
    std::unique_ptr<QProcess> startListener(const QString &channel);
};

void QCopChannelTest::initTestCase()
{
    QVERIFY2(QFile::exists(qcopTool()), "build the kestrow-qcop tool first");
}

std::unique_ptr<QProcess> QCopChannelTest::startListener(const QString &channel)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QCoreApplication::applicationFilePath(), { QStringLiteral("--child-listen"), channel });
    return process;
}

void QCopChannelTest::deliversInProcess()
{
    REQUIRE_SESSION_BUS();
    const QString name = uniqueChannel(QStringLiteral("in process/ä"));
    QCopChannel first(name);
    QCopChannel second(name);
    QCopChannel other(uniqueChannel(QStringLiteral("other")));
    QSignalSpy firstSpy(&first, &QCopChannel::received);
    QSignalSpy secondSpy(&second, &QCopChannel::received);
    QSignalSpy otherSpy(&other, &QCopChannel::received);

    const QByteArray data("\0\x01\xff binary\n", 11);
    QVERIFY(QCopChannel::send(name, "Reload()", data));
    QVERIFY(firstSpy.wait(waitMs));
    QTRY_COMPARE_WITH_TIMEOUT(secondSpy.size(), 1, waitMs);
    QCOMPARE(firstSpy.size(), 1);
    QCOMPARE(firstSpy.at(0).at(0).toByteArray(), QByteArray("Reload()"));
    QCOMPARE(firstSpy.at(0).at(1).toByteArray(), data);
    QCOMPARE(secondSpy.at(0).at(1).toByteArray(), data);

    // Empty messages and data are messages too.
    QVERIFY(QCopChannel::send(name, QByteArray()));
    QVERIFY(firstSpy.wait(waitMs));
    QCOMPARE(firstSpy.at(1).at(0).toByteArray(), QByteArray());
    QCOMPARE(firstSpy.at(1).at(1).toByteArray(), QByteArray());
    QCOMPARE(otherSpy.size(), 0);
}

void QCopChannelTest::registrationFollowsChannels()
{
    REQUIRE_SESSION_BUS();
    const QString name = uniqueChannel(QStringLiteral("registration"));
    QVERIFY(!QCopChannel::isRegistered(name));
    auto first = std::make_unique<QCopChannel>(name);
    auto second = std::make_unique<QCopChannel>(name);
    QVERIFY(QCopChannel::isRegistered(name));
    QVERIFY(!QCopChannel::isRegistered(name + QLatin1Char('x')));
    QVERIFY(!QCopChannel::isRegistered(name.left(name.size() - 1)));
    first.reset();
    QVERIFY(QCopChannel::isRegistered(name));
    second.reset();
    QVERIFY(!QCopChannel::isRegistered(name));

    // A channel parented to an object ends with it.
    auto owner = std::make_unique<QObject>();
    new QCopChannel(name, owner.get());
    QVERIFY(QCopChannel::isRegistered(name));
    owner.reset();
    QVERIFY(!QCopChannel::isRegistered(name));
}

void QCopChannelTest::similarNamesStayApart()
{
    REQUIRE_SESSION_BUS();
    const QString base = uniqueChannel(QString());
    const QString longName = base + QString(120, QLatin1Char('L'));
    const QStringList names { base + QStringLiteral("a/b"), base + QStringLiteral("a_b"),
        base + QStringLiteral("a.b"), base + QStringLiteral("a b"), base + QStringLiteral("a/b/"),
        longName + QLatin1Char('1'), longName + QLatin1Char('2') };
    std::vector<std::unique_ptr<QCopChannel>> channels;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const QString &name : names) {
        channels.push_back(std::make_unique<QCopChannel>(name));
        spies.push_back(std::make_unique<QSignalSpy>(channels.back().get(), &QCopChannel::received));
    }
    for (const QString &name : names)
        QVERIFY2(QCopChannel::isRegistered(name), qPrintable(name));
    QVERIFY(!QCopChannel::isRegistered(longName + QLatin1Char('3')));

    for (int i = 0; i < names.size(); ++i)
        QVERIFY(QCopChannel::send(names.at(i), QByteArray::number(i)));
    for (int i = 0; i < names.size(); ++i) {
        QTRY_COMPARE_WITH_TIMEOUT(spies.at(i)->size(), 1, waitMs);
        QCOMPARE(spies.at(i)->at(0).at(0).toByteArray(), QByteArray::number(i));
    }
    // Give strays a chance to arrive: a message to ourselves comes after them.
    QVERIFY(QCopChannel::send(names.at(0), "last"));
    QTRY_COMPARE_WITH_TIMEOUT(spies.at(0)->size(), 2, waitMs);
    for (int i = 1; i < names.size(); ++i)
        QCOMPARE(spies.at(i)->size(), 1);
}

void QCopChannelTest::otherProcesses()
{
    REQUIRE_SESSION_BUS();
    const QString name = uniqueChannel(QStringLiteral("/EZX/KestrowPlugin"));
    QCOMPARE(runTool(qcopTool(), { QStringLiteral("--registered"), name }).out, QByteArray("no\n"));

    std::unique_ptr<QProcess> child = startListener(name);
    QTRY_VERIFY_WITH_TIMEOUT(child->canReadLine(), waitMs);
    QCOMPARE(child->readLine(), QByteArray("ready yes\n"));

    QVERIFY(QCopChannel::isRegistered(name));
    const ProgramRun asked = runTool(qcopTool(), { QStringLiteral("--registered"), name });
    QCOMPARE(asked.exitCode, 0);
    QCOMPARE(asked.out, QByteArray("yes\n"));

    QVERIFY(QCopChannel::send(name, "Reload()", QByteArray("\0x", 2)));
    QTRY_VERIFY_WITH_TIMEOUT(child->canReadLine(), waitMs);
    QCOMPARE(child->readLine(),
        "got " + QByteArray("Reload()").toHex() + ' ' + QByteArray("\0x", 2).toHex() + '\n');

    QVERIFY(QCopChannel::send(name, "quit"));
    QVERIFY(child->waitForFinished(waitMs));
    QCOMPARE(child->exitCode(), 0);
    // The bus lets go of the child's name once it has seen the connection close.
    QTRY_VERIFY_WITH_TIMEOUT(!QCopChannel::isRegistered(name), waitMs);
    const ProgramRun after = runTool(qcopTool(), { QStringLiteral("--registered"), name });
    QCOMPARE(after.exitCode, 1);
    QCOMPARE(after.out, QByteArray("no\n"));
}

void QCopChannelTest::toolSends()
{
    REQUIRE_SESSION_BUS();
    // The tool exits right after sending; the message must still arrive.
    const QString name = uniqueChannel(QStringLiteral("tool"));
    QCopChannel listener(name);
    QSignalSpy spy(&listener, &QCopChannel::received);
    for (int i = 0; i < 5; ++i) {
        const ProgramRun run = runTool(qcopTool(), { name, QStringLiteral("Reload()") });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
    }
    QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 5, waitMs);
    QCOMPARE(spy.at(4).at(0).toByteArray(), QByteArray("Reload()"));
    QCOMPARE(spy.at(4).at(1).toByteArray(), QByteArray());

    // Nobody listening is no failure: the bus took the message.
    QCOMPARE(
        runTool(qcopTool(), { uniqueChannel(QStringLiteral("nobody")), QStringLiteral("x") }).exitCode, 0);
}

void QCopChannelTest::toolSendsData_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("with data") << QStringList { QStringLiteral("LCDOn"), QStringLiteral("a b") }
                               << QByteArray("LCDOn") << QByteArray("a b");
    QTest::newRow("non-ASCII") << QStringList { QStringLiteral("Grüße"), QStringLiteral("日") }
                               << QStringLiteral("Grüße").toUtf8() << QStringLiteral("日").toUtf8();
    QTest::newRow("empty message") << QStringList { QString() } << QByteArray() << QByteArray();
    QTest::newRow("after --") << QStringList { QStringLiteral("--"), QStringLiteral("--registered") }
                              << QByteArray("--registered") << QByteArray();
}

void QCopChannelTest::toolSendsData()
{
    REQUIRE_SESSION_BUS();
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, data);
    const QString name = uniqueChannel(QStringLiteral("tool data"));
    QCopChannel listener(name);
    QSignalSpy spy(&listener, &QCopChannel::received);
    if (arguments.first() == QLatin1String("--"))
        arguments.insert(1, name);
    else
        arguments.prepend(name);
    QCOMPARE(runTool(qcopTool(), arguments).exitCode, 0);
    QVERIFY(spy.wait(waitMs));
    QCOMPARE(spy.at(0).at(0).toByteArray(), message);
    QCOMPARE(spy.at(0).at(1).toByteArray(), data);
}

void QCopChannelTest::foreignClientReaches()
{
    REQUIRE_SESSION_BUS();
    const QString dbusSend = QStandardPaths::findExecutable(QStringLiteral("dbus-send"));
    if (dbusSend.isEmpty())
        QSKIP("dbus-send is not installed");
    const QString name = uniqueChannel(QStringLiteral("foreign"));
    QCopChannel listener(name);
    QSignalSpy spy(&listener, &QCopChannel::received);
    const QString path = QStringLiteral("/org/kestrow/QCop/c") + QString::fromLatin1(name.toUtf8().toHex());
    const QString member = QStringLiteral("org.kestrow.QCop.Message");
    const QString base = QStringLiteral("--session --type=signal %1 %2").arg(path, member);

    // The forms given in docs/channels.md: byte arrays, or plain strings.
    const QStringList forms { QStringLiteral(
                                  "array:byte:0x52,0x65,0x6c,0x6f,0x61,0x64,0x28,0x29 array:byte:"),
        QStringLiteral("string:Reload()"), QStringLiteral("string:Reload() string:xy") };
    for (const QString &form : forms) {
        const ProgramRun run = runTool(dbusSend, (base + QLatin1Char(' ') + form).split(QLatin1Char(' ')));
        QVERIFY2(run.exitCode == 0, run.err.constData());
    }
    QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 3, waitMs);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(spy.at(i).at(0).toByteArray(), QByteArray("Reload()"));
    QCOMPARE(spy.at(2).at(1).toByteArray(), QByteArray("xy"));

    // Other argument types are not a message; they are dropped.
    QVERIFY(runTool(dbusSend, (base + QStringLiteral(" int32:5")).split(QLatin1Char(' '))).exitCode == 0);
    QVERIFY(QCopChannel::send(name, "after"));
    QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 4, waitMs);
    QCOMPARE(spy.at(3).at(0).toByteArray(), QByteArray("after"));
}

void QCopChannelTest::toolArguments()
{
    const QList<QStringList> wrong { {}, { QStringLiteral("only-channel") },
        { QStringLiteral("c"), QStringLiteral("m"), QStringLiteral("d"), QStringLiteral("extra") },
        { QStringLiteral("--registered") },
        { QStringLiteral("--registered"), QStringLiteral("a"), QStringLiteral("b") } };
    for (const QStringList &arguments : wrong) {
        const ProgramRun run = runTool(qcopTool(), arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(lines(run.err).size(), 1);
        QVERIFY(run.err.startsWith("kestrow-qcop: "));
    }
    const ProgramRun help = runTool(qcopTool(), { QStringLiteral("--help") });
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--registered CHANNEL"));
}

void QCopChannelTest::noBus_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("unset") << QString();
    QTest::newRow("no socket") << QStringLiteral("unix:path=%1/absent-socket");
    QTest::newRow("not a socket") << QStringLiteral("unix:path=%1/plain-file");
    QTest::newRow("garbage") << QStringLiteral("no-such-transport:");
    QTest::newRow("never answers") << QStringLiteral("unix:path=%1/silent-socket");
    QTest::newRow("second entry") << QStringLiteral("unix:path=%1/absent-socket;unix:path=%1/silent-socket");
}

void QCopChannelTest::noBus()
{
    QFETCH(QString, address);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile plain(dir.filePath(QStringLiteral("plain-file")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const SilentSocket silent(dir.filePath(QStringLiteral("silent-socket")));
    QVERIFY(silent.isListening());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (address.isEmpty())
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    else
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
            QString(address).replace(QLatin1String("%1"), dir.path()));

    const ProgramRun sent = runTool(
        qcopTool(), { QStringLiteral("/EZX/KestrowPlugin"), QStringLiteral("Reload()") }, environment);
    QCOMPARE(sent.exitCode, 1);
    QCOMPARE(sent.out, QByteArray());
    QCOMPARE(lines(sent.err).size(), 1);
    QVERIFY2(sent.err.contains("no session bus"), sent.err.constData());

    const ProgramRun asked = runTool(
        qcopTool(), { QStringLiteral("--registered"), QStringLiteral("/EZX/KestrowPlugin") }, environment);
    QCOMPARE(asked.exitCode, 1);
    QCOMPARE(asked.out, QByteArray("no\n"));
    QCOMPARE(lines(asked.err).size(), 1);

    // Through the class: a listener, a question and two sends say it once.
    const ProgramRun child
        = runTool(QCoreApplication::applicationFilePath(), { QStringLiteral("--child-nobus") }, environment);
    QCOMPARE(child.exitCode, 0);
    QCOMPARE(child.out, QByteArray("registered=0 sent=0 sentAgain=0\n"));
    QCOMPARE(lines(child.err).size(), 1);
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--child-listen") == 0) {
        QCoreApplication app(argc, argv);
        return childListen(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 2 && qstrcmp(argv[1], "--child-nobus") == 0) {
        QCoreApplication app(argc, argv);
        return childNoBus();
    }
    QCoreApplication app(argc, argv);
    QCopChannelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qcopchanneltest.moc"
