// Opening and reading configuration files is on the plug-in's load path (four
// files per skin load); writing is on the settings application's.

#include "platform/zconfig.h"
#include "platform/zconfigdocument.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A skin description of about the usual size: a dozen groups, some 150 keys.
QByteArray skinLikeFile()
{
    QByteArray bytes("# skin\n[Skin]\nName=Bench\nAuthor=Kestrow\n");
    for (int g = 0; g < 12; ++g) {
        bytes += "\n[Group" + QByteArray::number(g) + "]\nShow=1\n";
        for (int k = 0; k < 12; ++k)
            bytes += "Key" + QByteArray::number(k) + " = " + QByteArray::number(g * 100 + k) + "\n";
    }
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void BM_OpenAndReadSkin(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("skin.cfg"));
    writeFile(path, skinLikeFile());
    for (auto _ : state) {
        const ZConfig config(path);
        int sum = 0;
        for (int g = 0; g < 12; ++g) {
            const QString group = QStringLiteral("Group%1").arg(g);
            for (int k = 0; k < 12; ++k)
                sum += config.readNumEntry(group, QStringLiteral("Key%1").arg(k));
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_OpenAndReadSkin);

void BM_ParseGroups(benchmark::State &state)
{
    QByteArray bytes;
    for (int i = 0; i < state.range(0); ++i)
        bytes += "[g" + QByteArray::number(i) + "]\nk=v\n";
    for (auto _ : state) {
        const ZConfigDocument document(bytes);
        benchmark::DoNotOptimize(document.value(QStringLiteral("g0"), QStringLiteral("k")));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ParseGroups)->Arg(100)->Arg(100000);

// One write: read the file again, replace it atomically (with its flushes to storage).
void BM_WriteEntry(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kestrow.cfg"));
    writeFile(path, skinLikeFile());
    ZConfig config(path);
    int value = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            config.writeEntry(QStringLiteral("Group3"), QStringLiteral("Key3"), ++value));
}
BENCHMARK(BM_WriteEntry);

} // namespace

BENCHMARK_MAIN();
