#pragma once
// A label: one line of static text in its own font and colour, sized to its
// caption. Like the pictures it is drawn by the window or group box it lies in.

#include <string>

#include "win32/win32_api.h"

namespace modsetup::win32 {

class LabelView {
public:
    LabelView() = default;
    // Measures the caption in the font, so the bounds fit it.
    LabelView(POINT origin, std::string caption, HFONT font, COLORREF colour, bool shown);

    const RECT& bounds() const { return bounds_; }
    HFONT font() const { return font_; }
    bool shown() const { return shown_; }
    void setShown(bool shown) { shown_ = shown; }

    // Draws the caption with a transparent background, when shown.
    void draw(HDC dc) const;

private:
    RECT bounds_{};
    std::string caption_;
    HFONT font_ = nullptr;
    COLORREF colour_ = 0;
    bool shown_ = true;
};

}  // namespace modsetup::win32
