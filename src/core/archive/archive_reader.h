#pragma once
// An archive's entries one after another, decoded by libarchive's read
// interface: nothing of the archive is ever written by the library, and the
// archive itself is read through the host. Zip archives are read by their
// central directory first (zip_directory.h), whose names and methods stand
// for the entries.

#include <cstdint>
#include <memory>
#include <string>

#include "core/archive/zip_directory.h"
#include "core/io/host.h"

struct archive;

namespace modsetup {

enum class EntryKind { File, Folder, Link, Special };  // Special: a device, a pipe, a socket

struct ArchiveEntry {
    std::string name;         // UTF-8 as stored, "/" or "\" between its parts
    bool nameDecoded = true;  // false: not text in the archive's encoding (name then holds its bytes)
    EntryKind kind = EntryKind::File;
    bool encrypted = false;
    unsigned zipMethod = 0;                     // a zip entry's method (zip_directory.h); 0 elsewhere
    std::uint64_t declaredSize = kUnknownSize;  // as its header states it: never a limit
};

// Why an archive cannot be read on.
enum class ArchiveFault {
    None,
    Unopenable,     // the host could not open the file (failure says why)
    NotAnArchive,   // no archive of a format the program reads
    Damaged,        // cut short, a wrong checksum, a header that makes no sense
    NamesDisagree,  // a zip's local header names another file than its directory
    Overlapping,    // two of a zip's entries share bytes
    Encrypted,      // its directory itself is encrypted (a 7z with hidden names)
    Undecodable,    // an entry's data could not be decoded (a method the library lacks)
};

class ArchiveReader {
public:
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Opens the archive at path; fault() then tells whether it can be read.
    ArchiveReader(Host& host, const std::string& path);

    // The next entry's header; false at the end or on a fault.
    bool next(ArchiveEntry& entry);
    // The current entry's decoded bytes, up to size; 0 at its end or on a
    // fault (fault() then tells).
    std::size_t read(char* buffer, std::size_t size);

    ArchiveFault fault() const { return fault_; }
    const Failure& failure() const { return failure_; }  // the host's or the library's words
    const std::string& faultEntry() const { return faultEntry_; }
    std::uint64_t archiveSize() const { return archiveSize_; }
    // How far into the archive file the reading is, for progress.
    std::uint64_t position() const;

    struct Source;

private:
    void failWith(ArchiveFault fault, const std::string& entry);

    std::unique_ptr<Source> source_;
    ::archive* archive_ = nullptr;
    ArchiveFault fault_ = ArchiveFault::None;
    Failure failure_;
    std::string faultEntry_;
    std::uint64_t archiveSize_ = 0;
    bool zip_ = false;
    std::vector<ZipRecord> zipRecords_;
    std::size_t entries_ = 0;
    std::string current_;  // the current entry's name
};

}  // namespace modsetup
