// Decoding of bitmap files (".bmp") as the set library ships them: the old
// core header and the info header with its longer versions; 1, 4, 8, 16, 24
// and 32 bits per pixel; uncompressed, run-length encoded (8 and 4 bits) and
// with colour masks; rows stored bottom-up or top-down.
//
// The files come from whoever made a set, so nothing in them is trusted: every
// read is checked against the end of the data, every size is computed in 64
// bits, and a bitmap is accepted only when all of its pixel data can be in the
// file and its size stays below kMaxPicturePixels.
//
// A file is read front to back, and only as far as the kept area needs: a
// whole small file at once (every picture a set normally holds), otherwise
// its headers and colour table, then the kept rows' bytes, passing over the
// rest. A full-size picture behind a small view costs what the view shows.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/picture.h"

namespace modsetup {
namespace {

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
    explicit BitmapFile(InputFile& file) : file_(file), size_(file.size()) {
        const std::size_t wanted = size_ == kUnknownSize      ? kWholeFileBytes
                                   : size_ <= kWholeFileBytes ? static_cast<std::size_t>(size_)
                                                              : kHeadBytes;
        head_.resize(wanted);
        head_.resize(readFromFile(head_.data(), wanted));
        if (head_.size() < wanted) size_ = head_.size();  // it ended early: that is its size
        position_ = head_.size();
    }

    // The file's size, or kUnknownSize.
    std::uint64_t size() const { return size_; }
    std::string_view head() const { return {head_.data(), head_.size()}; }

    // Reads up to count bytes at offset; returns how many there were.
    std::size_t read(std::uint64_t offset, char* out, std::size_t count) {
        std::size_t done = 0;
        if (offset < head_.size()) {
            done = static_cast<std::size_t>(std::min<std::uint64_t>(count, head_.size() - offset));
            std::memcpy(out, head_.data() + offset, done);
            offset += done;
        }
        if (done == count || offset < position_) return done;
        if (offset > position_ && !file_.skip(offset - position_)) {
            position_ = kUnknownSize;  // ended: nothing more can be read
            return done;
        }
        position_ = offset;
        const std::size_t got = readFromFile(out + done, count - done);
        position_ += got;
        return done + got;
    }

private:
    std::size_t readFromFile(char* out, std::size_t count) {
        std::size_t done = 0;
        while (done < count) {
            const std::size_t got = file_.read(out + done, count - done);
            if (got == 0) break;
            done += got;
        }
        return done;
    }

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
    if (layout.dataOffset < layout.paletteStart || layout.dataOffset >= file.fileSize())
        return "pixel data outside the file";

