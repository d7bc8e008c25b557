// The run-length data of a bitmap (8 and 4 bits per pixel), which cannot be
// entered in the middle: it is read through in pieces, and no further than
// any bitmap's data could reach.
#include <algorithm>

#include "core/formats/bmp_format.h"

namespace modsetup::bmp {
namespace {

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

}  // namespace

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

}  // namespace modsetup::bmp
