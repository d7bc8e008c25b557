#include "core/picture.h"

#include "core/error_text.h"

namespace modsetup {
namespace {

// No valid bitmap is larger than its biggest pixel data plus headers, colour
// table and some trailing data; reading stops there so that a huge file
// cannot exhaust memory.
constexpr std::size_t kMaxBitmapFileBytes = static_cast<std::size_t>(kMaxPicturePixels * 4 + (1u << 20));

// The whole file, or nothing when it is larger than any bitmap can be.
std::optional<std::string> readWhole(InputFile& file) {
    std::string bytes;
    constexpr std::size_t kChunk = 1 << 16;
    for (;;) {
        const std::size_t used = bytes.size();
        if (used > kMaxBitmapFileBytes) return std::nullopt;
        bytes.resize(used + kChunk);
        const std::size_t got = file.read(bytes.data() + used, kChunk);
        bytes.resize(used + got);
        if (got == 0) return bytes;
    }
}

}  // namespace

PictureLoad loadPicture(Host& host, const std::string& path, PictureArea area) {
    PictureLoad load;
    auto file = host.openRead(path, load.failure);
    if (!file) {
        load.error = cannotOpenFileMessage(path, load.failure);
        return load;
    }
    if (auto bytes = readWhole(*file))
        load.picture = decodeBitmap(*bytes, area, &load.failure);
    else
        load.failure = "larger than any bitmap";
    if (!load.picture) load.error = std::string(kBitmapNotValid);
    return load;
}

}  // namespace modsetup
