#include "testsupport.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

namespace {
const QString Shipped = QStringLiteral(KESTROW_SOURCE_DIR "/skins");

int generate(const QStringList &args, QByteArray *err = nullptr)
{
    const ProgramRun run = runProgram(builtProgram(QStringLiteral("kestrow-skingen")), args, {}, 120000);
    if (err)
        *err = run.err;
    return run.exitCode;
}

/** Relative paths of the files under a folder, sorted. */
QStringList filesUnder(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/** The largest difference of one colour channel between two images of one size. */
int largestDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            worst = std::max(
                { worst, std::abs(qRed(p[col]) - qRed(q[col])), std::abs(qGreen(p[col]) - qGreen(q[col])),
                    std::abs(qBlue(p[col]) - qBlue(q[col])), std::abs(qAlpha(p[col]) - qAlpha(q[col])) });
        }
    }
    return worst;
}
} // namespace

class SkinGenTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameBytesOnEveryRun();
    void shippedFilesAreCurrent();
    void usageErrors();
};

void SkinGenTest::sameBytesOnEveryRun()
{
    QTemporaryDir first;
    QTemporaryDir second;
    QByteArray err;
    QCOMPARE(generate({ first.path() }, &err), 0);
    QVERIFY2(!err.contains("kestrow-skingen:"), err.constData());
    QCOMPARE(generate({ second.path() }), 0);
    const QStringList files = filesUnder(first.path());
    QVERIFY(files.contains(QStringLiteral("default/skin.cfg")));
    QVERIFY(files.contains(QStringLiteral("analog/skin.cfg")));
    QVERIFY(files.contains(QStringLiteral("wallpaper/kestrow-dusk.png")));
    QCOMPARE(filesUnder(second.path()), files);
    for (const QString &file : files) {
        QVERIFY2(contents(first.filePath(file)) == contents(second.filePath(file)), qPrintable(file));
    }

    // Running again over its own output replaces it with the same bytes.
    QCOMPARE(generate({ first.path() }), 0);
    for (const QString &file : files)
        QVERIFY2(contents(first.filePath(file)) == contents(second.filePath(file)), qPrintable(file));
}

void SkinGenTest::shippedFilesAreCurrent()
{
    // The committed skins are the generator's output: the same files, the same descriptions, and images that
    // differ at most by the rounding of another machine's painting code.
    QTemporaryDir out;
    QCOMPARE(generate({ out.path() }), 0);
    QStringList shipped = filesUnder(Shipped);
    shipped.removeAll(QStringLiteral("README.md"));
    QCOMPARE(filesUnder(out.path()), shipped);
    for (const QString &file : std::as_const(shipped)) {
        const QString fresh = out.filePath(file);
        const QString committed = Shipped + QLatin1Char('/') + file;
        if (!file.endsWith(QStringLiteral(".png"))) {
            QVERIFY2(contents(fresh) == contents(committed), qPrintable(file));
            continue;
        }
        const QImage a(fresh);
        const QImage b(committed);
        QVERIFY2(!a.isNull() && a.size() == b.size(), qPrintable(file));
        QVERIFY2(largestDifference(a, b) <= 16, qPrintable(file));
    }
}

void SkinGenTest::usageErrors()
{
    QByteArray err;
    QCOMPARE(generate({}, &err), 2);
    QVERIFY(err.contains("kestrow-skingen: "));
    QTemporaryDir dir;
    QCOMPARE(generate({ dir.filePath(QStringLiteral("a")), dir.filePath(QStringLiteral("b")) }), 2);
    QVERIFY(QDir(dir.path()).isEmpty());

    // An output folder that cannot be made is a failure, not a silent success.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(generate({ dir.filePath(QStringLiteral("file")) }, &err), 1);
    QVERIFY(err.contains("kestrow-skingen: "));
}

QTEST_GUILESS_MAIN(SkinGenTest)
#include "skingentest.moc"
