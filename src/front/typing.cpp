#include "front/typing.h"

#include <algorithm>

namespace modsetup::front {
namespace {

bool beginsWithIgnoringCase(const ShownText& entry, const ShownText& prefix, const TextCodec& codec) {
    if (entry.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), entry.begin(),
                      [&codec](char32_t a, char32_t b) { return codec.fold(a) == codec.fold(b); });
}

// Keeps a selection inside the text, whatever the window reported.
ListEdit bounded(const ListEdit& edit) {
    ListEdit result = edit;
    result.selectionStart = std::min(result.selectionStart, result.text.size());
    result.selectionLength = std::min(result.selectionLength, result.text.size() - result.selectionStart);
    return result;
}

}  // namespace

ListEdit editWithCaretAtEnd(ShownText text) {
    ListEdit edit;
    edit.selectionStart = text.size();
    edit.text = std::move(text);
    return edit;
}

ListEdit editAfterPick(ShownText entry) {
    ListEdit edit;
    edit.selectionLength = entry.size();
    edit.text = std::move(entry);
    return edit;
}

TypedCharacter typeCharacter(std::span<const ShownText> entries, const ListEdit& reported, char32_t typed,
                             int selectedEntry, const TextCodec& codec) {
    const ListEdit edit = bounded(reported);
    ShownText prefix = edit.selectionLength > 0 ? edit.text.substr(0, edit.selectionStart) : edit.text;
    prefix += typed;

    TypedCharacter result;
    result.selectedEntry = selectedEntry;
    const auto match = std::find_if(entries.begin(), entries.end(), [&](const ShownText& entry) {
        return beginsWithIgnoringCase(entry, prefix, codec);
    });
    if (match == entries.end()) {
        // Inserted as usual: over the selected part, or at the caret.
        result.edit.text = edit.text.substr(0, edit.selectionStart) + typed +
                           edit.text.substr(edit.selectionStart + edit.selectionLength);
        result.edit.selectionStart = edit.selectionStart + 1;
        result.runsHandler = true;
        return result;
    }

    const int entry = static_cast<int>(match - entries.begin());
    result.edit.text = prefix + match->substr(prefix.size());
    result.edit.selectionStart = prefix.size();
    result.edit.selectionLength = match->size() - prefix.size();
    result.completed = true;
    result.runsHandler = entry != selectedEntry;
    result.selectedEntry = entry;
    return result;
}

ListEdit backspace(const ListEdit& reported) {
    ListEdit edit = bounded(reported);
    if (edit.selectionLength > 0) {
        edit.text.erase(edit.selectionStart, edit.selectionLength);
    } else if (edit.selectionStart > 0) {
        edit.text.erase(edit.selectionStart - 1, 1);
        --edit.selectionStart;
    }
    edit.selectionLength = 0;
    return edit;
}

}  // namespace modsetup::front
