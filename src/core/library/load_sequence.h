#pragma once
// The file work of the load sequence that runs at start-up and on Undo. The
// window empties its lists and sizes itself, then applies this outcome in the
// order of the sequence: titles, list texts, check box, pictures, entries.
//
// One failing preview does not spoil the whole load: that slot's remaining
// pictures are skipped (as its change handler does), the other slots still
// load, and the catalogue scan always runs. Every failure is collected so the
// window shows them together in one error report.

#include <string>
#include <vector>

#include "core/library/catalogue.h"
#include "core/library/config.h"
#include "core/library/previews.h"

namespace modsetup {

struct LoadOutcome {
    ProcessStrings strings;
    SavedSelections selections;
    std::vector<LoadedPreview> pictures;          // in load order; later ones win for the same image
    std::string unusableFolder;                   // the program's folder, when it cannot be used: nothing was read
    std::vector<PreviewFailure> previewFailures;  // in load order
    SlotEntries entries;
};

// The previews of every slot whose text is not empty, in the load
// sequence's order; a failing picture ends only its own slot's loads.
struct PreviewsLoad {
    std::vector<LoadedPreview> pictures;   // in load order; later ones win for the same image
    std::vector<PreviewFailure> failures;  // in load order
};
PreviewsLoad loadChosenPreviews(Host& host, const std::string& configBase, const SlotTexts& texts,
                                const PictureAreas& areas);

// Reads mod.ini, the selections file and the set library through a
// ConfinedHost of the set library; each picture is kept as far as its view
// shows it. When the program's folder
// cannot be used (see folderWithBackslash) it reads nothing at all, offers no
// sets, and names that folder.
LoadOutcome runLoadSequence(Host& system, const PictureAreas& areas = kWholePictures);

}  // namespace modsetup
