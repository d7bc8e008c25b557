#pragma once
// Shown texts in the presenter tests: written and read as UTF-8, a letter case
// folding for the ASCII and Latin-1 letters the tests use, and edit fields.

#include <string>

#include "front/shown_text.h"
#include "front/typing.h"

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

// A list's edit field as "G[old]": the selected part in brackets.
inline std::string state(const ListEdit& edit) {
    if (edit.selectionLength == 0) return utf8(edit.text);
    const ShownText& t = edit.text;
    return utf8(t.substr(0, edit.selectionStart)) + "[" + utf8(t.substr(edit.selectionStart, edit.selectionLength)) +
           "]" + utf8(t.substr(edit.selectionStart + edit.selectionLength));
}

}  // namespace modsetup::front
