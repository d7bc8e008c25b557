#pragma once
// Encodes a picture as a Windows bitmap file: 24 bits per pixel, no
// compression, rows bottom-up and padded to four bytes, the form every
// bitmap reader takes and the game's own pictures use.

#include <string>

#include <QImage>

namespace modsetup::demo {

std::string encodeBitmap24(const QImage& image);

}  // namespace modsetup::demo
