#include "front/shown_text.h"

#include <optional>

namespace modsetup::front {
namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
std::optional<ShownText> decodeUtf8(std::string_view bytes) {
    ShownText text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        char32_t code = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            text += static_cast<char32_t>(lead);
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, smallest = 0x10000;
        } else {
            return std::nullopt;
        }
        if (bytes.size() - i < static_cast<std::size_t>(length)) return std::nullopt;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
        text += code;
        i += static_cast<std::size_t>(length);
    }
    return text;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
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

ShownText asciiText(std::string_view ascii) { return bytewise(ascii); }

}  // namespace modsetup::front
