// What the presenter has a screen reader told beyond what the controls say
// of themselves: a pick on a list that keeps the focus announces the set,
// then its statistics, once.
#include <gtest/gtest.h>

#include <functional>

#include "presenter_game.h"

namespace modsetup::front {
namespace {

TEST(Announcements, APickOnTheClosedListTellsTheSetThenItsStatistics) {
    const struct {
        const char* name;
        std::function<void(PresenterGame&)> act;
        std::vector<std::string> announcements;  // as FakeView records them
    } rows[] = {
        {"Down on the closed list",
         [](auto& game) { game.pick(kPrimary2, "Silver", PickedFrom::ClosedList); },
         {"1: Silver | Silver MP5\nnot installed yet\nDamage 75\nFireInterval 7\nAmmo 32\nReloadTime 97\nSpeed 19\n"
          "BulletStyle 1\nStartUpTime 0\nBink 0\nMovementAcc 6\nno sound in this set\n"
          "Press Ctrl+F1 in the list to show this"}},
        {"a team list: no statistics",
         [](auto& game) { game.pick(kTeamBravo, "Bravo", PickedFrom::ClosedList); },
         {"15: Bravo | "}},
        {"from the drop-down: the list taking the focus back tells it",
         [](auto& game) { game.pick(kPrimary2, "Silver", PickedFrom::DropDown); },
         {}},
        {"typing: the edit field tells it", [](auto& game) { game.typeOver(kPrimary2, "s"); }, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PresenterGame game;
        for (const char* set : {"Gold", "Silver"}) game.writeSet(kPrimary2, set);
        game.write("modsetup/2/Silver/name.txt", "Silver MP5\r\n");
        game.write("modsetup/2/Silver/stats.ini", "75\r\n7\r\n32\r\n97\r\n19\r\n1\r\n0\r\n0\r\n6\r\n");
        for (const char* set : {"Alpha", "Bravo"}) game.writeSet(kTeamBravo, set);
        game.writeSelections({"", "Gold"}, "0");
        game.start();
        row.act(game);
        EXPECT_EQ(game.view.announcements, row.announcements);
    }
}

}  // namespace
}  // namespace modsetup::front
