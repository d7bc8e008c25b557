#pragma once
// A game folder for the presenter tests, held in memory (memory_host.h): the
// program file modsetup.exe with its set library modsetup/ and its selections
// file beside it, the folder as the working directory, and the presenter over
// a FakeView. The shell only records what it is asked to open. Sets are
// written with marker pictures (set_library.h), so a test sees which set each
// picture shows.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bmp_builder.h"
#include "fake_view.h"
#include "memory_host.h"
#include "recording_audio.h"
#include "set_library.h"
#include "test_support.h"

namespace modsetup::front {

namespace fs = std::filesystem;

class PresenterGame {
public:
    testing::MemoryHost host;
    testing::RecordingAudio audio;
    FakeView view;
    // How names are shown; a test may put another in place before start().
    std::unique_ptr<TextCodec> codec = std::make_unique<Utf8OrLatin1Text>(testCaseFold);

    // The game folder's files, by their paths in it ("modsetup/mod.ini").
    static constexpr std::string_view kGameFolder = "C:\\game";
    std::string path(std::string_view relative) const {
        return std::string(kGameFolder) + "\\" + std::string(relative);
    }
    void write(std::string_view relative, std::string bytes) { host.write(path(relative), std::move(bytes)); }
    std::string read(std::string_view relative) const { return host.read(path(relative)).value_or(""); }
    PathKind kind(std::string_view relative) { return host.pathKind(path(relative)); }
    void makeFolder(std::string_view relative) { host.makeFolder(path(relative)); }
    void remove(std::string_view relative) { host.remove(path(relative)); }
    std::map<std::string, std::string> files() const { return host.filesBelow(std::string(kGameFolder)); }
    std::string configBase() const { return path("modsetup"); }
    std::string selections() const { return read("modsetup.ini"); }

    void writeModIni(std::string_view title, std::string_view modName) {
        write("modsetup/mod.ini", std::string(title) + "\r\n" + std::string(modName) + "\r\n");
    }
    // Lines 1 to 16 (missing ones empty) and line 17.
    void writeSelections(const std::vector<std::string>& texts, std::string_view line17) {
        std::string content;
        for (std::size_t slot = 0; slot < kSlotCount; ++slot)
            content += (slot < texts.size() ? texts[slot] : std::string()) + "\r\n";
        write("modsetup.ini", content + std::string(line17) + "\r\n");
    }
    void writeSet(std::size_t slot, std::string_view set, unsigned variant = 0) {
        testing::writePreviewSet(
            [this](const std::string& file, std::string bytes) { write("modsetup/" + file, std::move(bytes)); }, slot,
            set, "weapons-gfx", variant);
    }
    // Every slot offers one set per name, the first name as variant 0 and so on.
    void writeSetsInEverySlot(const std::vector<std::string>& names) {
        for (std::size_t slot = 0; slot < kSlotCount; ++slot)
            for (std::size_t i = 0; i < names.size(); ++i) writeSet(slot, names[i], static_cast<unsigned>(i));
    }

    // Creates the presenter and runs the load sequence, as a window does
    // once its controls exist.
    MainWindowPresenter& start(double scale = 1.0) {
        view.scale = scale;
        presenter_ = std::make_unique<MainWindowPresenter>(host, audio, view, *codec);
        presenter_->windowCreated();
        return *presenter_;
    }
    MainWindowPresenter& presenter() { return *presenter_; }

    // The user's part.
    void pick(std::size_t slot, std::string_view entryText, PickedFrom from = PickedFrom::DropDown) {
        view.pick(presenter(), slot, entryIndex(slot, entryText), from);
    }
    // Selects the list's whole text and types over it; '\b' is Backspace.
    void typeOver(std::size_t slot, const std::string& keys) {
        view.selectAll(slot);
        view.type(presenter(), slot, keys);
    }
    int entryIndex(std::size_t slot, std::string_view entryText) const {
        const auto names = view.entryNames(slot);
        const auto found = std::find(names.begin(), names.end(), entryText);
        return found == names.end() ? -1 : static_cast<int>(found - names.begin());
    }
    std::vector<std::string> sortedEntries(std::size_t slot) const {
        auto names = view.entryNames(slot);
        std::sort(names.begin(), names.end());
        return names;
    }

    // The variant of the set a picture shows; nothing before its first picture.
    std::optional<unsigned> shownVariant(int image) const {
        const auto& picture = view.picture(image);
        if (!picture) return std::nullopt;
        return testing::previewVariant(testing::markerOf(*picture));
    }
    // Whether every picture of a slot shows the set of the given variant.
    bool slotShows(std::size_t slot, std::optional<unsigned> variant) const {
        for (const auto& row : testing::kExpectedPreviews)
            if (row.slot == slot && shownVariant(row.image) != variant) return false;
        return true;
    }

private:
    std::unique_ptr<MainWindowPresenter> presenter_;
};

}  // namespace modsetup::front
