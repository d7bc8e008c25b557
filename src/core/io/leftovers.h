#pragma once
// What a write that never finished leaves behind. The hosts write every file
// to a temporary file beside it and rename that over the file when it is
// complete (temporary_name.h), so a program killed meanwhile (during a long
// copy, say) leaves the temporary file, and nothing else would ever remove
// it: it would ship with the mod.

#include <string>
#include <vector>

#include "core/io/host.h"

namespace modsetup {

// Removes, beside each of targets (paths as the program writes them), the
// temporary files of that target that an earlier write left, whoever left
// them; names match in any letter case. Each folder is listed once.
void removeLeftovers(Host& host, const std::vector<std::string>& targets);

}  // namespace modsetup
