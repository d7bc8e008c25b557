#pragma once
// Adds an archive's sets to the set library as the user decided, all or
// nothing. The archive is read again and judged again as it is read (it may
// have changed since its plan), every file written by the program itself
// beneath the staging folder (staging.h); only when the whole archive has
// been read and checked does each set move into place, a replaced set first
// set aside and, once every set is in, moved to the system's trash. A
// failure on the way (a full disk, a damaged archive, a cancel) puts back
// what was moved and removes the staging folder; a kill is undone at the
// next start (removeImportLeftovers).
//
// Runs off the window's thread as the plan does (import_plan.h).

#include <cstddef>
#include <string>
#include <vector>

#include "core/import/import_plan.h"

namespace modsetup {

enum class SetAction {
    Add,       // under its own name, which must be free
    Replace,   // the set of that name goes to the trash
    KeepBoth,  // under newName, which must be free
    Skip,
};

struct SetDecision {
    SetAction action = SetAction::Add;
    std::size_t slot = 0;  // one of the set's SlotChoice slots
    std::string newName;   // for KeepBoth
};

enum class ImportStep {
    Decisions,  // a decision does not fit the plan (failedSet says which)
    Read,       // the archive could not be read, or was refused (refusals), or changed since its plan
    Cancelled,
    Write,  // writing beneath the staging folder failed (path, failure)
    Place,  // moving a set into place, or a replaced one aside, failed (path, failure)
};

struct KeptSet {
    std::size_t slot;
    std::string name;    // the replaced set's name
    std::string keptAs;  // the name it stays under in its slot folder: the trash refused it
    Failure failure;
};

struct ImportOutcome {
    bool added = false;
    ImportStep failedAt = ImportStep::Read;
    std::size_t failedSet = 0;
    std::string path;  // the file or folder that failed
    Failure failure;
    std::vector<ImportRefusal> refusals;
    bool changed = false;  // Read: the archive holds other sets now than its plan showed
    std::vector<std::pair<std::size_t, std::string>> addedSets;  // slot and name, in the plan's order
    std::vector<KeptSet> kept;
};

// decisions: one per planned set, in the plan's order.
ImportOutcome runImport(Host& host, const std::string& configBase, const std::string& archivePath,
                        const ImportPlan& plan, const std::vector<SetDecision>& decisions,
                        const ScanOptions& options = {});

}  // namespace modsetup
