#pragma once
// The apply sequence: install the chosen sets into "mods\" + ModName, write the
// weapon names file and weapons.ini (or delete weapons.ini), save the choices.
//
// Every step runs whatever became of the earlier ones and nothing is rolled
// back; a target another program holds is tried again once all the others
// are done (see kHeldFileWait). Unlike a silent installer, the outcome records every real failure so
// the window can say what went wrong instead of confirming success: a file
// it could not write, a set file outside the set library, a list naming a
// set that is not there. Before it writes, Apply removes what a killed
// earlier write left beside its targets (leftovers.h).
//
// Apply carries out its plan (apply_plan.h), made as it starts: it copies
// the set files the plan adds or replaces, and writes its own three files
// (the weapon names file and weapons.ini, or weapons.ini's removal, and the
// selections file) whatever the plan found, so that the choices are saved
// anew and a held one is told of.

#include <functional>
#include <string>
#include <vector>

#include "core/install/apply_plan.h"
#include "core/install/mod_folder.h"
#include "core/io/host.h"
#include "core/library/config.h"

namespace modsetup {

// The failures of the game mod folder's files, and of the run as a whole.
struct ApplyOutcome : InstallFailures {
    bool programFolderUnusable = false;   // nothing at all was written (see folderWithBackslash)
    bool modNameUnsafe = false;           // nothing below "mods" was touched
    bool modsFolderMissing = false;       // no "mods" in the working directory
    std::vector<MissingSet> missingSets;  // in slot order; an empty text is no choice, not a missing set
    bool selectionsSaved = false;
    std::string selectionsReason;  // the system's words, when they were not saved
    bool restorePointKept = true;  // false: Restore cannot undo this Apply
    std::string restorePointReason;
    bool restoreFolderDamaged = false;  // it held what the program never writes there
    bool originalRecorded = true;       // false: "original" could not take in what this Apply changed

    bool succeeded() const {
        return !programFolderUnusable && !modNameUnsafe && !modsFolderMissing && failedPaths.empty() &&
               unreadableSources.empty() && outsideSources.empty() && missingSets.empty() && selectionsSaved &&
               restorePointKept && originalRecorded;
    }
};

// boxTicked is asked once, for the plan. The sets are read through a
// ConfinedHost of the set library.
ApplyOutcome runApply(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                      const std::function<bool()>& boxTicked);

}  // namespace modsetup
