#pragma once
// Bitmap files built byte by byte for the picture and preview tests.

#include <cstdint>
#include <string>
#include <vector>

#include "core/formats/picture.h"

namespace modsetup::testing {

struct BitmapFields {
    int width = 1;
    int height = 1;  // negative: rows stored top-down
    int bitsPerPixel = 24;
    std::uint32_t compression = 0;       // 0 plain, 1 RLE8, 2 RLE4, 3 colour masks
    std::uint32_t headerSize = 40;       // 12 (core), 40, 108 or 124
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    std::vector<std::uint32_t> masks;    // red, green, blue when compression is 3
    std::string pixelData;               // exactly as stored in the file
};

std::string buildBitmap(const BitmapFields& bmp);

// Uncompressed pixel rows, padded to four bytes, from values given top row
// first: palette indexes for 1, 4 and 8 bits, 16-bit words for 16 bits,
// 0xRRGGBB for 24 bits and 0xAARRGGBB for 32 bits.
std::string packRows(int width, int height, int bitsPerPixel, const std::vector<std::uint32_t>& topFirst,
                     bool topDown = false);

// A 24-bit bitmap from 0xRRGGBB values given top row first.
std::string bitmap24(int width, int height, const std::vector<std::uint32_t>& topFirst);

// A 2 x 1 bitmap: a white (transparent) pixel and one opaque marker pixel,
// so a test can tell which file reached which picture.
std::string markerBitmap(std::uint32_t marker);
std::uint32_t markerOf(const Picture& picture);

// A picture's pixels as 0xRRGGBB, alpha dropped.
std::vector<std::uint32_t> colours(const Picture& picture);

}  // namespace modsetup::testing
