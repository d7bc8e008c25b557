#pragma once
// The preview pictures of every slot, slot 1 first, each slot's pictures in
// the order its change handler loads them. The first picture of a weapon slot
// is its weapon picture in the set folder; the others are detail pictures in
// the set's sub-folder weapons-gfx. Where two or three pictures name the same
// file they are copies placed side by side, and each loads the file itself.

#include <array>
#include <cstddef>
#include <string_view>

#include "core/game/slots.h"

namespace modsetup {

// The window's picture views Image1 .. Image41.
inline constexpr std::size_t kPictureCount = 41;

struct PreviewPicture {
    int image;                // n of Image<n>, 1 .. 41
    std::string_view suffix;  // appended to the set folder, letter case as given
};

inline constexpr std::array<PreviewPicture, kPictureCount> kPreviewPictures{{
    // primary slot 1
    {1, "\\1.bmp"},
    {15, "\\weapons-gfx\\eagles-bullet.bmp"},
    {16, "\\weapons-gfx\\eagles-bullet.bmp"},
    // primary slot 2
    {2, "\\2.bmp"},
    {17, "\\weapons-gfx\\mp5-bullet.bmp"},
    {18, "\\weapons-gfx\\mp5-bullet.bmp"},
    {19, "\\weapons-gfx\\mp5-bullet.bmp"},
    // primary slots 3, 4 and 5 write the sub-folder with a capital W; the
    // file system's letter case rules make it the same folder
    {3, "\\3.bmp"},
    {20, "\\Weapons-gfx\\ak74-bullet.bmp"},
    {21, "\\Weapons-gfx\\ak74-bullet.bmp"},
    {4, "\\4.bmp"},
    {25, "\\Weapons-gfx\\steyraug-bullet.bmp"},
    {26, "\\Weapons-gfx\\steyraug-bullet.bmp"},
    {5, "\\5.bmp"},
    {31, "\\Weapons-gfx\\spas12-bullet.bmp"},
    {32, "\\Weapons-gfx\\spas12-bullet.bmp"},
    {33, "\\Weapons-gfx\\spas12-bullet.bmp"},
    // primary slots 6 to 9
    {6, "\\6.bmp"},
    {22, "\\weapons-gfx\\ruger77-bullet.bmp"},
    {7, "\\7.bmp"},
    {30, "\\weapons-gfx\\m79-bullet.bmp"},
    {8, "\\8.bmp"},
    {29, "\\weapons-gfx\\barretm82-bullet.bmp"},
    {9, "\\9.bmp"},
    {27, "\\weapons-gfx\\m249-bullet.bmp"},
    {28, "\\weapons-gfx\\m249-bullet.bmp"},
    // primary slot 10 lives in folder "0" and shows "0.bmp"
    {10, "\\0.bmp"},
    {34, "\\weapons-gfx\\minigun-bullet.bmp"},
    {35, "\\weapons-gfx\\minigun-bullet.bmp"},
    {36, "\\weapons-gfx\\minigun-bullet.bmp"},
    // secondary slot 1 shows "10.bmp"
    {11, "\\10.bmp"},
    {37, "\\weapons-gfx\\colt-bullet.bmp"},
    // secondary slots 2 to 4
    {12, "\\knife.bmp"},
    {38, "\\weapons-gfx\\knife.bmp"},
    {13, "\\chainsaw.bmp"},
    {39, "\\weapons-gfx\\chainsaw.bmp"},
    {41, "\\weapons-gfx\\chainsaw-fire.bmp"},
    {14, "\\law.bmp"},
    {40, "\\weapons-gfx\\missile.bmp"},
    // the two team slots show the soldier picture of the set
    {23, "\\pic.bmp"},
    {24, "\\pic.bmp"},
}};

// How many of the rows above belong to each slot, in slot order.
inline constexpr std::array<std::size_t, kSlotCount> kPreviewCounts{3, 4, 3, 3, 4, 2, 2, 2, 3, 4, 2, 2, 3, 2, 1, 1};

}  // namespace modsetup
