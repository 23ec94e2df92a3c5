// The skin chooser with 500 installed skins, from the theme row's selection to the filled list on
// screen (the chooser built, its scan and its rows, and its first paint), beside the scan alone; and
// the skin preview's first paint (its window built, the skin loaded and one frame shown) beside the
// plug-in's steady frame and its first frame after a load, all on the shipped default skin.

#include "data/skinloader.h"
#include "platform/phonepaths.h"
#include "render/fixedclock.h"
#include "render/skinrenderer.h"
#include "setup/appdir.h"
#include "setup/showpreview.h"
#include "setup/skindlg.h"
#include "setup/skinentry.h"

#include "bench/windowbenchmain.h"
#include "tests/installedlanguage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <optional>

namespace {

constexpr int InstalledSkins = 500;
const ClockReading Moment { 2026, 5, 23, 10, 8, 37, 6 };

/** A device root from kestrow-device init, its default skin's description copied into 500 more folders. */
class ChooserRoot
{
public:
    ChooserRoot()
    {
        const QString root = m_dir.path();
        QProcess::execute(
            QStringLiteral(KESTROW_BIN_DIR "/kestrow-device"), { QStringLiteral("init"), root });
        qputenv("KESTROW_ROOT", QFile::encodeName(root));
        const QString skins = root + PhonePaths::SkinFolder;
        for (int i = 0; i < InstalledSkins; ++i) {
            // Mixed case, so that the character-code sort has work to do.
            const QString name = QStringLiteral("%1kin%2")
                                     .arg(QChar(i % 2 ? u'S' : u's'))
                                     .arg(i * 7919 % 1000, 3, 10, QLatin1Char('0'));
            QDir().mkpath(skins + name);
            QFile::copy(
                skins + QStringLiteral("default/skin.cfg"), skins + name + QStringLiteral("/skin.cfg"));
        }
        // The application's own files: language files and images.
        const QString app = QStringLiteral(KESTROW_SOURCE_DIR "/setup/files/");
        AppDir::setFirstArgument(app + QStringLiteral("kestrow-setup"));
        m_language.emplace(app + QStringLiteral("en-us.lng"));
    }

private:
    QTemporaryDir m_dir;
    std::optional<InstalledLanguage> m_language;
};

ChooserRoot &chooserRoot()
{
    static ChooserRoot root;
    return root;
}

void scanSkinRoot(benchmark::State &state)
{
    chooserRoot();
    for (auto _ : state) {
        QList<SkinEntry> entries;
        SkinEntry::scan(entries);
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["skins"] = InstalledSkins;
}
BENCHMARK(scanSkinRoot)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void chooserFilledList(benchmark::State &state)
{
    chooserRoot();
    for (auto _ : state) {
        skinDlg chooser;
        benchmark::DoNotOptimize(chooser.grab().cacheKey());
    }
}
BENCHMARK(chooserFilledList)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void previewFirstPaint(benchmark::State &state)
{
    chooserRoot();
    const FixedClock clock(Moment);
    for (auto _ : state) {
        showPreview preview(QStringLiteral("default"));
        preview.setClock(&clock);
        benchmark::DoNotOptimize(preview.grab().cacheKey());
    }
}
BENCHMARK(previewFirstPaint)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void pluginFirstFrame(benchmark::State &state)
{
    chooserRoot();
    const FixedClock clock(Moment);
    for (auto _ : state) {
        SkinModel model;
        SkinLoader::load(model, SkinLoadOptions());
        SkinRenderer renderer(model);
        renderer.setClock(&clock);
        benchmark::DoNotOptimize(renderer.paintFrame().constBits());
    }
}
BENCHMARK(pluginFirstFrame)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void pluginFrame(benchmark::State &state)
{
    chooserRoot();
    const FixedClock clock(Moment);
    SkinModel model;
    SkinLoader::load(model, SkinLoadOptions());
    SkinRenderer renderer(model);
    renderer.setClock(&clock);
    renderer.paintFrame();
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.paintFrame().constBits());
}
BENCHMARK(pluginFrame)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
