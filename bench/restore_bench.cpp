// Opening the window's menu with the largest restore points the limits
// allow: a pending point, "last" and "original", each with a list of almost
// 1 MiB naming as many files as fit, every one stored. The menu reads the
// restore folder and decides what it offers (offeredRestores), writing
// nothing. Beside it, the bare reading the same decision needs: each point's
// folder listed with opendir/readdir and each list read whole.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <string>

#include "bench_library.h"
#include "benchmarks.h"
#include "core/install/apply.h"
#include "core/restore/restore_points.h"

namespace modsetup::bench {
namespace {

constexpr const char* kModName = "Bench";

// A game folder of its own whose restore folder holds the three largest points.
class LargestPoints {
public:
    LargestPoints()
        : root_(fs::temp_directory_path() /
                ("modsetup-bench-menu-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))),
          system_(makeSystemHost()),
          host_(*system_, root_.string() + "\\modsetup.exe") {
        fs::create_directories(root_ / "mods");
        const fs::path previous = fs::current_path();
        fs::current_path(root_);
        // An Apply of nothing makes this game folder's subfolder of the restore folder.
        runApply(host_, {configBase(), "Bench Mod", kModName}, {}, [] { return false; });
        fs::current_path(previous);
        own_ = fs::directory_iterator(root_ / "modsetup.restore")->path();
        fs::remove_all(own_);
        for (const char* point : {"next", "last", "original"}) plant(own_ / point);
    }
    ~LargestPoints() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    LargestPoints(const LargestPoints&) = delete;
    LargestPoints& operator=(const LargestPoints&) = delete;

    const fs::path& root() const { return root_; }
    const fs::path& own() const { return own_; }
    std::string configBase() const { return root_.string() + "\\modsetup"; }
    Host& host() { return host_; }
    std::size_t entries() const { return entries_; }

private:
    // A point whose list names files below the game mod folder, each stored
    // (a hard link to one empty file), until the list is as large as allowed.
    void plant(const fs::path& folder) {
        fs::create_directories(folder);
        std::ofstream(folder / "0.empty").close();
        std::string list = "modsetup restore point\r\n" + root_.string() + "\r\n";
        std::size_t count = 0;
        for (;;) {
            const std::string number = std::to_string(count + 1);
            const std::string entry = "file " + number + "\r\nmods\\" + kModName + "\\f" + number + "\r\n";
            if (list.size() + entry.size() > kMaxListBytes) break;
            list += entry;
            fs::create_hard_link(folder / "0.empty", folder / number);
            ++count;
        }
        fs::remove(folder / "0.empty");
        std::ofstream(folder / "manifest.txt", std::ios::binary) << list;
        entries_ = count;
    }

    fs::path root_;
    std::unique_ptr<Host> system_;
    ProgramHost host_;
    fs::path own_;
    std::size_t entries_ = 0;
};

LargestPoints& largestPoints() {
    static LargestPoints points;
    return points;
}

void menuOpening(benchmark::State& state) {
    LargestPoints& points = largestPoints();
    const fs::path previous = fs::current_path();
    fs::current_path(points.root());
    for (auto _ : state) {
        const RestoreOffer offer = offeredRestores(points.host(), points.configBase(), kModName);
        if (!offer.last || !offer.original || offer.damaged) state.SkipWithError("the points were not offered");
    }
    state.counters["entries"] = static_cast<double>(points.entries());
    fs::current_path(previous);
}

// The floor: each folder on the way looked at, each point's folder listed
// and its list read whole.
void menuFloor(benchmark::State& state) {
    LargestPoints& points = largestPoints();
    for (auto _ : state) {
        struct stat info;
        for (const fs::path& folder : {points.root() / "modsetup.restore", points.own()})
            benchmark::DoNotOptimize(::lstat(folder.c_str(), &info));
        for (const char* point : {"next", "last", "original"}) {
            const fs::path folder = points.own() / point;
            std::size_t names = 0;
            DIR* listed = ::opendir(folder.c_str());
            while (::readdir(listed) != nullptr) ++names;
            ::closedir(listed);
            std::ifstream in(folder / "manifest.txt", std::ios::binary);
            const std::string list{std::istreambuf_iterator<char>(in), {}};
            benchmark::DoNotOptimize(names + list.size());
        }
    }
}

}  // namespace

void registerRestoreBenchmarks() {
    benchmark::RegisterBenchmark("menu/largest-points", menuOpening)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("menu/floor", menuFloor)->UseRealTime()->Unit(benchmark::kMillisecond);
}

}  // namespace modsetup::bench
