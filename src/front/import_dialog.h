#pragma once
// What a window shows while sets are added from an archive: the progress of
// reading and writing it, and the dialog that lists what it would add and
// takes the user's decisions. The presenter fills every text; a window lays
// them out and returns what the user chose, deciding nothing.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "front/shown_text.h"

namespace modsetup::front {

// Work that may take long, run off the window's thread. It tells how far it
// is (any unit, done of total; callable from its own thread) and stops soon
// after cancel becomes true.
using WorkProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
using BackgroundWork = std::function<void(const WorkProgress& progress, const std::atomic<bool>& cancel)>;

// The progress window: its title, the line above its bar, and its one button.
struct ProgressShown {
    ShownText title;
    ShownText text;
    ShownText cancel;
};

// A slot folder a set may go to, and what may be done with the set there.
struct ImportPlace {
    ShownText slot;                  // the slot folder's slots, "Primary weapon 1"
    std::vector<ShownText> actions;  // "Add", "Skip"; or "Replace", "Keep both as ...", "Skip"
    std::size_t defaultAction = 0;
    ShownText findingsSummary;  // "none", "1 warning", ...
    ShownText findings;         // the check's findings for the set there, one a line
};

struct ImportRow {
    ShownText name;                   // the set's name
    ShownText contents;               // its file count and size
    std::vector<ImportPlace> places;  // one when its place in the archive says its slot
};

// The dialog: a list of the sets, one row each, with the columns' headings;
// below it, for the row current, a drop-down of its places (available only
// where there are several), a drop-down of its actions and its findings. A
// list row shows the place and action chosen in it. Return presses Add,
// Escape cancels; every control bears the name given.
struct ImportDialog {
    ShownText title;
    ShownText heading;               // what the archive holds, above the list
    std::vector<ShownText> columns;  // Set, Slot, Contents, Findings, What to do
    ShownText listName;              // the list's name for screen readers
    ShownText placeLabel;            // beside the places' drop-down, with its access key
    ShownText actionLabel;           // beside the actions' drop-down
    ShownText findingsLabel;         // above the findings
    ShownText add;                   // the default button
    ShownText cancel;
    std::vector<ImportRow> rows;
};

// The user's decision for a row: indexes into its places and that place's actions.
struct ImportChoice {
    std::size_t place = 0;
    std::size_t action = 0;
    bool operator==(const ImportChoice&) const = default;
};
using ImportAnswer = std::optional<std::vector<ImportChoice>>;  // none: cancelled

}  // namespace modsetup::front
