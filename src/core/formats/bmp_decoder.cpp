// Decoding of bitmap files (".bmp") as the set library ships them, rows
// stored bottom-up or top-down (headers: bmp_header.cpp; run-length data:
// bmp_run_length.cpp). A bitmap is accepted only when all of its pixel data
// can be in the file.
//
// A file is read front to back, and only as far as the kept area needs: a
// whole small file at once (every picture a set normally holds), otherwise
// its headers and colour table, then the kept rows' bytes, passing over the
// rest. A full-size picture behind a small view costs what the view shows.
#include <algorithm>
#include <cstring>

#include "core/formats/bmp_format.h"
#include "core/io/file_reads.h"

namespace modsetup {
namespace bmp {

BitmapFile::BitmapFile(InputFile& file) : file_(file), size_(file.size()) {
    const std::size_t wanted = size_ == kUnknownSize      ? kWholeFileBytes
                               : size_ <= kWholeFileBytes ? static_cast<std::size_t>(size_)
                                                          : kHeadBytes;
    head_.resize(wanted);
    head_.resize(readFully(file_, head_.data(), wanted));
    if (head_.size() < wanted) size_ = head_.size();  // it ended early: that is its size
    position_ = head_.size();
}

std::size_t BitmapFile::read(std::uint64_t offset, char* out, std::size_t count) {
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
    const std::size_t got = readFully(file_, out + done, count - done);
    position_ += got;
    return done + got;
}

}  // namespace bmp

namespace {

using namespace bmp;

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

std::optional<Picture> decodeBitmap(InputFile& input, PictureArea area, BitmapFault* fault) {
    auto fail = [fault](BitmapFault why) -> std::optional<Picture> {
        if (fault != nullptr) *fault = why;
        return std::nullopt;
    };
    BitmapFile file(input);
    const Bytes head(file.head(), file.size());
    Layout layout;
    if (const auto why = readLayout(head, layout)) return fail(*why);
    const std::vector<std::uint32_t> palette = readPalette(head, layout);
    const bool runLength = layout.compression == kRle8 || layout.compression == kRle4;
    if (!runLength && !pixelDataFits(file.size(), layout)) return fail(BitmapFault::PixelDataCutShort);

    Picture picture;
    picture.width = static_cast<int>(std::clamp<std::int64_t>(layout.width, 0, std::max(area.width, 0)));
    picture.height = static_cast<int>(std::clamp<std::int64_t>(layout.height, 0, std::max(area.height, 0)));
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    std::uint32_t bottomLeft = 0;
    if (runLength ? !decodeRunLength(file, layout, palette, picture, bottomLeft)
                  : !decodeUncompressed(file, layout, palette, picture, bottomLeft))
        return fail(runLength ? BitmapFault::RunLengthCutShort : BitmapFault::PixelDataCutShort);

    // The bottom-left pixel's colour is not drawn, white in a two-colour
    // bitmap; whatever alpha the file holds is ignored.
    const std::uint32_t transparent = layout.bitsPerPixel == 1 ? 0x00FFFFFFu : bottomLeft;
    for (auto& pixel : picture.pixels) pixel = pixel == transparent ? pixel : (pixel | 0xFF000000u);
    return picture;
}

std::optional<Picture> decodeBitmap(std::string_view bytes, PictureArea area, BitmapFault* fault) {
    MemoryFile file(bytes);
    return decodeBitmap(file, area, fault);
}

}  // namespace modsetup
