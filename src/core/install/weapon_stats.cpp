#include "core/install/weapon_stats.h"

#include "core/base/mod_name.h"
#include "core/game/weapon_sections.h"
#include "core/install/mod_folder.h"

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

std::string weaponStatsText(LineFile& input, const ProcessStrings& strings, const SlotTexts& texts,
                            std::vector<std::string>& outsideSources) {
    std::string bytes;
    auto line = [&bytes](std::string_view text) {
        bytes += text;
        bytes += kLineEnd;
    };
    line("[Info]");
    line("Name=" + strings.modName);
    line("Version=1");
    line("");
    for (const WeaponSection& section : kWeaponSections) {
        line(section.header);
        if (section.slot == kFixedWeapon) {
            for (std::size_t i = 0; i < kStatsValueCount; ++i)
                line(std::string(kFixedStatsKeys[i]) + std::string(section.fixedValues[i]));
            continue;
        }
        // stats.ini holds bare values, one per line, in key order.
        const std::string stats =
            setFolderPath(strings.configBase, section.slot, texts[section.slot]) + std::string(kStatsFile);
        input.openRead(stats);
        if (input.readResult().failedWith(Cause::Outside)) addOutsideSource(outsideSources, stats);
        for (std::string_view key : kSetStatsKeys) line(std::string(key) + input.readLine());
        input.close();
        line("");
    }
    return bytes;
}

Status writeWeaponStats(LineFile& output, LineFile& input, const ProcessStrings& strings, const SlotTexts& texts,
                        std::vector<std::string>& outsideSources) {
    return writeLineFile(output, weaponStatsPath(strings.modName),
                         weaponStatsText(input, strings, texts, outsideSources));
}

StatsValues readSetStats(LineFile& input, std::string_view configBase, std::size_t slot, std::string_view text) {
    StatsValues values;
    input.openRead(setFolderPath(configBase, slot, text) + std::string(kStatsFile));
    for (std::string& value : values) value = input.readLine();
    input.close();
    return values;
}

std::optional<StatsValues> readInstalledStats(LineFile& input, std::string_view modName, std::size_t slot) {
    // A mod name Apply refuses names no mod folder Apply writes.
    if (slot >= kWeaponSlotCount || !isSafeModName(modName) || !input.openRead(weaponStatsPath(modName)).ok())
        return std::nullopt;
    const std::string_view header = kSlots[slot].statsSection;
    bool inSection = false;
    while (!inSection && !input.readEnded()) inSection = input.readLine() == header;
    if (!inSection) {
        input.close();
        return std::nullopt;
    }
    StatsValues values;
    std::array<bool, kStatsValueCount> found{};
    while (!input.readEnded()) {
        const std::string line = input.readLine();
        if (line.starts_with('[')) break;
        for (std::size_t i = 0; i < kStatsValueCount; ++i) {
            if (found[i] || !line.starts_with(kSetStatsKeys[i])) continue;
            values[i] = line.substr(kSetStatsKeys[i].size());
            found[i] = true;
        }
    }
    input.close();
    return values;
}

}  // namespace modsetup
