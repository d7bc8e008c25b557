// Decoding of bitmap files (".bmp") as the set library ships them: the old
// core header and the info header with its longer versions; 1, 4, 8, 16, 24
// and 32 bits per pixel; uncompressed, run-length encoded (8 and 4 bits) and
// with colour masks; rows stored bottom-up or top-down.
//
// The files come from whoever made a set, so nothing in them is trusted: every
// read is checked against the end of the data, every size is computed in 64
// bits, and a bitmap is accepted only when all of its pixel data can be in the
// file and its size stays below kMaxPicturePixels.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "core/picture.h"

namespace modsetup {
namespace {

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

// Little-endian reads that give 0 past the end instead of reading beyond it.
class Bytes {
public:
    explicit Bytes(std::string_view data) : data_(data) {}

    std::uint64_t size() const { return data_.size(); }
    bool has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    std::uint8_t u8(std::uint64_t offset) const {
        return offset < data_.size() ? static_cast<std::uint8_t>(data_[static_cast<std::size_t>(offset)]) : 0;
    }
    std::uint16_t u16(std::uint64_t offset) const {
        return static_cast<std::uint16_t>(u8(offset) | (u8(offset + 1) << 8));
    }
    std::uint32_t u32(std::uint64_t offset) const {
        return static_cast<std::uint32_t>(u16(offset)) | (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
    }
    std::int32_t i32(std::uint64_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

private:
    std::string_view data_;
};

// One colour channel of a masked pixel, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    static Channel of(std::uint32_t mask) {
        if (mask == 0) return {};
        int shift = std::countr_zero(mask);
        return {mask, shift, static_cast<int>(std::bit_width(mask >> shift))};
    }

    std::uint32_t extract(std::uint32_t pixel) const {
        if (bits == 0) return 0;
        std::uint64_t value = (pixel & mask) >> shift;
        if (bits >= 8) return static_cast<std::uint32_t>(value >> (bits - 8));
        return static_cast<std::uint32_t>(value * 255 / ((std::uint64_t{1} << bits) - 1));
    }
};

struct Layout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // always positive here
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = kRgb;
    std::uint64_t paletteStart = 0;
    int paletteEntrySize = 4;
    std::uint32_t coloursUsed = 0;
    std::uint64_t dataOffset = 0;
    Channel red, green, blue;
};

constexpr const char* kUnsupportedBits = "unsupported number of bits per pixel";

// Reads the headers; on failure returns why, in a few words.
const char* readLayout(const Bytes& file, Layout& layout) {
    if (!file.has(0, kFileHeaderSize + 4) || file.u8(0) != 'B' || file.u8(1) != 'M') return "not a bitmap file";
    layout.dataOffset = file.u32(10);
    const std::uint32_t headerSize = file.u32(kFileHeaderSize);
    const std::uint64_t header = kFileHeaderSize;
    if (!file.has(header, headerSize)) return "header cut short";

    if (headerSize == kCoreHeaderSize) {
        layout.width = file.u16(header + 4);
        layout.height = file.u16(header + 6);
        layout.bitsPerPixel = file.u16(header + 10);
        layout.paletteEntrySize = 3;
        layout.paletteStart = header + headerSize;
        if (layout.bitsPerPixel != 1 && layout.bitsPerPixel != 4 && layout.bitsPerPixel != 8 &&
            layout.bitsPerPixel != 24)
            return kUnsupportedBits;
    } else if (headerSize == kInfoHeaderSize || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
               headerSize == 124) {
        // 52 and 56 carry the colour masks inside the header, as do the
        // version 4 (108) and version 5 (124) headers.
        layout.width = file.i32(header + 4);
        const std::int64_t height = file.i32(header + 8);
        layout.topDown = height < 0;
        layout.height = height < 0 ? -height : height;
        layout.bitsPerPixel = file.u16(header + 14);
        layout.compression = file.u32(header + 16);
        layout.coloursUsed = file.u32(header + 32);
        layout.paletteStart = header + headerSize;
        if (layout.compression == kBitfields) {
            std::uint64_t masks = header + kInfoHeaderSize;
            if (headerSize == kInfoHeaderSize) {
                if (!file.has(masks, 12)) return "colour masks cut short";
                layout.paletteStart += 12;  // the masks follow the short header
            }
            layout.red = Channel::of(file.u32(masks));
            layout.green = Channel::of(file.u32(masks + 4));
            layout.blue = Channel::of(file.u32(masks + 8));
        }
    } else {
        return "unknown header version";
    }

    if (layout.width <= 0 || layout.height <= 0) return "no width or no height";
    if (static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.height) > kMaxPicturePixels)
        return "more pixels than any picture of a set";
    if (layout.dataOffset < layout.paletteStart || layout.dataOffset >= file.size())
        return "pixel data outside the file";

