#include "core/display_text.h"

namespace modsetup {
namespace {

constexpr std::string_view kElision = "...";
// A UTF-8 sequence is at most four bytes: a cut moves over at most three
// continuation bytes. (In an 8-bit code page such bytes are characters of
// their own; moving the cut by a few of them does no harm.)
constexpr std::size_t kMaxContinuationBytes = 3;

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

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
    std::string visible;
    for (char c : shortenedMiddle(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (isControlCharacter(c)) {
            visible += "\\x";
            visible += kHex[byte >> 4];
            visible += kHex[byte & 15];
        } else {
            visible += c;
        }
    }
    return shortenedMiddle(visible);
}

}  // namespace modsetup
