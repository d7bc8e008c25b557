#pragma once
// Installs the files of the sets chosen in the fourteen weapon slots into the
// game mod folder, following the weapon installation table.

#include <string>
#include <vector>

#include "core/config.h"
#include "core/platform/host.h"

namespace modsetup {

// Makes every copy of the table in order, whatever became of the earlier ones;
// the targets of failed copies of existing files are added to failedPaths.
void installWeaponAssets(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                         std::vector<std::string>& failedPaths);

}  // namespace modsetup
