#pragma once
// The way back from an Apply. Before Apply changes anything it records the
// state of every file and folder it may change (the files' bytes, by a hard
// link where the file system keeps them and by a copy otherwise, or that
// there is none) as a point in the restore folder, ConfigBase + ".restore",
// beside the selections file. Two points are kept:
//
// - "last": the state before the last Apply that changed anything; an Apply
//   that changes nothing keeps the point there was.
// - "original": each file's and folder's state before this program first
//   changed it, recorded once and never overwritten.
//
// A point is recorded whole before the first change, and becomes "last" only
// once the Apply is done, so a point holds whatever happens to the Apply: one
// killed part-way leaves its point pending, and the next use of the restore
// folder takes it for "last". Each point names the game folder (the working
// directory) it belongs to, since the game mod folder lies in it: a point of
// another game folder is not restored.

#include <string>
#include <vector>

#include "core/io/host.h"

namespace modsetup {

enum class RestorePoint { Last, Original };

// ConfigBase + ".restore".
std::string restoreFolderPath(const std::string& configBase);

// What one Apply records: begin() before the first change, finish() once it
// is done.
class RestoreRecording {
public:
    RestoreRecording(Host& host, std::string configBase);
    RestoreRecording(const RestoreRecording&) = delete;
    RestoreRecording& operator=(const RestoreRecording&) = delete;

    // Records the state of the files, then of the folders, that Apply may
    // change, as the pending point. A failure leaves no pending point.
    Status begin(const std::vector<std::string>& files, const std::vector<std::string>& folders);

    // The pending point becomes "last" when anything it recorded is no longer
    // as it was, and the states of what changed join "original"; otherwise it
    // is dropped. copied: files Apply replaced by a copy of other bytes,
    // changed without comparing them (a copy is made only where they differ).
    void finish(const std::vector<std::string>& copied = {});

private:
    Host& host_;
    std::string configBase_;
    bool begun_ = false;
};

// Whether the point exists and belongs to this game folder.
bool canRestore(Host& host, const std::string& configBase, RestorePoint point);

struct RestoreOutcome {
    bool found = false;               // the point exists and belongs to this game folder
    std::vector<std::string> failed;  // files and folders that could not be put back, in order
};

// Puts every recorded file back as it was (deleting those there were none
// of), with the same atomic replace as Apply, then removes the folders there
// were none of where they are empty; what cannot be put back is named and
// everything else is restored. A restored "last" is used up.
RestoreOutcome restore(Host& host, const std::string& configBase, RestorePoint which);

}  // namespace modsetup
