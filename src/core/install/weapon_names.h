#pragma once
// The weapon names file, "mods\" + ModName + "\txt\weaponnames.txt": the
// display names of seventeen weapons, fourteen taken from the chosen weapon
// sets' name.txt and three constant.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/line_file.h"
#include "core/library/config.h"

namespace modsetup {

std::string weaponNamesPath(std::string_view modName);

// A weapon set's name file, after its set folder.
inline constexpr std::string_view kNameFile = "\\name.txt";

// The line a weapon set gives: the first line of its name.txt, or the set's
// name (the slot list's text) when that line is exactly "0".
std::string weaponNameLine(std::string_view firstLine, std::string_view setName);

// The line the set a weapon slot's list names gives, read through input.
std::string readWeaponName(LineFile& input, std::string_view configBase, std::size_t slot, std::string_view text);

// The file's bytes, reading each set's name.txt in turn through input; a
// name.txt that leads outside the set library is added to outsideSources
// (once) and read as missing. None when a line would hold a line break (a set
// name given as its own weapon name): it cannot be written as one line.
std::optional<std::string> weaponNamesText(LineFile& input, const ProcessStrings& strings, const SlotTexts& texts,
                                           std::vector<std::string>& outsideSources);

// Writes weaponNamesText's bytes through output (writeLineFile). Done when the
// whole file was written.
Status writeWeaponNames(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts,
                        std::vector<std::string>& outsideSources);

}  // namespace modsetup
