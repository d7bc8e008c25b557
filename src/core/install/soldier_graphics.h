#pragma once
// Installs the soldier pictures of the sets chosen for team Alpha and team
// Bravo into their team folders of the game mod folder.

#include <vector>

#include "core/install/mod_folder.h"
#include "core/io/host.h"
#include "core/library/config.h"

namespace modsetup {

// Team Alpha's 62 copies and team Bravo's for the chosen sets, in order.
std::vector<FileCopy> soldierGraphicsCopies(const ProcessStrings& strings, const SlotTexts& texts);

// Team Alpha's 62 copies, then team Bravo's, each whatever became of the
// earlier ones, noting each failure.
void installSoldierGraphics(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                            InstallFailures& failures);

}  // namespace modsetup
