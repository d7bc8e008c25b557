#include "bmp_builder.h"

namespace modsetup::testing {
namespace {

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

std::string buildBitmap(const BitmapFields& bmp) {
    std::string header;
    put32(header, bmp.headerSize);
    if (bmp.headerSize == 12) {
        put16(header, static_cast<std::uint32_t>(bmp.width));
        put16(header, static_cast<std::uint32_t>(bmp.height));
        put16(header, 1);
        put16(header, static_cast<std::uint32_t>(bmp.bitsPerPixel));
    } else {
        put32(header, static_cast<std::uint32_t>(bmp.width));
        put32(header, static_cast<std::uint32_t>(bmp.height));
        put16(header, 1);
        put16(header, static_cast<std::uint32_t>(bmp.bitsPerPixel));
        put32(header, bmp.compression);
        put32(header, static_cast<std::uint32_t>(bmp.pixelData.size()));
        put32(header, 2835);
        put32(header, 2835);
        put32(header, static_cast<std::uint32_t>(bmp.palette.size()));
        put32(header, 0);
        // The masks follow a 40-byte header and lie inside the longer ones.
        for (std::uint32_t mask : bmp.masks) put32(header, mask);
        if (bmp.headerSize > 40 && bmp.masks.size() < 4) put32(header, 0);  // alpha mask
        while (header.size() < bmp.headerSize) header += '\0';
    }
    for (std::uint32_t colour : bmp.palette) {
        header += static_cast<char>(colour & 0xFF);
        header += static_cast<char>((colour >> 8) & 0xFF);
        header += static_cast<char>((colour >> 16) & 0xFF);
        if (bmp.headerSize != 12) header += '\0';
    }
    std::string file = "BM";
    put32(file, static_cast<std::uint32_t>(14 + header.size() + bmp.pixelData.size()));
    put32(file, 0);
    put32(file, static_cast<std::uint32_t>(14 + header.size()));
    return file + header + bmp.pixelData;
}

std::string packRows(int width, int height, int bitsPerPixel, const std::vector<std::uint32_t>& topFirst,
                     bool topDown) {
    const std::size_t stride = (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
    std::string data;
    for (int i = 0; i < height; ++i) {
        const int y = topDown ? i : height - 1 - i;
        std::string row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = topFirst[static_cast<std::size_t>(y * width + x)];
            const std::size_t bit = static_cast<std::size_t>(x) * bitsPerPixel;
            if (bitsPerPixel < 8) {
                const int shift = 8 - bitsPerPixel - static_cast<int>(bit % 8);
                row[bit / 8] = static_cast<char>(static_cast<unsigned char>(row[bit / 8]) | (value << shift));
            } else {
                for (int b = 0; b < bitsPerPixel / 8; ++b)
                    row[bit / 8 + static_cast<std::size_t>(b)] = static_cast<char>((value >> (8 * b)) & 0xFF);
            }
        }
        data += row;
    }
    return data;
}

std::string bitmap24(int width, int height, const std::vector<std::uint32_t>& topFirst) {
    BitmapFields bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.pixelData = packRows(width, height, 24, topFirst);
    return buildBitmap(bmp);
}

std::string markerBitmap(std::uint32_t marker) { return bitmap24(2, 1, {0xFFFFFF, marker}); }

std::uint32_t markerOf(const Picture& picture) {
    return picture.pixels.size() == 2 ? picture.pixels[1] & 0xFFFFFF : 0xDEAD;
}

std::vector<std::uint32_t> colours(const Picture& picture) {
    std::vector<std::uint32_t> result;
    for (std::uint32_t pixel : picture.pixels) result.push_back(pixel & 0xFFFFFF);
    return result;
}

}  // namespace modsetup::testing
