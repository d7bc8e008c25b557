// The apply sequence as a whole: what it leaves in the game mod folder, its
// two branches on "Use Modified Weapons" (apply_failures_test.cpp: the
// failures it reports).
#include <gtest/gtest.h>

#include "apply_fixture.h"

namespace modsetup {
namespace {

using testing::crlf;
using testing::fileBytes;
using testing::filesBelow;
using testing::GameFolder;
using testing::readFile;
using testing::soldierFiles;
using testing::writeFile;

TEST_F(ApplyTest, TickedApplyInstallsEveryChosenFileAndWritesBothWeaponFiles) {
    const ApplyOutcome outcome = apply(true);
    EXPECT_TRUE(outcome.succeeded());
    EXPECT_EQ(message(outcome), "");

    // 139 weapon copies and 124 soldier copies, no two onto one target, and the two weapon files.
    const auto files = modFiles();
    EXPECT_EQ(files.size(), 139u + 124u + 2u);
    EXPECT_EQ(files, game.standardModFiles());
    EXPECT_EQ(files.at("weapons-gfx/mp5-fire.bmp"), fileBytes("2", "Gold", "weapons-gfx/fire2.bmp"));
    EXPECT_EQ(files.at("anims/bije.poa"), fileBytes("knife", "Gold", "bije.poa"));
    EXPECT_EQ(files.at("weapons.ini"), testing::standardWeaponsIni());
    EXPECT_EQ(files.at("txt/weaponnames.txt"), testing::standardWeaponNames());
    for (const auto& folder : kTreeFolders) EXPECT_TRUE(std::filesystem::is_directory(mod() / folder)) << folder;

    EXPECT_EQ(selections(), crlf("Gold\nGold\nGold\nGold\nGold\nGold\nGold\nGold\nGold\nGold\n"
                                 "Gold\nGold\nGold\nGold\nRed Squad\nBlue Squad\n1\n"));

    // A second run with the same choices leaves the same files and still succeeds.
    EXPECT_TRUE(apply(true).succeeded());
    EXPECT_EQ(modFiles(), game.standardModFiles());
}

TEST_F(ApplyTest, StepsRunInOrderAndTheTreeIsMadeOneLevelAtATime) {
    RecordingHost host(*system);
    apply(true, &host);
    const std::vector<std::string> firstCalls(host.calls.begin(), host.calls.begin() + 13);
    EXPECT_EQ(firstCalls, (std::vector<std::string>{
                              "create mods\\Desert\\",
                              "create mods\\Desert\\interface-gfx",
                              "create mods\\Desert\\interface-gfx\\guns",
                              "create mods\\Desert\\weapons-gfx",
                              "create mods\\Desert\\sfx",
                              "create mods\\Desert\\txt",
                              "create mods\\Desert\\anims",
                              "create mods\\Desert\\gostek-gfx",
                              "create mods\\Desert\\gostek-gfx\\ranny",
                              "create mods\\Desert\\gostek-gfx\\team2",
                              "create mods\\Desert\\gostek-gfx\\team2\\ranny",
                              "write mods\\Desert\\txt\\weaponnames.txt",
                              "write mods\\Desert\\weapons.ini",
                          }));
    ASSERT_EQ(host.calls.size(), 13u + 139u + 124u + 1u);
    EXPECT_EQ(host.calls[13], "copy mods\\Desert\\interface-gfx\\guns\\1.bmp");
    EXPECT_EQ(host.calls[13 + 138], "copy mods\\Desert\\sfx\\law-end.wav");
    EXPECT_EQ(host.calls[13 + 139], "copy mods\\Desert\\gostek-gfx\\klata.bmp");
    EXPECT_EQ(host.calls[13 + 139 + 62], "copy mods\\Desert\\gostek-gfx\\team2\\klata.bmp");
    EXPECT_EQ(host.calls.back(), "write " + game.configBase() + ".ini");
}

TEST_F(ApplyTest, UntickedApplyDeletesWeaponsIniKeepsTheNamesFileAndStillMakesTheTree) {
    writeFile(mod() / "weapons.ini", "earlier statistics");
    writeFile(mod() / "txt/weaponnames.txt", "earlier names");
    RecordingHost host(*system);
    const ApplyOutcome outcome = apply(false, &host);
    EXPECT_TRUE(outcome.succeeded());

    EXPECT_FALSE(std::filesystem::exists(mod() / "weapons.ini"));
    EXPECT_EQ(readFile(mod() / "txt/weaponnames.txt"), "earlier names");
    for (const auto& folder : kTreeFolders) EXPECT_TRUE(std::filesystem::is_directory(mod() / folder)) << folder;
    EXPECT_EQ(host.calls[11], "delete mods\\Desert\\weapons.ini");

    auto expected = game.standardModFiles();
    expected.erase("weapons.ini");
    expected["txt/weaponnames.txt"] = "earlier names";
    EXPECT_EQ(modFiles(), expected);
    EXPECT_EQ(selections().substr(selections().size() - 3), "0\r\n");

    // Without a weapons.ini to delete there is nothing to report either.
    EXPECT_TRUE(apply(false).succeeded());
}

TEST_F(ApplyTest, SetsLackingFilesLeaveEarlierTargetsAndAreNoFailure) {
    ASSERT_TRUE(apply(true).succeeded());

    game.addWeaponSet(1, "Sparse", "Sparse\r\n", "");
    std::filesystem::remove(game.library() / "2/Sparse/weapons-gfx/fire2.bmp");
    std::filesystem::remove(game.library() / "2/Sparse/sfx/mp5-reload.wav");
    game.addSoldierSet("No Wounded");
    std::filesystem::remove_all(game.library() / "gostek/No Wounded/Gostek-gfx/ranny");
    texts[1] = "Sparse";
    texts[15] = "No Wounded";

    const ApplyOutcome outcome = apply(true);
    EXPECT_TRUE(outcome.succeeded()) << message(outcome);
    const auto files = modFiles();
    EXPECT_EQ(files.at("weapons-gfx/mp5.bmp"), fileBytes("2", "Sparse", "weapons-gfx/mp5.bmp"));
    EXPECT_EQ(files.at("weapons-gfx/fire2.bmp"), fileBytes("2", "Gold", "weapons-gfx/fire2.bmp"));
    EXPECT_EQ(files.at("weapons-gfx/mp5-fire.bmp"), fileBytes("2", "Gold", "weapons-gfx/fire2.bmp"));
    EXPECT_EQ(files.at("sfx/mp5-reload.wav"), fileBytes("2", "Gold", "sfx/mp5-reload.wav"));
    EXPECT_EQ(files.at("gostek-gfx/team2/klata.bmp"), fileBytes("gostek", "No Wounded", "klata.bmp"));
    EXPECT_EQ(files.at("gostek-gfx/team2/ranny/klata.bmp"), fileBytes("gostek", "Blue Squad", "ranny/klata.bmp"));
    EXPECT_EQ(files.size(), game.standardModFiles().size());
}

TEST_F(ApplyTest, EmptyAndUnknownListTextsInstallNothingForTheirSlotAndOnlyUnknownOnesAreReported) {
    texts[0] = "";
    texts[2] = "Nowhere";
    texts[14] = "";
    texts[15] = "Nowhere";
    const ApplyOutcome outcome = apply(true);
    EXPECT_FALSE(outcome.succeeded()) << message(outcome);  // the unknown ones are told (see below)

    const auto files = modFiles();
    EXPECT_EQ(files.count("interface-gfx/guns/1.bmp"), 0u);
    EXPECT_EQ(files.count("weapons-gfx/ak74.bmp"), 0u);
    EXPECT_EQ(files.count("gostek-gfx/klata.bmp"), 0u);
    EXPECT_EQ(files.count("gostek-gfx/team2/klata.bmp"), 0u);
    EXPECT_EQ(files.size(), 139u - 12u - 10u + 2u);
    EXPECT_EQ(files.at("interface-gfx/guns/2.bmp"), fileBytes("2", "Gold", "2.bmp"));

    const std::string names = files.at("txt/weaponnames.txt");
    EXPECT_EQ(names.substr(0, 40), "Gold socom\r\n\r\nGold 2\r\n\r\nGold 4\r\nGold 5\r\n");
    const std::string& stats = files.at("weapons.ini");
    EXPECT_NE(stats.find("[Desert Eagles]\r\nDamage=\r\nFireInterval=\r\nAmmo=\r\n"), std::string::npos);
    EXPECT_NE(stats.find("[Ak-74]\r\nDamage=\r\n"), std::string::npos);
    EXPECT_EQ(selections().substr(0, 17), "\r\nGold\r\nNowhere\r\n");
}

// Texts that name no set: the slot installs nothing and Apply does not
// confirm, but reports each with the text it looked for; every other slot is
// installed. An empty text is no choice and says nothing.
TEST_F(ApplyTest, AListNamingNoSetStopsTheConfirmationAndIsReportedWithItsText) {
    testing::writeFile(game.library() / "4/Plain", "a file, not a set folder");
    const std::pair<std::size_t, std::string> rows[] = {
        {kPrimary1, std::string("\xFF\xFEG\0o\0l\0d\0", 10)},  // a selections file saved as UTF-16
        {kPrimary2, "GoldGoldGold"},                           // one with CR-only line ends, read as one line
        {kPrimary4, "Plain"},                                  // a file where the set folder belongs
        {kPrimary5, "GOLD"},                                   // another letter case: found
        {kTeamAlpha, ""},                                      // no choice: nothing to say
    };
    for (const auto& [slot, text] : rows) texts[slot] = text;
    const ApplyOutcome outcome = apply(true);
    EXPECT_FALSE(outcome.succeeded());
    EXPECT_EQ(modFiles().at("interface-gfx/guns/5.bmp"), fileBytes("5", "Gold", "5.bmp"));
    EXPECT_EQ(modFiles().at("gostek-gfx/team2/klata.bmp"), fileBytes("gostek", "Blue Squad", "klata.bmp"));
    EXPECT_EQ(message(outcome),
              "3 lists name a set that is not in the slot folder, so nothing was installed for them:\n"
              "primary slot 1: \"\xFF\xFEG\\x00o\\x00l\\x00d\\x00\", looked for in \"" +
                  game.configBase() +
                  "\\1\"\n"
                  "primary slot 2: \"GoldGoldGold\", looked for in \"" +
                  game.configBase() +
                  "\\2\"\n"
                  "primary slot 4: \"Plain\", looked for in \"" +
                  game.configBase() +
                  "\\4\"\n"
                  "Apply carried out all its other steps.");
}

// A killed Apply (or save) leaves temporary files beside its targets; the
// next Apply removes those of its own targets, in any letter case, and
// nothing else.
TEST_F(ApplyTest, LeftoversOfAKilledWriteBesideItsTargetsAreRemoved) {
    const std::pair<const char*, bool> rows[] = {
        // a file below the game folder, whether it goes
        {"mods/Desert/sfx/minigun-start.wav.~6377", true},
        {"mods/Desert/weapons.ini.~12-3", true},
        {"mods/Desert/gostek-gfx/team2/ranny/KLATA.bmp.~9", true},
        {"modsetup.ini.~55", true},
        {"mods/Desert/weapons.ini.~", false},
        {"mods/Desert/weapons.ini.~12a", false},
        {"mods/Desert/weapons.ini.~12-", false},
        {"mods/Desert/sfx/readme.txt.~123", false},  // not Apply's
        {"mods/Desert/sfx/minigun-fire.wav.~1/inside", false},
        {"other.ini.~55", false},
    };
    for (const auto& [name, removed] : rows) writeFile(game.dir() / name, "left");

    ASSERT_TRUE(apply(true).succeeded());
    for (const auto& [name, removed] : rows) EXPECT_NE(std::filesystem::exists(game.dir() / name), removed) << name;
}

TEST_F(ApplyTest, OneSetCanServeBothTeams) {
    texts[15] = "Red Squad";
    ASSERT_TRUE(apply(true).succeeded());
    const auto files = modFiles();
    for (const auto& file : soldierFiles()) {
        EXPECT_EQ(files.at("gostek-gfx/" + file), fileBytes("gostek", "Red Squad", file));
        EXPECT_EQ(files.at("gostek-gfx/team2/" + file), fileBytes("gostek", "Red Squad", file));
    }
}

TEST_F(ApplyTest, SoldierFolderIsFoundInAnyLetterCase) {
    for (const std::string folder : {"gostek-gfx", "GOSTEK-GFX", "gOsTeK-gFx"}) {
        SCOPED_TRACE(folder);
        game.addSoldierSet("Set " + folder, folder);
        texts[14] = "Set " + folder;
        ASSERT_TRUE(apply(true).succeeded());
        const auto files = modFiles();
        for (const auto& file : soldierFiles())
            EXPECT_EQ(files.at("gostek-gfx/" + file), fileBytes("gostek", texts[14], file)) << file;
    }
}

TEST_F(ApplyTest, WithoutModsFolderNothingIsInstalledButTheChoicesAreSaved) {
    std::filesystem::remove_all(game.dir() / "mods");
    const ApplyOutcome outcome = apply(true);
    EXPECT_TRUE(outcome.modsFolderMissing);
    EXPECT_TRUE(outcome.selectionsSaved);
    EXPECT_FALSE(outcome.succeeded());
    EXPECT_FALSE(std::filesystem::exists(game.dir() / "mods"));
    EXPECT_EQ(selections().substr(0, 6), "Gold\r\n");

    const std::string text = message(outcome);
    EXPECT_NE(text.find("The working directory has no \"mods\" folder"), std::string::npos) << text;
    EXPECT_NE(text.find("not started from the game's folder"), std::string::npos) << text;
    EXPECT_EQ(text.find("mods\\Desert"), std::string::npos) << text;
    EXPECT_EQ(reportText(text), text);
}

}  // namespace
}  // namespace modsetup
