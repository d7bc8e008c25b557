#pragma once
// The way back from an Apply. Before Apply changes anything it records the
// state of every file and folder it may change (the files' bytes, by a hard
// link where the file system keeps them and by a copy otherwise, or that
// there is none), under the names the file system holds, as a point in the
// restore folder (restore_folder.h). Two points are kept:
//
// - "last": the state before the last Apply that changed anything; an Apply
//   that changes nothing keeps the point there was, and one that could keep
//   no point drops it, since it no longer is what it says.
// - "original": each file's and folder's state before this program first
//   changed it, recorded once and never rebuilt: when it cannot be read or
//   extended, it is left as it is and Apply says so.
//
// A point is recorded whole before the first change, and becomes "last" only
// once the Apply is done, so a point holds whatever happens to the Apply: one
// killed part-way leaves its point pending, which the next Apply or restore
// settles first. Looking at what can be restored writes nothing.

#include <cstddef>
#include <string>
#include <vector>

#include "core/io/host.h"
#include "core/restore/restore_folder.h"

namespace modsetup {

enum class RestorePoint { Last, Original };

// What one Apply records: begin() before the first change, finish() once it
// is done.
class RestoreRecording {
public:
    RestoreRecording(Host& host, std::string configBase, std::string modName);
    RestoreRecording(const RestoreRecording&) = delete;
    RestoreRecording& operator=(const RestoreRecording&) = delete;

    // Settles a point an earlier Apply left pending, then records the state
    // of the files, then of the folders, that Apply may change, as the
    // pending point. A failure leaves no pending point and drops "last".
    Status begin(const std::vector<std::string>& files, const std::vector<std::string>& folders);
    // After a failed begin: whether something the program never writes in
    // the restore folder stood in the way.
    bool folderDamaged() const { return damaged_; }

    // The pending point becomes "last" when anything it recorded is no longer
    // as it was, and the states of what changed join "original"; otherwise it
    // is dropped. copied: files Apply replaced by a copy of other bytes,
    // changed without comparing them (a copy is made only where they differ).
    void finish(const std::vector<std::string>& copied = {});
    // Whether "original" took in what this Apply (or the earlier one it
    // settled) changed first; false when it could not be read or extended.
    bool originalRecorded() const { return originalRecorded_; }

private:
    Host& host_;
    std::string configBase_;
    std::string modName_;
    bool begun_ = false;
    bool damaged_ = false;
    bool originalRecorded_ = true;
};

// Which restores the menu offers, read without changing anything, and
// whether the restore folder holds what the program never writes there.
struct RestoreOffer {
    bool last = false;
    bool original = false;
    bool damaged = false;
};
RestoreOffer offeredRestores(Host& host, const std::string& configBase, const std::string& modName);

// What a restore would do, read without changing anything: whether there is
// the point, and how many files it would put back (those not as it recorded
// them now).
struct RestorePlan {
    bool found = false;
    std::size_t files = 0;
};
RestorePlan planRestore(Host& host, const std::string& configBase, const std::string& modName, RestorePoint which);

struct RestoreOutcome {
    bool found = false;               // the point exists and may be used
    std::vector<std::string> failed;  // files and folders that could not be put back or removed, in order
};

// Settles a pending point, then puts every recorded file back as it was
// (deleting those there were none of), with the same atomic replace as
// Apply, after removing the temporary files killed writes left beside them;
// then removes the folders there were none of. What cannot be put back or
// removed is named, and everything else is restored. A restored "last" is
// used up.
RestoreOutcome restore(Host& host, const std::string& configBase, const std::string& modName, RestorePoint which);

}  // namespace modsetup
