// The apply sequence as a whole: what it leaves in the game mod folder, its
// two branches on "Use Modified Weapons", and the failures it reports.
#include <gtest/gtest.h>

#include "apply_library.h"
#include "core/apply.h"
#include "core/forwarding_host.h"
#include "core/messages.h"

namespace modsetup {
namespace {

using testing::crlf;
using testing::fileBytes;
using testing::filesBelow;
using testing::GameFolder;
using testing::readFile;
using testing::soldierFiles;
using testing::writeFile;

// Notes every operation that changes the game folder or the selections
// file, with its path (the restore folder's own are not noted): a file put in
// its place is a program's own file written ("write", which reaches the disk
// first) or a set's file copied ("copy").
class RecordingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    std::vector<std::string> calls;

    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        note((durable ? "write " : "copy ") + to);
        return ForwardingHost::moveOver(from, to, durable);
    }
    Status createDirectory(const std::string& path) override {
        note("create " + path);
        return ForwardingHost::createDirectory(path);
    }
    Status deleteFile(const std::string& path) override {
        note("delete " + path);
        return ForwardingHost::deleteFile(path);
    }

private:
    void note(const std::string& call) {
        if (call.find(".restore\\") == std::string::npos && !call.ends_with(".restore")) calls.push_back(call);
    }
};

// Fails every copy into team Bravo's folder, as a locked target would.
class BravoCopyFails : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        if (to.find("\\gostek-gfx\\team2\\") != std::string::npos) return Cause::Failed;
        return ForwardingHost::moveOver(from, to, durable);
    }
};

const std::vector<std::string> kTreeFolders = {
    "interface-gfx",    "interface-gfx/guns", "weapons-gfx",           "sfx", "txt", "anims", "gostek-gfx",
    "gostek-gfx/ranny", "gostek-gfx/team2",   "gostek-gfx/team2/ranny"};

class ApplyTest : public ::testing::Test {
protected:
    std::unique_ptr<Host> system = makeSystemHost();
    GameFolder game;
    SlotTexts texts = game.addStandardSets();
    ProcessStrings strings{game.configBase(), "Desert Mod", "Desert"};

    ApplyOutcome apply(bool ticked, Host* host = nullptr) {
        Host& used = host ? *host : *system;
        return runApply(used, strings, texts, [ticked] { return ticked; });
    }
    std::filesystem::path mod() const { return game.modFolder("Desert"); }
    std::map<std::string, std::string> modFiles() const { return filesBelow(mod()); }
    std::string selections() const { return readFile(game.dir() / "modsetup.ini"); }
    std::string message(const ApplyOutcome& outcome) const { return applyFailureMessage(outcome, strings); }
};

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

TEST_F(ApplyTest, AFolderWhereAFileBelongsIsReportedAndEverythingElseInstalled) {
    std::filesystem::create_directories(mod() / "sfx/mp5-fire.wav/inside");
    const ApplyOutcome outcome = apply(true);
    EXPECT_EQ(outcome.failedPaths, std::vector<std::string>{"mods\\Desert\\sfx\\mp5-fire.wav"});
    EXPECT_FALSE(outcome.succeeded());

    auto expected = game.standardModFiles();
    expected.erase("sfx/mp5-fire.wav");
    EXPECT_EQ(modFiles(), expected);

    const std::string text = message(outcome);
    EXPECT_NE(text.find("1 file or folder of the game mod folder could not be written:\n"
                        "mods\\Desert\\sfx\\mp5-fire.wav\n"),
              std::string::npos)
        << text;
}

TEST_F(ApplyTest, CopiesTheHostFailsAreCountedAndTheMessageListsTheFirstFive) {
    BravoCopyFails host(*system);
    const ApplyOutcome outcome = apply(true, &host);
    ASSERT_EQ(outcome.failedPaths.size(), 62u);
    EXPECT_EQ(outcome.failedPaths.front(), "mods\\Desert\\gostek-gfx\\team2\\klata.bmp");
    EXPECT_EQ(outcome.failedPaths.back(), "mods\\Desert\\gostek-gfx\\team2\\lecistopa.bmp");
    EXPECT_TRUE(outcome.selectionsSaved);
    EXPECT_EQ(modFiles().size(), 139u + 62u + 2u);

    EXPECT_EQ(message(outcome),
              "62 files or folders of the game mod folder could not be written:\n"
              "mods\\Desert\\gostek-gfx\\team2\\klata.bmp\n"
              "mods\\Desert\\gostek-gfx\\team2\\klata2.bmp\n"
              "mods\\Desert\\gostek-gfx\\team2\\ramie.bmp\n"
              "mods\\Desert\\gostek-gfx\\team2\\ramie2.bmp\n"
              "mods\\Desert\\gostek-gfx\\team2\\reka.bmp\n"
              "and 57 more.\n"
              "Apply carried out all its other steps.");
}

