// The skin chooser's scan of the skin root: which folders become entries, in which order, and what
// it says while looking.

#include "setup/skinentry.h"
#include "stdoutcapture.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

namespace {

QStringList dirNames(const QList<SkinEntry> &entries)
{
    QStringList names;
    for (const SkinEntry &entry : entries)
        names.append(entry.dirName);
    return names;
}

QByteArray curCfgLines(const QStringList &dirs)
{
    QByteArray lines;
    for (const QString &dir : dirs)
        lines += "cur cfg is /ezxlocal/Kestrow/skin/" + dir.toUtf8() + "/skin.cfg\n";
    return lines;
}

} // namespace

class SkinEntryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listingRules();
    void noSkinRootKeepsTheList();
    void hostileDescriptions_data();
    void hostileDescriptions();
};

void SkinEntryTest::listingRules()
{
    TempDeviceRoot root;
    root.writeSkin(QStringLiteral("alpha"), "[General]\nSkinName=Alpha\nAuthor=Ann\n");
    root.writeSkin(QStringLiteral("Zed"), "[General]\nSkinName=Zed skin\nAuthor=Zoe\n");
    root.writeSkin(QStringLiteral("beta"), "[General]\nAuthor=Only author\n");
    root.writeSkin(QStringLiteral("Beta"), "[General]\nSkinName=Only name\n");
    root.writeSkin(QStringLiteral("empty"), "[General]\nSkinName=\nAuthor=\n[Analog]\nShow=true\n");
    root.writeSkin(QStringLiteral(".hidden"), "[General]\nSkinName=Hidden\n");
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin/nocfg/mid.png"), "x");
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin/plainfile"), "[General]\nSkinName=File\n");
    QVERIFY(QFile::link(root.path(QStringLiteral("/ezxlocal/Kestrow/skin/alpha")),
        root.path(QStringLiteral("/ezxlocal/Kestrow/skin/link"))));

    QList<SkinEntry> entries { SkinEntry {
        QStringLiteral("old"), QStringLiteral("old"), QStringLiteral("old") } };
    StdoutCapture out;
    QVERIFY(SkinEntry::scan(entries));

    // Character codes: upper-case letters sort before all lower-case ones.
    QCOMPARE(dirNames(entries),
        (QStringList { QStringLiteral("Beta"), QStringLiteral("Zed"), QStringLiteral("alpha"),
            QStringLiteral("beta") }));
    QCOMPARE(entries[0].author, QString());
    QCOMPARE(entries[0].skinName, QStringLiteral("Only name"));
    QCOMPARE(entries[1].skinName, QStringLiteral("Zed skin"));
    QCOMPARE(entries[1].author, QStringLiteral("Zoe"));
    QCOMPARE(entries[3].author, QStringLiteral("Only author"));
    QCOMPARE(entries[3].skinName, QString());
    // Every folder looked into is said, listed or not; hidden folders, links and files are not.
    QCOMPARE(out.text(),
        curCfgLines({ QStringLiteral("Beta"), QStringLiteral("Zed"), QStringLiteral("alpha"),
            QStringLiteral("beta"), QStringLiteral("empty"), QStringLiteral("nocfg") }));
}

void SkinEntryTest::noSkinRootKeepsTheList()
{
    TempDeviceRoot root;
    QList<SkinEntry> entries { SkinEntry { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") } };
    StdoutCapture out;
    QVERIFY(!SkinEntry::scan(entries));
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].dirName, QStringLiteral("c"));

    // A skin root that is a file is no folder to list either.
    root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin"), "[General]\nSkinName=x\n");
    QVERIFY(!SkinEntry::scan(entries));
    QCOMPARE(entries.size(), 1);
    QCOMPARE(out.text(), QByteArray());
}

void SkinEntryTest::hostileDescriptions_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("skinName");
    QTest::addColumn<bool>("listed");

    QTest::newRow("binary garbage") << "file" << QByteArray("\x00\xff[General\x00]\nSkinName\x00=\xfe\n", 20)
                                    << QString() << false;
    QTest::newRow("invalid UTF-8 name kept") << "file" << QByteArray("[General]\nSkinName=a\xff\xfe b\n")
                                             << QStringLiteral("a\uFFFD\uFFFD b") << true;
    QTest::newRow("very long name") << "file" << QByteArray("[General]\nSkinName=" + QByteArray(100000, 'n'))
                                    << QString(100000, QLatin1Char('n')) << true;
    QTest::newRow("CRLF and spaces") << "file" << QByteArray("[General]\r\n  SkinName = Spaced \r\n")
                                     << QStringLiteral("Spaced") << true;
    QTest::newRow("second group of the same name is not read")
        << "file" << QByteArray("[General]\nAuthor=\n[General]\nSkinName=Twice\n") << QString() << false;
    QTest::newRow("description is a folder") << "folder" << QByteArray() << QString() << false;
    QTest::newRow("description is a pipe") << "fifo" << QByteArray() << QString() << false;
    QTest::newRow("description links to a device") << "device" << QByteArray() << QString() << false;
}

void SkinEntryTest::hostileDescriptions()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(QString, skinName);
    QFETCH(bool, listed);

    TempDeviceRoot root;
    root.writeSkin(QStringLiteral("good"), "[General]\nSkinName=Good\n");
    const QString cfg = root.path(QStringLiteral("/ezxlocal/Kestrow/skin/odd/skin.cfg"));
    QDir().mkpath(root.path(QStringLiteral("/ezxlocal/Kestrow/skin/odd")));
    if (kind == QLatin1String("file"))
        QVERIFY(root.writeFile(QStringLiteral("/ezxlocal/Kestrow/skin/odd/skin.cfg"), content));
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(cfg));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(cfg).constData(), 0600), 0); // opening it would wait forever
    else
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), cfg));

    QList<SkinEntry> entries;
    StdoutCapture out;
    QVERIFY(SkinEntry::scan(entries));
    const QStringList expected = listed ? QStringList { QStringLiteral("good"), QStringLiteral("odd") }
                                        : QStringList { QStringLiteral("good") };
    QCOMPARE(dirNames(entries), expected);
    if (listed)
        QCOMPARE(entries[1].skinName, skinName);
}

QTEST_GUILESS_MAIN(SkinEntryTest)
#include "skinentrytest.moc"
