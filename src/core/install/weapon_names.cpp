#include "core/install/weapon_names.h"

#include "core/game/weapon_sections.h"
#include "core/install/mod_folder.h"

namespace modsetup {

std::string weaponNamesPath(std::string_view modName) { return modPath(modName, "\\txt\\weaponnames.txt"); }

std::string weaponNameLine(std::string_view firstLine, std::string_view setName) {
    return std::string(firstLine == "0" ? setName : firstLine);
}

std::string readWeaponName(LineFile& input, std::string_view configBase, std::size_t slot, std::string_view text) {
    input.openRead(setFolderPath(configBase, slot, text) + std::string(kNameFile));
    const std::string firstLine = input.readLine();
    input.close();
    return weaponNameLine(firstLine, text);
}

Status writeWeaponNames(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts,
                        std::vector<std::string>& outsideSources) {
    output.openWrite(weaponNamesPath(strings.modName));
    for (const WeaponNameLine& entry : kWeaponNameLines) {
        if (entry.slot == kFixedWeapon) {
            output.writeLine(entry.constant);
            continue;
        }
        output.writeLine(readWeaponName(input, strings.configBase, entry.slot, texts[entry.slot]));
        if (input.readResult().failedWith(Cause::Outside))
            addOutsideSource(outsideSources,
                             setFolderPath(strings.configBase, entry.slot, texts[entry.slot]) + std::string(kNameFile));
    }
    return output.close();
}

}  // namespace modsetup
