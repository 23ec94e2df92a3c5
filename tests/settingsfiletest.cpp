#include "data/settingsfile.h"
#include "platform/zconfig.h"
#include "testsupport.h"

#include <QDate>
#include <QFile>
#include <QTest>

class SettingsFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyFileGivesDefaults();
    void writersKeepTheirOrder();
    void storedValues_data();
    void storedValues();
    void failedWritesStayInMemory();
};

void SettingsFileTest::emptyFileGivesDefaults()
{
    const TempDeviceRoot root;
    QVERIFY(root.writeFile(QString(SettingsFile::Path), QByteArray()));
    QCOMPARE(SettingsFile::filePath(), root.path(QString(SettingsFile::Path)));
    const ZConfig settings(SettingsFile::filePath());
    QCOMPARE(SettingsFile::skin(settings), QStringLiteral("default"));
    QCOMPARE(SettingsFile::skin(settings, QString()), QString());

    const CountdownEvent def = SettingsFile::defaultCountdownEvent();
    const CountdownEvent event = SettingsFile::countdownEvent(settings);
    QCOMPARE(event.year, def.year);
    QCOMPARE(event.month, def.month);
    QCOMPARE(event.day, def.day);
    QCOMPARE(event.info, def.info);
    // The built-in event must be one the settings application could have stored.
    QVERIFY(def.year >= 1901 && def.year <= 2100);
    QVERIFY(QDate(int(def.year), int(def.month), int(def.day)).isValid());
    QVERIFY(!def.info.isEmpty());
}

void SettingsFileTest::writersKeepTheirOrder()
{
    const TempDeviceRoot root;
    QVERIFY(root.writeFile(QString(SettingsFile::Path), "[Main]\nSkin=blue\n"));
    {
        ZConfig settings(SettingsFile::filePath());
        QVERIFY(SettingsFile::writeDockSlot(settings, 9,
            { QStringLiteral("/ezxlocal/app/cam.png"), QString(), QStringLiteral("cam-id"),
                QString::fromUtf8("相机") }));
        QVERIFY(SettingsFile::writeCountdownEvent(settings, { 2031, 2, 3, QString::fromUtf8(" 生日 ") }));
        QVERIFY(SettingsFile::writeSkin(settings, QStringLiteral("night")));
    }
    QFile file(SettingsFile::filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
        QByteArray("[Main]\nSkin=night\n\n"
                   "[DockBar]\nIcon9=/ezxlocal/app/cam.png\nType9=\nExec9=cam-id\nName9=相机\n\n"
                   "[Notify]\nYear=2031\nMonth=2\nDay=3\nInfo=\\s生日\\s\n"));

    const ZConfig settings(SettingsFile::filePath());
    const CountdownEvent event = SettingsFile::countdownEvent(settings);
    QCOMPARE(event.year, 2031u);
    QCOMPARE(event.month, 2u);
    QCOMPARE(event.day, 3u);
    QCOMPARE(event.info, QString::fromUtf8(" 生日 "));
}

void SettingsFileTest::storedValues_data()
{
    QTest::addColumn<QByteArray>("notify");
    QTest::addColumn<uint>("year");
    QTest::addColumn<uint>("month");
    QTest::addColumn<QString>("info");
    const CountdownEvent def = SettingsFile::defaultCountdownEvent();
    QTest::newRow("not numbers") << QByteArray("Year=soon\nMonth=-1\n") << def.year << def.month << def.info;
    QTest::newRow("empty info is kept")
        << QByteArray("Year=1999\nInfo=\n") << 1999u << def.month << QString("");
    // Range checks belong to the dialog that stores the date; the reader hands values on as stored.
    QTest::newRow("out of range") << QByteArray("Month=13\n") << def.year << 13u << def.info;
}

void SettingsFileTest::storedValues()
{
    QFETCH(QByteArray, notify);
    QFETCH(uint, year);
    QFETCH(uint, month);
    QFETCH(QString, info);
    const TempDeviceRoot root;
    QVERIFY(root.writeFile(QString(SettingsFile::Path), "[Notify]\n" + notify));
    const CountdownEvent event = SettingsFile::countdownEvent(ZConfig(SettingsFile::filePath()));
    QCOMPARE(event.year, year);
    QCOMPARE(event.month, month);
    QCOMPARE(event.info, info);
}

void SettingsFileTest::failedWritesStayInMemory()
{
    // Nothing creates /ezxlocal/Kestrow/: without it every write fails, and says so.
    const TempDeviceRoot root;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot write")));
    ZConfig settings(SettingsFile::filePath());
    QVERIFY(!SettingsFile::writeCountdownEvent(settings, { 2040, 5, 6, QStringLiteral("x") }));
    const CountdownEvent event = SettingsFile::countdownEvent(settings);
    QCOMPARE(event.year, 2040u);
    QCOMPARE(event.day, 6u);
    QCOMPARE(event.info, QStringLiteral("x"));
    QVERIFY(!settings.flush());
    QVERIFY(!QFile::exists(SettingsFile::filePath()));
}

QTEST_GUILESS_MAIN(SettingsFileTest)

#include "settingsfiletest.moc"
