// The keys the presenter decides (keys.h), whichever control has the focus,
// and the drop-down's entry after a load, where the arrow keys move on from.
#include <gtest/gtest.h>

#include "presenter_game.h"
#include "wave_builder.h"

namespace modsetup::front {
namespace {

struct KeyRow {
    const char* name;
    WindowKey key;
    std::string_view focus;  // the focused control; "" for none
    char32_t character;
    bool taken;
    std::vector<std::string> clicked;
    std::size_t shots;
    std::size_t tooltipsShown;
};

TEST(Keys, ThePresenterDecidesWhatEachKeyDoes) {
    const KeyRow rows[] = {
        {"Return presses a focused button", WindowKey::Return, "Button2", 0, true, {"Button2"}, 0, 0},
        {"Return leaves the check box", WindowKey::Return, "CheckBox1", 0, false, {}, 0, 0},
        {"Return leaves a list", WindowKey::Return, "ComboBox3", 0, false, {}, 0, 0},
        {"an access key from a list", WindowKey::AccessKey, "ComboBox1", U'a', true, {"Button1"}, 0, 0},
        {"an access key with Shift", WindowKey::AccessKey, "ComboBox16", U'M', true, {"CheckBox1"}, 0, 0},
        {"an access key from a button", WindowKey::AccessKey, "Button2", U'p', true, {"Button4"}, 0, 0},
        {"an access key with no focus", WindowKey::AccessKey, "", U'c', true, {"Button3"}, 0, 0},
        {"a letter no control is marked with", WindowKey::AccessKey, "ComboBox1", U'x', false, {}, 0, 0},
        {"the shot key in a list", WindowKey::ShotKey, "ComboBox1", 0, true, {}, 1, 0},
        {"the shot key on a button", WindowKey::ShotKey, "Button1", 0, false, {}, 0, 0},
        {"the tooltip key in a weapon list", WindowKey::TooltipKey, "ComboBox1", 0, true, {}, 0, 1},
        {"the tooltip key in a team list", WindowKey::TooltipKey, "ComboBox15", 0, true, {}, 0, 0},
        {"the tooltip key on a button", WindowKey::TooltipKey, "Button1", 0, false, {}, 0, 0},
    };
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(row.name);
        PresenterGame game;
        game.writeSet(kPrimary1, "Gold");
        game.write("modsetup/1/Gold/sfx/deserteagle-fire.wav", testing::pcmWave("shot"));
        game.writeSelections({"Gold"}, "0");
        game.start();
        const std::size_t focus = row.focus.empty() ? kLayout.size() : layoutIndex(row.focus);
        EXPECT_EQ(game.presenter().keyPressed({row.key, focus, row.character}), row.taken);
        EXPECT_EQ(game.view.clicked, row.clicked);
        EXPECT_EQ(game.audio.played.size(), row.shots);
        ASSERT_EQ(game.view.tooltipsShown.size(), row.tooltipsShown);
        if (row.tooltipsShown != 0) {
            EXPECT_EQ(game.view.tooltipsShown[0].first, kPrimary1);
            EXPECT_EQ(game.view.tooltipsShown[0].second, utf8(game.presenter().listTooltip(kPrimary1)));
        }
        EXPECT_TRUE(game.view.reports.empty());
    }
}

// After start and Undo the drop-down marks the entry the list's text names.
TEST(Keys, ArrowKeysMoveOnFromTheSetALoadShows) {
    const struct {
        const char* saved;
        std::optional<std::string> marked;
    } rows[] = {{"Silver", "Silver"}, {"sILVER", "Silver"}, {"Nothing", std::nullopt}, {"", std::nullopt}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.saved);
        PresenterGame game;
        for (const char* set : {"Gold", "Silver", "Steel"}) game.writeSet(kSecondary2, set);
        game.writeSelections({"", "", "", "", "", "", "", "", "", "", "", row.saved}, "0");
        game.start();
        for (int load = 0; load < 2; ++load, game.presenter().undoPressed()) {
            const int marked = game.view.currentEntries[kSecondary2];
            if (!row.marked) EXPECT_EQ(marked, -1);
            else EXPECT_EQ(marked, game.entryIndex(kSecondary2, *row.marked));
            EXPECT_EQ(game.view.text(kSecondary2), row.saved);
            game.view.currentEntries[kSecondary2] = -1;
        }
    }
}

}  // namespace
}  // namespace modsetup::front
