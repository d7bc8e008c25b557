#pragma once
// The layout of the two weapon files Apply writes with "Use Modified Weapons"
// ticked: the weapon names file (17 lines) and weapons.ini (20 sections).
// Line n of the names file names the weapon of section n of weapons.ini; the
// names file has no lines for sections 18 to 20.

#include <array>
#include <cstddef>
#include <string_view>

#include "core/game/slots.h"

namespace modsetup {

// Marks a line or section that the program writes itself, not from a set.
inline constexpr std::size_t kFixedWeapon = kSlotCount;

struct WeaponNameLine {
    std::size_t slot;           // the weapon slot whose name.txt gives the line, or kFixedWeapon
    std::string_view constant;  // the line when slot is kFixedWeapon
};

inline constexpr std::array<WeaponNameLine, 17> kWeaponNameLines{{
    {kSecondary1, ""},
    {kPrimary1, ""},
    {kPrimary2, ""},
    {kPrimary3, ""},
    {kPrimary4, ""},
    {kPrimary5, ""},
    {kPrimary6, ""},
    {kPrimary7, ""},
    {kPrimary8, ""},
    {kPrimary9, ""},
    {kPrimary10, ""},
    {kFixedWeapon, "Flamer"},
    {kFixedWeapon, "Rambo Bow"},
    {kFixedWeapon, "Flamed Arrows"},
    {kSecondary2, ""},
    {kSecondary3, ""},
    {kSecondary4, ""},
}};

inline constexpr std::size_t kStatsValueCount = 9;
using StatsKeys = std::array<std::string_view, kStatsValueCount>;

// Keys of a section filled from a set's stats.ini, one per line of that file.
inline constexpr StatsKeys kSetStatsKeys{
    "Damage=",      "FireInterval=", "Ammo=", "ReloadTime=",  "Speed=",
    "BulletStyle=", "StartUpTime=",  "Bink=", "MovementAcc=",
};
// Keys of the fixed sections. They spell bullet style with a small s, the set
// sections with a capital S; both are written letter for letter as here.
inline constexpr StatsKeys kFixedStatsKeys{
    "Damage=",      "FireInterval=", "Ammo=", "ReloadTime=",  "Speed=",
    "Bulletstyle=", "StartUpTime=",  "Bink=", "MovementAcc=",
};

struct WeaponSection {
    std::string_view header;
    std::size_t slot;  // the weapon slot whose stats.ini gives the values, or kFixedWeapon
    std::array<std::string_view, kStatsValueCount> fixedValues;  // for kFixedWeapon, in key order
};

// A section from a set ends with an empty line; a fixed one does not.
inline constexpr std::array<WeaponSection, 20> kWeaponSections{{
    {"[USSOCOM]", kSecondary1, {}},
    {"[Desert Eagles]", kPrimary1, {}},
    {"[HK MP5]", kPrimary2, {}},
    {"[Ak-74]", kPrimary3, {}},
    {"[Steyr AUG]", kPrimary4, {}},
    {"[Spas-12]", kPrimary5, {}},
    {"[Ruger 77]", kPrimary6, {}},
    {"[M79]", kPrimary7, {}},
    {"[Barret M82A1]", kPrimary8, {}},
    {"[FN Minimi]", kPrimary9, {}},
    {"[XM214 Minigun]", kPrimary10, {}},
    {"[Flamer]", kFixedWeapon, {"1200", "6", "200", "5", "105", "5", "0", "0", "1"}},
    {"[Rambo Bow]", kFixedWeapon, {"1200", "10", "1", "25", "210", "7", "0", "0", "1"}},
    {"[Flamed Arrows]", kFixedWeapon, {"800", "10", "1", "39", "180", "8", "0", "0", "1"}},
    {"[Combat Knife]", kSecondary2, {}},
    {"[Chainsaw]", kSecondary3, {}},
    {"[M72 LAW]", kSecondary4, {}},
    {"[Punch]", kFixedWeapon, {"33000", "6", "1", "3", "50", "6", "0", "0", "1"}},
    {"[Grenade]", kFixedWeapon, {"150000", "80", "1", "20", "50", "2", "0", "0", "1"}},
    {"[Stationary Gun]", kFixedWeapon, {"180", "10", "100", "366", "360", "14", "0", "0", "1"}},
}};

}  // namespace modsetup
