// A pick from a list's drop-down selects the entry's whole text, so that a
// letter typed next starts a name of its own, whichever window shows it; the
// mouse wheel picks only in the list with the focus.
#include <gtest/gtest.h>

#include <tuple>

#include "presenter_game.h"

namespace modsetup::front {
namespace {

TEST(Pick, SelectsTheWholeTextForTheLetterTypedNext) {
    const std::pair<std::string, std::string> rows[] = {// typed after picking Gold -> the edit field
                                                        {"", "[Gold]"},
                                                        {"S", "S[ilver]"},
                                                        {"g", "g[old]"},
                                                        {"x", "x"},
                                                        {"\b", ""}};
    for (const auto& [keys, after] : rows) {
        PresenterGame game;
        for (const char* set : {"Gold", "Silver"}) game.writeSet(kPrimary1, set);
        game.start();
        game.pick(kPrimary1, "Gold");
        game.view.type(game.presenter(), kPrimary1, keys);
        EXPECT_EQ(state(game.view.edits[kPrimary1]), after) << keys;
    }
}

// Scrolling the window past a list must not change a choice behind the
// user's back: only the list with the focus takes the mouse wheel.
TEST(Pick, OnlyTheFocusedListTakesTheWheel) {
    PresenterGame game;
    game.start();
    const std::tuple<std::optional<std::size_t>, std::size_t, bool> rows[] = {
        // the list with the focus, the list under the wheel, whether it takes it
        {kPrimary3, kPrimary3, true},
        {kPrimary3, kPrimary4, false},
        {std::nullopt, kTeamBravo, false},
    };
    for (const auto& [focus, wheeled, takes] : rows) {
        game.view.focusedList = focus;
        EXPECT_EQ(game.presenter().listTakesWheel(wheeled), takes) << wheeled;
    }
}

}  // namespace
}  // namespace modsetup::front
