#include "core/library/previews.h"

#include <algorithm>
#include <numeric>

#include "core/game/preview_table.h"

namespace modsetup {

static_assert(std::accumulate(kPreviewCounts.begin(), kPreviewCounts.end(), std::size_t{0}) == kPreviewPictures.size());

static_assert(kPreviewPictures.size() == kPictureCount);

const PictureAreas kWholePictures = [] {
    PictureAreas areas;
    areas.fill(kWholePicture);
    return areas;
}();

std::span<const PreviewPicture> slotPreviews(std::size_t slot) {
    if (slot >= kSlotCount) return {};
    std::size_t first = 0;
    for (std::size_t i = 0; i < slot; ++i) first += kPreviewCounts[i];
    return std::span<const PreviewPicture>(kPreviewPictures).subspan(first, kPreviewCounts[slot]);
}

std::size_t previewSlot(int image) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        for (const PreviewPicture& picture : slotPreviews(slot))
            if (picture.image == image) return slot;
    return kSlotCount;
}

std::string previewPath(std::string_view configBase, std::size_t slot, std::string_view text, std::string_view suffix) {
    std::string path = setFolderPath(configBase, slot, text);
    path += suffix;
    return path;
}

SlotPreviewLoad loadSlotPreviews(Host& host, std::string_view configBase, std::size_t slot, std::string_view text,
                                 PreviewOrder order, const PictureAreas& areas) {
    std::vector<PreviewPicture> pictures;
    for (const auto& picture : slotPreviews(slot)) pictures.push_back(picture);
    // At start-up and on Undo secondary slot 1 shows its bullet before its
    // weapon picture.
    if (order == PreviewOrder::LoadSequence && slot == kSecondary1) std::swap(pictures[0], pictures[1]);

    SlotPreviewLoad result;
    for (const auto& picture : pictures) {
        std::string path = previewPath(configBase, slot, text, picture.suffix);
        PictureLoad load = loadPicture(host, path, areas[static_cast<std::size_t>(picture.image - 1)]);
        if (!load.picture) {
            result.failure = PreviewFailure{std::move(path), std::move(load.openFailure)};
            break;
        }
        result.loaded.push_back({picture.image, std::move(*load.picture)});
    }
    return result;
}

}  // namespace modsetup
