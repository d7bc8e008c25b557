// The window's catalogue: every sentence it forms, as the user reads it, one
// row each. Its fixed words and names (tooltip words, menu entries,
// accessible names) are read where the window shows them.
#include "front/messages.h"

#include <gtest/gtest.h>

namespace modsetup::front {
namespace {

TEST(WindowMessages, EverySentenceReadsAsWritten) {
    const std::pair<std::string, std::string> rows[] = {
        {hearShotText("F5"), "Click a picture or press F5 in the list to hear its shot"},
        {tooltipKeyHintText("Ctrl+F1"), "Press Ctrl+F1 in the list to show this"},
        {menuHintText("Shift+F10"),
         "Right-click here, or press Shift+F10 or the menu key, to see what Apply will change, to restore the files "
         "from before an Apply, to save, load, copy or paste choices, or to add sets from an archive"},
    };
    for (const auto& [actual, expected] : rows) EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace modsetup::front
