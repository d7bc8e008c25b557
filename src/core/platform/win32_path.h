#pragma once
// How the Windows host hands the program's paths to the system. The program
// keeps names as bytes of the system's 8-bit code page (the selections file
// and the lists hold them so); the wide calls take UTF-16, converted exactly
// both ways, so that no name reaches a file operation as a "?" stand-in.
//
// The wide calls are given every path absolute in the \\?\ form, which
// reaches paths of any length and passes each name to the file system as it
// is: "AK Night." stays "AK Night.", where the plain form would trim it to
// its namesake "AK Night". Since the system then reads the path literally,
// the few meanings it gives a plain path are kept here, and no others: "/"
// is a separator too, a run of separators counts as one (a path joined with
// an empty list text holds two), "." and ".." pieces step in place and up,
// and a path is relative to the working directory (or to the current folder
// of its drive, for "D:folder").

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

// The absolute \\?\ form of path, with the meanings above. base is where a
// relative path starts: the working directory, or for "D:folder" the current
// folder of drive D. A path already in the \\?\ or \\.\ form is the system's
// own and is returned as it is. Nothing for a path that names no file (empty,
// or "\\server" without a share).
std::optional<std::wstring> extendedPath(std::wstring_view path, std::wstring_view base);

// A path the system reported, in its plain form: "\\?\C:\x" as "C:\x",
// "\\?\UNC\server\share" as "\\server\share".
std::wstring withoutExtendedPrefix(std::wstring path);

// A path of the program's, converted and made absolute as above against the
// working directory; nothing when it names no file (a byte that is no
// character, a NUL byte: the system would read the path only up to it).
std::optional<std::wstring> systemPath(std::string_view path);

}  // namespace modsetup
