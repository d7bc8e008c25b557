#include "core/weapon_assets.h"

#include "core/mod_folder.h"
#include "core/weapon_copies.h"

namespace modsetup {

void installWeaponAssets(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                         InstallFailures& failures) {
    for (const WeaponCopy& copy : kWeaponCopies) {
        std::string source = setFolderPath(strings.configBase, copy.slot, texts[copy.slot]);
        source += copy.source;
        installCopy(host, source, modPath(strings.modName, copy.destination), failures);
    }
}

}  // namespace modsetup
