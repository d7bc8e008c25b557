#include "front/choices_text.h"

#include "core/library/choices_code.h"
#include "core/report/messages.h"
#include "front/messages.h"

namespace modsetup::front {
namespace {

ShownText lineStart(std::string_view name) { return fixedText(name) + U": "; }

// A readable line's value after "name: ", if it is that line.
std::optional<ShownText> valueOf(const ShownText& line, std::string_view name) {
    const ShownText start = lineStart(name);
    if (!line.starts_with(start)) return std::nullopt;
    return line.substr(start.size());
}

std::vector<ShownText> linesOf(const ShownText& text) {
    std::vector<ShownText> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find(U'\n', start);
        if (end == ShownText::npos) end = text.size();
        ShownText line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == U'\r' || line.back() == U' ')) line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::optional<ShownText> choicesAsText(const SlotTexts& texts, bool boxTicked, const TextCodec& codec) {
    const std::optional<std::string> bytes = selectionsText(texts, boxTicked);
    if (!bytes) return std::nullopt;
    ShownText text;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        text += lineStart(kListNames[slot]) + codec.shown(texts[slot]) + U'\n';
    text += lineStart(kBoxLineName) + fixedText(boxTicked ? kYes : kNo) + U'\n';
    return text + fixedText(choicesCode(*bytes)) + U'\n';
}

ChoicesFile choicesFromText(const ShownText& text, const TextCodec& codec) {
    // The longest choices file, as text, with its lines' names around it.
    if (text.size() > 4 * kMaxLineFileBytes) return {std::nullopt, {ChoicesRefusal::Kind::TooLarge, 0, {}, {}}};
    const std::vector<ShownText> lines = linesOf(text);
    for (const ShownText& line : lines) {
        // The code is ASCII: a line with any other character is none.
        std::string ascii;
        for (const char32_t c : line) ascii += c < 0x80 ? static_cast<char>(c) : '\x01';
        if (const std::optional<std::string> bytes = decodeChoicesCode(ascii)) return parseChoices(*bytes);
    }
    std::array<std::string, kSlotCount + 1> named;
    bool any = false;
    for (const ShownText& line : lines) {
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            if (const auto value = valueOf(line, kListNames[slot])) {
                named[slot] = codec.bytes(*value);
                any = true;
            }
        }
        // A string of its own, moved in: GCC 12 warns (-Wrestrict, a false
        // alarm) on assigning a literal here.
        if (const auto value = valueOf(line, kBoxLineName))
            named[kSlotCount] = std::string(1, *value == fixedText(kYes) ? '1' : '0');
    }
    if (!any) return {};
    std::string bytes;
    for (const std::string& line : named) bytes += line + "\n";
    return parseChoices(bytes);
}

}  // namespace modsetup::front
