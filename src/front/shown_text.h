#pragma once
// Names travel through the program as 8-bit byte strings, exactly as the set
// library and the configuration files hold them. A window shows them as text
// and turns what the user types back into bytes; how depends on the host:
//
// - On Windows the bytes are text of the system's 8-bit code page, and the
//   window shows and takes that code page directly: one character per byte.
// - Elsewhere file names are usually UTF-8 but may be any bytes: valid UTF-8
//   is shown as UTF-8, any other name as Latin-1, so every name has a
//   readable form; typed text becomes UTF-8, as the file system names it.
//
// Letter case is folded by the toolkit's own rule (it knows the characters
// the window shows), which is handed in.

#include <string>
#include <string_view>

namespace modsetup::front {

// Text as a window shows it, one code point per character.
using ShownText = std::u32string;

// Maps a character to the form in which letters of either case are equal.
using CaseFold = char32_t (*)(char32_t);

class TextCodec {
public:
    explicit TextCodec(CaseFold fold) : fold_(fold) {}
    virtual ~TextCodec() = default;
    virtual ShownText shown(std::string_view bytes) const = 0;
    // The bytes of a text the user typed.
    virtual std::string bytes(const ShownText& text) const = 0;
    char32_t fold(char32_t c) const { return fold_(c); }

private:
    CaseFold fold_;
};

// Valid UTF-8 shown as UTF-8, other bytes as Latin-1; typed text as UTF-8.
class Utf8OrLatin1Text final : public TextCodec {
public:
    using TextCodec::TextCodec;
    ShownText shown(std::string_view bytes) const override;
    std::string bytes(const ShownText& text) const override;
};

// One character per byte of the system's 8-bit code page, both ways.
class CodePageText final : public TextCodec {
public:
    using TextCodec::TextCodec;
    ShownText shown(std::string_view bytes) const override;
    std::string bytes(const ShownText& text) const override;
};

// The text of one of the program's own UTF-8 strings (menu entries, fixed
// words), whatever the codec the window shows names with.
ShownText fixedText(std::string_view utf8);

}  // namespace modsetup::front