TEST_F(ApplyTest, WeaponFilesThatCannotBeWrittenOrDeletedAreReported) {
    writeFile(mod() / "txt", "a file where the folder belongs");
    std::filesystem::create_directories(mod() / "weapons.ini/inside");
    ApplyOutcome outcome = apply(true);
    EXPECT_EQ(outcome.failedPaths, (std::vector<std::string>{"mods\\Desert\\txt", "mods\\Desert\\txt\\weaponnames.txt",
                                                             "mods\\Desert\\weapons.ini"}));
    EXPECT_EQ(modFiles().size(), 139u + 124u + 1u);

    outcome = apply(false);
    EXPECT_EQ(outcome.failedPaths, (std::vector<std::string>{"mods\\Desert\\txt", "mods\\Desert\\weapons.ini"}));
    EXPECT_TRUE(std::filesystem::is_directory(mod() / "weapons.ini"));
}

TEST_F(ApplyTest, ChoicesThatCannotBeSavedAreReported) {
    std::filesystem::create_directories(game.dir() / "modsetup.ini/inside");
    const ApplyOutcome outcome = apply(true);
    EXPECT_FALSE(outcome.selectionsSaved);
    EXPECT_TRUE(outcome.failedPaths.empty());
    EXPECT_EQ(message(outcome), "Your choices could not be saved in \"" + game.configBase() + ".ini\".");
}

TEST_F(ApplyTest, AnUnsafeModNameTouchesNothingBelowModsButSavesTheChoices) {
    const std::vector<std::string> names = {"",      ".",     "..",     "..\\..\\escape", "a/b",    "C:x",
                                            "star*", "what?", "say\"x", "<in>",           "pipe|x", "one&two",
                                            "up^",   "100%",  "tab\tx", "bell\x07",       "del\x7F"};
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        strings.modName = name;
        std::filesystem::remove(game.dir() / "modsetup.ini");
        RecordingHost host(*system);
        const ApplyOutcome outcome = apply(true, &host);
        EXPECT_TRUE(outcome.modNameUnsafe);
        EXPECT_FALSE(outcome.succeeded());
        EXPECT_TRUE(outcome.selectionsSaved);
        EXPECT_EQ(host.calls, std::vector<std::string>{"write " + game.configBase() + ".ini"});
        EXPECT_TRUE(std::filesystem::is_empty(game.dir() / "mods"));
        EXPECT_EQ(selections().substr(0, 6), "Gold\r\n");

        const std::string text = message(outcome);
        EXPECT_NE(text.find("\"" + game.configBase() + "\\mod.ini\""), std::string::npos) << text;
        if (name.find_first_of("\t\x07\x7F") == std::string::npos) {
            EXPECT_NE(text.find("The mod name \"" + name + "\""), std::string::npos) << text;
        }
    }
}

// Run from a folder whose path holds a backslash (see the load sequence), the
// selections file and every set would be at some other place: Apply touches
// nothing at all and says so.
TEST_F(ApplyTest, FromAFolderWhosePathHoldsABackslashNothingIsTouched) {
    strings.configBase = "/home/player/ga\\me/modsetup";
    RecordingHost host(*system);
    const ApplyOutcome outcome = apply(true, &host);
    EXPECT_TRUE(outcome.programFolderUnusable);
    EXPECT_FALSE(outcome.succeeded());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(std::filesystem::is_empty(game.dir() / "mods"));
    EXPECT_EQ(message(outcome), backslashFolderMessage("/home/player/ga\\me") + "\nApply installed and saved nothing.");
}

// Refuses to put the copy onto one target in its place, for a given cause, as
// the host would tell it; its clock only moves when it waits.
struct OneCopyFails : ForwardingHost {
    OneCopyFails(Host& inner, std::optional<Cause> refusal) : ForwardingHost(inner), refusal(refusal) {}
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        if (refusal && to.ends_with("\\mp5-fire.wav")) return *refusal;
        return ForwardingHost::moveOver(from, to, durable);
    }
    Clock::time_point now() override { return clock; }
    void sleepFor(std::chrono::milliseconds duration) override { clock += duration; }
    std::optional<Cause> refusal;
    Clock::time_point clock{};
};

