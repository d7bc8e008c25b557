#pragma once
// What an import refuses, as facts: the cause, the entry it concerns and any
// count or name beside it. The window's and the check's catalogues put them
// into words.

#include <cstdint>
#include <string>

namespace modsetup {

enum class Refusal {
    // An entry's kind or name.
    NotFileOrFolder,    // a symbolic or hard link, a device, a pipe
    NameUndecodable,    // not text in the archive's encoding
    NameAbsolute,       // begins with "/" or "\"
    NameParentStep,     // a part is ".."
    NameDrive,          // a drive ("C:") or the "\\?\" or "\??\" form
    NameControl,        // a control character
    NameForbidden,      // one of : * ? " < > | (detail: the character)
    NameTrailing,       // a part ends in a dot or a blank (detail: the part)
    NameDevice,         // a part is a device name of Windows (detail: the part)
    NamePartTooLong,    // a part has more than 255 bytes (detail: the part)
    NameNotInCodePage,  // the system's code page cannot hold it
    SameName,           // one file with another once letter case is ignored (detail: the other)
    // An entry's contents.
    Encrypted,
    Deflate64,      // a zip method the library does not decode; repacking helps
    UnknownMethod,  // count: the zip method's number
    NestedArchive,  // an archive inside the archive, left unopened
    Executable,     // a program, a script or a link to one
    Unused,         // a file no set uses
    Undecodable,    // its data could not be decoded (damaged, or a method the library lacks)
    // The archive as a whole.
    TooManyEntries,  // count: the limit
    TooLarge,        // count: the limit in bytes
    TooCompressed,   // count: the ratio's limit
    Damaged,
    NamesDisagree,  // a zip's local header and its directory name different files
    Overlapping,    // two of a zip's entries share bytes
    NoLayout,       // its content fits no layout of sets
};

struct ImportRefusal {
    Refusal cause;
    std::string entry;   // as the archive names it (UTF-8), "/" between parts; empty for the archive
    std::string detail;  // the other name, the character or the part concerned
    std::uint64_t count = 0;
    bool operator==(const ImportRefusal&) const = default;
};

// Bounds on what an archive may unpack to: counted while it is read, never
// taken from its headers.
inline constexpr std::uint64_t kMaxArchiveEntries = 10'000;
inline constexpr std::uint64_t kMaxDecodedBytes = std::uint64_t{1} << 30;
inline constexpr std::uint64_t kMaxCompressionRatio = 100;

}  // namespace modsetup
