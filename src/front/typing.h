#pragma once
// Typing into a slot list completes set names. The rule, keystroke by
// keystroke:
//
// - A typed character forms a prefix: the text before the selected part, or
//   the whole text when nothing is selected, followed by the character. If an
//   entry begins with that prefix (letter case ignored; the first such entry
//   in list order), the text becomes the prefix followed by the rest of that
//   entry, the added rest is selected, and the character is not inserted
//   otherwise; the change handler runs only if this made a different entry
//   the selected one.
// - If no entry begins with the prefix, the character is inserted as usual
//   (replacing the selected part, or at the caret) and the handler runs.
// - Backspace removes the selected part, or else the character before the
//   caret, and the handler runs.
//
// Pure functions over the list's shown entries and its edit field, so that
// every window follows the same rule.

#include <cstddef>
#include <span>

#include "front/shown_text.h"

namespace modsetup::front {

// A list's edit field: its text and its selected part. With nothing selected
// (length 0) the caret stands at selectionStart.
struct ListEdit {
    ShownText text;
    std::size_t selectionStart = 0;
    std::size_t selectionLength = 0;
    bool operator==(const ListEdit&) const = default;
};

// The edit field after the program has set its text: caret at its end.
ListEdit editWithCaretAtEnd(ShownText text);
// The edit field after the user picked an entry (from the drop-down, with the
// arrow keys or the wheel): the entry's whole text selected, so that a letter
// typed next starts a name of its own and completes from that letter.
ListEdit editAfterPick(ShownText entry);

// Where the user picked an entry: on the closed list (the arrow keys, the
// wheel), which keeps the focus, or from its open drop-down, which gives the
// focus back to the list as it closes.
enum class PickedFrom { ClosedList, DropDown };

struct TypedCharacter {
    ListEdit edit;           // the edit field afterwards
    int selectedEntry = -1;  // the selected entry afterwards (the one completed to, else as before)
    bool completed = false;  // an entry completed the text
    bool runsHandler = false;
};

TypedCharacter typeCharacter(std::span<const ShownText> entries, const ListEdit& reported, char32_t typed,
                             int selectedEntry, const TextCodec& codec);

// Backspace; the handler always runs afterwards.
ListEdit backspace(const ListEdit& reported);

}  // namespace modsetup::front
