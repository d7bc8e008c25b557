#include "core/weapon_stats.h"

#include "core/mod_folder.h"
#include "core/weapon_sections.h"

namespace modsetup {
namespace {

constexpr bool setSectionsMatchSlots() {
    for (const WeaponSection& section : kWeaponSections)
        if (section.slot != kFixedWeapon && section.header != kSlots[section.slot].statsSection) return false;
    return true;
}
static_assert(setSectionsMatchSlots(), "a set section's header differs from its slot's");

}  // namespace

std::string weaponStatsPath(std::string_view modName) { return modPath(modName, "\\weapons.ini"); }

bool writeWeaponStats(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts) {
    const bool opened = output.openWrite(weaponStatsPath(strings.modName));
    output.writeLine("[Info]");
    output.writeLine("Name=" + strings.modName);
    output.writeLine("Version=1");
    output.writeLine("");
    for (const WeaponSection& section : kWeaponSections) {
        output.writeLine(section.header);
        if (section.slot == kFixedWeapon) {
            for (std::size_t i = 0; i < kStatsValueCount; ++i)
                output.writeLine(std::string(kFixedStatsKeys[i]) + std::string(section.fixedValues[i]));
            continue;
        }
        // Each value is written as soon as it is read: stats.ini holds bare
        // values, one per line, in key order.
        input.openRead(setFolderPath(strings.configBase, section.slot, texts[section.slot]) + std::string(kStatsFile));
        for (std::string_view key : kSetStatsKeys) output.writeLine(std::string(key) + input.readLine());
        input.close();
        output.writeLine("");
    }
    return output.close() && opened;
}

}  // namespace modsetup
