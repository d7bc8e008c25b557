#pragma once
// The parts of the bitmap decoder (bmp_decoder.cpp): reading a bitmap file
// front to back, its headers and colour table (bmp_header.cpp), and its
// run-length data (bmp_run_length.cpp). Bitmap files come from whoever made a
// set, so nothing in them is trusted: every read is checked against the end
// of the data, and every size is computed in 64 bits.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/formats/picture.h"

namespace modsetup::bmp {

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

// A file up to this size is read whole at once; of a larger one, the first
// kHeadBytes, which hold every header (150 bytes at most) and colour table
// (1,024 bytes at most) a bitmap can have.
constexpr std::size_t kWholeFileBytes = 64 * 1024;
constexpr std::size_t kHeadBytes = 4096;
// Run-length data is read in pieces of this size, and no further than any
// bitmap's data could reach: past that the file is not a bitmap.
constexpr std::size_t kRunLengthPiece = 64 * 1024;
constexpr std::uint64_t kMaxRunLengthBytes = kMaxPicturePixels * 4 + (1u << 20);

// A bitmap file read front to back: its first bytes (the head) are kept, and
// later bytes are read when asked for, at offsets that only grow.
class BitmapFile {
public:
    explicit BitmapFile(InputFile& file);

    // The file's size, or kUnknownSize.
    std::uint64_t size() const { return size_; }
    std::string_view head() const { return {head_.data(), head_.size()}; }

    // Reads up to count bytes at offset; returns how many there were.
    std::size_t read(std::uint64_t offset, char* out, std::size_t count);

private:
    InputFile& file_;
    std::uint64_t size_;
    std::vector<char> head_;
    std::uint64_t position_ = 0;  // of the file, past the head
};

// Little-endian reads of some bytes of a file (its head, or one row), which
// give 0 past their end instead of reading beyond it.
class Bytes {
public:
    // fileSize: the whole file's, which data may be the beginning of.
    explicit Bytes(std::string_view data) : data_(data), fileSize_(data.size()) {}
    // fileSize: the whole file's, of which data is the beginning; kUnknownSize sets no bound.
    Bytes(std::string_view data, std::uint64_t fileSize) : data_(data), fileSize_(fileSize) {}

    std::uint64_t fileSize() const { return fileSize_; }
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
    std::uint64_t fileSize_;
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

// Reads the headers; on failure says why.
std::optional<BitmapFault> readLayout(const Bytes& file, Layout& layout);

// The colour table of a bitmap with 8 bits per pixel or fewer: as many
// entries as the header asks for and as lie between the header and the
// pixel data. Indexes past its end give black.
std::vector<std::uint32_t> readPalette(const Bytes& file, const Layout& layout);

inline std::uint32_t paletteColour(const std::vector<std::uint32_t>& palette, std::uint32_t index) {
    return index < palette.size() ? palette[index] : 0;
}

// Run-length data: fills the kept area as the data goes and sets bottomLeft
// to the colour of the bitmap's bottom-left pixel; false when the data ends
// before the bitmap is complete.
bool decodeRunLength(BitmapFile& file, const Layout& layout, const std::vector<std::uint32_t>& palette,
                     Picture& picture, std::uint32_t& bottomLeft);

}  // namespace modsetup::bmp
