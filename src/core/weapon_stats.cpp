#include "core/weapon_stats.h"

#include "core/mod_folder.h"
#include "core/weapon_sections.h"

namespace modsetup {
namespace {

constexpr std::string_view kStatsFile = "\\stats.ini";

constexpr bool setSectionsMatchSlots() {
    for (const WeaponSection& section : kWeaponSections)
        if (section.slot != kFixedWeapon && section.header != kSlots[section.slot].statsSection) return false;
    return true;
}
static_assert(setSectionsMatchSlots(), "a set section's header differs from its slot's");

template <class SetFiles, class Lines>
void emitWeaponStats(std::string_view modName, SetFiles& sets, Lines& lines) {
    lines.writeLine("[Info]");
    lines.writeLine("Name=" + std::string(modName));
    lines.writeLine("Version=1");
    lines.writeLine("");
    for (const WeaponSection& section : kWeaponSections) {
        lines.writeLine(section.header);
        if (section.slot == kFixedWeapon) {
            for (std::size_t i = 0; i < kStatsValueCount; ++i)
                lines.writeLine(std::string(kFixedStatsKeys[i]) + std::string(section.fixedValues[i]));
            continue;
        }
        // Each value is written as soon as it is read: stats.ini holds bare
        // values, one per line, in key order.
        sets.open(section.slot);
        for (std::string_view key : kSetStatsKeys) lines.writeLine(std::string(key) + sets.readLine());
        sets.close();
        lines.writeLine("");
    }
}

}  // namespace

std::string weaponStatsPath(std::string_view modName) { return modPath(modName, "\\weapons.ini"); }

bool writeWeaponStats(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts) {
    const bool opened = output.openWrite(weaponStatsPath(strings.modName));
    detail::HandleSetFiles sets(input, strings, texts, kStatsFile);
    emitWeaponStats(strings.modName, sets, output);
    return output.close() && opened;
}

std::string weaponStatsText(std::string_view modName, const WeaponSetFiles& statsFiles) {
    detail::TextSetFiles sets(statsFiles);
    detail::TextLines lines;
    emitWeaponStats(modName, sets, lines);
    return lines.take();
}

}  // namespace modsetup
