#pragma once
// What an archive would add to the set library, read whole before anything
// is written: its layout, each set with its slot (or the slots it fits), its
// files and size, whether its name is taken in the library, and what the
// check needs of its files (each bitmap's verdict, the lines of name.txt and
// stats.ini). Refusals say what in it cannot be added; an archive with any
// refusal adds nothing.
//
// Reading may run off the window's thread: it uses only the host it is given
// (whose operations must be callable from that thread, as the system hosts'
// are), tells its progress through options.progress on that thread, and stops
// soon after options.cancel becomes true.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/archive/archive_scan.h"
#include "core/formats/picture.h"
#include "core/import/archive_layout.h"

namespace modsetup {

struct PlannedFile {
    std::string suffix;  // below the set folder, "\" before each part
    std::uint64_t size = 0;
    bool bitmap = false;               // a .bmp file, decoded as the check decodes it
    std::optional<BitmapFault> fault;  // for a bitmap that is no valid one
    std::vector<std::string> lines;    // of name.txt and stats.ini: the lines the program reads
};

struct SlotChoice {
    std::size_t slot = 0;    // the first slot of the slot folder
    bool nameTaken = false;  // a set of this name is in that slot folder already
    std::string freeName;    // the first of "<name> (2)", "<name> (3)", ... free there
};

struct PlannedSet {
    std::string name;                     // the set folder's name as the system names it
    std::string archiveFolder;            // where it lies in the archive (UTF-8, "/")
    std::vector<SlotChoice> slotChoices;  // one when its place says its slot; otherwise those it fits
    bool slotFromPlace = false;
    std::uint64_t bytes = 0;
    std::vector<PlannedFile> files;
};

struct ImportPlan {
    ArchiveFault fault = ArchiveFault::None;  // Unopenable (failure says why) or NotAnArchive: nothing read
    Failure failure;
    bool cancelled = false;
    ArchiveLayout layout = ArchiveLayout::None;
    std::vector<PlannedSet> sets;
    std::vector<std::string> notInstalled;  // mod.ini and the selections file, as the archive names them
    std::vector<std::string> found;         // for ArchiveLayout::None: what the archive's top holds
    std::vector<ImportRefusal> refusals;    // in the archive's order; the archive-wide last
    std::uint64_t archiveBytes = 0;
    std::uint64_t decodedBytes = 0;

    // Whether the archive was read whole and every set can be added.
    bool canAdd() const { return fault == ArchiveFault::None && !cancelled && refusals.empty() && !sets.empty(); }
};

// configBase: the set library (names taken are looked up there).
ImportPlan planImport(Host& host, const std::string& configBase, const std::string& archivePath,
                      const ScanOptions& options = {});

// The set's name for a file of this name at the archive's top: the archive's
// file name without its type ("Gold.zip" gives "Gold").
std::string archiveStem(const std::string& archivePath);

// The first of "<name> (2)", "<name> (3)", ... that names nothing in the
// folder (a path as the program writes it) nor any of also.
std::string freeSetName(Host& host, const std::string& folder, const std::string& name,
                        const std::vector<std::string>& also = {});

}  // namespace modsetup
