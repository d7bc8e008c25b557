#pragma once
// The pictures of the demo sets. Every picture has the transparent key as
// background, so its bottom-left pixel carries the colour the window leaves
// out, and shows its subject in the set's theme colours.

#include <cstddef>
#include <string_view>

#include <QImage>
#include <QPainter>

#include <initializer_list>

#include "demo_library/demo_looks.h"

namespace modsetup::demo {

// The weapon picture in a set's root, which is also the game's gun icon:
// the gun with its label, 57 x 30 for a primary and 65 x 30 for a secondary slot.
QImage weaponPicture(std::size_t slot, const Theme& theme);

// A picture below a weapon set's weapons-gfx folder, chosen by its file name:
// bullets and the missile, muzzle fire, shells, clips, and otherwise the gun
// as the game draws it in a soldier's hands.
QImage weaponGraphic(std::size_t slot, std::string_view fileName, const Theme& theme);

// The soldier picture "pic.bmp" of a soldier set, 100 x 70.
QImage soldierPicture(const Theme& theme);

// One of a soldier set's body-part pictures, given as its name below the
// set's Gostek-gfx folder ("klata.bmp", "ranny\\udo2.bmp").
QImage soldierPart(std::string_view fileName, const Theme& theme);

// Draws outlined shapes without smoothing, so that the key colour stays exact
// around them.
class Brush {
public:
    explicit Brush(QImage& image) : painter_(&image) { painter_.setRenderHint(QPainter::Antialiasing, false); }

    Brush& colours(QRgb fill, QRgb outline) {
        painter_.setBrush(QColor::fromRgb(fill));
        QPen pen(QColor::fromRgb(outline));
        pen.setCosmetic(true);
        painter_.setPen(pen);
        return *this;
    }
    void rect(double x, double y, double w, double h) { painter_.drawRect(QRectF(x, y, w, h)); }
    void ellipse(double x, double y, double w, double h) { painter_.drawEllipse(QRectF(x, y, w, h)); }
    void polygon(std::initializer_list<QPointF> points) { painter_.drawPolygon(QPolygonF(QList<QPointF>(points))); }

private:
    QPainter painter_;
};

// A picture of the given size filled with the transparent key.
QImage blankPicture(int width, int height);

}  // namespace modsetup::demo
