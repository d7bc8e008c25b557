#pragma once
// Side views of the demo weapons, muzzle to the right, drawn in a theme's
// colours without smoothing so that no edge pixel blends with the
// transparent background.

#include <QImage>
#include <QRectF>

#include "demo_library/demo_looks.h"

namespace modsetup::demo {

// Draws the gun into box, stretching its 56 x 20 design to the box's size.
void drawGun(QImage& image, GunShape gun, const QRectF& box, const Theme& theme);

// Sprinkles a camouflage theme's blotches over the pixels of its body colour.
void applyPattern(QImage& image, const Theme& theme);

}  // namespace modsetup::demo
