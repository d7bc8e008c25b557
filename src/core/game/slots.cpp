#include "core/game/slots.h"

#include <string>

namespace modsetup {

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