// Each cause a report names in its own words: a file another program holds,
// a folder that refuses this user (said first, with what to do), a set file
// that is there but unreadable (a folder in its place); a file the set lacks
// is no failure.
TEST_F(ApplyTest, EachCauseOfAFailedCopyIsReportedInItsOwnWords) {
    const std::string listed =
        "1 file or folder of the game mod folder could not be written:\nmods\\Desert\\sfx\\mp5-fire.wav\n";
    const std::string done = "Apply carried out all its other steps.";
    const auto source = game.library() / "2/Gold/sfx/mp5-fire.wav";
    const std::string bytes = readFile(source);
    enum class Source { Kept, Missing, Folder };
    const std::tuple<Source, std::optional<Cause>, std::string> cases[] = {
        {Source::Missing, std::nullopt, ""},
        {Source::Kept, Cause::InUse,
         listed +
             "The file \"mods\\Desert\\sfx\\mp5-fire.wav\" is in use by another program. "
             "Close the game, then apply again.\n" +
             done},
        {Source::Kept, Cause::AccessDenied,
         "The game folder cannot be written, so run the program as administrator or "
         "install the game outside a protected folder.\n" +
             listed + done},
        {Source::Folder, std::nullopt,
         "1 file of the chosen sets could not be read, so the game mod folder keeps what it "
         "had there:\n" +
             game.configBase() + "\\2\\Gold\\sfx\\mp5-fire.wav\n" + done},
    };
    for (const auto& [state, refusal, expected] : cases) {
        std::filesystem::remove_all(source);
        if (state == Source::Kept) writeFile(source, bytes);
        if (state == Source::Folder) std::filesystem::create_directories(source);
        OneCopyFails host(*system, refusal);
        const ApplyOutcome outcome = apply(true, &host);
        EXPECT_EQ(outcome.succeeded(), expected.empty()) << expected;
        EXPECT_EQ(message(outcome), expected);
    }
}

// Holds the targets whose paths end in a given way, as a running game or a
// scan does, for a while of its clock, which only moves when Apply waits.
struct HoldingHost : ForwardingHost {
    HoldingHost(Host& inner, std::string ending, std::chrono::milliseconds held)
        : ForwardingHost(inner), ending(std::move(ending)), held(held) {}
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        if (to.ends_with(ending) && clock < Clock::time_point{} + held) return Cause::InUse;
        return ForwardingHost::moveOver(from, to, durable);
    }
    Clock::time_point now() override { return clock; }
    void sleepFor(std::chrono::milliseconds duration) override { clock += duration; }
    std::string ending;
    std::chrono::milliseconds held;
    Clock::time_point clock{};
};

// Targets another program holds are tried again once every other target is
// done, together, until one deadline of about three seconds for the whole
// Apply: a game that holds all of them costs that wait once, not once each.
TEST_F(ApplyTest, HeldTargetsAreTriedAgainTogetherWithinOneDeadline) {
    using std::chrono::milliseconds;
    const struct {
        const char* what;
        std::string ending;
        milliseconds held;
        std::size_t inUse;       // targets reported in use
        bool saved;              // the selections file
        milliseconds waitedMax;  // by Apply's clock
        std::size_t sounds;      // files in the mod's sfx folder afterwards
    } rows[] = {
        {"a running game holds every target", "", milliseconds(3'600'000), 263 + 2, false, milliseconds(3100), 0},
        {"a scan lets one go within a second", "\\mp5-fire.wav", milliseconds(900), 0, true, milliseconds(1000), 38},
        {"the selections file is held", "modsetup.ini", milliseconds(10'000), 0, false, milliseconds(3100), 38},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::filesystem::remove_all(mod());
        HoldingHost host(*system, row.ending, row.held);
        const ApplyOutcome outcome = apply(true, &host);
        EXPECT_EQ(outcome.inUsePaths.size(), row.inUse);
        EXPECT_EQ(outcome.failedPaths.size(), row.inUse);
        EXPECT_EQ(outcome.selectionsSaved, row.saved);
        EXPECT_LE(host.clock - Host::Clock::time_point{}, row.waitedMax);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mod() / "sfx"), {}), row.sounds)
            << "no temporary file stays, and what was let go is in place";
    }
}

TEST(ApplyFailureMessage, NamesEveryKindOfFailureInPlainSentences) {
    const ProcessStrings strings{"C:\\Games\\modsetup", "Title", "Desert"};
    ApplyOutcome outcome;
    outcome.selectionsSaved = true;
    EXPECT_EQ(applyFailureMessage(outcome, strings), "");

    outcome.failedPaths = {"mods\\Desert\\a", "mods\\Desert\\b", "mods\\Desert\\c", "mods\\Desert\\d",
                           "mods\\Desert\\e"};
    EXPECT_EQ(applyFailureMessage(outcome, strings),
              "5 files or folders of the game mod folder could not be written:\n"
              "mods\\Desert\\a\nmods\\Desert\\b\nmods\\Desert\\c\nmods\\Desert\\d\nmods\\Desert\\e\n"
              "Apply carried out all its other steps.");

    outcome.selectionsSaved = false;
    const std::string both = applyFailureMessage(outcome, strings);
    EXPECT_NE(both.find("mods\\Desert\\e\n"), std::string::npos);
    EXPECT_EQ(both.substr(both.find("steps.\n") + 7),
              "Your choices could not be saved in \"C:\\Games\\modsetup.ini\".");
    EXPECT_EQ(reportText(both), both);
}

}  // namespace
}  // namespace modsetup
