// The skin linter: every broken skin of tests/lint/ gets exactly its expected lines, the shipped skins
// get none, and the linter's lexical reading of a file agrees with ZConfig's.

#include "data/skinlint.h"
#include "data/configlines.h"
#include "data/skinschema.h"
#include "platform/zconfigdocument.h"
#include "render/skinfonts.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QString sourcePath(const QString &relative)
{
    return QStringLiteral(KESTROW_SOURCE_DIR "/") + relative;
}

QStringList expectedLines(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return { QStringLiteral("cannot read %1").arg(file) };
    return QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class SkinLintTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void corpus_data();
    void corpus();
    void shippedSkinsAreClean_data();
    void shippedSkinsAreClean();
    void linesAgreeWithZConfig_data();
    void linesAgreeWithZConfig();
    void schemaFacts();
    void everyKeyIsDocumented();
};

void SkinLintTest::corpus_data()
{
    QTest::addColumn<QString>("folder");
    const QDir corpus(sourcePath(QStringLiteral("tests/lint")));
    const QStringList cases = corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY(cases.size() >= 5);
    for (const QString &name : cases)
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
}

void SkinLintTest::corpus()
{
    QFETCH(QString, folder);
    const QList<SkinFinding> findings = SkinLint::lint(folder);
    QStringList lines = SkinLint::lines(findings);
    for (QString &line : lines) {
        QVERIFY2(line.startsWith(folder + QLatin1Char('/')), qPrintable(line));
        line.remove(0, folder.size() + 1);
    }
    const QStringList expected = expectedLines(folder + QStringLiteral("/expected.txt"));
    QCOMPARE(lines, expected);

    int wanted = 0;
    for (const QString &line : expected)
        wanted = std::max(wanted, line.contains(QLatin1String(": error: ")) ? 2 : 1);
    QCOMPARE(SkinLint::exitCode(findings), wanted);
}

void SkinLintTest::shippedSkinsAreClean_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("default") << sourcePath(QStringLiteral("skins/default"));
    QTest::newRow("analog") << sourcePath(QStringLiteral("skins/analog/"));
}

void SkinLintTest::shippedSkinsAreClean()
{
    QFETCH(QString, folder);
    const QList<SkinFinding> findings = SkinLint::lint(folder);
    QCOMPARE(SkinLint::lines(findings), QStringList());
    QCOMPARE(SkinLint::exitCode(findings), 0);
}

void SkinLintTest::linesAgreeWithZConfig_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("plain") << QByteArray("[A]\nk = 1\n[B]\nk=2\n");
    QTest::newRow("byte order mark and CR LF") << QByteArray("\xEF\xBB\xBF[A]\r\nk = 1\r\n  ; note\r\n");
    QTest::newRow("repeated group and key") << QByteArray("[A]\nk=1\nk=2\n[B]\nj=1\n[A]\nk=3\nm=4\n");
    QTest::newRow("broken headers") << QByteArray("[A]\nk=1\n[B\nj=1\n[]\nm=1\n[ C ]\nn=1\n[D]]\no=1\n");
    QTest::newRow("stray lines and orphans") << QByteArray("o=1\nstray\n[A]\n=v\nk=1\n#c\n[x[y]\nz=1\n");
    QTest::newRow("key of bytes that are no UTF-8") << QByteArray("[A]\n\xff\xfek=1\nk=2\n");
    QTest::newRow("blank names and tabs") << QByteArray("[\tA\t]\n\tk\t=\tv\n = 1\n[A b]\nk b = 2\n");
}

void SkinLintTest::linesAgreeWithZConfig()
{
    QFETCH(QByteArray, text);
    const ConfigLines lines(text);
    const ZConfigDocument document(text);
    QCOMPARE(QStringList(lines.groups()), document.groups());
    for (const ConfigLines::Entry &entry : lines.entries())
        QVERIFY2(document.value(entry.group, entry.key), qPrintable(entry.group + u'/' + entry.key));
    // A key the linter says is not read is not read from any group.
    for (const ConfigLines::Finding &finding : lines.findings()) {
        if (finding.issue != ConfigLines::Issue::KeyOutsideGroup
            && finding.issue != ConfigLines::Issue::BadKeyName)
            continue;
        for (const QString &group : lines.groups()) {
            if (lines.keyLine(group, finding.name) == 0)
                QVERIFY2(!document.value(group, finding.name), qPrintable(group + u'/' + finding.name));
        }
    }
}

void SkinLintTest::schemaFacts()
{
    // The linter's limits are the painter's.
    QCOMPARE(SkinSchema::MaxFontSize, MaxSkinFontSize);
    int slot = -1;
    QVERIFY(SkinSchema::find(u"DockBar", u"Top9", &slot));
    QCOMPARE(slot, 9);
    QVERIFY(!SkinSchema::find(u"DockBar", u"Top10"));
    QVERIFY(!SkinSchema::find(u"DockBar", u"Top03"));
    QVERIFY(!SkinSchema::find(u"Digital", u"Colon0Top"));
    QVERIFY(SkinSchema::find(u"Digital", u"colon0Top"));
}

void SkinLintTest::everyKeyIsDocumented()
{
    QFile doc(sourcePath(QStringLiteral("docs/skin-format.md")));
    QVERIFY(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    for (const SkinSchema::Key &key : SkinSchema::keys()) {
        QString name = key.key;
        name.replace(QLatin1String("%1"), QLatin1String("*i*"));
        const QString row
            = QStringLiteral("| %1 | %2 | %3 |").arg(key.group, name, SkinSchema::typeName(key.type));
        QVERIFY2(text.contains(row), qPrintable(row));
    }
}

QTEST_GUILESS_MAIN(SkinLintTest)
#include "skinlinttest.moc"
