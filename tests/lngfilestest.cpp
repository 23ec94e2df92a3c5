#include "setup/lngkeys.h"
#include "setup/lngtable.h"
#include "stdoutcapture.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString SetupDir = QStringLiteral(KESTROW_SOURCE_DIR "/setup");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

/** The shipped language files against the keys the settings application looks up. */
class LngFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyKeyTranslated_data();
    void everyKeyTranslated();
    void sourcesLookUpListedKeys();
};

void LngFilesTest::everyKeyTranslated_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Chinese") << SetupDir + QStringLiteral("/files/zh-cn.lng");
    QTest::newRow("English") << SetupDir + QStringLiteral("/files/en-us.lng");
}

void LngFilesTest::everyKeyTranslated()
{
    QFETCH(QString, file);
    QVERIFY(QFileInfo::exists(file));
    const LngTable table(file);
    QStringList texts;
    StdoutCapture out;
    for (const char *key : LngKeys::All)
        texts << table.get(key);
    QCOMPARE(out.text(), QByteArray());
    for (size_t i = 0; i < LngKeys::All.size(); ++i) {
        const char *key = LngKeys::All[i];
        const QString &text = texts.at(qsizetype(i));
        QVERIFY2(!text.trimmed().isEmpty(), key);
        // Only the two countdown formats may be their own translation.
        if (!QByteArray(key).contains('%'))
            QVERIFY2(text != QString::fromUtf8(key), key);
        else
            QVERIFY2(text.contains(QLatin1String("%1")) && text.contains(QLatin1String("%2")), key);
    }
}

void LngFilesTest::sourcesLookUpListedKeys()
{
    // Every window names its keys through LngKeys, and every name it uses is in LngKeys::All.
    const QByteArray keys = readFile(SetupDir + QStringLiteral("/lngkeys.h"));
    const qsizetype allStart = keys.indexOf("> All");
    QVERIFY(allStart > 0);
    const QByteArray all = keys.mid(allStart, keys.indexOf("};", allStart) - allStart);
    const QRegularExpression use(QStringLiteral("LngKeys::(\\w+)(\\[\\d+\\])?"));
    const QRegularExpression literal(QStringLiteral("(LngTable::text|->get|\\.get)\\(\\s*\""));
    int uses = 0;
    QDirIterator it(SetupDir, { QStringLiteral("*.cpp"), QStringLiteral("*.h") }, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString source = QString::fromUtf8(readFile(path));
        QVERIFY2(!literal.match(source).hasMatch(), qPrintable(path + QStringLiteral(": a key written out")));
        for (const QRegularExpressionMatch &m : use.globalMatch(source)) {
            const QString name
                = m.captured(1) == QLatin1String("Slots") ? QStringLiteral("Slots[0]") : m.captured(1);
            if (name == QLatin1String("All"))
                continue;
            ++uses;
            QVERIFY2(all.contains(name.toUtf8()), qPrintable(path + QStringLiteral(": ") + name));
        }
    }
    QVERIFY(uses > 0);
}

QTEST_GUILESS_MAIN(LngFilesTest)
#include "lngfilestest.moc"
