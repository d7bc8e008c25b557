#include "core/archive/archive_scan.h"

#include <map>

#include "core/archive/entry_rules.h"
#include "core/archive/zip_directory.h"

namespace modsetup {

class ArchiveScanner {
public:
    ArchiveScanner(ArchiveScan& scan, const ScanOptions& options, const ArchiveReader& reader)
        : scan_(scan), options_(options), reader_(reader) {}

    // Tells how far the reading is, never less than told before (a zip's
    // directory, read first, lies at its end).
    void tell() {
        if (!options_.progress) return;
        shown_ = std::max(shown_, reader_.position());
        options_.progress(shown_, scan_.archiveBytes);
    }

    // Counts decoded bytes against the bounds; false once one is passed or
    // the user cancelled. Progress is told every few MiB of a large file.
    bool count(std::uint64_t bytes) {
        if ((scan_.decodedBytes >> 22) != ((scan_.decodedBytes + bytes) >> 22)) tell();
        scan_.decodedBytes += bytes;
        if (scan_.decodedBytes > kMaxDecodedBytes) return stop({Refusal::TooLarge, {}, {}, kMaxDecodedBytes});
        if (scan_.decodedBytes > kMaxCompressionRatio * scan_.archiveBytes)
            return stop({Refusal::TooCompressed, {}, {}, kMaxCompressionRatio});
        return !cancelled();
    }
    bool stop(ImportRefusal refusal) {
        scan_.refusals.push_back(std::move(refusal));
        stopped_ = true;
        return false;
    }
    bool cancelled() {
        if (options_.cancel != nullptr && options_.cancel->load()) scan_.cancelled = stopped_ = true;
        return stopped_;
    }
    bool stopped() const { return stopped_; }

private:
    ArchiveScan& scan_;
    const ScanOptions& options_;
    const ArchiveReader& reader_;
    std::uint64_t shown_ = 0;
    bool stopped_ = false;
};

std::size_t EntryBytes::read(char* buffer, std::size_t size) {
    if (stopped_) return 0;
    const std::size_t got = reader_.read(buffer, size);
    read_ += got;
    if (got > 0 && !scanner_.count(got)) stopped_ = true;
    return stopped_ ? 0 : got;
}

namespace {

// Why a file's contents are refused before they are read; nothing when they
// are not.
std::optional<Refusal> contentRefusal(const ArchiveEntry& entry) {
    if (entry.encrypted) return Refusal::Encrypted;
    if (entry.zipMethod == kZipDeflate64) return Refusal::Deflate64;
    switch (entry.zipMethod) {
    case kZipStored:
    case kZipDeflated:
    case kZipBzip2:
    case kZipLzma:
    case kZipXz: break;
    default: return Refusal::UnknownMethod;
    }
    if (isExecutableName(entry.name)) return Refusal::Executable;
    if (isArchiveName(entry.name)) return Refusal::NestedArchive;
    return std::nullopt;
}

std::optional<Refusal> faultRefusal(ArchiveFault fault) {
    switch (fault) {
    case ArchiveFault::Damaged: return Refusal::Damaged;
    case ArchiveFault::NamesDisagree: return Refusal::NamesDisagree;
    case ArchiveFault::Overlapping: return Refusal::Overlapping;
    case ArchiveFault::Encrypted: return Refusal::Encrypted;
    case ArchiveFault::Undecodable: return Refusal::Undecodable;
    default: return std::nullopt;
    }
}

// Names that are one file on Windows: a key per whole path, and per folder
// on the way to a file.
class SameNames {
public:
    // The earlier entry this one is the same file as, or nothing.
    std::optional<std::string> add(const std::string& name, bool folder) {
        std::string key;
        std::optional<std::string> clash;
        for (std::size_t start = 0; start <= name.size();) {
            std::size_t end = name.find('/', start);
            if (end == std::string::npos) end = name.size();
            if (!key.empty()) key += '/';
            key += foldedName(name.substr(start, end - start));
            const bool last = end == name.size();
            const auto known = seen_.find(key);
            if (last) {
                if (known != seen_.end() && (known->second.explicitEntry || !folder || known->second.file != !folder))
                    clash = known->second.name;
                if (known == seen_.end() || !known->second.explicitEntry) seen_[key] = {name, !folder, true};
            } else if (known == seen_.end()) {
                seen_[key] = {name.substr(0, end), false, false};
            } else if (known->second.file) {
                clash = known->second.name;
            }
            start = end + 1;
        }
        return clash;
    }

private:
    struct Seen {
        std::string name;
        bool file;
        bool explicitEntry;
    };
    std::map<std::string, Seen> seen_;
};

}  // namespace

ArchiveScan scanArchive(Host& host, const std::string& path, const FileConsumer& consumer, const ScanOptions& options) {
    ArchiveScan scan;
    ArchiveReader reader(host, path);
    scan.archiveBytes = reader.archiveSize();
    if (reader.fault() == ArchiveFault::Unopenable || reader.fault() == ArchiveFault::NotAnArchive) {
        scan.fault = reader.fault();
        scan.failure = reader.failure();
        return scan;
    }
    ArchiveScanner scanner(scan, options, reader);
    EntryBytes bytes(reader, scanner);
    SameNames sameNames;
    std::uint64_t entries = 0;
    std::vector<char> drain(64 * 1024);
    auto refuse = [&](ImportRefusal refusal) {
        scan.refusals.push_back(std::move(refusal));
        return !options.stopAtRefusal;
    };

    ArchiveEntry entry;
    while (!scanner.cancelled() && reader.next(entry)) {
        if (++entries > kMaxArchiveEntries) {
            scanner.stop({Refusal::TooManyEntries, {}, {}, kMaxArchiveEntries});
            break;
        }
        scanner.tell();
        std::string name = entry.name;
        for (char& c : name)
            if (c == '\\') c = '/';
        if (!entry.nameDecoded) {
            if (!refuse({Refusal::NameUndecodable, name, {}})) break;
            continue;
        }
        EntryName judged = judgeEntryName(entry.name);
        if (judged.refusal) {
            if (!refuse(*judged.refusal)) break;
            continue;
        }
        if (entry.kind == EntryKind::Link || entry.kind == EntryKind::Special) {
            if (!refuse({Refusal::NotFileOrFolder, name, {}})) break;
            continue;
        }
        const bool folder = entry.kind == EntryKind::Folder;
        while (!name.empty() && name.back() == '/') name.pop_back();
        while (name.starts_with("./")) name.erase(0, 2);
        if (auto other = sameNames.add(name, folder)) {
            if (!refuse({Refusal::SameName, name, *other})) break;
            continue;
        }
        if (!folder) {
            if (auto cause = contentRefusal(entry)) {
                if (!refuse({*cause, name, {}, *cause == Refusal::UnknownMethod ? entry.zipMethod : 0})) break;
                continue;
            }
        }

        ScannedEntry scanned{name, std::move(judged.parts), folder, 0};
        const std::size_t index = scan.entries.size();
        if (!folder) {
            bytes.start(entry.declaredSize);
            if (consumer && !consumer(index, scanned, bytes)) {
                scan.stoppedByConsumer = true;
                break;
            }
            while (bytes.read(drain.data(), drain.size()) > 0) {
            }
            scanned.size = bytes.counted();
            if (reader.fault() == ArchiveFault::None && !scanner.stopped() && entry.declaredSize != kUnknownSize &&
                bytes.counted() != entry.declaredSize) {
                if (!refuse({Refusal::Damaged, name, {}})) break;
                continue;
            }
        }
        if (reader.fault() != ArchiveFault::None || scanner.stopped()) break;
        scan.entries.push_back(std::move(scanned));
    }
    if (const auto cause = faultRefusal(reader.fault())) {
        scan.refusals.push_back({*cause, reader.faultEntry(), {}});
        scan.failure = reader.failure();
    }
    if (options.progress && !scanner.stopped()) options.progress(scan.archiveBytes, scan.archiveBytes);
    return scan;
}

}  // namespace modsetup
