#pragma once
// Which picture of the window shows which file of the set named in a slot's
// list, in the order the slot's change handler loads them.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/picture.h"
#include "core/game/preview_table.h"
#include "core/game/slots.h"
#include "core/io/host.h"

namespace modsetup {

// The area each picture view shows, by n - 1 of Image<n>: a picture is kept
// only as far as its view can show it.
using PictureAreas = std::array<PictureArea, kPictureCount>;
extern const PictureAreas kWholePictures;

// The previews of one slot in the change handler's load order.
std::span<const PreviewPicture> slotPreviews(std::size_t slot);

// The slot whose previews Image<image> shows; kSlotCount for no picture.
std::size_t previewSlot(int image);

// ConfigBase + "\" + slot folder + "\" + text + suffix.
std::string previewPath(std::string_view configBase, std::size_t slot, std::string_view text, std::string_view suffix);

struct LoadedPreview {
    int image;
    Picture picture;
};

// A preview picture that did not load: its file, and why. Without an
// openFailure it was opened but is not a valid bitmap.
struct PreviewFailure {
    std::string path;
    std::optional<Failure> openFailure;
};

struct SlotPreviewLoad {
    std::vector<LoadedPreview> loaded;      // the pictures that loaded, in load order
    std::optional<PreviewFailure> failure;  // the first failing load, which ended the slot's loads
};

enum class PreviewOrder {
    Handler,       // the change handler's order
    LoadSequence,  // the load sequence's: secondary slot 1 loads Image37 before Image11
};

// Loads a slot's pictures one after another; the first failure ends it.
SlotPreviewLoad loadSlotPreviews(Host& host, std::string_view configBase, std::size_t slot, std::string_view text,
                                 PreviewOrder order = PreviewOrder::Handler,
                                 const PictureAreas& areas = kWholePictures);

}  // namespace modsetup
