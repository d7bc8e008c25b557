#pragma once
// Archives made by the tests with libarchive's write interface, in memory:
// zip (each entry stored or packed by a method of its own) and 7z, with the
// entry kinds and names a hostile archive holds.

#include <string>
#include <vector>

namespace modsetup::testing {

struct ArchiveItem {
    enum Kind { File, Folder, SymbolicLink } kind = File;
    std::string name;
    std::string bytes;  // a file's; a link's target
};

enum class ArchiveFormat { ZipStored, ZipDeflated, ZipEncrypted, SevenZip };

std::string makeArchive(ArchiveFormat format, const std::vector<ArchiveItem>& items);

// A zip's method field set to method in every header (zip_directory.h), as
// Windows writes Deflate64: the bytes as the libarchive of the tests wrote
// them otherwise.
std::string withZipMethod(std::string zip, unsigned method);

// The first local header's name replaced by another of the same length.
std::string withLocalName(std::string zip, const std::string& from, const std::string& to);

// A zip whose central directory lists its first entry twice, under two
// names, both at the same bytes.
std::string withSharedBytes(const std::string& zip, const std::string& secondName);

}  // namespace modsetup::testing
