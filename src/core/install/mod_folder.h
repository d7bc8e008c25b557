#pragma once
// The game mod folder, "mods\" + ModName in the working directory, and the two
// kinds of file operation Apply makes there: creating its folder tree and
// copying set files into it. Both note every target that did not come out as
// intended, and why, so Apply can report it.

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/mod_folder_tree.h"
#include "core/io/host.h"

namespace modsetup {

// How long Apply tries again, in all, the writes that another program stood
// in the way of: a game still closing, an antivirus scan or an indexer
// reading a freshly written file usually lets go within a second. One
// deadline for the whole Apply, however many targets are held, so that a
// running game that holds them all costs this wait once.
inline constexpr auto kHeldFileWait = std::chrono::seconds(3);
inline constexpr auto kHeldFilePoll = std::chrono::milliseconds(100);

// A write that another program stood in the way of: tried again with again
// until the deadline, and its last result handed to settle.
struct HeldWrite {
    std::function<Status()> again;
    std::function<void(const Status&)> settle;
};

// What did not come out as intended, as Apply reports it, and which targets
// a copy replaced.
struct InstallFailures {
    std::vector<std::string> failedPaths;        // targets that could not be written, in order
    std::map<std::string, std::string> reasons;  // of those, the system's words for why, where it gave any
    std::vector<std::string> inUsePaths;         // of those, the ones another program held
    bool accessDenied = false;                   // the system refused a write for want of rights
    std::vector<std::string> unreadableSources;  // set files that exist but could not be read
    std::vector<std::string> outsideSources;     // set files below the set library that lead outside it, each once
    std::vector<HeldWrite> held;                 // to be tried again once every other target is done
    std::vector<std::string> copiedPaths;        // targets that now hold a set file's other bytes

    // Notes target as not written for the given failure.
    void addTarget(const std::string& target, const Failure& failure);
    // The system's words for why the targets that are still not written
    // (other than the ones another program held, which are said apart),
    // each once, in the order of the targets.
    std::vector<std::string> failureReasons() const;
    // Notes what a write of target came to; one that another program stood
    // in the way of is noted as in use and kept to be tried again.
    void noteWrite(const std::string& target, const Status& result, std::function<Status()> again);
    // A target noted as in use, after it was tried again.
    void settle(const std::string& target, const Status& result);
};

// Adds a set file that leads outside the set library, once: a set file
// installed in two places is named once.
void addOutsideSource(std::vector<std::string>& outsideSources, const std::string& source);

// Tries the held writes again, together, every kHeldFilePoll, until each is
// done or fails for another cause, or until kHeldFileWait has passed by the
// host's clock; settles each with its last result and empties held.
void retryHeldWrites(Host& host, std::vector<HeldWrite>& held);

// One copy of a set's file into the game mod folder.
struct FileCopy {
    std::string source;    // below the set library
    std::string target;    // below the game mod folder
    std::size_t slot = 0;  // whose set it comes from
};

// Creates the folders of the tree one level each, in order. A folder that is
// not there afterwards is a failed target.
void createModFolderTree(Host& host, std::string_view modName, InstallFailures& failures);

// Copies source over target, for a target already known to differ from
// source (apply_plan.h). A source that does not exist (a set that lacks a
// file, or a list text that names no set) leaves that target as it was
// without being a failure; one that exists but cannot be read, or that leads
// outside the set library, is a failure of its own. A target another program
// holds is kept written beside it, to be put in place when tried again.
void replaceWithCopy(Host& host, const std::string& source, const std::string& target, InstallFailures& failures);

}  // namespace modsetup
