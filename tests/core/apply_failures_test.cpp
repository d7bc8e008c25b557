// What Apply reports when it cannot do all it should: a folder or a held file
// in a target's place, files the host refuses, an unsafe mod name or program
// folder, each cause in its own words; held targets tried again within one
// deadline.
#include "apply_fixture.h"

namespace modsetup {
namespace {

using testing::fileBytes;
using testing::readFile;
using testing::writeFile;

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
