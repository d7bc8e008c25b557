#pragma once
// The copies that install the files of the sets chosen in the fourteen weapon
// slots into the game mod folder, following the weapon installation table.

#include <vector>

#include "core/install/mod_folder.h"
#include "core/library/config.h"

namespace modsetup {

// The copies of the table for the chosen sets, in order.
std::vector<FileCopy> weaponAssetCopies(const ProcessStrings& strings, const SlotTexts& texts);

}  // namespace modsetup
