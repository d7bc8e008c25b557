// The load sequence as the window shows it, at start-up and on Undo: the
// lists' texts and entries, the pictures, the check box, and one report for
// every preview that failed.
#include <gtest/gtest.h>

#include <array>

#include "presenter_game.h"

namespace modsetup::front {
namespace {

using Names = std::vector<std::string>;

// Every slot offers the sets Alpha (variant 0) and Bravo (variant 1).
void writeLibrary(PresenterGame& game) {
    game.writeModIni("Test Mod", "TestMod");
    game.writeSetsInEverySlot({"Alpha", "Bravo"});
}

const Names kAllAlpha(kSlotCount, "Alpha");

// Everything the load sequence sets, as the window shows it.
struct Shown {
    std::string title;
    std::array<std::string, kSlotCount> texts;
    std::array<std::string, kSlotCount> bytes;  // what Apply would install and save
    std::array<Names, kSlotCount> entries;
    std::array<std::optional<std::uint32_t>, kImageCount> markers;
    bool ticked;
    OuterSize size;
    bool operator==(const Shown&) const = default;
};

Shown whatIsShown(PresenterGame& game) {
    Shown shot{game.view.title, {}, {}, {}, {}, game.view.ticked, game.view.outerSizes.back()};
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        shot.texts[slot] = game.view.text(slot);
        shot.bytes[slot] = game.presenter().listBytes(slot);
        shot.entries[slot] = game.sortedEntries(slot);
    }
    for (int image = 1; image <= kImageCount; ++image)
        if (const auto& picture = game.view.picture(image)) shot.markers[image - 1] = testing::markerOf(*picture);
    return shot;
}

TEST(LoadSequence, FirstStartWithoutSelectionsShowsEmptyListsAndNoPictures) {
    PresenterGame game;
    writeLibrary(game);
    game.start();

    EXPECT_TRUE(game.view.reports.empty());
    EXPECT_FALSE(game.view.ticked);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        SCOPED_TRACE(kSlots[slot].list);
        EXPECT_EQ(game.view.text(slot), "");
        EXPECT_EQ(game.sortedEntries(slot), (Names{"Alpha", "Bravo"}));
    }
    EXPECT_EQ(game.view.pictureLoads, (std::array<int, kImageCount>{}));
}

TEST(LoadSequence, RestoresTheSavedChoicesAndTheirPictures) {
    PresenterGame game;
    writeLibrary(game);
    Names texts = kAllAlpha;
    texts[kPrimary7] = "Bravo";
    texts[kTeamBravo] = "Bravo";
    texts[kSecondary2] = "";  // passed over, no error
    game.writeSelections(texts, "1");
    game.start();

    EXPECT_TRUE(game.view.reports.empty());
    EXPECT_TRUE(game.view.ticked);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        SCOPED_TRACE(kSlots[slot].list);
        // The caret stands after the restored text, nothing selected.
        EXPECT_EQ(game.view.edits[slot], editWithCaretAtEnd(shown(texts[slot])));
        EXPECT_EQ(game.presenter().listBytes(slot), texts[slot]);
        const std::optional<unsigned> variant =
            texts[slot].empty() ? std::nullopt : std::optional<unsigned>(texts[slot] == "Bravo" ? 1 : 0);
        EXPECT_TRUE(game.slotShows(slot, variant));
    }
}

// Previews that fail to load: each failure is one line of one report, in
// slot order, with the mod's title as caption; the failing slot shows nothing
// from its failing picture on, every other slot loads, every list is filled.
struct ReportLine {
    std::string unopened;  // a file that could not be opened, its path after ConfigBase
    std::string whole;     // else the whole line
};

struct FailingLoadRow {
    const char* name;
    std::vector<std::pair<std::size_t, std::string>> texts;  // slots that name another set than Alpha
    std::vector<std::string> notBitmaps;                     // files in the library that are no bitmaps
    std::vector<ReportLine> report;
    std::vector<int> imagesNotShown;
};

const FailingLoadRow kFailingLoads[] = {
    {"a set deleted since it was saved", {{kPrimary3, "Deleted"}}, {}, {{"\\3\\Deleted\\3.bmp", ""}}, {3, 20, 21}},
    {"two missing sets",
     {{kPrimary5, "Gone"}, {kSecondary4, "Lost"}},
     {},
     {{"\\5\\Gone\\5.bmp", ""}, {"\\law\\Lost\\law.bmp", ""}},
     {5, 31, 32, 33, 14, 40}},
    {"a detail picture that is not a bitmap",
     {},
     {"knife/Alpha/weapons-gfx/knife.bmp"},
     {{"", "Bitmap image is not valid."}},
     {38}},
    {"all of them, in slot order",
     {{kPrimary5, "Gone"}, {kSecondary4, "Lost"}},
     {"knife/Alpha/weapons-gfx/knife.bmp"},
     {{"\\5\\Gone\\5.bmp", ""}, {"", "Bitmap image is not valid."}, {"\\law\\Lost\\law.bmp", ""}},
     {5, 31, 32, 33, 38, 14, 40}},
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    result.push_back(text.substr(start));
    return result;
}

