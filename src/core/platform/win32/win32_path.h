#pragma once
// How the Windows host hands the program's paths to the system. The program
// keeps names as bytes of the system's 8-bit code page (the selections file
// and the lists hold them so); the wide calls take UTF-16, converted exactly
// both ways, so that no name reaches a file operation as a "?" stand-in.
//
// The wide calls are given every path absolute in the \\?\ form
// (extended_path.h).

#include <optional>
#include <string>
#include <string_view>

namespace modsetup {

// The code-page bytes as UTF-16; nothing when a byte is no character of the
// code page.
std::optional<std::wstring> wideFromCodePage(std::string_view text);

// The UTF-16 text in the code page, exactly: nothing when a character has no
// place in it (nor a best-fit stand-in), or when the bytes would not read
// back as the same text.
std::optional<std::string> codePageFromWide(std::wstring_view text);

// The text in the code page for showing only: each character the code page
// lacks written as \u{XXXX} (escaped), or as "?" (which names no file).
std::string shownFromWide(std::wstring_view text, bool escaped);

// A path of the program's, converted and made absolute in the \\?\ form
// against the working directory; nothing when it names no file (a byte that is no
// character, a NUL byte: the system would read the path only up to it).
std::optional<std::wstring> systemPath(std::string_view path);

}  // namespace modsetup
