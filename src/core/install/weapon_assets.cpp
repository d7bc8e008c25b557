#include "core/install/weapon_assets.h"

#include "core/game/weapon_copies.h"

namespace modsetup {

std::vector<FileCopy> weaponAssetCopies(const ProcessStrings& strings, const SlotTexts& texts) {
    std::vector<FileCopy> copies;
    copies.reserve(kWeaponCopies.size());
    for (const WeaponCopy& copy : kWeaponCopies) {
        std::string source = setFolderPath(strings.configBase, copy.slot, texts[copy.slot]);
        source += copy.source;
        copies.push_back({std::move(source), modPath(strings.modName, copy.destination), copy.slot});
    }
    return copies;
}

}  // namespace modsetup
