#pragma once
// Which names an archive's entry may have and which files it may hold, so
// that nothing unpacked can escape its folder, be taken for a device, clash
// with another file on Windows, or run.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/import_facts.h"

namespace modsetup {

// The parts of an entry's name (UTF-8, "/" or "\" between parts; a folder's
// trailing separator dropped), or why it is refused. The longest part is
// judged in the bytes the system stores (system_names.h).
struct EntryName {
    std::vector<std::string> parts;  // as the system names them
    std::optional<ImportRefusal> refusal;
};
EntryName judgeEntryName(std::string_view utf8Name);

// A file of an executable type (.exe .dll .bat .cmd .com .scr .pif .lnk .url
// .ps1 .vbs .js .msi), judged by its last part.
bool isExecutableName(std::string_view name);
// A file of an archive format (.zip .7z .rar and the like).
bool isArchiveName(std::string_view name);

// A key under which two names that are one file on Windows are equal: the
// name with its letters in one case (ASCII, Latin-1, Latin Extended-A,
// Greek and Cyrillic; UTF-8 in, UTF-8 out).
std::string foldedName(std::string_view utf8);

}  // namespace modsetup
