// Adding sets from an archive against unpacking it: a zip of a set library
// of 210 complete sets (fifteen slot folders of fourteen, sounds of 100 KB)
// added to an empty library as the window adds it (the plan, then the import
// with every set added), and the import alone, beside `bsdtar -xf` of the
// same archive into an empty folder. And the memory an import of a stored
// zip of about 500 MB adds to a process holding the window: the peak resident
// size of a child of the benchmark program that imports it, against one that
// does nothing.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "bench_library.h"
#include "benchmarks.h"
#include "core/game/slots.h"
#include "core/import/import_run.h"

namespace modsetup::bench {
namespace {

constexpr std::size_t kSetsPerFolder = 14;         // 210 sets
constexpr std::size_t kLargeSoundBytes = 4 << 20;  // about 500 MB in all

void fail(const std::string& what) {
    std::fprintf(stderr, "import benchmark: %s\n", what.c_str());
    std::exit(1);
}

void run(const std::string& command) {
    if (std::system(command.c_str()) != 0) fail("failed: " + command);
}

// The library's slot folders packed by bsdtar: zip with Deflate, or stored.
struct Packed {
    GameFolder& game;
    fs::path archive;
};

Packed& packed(bool large) {
    static auto pack = [](GameFolder& game, const char* options) {
        const fs::path archive = game.root() / "pack.zip";
        std::string folders;
        for (const fs::path& folder : game.slotFolders()) folders += " '" + folder.filename().string() + "'";
        run("cd '" + game.library().string() + "' && bsdtar --format zip --options " + options + " -cf '" +
            archive.string() + "'" + folders);
        return Packed{game, archive};
    };
    if (large) {
        static GameFolder game(3, kLargeSoundBytes, FurtherSets::Empty);
        static Packed made = pack(game, "zip:compression=store");
        return made;
    }
    static Packed made = pack(gameFolder(kSetsPerFolder, FurtherSets::Empty), "zip:compression=deflate");
    return made;
}

// An empty set library beside the archive, for one import.
std::string emptyLibrary(const Packed& pack) {
    const fs::path target = pack.game.root() / "target";
    fs::remove_all(target);
    fs::create_directories(target / "modsetup");
    return target.string() + "/modsetup";
}

std::vector<SetDecision> addEverySet(const ImportPlan& plan) {
    std::vector<SetDecision> decisions;
    for (const PlannedSet& set : plan.sets) decisions.push_back({SetAction::Add, set.slotChoices.front().slot, {}});
    return decisions;
}

void importWhole(benchmark::State& state) {
    Packed& pack = packed(false);
    for (auto _ : state) {
        state.PauseTiming();
        const std::string library = emptyLibrary(pack);
        state.ResumeTiming();
        const ImportPlan plan = planImport(pack.game.host(), library, pack.archive.string());
        const ImportOutcome outcome =
            runImport(pack.game.host(), library, pack.archive.string(), plan, addEverySet(plan));
        if (!outcome.added || outcome.addedSets.size() != 15 * kSetsPerFolder)
            state.SkipWithError("the import did not add every set");
    }
}

void importOnly(benchmark::State& state) {
    Packed& pack = packed(false);
    const ImportPlan plan = planImport(pack.game.host(), emptyLibrary(pack), pack.archive.string());
    for (auto _ : state) {
        state.PauseTiming();
        const std::string library = emptyLibrary(pack);
        state.ResumeTiming();
        if (!runImport(pack.game.host(), library, pack.archive.string(), plan, addEverySet(plan)).added)
            state.SkipWithError("the import did not add every set");
    }
}

void unpackFloor(benchmark::State& state) {
    Packed& pack = packed(false);
    for (auto _ : state) {
        state.PauseTiming();
        const std::string library = emptyLibrary(pack);
        state.ResumeTiming();
        run("bsdtar -xf '" + pack.archive.string() + "' -C '" + library + "'");
    }
}

// The peak resident size of a child that does work, in bytes.
long childPeak(const std::function<void()>& work) {
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail("the measuring child failed");
    return usage.ru_maxrss * 1024L;
}

void importMemory(benchmark::State& state) {
    Packed& pack = packed(true);
    const std::string library = emptyLibrary(pack);
    long added = 0;
    for (auto _ : state) {
        const long idle = childPeak([] {});
        const long importing = childPeak([&] {
            const ImportPlan plan = planImport(pack.game.host(), library, pack.archive.string());
            if (!runImport(pack.game.host(), library, pack.archive.string(), plan, addEverySet(plan)).added) _exit(1);
        });
        added = importing - idle;
    }
    state.counters["archive_bytes"] = static_cast<double>(fs::file_size(pack.archive));
    state.counters["added_bytes"] = static_cast<double>(added);
}

}  // namespace

void registerImportBenchmarks() {
    benchmark::RegisterBenchmark("import/whole", importWhole)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("import/run", importOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("import/floor", unpackFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("import/memory", importMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
}

}  // namespace modsetup::bench
