// Apply against a plain copy: a full Apply of the sixteen chosen sets with
// "Use Modified Weapons" ticked, beside the bare copies of the same files and
// plain writes of the same three generated files. Once with the same choices
// every time (the targets hold the sets' bytes already), and once changing
// every slot's choice between two sets each time, so that every target is
// replaced. And the plan of an Apply with the same choices beside that Apply.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "bench_library.h"
#include "benchmarks.h"
#include "core/install/apply.h"
#include "core/install/soldier_graphics.h"
#include "core/install/weapon_assets.h"
#include "core/install/weapon_names.h"
#include "core/install/weapon_stats.h"
#include "core/library/catalogue.h"
#include "core/platform/posix/case_resolver.h"
#include "core/restore/restore_points.h"

namespace modsetup::bench {
namespace {

// Another program, as a running game, holds every file below the game mod
// folder and the selections file: Apply can put none of its writes in place.
class HoldingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        if (to.starts_with("mods\\") || to.ends_with(".ini")) return Cause::InUse;
        return ForwardingHost::moveOver(from, to, durable);
    }
};

struct ApplyWork {
    std::vector<std::pair<fs::path, fs::path>> copies;
    std::vector<std::pair<fs::path, std::string>> files;  // path and the bytes Apply wrote
};

ApplyOutcome applyOnce(Host& host, const GameFolder& game, const SlotTexts& texts) {
    return runApply(host, game.strings(), texts, [] { return true; });
}

// The chosen sets, or in every slot another set of the library.
SlotTexts choices(bool other) {
    GameFolder& game = gameFolder(3);
    SlotTexts texts = game.texts();
    if (!other) return texts;
    const SlotEntries entries = scanCatalogue(game.host(), game.configBase());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        for (const std::string& set : entries[slot])
            if (set != game.texts()[slot]) texts[slot] = set;
    return texts;
}

// What an Apply copies (from its installation tables) and the files it
// writes, as host paths, with their bytes after an Apply of the choices.
ApplyWork record(GameFolder& game, const SlotTexts& texts) {
    if (!applyOnce(game.host(), game, texts).succeeded()) std::abort();
    ApplyWork result;
    const ProcessStrings& strings = game.strings();
    std::vector<FileCopy> copies = weaponAssetCopies(strings, texts);
    for (const FileCopy& copy : soldierGraphicsCopies(strings, texts)) copies.push_back(copy);
    for (const FileCopy& copy : copies)
        if (fs::exists(*resolveHostPath(copy.source)))
            result.copies.emplace_back(*resolveHostPath(copy.source), *resolveHostPath(copy.target));
    const std::string written[] = {weaponNamesPath(strings.modName), weaponStatsPath(strings.modName),
                                   selectionsPath(strings.configBase)};
    for (const std::string& file : written) {
        const fs::path path = *resolveHostPath(file);
        std::ifstream in(path, std::ios::binary);
        result.files.emplace_back(path, std::string(std::istreambuf_iterator<char>(in), {}));
    }
    return result;
}

// One Apply of the other choices and one of the chosen sets, recorded; the
// second leaves every target as the runs of the same choices find them.
const std::array<ApplyWork, 2>& applyWork() {
    static const std::array<ApplyWork, 2> work = [] {
        GameFolder& game = gameFolder(3);
        fs::current_path(game.root());
        ApplyWork other = record(game, choices(true));
        ApplyWork chosen = record(game, choices(false));
        return std::array<ApplyWork, 2>{std::move(chosen), std::move(other)};
    }();
    return work;
}

// A host on which no restore point can be kept: Apply without its way back.
class NoRestorePointHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    Status createDirectory(const std::string& path) override {
        if (path.find(".restore") != std::string::npos) return Cause::AccessDenied;
        return ForwardingHost::createDirectory(path);
    }
};

// Every target changing, with no restore point kept: the reference of the
// restore point's cost.
void applyWithoutPoint(benchmark::State& state) {
    GameFolder& game = gameFolder(3);
    applyWork();
    fs::current_path(game.root());
    fs::remove_all(restoreFolderPath(game.configBase()));
    NoRestorePointHost host(game.host());
    const std::array<SlotTexts, 2> texts{choices(false), choices(true)};
    std::size_t run = 0;
    for (auto _ : state) {
        const ApplyOutcome outcome = applyOnce(host, game, texts[++run % 2]);
        if (outcome.restorePointKept || !outcome.failedPaths.empty()) state.SkipWithError("Apply failed");
    }
    if (run % 2 == 1) applyOnce(game.host(), game, texts[0]);  // as the other runs expect
}

// changing: alternate between the two choices, so every target changes.
void applyFull(benchmark::State& state, bool changing) {
    GameFolder& game = gameFolder(3);
    applyWork();
    fs::current_path(game.root());
    const std::array<SlotTexts, 2> texts{choices(false), choices(true)};
    std::size_t run = 0;
    for (auto _ : state) {
        const ApplyOutcome outcome = applyOnce(game.host(), game, texts[changing ? ++run % 2 : 0]);
        if (!outcome.succeeded()) state.SkipWithError("Apply failed");
    }
    state.counters["copies"] = static_cast<double>(applyWork()[0].copies.size());
    if (changing && run % 2 == 1) applyOnce(game.host(), game, texts[0]);  // as the other runs expect
}

// The floor: the same copies and writes with the plainest means.
void copyPlainly(const ApplyWork& work) {
    for (const auto& [source, target] : work.copies)
        fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    for (const auto& [path, bytes] : work.files) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

// Every target held, as by a running game (each one new, so that none is in
// place already): Apply tries them again together, once every other is done,
// until its one deadline, and reports them all.
void applyHeld(benchmark::State& state) {
    GameFolder& game = gameFolder(3);
    fs::current_path(game.root());
    HoldingHost holding(game.host());
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(game.root() / "mods" / game.strings().modName);  // every target is to be written
        state.ResumeTiming();
        const ApplyOutcome outcome = applyOnce(holding, game, choices(false));
        if (outcome.inUsePaths.size() < 263) state.SkipWithError("not every target was held");
        state.counters["held"] = static_cast<double>(outcome.inUsePaths.size());
    }
    applyOnce(game.host(), game, choices(false));  // as the other runs expect
}

// The plan of an Apply with the same choices: what "Show what Apply will
// change" makes, reading every target and writing nothing.
void applyPlan(benchmark::State& state) {
    GameFolder& game = gameFolder(3);
    applyWork();
    fs::current_path(game.root());
    const SlotTexts texts = choices(false);
    for (auto _ : state) {
        const ApplyPlan plan = planApply(game.host(), game.strings(), texts, true);
        if (changedFileCount(plan) != 0) state.SkipWithError("the plan found changes");
    }
}

void applyFloor(benchmark::State& state, bool changing) {
    std::size_t run = 0;
    for (auto _ : state) copyPlainly(applyWork()[changing ? ++run % 2 : 0]);
    if (changing && run % 2 == 1) copyPlainly(applyWork()[0]);  // as the other runs expect
}

}  // namespace

void registerApplyBenchmarks() {
    benchmark::RegisterBenchmark("apply/full", applyFull, false)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply/plan", applyPlan)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply/floor", applyFloor, false)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply/changing", applyFull, true)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply/changing-no-point", applyWithoutPoint)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply/changing-floor", applyFloor, true)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply/held", applyHeld)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(1);
}

}  // namespace modsetup::bench
