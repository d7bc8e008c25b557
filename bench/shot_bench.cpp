// A click on a picture that plays a shot: the presenter's click in the Qt
// window with the program's own audio (SDL's, on its dummy driver unless
// SDL_AUDIODRIVER names another, so that no sound card is needed), beside the
// same click with an audio that only keeps the shot's bytes, which is the
// click's bare work: the shot file read through the host. Two shot files that
// fill the size limit: 8-bit mono at 1,000 Hz (70 minutes of sound) and
// 16-bit stereo at 44,100 Hz (24 s). Timed is each click on the window's
// thread; counted is the peak heap, SDL's own included, above what was held
// before the click, up to the next click, which comes after a tenth of a
// second of playing. Each figure is the worst click of a repetition, and the
// closing lines take the worst repetition.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QString>

#include "bench_library.h"
#include "benchmarks.h"
#include "core/audio/audio.h"
#include "core/game/slots.h"
#include "core/library/weapon_shot.h"
#include "heap_peak.h"
#include "qt/main_window.h"
#include "qt/picture_view.h"

namespace modsetup::bench {
namespace {

// How long the audio plays a shot before the next click.
constexpr auto kPlaying = std::chrono::milliseconds(100);
constexpr int kClicks = 10;

struct ShotFormat {
    const char* name;
    std::uint32_t channels;
    std::uint32_t rate;
    std::uint32_t bits;
};

constexpr ShotFormat kShotFormats[] = {{"1000hz-8bit-mono", 1, 1000, 8}, {"44100hz-16bit-stereo", 2, 44100, 16}};

// A PCM wave file of kMaxSoundFileBytes whose samples are a loud sawtooth.
std::string fullSizeShot(const ShotFormat& format) {
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const std::uint32_t block = format.channels * format.bits / 8;
    const auto size = static_cast<std::uint32_t>((kMaxSoundFileBytes - 44) / block * block);
    bytes += "RIFF", put(36 + size, 4), bytes += "WAVEfmt ", put(16, 4), put(1, 2), put(format.channels, 2);
    put(format.rate, 4), put(format.rate * block, 4), put(block, 2), put(format.bits, 2), bytes += "data";
    put(size, 4);
    for (std::uint32_t i = 0; i < size; ++i) bytes += static_cast<char>(i * 7);
    return bytes;
}

// Keeps the last shot's bytes, as the system's audio keeps them while it
// plays, and plays nothing.
class KeepingAudio final : public Audio {
public:
    void play(std::string wave) override { kept = std::move(wave); }
    std::string kept;
};

enum class Player { System, KeepingBytes };

void clickShot(benchmark::State& state, const ShotFormat& format, Player player) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    GameFolder& game = gameFolder(3);
    const fs::path file = game.root() / (std::string("bench-shot-") + format.name + ".wav");
    if (!fs::exists(file)) {
        const std::string bytes = fullSizeShot(format);
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const std::string shotPath =
        setFolderPath(game.configBase(), kPrimary1, game.texts()[kPrimary1]) + std::string(*shotFile(kPrimary1));
    RedirectingHost host(game.host(), {{shotPath, file}});
    KeepingAudio keeping;
    const std::unique_ptr<Audio> system = player == Player::System ? makeSystemAudio() : nullptr;
    QString report;
    auto window = std::make_unique<qt::MainWindow>(host, system ? *system : keeping,
                                                   [&report](QWidget*, const QString&, const QString& text) {
                                                       if (report.isEmpty()) report = text;
                                                   });

    // Image1 shows the slot whose shot is redirected; a click on it is its
    // clicked signal, as the mouse sends it.
    auto* image1 = window->findChild<qt::PictureView*>("Image1");
    if (image1 == nullptr) return state.SkipWithError("the window has no Image1");

    std::size_t peak = 0;
    double slowest = 0;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        resetHeapPeak();
        const auto start = std::chrono::steady_clock::now();
        emit image1->clicked();
        const std::chrono::duration<double> busy = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(busy.count());
        slowest = std::max(slowest, busy.count());
        std::this_thread::sleep_for(kPlaying);
        peak = std::max(peak, heapPeak() - before);
    }
    window.reset();
    if (!report.isEmpty()) state.SkipWithError(("the window reported: " + report).toStdString().c_str());
    if (player == Player::KeepingBytes && keeping.kept.size() != fs::file_size(file))
        state.SkipWithError("the click did not read the shot");
    state.counters["peak_bytes"] = static_cast<double>(peak);
    state.counters["slowest_ms"] = slowest * 1e3;
}

}  // namespace

void registerShotBenchmarks() {
    for (const ShotFormat& format : kShotFormats) {
        for (const auto& [player, kind] :
             {std::pair{"sdl", Player::System}, std::pair{"floor", Player::KeepingBytes}}) {
            benchmark::RegisterBenchmark((std::string("shot/") + format.name + "/" + player).c_str(), clickShot, format,
                                         kind)
                ->UseManualTime()
                ->Iterations(kClicks)
                ->ComputeStatistics(
                    "max",
                    [](const std::vector<double>& values) { return *std::max_element(values.begin(), values.end()); })
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace modsetup::bench
