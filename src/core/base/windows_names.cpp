#include "core/base/windows_names.h"

#include <algorithm>
#include <array>

#include "core/base/ascii_case.h"

namespace modsetup {
namespace {

// Names Windows gives to devices in every folder: "mods\CON" is the console.
// Windows takes the superscript digits one to three (here in UTF-8) for
// their plain forms in COM and LPT names.
constexpr std::array<std::string_view, 30> kDeviceNames{{
    "CON",         "PRN",         "AUX",         "NUL",         "COM1",        "COM2",        "COM3",   "COM4",
    "COM5",        "COM6",        "COM7",        "COM8",        "COM9",        "LPT1",        "LPT2",   "LPT3",
    "LPT4",        "LPT5",        "LPT6",        "LPT7",        "LPT8",        "LPT9",        "CONIN$", "CONOUT$",
    "COM\xC2\xB9", "COM\xC2\xB2", "COM\xC2\xB3", "LPT\xC2\xB9", "LPT\xC2\xB2", "LPT\xC2\xB3",
}};

}  // namespace

bool isWindowsDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    return std::any_of(kDeviceNames.begin(), kDeviceNames.end(),
                       [stem](std::string_view device) { return equalsIgnoringCase(stem, device); });
}

WindowsNameFault windowsNameProblem(std::string_view name) {
    // Windows drops trailing dots and blanks: the folder would lose its name's end.
    if (name.ends_with('.')) return {WindowsNameProblem::EndsInDot};
    if (name.ends_with(' ')) return {WindowsNameProblem::EndsInBlank};
    if (isWindowsDeviceName(name)) return {WindowsNameProblem::DeviceName};
    if (const std::size_t at = name.find_first_of(kWindowsForbiddenCharacters); at != std::string_view::npos)
        return {WindowsNameProblem::ForbiddenCharacter, name[at]};
    return {};
}

}  // namespace modsetup
