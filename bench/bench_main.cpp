// modsetup_bench: times Apply, the load sequence, the window, the set-library
// check and a click on a shot beside their floors and closes with the ratios.
// Google Benchmark's options apply; with --benchmark_repetitions the ratios
// are taken from the medians.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "benchmarks.h"
#include "heap_peak.h"

namespace {

// Shows the usual console output and keeps each benchmark's real time per
// iteration in milliseconds and its peak heap counter (the medians where
// there are repetitions).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                failed_ = true;
                continue;
            }
            const double ms = run.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[name] = ms;
                for (const auto& [counter, value] : run.counters) counters_[name][counter] = value.value;
            }
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "max")
                for (const auto& [counter, value] : run.counters) maxima_[name][counter] = value.value;
            if (run.run_type == Run::RT_Iteration) {
                samples_[name].push_back(ms);
                for (const auto& [counter, value] : run.counters) {
                    counters_[name].emplace(counter, value.value);
                    double& most = maxima_[name].emplace(counter, value.value).first->second;
                    most = std::max(most, value.value);
                }
            }
        }
    }

    // Real time per iteration in ms, or a negative number when not measured.
    double milliseconds(const std::string& name) const {
        if (auto median = medians_.find(name); median != medians_.end()) return median->second;
        auto samples = samples_.find(name);
        if (samples == samples_.end() || samples->second.empty()) return -1;
        double sum = 0;
        for (double sample : samples->second) sum += sample;
        return sum / static_cast<double>(samples->second.size());
    }
    // A counter of a benchmark (the median where there are repetitions), or
    // a negative number when not measured.
    double counter(const std::string& name, const std::string& counter) const { return find(counters_, name, counter); }
    // The largest value of a counter over the repetitions.
    double largest(const std::string& name, const std::string& counter) const { return find(maxima_, name, counter); }
    // Peak heap in bytes, or a negative number when not measured.
    double peakBytes(const std::string& name) const { return counter(name, "peak_bytes"); }
    bool failed() const { return failed_; }

private:
    using Counters = std::map<std::string, std::map<std::string, double>>;  // by benchmark and counter

    static double find(const Counters& counters, const std::string& name, const std::string& counter) {
        const auto named = counters.find(name);
        if (named == counters.end()) return -1;
        const auto value = named->second.find(counter);
        return value == named->second.end() ? -1 : value->second;
    }

    std::map<std::string, double> medians_;
    Counters counters_;
    Counters maxima_;
    std::map<std::string, std::vector<double>> samples_;
    bool failed_ = false;
};

// Prints one ratio line; false when the target is missed.
bool ratio(const RatioReporter& times, const char* label, const std::string& figure, const std::string& floor,
           double target) {
    const double measured = times.milliseconds(figure);
    const double base = times.milliseconds(floor);
    if (measured < 0 || base <= 0) {
        std::printf("%-34s not measured\n", label);
        return true;  // filtered out
    }
    const double value = measured / base;
    if (target > 0) {
        std::printf("%-34s %6.2f  (%.3f ms / %.3f ms)  target <= %.2f: %s\n", label, value, measured, base, target,
                    value <= target ? "met" : "MISSED");
        return value <= target;
    }
    std::printf("%-34s %6.2f  (%.3f ms / %.3f ms)\n", label, value, measured, base);
    return true;
}

// Prints a figure against an absolute bound in milliseconds; false when it
// is missed.
bool within(const RatioReporter& reporter, const char* label, const std::string& figure, double boundMs) {
    const double measured = reporter.milliseconds(figure);
    if (measured < 0) {
        std::printf("%-34s not measured\n", label);
        return true;
    }
    std::printf("%-34s %.0f ms  target <= %.0f ms: %s\n", label, measured, boundMs,
                measured <= boundMs ? "met" : "MISSED");
    return measured <= boundMs;
}

