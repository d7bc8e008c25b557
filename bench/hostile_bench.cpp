// Hostile input beside normal input, through the same code: start-up (the
// load sequence) and the error report of an Apply when one line of a file is
// 100 MB long; the time and peak heap of the load sequence when every one of
// the 41 pictures is a run-length bitmap of 64 bytes that declares 8192 x 8192
// pixels and ends at once, or a plain bitmap of 8192 x 8192 pixels (256 MiB),
// beside the demo library's own pictures and beside pictures exactly the size
// of their views; and the check of a library whose every picture is such a
// full-size bitmap, beside the check of the demo library. Pictures are kept at
// the window's picture areas, as the window asks for them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>

#include <QColor>
#include <QImage>

#include "bench_library.h"
#include "benchmarks.h"
#include "check/library_check.h"
#include "core/install/apply.h"
#include "core/library/load_sequence.h"
#include "core/report/messages.h"
#include "demo_library/bitmap_file.h"
#include "front/layout.h"
#include "heap_peak.h"

namespace modsetup::bench {
namespace {

constexpr std::size_t kLongLineBytes = std::size_t{100} << 20;

// A 64-byte bitmap: 8 bits per pixel, run-length coded, two palette colours,
// 8192 x 8192 pixels declared, and pixel data that is only the end code.
std::string runLengthBomb() {
    std::string bytes;
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const std::uint32_t dataOffset = 14 + 40 + 8;
    bytes += "BM";
    put(dataOffset + 2, 4);
    put(0, 4);
    put(dataOffset, 4);
    put(40, 4);    // header size
    put(8192, 4);  // width
    put(8192, 4);  // height
    put(1, 2);     // planes
    put(8, 2);     // bits per pixel
    put(1, 4);     // run-length coded, 8 bits
    put(2, 4);     // pixel data size
    put(2835, 4);
    put(2835, 4);
    put(2, 4);  // colours used
    put(0, 4);
    put(0x0000FF, 4);
    put(0xFF0000, 4);
    put(0x0100, 2);  // end of bitmap
    return bytes;
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The benchmark's own files in the three-set game folder, written once.
struct HostileFiles {
    fs::path normalSelections;  // line 16 names a set that is not there
    fs::path longSelections;    // line 16 is the 100 MB line
    fs::path normalModIni;      // a mod name Apply refuses ("Desert?")
    fs::path longModIni;        // a mod name of 100 MB
    fs::path runLengthPicture;
    std::map<std::string, fs::path> viewSizePictures;  // each preview path of the chosen sets -> its file
};

const HostileFiles& hostileFiles() {
    static const HostileFiles files = [] {
        GameFolder& game = gameFolder(3);
        HostileFiles made{game.root() / "bench-selections-normal.ini", game.root() / "bench-selections-long.ini",
                          game.root() / "bench-mod-normal.ini",        game.root() / "bench-mod-long.ini",
                          game.root() / "bench-run-length.bmp",        {}};
        const std::string line(kLongLineBytes, 'x');
        SlotTexts texts = game.texts();
        texts[kTeamBravo] = "Gone";
        writeBytes(made.normalSelections, selectionsText(texts, true).value());
        texts[kTeamBravo] = line;
        writeBytes(made.longSelections, selectionsText(texts, true).value());
        writeBytes(made.normalModIni, "Bench Mod\r\nDesert?\r\n");
        writeBytes(made.longModIni, "Bench Mod\r\n" + line + "\r\n");
        writeBytes(made.runLengthPicture, runLengthBomb());
        const PictureAreas areas = front::pictureAreas();
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            for (const PreviewPicture& picture : slotPreviews(slot)) {
                const PictureArea area = areas[static_cast<std::size_t>(picture.image - 1)];
                QImage image(area.width, area.height, QImage::Format_RGB32);
                image.fill(QColor(0x80, 0x60, 0x40));
                const fs::path file = game.root() / ("bench-view-" + std::to_string(picture.image) + ".bmp");
                writeBytes(file, demo::encodeBitmap24(image));
                made.viewSizePictures[previewPath(game.configBase(), slot, game.texts()[slot], picture.suffix)] = file;
            }
        }
        return made;
    }();
    return files;
}

void startUp(benchmark::State& state, bool longLine) {
    GameFolder& game = gameFolder(3);
    const HostileFiles& files = hostileFiles();
    RedirectingHost host(
        game.host(), {{selectionsPath(game.configBase()), longLine ? files.longSelections : files.normalSelections}});
    const PictureAreas areas = front::pictureAreas();
    for (auto _ : state) {
        LoadOutcome outcome = runLoadSequence(host, areas);
        if (outcome.previewFailures.size() != 1 || outcome.pictures.size() != 40)
            state.SkipWithError("unexpected load");
        benchmark::DoNotOptimize(outcome);
    }
}

// From mod.ini to the text of the report: reading it, Apply refusing the mod
// name, and the report's message.
void errorReport(benchmark::State& state, bool longLine) {
    GameFolder& game = gameFolder(3);
    const HostileFiles& files = hostileFiles();
    RedirectingHost host(game.host(),
                         {{modIniPath(game.configBase()), longLine ? files.longModIni : files.normalModIni}});
    LineFile shared(host);
    std::size_t reportBytes = 0;
    for (auto _ : state) {
        ProcessStrings strings;
        strings.configBase = game.configBase();
        readModIni(shared, strings);
        const ApplyOutcome outcome = runApply(host, strings, game.texts(), [] { return true; });
        const std::string report = reportText(applyFailureMessage(outcome, strings));
        if (!outcome.modNameUnsafe) state.SkipWithError("the mod name was taken");
        reportBytes = report.size();
        benchmark::DoNotOptimize(report);
    }
    state.counters["report_bytes"] = static_cast<double>(reportBytes);
}

enum class Pictures { Demo, ViewSize, RunLengthBombs, FullSize };

// The peak heap of the whole load sequence, and the bytes of the pictures it keeps.
void pictureMemory(benchmark::State& state, Pictures pictures) {
    GameFolder& game = pictures == Pictures::FullSize ? fullSizePicturesFolder() : gameFolder(3);
    const HostileFiles& files = hostileFiles();
    RedirectingHost host(game.host(),
                         pictures == Pictures::ViewSize ? files.viewSizePictures : std::map<std::string, fs::path>{},
                         pictures == Pictures::RunLengthBombs ? files.runLengthPicture : fs::path());
    const PictureAreas areas = front::pictureAreas();
    std::size_t peak = 0;
    std::size_t kept = 0;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        resetHeapPeak();
        {
            LoadOutcome outcome = runLoadSequence(host, areas);
            if (!outcome.previewFailures.empty() || outcome.pictures.size() != 41)
                state.SkipWithError("unexpected load");
            kept = 0;
            for (const LoadedPreview& loaded : outcome.pictures) kept += loaded.picture.pixels.size() * 4;
            benchmark::DoNotOptimize(outcome);
        }
        peak = std::max(peak, heapPeak() - before);
    }
    state.counters["peak_bytes"] = static_cast<double>(peak);
    state.counters["kept_bytes"] = static_cast<double>(kept);
}

// The whole check of the demo library, with its own or with full-size pictures.
void checkPictures(benchmark::State& state, Pictures pictures) {
    GameFolder& game = pictures == Pictures::FullSize ? fullSizePicturesFolder() : gameFolder(3);
    for (auto _ : state) {
        const check::CheckResult result = check::checkLibrary(game.host(), game.strings().configBase);
        if (!result.findings.empty() || result.sets != 45) state.SkipWithError("unexpected check");
        benchmark::DoNotOptimize(result);
    }
}

}  // namespace

void registerHostileBenchmarks() {
    const std::pair<const char*, bool> variants[] = {{"normal", false}, {"long-line", true}};
    for (const auto& [name, longLine] : variants) {
        benchmark::RegisterBenchmark((std::string("start-up/") + name).c_str(), startUp, longLine)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("report/") + name).c_str(), errorReport, longLine)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond);
    }
    const std::pair<const char*, Pictures> pictures[] = {{"demo", Pictures::Demo},
                                                         {"view-size", Pictures::ViewSize},
                                                         {"run-length-bombs", Pictures::RunLengthBombs},
                                                         {"full-size", Pictures::FullSize}};
    for (const auto& [name, kind] : pictures) {
        benchmark::RegisterBenchmark((std::string("pictures/") + name).c_str(), pictureMemory, kind)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond);
    }
    for (const auto& [name, kind] : {std::pair{"demo", Pictures::Demo}, std::pair{"full-size", Pictures::FullSize}}) {
        benchmark::RegisterBenchmark((std::string("check-pictures/") + name).c_str(), checkPictures, kind)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace modsetup::bench
