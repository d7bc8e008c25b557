#pragma once
// ModName comes from mod.ini, which ships with downloaded set libraries, and is
// pasted into folder paths and into the batch file that Play runs. A name that
// could leave the game mod folder, carry commands, or not be a folder on
// Windows (where the game runs, whichever system made the mod pack) is refused.

#include <cstddef>
#include <string_view>

namespace modsetup {

// The longest folder name a file system holds.
inline constexpr std::size_t kMaxModNameBytes = 255;

// Besides what Windows does not allow in a name (which includes the
// separators that would let the name leave the "mods" folder), characters
// that mean something to the command interpreter that runs the launch script.
inline constexpr std::string_view kModNameScriptCharacters = "&^%";

// False for an empty name; a name ending in a blank or a dot (Windows drops
// them, so "", ".", ".." and " " are among these); a name longer than
// kMaxModNameBytes; a device name of Windows (CON, PRN, AUX, NUL, COM1 to
// COM9, LPT1 to LPT9 in any letter case, alone or before a dot); and a name
// holding \ / : * ? " < > | & ^ % or a control character.
bool isSafeModName(std::string_view modName);

// Where a mod name has its first byte past ASCII, or npos. Play cannot hand
// such a name to the game as it is: the command interpreter reads the launch
// script in the console's code page (on Windows and under Wine alike), not
// in the one the program writes names in, so the game is started with
// another character there than the folder Apply made.
std::size_t firstByteBeyondAscii(std::string_view modName);

}  // namespace modsetup
