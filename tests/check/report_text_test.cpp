// The check's report on a terminal: whatever bytes a set library's names and
// lines hold, a finding shows no control character as it is, so nothing in a
// library can move the cursor, set the terminal's title or worse.
#include <gtest/gtest.h>

#include <cstdio>

#include "check/report_text.h"

namespace modsetup::check {
namespace {

// Every byte value, in the place a finding names and in a line it quotes.
TEST(ReportText, EveryByteValueReachesTheTerminalSafely) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        const std::string raw(1, static_cast<char>(byte));
        const std::string name = "A" + raw + "Z";
        const std::string shown = "A" + (byte < 0x20 || (byte >= 0x7F && byte <= 0x9F) ? escaped : raw) + "Z";
        const Finding finding{Severity::Warning, Group::SlotFolder, 0, "1/" + name, nameLineLikeZeroText(name)};
        EXPECT_EQ(findingLine(finding), "warning: 1/" + shown + ": " + nameLineLikeZeroText(shown)) << byte;
    }
}

// UTF-8 is shown as it is, but for the C1 controls it can encode.
TEST(ReportText, Utf8ControlCharactersAreWrittenOut) {
    const std::pair<std::string, std::string> rows[] = {
        {"\xC2\x9B" "2J", "\\u{9B}2J"},                     // CSI: a control sequence in UTF-8
        {"\xC2\x80\xC2\x9F", "\\u{80}\\u{9F}"},            // the first and the last C1 control
        {"\xC2\xA0\xC3\xA9\xE2\x82\xAC", "\xC2\xA0\xC3\xA9\xE2\x82\xAC"},  // no-break space, e acute, euro sign
        {"\xC0\x9B", "\xC0\\x9B"},                          // an overlong form is no UTF-8
        {"Pack\x1B]0;owned\x07X", "Pack\\x1B]0;owned\\x07X"},  // a terminal title set from a folder name
    };
    for (const auto& [name, shown] : rows)
        EXPECT_EQ(findingLine({Severity::Error, Group::ModIni, 0, name, "x"}), "error: " + shown + ": x");
}

}  // namespace
}  // namespace modsetup::check
