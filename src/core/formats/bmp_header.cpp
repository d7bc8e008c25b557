// The headers and colour table of a bitmap file: the old core header and the
// info header with its longer versions; 1, 4, 8, 16, 24 and 32 bits per
// pixel; uncompressed, run-length encoded (8 and 4 bits) and with colour
// masks. A bitmap is accepted only when its pixel data starts inside the file
// and its size stays below kMaxPicturePixels.
#include "core/formats/bmp_format.h"

#include <algorithm>

namespace modsetup::bmp {

std::optional<BitmapFault> readLayout(const Bytes& file, Layout& layout) {
    if (!file.has(0, kFileHeaderSize + 4) || file.u8(0) != 'B' || file.u8(1) != 'M') return BitmapFault::NotABitmap;
    layout.dataOffset = file.u32(10);
    const std::uint32_t headerSize = file.u32(kFileHeaderSize);
    const std::uint64_t header = kFileHeaderSize;
    if (!file.has(header, headerSize)) return BitmapFault::HeaderCutShort;

    if (headerSize == kCoreHeaderSize) {
        layout.width = file.u16(header + 4);
        layout.height = file.u16(header + 6);
        layout.bitsPerPixel = file.u16(header + 10);
        layout.paletteEntrySize = 3;
        layout.paletteStart = header + headerSize;
        if (layout.bitsPerPixel != 1 && layout.bitsPerPixel != 4 && layout.bitsPerPixel != 8 &&
            layout.bitsPerPixel != 24)
            return BitmapFault::UnsupportedBits;
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
                if (!file.has(masks, 12)) return BitmapFault::MasksCutShort;
                layout.paletteStart += 12;  // the masks follow the short header
            }
            layout.red = Channel::of(file.u32(masks));
            layout.green = Channel::of(file.u32(masks + 4));
            layout.blue = Channel::of(file.u32(masks + 8));
        }
    } else {
        return BitmapFault::UnknownHeader;
    }

    if (layout.width <= 0 || layout.height <= 0) return BitmapFault::NoSize;
    if (static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.height) > kMaxPicturePixels)
        return BitmapFault::TooManyPixels;
    if (layout.dataOffset < layout.paletteStart || layout.dataOffset >= file.fileSize())
        return BitmapFault::PixelDataOutside;

    constexpr BitmapFault kUnsupported = BitmapFault::UnsupportedPixels;
    constexpr BitmapFault kUnsupportedBits = BitmapFault::UnsupportedBits;
    switch (layout.compression) {
    case kRgb:
        switch (layout.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 24: return std::nullopt;
        case 16:  // 5 bits for each of red, green and blue
            layout.red = Channel::of(0x7C00);
            layout.green = Channel::of(0x03E0);
            layout.blue = Channel::of(0x001F);
            return std::nullopt;
        case 32:
            layout.red = Channel::of(0x00FF0000);
            layout.green = Channel::of(0x0000FF00);
            layout.blue = Channel::of(0x000000FF);
            return std::nullopt;
        default: return kUnsupportedBits;
        }
    case kBitfields:
        return layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32 ? std::optional<BitmapFault>() : kUnsupported;
    // Run-length data is always stored bottom-up.
    case kRle8: return layout.bitsPerPixel == 8 && !layout.topDown ? std::optional<BitmapFault>() : kUnsupported;
    case kRle4: return layout.bitsPerPixel == 4 && !layout.topDown ? std::optional<BitmapFault>() : kUnsupported;
    default: return kUnsupported;
    }
}

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

}  // namespace modsetup::bmp
