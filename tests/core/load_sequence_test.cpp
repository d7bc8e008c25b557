// The file work of the load sequence: what it reads and which pictures it
// loads, in which order. How the window shows it, failures and Undo included,
// is tested at the presenter (tests/front/load_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>

#include "bmp_builder.h"
#include "core/io/forwarding_host.h"
#include "core/library/load_sequence.h"
#include "core/report/messages.h"
#include "set_library.h"
#include "test_support.h"

namespace modsetup {
namespace {

using Names = std::vector<std::string>;

std::vector<int> imagesOf(const LoadOutcome& outcome) {
    std::vector<int> images;
    for (const auto& preview : outcome.pictures) images.push_back(preview.image);
    return images;
}

// The images the load sequence shows for sets whose files are all there.
std::vector<int> sequenceImages(std::initializer_list<std::size_t> skippedSlots) {
    std::vector<int> images;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (std::find(skippedSlots.begin(), skippedSlots.end(), slot) != skippedSlots.end()) continue;
        if (slot == kSecondary1) {
            images.insert(images.end(), {37, 11});
            continue;
        }
        for (const auto& row : testing::kExpectedPreviews)
            if (row.slot == slot) images.push_back(row.image);
    }
    return images;
}

class LoadSequence : public ::testing::Test {
protected:
    std::unique_ptr<Host> system = makeSystemHost();
    testing::ScratchDir dir;
    testing::ProgramFileHost host{*system, dir.programPath("modsetup.exe")};
    std::string configBase = dir.programPath("modsetup");
    std::filesystem::path library = dir / "modsetup";

    void SetUp() override {
        testing::writeFile(library / "mod.ini", "Gold Mod Setup\r\n gold mod \r\n");
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) testing::writePreviewSet(library, slot, "Gold");
    }

    void saveSelections(const SlotTexts& texts, bool ticked) {
        testing::writeFile(dir / "modsetup.ini", selectionsText(texts, ticked).value());
    }

    static SlotTexts allGold() {
        SlotTexts texts;
        texts.fill("Gold");
        return texts;
    }
};

TEST_F(LoadSequence, FirstStartWithoutSelectionsShowsNoPicturesAndOffersEverySet) {
    LoadOutcome outcome = runLoadSequence(host);
    EXPECT_EQ(outcome.strings.configBase, configBase);
    EXPECT_EQ(outcome.strings.modTitle, "Gold Mod Setup");
    EXPECT_EQ(outcome.strings.modName, " gold mod ");
    for (const auto& text : outcome.selections.texts) EXPECT_EQ(text, "");
    EXPECT_FALSE(outcome.selections.ticksBox);
    EXPECT_TRUE(outcome.pictures.empty());
    EXPECT_TRUE(outcome.previewFailures.empty());
    for (const auto& entries : outcome.entries) EXPECT_EQ(entries, Names{"Gold"});
}

TEST_F(LoadSequence, RestoredChoicesShowTheirPicturesInSlotOrder) {
    SlotTexts texts = allGold();
    texts[kPrimary7] = "";  // passed over, no error
    saveSelections(texts, true);
    LoadOutcome outcome = runLoadSequence(host);
    EXPECT_EQ(outcome.selections.texts, texts);
    EXPECT_TRUE(outcome.selections.ticksBox);
    EXPECT_TRUE(outcome.previewFailures.empty());
    EXPECT_EQ(imagesOf(outcome), sequenceImages({kPrimary7}));
    for (const auto& preview : outcome.pictures) {
        auto row = std::find_if(testing::kExpectedPreviews.begin(), testing::kExpectedPreviews.end(),
                                [&](const auto& r) { return r.image == preview.image; });
        EXPECT_EQ(testing::markerOf(preview.picture), testing::previewMarker(row->slot, row->file))
            << "Image" << preview.image;
    }
}

#ifndef _WIN32
// A game folder "ga\me" on Linux: the program's paths would read it as the
// folders "ga" and "me", so it reads nothing, offers nothing and says why.
TEST_F(LoadSequence, FromAFolderWhosePathHoldsABackslashNothingIsReadAndTheReportSaysWhy) {
    const std::filesystem::path folder = dir / "ga\\me";
    std::filesystem::create_directories(folder);
    std::filesystem::rename(library, folder / "modsetup");
    saveSelections(allGold(), true);
    std::filesystem::rename(dir / "modsetup.ini", folder / "modsetup.ini");
    // What the backslash, read as a separator, would name.
    testing::writeFile(dir / "ga/me/modsetup/mod.ini", "Wrong Title\r\nWrong\r\n");
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        testing::writePreviewSet(dir / "ga/me/modsetup", slot, "Gold");
    testing::writeFile(dir / "ga/me/modsetup.ini", selectionsText(allGold(), true).value());

    testing::ProgramFileHost inFolder(*system, (folder / "modsetup.exe").string());
    LoadOutcome outcome = runLoadSequence(inFolder);
    EXPECT_EQ(outcome.unusableFolder, folder.string());
    EXPECT_EQ(outcome.strings.modTitle, "");
    EXPECT_EQ(outcome.strings.modName, "");
    EXPECT_EQ(outcome.selections.texts, SlotTexts{});
    EXPECT_TRUE(outcome.pictures.empty());
    for (const auto& entries : outcome.entries) EXPECT_TRUE(entries.empty());
}
#endif

}  // namespace
}  // namespace modsetup
