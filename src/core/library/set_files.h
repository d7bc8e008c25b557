#pragma once
// The files a set of a slot is expected to hold, gathered from the program's
// own tables: the preview pictures the window shows and the files Apply
// installs. A file named by several rows (a bullet shown three times, the
// picture both shown and installed, "Weapons-gfx" and "weapons-gfx") is
// listed once, so that the check reads it once. The check reads a set by
// them, and an archive's import knows by them which files belong to a set.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace modsetup {

struct SetFile {
    std::string suffix;      // after the set folder, as Apply writes it where it installs the file
    bool shown = false;      // a preview picture of the window
    bool installed = false;  // copied into the game mod folder by Apply
    bool picture = false;    // a bitmap file, decoded by the check
};

// The files of a slot's sets, in the order of the previews and then of the
// installation tables. Weapon sets also hold name.txt and stats.ini, which
// are not listed here.
std::vector<SetFile> setFilesOf(std::size_t slot);

// The sub-folders of a set that a suffix passes through, outermost first:
// "\Gostek-gfx\ranny\klata.bmp" gives "\Gostek-gfx" and "\Gostek-gfx\ranny".
std::vector<std::string_view> foldersOf(std::string_view suffix);

}  // namespace modsetup
