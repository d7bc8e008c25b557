#include "core/slots.h"

#include <string>

namespace modsetup {

std::string setFolderPath(std::string_view configBase, std::size_t slot, std::string_view text) {
    std::string path(configBase);
    path += '\\';
    path += kSlots[slot].folder;
    path += '\\';
    path += text;
    return path;
}

}  // namespace modsetup
