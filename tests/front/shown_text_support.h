#pragma once
// Shown texts in the presenter tests: written and read as UTF-8, and a letter
// case folding for the ASCII and Latin-1 letters the tests use.

#include <string>

#include "front/shown_text.h"

namespace modsetup::front {

inline char32_t testCaseFold(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;  // Latin-1 capitals
    return c;
}

// A shown text as UTF-8, for messages and comparisons.
inline std::string utf8(const ShownText& text) { return Utf8OrLatin1Text(testCaseFold).bytes(text); }

// A UTF-8 literal as a shown text.
inline ShownText shown(const std::string& utf8Text) { return Utf8OrLatin1Text(testCaseFold).shown(utf8Text); }

}  // namespace modsetup::front
