#pragma once
// The game mod folder, "mods\" + ModName in the working directory, and the two
// kinds of file operation Apply makes there: creating its folder tree and
// copying set files into it. Both note every target that did not come out as
// intended, so Apply can report it.

#include <string>
#include <string_view>
#include <vector>

#include "core/platform/host.h"

namespace modsetup {

inline constexpr std::string_view kModsFolder = "mods";

// "mods\" + ModName + piece; every piece begins with a backslash.
std::string modPath(std::string_view modName, std::string_view piece);

// Creates the folders of the tree one level each, in order. A folder that is
// not there afterwards is added to failedPaths.
void createModFolderTree(Host& host, std::string_view modName, std::vector<std::string>& failedPaths);

// One copy of a set's file into the game mod folder.
struct FileCopy {
    std::string source;  // below the set library
    std::string target;  // below the game mod folder
};

// What did not come out of Apply's copies as intended, for its report.
struct InstallFailures {
    std::vector<std::string>& failedPaths;   // targets that could not be written
    std::vector<std::string>& refusedFiles;  // set files that lead outside the set library, each once
};

// Copies source over target. A failed copy is a failure only when the source
// is a file (its target goes to failedPaths) or a file outside the set
// library, which the host refuses (it goes to refusedFiles): a set that lacks
// a file, or a list text that names no set, leaves that target as it was
// without being a failure.
void installCopy(Host& host, const std::string& source, const std::string& target, InstallFailures failures);

// Notes a set file outside the set library once.
void noteRefused(const std::string& setFile, std::vector<std::string>& refusedFiles);

}  // namespace modsetup
