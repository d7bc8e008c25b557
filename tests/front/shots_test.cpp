// Hearing and comparing a set before choosing it: which sound a click on a
// picture or the shot key plays, and what a weapon slot's tooltip says.
#include <gtest/gtest.h>

#include <optional>

#include "core/library/weapon_shot.h"
#include "presenter_game.h"
#include "wave_builder.h"

namespace modsetup::front {
namespace {

using testing::pcmWave;

const std::string kShot = pcmWave("shot");
const std::string kOther = pcmWave("othr");

struct ShotRow {
    const char* name;
    std::size_t slot;
    std::vector<std::pair<std::string, std::string>> files;  // below the set library
    int image;                                               // clicked; 0: the shot key in the slot's list
    std::optional<std::string> played;
};

TEST(Shots, AClickOrTheKeyPlaysTheShotOfTheSetTheListNames) {
    const std::string tooLarge = pcmWave(std::string(kMaxSoundFileBytes, 'x'));
    const ShotRow rows[] = {
        {"-fire.wav after other sounds",
         kPrimary10,
         {{"0/Gold/sfx/minigun-end.wav", kOther}, {"0/Gold/sfx/minigun-fire.wav", kShot}},
         36,
         kShot},
        {"the shot key", kPrimary1, {{"1/Gold/sfx/deserteagle-fire.wav", kShot}}, 0, kShot},
        {"no -fire.wav: the first sound",
         kSecondary2,
         {{"knife/Gold/sfx/knife.wav", kShot}, {"knife/Gold/sfx/slash.wav", kOther}},
         38,
         kShot},
        {"a set without its shot", kPrimary3, {{"3/Gold/sfx/ak74-reload.wav", kOther}}, 0, std::nullopt},
        {"a shot that is no wave file",
         kPrimary4,
         {{"4/Gold/sfx/steyraug-fire.wav", "RIFF....WAVEjunk"}},
         4,
         std::nullopt},
        {"a shot past the size limit", kPrimary5, {{"5/Gold/sfx/spas12-fire.wav", tooLarge}}, 5, std::nullopt},
        {"a soldier slot", kTeamAlpha, {{"gostek/Gold/sfx/deserteagle-fire.wav", kShot}}, 23, std::nullopt},
    };
    for (const ShotRow& row : rows) {
        SCOPED_TRACE(row.name);
        PresenterGame game;
        game.writeModIni("Shots", "ShotMod");
        game.writeSet(row.slot, "Gold");
        for (const auto& [file, bytes] : row.files) game.write("modsetup/" + std::string(file), bytes);
        std::vector<std::string> texts(kSlotCount);
        texts[row.slot] = "Gold";
        game.writeSelections(texts, "0");
        game.start();

        if (row.image != 0) game.presenter().pictureClicked(row.image);
        else game.presenter().keyPressed({WindowKey::ShotKey, layoutIndex(ControlKind::List, int(row.slot) + 1)});
        EXPECT_EQ(game.audio.played, row.played ? std::vector<std::string>{*row.played} : std::vector<std::string>{});
        EXPECT_TRUE(game.view.reports.empty());
    }
}

struct TooltipRow {
    const char* name;
    std::string nameFile;
    std::string statsFile;
    std::optional<std::string> weaponsIni;  // the mod's, as it is now
    bool withShot;
    std::string tooltip;
};

// Each tooltip is the set's as the list names it at that moment; the soldier
// slots have none.
TEST(Tooltips, ShowTheSetsStatisticsBesideTheInstalledOnes) {
    const TooltipRow rows[] = {
        {"beside the installed values", "Gold Eagle\r\n", "150\r\n25\r\n7\r\n85\r\nfast\r\n1\r\n0\r\n0.5\r\n9\r\n",
         "[Info]\r\n[Desert Eagles]\r\nDamage=120\r\nFireInterval=25\r\nAmmo=9\r\nReloadTime=-5\r\nSpeed=19\r\n"
         "BulletStyle=1\r\nBink=2\r\nMovementAcc=7.25\r\n\r\n[HK MP5]\r\nStartUpTime=4\r\n",
         true,
         "Gold Eagle\nDamage 150 (installed 120, +30)\nFireInterval 25 (installed 25, same)\nAmmo 7 (installed 9, -2)\n"
         "ReloadTime 85 (installed -5, +90)\nSpeed fast (installed 19)\nBulletStyle 1 (installed 1, same)\n"
         "StartUpTime 0 (installed)\nBink 0.5 (installed 2, -1.5)\nMovementAcc 9 (installed 7.25, +1.75)\n"
         "Click a picture or press F5 in the list to hear its shot\nPress Ctrl+F1 in the list to show this"},
        {"no weapons.ini, a name of \"0\", values missing, no sound", "0\r\n", "150\n", std::nullopt, false,
         "Gold\nnot installed yet\nDamage 150\nFireInterval\nAmmo\nReloadTime\nSpeed\nBulletStyle\nStartUpTime\nBink\n"
         "MovementAcc\nno sound in this set\nPress Ctrl+F1 in the list to show this"},
    };
    for (const TooltipRow& row : rows) {
        SCOPED_TRACE(row.name);
        PresenterGame game;
        game.writeModIni("Tooltips", "TipMod");
        game.writeSet(kPrimary1, "Gold");
        game.write("modsetup/1/Gold/name.txt", row.nameFile);
        game.write("modsetup/1/Gold/stats.ini", row.statsFile);
        if (row.withShot) game.write("modsetup/1/Gold/sfx/deserteagle-fire.wav", kShot);
        if (row.weaponsIni) game.write("mods/TipMod/weapons.ini", *row.weaponsIni);
        game.writeSelections({"Gold"}, "0");
        game.start();

        EXPECT_EQ(utf8(game.presenter().listTooltip(kPrimary1)), row.tooltip);
        EXPECT_EQ(game.presenter().pictureTooltip(16), game.presenter().listTooltip(kPrimary1));
        game.typeOver(kPrimary1, "Nothing");
        EXPECT_EQ(game.presenter().listTooltip(kPrimary1).front(), U'\n') << "no set: no name";
        EXPECT_TRUE(game.presenter().listTooltip(kTeamBravo).empty() && game.presenter().pictureTooltip(24).empty());
    }
}

}  // namespace
}  // namespace modsetup::front
