#include "set_library.h"

#include <string>

#include "bmp_builder.h"
#include "core/game/slots.h"
#include "test_support.h"

namespace modsetup::testing {

const std::vector<ExpectedPreview> kExpectedPreviews{
    {kPrimary1, 1, "1.bmp"},
    {kPrimary1, 15, "weapons-gfx/eagles-bullet.bmp"},
    {kPrimary1, 16, "weapons-gfx/eagles-bullet.bmp"},
    {kPrimary2, 2, "2.bmp"},
    {kPrimary2, 17, "weapons-gfx/mp5-bullet.bmp"},
    {kPrimary2, 18, "weapons-gfx/mp5-bullet.bmp"},
    {kPrimary2, 19, "weapons-gfx/mp5-bullet.bmp"},
    {kPrimary3, 3, "3.bmp"},
    {kPrimary3, 20, "weapons-gfx/ak74-bullet.bmp"},
    {kPrimary3, 21, "weapons-gfx/ak74-bullet.bmp"},
    {kPrimary4, 4, "4.bmp"},
    {kPrimary4, 25, "weapons-gfx/steyraug-bullet.bmp"},
    {kPrimary4, 26, "weapons-gfx/steyraug-bullet.bmp"},
    {kPrimary5, 5, "5.bmp"},
    {kPrimary5, 31, "weapons-gfx/spas12-bullet.bmp"},
    {kPrimary5, 32, "weapons-gfx/spas12-bullet.bmp"},
    {kPrimary5, 33, "weapons-gfx/spas12-bullet.bmp"},
    {kPrimary6, 6, "6.bmp"},
    {kPrimary6, 22, "weapons-gfx/ruger77-bullet.bmp"},
    {kPrimary7, 7, "7.bmp"},
    {kPrimary7, 30, "weapons-gfx/m79-bullet.bmp"},
    {kPrimary8, 8, "8.bmp"},
    {kPrimary8, 29, "weapons-gfx/barretm82-bullet.bmp"},
    {kPrimary9, 9, "9.bmp"},
    {kPrimary9, 27, "weapons-gfx/m249-bullet.bmp"},
    {kPrimary9, 28, "weapons-gfx/m249-bullet.bmp"},
    {kPrimary10, 10, "0.bmp"},
    {kPrimary10, 34, "weapons-gfx/minigun-bullet.bmp"},
    {kPrimary10, 35, "weapons-gfx/minigun-bullet.bmp"},
    {kPrimary10, 36, "weapons-gfx/minigun-bullet.bmp"},
    {kSecondary1, 11, "10.bmp"},
    {kSecondary1, 37, "weapons-gfx/colt-bullet.bmp"},
    {kSecondary2, 12, "knife.bmp"},
    {kSecondary2, 38, "weapons-gfx/knife.bmp"},
    {kSecondary3, 13, "chainsaw.bmp"},
    {kSecondary3, 39, "weapons-gfx/chainsaw.bmp"},
    {kSecondary3, 41, "weapons-gfx/chainsaw-fire.bmp"},
    {kSecondary4, 14, "law.bmp"},
    {kSecondary4, 40, "weapons-gfx/missile.bmp"},
    {kTeamAlpha, 23, "pic.bmp"},
    {kTeamBravo, 24, "pic.bmp"},
};

std::uint32_t previewMarker(std::size_t slot, std::string_view file, unsigned variant) {
    // Variant in the top three bits and the slot below them in the red byte,
    // file name length and last letter in the other two. The team slots share
    // their folder and so their files.
    if (slot == kTeamBravo) slot = kTeamAlpha;
    return static_cast<std::uint32_t>(((variant & 7) << 21) | ((slot + 1) << 16) | (file.size() << 8) |
                                      static_cast<unsigned char>(file[file.size() - 5]));
}

unsigned previewVariant(std::uint32_t marker) { return (marker >> 21) & 7; }

void writePreviewSet(const FileWriter& write, std::size_t slot, std::string_view set, std::string_view detailFolder,
                     unsigned variant) {
    const std::string folder = std::string(kSlots[slot].folder) + "/" + std::string(set) + "/";
    for (const auto& row : kExpectedPreviews) {
        if (row.slot != slot) continue;
        std::string file(row.file);
        if (file.starts_with("weapons-gfx/")) file = std::string(detailFolder) + file.substr(11);
        write(folder + file, markerBitmap(previewMarker(slot, row.file, variant)));
    }
}

void writePreviewSet(const std::filesystem::path& library, std::size_t slot, std::string_view set,
                     std::string_view detailFolder, unsigned variant) {
    writePreviewSet([&](const std::string& file, std::string bytes) { writeFile(library / file, bytes); }, slot, set,
                    detailFolder, variant);
}

}  // namespace modsetup::testing
