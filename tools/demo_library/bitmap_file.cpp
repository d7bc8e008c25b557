#include "demo_library/bitmap_file.h"

#include <cstdint>

namespace modsetup::demo {
namespace {

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string encodeBitmap24(const QImage& image) {
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * height;
    const std::uint32_t headerBytes = 14 + 40;

    std::string out;
    out.reserve(headerBytes + pixelBytes);
    // File header.
    out += "BM";
    putLe(out, headerBytes + pixelBytes, 4);
    putLe(out, 0, 4);  // reserved
    putLe(out, headerBytes, 4);
    // Information header.
    putLe(out, 40, 4);
    putLe(out, width, 4);
    putLe(out, height, 4);  // positive: bottom row first
    putLe(out, 1, 2);       // planes
    putLe(out, 24, 2);      // bits per pixel
    putLe(out, 0, 4);       // no compression
    putLe(out, pixelBytes, 4);
    putLe(out, 2835, 4);  // 72 pixels per inch, in pixels per metre
    putLe(out, 2835, 4);
    putLe(out, 0, 4);  // no palette
    putLe(out, 0, 4);

    for (int y = image.height() - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.push_back(static_cast<char>(qBlue(pixel)));
            out.push_back(static_cast<char>(qGreen(pixel)));
            out.push_back(static_cast<char>(qRed(pixel)));
            written += 3;
        }
        for (; written < rowBytes; ++written) out.push_back('\0');
    }
    return out;
}

}  // namespace modsetup::demo