// Prints the ratio of two peak heap figures (with its target where there is
// one, above 0); false when the target is missed.
bool peakRatio(const RatioReporter& reporter, const char* label, const std::string& figure, const std::string& base,
               double target) {
    const double measured = reporter.peakBytes(figure);
    const double floor = reporter.peakBytes(base);
    if (measured < 0 || floor <= 0) {
        std::printf("%-34s not measured\n", label);
        return true;
    }
    const double value = measured / floor;
    std::printf("%-34s %6.2f  (%.0f KiB / %.0f KiB peak heap)", label, value, measured / 1024, floor / 1024);
    if (target <= 0) {
        std::printf("\n");
        return true;
    }
    std::printf("  target <= %.2f: %s\n", target, value <= target ? "met" : "MISSED");
    return value <= target;
}

// Prints a click on a shot beside its floor: the slowest click on the
// window's thread and the largest peak heap above what was held before a
// click, each with its bound; false when one is missed.
bool shotClick(const RatioReporter& reporter, const char* label, const std::string& format) {
    const std::string figure = "shot/" + format + "/sdl";
    const std::string floor = "shot/" + format + "/floor";
    const double busy = reporter.largest(figure, "slowest_ms");
    const double busyFloor = reporter.largest(floor, "slowest_ms");
    const double peak = reporter.largest(figure, "peak_bytes");
    const double peakFloor = reporter.largest(floor, "peak_bytes");
    if (busy < 0 || busyFloor < 0 || peak < 0 || peakFloor < 0) {
        std::printf("%-34s not measured\n", label);
        return true;
    }
    constexpr double kMaxBusyMs = 50;
    constexpr double kMaxPeakBytes = 16e6;
    const bool met = busy <= kMaxBusyMs && peak <= kMaxPeakBytes;
    std::printf(
        "%-34s slowest click %.2f ms (floor %.2f ms), target <= %.0f ms; peak +%.1f MB (floor +%.1f MB), "
        "target <= %.0f MB: %s\n",
        label, busy, busyFloor, kMaxBusyMs, peak / 1e6, peakFloor / 1e6, kMaxPeakBytes / 1e6, met ? "met" : "MISSED");
    ratio(reporter, "  median click / floor", figure, floor, 0);
    return met;
}

// The time each further set per slot folder adds, between two library sizes,
// for a figure ("load", "check") and its floor.
void growth(const RatioReporter& times, const std::string& figure, long from, long to) {
    const double a = times.milliseconds(figure + "/full/" + std::to_string(from));
    const double b = times.milliseconds(figure + "/full/" + std::to_string(to));
    const double fa = times.milliseconds(figure + "/floor/" + std::to_string(from));
    const double fb = times.milliseconds(figure + "/floor/" + std::to_string(to));
    if (a < 0 || b < 0 || fa < 0 || fb < 0) return;
    const double sets = 15.0 * static_cast<double>(to - from);
    std::printf("%-34s %s %.2f us, floor %.2f us per set (%ld -> %ld sets per folder)\n",
                "  time per further set:", figure.c_str(), (b - a) * 1e3 / sets, (fb - fa) * 1e3 / sets, from, to);
}

// The resident size an import of a large archive adds, against its bound.
bool importMemory(const RatioReporter& reporter) {
    const double added = reporter.counter("import/memory", "added_bytes");
    const double archive = reporter.counter("import/memory", "archive_bytes");
    if (added < 0 || archive < 0) {
        std::printf("%-34s not measured\n", "n. Import's memory");
        return true;
    }
    constexpr double kMaxAddedBytes = 32.0 * 1024 * 1024;
    std::printf("%-34s +%.1f MiB for a %.0f MB archive, target <= 32 MiB: %s\n", "n. Import's memory",
                added / 1024 / 1024, archive / 1e6, added <= kMaxAddedBytes ? "met" : "MISSED");
    return added <= kMaxAddedBytes;
}

}  // namespace

