#pragma once
// The catalogue scan: the sets a slot's list offers are the folders found in
// its slot folder, in the file system's listing order.

#include <array>
#include <string>
#include <vector>

#include "core/game/slots.h"
#include "core/io/host.h"

namespace modsetup {

using SlotEntries = std::array<std::vector<std::string>, kSlotCount>;

// One listing of a slot folder, sorted into what its list offers and the
// folders it passes over.
struct SlotFolderListing {
    bool listed = false;                  // false: the folder is missing or cannot be listed
    std::vector<std::string> offered;     // folders, never "." or "..", in listing order
    std::vector<std::string> passedOver;  // folders marked hidden or system
    // Folders whose names hold a line break or another control character: a
    // line file cannot store such a name, and Windows cannot hold it.
    std::vector<std::string> unstorable;
    // Folders whose names the system's code page cannot write (Windows), as
    // FolderEntry shows them: no path of the program can name them.
    std::vector<std::string> unrepresentable;
};
SlotFolderListing listSlotFolder(Host& host, const std::string& configBase, std::size_t slot);

// The set names of one slot folder: folders only, never "." or "..", hidden
// and system entries, unstorable and unrepresentable names passed over,
// names as reported, order kept.
std::vector<std::string> scanSlotFolder(Host& host, const std::string& configBase, std::size_t slot);

// All sixteen lists, slot 1 first (the two team slots list "gostek" twice).
SlotEntries scanCatalogue(Host& host, const std::string& configBase);

}  // namespace modsetup
