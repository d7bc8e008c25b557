// The load sequence against a bare listing: mod.ini, the selections file, the
// 41 preview pictures read and decoded and the fifteen slot folders scanned,
// beside a plain listing of the same fifteen folders, on libraries of 3, 300
// and 3,000 sets per slot folder.
#include <benchmark/benchmark.h>

#include <dirent.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench_library.h"
#include "benchmarks.h"
#include "core/library/load_sequence.h"

namespace modsetup::bench {
namespace {

void loadFull(benchmark::State& state) {
    GameFolder& game = gameFolder(static_cast<std::size_t>(state.range(0)));
    std::size_t offered = 0;
    for (auto _ : state) {
        LoadOutcome outcome = runLoadSequence(game.host());
        if (!outcome.previewFailures.empty() || outcome.pictures.size() != 41) state.SkipWithError("the load failed");
        offered = outcome.entries[0].size();
        benchmark::DoNotOptimize(outcome);
    }
    if (offered != game.setsPerSlot()) state.SkipWithError("the scan missed sets");
}

// The bare listing: the names of the folders in each slot folder, straight
// from the system's directory reading.
void loadFloor(benchmark::State& state) {
    GameFolder& game = gameFolder(static_cast<std::size_t>(state.range(0)));
    const std::vector<fs::path> folders = game.slotFolders();
    std::size_t listed = 0;
    for (auto _ : state) {
        for (const fs::path& folder : folders) {
            std::vector<std::string> names;
            DIR* dir = ::opendir(folder.c_str());
            if (dir == nullptr) continue;
            while (const dirent* entry = ::readdir(dir))
                if (entry->d_type == DT_DIR && entry->d_name[0] != '.') names.emplace_back(entry->d_name);
            ::closedir(dir);
            listed = names.size();
            benchmark::DoNotOptimize(names);
        }
    }
    if (listed != game.setsPerSlot()) state.SkipWithError("the listing missed sets");
}

}  // namespace

void registerLoadBenchmarks() {
    for (long sets : {3L, 300L, 3000L}) {
        benchmark::RegisterBenchmark("load/full", loadFull)->Arg(sets)->UseRealTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("load/floor", loadFloor)->Arg(sets)->UseRealTime()->Unit(benchmark::kMillisecond);
    }
}

}  // namespace modsetup::bench
