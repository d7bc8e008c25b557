#pragma once
// UTF-8 as names are judged and shown: strict, so that a byte string is
// either text in UTF-8 or 8-bit text, never half of each.

#include <cstddef>
#include <string>
#include <string_view>

namespace modsetup {

// The length of the strict UTF-8 sequence (no overlong forms, no surrogates,
// nothing past U+10FFFF) of more than one byte that starts at i, with its
// code point in decoded; 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i, char32_t& decoded);

// Appends code (at most U+10FFFF, no surrogate) in UTF-8.
void appendUtf8(std::string& out, char32_t code);

}  // namespace modsetup
