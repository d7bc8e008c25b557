#pragma once
// The game mod folder, "mods\" + ModName in the working directory, and the two
// kinds of file operation Apply makes there: creating its folder tree and
// copying set files into it. Both note every target that did not come out as
// intended, and why, so Apply can report it.

#include <string>
#include <string_view>
#include <vector>

#include "core/platform/host.h"

namespace modsetup {

inline constexpr std::string_view kModsFolder = "mods";

// What did not come out as intended, as Apply reports it.
struct InstallFailures {
    std::vector<std::string> failedPaths;        // targets that could not be written, in order
    std::vector<std::string> inUsePaths;         // of those, the ones another program held
    bool accessDenied = false;                   // the system refused a write for want of rights
    std::vector<std::string> unreadableSources;  // set files that exist but could not be read
    std::vector<std::string> outsideSources;     // set files below the set library that lead outside it, each once

    // Notes target as not written for the given cause.
    void addTarget(const std::string& target, FileFailure failure);
};

// One copy of a set's file into the game mod folder.
struct FileCopy {
    std::string source;  // below the set library
    std::string target;  // below the game mod folder
};

// "mods\" + ModName + piece; every piece begins with a backslash.
std::string modPath(std::string_view modName, std::string_view piece);

// Creates the folders of the tree one level each, in order. A folder that is
// not there afterwards is a failed target.
void createModFolderTree(Host& host, std::string_view modName, InstallFailures& failures);

// Copies source over target. A source that does not exist (a set that lacks
// a file, or a list text that names no set) leaves that target as it was
// without being a failure; one that exists but cannot be read, or that leads
// outside the set library, is a failure of its own.
void installCopy(Host& host, const std::string& source, const std::string& target, InstallFailures& failures);

}  // namespace modsetup
