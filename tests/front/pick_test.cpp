// A pick from a list's drop-down selects the entry's whole text, so that what
// the user types next starts a name of its own, in either window. And only
// the list with the focus takes the mouse wheel.
#include <gtest/gtest.h>

#include "presenter_game.h"

namespace modsetup::front {
namespace {

struct PickRow {
    const char* name;
    std::string keys;   // typed after picking Gold; \b is Backspace
    std::string shown;  // the edit field afterwards, the selected part in brackets
    int handlerRuns;    // the slot's handler, the pick's own run included
    unsigned shownSet;  // Image1 shows Gold (0), Silver (1) or Golden (2)
};

const PickRow kPicks[] = {
    {"the pick alone", "", "[Gold]", 1, 0},
    {"a letter completes from itself", "S", "S[ilver]", 2, 1},
    {"the picked entry's own letter keeps it", "g", "g[old]", 1, 0},
    {"a letter no entry begins with replaces the text", "x", "x", 2, 0},
    {"backspace clears the text", "\b", "", 2, 0},
};

TEST(Pick, SelectsTheWholeTextForWhatIsTypedNext) {
    for (const PickRow& row : kPicks) {
        SCOPED_TRACE(row.name);
        PresenterGame game;
        game.writeSet(kPrimary1, "Gold", 0);
        game.writeSet(kPrimary1, "Silver", 1);
        game.writeSet(kPrimary1, "Golden", 2);
        game.start();
        const int loadsBefore = game.view.pictureLoads[0];

        game.pick(kPrimary1, "Gold");
        game.view.type(game.presenter(), kPrimary1, row.keys);
        EXPECT_EQ(state(game.view.edits[kPrimary1]), row.shown);
        // Each run of the handler either shows Image1 or reports why not.
        const auto runs = game.view.pictureLoads[0] - loadsBefore + static_cast<int>(game.view.reports.size());
        EXPECT_EQ(runs, row.handlerRuns);
        EXPECT_EQ(game.shownVariant(1), row.shownSet);
    }
}

TEST(Pick, OnlyTheListWithTheFocusTakesTheWheel) {
    const struct {
        std::optional<std::size_t> focused;
        bool takes;
    } rows[] = {{std::nullopt, false}, {kPrimary2, false}, {kPrimary1, true}};
    for (const auto& row : rows) {
        PresenterGame game;
        game.start();
        game.view.focusedList = row.focused;
        EXPECT_EQ(game.presenter().listTakesWheel(kPrimary1), row.takes);
    }
}

}  // namespace
}  // namespace modsetup::front
