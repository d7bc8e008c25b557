#pragma once
// The copies that install the soldier pictures of the sets chosen for team
// Alpha and team Bravo into their team folders of the game mod folder.

#include <vector>

#include "core/install/mod_folder.h"
#include "core/library/config.h"

namespace modsetup {

// Team Alpha's 62 copies and team Bravo's for the chosen sets, in order.
std::vector<FileCopy> soldierGraphicsCopies(const ProcessStrings& strings, const SlotTexts& texts);

}  // namespace modsetup
