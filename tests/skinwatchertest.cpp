// The host's --watch: a change to the skin in use or to the settings file becomes one reload per
// burst, and the watch follows a newly chosen skin.

#include "host/skinwatcher.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QString Settings = QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg");

} // namespace

class SkinWatcherTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void burstIsOneReload();
    void savedFileIsNoticed_data();
    void savedFileIsNoticed();
};

void SkinWatcherTest::burstIsOneReload()
{
    TempDeviceRoot root;
    root.writeSkin(QStringLiteral("default"), "[General]\nSkinName=A\n");
    SkinWatcher watcher;
    QSignalSpy reloads(&watcher, &SkinWatcher::reloadDue);
    for (int i = 0; i < 50; ++i)
        watcher.noteChange();
    QVERIFY(reloads.wait(10000));
    QCOMPARE(reloads.size(), 1);
    // The next change opens a window of its own.
    watcher.noteChange();
    QVERIFY(reloads.wait(10000));
    QCOMPARE(reloads.size(), 2);
}

void SkinWatcherTest::savedFileIsNoticed_data()
{
    QTest::addColumn<QString>("phonePath");
    QTest::newRow("skin description") << QStringLiteral("/ezxlocal/Kestrow/skin/default/skin.cfg");
    QTest::newRow("image of the skin") << QStringLiteral("/ezxlocal/Kestrow/skin/default/mid.png");
    QTest::newRow("image in a sub-folder") << QStringLiteral("/ezxlocal/Kestrow/skin/default/icons/a.png");
    QTest::newRow("new file of the skin") << QStringLiteral("/ezxlocal/Kestrow/skin/default/new.png");
    QTest::newRow("settings file") << Settings;
}

void SkinWatcherTest::savedFileIsNoticed()
{
    QFETCH(QString, phonePath);
    TempDeviceRoot root;
    QVERIFY(root.writeFile(Settings, "[Main]\nSkin=default\n"));
    QVERIFY(root.writeSkin(QStringLiteral("default"), "[General]\nSkinName=A\n"));
    QVERIFY(root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/default/mid.png"), 4, 4, Qt::red));
    QVERIFY(root.writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/default/icons/a.png"), 4, 4, Qt::red));
    SkinWatcher watcher;
    QVERIFY(watcher.watched().contains(root.path(QStringLiteral("/ezxlocal/Kestrow/skin/default/skin.cfg"))));
    QSignalSpy reloads(&watcher, &SkinWatcher::reloadDue);
    QVERIFY(root.writeFile(phonePath, "changed"));
    QVERIFY(reloads.wait(10000));
}

QTEST_GUILESS_MAIN(SkinWatcherTest)
#include "skinwatchertest.moc"
