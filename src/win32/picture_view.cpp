#include "win32/picture_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace modsetup::win32 {

void PictureView::setPicture(const Picture& picture) {
    // A 32-bit top-down bitmap: its pixels are 0x00RRGGBB, the core's layout
    // less the alpha byte.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return;  // out of GDI resources: keep what is shown

    // Every transparent pixel has the transparent colour and no other pixel
    // has it, so that colour is the key TransparentBlt leaves out.
    const auto transparent = std::find_if(picture.pixels.begin(), picture.pixels.end(),
                                          [](std::uint32_t pixel) { return (pixel >> 24) == 0; });
    hasTransparent_ = transparent != picture.pixels.end();
    std::uint32_t key = 0;
    if (hasTransparent_) {
        key = *transparent & 0xFFFFFFu;
        transparent_ = RGB((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF);
    }
    auto* out = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint32_t pixel = picture.pixels[i];
        out[i] = (pixel >> 24) == 0 ? key : pixel & 0xFFFFFFu;
    }
    GdiFlush();
    bitmap_ = std::move(bitmap);
    width_ = picture.width;
    height_ = picture.height;
}

void PictureView::draw(HDC dc) const {
    if (!bitmap_) return;
    // The part of the picture that the bounds hold at the scale.
    const int width = std::min<int>(width_, static_cast<int>(std::ceil((bounds_.right - bounds_.left) / scale_)));
    const int height = std::min<int>(height_, static_cast<int>(std::ceil((bounds_.bottom - bounds_.top) / scale_)));
    if (width <= 0 || height <= 0) return;
    HDC source = CreateCompatibleDC(dc);
    if (source == nullptr) return;
    const HGDIOBJ previous = SelectObject(source, bitmap_.get());
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, bounds_.left, bounds_.top, bounds_.right, bounds_.bottom);
    // Whole pixels of the screen for each of the picture's: COLORONCOLOR
    // repeats or drops them, never blends.
    SetStretchBltMode(dc, COLORONCOLOR);
    const auto drawnWidth = static_cast<int>(std::lround(width * scale_));
    const auto drawnHeight = static_cast<int>(std::lround(height * scale_));
    if (hasTransparent_)
        TransparentBlt(dc, bounds_.left, bounds_.top, drawnWidth, drawnHeight, source, 0, 0, width, height,
                       transparent_);
    else StretchBlt(dc, bounds_.left, bounds_.top, drawnWidth, drawnHeight, source, 0, 0, width, height, SRCCOPY);
    RestoreDC(dc, saved);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace modsetup::win32
