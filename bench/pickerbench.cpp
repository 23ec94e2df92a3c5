// The application picker with 1,000 and 10,000 catalogue entries, from initList() to the filled list:
// the registries read, the catalogue built, every row made with its 24 x 24 icon. Half the entries
// are installed applications with icon files, half preloaded ones with icon resources by name.
// "shared" icons: 64 distinct files and 16 names, as on a phone; "distinct": one icon file per
// entry, the worst case. The counter heapKiB is what one filled picker holds beyond an empty one.

#include "platform/phonepaths.h"
#include "platform/widgets/zlistbox.h"
#include "setup/appadddlg.h"

#include "bench/windowbenchmain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <malloc.h>
#include <map>
#include <memory>

namespace {

constexpr int SharedFiles = 64;
constexpr int SharedNames = 16;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void writeIcon(const QString &path, int seed)
{
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(QColor::fromHsv(seed * 37 % 360, 200, 200));
    image.save(path, "PNG");
}

/** A device root whose registries list `entries` applications. */
class PickerRoot
{
public:
    PickerRoot(int entries, bool distinct)
    {
        const QString root = m_dir.path();
        QByteArray installed;
        for (int i = 0; i < entries / 2; ++i) {
            const int icon = distinct ? i : i % SharedFiles;
            const QByteArray folder = "/apps/a" + QByteArray::number(icon);
            installed += "[app" + QByteArray::number(i) + "]\nName = Application " + QByteArray::number(i)
                + "\nAppType = 1\nDirectory = " + folder + "\nIcon = icon.png\nExecId = run\n";
            if (distinct || i < SharedFiles)
                writeIcon(root + QString::fromLatin1(folder) + QStringLiteral("/icon.png"), icon);
        }
        QByteArray items;
        QByteArray system;
        for (int i = 0; i < entries - entries / 2; ++i) {
            const QByteArray id = "pre" + QByteArray::number(i);
            items += id + ';';
            const int icon = distinct ? entries + i : i % SharedNames;
            const QByteArray name = "res" + QByteArray::number(icon) + ".png";
            system += '[' + id + "]\nName = Preloaded " + QByteArray::number(i)
                + "\nAppType = 2\nBigIcon = " + name + "\nExecId = " + id + ".desktop\n";
            if (distinct || i < SharedNames)
                writeIcon(root + PhonePaths::IconFolder + QString::fromLatin1(name), icon);
        }
        writeFile(root + AppRegistries::InstalledDb, installed);
        writeFile(root + AppRegistries::UserMenuTree, "[Main]\nItems = " + items + '\n');
        writeFile(root + AppRegistries::SysRegistry, system);
    }

    void use() const { qputenv("KESTROW_ROOT", QFile::encodeName(m_dir.path())); }

private:
    QTemporaryDir m_dir;
};

const PickerRoot &pickerRoot(int entries, bool distinct)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<PickerRoot>> roots;
    auto &root = roots[{ entries, distinct }];
    if (!root)
        root = std::make_unique<PickerRoot>(entries, distinct);
    return *root;
}

// Heap bytes in use, mapped blocks included: what the process holds, whatever the allocator keeps aside.
double heapKiB()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / 1024.0;
}

void pickerFilledList(benchmark::State &state)
{
    const int entries = int(state.range(0));
    const bool distinct = state.range(1) != 0;
    pickerRoot(entries, distinct).use();
    for (auto _ : state) {
        state.PauseTiming();
        auto picker = std::make_unique<appAddDlg>(QStringLiteral("Dock"));
        state.ResumeTiming();
        picker->initList();
        benchmark::DoNotOptimize(picker->listBox()->count());
        state.PauseTiming();
        picker.reset();
        state.ResumeTiming();
    }
    // What one filled picker holds beyond an empty one: catalogue, rows and their icons.
    auto picker = std::make_unique<appAddDlg>(QStringLiteral("Dock"));
    const double before = heapKiB();
    picker->initList();
    state.counters["heapKiB"] = heapKiB() - before;
    state.counters["rows"] = picker->listBox()->count();
}
BENCHMARK(pickerFilledList)
    ->ArgNames({ "entries", "distinct" })
    ->Args({ 1000, 0 })
    ->Args({ 1000, 1 })
    ->Args({ 10000, 0 })
    ->Args({ 10000, 1 })
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
