#include "core/library/catalogue.h"

#include <algorithm>

#include "core/base/escaping.h"

namespace modsetup {
namespace {

// Which of the listing's name lists a folder belongs to.
std::vector<std::string>& namesFor(SlotFolderListing& listing, const FolderEntry& folder) {
    if (folder.isHidden || folder.isSystem) return listing.passedOver;
    if (folder.nameUnrepresentable) return listing.unrepresentable;
    if (std::any_of(folder.name.begin(), folder.name.end(), isControlCharacter)) return listing.unstorable;
    return listing.offered;
}

}  // namespace

SlotFolderListing listSlotFolder(Host& host, const std::string& configBase, std::size_t slot) {
    SlotFolderListing listing;
    // A folder that is missing or cannot be listed offers nothing.
    auto entries = host.listFolder(slotFolderPath(configBase, slot));
    listing.listed = entries.ok();
    if (!listing.listed) return listing;
    listing.offered.reserve(entries.value().size());
    for (auto& entry : entries.value()) {
        if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
        namesFor(listing, entry).push_back(std::move(entry.name));
    }
    return listing;
}

std::vector<std::string> scanSlotFolder(Host& host, const std::string& configBase, std::size_t slot) {
    return listSlotFolder(host, configBase, slot).offered;
}

SlotEntries scanCatalogue(Host& host, const std::string& configBase) {
    // One listing per slot: the team Bravo slot lists "gostek" a second time.
    SlotEntries entries;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) entries[slot] = scanSlotFolder(host, configBase, slot);
    return entries;
}

}  // namespace modsetup
