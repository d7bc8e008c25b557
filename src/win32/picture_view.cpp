#include "win32/picture_view.h"

#include <algorithm>
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
    const int width = std::min<int>(width_, bounds_.right - bounds_.left);
    const int height = std::min<int>(height_, bounds_.bottom - bounds_.top);
    if (width <= 0 || height <= 0) return;
    HDC source = CreateCompatibleDC(dc);
    if (source == nullptr) return;
    const HGDIOBJ previous = SelectObject(source, bitmap_.get());
    if (hasTransparent_)
        TransparentBlt(dc, bounds_.left, bounds_.top, width, height, source, 0, 0, width, height, transparent_);
    else BitBlt(dc, bounds_.left, bounds_.top, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace modsetup::win32
