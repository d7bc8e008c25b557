#pragma once
// ModName comes from mod.ini, which ships with downloaded set libraries, and is
// pasted into folder paths and into the batch file that Play runs. A name that
// could leave the game mod folder or carry commands is refused.

#include <string>
#include <string_view>

namespace modsetup {

// False for names made of dots and blanks only ("", ".", "..", " "), and for
// names holding \ / : * ? " < > | & ^ % or a control character.
bool isSafeModName(std::string_view modName);

// The error report's message naming mod.ini and the offending name.
std::string unsafeModNameMessage(std::string_view configBase, std::string_view modName);

}  // namespace modsetup
