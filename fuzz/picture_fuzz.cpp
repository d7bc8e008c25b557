// Fuzz target of picture loading: any bytes as a bitmap file. The decoder
// must either refuse them or give a picture whose size and pixels agree, and
// loading the same bytes as a file must come to the same decision, with the
// report's texts for a file that cannot be opened and for one that is not a
// bitmap.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/formats/picture.h"
#include "memory_host.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// The bits per pixel the header declares (the old core header keeps them
// elsewhere); 0 when the data is too short to say.
unsigned bitsPerPixel(const std::uint8_t* data, std::size_t size) {
    if (size < 30) return 0;
    const bool coreHeader = data[14] == 12 && data[15] == 0 && data[16] == 0 && data[17] == 0;
    const std::size_t at = coreHeader ? 24 : 28;
    return data[at] | data[at + 1] << 8;
}

void checkPicture(const modsetup::Picture& picture, unsigned bits) {
    check(picture.width > 0 && picture.height > 0);
    const std::uint64_t count = static_cast<std::uint64_t>(picture.width) * static_cast<std::uint64_t>(picture.height);
    check(count <= modsetup::kMaxPicturePixels);
    check(picture.pixels.size() == count);
    // The bottom-left pixel's colour is the transparent one (white for one bit
    // per pixel): alpha 0 wherever it occurs, 255 everywhere else.
    const std::uint32_t key =
        bits == 1 ? 0xFFFFFFu : picture.pixels[static_cast<std::size_t>(count - picture.width)] & 0xFFFFFFu;
    for (std::uint32_t pixel : picture.pixels) {
        const std::uint32_t alpha = pixel >> 24;
        check(((pixel & 0xFFFFFFu) == key) ? alpha == 0 : alpha == 255);
    }
}

// The pixel count a run-length bitmap's header declares; 0 for any other
// data. Only such a bitmap can hold more pixels than it has bytes.
std::uint64_t runLengthPixels(const std::uint8_t* data, std::size_t size) {
    auto u16 = [&](std::size_t at) {
        return at + 2 <= size ? std::uint64_t{data[at]} | std::uint64_t{data[at + 1]} << 8 : 0;
    };
    auto i32 = [&](std::size_t at) {
        const std::uint32_t value = static_cast<std::uint32_t>(u16(at) | u16(at + 2) << 16);
        const std::int64_t signedValue = static_cast<std::int32_t>(value);
        return static_cast<std::uint64_t>(signedValue < 0 ? -signedValue : signedValue);
    };
    const std::uint64_t headerSize = u16(14) | u16(16) << 16;
    const std::uint64_t compression = u16(30) | u16(32) << 16;
    if (size < 34 || headerSize < 40 || (compression != 1 && compression != 2)) return 0;
    return i32(18) * i32(22);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A run-length bitmap of a few bytes can stand for millions of pixels.
    // Decoding one takes long enough to stall the search, so such inputs are
    // passed over and kept out of the corpus; the limits on huge pictures are
    // tested by the unit tests.
    constexpr std::uint64_t kFuzzedPixels = 1 << 20;
    if (runLengthPixels(data, size) > kFuzzedPixels) return -1;

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto decoded = modsetup::decodeBitmap(bytes);
    if (decoded) checkPicture(*decoded, bitsPerPixel(data, size));

    const std::string path = "C:\\Games\\Shooter\\modsetup\\1\\Gold\\1.bmp";
    // Read in pieces of a size the data chooses, as a slow disk might give it.
    const std::size_t piece = size > 0 ? 1 + data[size - 1] * 64u : 1;
    modsetup::testing::MemoryHost host;
    host.write(path, std::string(bytes));
    host.readPiece = piece;
    const modsetup::PictureLoad load = modsetup::loadPicture(host, path);
    check(load.picture.has_value() == decoded.has_value());
    if (load.picture) {
        check(!load.openFailure && !load.fault);
        check(load.picture->width == decoded->width && load.picture->height == decoded->height);
        check(load.picture->pixels == decoded->pixels);
    } else {
        check(!load.openFailure && load.fault.has_value());
    }

    modsetup::testing::MemoryHost nothing;
    const modsetup::PictureLoad missing = modsetup::loadPicture(nothing, path);
    check(!missing.picture);
    check(missing.openFailure && missing.openFailure->cause == modsetup::Cause::Missing);
    return 0;
}
