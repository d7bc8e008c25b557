#include "core/catalogue.h"

#include <algorithm>

#include "core/display_text.h"

namespace modsetup {

std::vector<std::string> scanSlotFolder(Host& host, const std::string& configBase, std::size_t slot) {
    std::vector<FolderEntry> listing;
    std::vector<std::string> sets;
    // A folder that is missing or cannot be listed offers nothing.
    if (!host.listFolder(configBase + "\\" + std::string(kSlots[slot].folder) + "\\*.*", listing)) return sets;
    sets.reserve(listing.size());
    for (auto& entry : listing) {
        if (!entry.isDirectory || entry.isHidden || entry.isSystem) continue;
        if (entry.name == "." || entry.name == "..") continue;
        if (std::any_of(entry.name.begin(), entry.name.end(), isControlCharacter)) continue;
        sets.push_back(std::move(entry.name));
    }
    return sets;
}

SlotEntries scanCatalogue(Host& host, const std::string& configBase) {
    // One listing per slot: the team Bravo slot lists "gostek" a second time.
    SlotEntries entries;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) entries[slot] = scanSlotFolder(host, configBase, slot);
    return entries;
}

}  // namespace modsetup
