// The cost of a tick of the home screen's frame, the clock one second further each frame, for the
// reference skin (every element on: tests/referenceskin.h) and the two shipped skins: the frame
// repainted where it changed beside the whole composition of the same ticks, and the cost of
// copying one 240 x 320 x 4-byte screen as the floor, all measured in the same run.
//
// Run pinned to one core (scripts/bench-frame.sh does): the raster engine hands some image
// work to worker threads, which makes wall times on a shared machine noisy.
//
// "framebench --frames N SKIN changed|whole" paints N ticks and "framebench --copies N" copies N
// screens and exits, for counting instructions under callgrind.

#include "data/skinloader.h"
#include "render/fixedclock.h"
#include "render/skinrenderer.h"

#include "tests/referenceskin.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const ClockReading Start { 2026, 5, 23, 10, 8, 37, 6 };
const char *const Skins[] = { "reference", "default", "analog" };
constexpr std::size_t ScreenBytes = 240 * 320 * 4;

/** A device root from kestrow-device init: the shipped skins, as the home screen finds them. */
class ShippedSkins
{
public:
    ShippedSkins()
    {
        QProcess::execute(
            QStringLiteral(KESTROW_BIN_DIR "/kestrow-device"), { QStringLiteral("init"), m_dir.path() });
        qputenv("KESTROW_ROOT", QFile::encodeName(m_dir.path()));
    }

private:
    QTemporaryDir m_dir;
};

SkinModel skinModel(const std::string &name)
{
    if (name == "reference")
        return ReferenceSkin::model();
    static ShippedSkins shipped;
    SkinLoadOptions options;
    options.skinName = QString::fromStdString(name);
    SkinModel model;
    SkinLoader::load(model, options);
    return model;
}

/** A renderer whose clock moves one second a frame, its dock focus on slot 3. */
class Ticker
{
public:
    Ticker(const std::string &skin, FrameRepaint repaint)
        : m_model(skinModel(skin))
        , m_renderer(m_model)
    {
        m_renderer.setRepaint(repaint);
        m_renderer.setFocusIndex(3);
        m_renderer.setClock(&m_clock);
        m_renderer.setBatterySource([] { return 4; });
        m_renderer.setSignalSource([] { return 3; });
        m_renderer.paintFrame(); // fonts, glyph caches and the frame image are made once, here
    }

    const QImage &tick()
    {
        // Carried by hand: a date library's arithmetic would cost more than the frame.
        ClockReading &t = m_at;
        if (++t.second == 60) {
            t.second = 0;
            if (++t.minute == 60) {
                t.minute = 0;
                t.hour = (t.hour + 1) % 24;
            }
        }
        m_clock.setReading(t);
        return m_renderer.paintFrame();
    }

private:
    SkinModel m_model;
    ClockReading m_at = Start;
    FixedClock m_clock { Start };
    SkinRenderer m_renderer;
};

void tick(benchmark::State &state, const std::string &skin, FrameRepaint repaint)
{
    Ticker ticker(skin, repaint);
    for (auto _ : state)
        benchmark::DoNotOptimize(ticker.tick().constBits());
}

// The floor: one frame-sized copy, as showing a finished frame costs at least this.
void copyScreen(benchmark::State &state)
{
    std::vector<unsigned char> from(ScreenBytes, 0x5a);
    std::vector<unsigned char> to(ScreenBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), ScreenBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

int paintTicks(int count, const std::string &skin, const std::string &repaint)
{
    Ticker ticker(skin, repaint == "whole" ? FrameRepaint::Whole : FrameRepaint::Changed);
    for (int i = 0; i < count; ++i)
        benchmark::DoNotOptimize(ticker.tick().constBits());
    return 0;
}

int copyScreens(int count)
{
    std::vector<unsigned char> from(ScreenBytes, 0x5a);
    std::vector<unsigned char> to(ScreenBytes);
    for (int i = 0; i < count; ++i) {
        std::memcpy(to.data(), from.data(), ScreenBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 5 && std::strcmp(argv[1], "--frames") == 0)
        return paintTicks(std::atoi(argv[2]), argv[3], argv[4]);
    if (argc == 3 && std::strcmp(argv[1], "--copies") == 0)
        return copyScreens(std::atoi(argv[2]));
    for (const char *skin : Skins) {
        for (const auto &[name, repaint] :
            { std::pair { "changed", FrameRepaint::Changed }, std::pair { "whole", FrameRepaint::Whole } }) {
            benchmark::RegisterBenchmark((std::string("tick/") + skin + "/" + name).c_str(),
                [skin = std::string(skin), repaint = repaint](
                    benchmark::State &state) { tick(state, skin, repaint); })
                ->Repetitions(15)
                ->ReportAggregatesOnly(true)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::RegisterBenchmark("copyScreen", copyScreen)
        ->Repetitions(15)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
