#pragma once
// Names that arrive as text (an archive's entry names, decoded to UTF-8) as
// the system's file names hold them: on Windows bytes of the system's 8-bit
// code page, as every stored name of the program is; elsewhere the UTF-8
// itself.

#include <string>
#include <string_view>

namespace modsetup {

struct SystemName {
    // The name's bytes. When the code page cannot hold a character of it,
    // they only show the name in messages, each such character as \u{XXXX}.
    std::string bytes;
    bool representable = true;
};

// utf8 must be valid UTF-8.
SystemName systemNameFromUtf8(std::string_view utf8);

}  // namespace modsetup
