// Window ready: the main window created with its full load sequence and shown,
// beside a bare window that shows the same 41 pictures, each read from its
// file by the toolkit's own image reader, on labels; and the main window with
// every picture a full-size bitmap. Two more runs tell the
// cost of the controls from that of the file work: the main window without a
// set library, and its sixteen editable lists alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <vector>

#include "bench_library.h"
#include "benchmarks.h"
#include "core/platform/audio.h"
#include "qt/main_window.h"
#include "qt/slot_list.h"

namespace modsetup::bench {
namespace {

// Creates and shows the main window, which runs the load sequence, until
// the window system has shown it; the destruction is not timed.
void showMainWindow(benchmark::State& state, Host& host) {
    QString report;
    for (auto _ : state) {
        // The program's own audio, as it starts: no device is opened yet.
        const std::unique_ptr<Audio> audio = makeSystemAudio();
        auto window = std::make_unique<qt::MainWindow>(host, *audio,
                                                       [&report](const QString&, const QString& text) { report = text; });
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (!report.isEmpty()) {
        std::fprintf(stderr, "The window reported: %s\n", report.toLocal8Bit().constData());
        state.SkipWithError("the window reported an error");
    }
}

void windowMain(benchmark::State& state) { showMainWindow(state, gameFolder(3).host()); }

// The same library with every picture a full-size bitmap.
void windowFullSize(benchmark::State& state) { showMainWindow(state, fullSizePicturesFolder().host()); }

// The same window beside no set library at all: its controls without file work.
void windowNoLibrary(benchmark::State& state) {
    const fs::path nowhere = fs::temp_directory_path() / "modsetup-bench-no-library";
    const std::unique_ptr<Host> system = makeSystemHost();
    ProgramHost host(*system, nowhere.string() + "\\modsetup.exe");
    showMainWindow(state, host);
}

void windowFloor(benchmark::State& state) {
    const std::vector<fs::path> files = gameFolder(3).previewFiles();
    for (auto _ : state) {
        auto window = std::make_unique<QWidget>();
        window->resize(700, 462);
        int left = 0;
        for (const fs::path& file : files) {
            auto* label = new QLabel(window.get());
            // Not QPixmap(file), which would answer from the pixmap cache.
            label->setPixmap(QPixmap::fromImage(QImage(QString::fromStdString(file.string()))));
            label->move(left, 0);
            left += 16;
        }
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// The sixteen editable slot lists alone in a bare window: what the window's
// lists cost the toolkit, whatever the program does with them.
void windowListsOnly(benchmark::State& state) {
    for (auto _ : state) {
        auto window = std::make_unique<QWidget>();
        window->resize(700, 462);
        for (int i = 0; i < static_cast<int>(kSlotCount); ++i)
            (new qt::SlotList(window.get()))->setGeometry(10, 10 + 25 * i, 145, 21);
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

}  // namespace

void registerWindowBenchmarks() {
    benchmark::RegisterBenchmark("window/main", windowMain)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("window/full-size", windowFullSize)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("window/floor", windowFloor)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("window/no-library", windowNoLibrary)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("window/lists-only", windowListsOnly)->UseRealTime()->Unit(benchmark::kMillisecond);
}

}  // namespace modsetup::bench
