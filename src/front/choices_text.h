#pragma once
// The choices as text a person can read and paste: "Copy choices as text"
// and "Paste choices" of the window's menu.

#include "core/library/config.h"
#include "front/shown_text.h"

namespace modsetup::front {

// A line per list, "Primary weapon 1: Desert Gold", one for the box, "Use
// Modified Weapons: yes", then the code line that carries the exact bytes.
// None when a list's text holds a line break.
std::optional<ShownText> choicesAsText(const SlotTexts& texts, bool boxTicked, const TextCodec& codec);

// The choices that text holds: those of its code line where there is an
// intact one, else those of its readable lines (a list not named is empty),
// held to the limits of a choices file. Lines that are neither are passed
// over; text with no line of either holds no choices and names no refusal
// (the kind None), as it is no list at all.
ChoicesFile choicesFromText(const ShownText& text, const TextCodec& codec);

}  // namespace modsetup::front
