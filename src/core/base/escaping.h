#pragma once
// Bounds on what the user is shown. Names, paths and titles come from set
// libraries and configuration files that anyone may make; a message or a
// title built from them stays readable and small whatever they hold.

#include <cstddef>
#include <string>
#include <string_view>

namespace modsetup {

// The longest name or path a message shows whole. Every file name and every
// path of the plain Windows length (259 characters at most) fits.
inline constexpr std::size_t kMaxShownNameBytes = 260;
// The longest window title.
inline constexpr std::size_t kMaxTitleBytes = 256;
// How many items a report lists before it only counts the rest.
inline constexpr std::size_t kMaxListedItems = 5;

// Bytes 0 to 31 and 127: line breaks, tabs and the like, which no set name
// offered and no name shown in a message holds as it is.
constexpr bool isControlCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 32 || byte == 127;
}

// The text itself when it has at most maxBytes bytes; otherwise its beginning
// and its end joined by "...", maxBytes bytes at most in all. The cuts never
// split a UTF-8 sequence, so UTF-8 text stays valid.
std::string shortenedMiddle(std::string_view text, std::size_t maxBytes = kMaxShownNameBytes);

// A name, path or file line as a message or a report shows it, safe on any
// terminal: shortened as above, and every control character written out, so
// that a line break or a tab can be seen, no escape sequence reaches a
// terminal and nothing reorders what a terminal shows around the name. A byte
// 0 to 31, 127, or 128 to 159 outside a UTF-8 sequence becomes \xNN; a UTF-8
// sequence of U+0080 to U+009F becomes \u{NN}, and one of the direction
// controls U+202A to U+202E and U+2066 to U+2069 becomes \u{NNNN}. Every
// other byte, valid UTF-8 and 8-bit text alike, stays as it is.
std::string visibleText(std::string_view text);

// The name or path as visibleText shows it, in double quotes: how every
// message names a file, a folder or a set.
std::string quoted(std::string_view nameOrPath);

}  // namespace modsetup
