#pragma once
// The catalogue scan: the sets a slot's list offers are the folders found in
// its slot folder, in the file system's listing order.

#include <array>
#include <string>
#include <vector>

#include "core/platform/host.h"
#include "core/slots.h"

namespace modsetup {

using SlotEntries = std::array<std::vector<std::string>, kSlotCount>;

// The set names of one slot folder: folders only, never "." or "..", hidden
// and system entries passed over, names as reported, order kept. A name that
// holds a line break or any other control character is not offered: a line
// file cannot store it, and Windows cannot hold it.
std::vector<std::string> scanSlotFolder(Host& host, const std::string& configBase, std::size_t slot);

// All sixteen lists, slot 1 first (the two team slots list "gostek" twice).
SlotEntries scanCatalogue(Host& host, const std::string& configBase);

}  // namespace modsetup
