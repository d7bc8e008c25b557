#pragma once
// The plan of an Apply: every file it will write or remove, each with what
// that does to the file there now, worked out from the choices, the set
// library and the game mod folder without writing anything. Apply carries
// out this plan (apply.h), and "Show what Apply will change" shows it, so
// the two cannot disagree.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/io/host.h"
#include "core/library/config.h"

namespace modsetup {

// A slot whose list's text named no set: nothing is installed from it.
struct MissingSet {
    std::size_t slot;
    std::string text;  // the set name looked for
};

// The lists whose text is not empty but names no folder in its slot folder,
// read through a ConfinedHost of the set library: Apply installs nothing
// from them, and that is no choice the user meant to confirm.
std::vector<MissingSet> missingSets(Host& library, const std::string& configBase, const SlotTexts& texts);

// What Apply does to a file: writes it where there is none, replaces one
// whose bytes differ (a file changed by hand or by another program too),
// removes it (weapons.ini without "Use Modified Weapons"), or leaves it as it
// is, since it holds the bytes Apply would write or there is none to remove.
enum class FileChange { Added, Replaced, Removed, Unchanged };

// The work a file takes: a copy of a set's file, one of the program's own
// files written whole (the weapon names file, weapons.ini, the selections
// file), or the removal of weapons.ini.
enum class FileWork { Copy, Write, Remove };

// The group of the program's own files, after the sixteen slots.
inline constexpr std::size_t kOwnFiles = kSlotCount;

struct ApplyFile {
    std::size_t group;  // the slot whose set it comes from, or kOwnFiles
    FileWork work;
    std::string target;  // below the game mod folder; the selections file lies beside the program
    FileChange change;
    std::string source;                // a copy's set file
    std::optional<std::string> bytes;  // a written file's content; none when it cannot be written as lines
};

struct ApplyPlan {
    bool programFolderUnusable = false;  // nothing is written at all (see folderWithBackslash)
    bool modNameUnsafe = false;          // nothing below "mods" is touched
    bool boxTicked = false;
    std::vector<ApplyFile> files;  // in the order Apply takes them; the selections file last
    std::vector<MissingSet> missingSets;
    std::vector<std::string> unreadableSources;  // set files that exist but cannot be read; their targets stay
    std::vector<std::string> outsideSources;     // set files that lead outside the set library, each once
};

// Reads the chosen sets through a ConfinedHost of the set library and the
// game mod folder's files, and writes nothing. A set file that is missing
// (a set that lacks it, a list naming no set) is no file of the plan: Apply
// leaves its target as it is.
ApplyPlan planApply(Host& host, const ProcessStrings& strings, const SlotTexts& texts, bool boxTicked);

// The plan's files that Apply changes: every file but the unchanged ones.
std::size_t changedFileCount(const ApplyPlan& plan);

}  // namespace modsetup
