#pragma once
// The tooltip of a weapon slot's list and pictures: what the set its list
// names would install, beside what the mod has now, and how to hear its shot.

#include <optional>
#include <string>
#include <string_view>

#include "core/install/weapon_stats.h"

namespace modsetup::front {

struct WeaponTooltipFacts {
    std::string name;                      // the display name, as Apply would write it
    StatsValues values;                    // the set's nine statistics, as Apply would write them
    std::optional<StatsValues> installed;  // the mod's weapons.ini now; none when it has no such section
    bool hasShot = false;                  // the set's shot can be played
};

// The tooltip's lines, joined by LF, in the bytes the files hold (names and
// values shown as visibleText shows them). A statistic reads
// "Damage 150 (installed 120, +30)": the difference is given where both values
// are decimal numbers. shotKey names the key that plays the shot; keyHint,
// the last line, tells how to show the tooltip by keyboard.
std::string weaponTooltipText(const WeaponTooltipFacts& facts, std::string_view shotKey, std::string_view keyHint);

// The difference of two statistics as the tooltip writes it ("+30", "-0.5",
// "same"); empty unless both are decimal numbers ("-12", "0.25").
std::string statsDifference(std::string_view value, std::string_view installed);

}  // namespace modsetup::front
