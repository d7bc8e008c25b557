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

#include <functional>
#include <string>
#include <vector>

#include "core/install/mod_folder.h"
#include "core/io/host.h"
#include "core/library/config.h"

namespace modsetup {

// A slot whose list's text named no set: nothing was installed from it.
struct MissingSet {
    std::size_t slot;
    std::string text;  // the set name looked for
};

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

// boxTicked is asked twice, as the sequence reads the check box twice: for the
// branch on "Use Modified Weapons" and when the selections file is written.
// The sets are read through a ConfinedHost of the set library; the files
// written through one line-file handle while each set's name.txt and
// stats.ini are read through another.
ApplyOutcome runApply(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                      const std::function<bool()>& boxTicked);

}  // namespace modsetup
