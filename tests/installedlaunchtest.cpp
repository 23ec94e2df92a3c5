#include "platform/amlauncherclient.h"
#include "platform/appregistries.h"

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int waitMs = 15000;

// The installed program writes where it ran and which device root it was given.
const QByteArray Program
    = "#!/bin/sh\necho \"$KESTROW_ROOT|$(pwd)\" > \"$KESTROW_ROOT/ran-$(basename \"$0\")\"\n";

QByteArray lastLogResult(const TempDeviceRoot &root)
{
    QFile log(root.path(AM_LauncherClient::launchLogPath()));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
    const QList<QByteArray> fields = lines.constLast().split('\t');
    return fields.size() > 5 ? fields.at(5) : QByteArray();
}

} // namespace

class InstalledLaunchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void launches_data();
    void launches();

private:
    QTemporaryDir m_xdg;
};

void InstalledLaunchTest::initTestCase()
{
    // GLib reads the data folders once per process: set them before any lookup.
    QVERIFY(m_xdg.isValid());
    QVERIFY(QDir(m_xdg.path()).mkpath(QStringLiteral("applications")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg.path()));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_xdg.filePath(QStringLiteral("system"))));
    // A desktop entry whose name an installed application also has, and one the registry lacks.
    for (const QString &id : { QStringLiteral("both"), QStringLiteral("desktoponly") }) {
        QFile entry(m_xdg.filePath(QStringLiteral("applications/%1.desktop").arg(id)));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=touch %2\n")
                        .arg(id, m_xdg.filePath(QStringLiteral("desktop-") + id))
                        .toUtf8());
    }
}

void InstalledLaunchTest::launches_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("registry");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("ran"); // "ran-<name>" in the root, "desktop-<id>" beside the entries, or none

    const QString registry = QStringLiteral("[app]\nDirectory = /ezxlocal/Apps\nExecId = run.sh\n"
                                            "[both.desktop]\nDirectory = /ezxlocal/Apps\nExecId = run.sh\n"
                                            "[escape]\nDirectory = /ezxlocal/../../..\nExecId = run.sh\n"
                                            "[slash]\nDirectory = /ezxlocal\nExecId = Apps/run.sh\n"
                                            "[dots]\nDirectory = /ezxlocal/Apps\nExecId = ..\n"
                                            "[relative]\nDirectory = ezxlocal/Apps\nExecId = run.sh\n"
                                            "[plain]\nDirectory = /ezxlocal/Apps\nExecId = plain.sh\n"
                                            "[gone]\nDirectory = /ezxlocal/Apps\nExecId = gone.sh\n"
                                            "[desktoponly.desktop]\nName = no program keys\n");
    QTest::newRow("installed") << "app" << registry << "started"
                               << "ran-run.sh";
    QTest::newRow("registry first, desktop entry of the same id unused")
        << "both.desktop" << registry << "started"
        << "ran-run.sh";
    QTest::newRow("group without program keys: the desktop entry")
        << "desktoponly.desktop" << registry << "started"
        << "desktop-desktoponly";
    QTest::newRow("folder outside the root") << "escape" << registry << "not-found" << QString();
    QTest::newRow("ExecId with a folder") << "slash" << registry << "not-found" << QString();
    QTest::newRow("ExecId ..") << "dots" << registry << "not-found" << QString();
    QTest::newRow("relative folder") << "relative" << registry << "not-found" << QString();
    QTest::newRow("not executable") << "plain" << registry << "not-found" << QString();
    QTest::newRow("program missing") << "gone" << registry << "not-found" << QString();
    QTest::newRow("in no registry") << "nothing" << registry << "not-found" << QString();
    QTest::newRow("no registry: desktop entry") << "desktoponly" << QString() << "started"
                                                << "desktop-desktoponly";
}

void InstalledLaunchTest::launches()
{
    QFETCH(QString, id);
    QFETCH(QString, registry);
    QFETCH(QString, result);
    QFETCH(QString, ran);
    TempDeviceRoot root;
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Apps/run.sh"), Program));
    QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Apps/plain.sh"), Program));
    QVERIFY(root.writeFile(QStringLiteral("/run.sh"), Program));
    for (const QString &script : { QStringLiteral("/ezxlocal/Apps/run.sh"), QStringLiteral("/run.sh") })
        QVERIFY(
            QFile::setPermissions(root.path(script), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    if (!registry.isNull())
        QVERIFY(root.writeFile(AppRegistries::InstalledDb, registry.toUtf8()));
    const QString desktopMark = m_xdg.filePath(QStringLiteral("desktop-desktoponly"));
    QFile::remove(desktopMark);

    const int code = AM_LauncherClient::launchAppObject(id, QString(), 0, true, true);
    QCOMPARE(lastLogResult(root), result.toUtf8());
    QCOMPARE(code == AM_LauncherClient::Started, result == QLatin1String("started"));
    if (ran.startsWith(QLatin1String("ran-"))) {
        const QString out = root.path(QLatin1Char('/') + ran);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out) && QFileInfo(out).size() > 0, waitMs);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().trimmed(),
            (root.root() + QStringLiteral("|") + root.path("/ezxlocal/Apps")).toUtf8());
    } else if (ran.startsWith(QLatin1String("desktop-"))) {
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desktopMark), waitMs);
    }
    // Nothing ran that the row did not expect.
    QVERIFY(ran == QLatin1String("ran-run.sh") || !QFile::exists(root.path(QStringLiteral("/ran-run.sh"))));
}

QTEST_GUILESS_MAIN(InstalledLaunchTest)
#include "installedlaunchtest.moc"
