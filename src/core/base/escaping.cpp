#include "core/base/escaping.h"

#include "core/base/utf8.h"

namespace modsetup {
namespace {

constexpr std::string_view kElision = "...";
// A UTF-8 sequence is at most four bytes: a cut moves over at most three
// continuation bytes. (In an 8-bit code page such bytes are characters of
// their own; moving the cut by a few of them does no harm.)
constexpr std::size_t kMaxContinuationBytes = 3;

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The embeddings, overrides and isolates, which make a terminal show the text
// around them in another order.
constexpr bool isDirectionControl(char32_t code) {
    return (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
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
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F) || isDirectionControl(code)) {
            // A control in UTF-8 is one character of two or three bytes; a
            // lone byte stands for itself, as an 8-bit code page or Latin-1
            // has it.
            if (length >= 2) {
                visible += "\\u{";
                if (code > 0xFF) hex(visible, static_cast<unsigned>(code >> 8));
                hex(visible, static_cast<unsigned>(code & 0xFF));
                visible += '}';
            } else {
                visible += "\\x";
                hex(visible, static_cast<unsigned>(code));
            }
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
