#pragma once
// A preview picture. Pictures (and labels) are not windows of their own: the
// window or the group box they lie in draws them, in creation order, before
// the controls that are windows are drawn over them. So a later picture covers
// an earlier one, and transparent pixels show whatever was drawn beneath.

#include "core/formats/picture.h"
#include "win32/win32_api.h"

namespace modsetup::win32 {

class PictureView {
public:
    PictureView() = default;

    // bounds: where the picture lies in its parent's client area, in pixels;
    // scale: the window's, by which each of the picture's pixels is magnified.
    void place(RECT bounds, double scale) { bounds_ = bounds, scale_ = scale; }
    const RECT& bounds() const { return bounds_; }

    // Replaces what the view shows (a whole picture: see MainWindowView).
    void setPicture(const Picture& picture);

    // Draws the picture at its own size times the scale from the top-left
    // corner of the bounds, clipped to them, each pixel a sharp block
    // (nearest neighbour); pixels of the transparent colour (alpha 0 in
    // Picture) are not drawn. Nothing before the first picture.
    void draw(HDC dc) const;

    bool empty() const { return !bitmap_; }

private:
    RECT bounds_{};
    double scale_ = 1.0;
    GdiObject<HBITMAP> bitmap_;
    int width_ = 0;
    int height_ = 0;
    bool hasTransparent_ = false;
    COLORREF transparent_ = 0;
};

}  // namespace modsetup::win32
