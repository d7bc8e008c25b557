#include "core/display_text.h"

namespace modsetup {
namespace {

constexpr std::string_view kElision = "...";
// A UTF-8 sequence is at most four bytes: a cut moves over at most three
// continuation bytes. (In an 8-bit code page such bytes are characters of
// their own; moving the cut by a few of them does no harm.)
constexpr std::size_t kMaxContinuationBytes = 3;

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length of the strict UTF-8 sequence (no overlong forms, no surrogates,
// nothing past U+10FFFF) of more than one byte that starts at i, with its
// code point in code; 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i, char32_t& decoded) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuation(text[i + k])) return 0;
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    decoded = code;
    return length;
}

}  // namespace

std::string shortenedMiddle(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    if (maxBytes <= kElision.size()) return std::string(kElision.substr(0, maxBytes));
    const std::size_t kept = maxBytes - kElision.size();
    std::size_t headEnd = kept - kept / 2;
    std::size_t tailStart = text.size() - kept / 2;
    for (std::size_t i = 0; i < kMaxContinuationBytes && headEnd > 0 && isContinuation(text[headEnd]); ++i) --headEnd;
    for (std::size_t i = 0; i < kMaxContinuationBytes && tailStart < text.size() && isContinuation(text[tailStart]);
         ++i)
        ++tailStart;
    std::string shortened(text.substr(0, headEnd));
    shortened += kElision;
    shortened += text.substr(tailStart);
    return shortened;
}

std::string visibleText(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    auto hex = [](std::string& out, unsigned value) { (out += kHex[value >> 4]) += kHex[value & 15]; };
    const std::string shortened = shortenedMiddle(text);
    std::string visible;
    for (std::size_t i = 0; i < shortened.size();) {
        const auto byte = static_cast<unsigned char>(shortened[i]);
        char32_t code = byte;
        const std::size_t length = byte < 0x80 ? 1 : utf8SequenceLength(shortened, i, code);
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
            // A C1 control in UTF-8 is one character of two bytes; a lone
            // byte stands for itself, as an 8-bit code page or Latin-1 has it.
            visible += length == 2 ? "\\u{" : "\\x";
            hex(visible, static_cast<unsigned>(code));
            if (length == 2) visible += '}';
            i += length == 0 ? 1 : length;
        } else if (length == 0) {
            visible += shortened[i++];  // a byte of 8-bit text
        } else {
            visible.append(shortened, i, length);
            i += length;
        }
    }
    return shortenedMiddle(visible);
}

std::string quoted(std::string_view nameOrPath) {
    std::string text(1, '"');
    (text += visibleText(nameOrPath)) += '"';
    return text;
}

}  // namespace modsetup
