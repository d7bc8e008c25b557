#pragma once
// The soldier file list: the 62 pictures Apply copies from a soldier set's
// "Gostek-gfx" folder into a team folder of the game mod folder, in the order
// of the copies. Each name is the same below the set's folder and below the
// team folder; fourteen lie in the sub-folder "ranny" (the wounded variants).

#include <array>
#include <cstddef>
#include <string_view>

#include "core/game/slots.h"

namespace modsetup {

// Where each team's set goes, below the game mod folder. Both teams choose
// from the one slot folder "gostek"; Bravo's pictures go to a folder of its own.
struct TeamFolder {
    SlotIndex slot;
    std::string_view target;
};
inline constexpr std::array<TeamFolder, 2> kTeamFolders{{
    {kTeamAlpha, "\\gostek-gfx"},
    {kTeamBravo, "\\gostek-gfx\\team2"},
}};

// A set keeps its soldier pictures in this sub-folder of its set folder; the
// host's letter-case matching finds it however it is written on disk.
inline constexpr std::string_view kSoldierSetFolder = "\\Gostek-gfx\\";

inline constexpr std::size_t kSoldierFileCount = 62;

inline constexpr std::array<std::string_view, kSoldierFileCount> kSoldierFiles{{
    "klata.bmp",        "klata2.bmp",        "ramie.bmp",        "ramie2.bmp",        "reka.bmp",
    "reka2.bmp",        "dlon.bmp",          "dlon2.bmp",        "kamizelka.bmp",     "kamizelka2.bmp",
    "ranny\\klata.bmp", "ranny\\klata2.bmp", "ranny\\ramie.bmp", "ranny\\ramie2.bmp", "ranny\\reka.bmp",
    "ranny\\reka2.bmp", "udo.bmp",           "udo2.bmp",         "noga.bmp",          "noga2.bmp",
    "biodro.bmp",       "biodro2.bmp",       "stopa.bmp",        "stopa2.bmp",        "ranny\\udo.bmp",
    "ranny\\udo2.bmp",  "ranny\\noga.bmp",   "ranny\\noga2.bmp", "ranny\\biodro.bmp", "ranny\\biodro2.bmp",
    "ranny\\morda.bmp", "ranny\\morda2.bmp", "badge.bmp",        "badge2.bmp",        "cygaro2.bmp",
    "cygaro.bmp",       "morda.bmp",         "morda2.bmp",       "hair4.bmp",         "hair42.bmp",
    "hair2.bmp",        "hair22.bmp",        "hair3.bmp",        "hair32.bmp",        "hair1.bmp",
    "hair12.bmp",       "kap.bmp",           "kap2.bmp",         "helm.bmp",          "helm2.bmp",
    "metal2.bmp",       "metal.bmp",         "lancuch.bmp",      "walkie.bmp",        "walkie2.bmp",
    "beer.bmp",         "beer2.bmp",         "zlotylancuch.bmp", "zloto.bmp",         "zloto2.bmp",
    "lecistopa2.bmp",   "lecistopa.bmp",
}};

}  // namespace modsetup
