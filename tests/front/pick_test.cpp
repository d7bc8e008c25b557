// A pick from a list's drop-down selects the entry's whole text, so that a
// letter typed next starts a name of its own, whichever window shows it.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace modsetup::front
