#pragma once
// Shared helpers of the Qt window tests: a scratch folder that plays the game's
// folder and the program's folder, small set libraries of one-colour pictures
// written on the spot, and the window MainWindow over them with a recorder
// in place of the standard error report.

#include <QCheckBox>
#include <QColor>
#include <QGroupBox>
#include <QImage>
#include <QString>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/slots.h"
#include "core/io/forwarding_host.h"
#include "core/library/previews.h"
#include "qt/error_report.h"
#include "qt/main_window.h"
#include "qt/slot_list.h"
#include "recording_audio.h"
#include "test_support.h"

namespace modsetup::uitest {

namespace fs = std::filesystem;

using testing::writeFile;

// Stands in for the message box of the standard error report.
struct ReportRecorder {
    struct Report {
        QWidget* owner;
        QString caption;
        QString text;
    };
    std::vector<Report> reports;

    qt::ErrorReport report() {
        return [this](QWidget* owner, const QString& caption, const QString& text) {
            reports.push_back({owner, caption, text});
        };
    }
};

// A fresh folder, removed at the end, with the program file's place
// (modsetup.exe), the set library (modsetup/) and the selections file
// (modsetup.ini); the host runs as if its program file lay there.
class Scratch {
public:
    const fs::path& root() const { return dir_.path(); }
    fs::path library() const { return dir_ / "modsetup"; }
    fs::path selections() const { return dir_ / "modsetup.ini"; }
    Host& host() { return host_; }

    // The window over this folder; it runs the load sequence as it is created.
    std::unique_ptr<qt::MainWindow> window() {
        return std::make_unique<qt::MainWindow>(host_, audio, recorder.report());
    }

    ReportRecorder recorder;
    testing::RecordingAudio audio;

private:
    testing::ScratchDir dir_;
    std::unique_ptr<Host> system_ = makeSystemHost();
    testing::ProgramFileHost host_{*system_, dir_.programPath("modsetup.exe")};
};

// The window's controls, found by the object names the window gives them
// (the layout's names).
inline qt::SlotList* comboBox(const qt::MainWindow& window, std::size_t slot) {
    return window.findChild<qt::SlotList*>(QString::fromLatin1(kSlots[slot].list.data(), kSlots[slot].list.size()));
}
inline QCheckBox* checkBox1(const qt::MainWindow& window) { return window.findChild<QCheckBox*>("CheckBox1"); }
inline QGroupBox* groupBox1(const qt::MainWindow& window) { return window.findChild<QGroupBox*>("GroupBox1"); }

// A 24-bit bitmap file of the given size filled with one colour, whose
// bottom-left pixel has the transparent colour white.
inline std::string bitmapFile(int width, int height, QColor fill) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const auto dataSize = static_cast<std::uint32_t>(rowBytes * height);
    std::string bytes;
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes += "BM";
    put(54 + dataSize, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(dataSize, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = 0; y < height; ++y) {  // bottom row first
        for (int x = 0; x < width; ++x) {
            const QColor colour = (x == 0 && y == 0) ? QColor(Qt::white) : fill;
            bytes += static_cast<char>(colour.blue());
            bytes += static_cast<char>(colour.green());
            bytes += static_cast<char>(colour.red());
        }
        bytes.append(static_cast<std::size_t>(rowBytes - width * 3), '\0');
    }
    return bytes;
}

// Writes a set with every preview picture of its slot: the first picture
// (Image1 .. Image14, or the soldier) 20 x 10 in `colour`, the others 8 x 4 in
// its darker shade. The detail sub-folder is written in lower case; the host
// finds it whatever case the program asks for.
inline void writeSet(const Scratch& scratch, std::size_t slot, std::string_view set, QColor colour) {
    const fs::path folder = scratch.library() / std::string(kSlots[slot].folder) / std::string(set);
    const auto pictures = slotPreviews(slot);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        std::string relative;
        for (char c : pictures[i].suffix.substr(1))
            relative += (c == '\\') ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        writeFile(folder / relative, i == 0 ? bitmapFile(20, 10, colour) : bitmapFile(8, 4, colour.darker()));
    }
}

inline void writeModIni(const Scratch& scratch, std::string_view title, std::string_view name) {
    writeFile(scratch.library() / "mod.ini", std::string(title) + "\r\n" + std::string(name) + "\r\n");
}

// The selections file: sixteen texts (missing ones empty) and line 17.
inline void writeSelections(const Scratch& scratch, const std::vector<std::string>& texts, std::string_view line17) {
    std::string content;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) content += (slot < texts.size() ? texts[slot] : "") + "\r\n";
    writeFile(scratch.selections(), content + std::string(line17) + "\r\n");
}

// A colour as 8-bit channels hold it, so that computed colours compare equal
// to the pixels of a bitmap written from them.
inline QColor exact(QColor colour) { return QColor::fromRgba(colour.rgba()); }

// The colour a picture shows at a pixel that is not the transparent one.
inline QColor shownColour(const QImage& image) {
    return image.isNull() ? QColor() : image.pixelColor(image.width() - 1, 0);
}

inline QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace modsetup::uitest
