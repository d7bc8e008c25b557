#include "core/library/set_files.h"

#include "core/base/ascii_case.h"
#include "core/game/slots.h"
#include "core/game/soldier_files.h"
#include "core/game/weapon_copies.h"
#include "core/library/previews.h"

namespace modsetup {
namespace {

bool endsWithBitmap(std::string_view suffix) { return lowerAscii(suffix).ends_with(".bmp"); }

// Adds a file, or marks the one already listed under the same name.
SetFile& addFile(std::vector<SetFile>& files, std::string_view suffix) {
    const std::string key = lowerAscii(suffix);
    for (SetFile& file : files)
        if (lowerAscii(file.suffix) == key) return file;
    files.push_back({std::string(suffix), false, false, endsWithBitmap(suffix)});
    return files.back();
}

}  // namespace

std::vector<SetFile> setFilesOf(std::size_t slot) {
    std::vector<SetFile> files;
    for (const PreviewPicture& preview : slotPreviews(slot)) addFile(files, preview.suffix).shown = true;
    for (const WeaponCopy& copy : kWeaponCopies) {
        if (copy.slot != slot) continue;
        SetFile& file = addFile(files, copy.source);
        // Shown under the spelling Apply uses: previews write some folders
        // with a capital letter, the installation table never does.
        file.suffix = std::string(copy.source);
        file.installed = true;
    }
    for (const TeamFolder& team : kTeamFolders) {
        if (team.slot != slot) continue;
        for (std::string_view name : kSoldierFiles) {
            std::string suffix(kSoldierSetFolder);
            suffix += name;
            addFile(files, suffix).installed = true;
        }
    }
    return files;
}

std::vector<std::string_view> foldersOf(std::string_view suffix) {
    std::vector<std::string_view> folders;
    for (std::size_t at = suffix.find('\\', 1); at != std::string_view::npos; at = suffix.find('\\', at + 1))
        folders.push_back(suffix.substr(0, at));
    return folders;
}

}  // namespace modsetup
