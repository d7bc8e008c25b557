#include "core/weapon_names.h"

#include "core/mod_folder.h"
#include "core/weapon_sections.h"

namespace modsetup {

std::string weaponNamesPath(std::string_view modName) { return modPath(modName, "\\txt\\weaponnames.txt"); }

std::string weaponNameLine(std::string_view firstLine, std::string_view setName) {
    return std::string(firstLine == "0" ? setName : firstLine);
}

bool writeWeaponNames(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts) {
    const bool opened = output.openWrite(weaponNamesPath(strings.modName));
    for (const WeaponNameLine& entry : kWeaponNameLines) {
        if (entry.slot == kFixedWeapon) {
            output.writeLine(entry.constant);
            continue;
        }
        input.openRead(setFolderPath(strings.configBase, entry.slot, texts[entry.slot]) + std::string(kNameFile));
        const std::string firstLine = input.readLine();
        input.close();
        output.writeLine(weaponNameLine(firstLine, texts[entry.slot]));
    }
    return output.close() && opened;
}

}  // namespace modsetup