    constexpr const char* kUnsupported = "unsupported kind of pixel data";
    switch (layout.compression) {
    case kRgb:
        switch (layout.bitsPerPixel) {
        case 1: case 4: case 8: case 24: return nullptr;
        case 16:  // 5 bits for each of red, green and blue
            layout.red = Channel::of(0x7C00);
            layout.green = Channel::of(0x03E0);
            layout.blue = Channel::of(0x001F);
            return nullptr;
        case 32:
            layout.red = Channel::of(0x00FF0000);
            layout.green = Channel::of(0x0000FF00);
            layout.blue = Channel::of(0x000000FF);
            return nullptr;
        default: return kUnsupportedBits;
        }
    case kBitfields: return layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32 ? nullptr : kUnsupported;
    // Run-length data is always stored bottom-up.
    case kRle8: return layout.bitsPerPixel == 8 && !layout.topDown ? nullptr : kUnsupported;
    case kRle4: return layout.bitsPerPixel == 4 && !layout.topDown ? nullptr : kUnsupported;
    default: return kUnsupported;
    }
}

// The colour table of a bitmap with 8 bits per pixel or fewer: as many
// entries as the header asks for and as lie between the header and the
// pixel data. Indexes past its end give black.
std::vector<std::uint32_t> readPalette(const Bytes& file, const Layout& layout) {
    std::vector<std::uint32_t> palette;
    if (layout.bitsPerPixel > 8) return palette;
    std::uint64_t count = std::uint64_t{1} << layout.bitsPerPixel;
    if (layout.coloursUsed != 0) count = std::min<std::uint64_t>(count, layout.coloursUsed);
    const std::uint64_t room = (layout.dataOffset - layout.paletteStart) / layout.paletteEntrySize;
    count = std::min(count, room);
    palette.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        std::uint64_t entry = layout.paletteStart + i * layout.paletteEntrySize;
        palette.push_back((std::uint32_t{file.u8(entry + 2)} << 16) | (std::uint32_t{file.u8(entry + 1)} << 8) |
                          file.u8(entry));
    }
    return palette;
}

std::uint32_t paletteColour(const std::vector<std::uint32_t>& palette, std::uint32_t index) {
    return index < palette.size() ? palette[index] : 0;
}

// Rows of uncompressed pixels are padded to a multiple of four bytes.
std::uint64_t rowStride(const Layout& layout) {
    return (static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bitsPerPixel) + 31) / 32 * 4;
}

// Whether all rows of uncompressed pixels lie in the file; the last row may
// lack its padding.
bool pixelDataFits(const Bytes& file, const Layout& layout) {
    const std::uint64_t lastRowBytes =
        (static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bitsPerPixel) + 7) / 8;
    return file.has(layout.dataOffset,
                    rowStride(layout) * (static_cast<std::uint64_t>(layout.height) - 1) + lastRowBytes);
}

// The colour of one pixel of uncompressed data; row counts from the top.
std::uint32_t uncompressedColour(const Bytes& file, const Layout& layout, const std::vector<std::uint32_t>& palette,
                                 std::uint64_t row, std::uint64_t x) {
    const std::uint64_t storedRow = layout.topDown ? row : static_cast<std::uint64_t>(layout.height) - 1 - row;
    const std::uint64_t start = layout.dataOffset + storedRow * rowStride(layout);
    switch (layout.bitsPerPixel) {
    case 1: return paletteColour(palette, (file.u8(start + x / 8) >> (7 - x % 8)) & 1);
    case 4: return paletteColour(palette, (file.u8(start + x / 2) >> (x % 2 == 0 ? 4 : 0)) & 0xF);
    case 8: return paletteColour(palette, file.u8(start + x));
    case 24: {
        const std::uint64_t at = start + x * 3;
        return (std::uint32_t{file.u8(at + 2)} << 16) | (std::uint32_t{file.u8(at + 1)} << 8) | file.u8(at);
    }
    default: {  // 16 and 32 bits, through the colour masks
        const std::uint32_t value = layout.bitsPerPixel == 16 ? file.u16(start + x * 2) : file.u32(start + x * 4);
        return (layout.red.extract(value) << 16) | (layout.green.extract(value) << 8) | layout.blue.extract(value);
    }
    }
}

// Fills the kept area (picture.width x picture.height from the top-left) and
// returns the colour of the bitmap's bottom-left pixel.
std::uint32_t decodeUncompressed(const Bytes& file, const Layout& layout, const std::vector<std::uint32_t>& palette,
                                 Picture& picture) {
    for (int y = 0; y < picture.height; ++y) {
        std::uint32_t* out = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
        for (int x = 0; x < picture.width; ++x) out[x] = uncompressedColour(file, layout, palette, y, x);
    }
    return uncompressedColour(file, layout, palette, static_cast<std::uint64_t>(layout.height) - 1, 0);
}

