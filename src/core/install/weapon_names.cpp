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

std::optional<std::string> weaponNamesText(LineFile& input, const ProcessStrings& strings, const SlotTexts& texts,
                                           std::vector<std::string>& outsideSources) {
    std::string bytes;
    bool fits = true;
    for (const WeaponNameLine& entry : kWeaponNameLines) {
        const std::string line = entry.slot == kFixedWeapon
                                     ? std::string(entry.constant)
                                     : readWeaponName(input, strings.configBase, entry.slot, texts[entry.slot]);
        if (entry.slot != kFixedWeapon && input.readResult().failedWith(Cause::Outside))
            addOutsideSource(outsideSources,
                             setFolderPath(strings.configBase, entry.slot, texts[entry.slot]) + std::string(kNameFile));
        // Every name.txt is still read, as a write of the file would read it.
        fits = fits && !holdsLineBreak(line);
        bytes += line;
        bytes += kLineEnd;
    }
    if (!fits) return std::nullopt;
    return bytes;
}

Status writeWeaponNames(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts,
                        std::vector<std::string>& outsideSources) {
    return writeLineFile(output, weaponNamesPath(strings.modName),
                         weaponNamesText(input, strings, texts, outsideSources));
}

}  // namespace modsetup
