// The change handlers of the sixteen lists: a pick or typing in a list shows
// the named set's pictures; a load that fails is reported once per handler
// run and leaves the pictures that did not load as they were.
#include <gtest/gtest.h>

#include "presenter_game.h"

namespace modsetup::front {
namespace {

// Every slot offers Old (variant 0) and New (variant 1); the selections
// choose Old everywhere.
void writeLibrary(PresenterGame& game) {
    game.writeModIni("Preview Mod", "PreviewMod");
    game.writeSetsInEverySlot({"Old", "New"});
    game.writeSelections(std::vector<std::string>(kSlotCount, "Old"), "0");
}

bool ownedBy(std::size_t slot, int image) {
    for (const auto& row : testing::kExpectedPreviews)
        if (row.image == image) return row.slot == slot;
    return false;
}

TEST(Previews, APickShowsTheSlotsPicturesAndLeavesTheOthers) {
    PresenterGame game;
    writeLibrary(game);
    game.start();
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        SCOPED_TRACE(kSlots[slot].list);
        ASSERT_TRUE(game.slotShows(slot, 0u));
        const auto before = game.view.pictures;

        game.pick(slot, "New");
        EXPECT_TRUE(game.slotShows(slot, 1u));
        for (int image = 1; image <= kImageCount; ++image) {
            if (ownedBy(slot, image)) continue;
            EXPECT_EQ(game.view.picture(image)->pixels, before[image - 1]->pixels) << "Image" << image;
        }

        game.pick(slot, "Old");
        EXPECT_TRUE(game.slotShows(slot, 0u));
    }
    EXPECT_TRUE(game.view.reports.empty());
}

TEST(Previews, TypedTextNamingNoSetIsReportedOncePerKeystroke) {
    PresenterGame game;
    writeLibrary(game);
    game.start();
    const auto before = game.view.pictureLoads;

    game.typeOver(kPrimary2, "xy");
    EXPECT_EQ(game.view.text(kPrimary2), "xy");
    ASSERT_EQ(game.view.reports.size(), 2u);
    const std::string folder = "Cannot open file \"" + game.configBase() + "\\2\\";
    EXPECT_EQ(game.view.reports[0].text.substr(0, folder.size() + 10), folder + "x\\2.bmp\". ");
    EXPECT_EQ(game.view.reports[1].text.substr(0, folder.size() + 11), folder + "xy\\2.bmp\". ");
    EXPECT_EQ(game.view.reports[1].caption, "Preview Mod");
    EXPECT_EQ(game.view.pictureLoads, before);
    EXPECT_EQ(game.presenter().listBytes(kPrimary2), "xy");
}

TEST(Previews, AClearedTextNamesNoSetAndKeepsThePictures) {
    PresenterGame game;
    writeLibrary(game);
    game.start();

    game.typeOver(kSecondary1, "\b");
    EXPECT_EQ(game.view.text(kSecondary1), "");
    ASSERT_EQ(game.view.reports.size(), 1u);
    // The empty name leaves two backslashes in a row, which names no file.
    EXPECT_NE(game.view.reports[0].text.find("\\socom\\\\10.bmp\""), std::string::npos) << game.view.reports[0].text;
    EXPECT_TRUE(game.slotShows(kSecondary1, 0u));
}

TEST(Previews, AMissingDetailPictureLeavesTheDetailsOfTheSetBefore) {
    PresenterGame game;
    writeLibrary(game);
    game.writeSet(kPrimary5, "Half", 2);
    game.remove("modsetup/5/Half/weapons-gfx");
    game.start();

    game.typeOver(kPrimary5, "H");
    EXPECT_EQ(game.view.text(kPrimary5), "Half");
    ASSERT_EQ(game.view.reports.size(), 1u);
    EXPECT_NE(game.view.reports[0].text.find("\\5\\Half\\Weapons-gfx\\spas12-bullet.bmp\""), std::string::npos)
        << game.view.reports[0].text;
    EXPECT_EQ(game.shownVariant(5), 2u);
    for (int detail : {31, 32, 33}) EXPECT_EQ(game.shownVariant(detail), 0u) << "Image" << detail;
}

TEST(Previews, TheTeamsShareTheSoldierFolderButNotTheirPictures) {
    PresenterGame game;
    writeLibrary(game);
    game.start();

    game.typeOver(kTeamAlpha, "N");
    EXPECT_EQ(game.shownVariant(23), 1u);
    EXPECT_EQ(game.shownVariant(24), 0u);
    game.typeOver(kTeamBravo, "N");
    EXPECT_EQ(game.shownVariant(24), 1u);
    EXPECT_EQ(game.view.picture(24)->pixels, game.view.picture(23)->pixels);
    EXPECT_TRUE(game.view.reports.empty());
}

// An 8-bit set name (a Latin-1 folder name) is offered readably, completed
// from what the user types and previewed by its own bytes.
TEST(Previews, AnEightBitSetNameCompletesAndPreviews) {
    for (const std::string keys : {"C", "c", "caf\xC3\xA9"}) {
        SCOPED_TRACE(keys);
        PresenterGame game;
        writeLibrary(game);
        game.writeSet(kPrimary8, "Caf\xE9", 3);
        game.start();
        ASSERT_NE(game.entryIndex(kPrimary8, "Caf\xC3\xA9"), -1);

        game.typeOver(kPrimary8, keys);
        EXPECT_EQ(game.view.text(kPrimary8).substr(0, keys.size()), keys);
        EXPECT_EQ(game.presenter().listBytes(kPrimary8), "Caf\xE9");
        EXPECT_TRUE(game.slotShows(kPrimary8, 3u));
        EXPECT_TRUE(game.view.reports.empty());
    }
}

}  // namespace
}  // namespace modsetup::front
