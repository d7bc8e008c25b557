#include "core/weapon_names.h"

#include "core/mod_folder.h"
#include "core/weapon_sections.h"

namespace modsetup {
namespace {

constexpr std::string_view kNameFile = "\\name.txt";

template <class SetFiles, class Lines>
void emitWeaponNames(const SlotTexts& texts, SetFiles& sets, Lines& lines) {
    for (const WeaponNameLine& entry : kWeaponNameLines) {
        if (entry.slot == kFixedWeapon) {
            lines.writeLine(entry.constant);
            continue;
        }
        sets.open(entry.slot);
        const std::string firstLine = sets.readLine();
        sets.close();
        lines.writeLine(weaponNameLine(firstLine, texts[entry.slot]));
    }
}

}  // namespace

std::string weaponNamesPath(std::string_view modName) { return modPath(modName, "\\txt\\weaponnames.txt"); }

std::string weaponNameLine(std::string_view firstLine, std::string_view setName) {
    return std::string(firstLine == "0" ? setName : firstLine);
}

bool writeWeaponNames(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts) {
    const bool opened = output.openWrite(weaponNamesPath(strings.modName));
    detail::HandleSetFiles sets(input, strings, texts, kNameFile);
    emitWeaponNames(texts, sets, output);
    return output.close() && opened;
}

std::string weaponNamesText(const SlotTexts& texts, const WeaponSetFiles& nameFiles) {
    detail::TextSetFiles sets(nameFiles);
    detail::TextLines lines;
    emitWeaponNames(texts, sets, lines);
    return lines.take();
}

}  // namespace modsetup
