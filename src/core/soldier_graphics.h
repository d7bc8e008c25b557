#pragma once
// Installs the soldier pictures of the sets chosen for team Alpha and team
// Bravo into their team folders of the game mod folder.

#include <string>
#include <vector>

#include "core/config.h"
#include "core/platform/host.h"

namespace modsetup {

// Team Alpha's 62 copies, then team Bravo's, each whatever became of the
// earlier ones; the targets of failed copies of existing files are added to
// failedPaths.
void installSoldierGraphics(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                            std::vector<std::string>& failedPaths);

}  // namespace modsetup
