#pragma once
// The game mod folder, "mods\" + ModName in the game's folder, and the
// folders Apply creates below the game mod folder, one level per entry, in
// the order of creation: each entry's parent comes before it. "mods" itself is
// never created; it has to be there already, in the game's folder.

#include <array>
#include <string>
#include <string_view>

namespace modsetup {

inline constexpr std::string_view kModsFolder = "mods";

// "mods\" + ModName + piece; every piece begins with a backslash.
inline std::string modPath(std::string_view modName, std::string_view piece) {
    std::string path(kModsFolder);
    path += '\\';
    path += modName;
    path += piece;
    return path;
}

inline constexpr std::array<std::string_view, 11> kModFolderTree{{
    "\\",  // the game mod folder itself, written with a trailing backslash
    "\\interface-gfx",
    "\\interface-gfx\\guns",
    "\\weapons-gfx",
    "\\sfx",
    "\\txt",
    "\\anims",
    "\\gostek-gfx",
    "\\gostek-gfx\\ranny",
    "\\gostek-gfx\\team2",
    "\\gostek-gfx\\team2\\ranny",
}};

}  // namespace modsetup
