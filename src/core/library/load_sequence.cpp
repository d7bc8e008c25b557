#include "core/library/load_sequence.h"

#include "core/io/confined_host.h"
#include "core/library/staging.h"

namespace modsetup {

PreviewsLoad loadChosenPreviews(Host& host, const std::string& configBase, const SlotTexts& texts,
                                const PictureAreas& areas) {
    // Slots with an empty text keep their pictures. A failing picture ends
    // only its own slot's loads; the other slots and the scan still run, so
    // one deleted set does not leave every list without entries.
    PreviewsLoad result;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (texts[slot].empty()) continue;
        SlotPreviewLoad load = loadSlotPreviews(host, configBase, slot, texts[slot], PreviewOrder::LoadSequence, areas);
        for (auto& picture : load.loaded) result.pictures.push_back(std::move(picture));
        if (load.failure) result.failures.push_back(std::move(*load.failure));
    }
    return result;
}

LoadOutcome runLoadSequence(Host& system, const PictureAreas& areas) {
    LoadOutcome outcome;
    outcome.strings.configBase = deriveConfigBase(system.programPath());
    // Every path below would name some other place: read nothing from there.
    outcome.unusableFolder = folderWithBackslash(outcome.strings.configBase);
    if (!outcome.unusableFolder.empty()) return outcome;
    // What an import killed before it ended left goes first: its sets never appear.
    removeImportLeftovers(system, outcome.strings.configBase);
    ConfinedHost host(system, outcome.strings.configBase);
    LineFile shared(host);
    readModIni(shared, outcome.strings);
    outcome.selections = readSelections(shared, outcome.strings.configBase);

    PreviewsLoad previews = loadChosenPreviews(host, outcome.strings.configBase, outcome.selections.texts, areas);
    outcome.pictures = std::move(previews.pictures);
    outcome.previewFailures = std::move(previews.failures);

    outcome.entries = scanCatalogue(host, outcome.strings.configBase);
    return outcome;
}

}  // namespace modsetup