    constexpr const char* kUnsupported = "unsupported kind of pixel data";
    switch (layout.compression) {
    case kRgb:
        switch (layout.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 24: return nullptr;
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

// The bytes that hold the first count pixels of a row.
std::uint64_t pixelBytes(const Layout& layout, std::uint64_t count) {
    return (count * static_cast<std::uint64_t>(layout.bitsPerPixel) + 7) / 8;
}

// Whether all rows of uncompressed pixels lie in a file of the given size;
// the last row may lack its padding. A file that does not tell its size is
// judged by the rows read from it.
bool pixelDataFits(std::uint64_t fileSize, const Layout& layout) {
    if (fileSize == kUnknownSize) return true;
    const std::uint64_t end = layout.dataOffset + rowStride(layout) * (static_cast<std::uint64_t>(layout.height) - 1) +
                              pixelBytes(layout, static_cast<std::uint64_t>(layout.width));
    return end <= fileSize;
}

// The colours of the first count pixels of a row of uncompressed data, from
// the bytes that hold them; one loop per kind of pixel, as every kept pixel
// of every picture passes through here.
void rowColours(const unsigned char* row, const Layout& layout, const std::vector<std::uint32_t>& palette,
                std::uint32_t* out, int count) {
    auto rgb = [](unsigned red, unsigned green, unsigned blue) { return (red << 16) | (green << 8) | blue; };
    switch (layout.bitsPerPixel) {
    case 1:
        for (int x = 0; x < count; ++x) out[x] = paletteColour(palette, (row[x / 8] >> (7 - x % 8)) & 1);
        return;
    case 4:
        for (int x = 0; x < count; ++x) out[x] = paletteColour(palette, (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF);
        return;
    case 8:
        for (int x = 0; x < count; ++x) out[x] = paletteColour(palette, row[x]);
        return;
    case 24:
        for (int x = 0; x < count; ++x, row += 3) out[x] = rgb(row[2], row[1], row[0]);
        return;
    }
    if (layout.bitsPerPixel == 32 && layout.compression == kRgb) {
        for (int x = 0; x < count; ++x, row += 4) out[x] = rgb(row[2], row[1], row[0]);
        return;
    }
    // 16 and 32 bits through the colour masks.
    const int bytes = layout.bitsPerPixel / 8;
    for (int x = 0; x < count; ++x, row += bytes) {
        std::uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | row[i];
        out[x] = rgb(layout.red.extract(value), layout.green.extract(value), layout.blue.extract(value));
    }
}

// Fills the kept area (picture.width x picture.height from the top-left) and
// sets bottomLeft to the colour of the bitmap's bottom-left pixel, when the
// picture keeps any pixel and needs that colour. Rows are read in the order
// they are stored, each only as far as the kept width; the file passes over
// the rest. False when the file gives fewer bytes than it promised.
bool decodeUncompressed(BitmapFile& file, const Layout& layout, const std::vector<std::uint32_t>& palette,
                        Picture& picture, std::uint32_t& bottomLeft) {
    if (picture.width == 0 || picture.height == 0) return true;
    const std::uint64_t height = static_cast<std::uint64_t>(layout.height);
    const std::uint64_t kept = static_cast<std::uint64_t>(picture.height);
    const std::uint64_t firstKept = layout.topDown ? 0 : height - kept;  // stored rows, first to last
    const std::uint64_t lastKept = firstKept + kept - 1;
    // A two-colour bitmap's transparent colour is white, whatever that pixel is.
    const bool wantsBottomLeft = layout.bitsPerPixel != 1;
    const std::uint64_t bottomLeftRow = layout.topDown ? height - 1 : 0;
    const std::size_t keptBytes =
        static_cast<std::size_t>(pixelBytes(layout, static_cast<std::uint64_t>(picture.width)));
    std::vector<unsigned char> buffer(keptBytes);

    // Reads the first bytes of a stored row into buffer.
    auto readRow = [&](std::uint64_t row, std::size_t bytes) {
        char* into = reinterpret_cast<char*>(buffer.data());
        return file.read(layout.dataOffset + row * rowStride(layout), into, bytes) == bytes;
    };
    auto readBottomLeft = [&] {
        if (!readRow(bottomLeftRow, static_cast<std::size_t>(pixelBytes(layout, 1)))) return false;
        rowColours(buffer.data(), layout, palette, &bottomLeft, 1);
        return true;
    };

    if (wantsBottomLeft && bottomLeftRow < firstKept && !readBottomLeft()) return false;
    for (std::uint64_t row = firstKept; row <= lastKept; ++row) {
        if (!readRow(row, keptBytes)) return false;
        const std::uint64_t shownRow = layout.topDown ? row : height - 1 - row;
        std::uint32_t* out = picture.pixels.data() + static_cast<std::size_t>(shownRow) * picture.width;
        rowColours(buffer.data(), layout, palette, out, picture.width);
        if (row == bottomLeftRow) bottomLeft = out[0];
    }
    return !(wantsBottomLeft && bottomLeftRow > lastKept) || readBottomLeft();
}

// The run-length data of a bitmap, from its start to the end of the file,
// read in pieces.
class RunLengthData {
public:
    RunLengthData(BitmapFile& file, std::uint64_t start) : file_(file), at_(start), start_(start) {}

    // The next byte; false at the end of the data.
    bool next(std::uint32_t& byte) {
        if (next_ == end_ && !refill()) return false;
        byte = static_cast<unsigned char>(bytes_[next_++]);
        return true;
    }
    // Passes over count bytes; false when the data ends first.
    bool skip(std::uint64_t count) {
        for (std::uint32_t byte; count > 0; --count)
            if (!next(byte)) return false;
        return true;
    }

private:
    // The data in the file's head is used where it lies; only beyond it are
    // pieces read.
    bool refill() {
        if (at_ - start_ >= kMaxRunLengthBytes) return false;
        next_ = 0;
        if (const std::string_view head = file_.head(); at_ < head.size()) {
            bytes_ = head.data() + at_;
            end_ = head.size() - static_cast<std::size_t>(at_);
        } else {
            if (piece_.empty()) piece_.resize(kRunLengthPiece);
            bytes_ = piece_.data();
            end_ = file_.read(at_, piece_.data(), piece_.size());
        }
        at_ += end_;
        return end_ > 0;
    }

    BitmapFile& file_;
    std::uint64_t at_;
    std::uint64_t start_;
    std::vector<char> piece_;
    const char* bytes_ = nullptr;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

// Run-length data: pairs (count, value) and escapes (0, 0) end of row,
// (0, 1) end of bitmap, (0, 2) dx dy move, (0, n >= 3) n literal pixels
// padded to an even number of bytes. Pixels the data skips keep the colour of
// index 0; runs past the right edge are clipped. Data that ends before the
// bitmap is complete is a damaged file. The kept area is filled as the data
// goes, and the colour of the bitmap's bottom-left pixel set in bottomLeft.
bool decodeRunLength(BitmapFile& file, const Layout& layout, const std::vector<std::uint32_t>& palette,
                     Picture& picture, std::uint32_t& bottomLeft) {
    const bool fourBit = layout.compression == kRle4;
    const std::int64_t width = layout.width;
    const std::int64_t height = layout.height;
    const std::uint32_t background = paletteColour(palette, 0);
    std::fill(picture.pixels.begin(), picture.pixels.end(), background);
    bottomLeft = background;

    std::int64_t x = 0;
    std::int64_t y = 0;  // counted from the bottom row
    auto put = [&](std::uint32_t index) {
        if (x < width && y < height) {
            const std::int64_t shownRow = height - 1 - y;
            if (x < picture.width && shownRow < picture.height)
                picture.pixels[static_cast<std::size_t>(shownRow * picture.width + x)] = paletteColour(palette, index);
            if (x == 0 && y == 0) bottomLeft = paletteColour(palette, index);
        }
        ++x;
    };

    RunLengthData data(file, layout.dataOffset);
    while (y < height) {
        std::uint32_t count = 0;
        std::uint32_t value = 0;
        if (!data.next(count) || !data.next(value)) return false;
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
        case 2: {
            std::uint32_t dx = 0;
            std::uint32_t dy = 0;
            if (!data.next(dx) || !data.next(dy)) return false;
            x += dx;
            y += dy;
            break;
        }
        default: {
            const std::uint32_t bytes = fourBit ? (value + 1) / 2 : value;
            for (std::uint32_t i = 0, byte = 0; i < value; ++i) {
                if ((!fourBit || i % 2 == 0) && !data.next(byte)) return false;
                if (x < width) put(fourBit ? (i % 2 == 0 ? byte >> 4 : byte & 0xF) : byte);
            }
            if (bytes % 2 == 1) data.skip(1);  // the padding, which the file's end may lack
            break;
        }
        }
    }
    return true;
}

// The bytes of a bitmap file in memory, as a file.
class MemoryFile final : public InputFile {
public:
    explicit MemoryFile(std::string_view bytes) : bytes_(bytes), size_(bytes.size()) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t count = std::min(size, bytes_.size());
        std::memcpy(buffer, bytes_.data(), count);
        bytes_.remove_prefix(count);
        return count;
    }
    bool skip(std::uint64_t count) override {
        if (count > bytes_.size()) return false;
        bytes_.remove_prefix(static_cast<std::size_t>(count));
        return true;
    }
    std::uint64_t size() const override { return size_; }

private:
    std::string_view bytes_;
    std::uint64_t size_;
};

}  // namespace

std::optional<Picture> decodeBitmap(InputFile& input, PictureArea area, std::string* failure) {
    auto fail = [failure](const char* why) -> std::optional<Picture> {
        if (failure != nullptr) *failure = why;
        return std::nullopt;
    };
    BitmapFile file(input);
    const Bytes head(file.head(), file.size());
    Layout layout;
    if (const char* why = readLayout(head, layout)) return fail(why);
    const std::vector<std::uint32_t> palette = readPalette(head, layout);
    const bool runLength = layout.compression == kRle8 || layout.compression == kRle4;
    if (!runLength && !pixelDataFits(file.size(), layout)) return fail("pixel data cut short");

    Picture picture;
    picture.width = static_cast<int>(std::clamp<std::int64_t>(layout.width, 0, std::max(area.width, 0)));
    picture.height = static_cast<int>(std::clamp<std::int64_t>(layout.height, 0, std::max(area.height, 0)));
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    std::uint32_t bottomLeft = 0;
    if (runLength ? !decodeRunLength(file, layout, palette, picture, bottomLeft)
                  : !decodeUncompressed(file, layout, palette, picture, bottomLeft))
        return fail(runLength ? "run-length data cut short" : "pixel data cut short");

    // The bottom-left pixel's colour is not drawn, white in a two-colour
    // bitmap; whatever alpha the file holds is ignored.
    const std::uint32_t transparent = layout.bitsPerPixel == 1 ? 0x00FFFFFFu : bottomLeft;
    for (auto& pixel : picture.pixels) pixel = pixel == transparent ? pixel : (pixel | 0xFF000000u);
    return picture;
}

std::optional<Picture> decodeBitmap(std::string_view bytes, PictureArea area, std::string* failure) {
    MemoryFile file(bytes);
    return decodeBitmap(file, area, failure);
}

}  // namespace modsetup
