#pragma once
// The weapon statistics file, "mods\" + ModName + "\weapons.ini": an [Info]
// header and twenty weapon sections, fourteen filled with the nine values of
// the chosen weapon sets' stats.ini and six fixed.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/weapon_sections.h"
#include "core/io/line_file.h"
#include "core/library/config.h"

namespace modsetup {

std::string weaponStatsPath(std::string_view modName);

// A weapon set's statistics file, after its set folder.
inline constexpr std::string_view kStatsFile = "\\stats.ini";

// The file's bytes, reading each set's stats.ini in turn through input; a
// stats.ini that leads outside the set library is added to outsideSources
// (once) and read as missing. No line holds a line break: the values are
// lines read, and the mod name is one Apply accepts.
std::string weaponStatsText(LineFile& input, const ProcessStrings& strings, const SlotTexts& texts,
                            std::vector<std::string>& outsideSources);

// Writes weaponStatsText's bytes through output (writeLineFile). Done when the
// whole file was written.
Status writeWeaponStats(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts,
                        std::vector<std::string>& outsideSources);

// The nine values of a weapon section, in key order.
using StatsValues = std::array<std::string, kStatsValueCount>;

// The values a weapon slot's section gets from the set its list names, as
// Apply writes them: the first nine lines of its stats.ini, empty where the
// file or a line is missing.
StatsValues readSetStats(LineFile& input, std::string_view configBase, std::size_t slot, std::string_view text);

// The values of a weapon slot's section in the mod's weapons.ini as it is
// now: what follows each key of a set section (as Apply writes them) on its
// first line in the section, empty where a key is missing. None when there is
// no such file or no such section, or the mod name is one Apply refuses.
std::optional<StatsValues> readInstalledStats(LineFile& input, std::string_view modName, std::size_t slot);

}  // namespace modsetup
