// Names and paths in messages shortened in the middle, so that a report
// built from a hostile set library stays readable and small.
#include <gtest/gtest.h>

#include <functional>

#include "core/base/escaping.h"
#include "core/base/mod_name.h"
#include "core/install/apply.h"
#include "core/report/messages.h"

namespace modsetup {
namespace {

TEST(ShortenedMiddle, KeepsBeginningAndEndAndNeverSplitsAUtf8Sequence) {
    struct Case {
        std::string text;
        std::size_t maxBytes;
        std::string shortened;
    };
    const std::string e = "\xC3\xA9";          // é: two bytes
    const std::string check = "\xE2\x9C\x93";  // ✓: three bytes
    const Case cases[] = {
        {"short", 10, "short"},
        {"exactly10!", 10, "exactly10!"},
        {"abcdefghijk", 10, "abcd...ijk"},
        {"abcdefghijkl", 9, "abc...jkl"},
        {"abcdef", 3, "..."},
        {"abcdef", 2, ".."},
        {"ab" + e + "cdefgh" + e + "i", 10, "ab" + e + "..." + e + "i"},  // both cuts fall between characters
        {"abc" + e + "defghij", 10, "abc...hij"},                         // the head cut moves back before é
        {"abcdefgh" + check + "xy", 10, "abcd...xy"},                     // the tail cut moves on past ✓
        {"\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9", 10, "\xE9\xE9\xE9\xE9...\xE9\xE9\xE9"},  // 8-bit text
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shortenedMiddle(c.text, c.maxBytes), c.shortened) << c.text;
        EXPECT_LE(shortenedMiddle(c.text, c.maxBytes).size(), c.maxBytes) << c.text;
    }
    const std::string path(kMaxShownNameBytes, 'p');
    EXPECT_EQ(shortenedMiddle(path), path) << "every Windows path is shown whole";
}

// Every message that names a path or a name from the set library, given a
// name of 64 KiB: it shows the name's beginning and end, and stays short.
TEST(ShortenedMiddle, EveryMessageShortensTheNamesItShows) {
    const std::string name = "HEAD" + std::string(1 << 16, 'n') + "TAIL";
    ApplyOutcome failed;
    failed.failedPaths.assign(300, name);
    failed.selectionsSaved = false;
    const ProcessStrings strings{name, "Title", "Desert"};
    const std::vector<std::pair<const char*, std::function<std::string()>>> messages = {
        {"cannot open", [&] { return cannotOpenFileMessage(name, "No such file or directory"); }},
        {"script not written", [&] { return launchScriptNotWrittenMessage(name); }},
        {"script not opened", [&] { return launchScriptNotOpenedMessage(name, "Access is denied."); }},
        {"backslash folder", [&] { return backslashFolderMessage(name); }},
        {"unsafe mod name", [&] { return unsafeModNameMessage(name, name); }},
        {"unsafe mod name with control characters", [&] { return unsafeModNameMessage("C:\\m", "\t" + name + "\n"); }},
        {"failed Apply", [&] { return applyFailureMessage(failed, strings); }},
    };
    for (const auto& [what, message] : messages) {
        SCOPED_TRACE(what);
        const std::string text = message();
        EXPECT_LT(text.size(), 2500u);
        EXPECT_NE(text.find("HEAD"), std::string::npos);
        EXPECT_NE(text.find("TAIL"), std::string::npos);
    }
    const std::string applied = applyFailureMessage(failed, strings);
    EXPECT_NE(applied.find("300 files or folders"), std::string::npos);
    EXPECT_NE(applied.find("and " + std::to_string(300 - kMaxListedItems) + " more."), std::string::npos);
}

}  // namespace
}  // namespace modsetup