int main(int argc, char** argv) {
    modsetup::bench::countSdlAllocations();  // the shots' audio is measured with what SDL holds
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The window is timed on Qt's offscreen platform unless told otherwise.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);

    modsetup::bench::registerApplyBenchmarks();
    modsetup::bench::registerLoadBenchmarks();
    modsetup::bench::registerHostileBenchmarks();
    modsetup::bench::registerWindowBenchmarks();
    modsetup::bench::registerCheckBenchmarks();
    modsetup::bench::registerShotBenchmarks();
    modsetup::bench::registerImportBenchmarks();
    modsetup::bench::registerRestoreBenchmarks();

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nRatios (figure / floor, real time):\n");
    bool met = true;
    met &= ratio(reporter, "a. Apply / copy", "apply/full", "apply/floor", 1.15);
    met &= ratio(reporter, "  plan of it / Apply, the same choices", "apply/plan", "apply/full", 1.2);
    ratio(reporter, "  every file changing / copy", "apply/changing", "apply/changing-floor", 0);
    met &= ratio(reporter, "l. Apply, restore point's cost", "apply/changing", "apply/changing-no-point", 1.3);
    met &= within(reporter, "k. Apply, 263 targets held", "apply/held", 4000);
    met &= ratio(reporter, "b. Load / listing, 3 sets", "load/full/3", "load/floor/3", 0);
    met &= ratio(reporter, "b. Load / listing, 300 sets", "load/full/300", "load/floor/300", 0);
    met &= ratio(reporter, "b. Load / listing, 3,000 sets", "load/full/3000", "load/floor/3000", 2.0);
    growth(reporter, "load", 3, 300);
    growth(reporter, "load", 300, 3000);
    met &= ratio(reporter, "c. Window ready / bare window", "window/main", "window/floor", 1.3);
    ratio(reporter, "d. Start-up, 100 MB line / normal", "start-up/long-line", "start-up/normal", 0);
    ratio(reporter, "e. Report, 100 MB line / normal", "report/long-line", "report/normal", 0);
    met &= peakRatio(reporter, "f. Pictures, 41 bombs / view-size", "pictures/run-length-bombs", "pictures/view-size",
                     1.2);
    peakRatio(reporter, "  41 bombs / demo pictures", "pictures/run-length-bombs", "pictures/demo", 0);
    met &= ratio(reporter, "g. Check / walk, 300 sets", "check/full/300", "check/floor/300", 0);
    met &= ratio(reporter, "g. Check / walk, 1,000 sets", "check/full/1000", "check/floor/1000", 0);
    met &= ratio(reporter, "g. Check / walk, 3,000 sets", "check/full/3000", "check/floor/3000", 3.0);
    met &= ratio(reporter, "h. Window ready, full-size / demo", "window/full-size", "window/main", 1.5);
    ratio(reporter, "  load, full-size / view-size", "pictures/full-size", "pictures/view-size", 0);
    met &= peakRatio(reporter, "  load's peak heap, the same", "pictures/full-size", "pictures/view-size", 1.2);
    met &=
        ratio(reporter, "i. Check, full-size / demo pictures", "check-pictures/full-size", "check-pictures/demo", 2.0);
    growth(reporter, "check", 300, 1000);
    growth(reporter, "check", 1000, 3000);
    met &= shotClick(reporter, "j. Shot, 1,000 Hz 8-bit mono", "1000hz-8bit-mono");
    met &= shotClick(reporter, "j. Shot, 44,100 Hz 16-bit stereo", "44100hz-16bit-stereo");
    ratio(reporter, "m. Import / bsdtar -xf, 210 sets", "import/whole", "import/floor", 0);
    met &= ratio(reporter, "  the import alone / bsdtar -xf", "import/run", "import/floor", 1.3);
    met &= importMemory(reporter);
    met &= within(reporter, "o. Menu, largest restore points", "menu/largest-points", 100);
    ratio(reporter, "  menu / reading the points", "menu/largest-points", "menu/floor", 0);
    if (reporter.failed()) std::printf("A benchmark failed: see its line above.\n");
    std::printf("%s\n", met && !reporter.failed() ? "All targets met." : "Some target missed.");
    return reporter.failed() ? 1 : 0;
}
