#include "front/shown_text.h"

#include "core/base/utf8.h"

#include <optional>

namespace modsetup::front {
namespace {

// Strict UTF-8, as utf8SequenceLength judges it.
std::optional<ShownText> decodeUtf8(std::string_view bytes) {
    ShownText text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t code = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = code < 0x80 ? 1 : utf8SequenceLength(bytes, i, code);
        if (length == 0) return std::nullopt;
        text += code;
        i += length;
    }
    return text;
}

ShownText bytewise(std::string_view bytes) {
    ShownText text;
    text.reserve(bytes.size());
    for (char c : bytes) text += static_cast<char32_t>(static_cast<unsigned char>(c));
    return text;
}

}  // namespace

ShownText Utf8OrLatin1Text::shown(std::string_view bytes) const {
    if (auto text = decodeUtf8(bytes)) return std::move(*text);
    return bytewise(bytes);  // Latin-1 is the first 256 code points
}

std::string Utf8OrLatin1Text::bytes(const ShownText& text) const {
    std::string out;
    out.reserve(text.size());
    for (char32_t code : text) appendUtf8(out, code);
    return out;
}

ShownText CodePageText::shown(std::string_view bytes) const { return bytewise(bytes); }

std::string CodePageText::bytes(const ShownText& text) const {
    std::string out;
    out.reserve(text.size());
    for (char32_t code : text) out += static_cast<char>(code & 0xFF);
    return out;
}

ShownText fixedText(std::string_view utf8) {
    if (auto text = decodeUtf8(utf8)) return std::move(*text);
    return bytewise(utf8);
}

}  // namespace modsetup::front