// Run-length data: pairs (count, value) and escapes (0, 0) end of row,
// (0, 1) end of bitmap, (0, 2) dx dy move, (0, n >= 3) n literal pixels
// padded to an even number of bytes. Pixels the data skips keep the colour of
// index 0; runs past the right edge are clipped. Data that ends before the
// bitmap is complete is a damaged file. Without a picture the data is only
// checked, so a damaged file is turned down before any pixel memory is taken;
// with one, the kept area is filled and the colour of the bitmap's bottom-left
// pixel is returned in bottomLeft.
bool decodeRunLength(const Bytes& file, const Layout& layout, const std::vector<std::uint32_t>& palette,
                     Picture* picture, std::uint32_t* bottomLeft) {
    const bool fourBit = layout.compression == kRle4;
    const std::int64_t width = layout.width;
    const std::int64_t height = layout.height;
    const std::uint32_t background = paletteColour(palette, 0);
    if (picture != nullptr) std::fill(picture->pixels.begin(), picture->pixels.end(), background);
    if (bottomLeft != nullptr) *bottomLeft = background;

    std::int64_t x = 0;
    std::int64_t y = 0;  // counted from the bottom row
    auto put = [&](std::uint32_t index) {
        if (picture != nullptr && x < width && y < height) {
            const std::int64_t shownRow = height - 1 - y;
            if (x < picture->width && shownRow < picture->height)
                picture->pixels[static_cast<std::size_t>(shownRow * picture->width + x)] = paletteColour(palette, index);
            if (x == 0 && y == 0 && bottomLeft != nullptr) *bottomLeft = paletteColour(palette, index);
        }
        ++x;
    };

    std::uint64_t at = layout.dataOffset;
    const std::uint64_t end = file.size();
    while (y < height) {
        if (!file.has(at, 2)) return false;
        const std::uint32_t count = file.u8(at);
        const std::uint32_t value = file.u8(at + 1);
        at += 2;
        if (count > 0) {
            for (std::uint32_t i = 0; i < count && x < width; ++i)
                put(fourBit ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value);
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            ++y;
            break;
        case 1: return true;
        case 2:
            if (!file.has(at, 2)) return false;
            x += file.u8(at);
            y += file.u8(at + 1);
            at += 2;
            break;
        default: {
            const std::uint64_t bytes = fourBit ? (value + 1) / 2 : value;
            if (!file.has(at, bytes)) return false;
            for (std::uint32_t i = 0; i < value && x < width; ++i) {
                const std::uint32_t byte = file.u8(at + (fourBit ? i / 2 : i));
                put(fourBit ? (i % 2 == 0 ? byte >> 4 : byte & 0xF) : byte);
            }
            at = std::min(end, at + (bytes + 1) / 2 * 2);
            break;
        }
        }
    }
    return true;
}

}  // namespace

std::optional<Picture> decodeBitmap(std::string_view bytes, PictureArea area, std::string* failure) {
    auto fail = [failure](const char* why) -> std::optional<Picture> {
        if (failure != nullptr) *failure = why;
        return std::nullopt;
    };
    const Bytes file(bytes);
    Layout layout;
    if (const char* why = readLayout(file, layout)) return fail(why);
    const std::vector<std::uint32_t> palette = readPalette(file, layout);
    const bool runLength = layout.compression == kRle8 || layout.compression == kRle4;
    // Checked before any pixel memory is taken.
    if (runLength ? !decodeRunLength(file, layout, palette, nullptr, nullptr) : !pixelDataFits(file, layout))
        return fail(runLength ? "run-length data cut short" : "pixel data cut short");

    Picture picture;
    picture.width = static_cast<int>(std::clamp<std::int64_t>(layout.width, 0, std::max(area.width, 0)));
    picture.height = static_cast<int>(std::clamp<std::int64_t>(layout.height, 0, std::max(area.height, 0)));
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    std::uint32_t bottomLeft = 0;
    if (runLength)
        decodeRunLength(file, layout, palette, &picture, &bottomLeft);  // checked above
    else
        bottomLeft = decodeUncompressed(file, layout, palette, picture);

    // The bottom-left pixel's colour is not drawn, white in a two-colour
    // bitmap; whatever alpha the file holds is ignored.
    const std::uint32_t transparent = layout.bitsPerPixel == 1 ? 0x00FFFFFFu : bottomLeft;
    for (auto& pixel : picture.pixels) pixel = pixel == transparent ? pixel : (pixel | 0xFF000000u);
    return picture;
}

}  // namespace modsetup
