#include "core/game/slots.h"

#include <string>

namespace modsetup {

std::string slotLabel(std::size_t slot) {
    if (slot == kTeamAlpha) return "team Alpha";
    if (slot == kTeamBravo) return "team Bravo";
    if (slot >= kSecondary1) return "secondary slot " + std::to_string(slot - kSecondary1 + 1);
    return "primary slot " + std::to_string(slot + 1);
}

std::string slotFolderPath(std::string_view configBase, std::size_t slot) {
    std::string path(configBase);
    path += '\\';
    path += kSlots[slot].folder;
    return path;
}

std::string setFolderPath(std::string_view configBase, std::size_t slot, std::string_view text) {
    std::string path = slotFolderPath(configBase, slot);
    path += '\\';
    path += text;
    return path;
}

}  // namespace modsetup
