#include "core/mod_name.h"

#include "core/config.h"

namespace modsetup {
namespace {

// Characters that would let the name leave the "mods" folder, are not allowed
// in a Windows file name, or mean something to the command interpreter that
// runs the launch script.
constexpr std::string_view kForbidden = "\\/:*?\"<>|&^%";

bool isControl(unsigned char c) { return c < 32 || c == 127; }

// The name as the message shows it: control characters become \xNN, so that
// a line break or a tab in the name can be seen.
std::string visibleName(std::string_view modName) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (char c : modName) {
        const auto byte = static_cast<unsigned char>(c);
        if (isControl(byte)) {
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 15];
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

bool isSafeModName(std::string_view modName) {
    // Windows drops trailing dots and blanks from a folder name, so a name made
    // of nothing else ("", ".", "..", "...", " ") would name "mods" or its parent.
    if (modName.find_first_not_of(". ") == std::string_view::npos) return false;
    for (char c : modName)
        if (isControl(static_cast<unsigned char>(c)) || kForbidden.find(c) != std::string_view::npos) return false;
    return true;
}

std::string unsafeModNameMessage(std::string_view configBase, std::string_view modName) {
    std::string message = "The mod name \"" + visibleName(modName) + "\" in \"" + modIniPath(std::string(configBase)) +
                          "\" cannot be used as a folder name.\n";
    message += "A mod name must not be empty or made of dots and blanks only, and must not contain a control "
               "character or any of ";
    for (char c : kForbidden) {
        message += c;
        message += ' ';
    }
    message.pop_back();
    message += ".\nCorrect the second line of that file, then press Undo to read it again.";
    return message;
}

}  // namespace modsetup
