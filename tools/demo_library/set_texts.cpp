#include "demo_library/set_texts.h"

#include <algorithm>
#include <string_view>

#include "core/game/slots.h"
#include "demo_library/demo_looks.h"

namespace modsetup::demo {

std::string nameFileText(std::size_t slot, std::size_t setIndex) {
    if (setIndex == 0) return "0\r\n";
    // The weapon's name is its section header without the brackets.
    std::string_view weapon = kSlots[slot].statsSection;
    weapon.remove_prefix(1);
    weapon.remove_suffix(1);
    const std::string_view theme = kThemes[setIndex % kThemes.size()].name;
    return std::string(theme) + " " + std::string(weapon) + "\r\n";
}

std::string statsFileText(std::size_t slot, std::size_t setIndex) {
    std::array<int, 9> values = kWeaponLooks[slot].stats;
    const int step = static_cast<int>(setIndex % 5);
    values[0] += values[0] * 8 * step / 100;              // Damage
    values[1] += step % 3 == 1 ? 1 : 0;                   // FireInterval
    if (values[2] >= 10) values[2] += 2 * (step % 4);     // Ammo
    values[3] = std::max(1, values[3] - 3 * (step % 3));  // ReloadTime
    values[4] += step % 2;                                // Speed
    std::string text;
    for (int value : values) text += std::to_string(value) + "\r\n";
    return text;
}

}  // namespace modsetup::demo
