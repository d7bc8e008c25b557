#pragma once
// Names Windows cannot hold as they are. Set libraries and mod names are made
// on any system, but the game runs on Windows, where a folder named so is
// renamed, refused or taken for a device.

#include <string_view>

namespace modsetup {

// The characters no Windows file name holds.
inline constexpr std::string_view kWindowsForbiddenCharacters = "\\/:*?\"<>|";

// A device name of Windows (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9,
// CONIN$, CONOUT$, COM and LPT with a superscript digit in UTF-8, in any
// letter case), alone or before a dot: "con", "NUL.txt", "Com1.x.y".
// Blanks before that dot are dropped by Windows as well.
bool isWindowsDeviceName(std::string_view name);

// Why Windows cannot hold a folder of this name as it is. Control characters
// are not looked at here: no set offered holds one.
enum class WindowsNameProblem { None, EndsInDot, EndsInBlank, DeviceName, ForbiddenCharacter };
struct WindowsNameFault {
    WindowsNameProblem problem = WindowsNameProblem::None;
    char character = 0;  // ForbiddenCharacter: the first one the name holds
};
WindowsNameFault windowsNameProblem(std::string_view name);

}  // namespace modsetup
