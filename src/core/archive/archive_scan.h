#pragma once
// One pass over an archive, shared by the plan and the import itself: every
// entry's name and kind judged, every file's bytes decoded and counted, and
// the archive-wide bounds held while decoding. What a file's bytes are for is
// the caller's: the plan reads what the check needs of them, the import
// writes them beneath its staging folder.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/archive/archive_reader.h"
#include "core/archive/import_facts.h"

namespace modsetup {

struct ScannedEntry {
    std::string name;                // UTF-8 as the archive names it, "/" between its parts
    std::vector<std::string> parts;  // as the system names them
    bool folder = false;
    std::uint64_t size = 0;  // decoded bytes, counted
};

// The current file's decoded bytes, as a file read front to back: counted
// against the archive's bounds as they are read. Its size is what the
// archive's header states (the bitmap decoder compares it with what a bitmap
// declares); the scan makes sure the bytes then match it.
class EntryBytes final : public InputFile {
public:
    EntryBytes(ArchiveReader& reader, class ArchiveScanner& scanner) : reader_(reader), scanner_(scanner) {}
    std::size_t read(char* buffer, std::size_t size) override;
    bool failed() const override { return stopped_; }
    std::uint64_t size() const override { return declared_; }

    // The scan's part: a new entry begins; what was read of it.
    void start(std::uint64_t declared) {
        declared_ = declared;
        read_ = 0;
        stopped_ = false;
    }
    std::uint64_t counted() const { return read_; }

private:
    ArchiveReader& reader_;
    ArchiveScanner& scanner_;
    std::uint64_t declared_ = kUnknownSize;
    std::uint64_t read_ = 0;
    bool stopped_ = false;
};

// Told as the archive is read: how far into the archive file, of how much.
using ImportProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
// Given each file whose entry is not refused, with its bytes; what it does
// not read is read after it, and counted. False ends the reading (a write
// that failed).
using FileConsumer = std::function<bool(std::size_t index, const ScannedEntry& entry, EntryBytes& bytes)>;

struct ArchiveScan {
    ArchiveFault fault = ArchiveFault::None;  // Unopenable or NotAnArchive: nothing was read
    Failure failure;                          // the host's or the library's words for it
    bool cancelled = false;
    bool stoppedByConsumer = false;
    std::vector<ScannedEntry> entries;  // files and folders whose names and kinds pass, in the archive's order
    std::vector<ImportRefusal> refusals;
    std::uint64_t archiveBytes = 0;
    std::uint64_t decodedBytes = 0;
};

struct ScanOptions {
    ImportProgress progress;
    const std::atomic<bool>* cancel = nullptr;
    bool stopAtRefusal = false;  // the import: the first refusal ends the reading
};

ArchiveScan scanArchive(Host& host, const std::string& path, const FileConsumer& consumer, const ScanOptions& options);

}  // namespace modsetup
