// Typing into a slot list, keystroke by keystroke: what the edit field shows
// afterwards (the selected part in brackets) and how often the slot's change
// handler has run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "front/shown_text.h"
#include "front/typing.h"
#include "shown_text_support.h"

namespace modsetup::front {
namespace {

struct TypingRow {
    const char* name;
    std::vector<std::string> entries;
    std::string start;  // set by the program, caret at its end
    std::string keys;   // UTF-8; \b is Backspace
    std::vector<std::string> states;
    std::vector<int> handlerRuns;
};

const TypingRow kRows[] = {
    {"completion runs the handler once per entry",
     {"Gold", "Silver", "Golden"},
     "",
     "Golde",
     {"G[old]", "Go[ld]", "Gol[d]", "Gold", "Golde[n]"},
     {1, 1, 1, 1, 2}},
    {"letter case ignored, typed case kept",
     {"Gold", "Silver", "Golden"},
     "",
     "gOL",
     {"g[old]", "gO[ld]", "gOL[d]"},
     {1, 1, 1}},
    {"first entry in list order",
     {"Silver", "Steel", "Stone"},
     "",
     "Sto",
     {"S[ilver]", "St[eel]", "Sto[ne]"},
     {1, 2, 3}},
    {"no match inserts and runs the handler every time", {"Gold", "Silver", "Golden"}, "", "xy", {"x", "xy"}, {1, 2}},
    {"whole text is the prefix when nothing is selected", {"Gold", "Silver", "Golden"}, "Gol", "d", {"Gold"}, {1}},
    {"typed after a text the program set, no match", {"Gold", "Silver", "Golden"}, "Gold", "x", {"Goldx"}, {1}},
    {"backspace removes the selection, then characters",
     {"Gold", "Silver", "Golden"},
     "",
     "S\b\b\b",
     {"S[ilver]", "S", "", ""},
     {1, 2, 3, 4}},
    {"a typed character replaces no selection: the whole text is the prefix",
     {"Gold", "Silver", "Golden"},
     "",
     "S\bS",
     {"S[ilver]", "S", "SS"},
     {1, 2, 3}},
    {"completing the entry already selected does not run it again",
     {"Gold", "Silver", "Golden"},
     "",
     "S\b\bs",
     {"S[ilver]", "S", "", "s[ilver]"},
     {1, 2, 3, 3}},
    {"no entries", {}, "", "ab\b", {"a", "ab", "a"}, {1, 2, 3}},
    {"8-bit entry completes from its shown text",
     {"Caf\xC3\xA9 Noir"},
     "",
     "caf\xC3\x89",
     {"c[af\xC3\xA9 Noir]", "ca[f\xC3\xA9 Noir]", "caf[\xC3\xA9 Noir]", "caf\xC3\x89[ Noir]"},
     {1, 1, 1, 1}},
};

TEST(TypingCompletion, KeystrokeByKeystroke) {
    const Utf8OrLatin1Text codec(testCaseFold);
    for (const TypingRow& row : kRows) {
        SCOPED_TRACE(row.name);
        std::vector<ShownText> entries;
        for (const std::string& entry : row.entries) entries.push_back(codec.shown(entry));
        ListEdit edit = editWithCaretAtEnd(codec.shown(row.start));
        int selected = -1;
        int runs = 0;
        const ShownText keys = codec.shown(row.keys);
        ASSERT_EQ(keys.size(), row.states.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == U'\b') {
                edit = backspace(edit);
                ++runs;
            } else {
                const TypedCharacter typed = typeCharacter(entries, edit, keys[i], selected, codec);
                edit = typed.edit;
                selected = typed.selectedEntry;
                runs += typed.runsHandler ? 1 : 0;
            }
            EXPECT_EQ(state(edit), row.states[i]) << "after key " << i;
            EXPECT_EQ(runs, row.handlerRuns[i]) << "after key " << i;
        }
    }
}

// A character typed in the middle goes in at the caret; Backspace at the
// start changes nothing; a selection the window reports past the text's end
// is taken as the end.
TEST(TypingCompletion, CaretAndSelectionAtTheEdges) {
    const Utf8OrLatin1Text codec(testCaseFold);
    const std::vector<ShownText> none;
    ListEdit middle{codec.shown("Gd"), 1, 0};
    EXPECT_EQ(state(typeCharacter(none, middle, U'o', -1, codec).edit), "God");
    EXPECT_EQ(typeCharacter(none, middle, U'o', -1, codec).edit.selectionStart, 2u);

    ListEdit atStart{codec.shown("Gold"), 0, 0};
    EXPECT_EQ(backspace(atStart), atStart);

    ListEdit pastEnd{codec.shown("Go"), 7, 3};
    EXPECT_EQ(state(backspace(pastEnd)), "G");
    EXPECT_EQ(state(typeCharacter(none, pastEnd, U'x', -1, codec).edit), "Gox");
}

}  // namespace
}  // namespace modsetup::front
