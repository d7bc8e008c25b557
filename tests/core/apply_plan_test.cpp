// The plan of an Apply: what it finds each file of the game mod folder and
// the selections file will come to, writing nothing, and that Apply leaves
// what it planned (apply_test.cpp runs Apply itself through the plan).
#include "apply_fixture.h"

namespace modsetup {
namespace {

using testing::writeFile;

// Holds every target whose path ends in mp5-fire.wav, as a running game does.
struct HoldsOneSound : ForwardingHost {
    using ForwardingHost::ForwardingHost;
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        if (to.ends_with("\\mp5-fire.wav")) return Cause::InUse;
        return ForwardingHost::moveOver(from, to, durable);
    }
    Clock::time_point now() override { return clock; }
    void sleepFor(std::chrono::milliseconds duration) override { clock += duration; }
    Clock::time_point clock{};
};

TEST_F(ApplyTest, ThePlanNamesWhatEachFileWillComeToAndWritesNothing) {
    const std::string sound = "mods\\Desert\\sfx\\mp5-fire.wav";
    const std::string ini = "mods\\Desert\\weapons.ini";
    const std::string names = "mods\\Desert\\txt\\weaponnames.txt";
    const struct {
        const char* what;
        std::function<void()> before;  // after a ticked Apply of the standard sets
        bool ticked;
        std::array<std::size_t, 4> counts;  // added, replaced, removed, unchanged
        std::vector<std::pair<std::string, FileChange>> files;
    } rows[] = {
        {"an empty mod folder",
         [this] { std::filesystem::remove_all(mod()); },
         true,
         {265, 0, 0, 1},
         {{sound, FileChange::Added}, {names, FileChange::Added}}},
        {"the same choices again", [] {}, true, {0, 0, 0, 266}, {{sound, FileChange::Unchanged}}},
        {"another set in primary slot 2",
         [this] {
             game.addWeaponSet(1, "Sparse", "Sparse\r\n", "");
             texts[1] = "Sparse";
         },
         true,
         {0, 14, 0, 252},
         {{sound, FileChange::Replaced}, {names, FileChange::Replaced}}},
        {"the box unticked", [] {}, false, {0, 1, 1, 263}, {{ini, FileChange::Removed}}},
        {"a file edited by hand",
         [this] { writeFile(mod() / "sfx/mp5-fire.wav", "edited"); },
         true,
         {0, 1, 0, 265},
         {{sound, FileChange::Replaced}}},
        {"a file another program held through the last Apply",
         [this] {
             std::filesystem::remove_all(mod());
             HoldsOneSound holding(*system);
             EXPECT_EQ(apply(true, &holding).inUsePaths.size(), 1u);
         },
         true,
         {1, 0, 0, 265},
         {{sound, FileChange::Added}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        texts = game.addStandardSets();
        ASSERT_TRUE(apply(true).succeeded());
        row.before();
        const auto filesBefore = modFiles();
        const std::string selectionsBefore = selections();

        const ApplyPlan plan = planApply(*system, strings, texts, row.ticked);
        EXPECT_EQ(modFiles(), filesBefore);
        EXPECT_EQ(selections(), selectionsBefore);
        std::array<std::size_t, 4> counts{};
        for (const ApplyFile& file : plan.files) ++counts[static_cast<std::size_t>(file.change)];
        EXPECT_EQ(counts, row.counts);
        for (const auto& [target, change] : row.files) {
            const auto found = std::find_if(plan.files.begin(), plan.files.end(),
                                            [&](const ApplyFile& file) { return file.target == target; });
            ASSERT_NE(found, plan.files.end()) << target;
            EXPECT_EQ(found->change, change) << target;
        }
        EXPECT_EQ(plan.files.back().target, game.configBase() + ".ini");

        // Apply changes what the plan said, and then the plan finds nothing to change.
        if (row.counts[0] + row.counts[1] + row.counts[2] == 0) continue;
        EXPECT_TRUE(apply(row.ticked).succeeded());
        EXPECT_EQ(changedFileCount(planApply(*system, strings, texts, row.ticked)), 0u);
    }
}

TEST_F(ApplyTest, ThePlanGroupsCopiesBySlotAndTheProgramsOwnFilesApart) {
    const ApplyPlan plan = planApply(*system, strings, texts, true);
    std::array<std::size_t, kSlotCount + 1> perGroup{};
    for (const ApplyFile& file : plan.files) ++perGroup[file.group];
    EXPECT_EQ(perGroup[0], 12u);
    EXPECT_EQ(perGroup[1], 11u);
    EXPECT_EQ(perGroup[14], 62u);
    EXPECT_EQ(perGroup[15], 62u);
    EXPECT_EQ(perGroup[kOwnFiles], 3u);
}

}  // namespace
}  // namespace modsetup
