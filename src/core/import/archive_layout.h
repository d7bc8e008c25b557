#pragma once
// Where an archive's sets lie: the layouts packs use. A set library's slot
// folders (at the archive's top or under one folder wrapping them), a single
// set folder, several set folders side by side (at the top or under one
// wrapping folder), or a set's files at the top themselves. Where a set's
// place does not say its slot, the slots whose sets use every file it holds
// are its candidates.

#include <cstddef>
#include <string>
#include <vector>

#include "core/archive/archive_scan.h"

namespace modsetup {

enum class ArchiveLayout {
    Library,      // slot folders, their sets in them
    SingleSet,    // one set
    SeveralSets,  // set folders side by side
    None,         // nothing fits: no set at all
};

struct LaidSet {
    std::string name;                     // the set folder's name as the system names it
    std::string archiveFolder;            // where it lies in the archive, UTF-8 with "/"; empty for files at the top
    std::vector<std::size_t> candidates;  // its slot folder's first slot, or the slots it fits, in slot order
    bool slotFromPlace = false;           // its slot folder in the archive said it
    std::vector<std::size_t> files;       // indexes into the scan's entries
    std::vector<std::string> suffixes;    // each file's path below the set folder, "\" before each part
};

struct Layout {
    ArchiveLayout kind = ArchiveLayout::None;
    std::vector<LaidSet> sets;
    std::vector<std::size_t> notInstalled;  // mod.ini and the selections file: read, never installed
    std::vector<std::size_t> unused;        // files no set uses (refused)
    std::vector<std::string> found;         // for None: what the archive's top holds
};

// setName: the name of a set whose files lie at the archive's top (the
// archive file's name without its type).
Layout recogniseLayout(const std::vector<ScannedEntry>& entries, const std::string& topSetName);

// The slots (first slot of each slot folder) whose sets use a file at this
// path below the set folder ("\sfx\ak74-fire.wav"), in any letter case.
std::vector<std::size_t> slotsUsing(const std::string& suffix);

// The first slot of the slot folder of this name (any letter case); npos for none.
std::size_t slotOfFolder(const std::string& name);

}  // namespace modsetup
