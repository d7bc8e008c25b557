// Apply against a plain copy: a full Apply of the sixteen chosen sets with
// "Use Modified Weapons" ticked, beside the bare copies of the same files and
// plain writes of the same three generated files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "bench_library.h"
#include "benchmarks.h"
#include "core/apply.h"
#include "core/platform/case_resolver.h"

namespace modsetup::bench {
namespace {

// Notes what an Apply copies and which files it writes, as host paths.
class RecordingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    std::vector<std::pair<fs::path, fs::path>> copies;
    std::vector<fs::path> written;

    bool copyFile(const std::string& source, const std::string& target) override {
        copies.emplace_back(*resolveHostPath(source), *resolveHostPath(target));
        return ForwardingHost::copyFile(source, target);
    }
    std::unique_ptr<OutputFile> openReplace(const std::string& path) override {
        written.emplace_back(*resolveHostPath(path));
        return ForwardingHost::openReplace(path);
    }
};

struct ApplyWork {
    std::vector<std::pair<fs::path, fs::path>> copies;
    std::vector<std::pair<fs::path, std::string>> files;  // path and the bytes Apply wrote
};

ApplyOutcome applyOnce(Host& host, const GameFolder& game) {
    LineFile output(host);
    LineFile input(host);
    return runApply(host, output, input, game.strings(), game.texts(), [] { return true; });
}

// One Apply, recorded; it also leaves every target in place, as later runs find them.
const ApplyWork& applyWork() {
    static const ApplyWork work = [] {
        GameFolder& game = gameFolder(3);
        fs::current_path(game.root());
        RecordingHost recorder(game.host());
        if (!applyOnce(recorder, game).succeeded()) std::abort();
        ApplyWork result;
        result.copies = std::move(recorder.copies);
        for (const fs::path& path : recorder.written) {
            std::ifstream in(path, std::ios::binary);
            result.files.emplace_back(path, std::string(std::istreambuf_iterator<char>(in), {}));
        }
        return result;
    }();
    return work;
}

void applyFull(benchmark::State& state) {
    GameFolder& game = gameFolder(3);
    applyWork();
    fs::current_path(game.root());
    for (auto _ : state) {
        const ApplyOutcome outcome = applyOnce(game.host(), game);
        if (!outcome.succeeded()) state.SkipWithError("Apply failed");
    }
    state.counters["copies"] = static_cast<double>(applyWork().copies.size());
}

void applyFloor(benchmark::State& state) {
    const ApplyWork& work = applyWork();
    for (auto _ : state) {
        for (const auto& [source, target] : work.copies)
            fs::copy_file(source, target, fs::copy_options::overwrite_existing);
        for (const auto& [path, bytes] : work.files) {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
    }
}

}  // namespace

void registerApplyBenchmarks() {
    benchmark::RegisterBenchmark("apply/full", applyFull)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("apply/floor", applyFloor)->UseRealTime()->Unit(benchmark::kMillisecond);
}

}  // namespace modsetup::bench