TEST(LoadSequence, FailedPreviewsGiveOneReportAndTheRestLoads) {
    for (const FailingLoadRow& row : kFailingLoads) {
        SCOPED_TRACE(row.name);
        PresenterGame game;
        writeLibrary(game);
        Names texts = kAllAlpha;
        for (const auto& [slot, text] : row.texts) texts[slot] = text;
        for (const auto& file : row.notBitmaps) game.write("modsetup/" + std::string(file), "not a bitmap");
        game.writeSelections(texts, "0");
        game.start();

        ASSERT_EQ(game.view.reports.size(), 1u);
        EXPECT_EQ(game.view.reports[0].caption, "Test Mod");
        const auto reported = lines(game.view.reports[0].text);
        ASSERT_EQ(reported.size(), row.report.size()) << game.view.reports[0].text;
        for (std::size_t i = 0; i < reported.size(); ++i) {
            const std::string& line = reported[i];
            if (row.report[i].unopened.empty()) {
                EXPECT_EQ(line, row.report[i].whole);
                continue;
            }
            // The path, then the system's reason, and exactly one full stop at the end.
            const std::string start = "Cannot open file \"" + game.configBase() + row.report[i].unopened + "\". ";
            EXPECT_EQ(line.substr(0, start.size()), start) << line;
            EXPECT_GT(line.size(), start.size() + 1) << line;
            EXPECT_TRUE(line.ends_with('.') && !line.ends_with("..")) << line;
        }

        for (int image = 1; image <= kImageCount; ++image) {
            const bool failed =
                std::find(row.imagesNotShown.begin(), row.imagesNotShown.end(), image) != row.imagesNotShown.end();
            EXPECT_EQ(game.shownVariant(image), failed ? std::nullopt : std::optional<unsigned>(0)) << "Image" << image;
        }
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            EXPECT_EQ(game.view.text(slot), texts[slot]);
            EXPECT_EQ(game.sortedEntries(slot), (Names{"Alpha", "Bravo"}));
        }
    }
}

TEST(Undo, AfterChangesShowsWhatTheFilesSayButNeverUnticks) {
    PresenterGame game;
    writeLibrary(game);
    game.writeSelections(kAllAlpha, "0");
    game.start();
    const Shown loaded = whatIsShown(game);

    for (std::size_t slot = 0; slot < kSlotCount; ++slot) game.typeOver(slot, "B");
    game.view.ticked = true;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(game.view.text(slot), "Bravo");
        EXPECT_TRUE(game.slotShows(slot, 1)) << kSlots[slot].list;
    }

    game.presenter().undoPressed();
    Shown undone = whatIsShown(game);
    EXPECT_TRUE(undone.ticked);  // line 17 "0" never unticks the box
    undone.ticked = loaded.ticked;
    EXPECT_EQ(undone, loaded);
    EXPECT_TRUE(game.view.reports.empty());
}

TEST(Undo, AfterTheSelectionsFileWasDeletedEmptiesTheTextsAndKeepsThePictures) {
    PresenterGame game;
    writeLibrary(game);
    game.writeSelections(kAllAlpha, "1");
    game.start();
    const Shown loaded = whatIsShown(game);

    game.remove("modsetup.ini");
    game.presenter().undoPressed();
    const Shown undone = whatIsShown(game);
    EXPECT_EQ(undone.texts, decltype(undone.texts){});
    EXPECT_EQ(undone.bytes, decltype(undone.bytes){});
    EXPECT_EQ(undone.markers, loaded.markers);  // nothing is cleared
    EXPECT_EQ(undone.entries, loaded.entries);
    EXPECT_TRUE(undone.ticked);
    EXPECT_TRUE(game.view.reports.empty());
}

TEST(Undo, OffersASetAddedOnDisk) {
    PresenterGame game;
    writeLibrary(game);
    game.start();

    game.writeSet(kSecondary3, "Charlie", 2);
    EXPECT_EQ(game.sortedEntries(kSecondary3), (Names{"Alpha", "Bravo"}));
    game.presenter().undoPressed();
    EXPECT_EQ(game.sortedEntries(kSecondary3), (Names{"Alpha", "Bravo", "Charlie"}));
    game.typeOver(kSecondary3, "c");
    // The typed letter keeps its case, also in what is saved; the host finds
    // the set whatever the letter case.
    EXPECT_EQ(game.view.text(kSecondary3), "charlie");
    EXPECT_EQ(game.presenter().listBytes(kSecondary3), "charlie");
    // The arrow keys move on from the entry completed to.
    EXPECT_EQ(game.view.currentEntries[kSecondary3], game.entryIndex(kSecondary3, "Charlie"));
    EXPECT_TRUE(game.slotShows(kSecondary3, 2u));
    EXPECT_TRUE(game.view.reports.empty());
}

TEST(Undo, TwiceIsUndoOnce) {
    PresenterGame game;
    writeLibrary(game);
    Names texts = kAllAlpha;
    texts[kPrimary9] = "Missing";
    game.writeSelections(texts, "1");
    game.start();
    game.typeOver(kPrimary1, "B");

    game.presenter().undoPressed();
    const Shown once = whatIsShown(game);
    game.presenter().undoPressed();
    EXPECT_EQ(whatIsShown(game), once);
    ASSERT_EQ(game.view.reports.size(), 3u);  // start-up and each Undo report the missing set
    EXPECT_EQ(game.view.reports[2].text, game.view.reports[1].text);
    EXPECT_EQ(game.view.reports[1].text, game.view.reports[0].text);
}

TEST(LoadSequence, OnlyALine17OfExactlyOneTicksTheCheckBox) {
    const struct {
        const char* line17;
        bool ticks;
    } rows[] = {{"1", true}, {"1 ", false}, {" 1", false}, {"01", false}, {"yes", false}, {"", false}, {"0", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line17);
        PresenterGame game;
        game.writeSelections({}, row.line17);
        game.start();
        EXPECT_EQ(game.view.ticked, row.ticks);
    }
}

}  // namespace
}  // namespace modsetup::front
