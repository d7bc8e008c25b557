// Adding sets from an archive as the window carries it out: the menu's file
// dialog or a drop, the dialog's rows for the layouts packs use, the user's
// choices for a name already taken, and the lists offering what was added.
// What an archive may hold and how it is written is the core's and tested
// there.
#include <gtest/gtest.h>

#include "archive_builder.h"
#include "presenter_game.h"

namespace modsetup::front {
namespace {

using testing::ArchiveFormat;
using testing::ArchiveItem;

const std::string kArchive = "C:\\downloads\\pack.zip";

// A set's preview files below prefix, in its slot folder or not; a file
// written twice (two pictures show it) is one entry.
std::vector<ArchiveItem> setItems(std::string_view prefix, std::size_t slot, std::string_view name, bool inSlotFolder,
                                  unsigned variant = 0) {
    std::vector<ArchiveItem> items;
    testing::writePreviewSet(
        [&](const std::string& path, std::string bytes) {
            const std::string below = inSlotFolder ? path : path.substr(path.find('/') + 1);
            const std::string name = std::string(prefix) + below;
            const auto same = std::find_if(items.begin(), items.end(), [&](const auto& i) { return i.name == name; });
            if (same == items.end()) items.push_back({ArchiveItem::File, name, std::move(bytes)});
            else same->bytes = std::move(bytes);
        },
        slot, name, "weapons-gfx", variant);
    return items;
}

std::vector<ArchiveItem> operator+(std::vector<ArchiveItem> a, const std::vector<ArchiveItem>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Alpha in every slot, chosen everywhere; Bravo in primary slot 2, chosen there.
// The game on its set library, started, with the archive of items
// downloaded beside it (outside the game folder).
void startWithArchive(PresenterGame& game, ArchiveFormat format, const std::vector<ArchiveItem>& items) {
    game.writeModIni("Pack Mod", "PackMod");
    game.writeSetsInEverySlot({"Alpha"});
    game.writeSet(1, "Bravo", 1);
    std::vector<std::string> texts(kSlotCount, "Alpha");
    texts[1] = "Bravo";
    game.writeSelections(texts, "0");
    game.host.makeFolder("C:\\downloads");
    game.start();
    game.host.write(kArchive, testing::makeArchive(format, items));
}

// Each row as the list shows it: "set | slot | what to do", the defaults chosen.
std::vector<std::string> shownRows(const ImportDialog& dialog) {
    std::vector<std::string> rows;
    for (const ImportRow& row : dialog.rows) {
        const ImportPlace& place = row.places.front();
        rows.push_back(utf8(row.name) + " | " + utf8(place.slot) + " | " + utf8(place.actions[place.defaultAction]));
    }
    return rows;
}

ImportAnswer defaults(const ImportDialog& dialog) {
    std::vector<ImportChoice> choices;
    for (const ImportRow& row : dialog.rows) choices.push_back({0, row.places.front().defaultAction});
    return choices;
}

// The layouts packs use are shown set by set before anything is written; on
// Add the lists offer the new sets at once, their texts kept. An archive
// that fits no layout, or holds what no set may, is reported and adds nothing.
TEST(AddingSetsFromAnArchive, EachLayoutShowsItsSetsAndAddsThem) {
    const struct {
        const char* what;
        std::vector<ArchiveItem> items;
        std::vector<std::string> rows;  // empty: no dialog
        std::string report;             // empty: none
    } rows[] = {
        {"slot folders under a wrapper folder",
         setItems("pack/", 0, "Gold", true, 2) + setItems("pack/", 10, "Steel", true),
         {"Gold | Primary slot 1 | Add", "Steel | Secondary slot 1 | Add"},
         ""},
        {"a single set", setItems("", 0, "Gold", false, 2), {"Gold | Primary slot 1 | Add"}, ""},
        {"several sets",
         setItems("sets/", 0, "Gold", false, 2) + setItems("sets/", 10, "Steel", false),
         {"Gold | Primary slot 1 | Add", "Steel | Secondary slot 1 | Add"},
         ""},
        {"no layout",
         {{ArchiveItem::File, "readme.txt", "hello"}},
         {},
         "Nothing can be added from \"C:\\downloads\\pack.zip\":\n\"readme.txt\": a file no set uses\n"
         "it holds no set in any layout the program knows; at its top: \"readme.txt\""},
        {"a program beside a set",
         setItems("", 0, "Gold", false) + std::vector<ArchiveItem>{{ArchiveItem::File, "Gold/setup.exe", "MZ"}},
         {},
         "Nothing can be added from \"C:\\downloads\\pack.zip\":\n\"Gold/setup.exe\": a program or a script, which no "
         "set holds."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        PresenterGame game;
        startWithArchive(game, ArchiveFormat::ZipDeflated, row.items);
        const auto before = game.files();
        game.presenter().fileDropped(kArchive);
        EXPECT_EQ(game.view.progressShown, std::vector<std::string>{"Reading \"pack.zip\""});
        EXPECT_EQ(game.view.reports.empty() ? "" : game.view.reports[0].text, row.report);
        ASSERT_EQ(game.view.importDialogs.size(), row.rows.empty() ? 0u : 1u);
        EXPECT_EQ(game.files(), before);  // the dialog was cancelled, or never shown
        if (row.rows.empty()) continue;
        EXPECT_EQ(shownRows(game.view.importDialogs[0]), row.rows);

        game.view.importAnswer = defaults(game.view.importDialogs[0]);
        game.presenter().fileDropped(kArchive);
        EXPECT_TRUE(game.view.reports.empty());
        EXPECT_EQ(game.sortedEntries(0), (std::vector<std::string>{"Alpha", "Gold"}));
        if (row.rows.size() > 1) {
            EXPECT_EQ(game.sortedEntries(10), (std::vector<std::string>{"Alpha", "Steel"}));
        }
        EXPECT_EQ(game.view.text(0), "Alpha");
        EXPECT_EQ(game.view.text(1), "Bravo");
        game.pick(0, "Gold");
        EXPECT_TRUE(game.slotShows(0, 2));
    }
}

// The dialog carries what the check finds in a set, and where a set's place
// does not say its slot, the slots its files fit: the user's pick decides
// the slot folder it goes to. The menu's command asks for the archive first.
TEST(AddingSetsFromAnArchive, TheMenuAsksForTheArchiveAndTheUserPicksTheSlot) {
    PresenterGame game;
    startWithArchive(game, ArchiveFormat::ZipStored, {{ArchiveItem::File, "Named/name.txt", "Named One\r\n"}});
    game.view.fileAnswer = kArchive;
    game.view.menuChoice = WindowCommand::AddFromArchive;
    game.view.importAnswer = std::vector<ImportChoice>{{2, 0}};  // primary slot 3, Add
    game.presenter().backgroundRightClicked({0, 0});
    EXPECT_EQ(game.view.menusShown[0].back(), "Add sets from an archive\xE2\x80\xA6");
    EXPECT_EQ(game.view.fileQuestions, std::vector<std::string>{"open Add sets from an archive"});
    ASSERT_EQ(game.view.importDialogs.size(), 1u);
    const ImportRow& row = game.view.importDialogs[0].rows.at(0);
    EXPECT_EQ(row.places.size(), 14u);  // name.txt fits every weapon slot
    EXPECT_EQ(utf8(row.places[2].slot), "Primary slot 3");
    EXPECT_EQ(utf8(row.contents), "1 file, 11 bytes");
    EXPECT_EQ(utf8(row.places[2].findingsSummary), "2 errors, 2 warnings");
    // The place as the system writes paths: "3/Named/3.bmp" or "3\Named\3.bmp".
    EXPECT_EQ(utf8(row.places[2].findings).substr(0, 9),
              "error: 3" + std::string(1, static_cast<char>(fs::path::preferred_separator)));
    EXPECT_EQ(utf8(row.places[2].findings).substr(15, 14), "3.bmp: missing");
    EXPECT_EQ(game.view.progressShown,
              (std::vector<std::string>{"Reading \"pack.zip\"", "Adding the sets of \"pack.zip\""}));
    EXPECT_EQ(game.read("modsetup/3/Named/name.txt"), "Named One\r\n");
    EXPECT_EQ(game.sortedEntries(2), (std::vector<std::string>{"Alpha", "Named"}));
}

// A set whose name the slot folder holds already: Replace puts the old one
// in the trash and the list shows the new one's pictures; Keep both adds it
// under a free name (the default); Skip changes nothing.
TEST(AddingSetsFromAnArchive, ATakenNameIsReplacedKeptBesideOrSkipped) {
    const struct {
        std::size_t action;
        std::vector<std::string> entries;  // of primary slot 2 afterwards, sorted
        std::vector<std::string> trashed;
        unsigned shown;  // the variant primary slot 2 shows
    } rows[] = {
        {0, {"Alpha", "Bravo"}, {"Bravo"}, 3},
        {1, {"Alpha", "Bravo", "Bravo (2)"}, {}, 1},
        {2, {"Alpha", "Bravo"}, {}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        PresenterGame game;
        startWithArchive(game, ArchiveFormat::SevenZip, setItems("", 1, "Bravo", true, 3));
        game.view.importAnswer = std::vector<ImportChoice>{{0, row.action}};
        game.presenter().fileDropped(kArchive);
        ASSERT_EQ(game.view.importDialogs.size(), 1u);
        EXPECT_EQ(shownRows(game.view.importDialogs[0]),
                  std::vector<std::string>{"Bravo | Primary slot 2 | Keep both: add it as \"Bravo (2)\""});
        EXPECT_EQ(game.view.importDialogs[0].rows[0].places[0].actions.size(), 3u);
        EXPECT_TRUE(game.view.reports.empty());
        EXPECT_EQ(game.sortedEntries(1), row.entries);
        std::vector<std::string> trashed;
        for (const auto& item : game.host.trashed) trashed.push_back(item.name);
        EXPECT_EQ(trashed, row.trashed);
        EXPECT_EQ(game.view.text(1), "Bravo");
        EXPECT_TRUE(game.slotShows(1, row.shown));
    }
}

// Cancel while the archive is read, in the dialog or while the sets are
// written leaves the library and the lists as they were, and says nothing.
TEST(AddingSetsFromAnArchive, CancelAnywhereLeavesTheLibraryAsItWas) {
    const struct {
        const char* what;
        std::size_t cancelFrom;  // the progress window whose Cancel is pressed
        bool dialogAnswers;
        std::size_t dialogs;
    } rows[] = {{"reading", 0, true, 0}, {"dialog", SIZE_MAX, false, 1}, {"writing", 1, true, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        PresenterGame game;
        startWithArchive(game, ArchiveFormat::ZipDeflated, setItems("", 0, "Gold", true));
        const auto before = game.files();
        game.view.cancelFrom = row.cancelFrom;
        if (row.dialogAnswers) game.view.importAnswer = std::vector<ImportChoice>{{0, 0}};
        game.presenter().fileDropped(kArchive);
        EXPECT_EQ(game.view.importDialogs.size(), row.dialogs);
        EXPECT_TRUE(game.view.reports.empty());
        EXPECT_EQ(game.files(), before);
        EXPECT_EQ(game.sortedEntries(0), std::vector<std::string>{"Alpha"});
    }
}

}  // namespace
}  // namespace modsetup::front
