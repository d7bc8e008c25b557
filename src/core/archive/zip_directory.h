#pragma once
// A zip archive's own directory, read before the archive's entries are
// decoded: the names as the archive stores them, how each entry is packed,
// and where its bytes lie. The decoding library reads each entry by its local
// header alone; a zip whose local headers name other files than its central
// directory, or whose entries share bytes, shows one archiver other contents
// than another, and is refused whole.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/io/host.h"

namespace modsetup {

// The compression methods a zip names (the numbers are the format's).
enum ZipMethod : unsigned {
    kZipStored = 0,
    kZipDeflated = 8,
    kZipDeflate64 = 9,  // Windows' own for very large folders; the library does not decode it
    kZipBzip2 = 12,
    kZipLzma = 14,
    kZipXz = 95,
    kZipAes = 99,  // WinZip's encryption
};

struct ZipRecord {
    std::string name;         // UTF-8, or the stored bytes when nameDecoded is false
    bool nameDecoded = true;  // false: marked UTF-8 but not valid UTF-8
    unsigned method = 0;
    bool encrypted = false;
    bool directory = false;    // its name ends in "/"
    bool link = false;         // made on a POSIX system as a symbolic link
    std::uint64_t size = 0;    // decoded size as the directory states it (never trusted as a limit)
    std::uint64_t offset = 0;  // of its local header
};

enum class ZipFault {
    None,
    NotZip,         // no end of a central directory: not a zip at all
    Damaged,        // the directory or a local header is cut short or lies outside the file
    NamesDisagree,  // a local header names another file than the directory
    Overlapping,    // two entries share bytes
};

struct ZipDirectory {
    ZipFault fault = ZipFault::None;
    std::string faultEntry;          // the entry concerned, for NamesDisagree and Overlapping
    std::vector<ZipRecord> records;  // in the order of their local headers, as they are decoded
};

// Reads the directory of the zip open in file (which must seek). Names not
// marked UTF-8 are decoded from code page 437, the format's own, unless the
// entry carries its name in UTF-8 beside it (Info-ZIP's field 0x7075) for
// the very name stored.
ZipDirectory readZipDirectory(InputFile& file);

// The bytes of code page 437 as UTF-8.
std::string utf8FromCodePage437(std::string_view bytes);

}  // namespace modsetup
