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

// Copies source over target. A failed copy is added to failedPaths only when
// the source is a file: a set that lacks a file, or a list text that names no
// set, leaves that target as it was without being a failure.
void installCopy(Host& host, const std::string& source, const std::string& target,
                 std::vector<std::string>& failedPaths);

}  // namespace modsetup
