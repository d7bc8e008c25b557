#include "core/mod_name.h"

#include <algorithm>
#include <array>

#include "core/ascii_case.h"
#include "core/config.h"
#include "core/display_text.h"
#include "core/error_text.h"

namespace modsetup {
namespace {

// Characters that would let the name leave the "mods" folder, are not allowed
// in a Windows file name, or mean something to the command interpreter that
// runs the launch script.
constexpr std::string_view kForbidden = "\\/:*?\"<>|&^%";

// Names Windows gives to devices in every folder: "mods\CON" is the console.
constexpr std::array<std::string_view, 22> kDeviceNames{{
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9",
}};

// A device name alone or before a dot ("con", "NUL.txt", "Com1.x.y"); blanks
// before that dot are dropped by Windows as well.
bool isDeviceName(std::string_view modName) {
    std::string_view stem = modName.substr(0, modName.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    return std::any_of(kDeviceNames.begin(), kDeviceNames.end(),
                       [stem](std::string_view device) { return equalsIgnoringCase(stem, device); });
}

}  // namespace

bool isSafeModName(std::string_view modName) {
    if (modName.empty() || modName.size() > kMaxModNameBytes) return false;
    // Windows drops trailing dots and blanks from a folder name: Apply would
    // write one folder and the game look for another, and a name made of
    // nothing else ("", ".", "..", " ") would name "mods" or its parent.
    if (modName.back() == ' ' || modName.back() == '.') return false;
    if (isDeviceName(modName)) return false;
    for (char c : modName)
        if (isControlCharacter(c) || kForbidden.find(c) != std::string_view::npos) return false;
    return true;
}

std::string unsafeModNameMessage(std::string_view configBase, std::string_view modName) {
    std::string message = "The mod name " + quoted(modName) + " in " + quoted(modIniPath(std::string(configBase))) +
                          " cannot be used as a folder name.\n";
    message += "A mod name must not be empty, end in a blank or a dot, be longer than " +
               std::to_string(kMaxModNameBytes) +
               " bytes, or be a device name of Windows (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, alone or "
               "before a dot), and must not contain a control character or any of ";
    for (char c : kForbidden) {
        message += c;
        message += ' ';
    }
    message.pop_back();
    message += ".\nCorrect the second line of that file, then press Undo to read it again.";
    return message;
}

}  // namespace modsetup
