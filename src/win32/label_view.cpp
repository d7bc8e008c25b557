#include "win32/label_view.h"

namespace modsetup::win32 {

LabelView::LabelView(POINT origin, std::string caption, HFONT font, COLORREF colour, bool shown)
    : caption_(std::move(caption)), font_(font), colour_(colour), shown_(shown) {
    SIZE size{};
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font_);
    GetTextExtentPoint32A(screen, caption_.c_str(), static_cast<int>(caption_.size()), &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    bounds_ = {origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
}

void LabelView::draw(HDC dc) const {
    if (!shown_) return;
    const HGDIOBJ previous = SelectObject(dc, font_);
    const COLORREF previousColour = SetTextColor(dc, colour_);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    RECT bounds = bounds_;
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &bounds,
              DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColour);
    SelectObject(dc, previous);
}

}  // namespace modsetup::win32
