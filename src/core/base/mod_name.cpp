#include "core/base/mod_name.h"

#include <algorithm>

#include "core/base/escaping.h"
#include "core/base/windows_names.h"

namespace modsetup {

bool isSafeModName(std::string_view modName) {
    if (modName.empty() || modName.size() > kMaxModNameBytes) return false;
    // Windows drops trailing dots and blanks from a folder name: Apply would
    // write one folder and the game look for another, and a name made of
    // nothing else ("", ".", "..", " ") would name "mods" or its parent.
    if (windowsNameProblem(modName).problem != WindowsNameProblem::None) return false;
    return std::none_of(modName.begin(), modName.end(), [](char c) {
        return isControlCharacter(c) || kModNameScriptCharacters.find(c) != std::string_view::npos;
    });
}

std::size_t firstByteBeyondAscii(std::string_view modName) {
    const auto beyond = std::find_if(modName.begin(), modName.end(), [](char c) { return (c & 0x80) != 0; });
    return beyond == modName.end() ? std::string_view::npos : static_cast<std::size_t>(beyond - modName.begin());
}

}  // namespace modsetup
