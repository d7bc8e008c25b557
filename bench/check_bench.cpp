// The set-library check against a bare walk: modsetup-check's whole check of
// a library of complete sets (every picture read and decoded, name.txt and
// stats.ini read, every other file looked up, each folder of each set listed
// for leftover temporary files), beside a walk that lists the same fifteen
// slot folders and the same folders of each set and stats the same files, at
// 300, 1,000 and 3,000 sets per slot folder.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench_library.h"
#include "benchmarks.h"
#include "check/library_check.h"
#include "core/base/ascii_case.h"
#include "core/game/slots.h"
#include "core/install/weapon_names.h"
#include "core/install/weapon_stats.h"
#include "core/library/set_files.h"

namespace modsetup::bench {
namespace {

GameFolder& checkedFolder(const benchmark::State& state) {
    return gameFolder(static_cast<std::size_t>(state.range(0)), FurtherSets::Linked);
}

void checkFull(benchmark::State& state) {
    GameFolder& game = checkedFolder(state);
    std::size_t sets = 0;
    for (auto _ : state) {
        const check::CheckResult result = check::checkLibrary(game.host(), game.strings().configBase);
        if (!result.findings.empty()) state.SkipWithError("the check found faults in the generated library");
        sets = result.sets;
        benchmark::DoNotOptimize(result);
    }
    if (sets != 15 * game.setsPerSlot()) state.SkipWithError("the check missed sets");
}

// The files the check looks at in each set of a slot, relative with '/', as
// the generator spells them on disk.
std::vector<std::string> walkedFiles(std::size_t slot) {
    std::vector<std::string> files;
    for (const SetFile& file : setFilesOf(slot)) files.push_back(file.suffix);
    if (slot < kWeaponSlotCount) {
        files.emplace_back(kNameFile);
        files.emplace_back(kStatsFile);
    }
    for (std::string& file : files)
        for (char& c : file)
            if (c == '\\') c = '/';
    return files;
}

// The folders of a set the check lists, relative with '/': the set folder
// ("") and each folder its files lie in.
std::vector<std::string> walkedFolders(const std::vector<std::string>& files) {
    std::vector<std::string> folders{""};
    for (const std::string& file : files)
        for (std::size_t at = file.find('/', 1); at != std::string::npos; at = file.find('/', at + 1))
            if (std::none_of(folders.begin(), folders.end(),
                             [&](const std::string& known) { return equalsIgnoringCase(known, file.substr(0, at)); }))
                folders.push_back(file.substr(0, at));
    return folders;
}

// Counts the entries of a folder, listed with opendir/readdir.
std::size_t listed(const std::string& folder) {
    std::size_t entries = 0;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (::readdir(dir) != nullptr) ++entries;
        ::closedir(dir);
    }
    return entries;
}

// The bare walk: each slot folder listed with opendir/readdir, each folder
// of every set found there listed, and every file of it statted.
void checkFloor(benchmark::State& state) {
    GameFolder& game = checkedFolder(state);
    const std::vector<fs::path> folders = game.slotFolders();
    std::vector<std::vector<std::string>> files;
    std::vector<std::vector<std::string>> setFolders;
    for (std::size_t slot = 0; slot < folders.size(); ++slot) {
        files.push_back(walkedFiles(slot));
        setFolders.push_back(walkedFolders(files.back()));
    }
    std::size_t statted = 0;
    std::size_t missing = 0;
    std::size_t entries = 0;
    for (auto _ : state) {
        statted = 0;
        for (std::size_t slot = 0; slot < folders.size(); ++slot) {
            const std::string folder = folders[slot].string() + "/";
            std::vector<std::string> sets;
            DIR* dir = ::opendir(folder.c_str());
            if (dir == nullptr) continue;
            while (const dirent* entry = ::readdir(dir))
                if (entry->d_type == DT_DIR && entry->d_name[0] != '.') sets.emplace_back(entry->d_name);
            ::closedir(dir);
            for (const std::string& set : sets) {
                for (const std::string& setFolder : setFolders[slot]) entries += listed(folder + set + setFolder);
                for (const std::string& file : files[slot]) {
                    struct stat info;
                    missing += ::stat((folder + set + file).c_str(), &info) != 0;
                    ++statted;
                }
            }
        }
    }
    if (missing != 0 || entries == 0) state.SkipWithError("the walk missed files");
    state.counters["files"] = static_cast<double>(statted);
}

}  // namespace

void registerCheckBenchmarks() {
    for (long sets : {300L, 1000L, 3000L}) {
        benchmark::RegisterBenchmark("check/full", checkFull)->Arg(sets)->UseRealTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("check/floor", checkFloor)
            ->Arg(sets)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace modsetup::bench
