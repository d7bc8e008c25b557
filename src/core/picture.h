#pragma once
// Preview pictures: reading a bitmap file and deciding between a picture,
// "Cannot open file ..." and "Bitmap image is not valid".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/host.h"

namespace modsetup {

// A decoded bitmap, top row first, pixels as 0xAARRGGBB. The colour of the
// bottom-left pixel is the transparent colour: every pixel of that colour has
// alpha 0, every other pixel alpha 255.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The largest bitmap accepted, in pixels (width x height); a larger one is
// taken for a damaged file rather than allocated.
inline constexpr std::uint64_t kMaxPicturePixels = 64ull * 1024 * 1024;

// Decodes the bytes of a bitmap file; nothing when they are not a valid bitmap.
std::optional<Picture> decodeBitmap(std::string_view bytes);

struct PictureLoad {
    std::optional<Picture> picture;  // set on success
    std::string error;               // on failure: the message of the error report
};

// Reads and decodes one picture file.
PictureLoad loadPicture(Host& host, const std::string& path);

}  // namespace modsetup
