// The check's report on a terminal: whatever bytes a set library's names and
// lines hold, a finding shows no control character as it is, so nothing in a
// library can move the cursor, set the terminal's title, reorder the line or
// worse.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "check/messages.h"

namespace modsetup::check {
namespace {

// Every byte value, alone and after the UTF-8 lead byte 0xC2 (U+0080 to
// U+00BF for the bytes 0x80 to 0xBF), in the place a finding names and in a
// line it quotes. A lone byte is 8-bit text; UTF-8 is shown as UTF-8.
TEST(ReportText, EveryByteValueReachesTheTerminalSafely) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        char escaped[16];
        const bool control = byte < 0x20 || (byte >= 0x7F && byte <= 0x9F);
        for (const bool utf8 : {false, true}) {
            if (utf8 && (byte < 0x80 || byte > 0xBF)) continue;
            std::snprintf(escaped, sizeof escaped, utf8 ? "\\u{%02X}" : "\\x%02X", byte);
            const std::string raw = std::string(utf8 ? "\xC2" : "") + static_cast<char>(byte);
            const std::string name = "A" + raw + "Z";
            const std::string shown = std::string("A") + (control ? escaped : raw) + "Z";
            const Finding finding{Severity::Warning, Group::SlotFolder, 0, "1/" + name, nameLineLikeZeroText(name)};
            EXPECT_EQ(findingLine(finding), "warning: 1/" + shown + ": " + nameLineLikeZeroText(shown)) << byte;
        }
    }
    // A longer sequence holding a byte of the C1 range is no control: the euro sign.
    EXPECT_EQ(findingLine({Severity::Error, Group::ModIni, 0, "\xE2\x82\xAC", "x"}), "error: \xE2\x82\xAC: x");

    // The direction controls, which would make a terminal show the rest of
    // the line in another order, and their neighbours, which stay.
    const std::pair<const char*, const char*> directions[] = {
        {"\xE2\x80\xA9", "\xE2\x80\xA9"},  // U+2029, paragraph separator
        {"\xE2\x80\xAA", "\\u{202A}"},     // left-to-right embedding
        {"\xE2\x80\xAE", "\\u{202E}"},     // right-to-left override
        {"\xE2\x80\xAF", "\xE2\x80\xAF"},  // U+202F, narrow no-break space
        {"\xE2\x81\xA5", "\xE2\x81\xA5"},  // U+2065, unassigned
        {"\xE2\x81\xA6", "\\u{2066}"},     // left-to-right isolate
        {"\xE2\x81\xA9", "\\u{2069}"},     // pop directional isolate
        {"\xE2\x81\xAA", "\xE2\x81\xAA"},  // U+206A, inhibit symmetric swapping
    };
    for (const auto& [raw, shown] : directions) {
        const std::string name = std::string("A") + raw + "Z";
        const Finding finding{Severity::Warning, Group::SlotFolder, 0, "1/" + name, nameLineLikeZeroText(name)};
        EXPECT_EQ(findingLine(finding),
                  std::string("warning: 1/A") + shown + "Z: " + nameLineLikeZeroText(std::string("A") + shown + "Z"))
            << shown;
    }
}

}  // namespace
}  // namespace modsetup::check
