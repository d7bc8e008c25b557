#pragma once
// A 3 x 5 pixel font for the short labels on demo pictures. Drawing it needs
// no font machinery of the windowing system, so the generator runs without
// an application object and gives the same pixels everywhere.

#include <string_view>

#include <QImage>

namespace modsetup::demo {

inline constexpr int kGlyphWidth = 3;
inline constexpr int kGlyphHeight = 5;

// Width in pixels of a label: 3 per character and 1 between characters.
int labelWidth(std::string_view text);

// Draws text with its top-left corner at (x, y); letters are drawn in upper
// case, characters the font lacks as blanks. Pixels outside the image are skipped.
void drawLabel(QImage& image, int x, int y, std::string_view text, QRgb colour);

}  // namespace modsetup::demo
