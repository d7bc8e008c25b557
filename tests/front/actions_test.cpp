// Apply, Play and Close as the window carries them out: the confirmation
// label, the check box read by Apply, the one report of a failure, and when
// the window closes. What Apply and Play write is the core's and tested there.
#include <gtest/gtest.h>

#include "core/library/config.h"
#include "presenter_game.h"

namespace modsetup::front {
namespace {

// The selections file's sixteen lines when every slot chooses Gold.
constexpr const char* kGoldLines =
    "Gold\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\n"
    "Gold\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\n";

// Every slot chooses its set Gold; the game folder has its "mods" folder.
SlotTexts writeGame(PresenterGame& game, std::string_view modName = "GoldMod") {
    game.writeModIni("Gold Mod Setup", modName);
    SlotTexts texts;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        game.writeSet(slot, "Gold");
        texts[slot] = "Gold";
    }
    game.writeSelections({texts.begin(), texts.end()}, "0");
    game.makeFolder("mods");
    return texts;
}

TEST(Apply, ShowsTheConfirmationAndSavesWhatTheCheckBoxSays) {
    PresenterGame game;
    const SlotTexts texts = writeGame(game);
    game.start();
    EXPECT_FALSE(game.view.confirmationShown);

    game.view.ticked = true;
    game.presenter().applyPressed();
    EXPECT_TRUE(game.view.reports.empty());
    EXPECT_TRUE(game.view.confirmationShown);
    EXPECT_EQ(game.kind("mods/GoldMod/weapons.ini"), PathKind::File);
    EXPECT_EQ(game.selections(), std::string(kGoldLines) + "1\r\n");

    game.presenter().undoPressed();  // Undo keeps the confirmation and the tick
    EXPECT_TRUE(game.view.confirmationShown);
    EXPECT_TRUE(game.view.ticked);

    game.view.ticked = false;
    game.presenter().applyPressed();  // unticked: the mod keeps no weapons.ini
    EXPECT_TRUE(game.view.reports.empty());
    EXPECT_TRUE(game.view.confirmationShown);
    EXPECT_EQ(game.kind("mods/GoldMod/weapons.ini"), PathKind::Missing);
    EXPECT_EQ(game.selections(), std::string(kGoldLines) + "0\r\n");
}

// An Apply that fails after one that succeeded hides the confirmation and
// tells why in one report; the next good Apply shows it again.
TEST(Apply, AFailureHidesTheConfirmationAndIsReportedOnce) {
    PresenterGame game;
    writeGame(game);
    game.start();
    game.presenter().applyPressed();
    ASSERT_TRUE(game.view.confirmationShown);

    const std::string blocked = "mods/GoldMod/interface-gfx/guns/1.bmp";
    game.remove(blocked);
    game.makeFolder(blocked + "/inside");  // a folder where the gun icon belongs
    game.presenter().applyPressed();
    EXPECT_FALSE(game.view.confirmationShown);
    ASSERT_EQ(game.view.reports.size(), 1u);
    EXPECT_EQ(game.view.reports[0].caption, "Gold Mod Setup");
    EXPECT_NE(game.view.reports[0].text.find("\nmods\\GoldMod\\interface-gfx\\guns\\1.bmp\n"), std::string::npos)
        << game.view.reports[0].text;

    game.remove(blocked);
    game.presenter().applyPressed();
    EXPECT_TRUE(game.view.confirmationShown);
    EXPECT_EQ(game.view.reports.size(), 1u);
}

TEST(Apply, WithoutModsFolderInstallsNothingButSavesTheChoices) {
    PresenterGame game;
    SlotTexts texts = writeGame(game);
    game.remove("mods");
    game.start();
    game.typeOver(kPrimary4, "Nowhere");  // saved as typed, though it names no set
    texts[kPrimary4] = "Nowhere";
    game.view.reports.clear();

    game.presenter().applyPressed();
    EXPECT_FALSE(game.view.confirmationShown);
    ASSERT_EQ(game.view.reports.size(), 1u);
    EXPECT_EQ(game.view.reports[0].caption, "Gold Mod Setup");
    EXPECT_NE(game.view.reports[0].text.find("no \"mods\" folder"), std::string::npos) << game.view.reports[0].text;
    EXPECT_EQ(game.selections(),
              "Gold\r\nGold\r\nGold\r\nNowhere\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\nGold\r\n"
              "Gold\r\nGold\r\nGold\r\nGold\r\n0\r\n");
}

TEST(Play, OpensTheScriptOwnedByTheWindowAndClosesIt) {
    PresenterGame game;
    writeGame(game, "Desert");
    game.start();

    game.presenter().playPressed();
    EXPECT_EQ(game.host.opened, (std::vector<testing::MemoryHost::ShellOpen>{{"Desert.bat", game.view.handle}}));
    EXPECT_TRUE(game.view.closed);
    EXPECT_TRUE(game.view.reports.empty());
}

TEST(Play, AShellThatRefusesTheScriptIsReportedAndTheWindowStaysOpen) {
    PresenterGame game;
    writeGame(game, "Desert");
    game.start();
    game.host.shellRefusal = "No application is associated with the file.";

    game.presenter().playPressed();
    EXPECT_EQ(game.host.opened.size(), 1u);
    EXPECT_FALSE(game.view.closed);
    ASSERT_EQ(game.view.reports.size(), 1u);
    EXPECT_NE(game.view.reports[0].text.find("Desert.bat"), std::string::npos) << game.view.reports[0].text;
    EXPECT_NE(game.view.reports[0].text.find(game.host.shellRefusal), std::string::npos) << game.view.reports[0].text;
}

TEST(Play, RefusedForAnUnsafeModNameKeepsTheWindowOpen) {
    for (const std::string modName : {"", "..", "..\\..\\Windows", "x & del *.*"}) {
        SCOPED_TRACE(modName);
        PresenterGame game;
        game.writeModIni("Unsafe", modName);
        game.start();

        game.presenter().playPressed();
        EXPECT_FALSE(game.view.closed);
        EXPECT_TRUE(game.host.opened.empty());
        ASSERT_EQ(game.view.reports.size(), 1u);
        EXPECT_EQ(game.view.reports[0].caption, "Unsafe");
        EXPECT_NE(game.view.reports[0].text.find("\"" + game.configBase() + "\\mod.ini\""), std::string::npos)
            << game.view.reports[0].text;
    }
}

TEST(Close, ClosesTheWindowAndWritesNothing) {
    PresenterGame game;
    writeGame(game);
    game.start();
    game.typeOver(kPrimary1, "x");
    game.view.ticked = true;
    game.view.reports.clear();
    const auto before = game.files();

    game.presenter().closePressed();
    EXPECT_TRUE(game.view.closed);
    EXPECT_EQ(game.files(), before);
    EXPECT_TRUE(game.view.reports.empty());
    EXPECT_TRUE(game.host.opened.empty());
}

// Apply and Play write files and may wait (for a held file, for the shell):
// the wait cursor shows while they run, and is gone before what they show.
TEST(WaitCursor, ShowsWhileApplyAndPlayRunAndGoesBeforeWhatTheyShow) {
    PresenterGame game;
    writeGame(game);
    game.start();
    game.presenter().applyPressed();
    EXPECT_EQ(game.view.events, (std::vector<std::string>{"busy", "idle", "confirmation"}));
    game.view.events.clear();
    game.host.shellRefusal = "No program is associated with the document";
    game.presenter().playPressed();
    EXPECT_EQ(game.view.events, (std::vector<std::string>{"busy", "idle", "report"}));
}

}  // namespace
}  // namespace modsetup::front
