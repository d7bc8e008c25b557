#pragma once
// The staging folder of an import: a folder inside the set library (so on
// its volume, where every move into place is a rename) into which the import
// writes every file before any set is moved into place. It is held by its
// import for as long as that runs (the system lets go of it when the process
// ends, however it ends), and lies beside the slot folders, where no list
// looks and the check passes it by.
//
//   <library>\import.~<process>\held        held while the import runs
//   <library>\import.~<process>\files\...    the archive's files as read
//   <library>\import.~<process>\new\<slot folder>\<set>    sets ready to move in
//   <library>\import.~<process>\old\<slot folder>\<set>    replaced sets, on their way to the trash
//   <library>\import.~<process>\placing      while sets move: each "<slot folder>\<set>"

#include <string>
#include <string_view>

#include "core/io/host.h"

namespace modsetup {

inline constexpr std::string_view kStagingName = "import";

std::string stagingFolder(const std::string& configBase, unsigned long process);
// Whether a name in the set library is a staging folder's.
bool isStagingName(std::string_view name);

// Removes a folder with everything below it; links are removed, never followed.
Status removeTree(Host& host, const std::string& folder);

// What an import killed before it ended left in the set library: sets it
// had moved into place go back out, sets it had set aside go back in, and its
// staging folder goes. A staging folder another running import holds is left
// alone. Run at start.
void removeImportLeftovers(Host& host, const std::string& configBase);

// Puts back what the journal of a staging folder records, so that the set
// library is as it was before the import (see removeImportLeftovers).
void rollBackPlacing(Host& host, const std::string& configBase, const std::string& staging);

}  // namespace modsetup
