// Window ready: the main window created with its full load sequence and
// shown, beside a bare window with the same controls at the same places and
// the same pictures, made with the plainest means the toolkit offers; and the
// main window with every picture a full-size bitmap.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include <cstdio>
#include <map>
#include <memory>

#include "bench_library.h"
#include "benchmarks.h"
#include "core/audio/audio.h"
#include "core/game/slots.h"
#include "front/layout.h"
#include "qt/main_window.h"

namespace modsetup::bench {
namespace {

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// Shows a window until the window system has shown it, then destroys it
// untimed.
void showThenDestroy(benchmark::State& state, std::unique_ptr<QWidget> window) {
    window->show();
    QApplication::processEvents();
    state.PauseTiming();
    window.reset();
    QApplication::processEvents();
    state.ResumeTiming();
}

// Creates and shows the main window, which runs the load sequence.
void showMainWindow(benchmark::State& state, Host& host) {
    QString report;
    for (auto _ : state) {
        // The program's own audio, as it starts: no device is opened yet.
        const std::unique_ptr<Audio> audio = makeSystemAudio();
        showThenDestroy(state,
                        std::make_unique<qt::MainWindow>(
                            host, *audio, [&report](QWidget*, const QString&, const QString& text) { report = text; }));
    }
    if (!report.isEmpty()) {
        std::fprintf(stderr, "The window reported: %s\n", report.toLocal8Bit().constData());
        state.SkipWithError("the window reported an error");
    }
}

void windowMain(benchmark::State& state) { showMainWindow(state, gameFolder(3).host()); }

// The same library with every picture a full-size bitmap.
void windowFullSize(benchmark::State& state) { showMainWindow(state, fullSizePicturesFolder().host()); }

// The bare window: Qt's own labels, editable lists, buttons, check box and
// group box in the layout's places, fonts and colours; mod.ini's first line as
// the title; each list filled with the set folders of its slot folder and the
// selections file's line as its text; each picture read by Qt's image reader
// onto a label.
void windowFloor(benchmark::State& state) {
    GameFolder& game = gameFolder(3);
    const std::map<int, fs::path> pictures = game.previewFiles();
    const QString library = QString::fromStdString(game.library().string());
    const QString selections = QString::fromStdString((game.root() / "modsetup.ini").string());
    for (auto _ : state) {
        auto window = std::make_unique<QWidget>();
        window->resize(700, 462);
        QFont font(latin1(front::kFontFamily));
        font.setPixelSize(front::kFontPixels);
        window->setFont(font);
        QFile modIni(library + "/mod.ini");
        if (modIni.open(QIODevice::ReadOnly)) window->setWindowTitle(QString::fromLatin1(modIni.readLine()).trimmed());
        QFile chosen(selections);
        chosen.open(QIODevice::ReadOnly);

        QGroupBox* group = nullptr;
        for (const front::ControlLayout& row : front::kLayout) {
            QWidget* parent = row.parent == front::ControlParent::GroupBox1 ? group : window.get();
            QWidget* control = nullptr;
            switch (row.kind) {
            case front::ControlKind::Picture: {
                auto* label = new QLabel(parent);
                // Not QPixmap(file), which would answer from the pixmap cache.
                label->setPixmap(QPixmap::fromImage(QImage(QString::fromStdString(pictures.at(row.number).string()))));
                control = label;
                break;
            }
            case front::ControlKind::Label: control = new QLabel(latin1(row.caption), parent); break;
            case front::ControlKind::List: {
                auto* list = new QComboBox(parent);
                list->setEditable(true);
                list->addItems(QDir(library + "/" + latin1(kSlots[row.slot].folder))
                                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted));
                list->setEditText(QString::fromLatin1(chosen.readLine()).trimmed());
                control = list;
                break;
            }
            case front::ControlKind::GroupBox: control = group = new QGroupBox(latin1(row.caption), parent); break;
            case front::ControlKind::Button: control = new QPushButton(latin1(row.caption), parent); break;
            case front::ControlKind::CheckBox: control = new QCheckBox(latin1(row.caption), parent); break;
            }
            control->setGeometry(row.left, row.top, row.width, row.height);
            if (row.style.bold || row.style.fontPixels != 0) {
                QFont own = font;
                own.setBold(row.style.bold);
                if (row.style.fontPixels != 0) own.setPixelSize(row.style.fontPixels);
                control->setFont(own);
            }
            if (row.style.colour != front::TextColour::WindowText) {
                QPalette own = control->palette();
                own.setColor(QPalette::WindowText, row.style.colour == front::TextColour::Red ? Qt::red : Qt::blue);
                control->setPalette(own);
            }
            if (row.style.hiddenAtStart) control->hide();
        }
        showThenDestroy(state, std::move(window));
    }
}

}  // namespace

void registerWindowBenchmarks() {
    benchmark::RegisterBenchmark("window/main", windowMain)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("window/full-size", windowFullSize)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("window/floor", windowFloor)->UseRealTime()->Unit(benchmark::kMillisecond);
}

}  // namespace modsetup::bench
