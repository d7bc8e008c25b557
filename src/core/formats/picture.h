#pragma once
// Preview pictures: reading a bitmap file and deciding between a picture,
// "Cannot open file ..." and "Bitmap image is not valid".

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/host.h"

namespace modsetup {

// A decoded bitmap, top row first, pixels as 0xAARRGGBB: the part of it that
// a picture view shows (see PictureArea). The transparent colour is that of
// the whole bitmap's bottom-left pixel, or white for a bitmap of one bit per
// pixel: every pixel of that colour has alpha 0, every other pixel alpha 255.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The largest bitmap accepted, in pixels (width x height); a larger one is
// taken for a damaged file rather than allocated.
inline constexpr std::uint64_t kMaxPicturePixels = 64ull * 1024 * 1024;

// How much of a bitmap is kept, from its top-left corner. A picture view draws
// its bitmap clipped to its own bounds, so it needs no pixel beyond them, and
// a small file that declares a huge bitmap costs no more than a small one.
struct PictureArea {
    int width;
    int height;
};
inline constexpr PictureArea kWholePicture{INT_MAX, INT_MAX};

// Why a file is not a bitmap the program reads.
enum class BitmapFault {
    NotABitmap,
    HeaderCutShort,
    MasksCutShort,
    UnknownHeader,
    NoSize,             // no width or no height
    TooManyPixels,      // more than kMaxPicturePixels
    PixelDataOutside,   // its pixel data would start outside the file
    UnsupportedBits,    // of bits per pixel
    UnsupportedPixels,  // of pixel data (compression)
    PixelDataCutShort,
    RunLengthCutShort,
};

// Decodes a bitmap file opened for reading, keeping the top-left area of it;
// nothing when it is not a valid bitmap, and then fault (when given) says
// why. Only what the area needs is
// read: the headers and colour table, then the kept rows' bytes, the file
// passing over the rest. A plain bitmap's declared size is checked against
// the file's size, not by reading every pixel. Run-length data, which cannot
// be entered in the middle, is read through in pieces. Memory and, but for
// run-length data, time grow with the kept area, not with the file.
std::optional<Picture> decodeBitmap(InputFile& input, PictureArea area = kWholePicture, BitmapFault* fault = nullptr);

// The same for the bytes of a bitmap file in memory.
std::optional<Picture> decodeBitmap(std::string_view bytes, PictureArea area = kWholePicture,
                                    BitmapFault* fault = nullptr);

struct PictureLoad {
    std::optional<Picture> picture;      // set on success
    std::optional<Failure> openFailure;  // why the file could not be opened
    std::optional<BitmapFault> fault;    // why it is not a valid bitmap
};

// Reads and decodes one picture file, keeping the given area of it.
PictureLoad loadPicture(Host& host, const std::string& path, PictureArea area = kWholePicture);

}  // namespace modsetup
