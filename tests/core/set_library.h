#pragma once
// A set library in a scratch folder, with sets whose preview pictures are
// marker bitmaps, so a test sees which file reached which picture.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace modsetup::testing {

// Which file of a set each picture of the window shows, written out from the
// window's layout independently of the program's own table. The file is
// relative to the set folder, with the detail sub-folder in lower case.
struct ExpectedPreview {
    std::size_t slot;  // 0-based slot index
    int image;         // n of Image<n>
    std::string_view file;
};
extern const std::vector<ExpectedPreview> kExpectedPreviews;

// The marker colour of one preview file of a slot's sets. Sets written as
// different variants (0 to 7) have different markers.
std::uint32_t previewMarker(std::size_t slot, std::string_view file, unsigned variant = 0);
// The variant of the set a marker came from.
unsigned previewVariant(std::uint32_t marker);

// Writes every preview file of a set of one slot below the library folder,
// with the detail sub-folder named as given; or hands each to write, by its
// path in the library with "/".
void writePreviewSet(const std::filesystem::path& library, std::size_t slot, std::string_view set,
                     std::string_view detailFolder = "weapons-gfx", unsigned variant = 0);
using FileWriter = std::function<void(const std::string& path, std::string bytes)>;
void writePreviewSet(const FileWriter& write, std::size_t slot, std::string_view set,
                     std::string_view detailFolder = "weapons-gfx", unsigned variant = 0);

}  // namespace modsetup::testing
