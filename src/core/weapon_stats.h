#pragma once
// The weapon statistics file, "mods\" + ModName + "\weapons.ini": an [Info]
// header and twenty weapon sections, fourteen filled with the nine values of
// the chosen weapon sets' stats.ini and six fixed.

#include <string>
#include <string_view>

#include "core/config.h"
#include "core/line_file.h"

namespace modsetup {

std::string weaponStatsPath(std::string_view modName);

// A weapon set's statistics file, after its set folder.
inline constexpr std::string_view kStatsFile = "\\stats.ini";

// Writes the file through output, opening each set's stats.ini in turn through
// input while output is open. True when the whole file was written.
bool writeWeaponStats(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts);

}  // namespace modsetup
