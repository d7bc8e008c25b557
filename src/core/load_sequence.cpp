#include "core/load_sequence.h"

#include "core/confined_host.h"
#include "core/messages.h"

namespace modsetup {

LoadOutcome runLoadSequence(Host& system, const PictureAreas& areas) {
    LoadOutcome outcome;
    outcome.strings.configBase = deriveConfigBase(system.programPath());
    // Every path below would name some other place: read nothing from there.
    if (const std::string folder = folderWithBackslash(outcome.strings.configBase); !folder.empty()) {
        outcome.errors.push_back(backslashFolderMessage(folder));
        return outcome;
    }
    ConfinedHost host(system, outcome.strings.configBase);
    LineFile shared(host);
    readModIni(shared, outcome.strings);
    outcome.selections = readSelections(shared, outcome.strings.configBase);

    // Slots with an empty text keep their pictures. A failing picture ends
    // only its own slot's loads; the other slots and the scan still run, so
    // one deleted set does not leave every list without entries.
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const std::string& text = outcome.selections.texts[slot];
        if (text.empty()) continue;
        SlotPreviewLoad load =
            loadSlotPreviews(host, outcome.strings.configBase, slot, text, PreviewOrder::LoadSequence, areas);
        for (auto& picture : load.loaded) outcome.pictures.push_back(std::move(picture));
        if (!load.error.empty()) outcome.errors.push_back(std::move(load.error));
    }

    outcome.entries = scanCatalogue(host, outcome.strings.configBase);
    return outcome;
}

}  // namespace modsetup
