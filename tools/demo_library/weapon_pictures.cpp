#include "demo_library/demo_pictures.h"

#include <QPainter>
#include <QPolygonF>

#include "demo_library/gun_shapes.h"
#include "demo_library/pixel_font.h"

namespace modsetup::demo {
namespace {

constexpr QRgb kBrass = 0xFFC8A03C;
constexpr QRgb kBrassDark = 0xFF7A5A14;
constexpr QRgb kFlame = 0xFFFFB428;
constexpr QRgb kFlameCore = 0xFFFFF0B4;
constexpr QRgb kWarhead = 0xFF8C1E1E;

QRgb mix(QRgb a, QRgb b, int percentOfB) {
    auto channel = [&](int x, int y) { return (x * (100 - percentOfB) + y * percentOfB) / 100; };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

QImage projectile(const WeaponLook& look, const Theme& theme) {
    const int w = look.projectileWidth;
    const int h = look.projectileHeight;
    QImage image = blankPicture(w, h);
    Brush brush(image);
    const double middle = (h - 1) / 2.0;
    switch (look.projectile) {
    case ProjectileShape::Bullet: {
        const double caseEnd = 1 + w * 0.55;
        brush.colours(theme.body, theme.dark)
            .polygon({{caseEnd, 1}, {w - 5.0, 1}, {w - 2.0, middle}, {w - 5.0, h - 2.0}, {caseEnd, h - 2.0}});
        brush.colours(kBrass, kBrassDark).rect(1, 1, caseEnd - 1, h - 3);
        break;
    }
    case ProjectileShape::ShotgunShell:
        brush.colours(theme.body, theme.dark).rect(w / 4.0 + 1, 1, w - w / 4.0 - 3, h - 3);
        brush.colours(kBrass, kBrassDark).rect(1, 1, w / 4.0, h - 3);
        break;
    case ProjectileShape::Grenade:
        brush.colours(theme.body, theme.dark).ellipse(w / 2.0 - 3, 1, w / 2.0, h - 3);
        brush.colours(kBrass, kBrassDark).rect(1, 2, w / 2.0 - 1, h - 5);
        break;
    case ProjectileShape::Missile:
        brush.colours(theme.dark, theme.dark).polygon({{1, 1}, {7, 3}, {7, h - 4.0}, {1, h - 2.0}});
        brush.colours(theme.body, theme.dark).rect(6, 2, w - 15, h - 5);
        brush.colours(kWarhead, theme.dark).polygon({{w - 9.0, 2}, {w - 2.0, middle}, {w - 9.0, h - 3.0}});
        break;
    }
    applyPattern(image, theme);
    return image;
}

QImage fire(const Theme& theme, int w, int h) {
    QImage image = blankPicture(w, h);
    Brush brush(image);
    const double cx = w / 2.0;
    const double cy = (h - 1) / 2.0;
    const QRgb flame = mix(kFlame, theme.body, 30);
    brush.colours(flame, mix(flame, theme.dark, 50))
        .polygon({{1, cy},
                  {cx - 2, cy - 2},
                  {cx, 1},
                  {cx + 2, cy - 2},
                  {w - 2.0, cy},
                  {cx + 2, cy + 2},
                  {cx, h - 2.0},
                  {cx - 2, cy + 2}});
    brush.colours(kFlameCore, kFlameCore).ellipse(cx - 2, cy - 1.5, 4, 3);
    return image;
}

QImage shell(const Theme& theme, bool shotgunShell) {
    if (shotgunShell) {
        QImage image = blankPicture(10, 6);
        Brush brush(image);
        brush.colours(theme.body, theme.dark).rect(3, 1, 5, 3);
        brush.colours(kBrass, kBrassDark).rect(1, 1, 2, 3);
        return image;
    }
    QImage image = blankPicture(9, 6);
    Brush(image).colours(kBrass, kBrassDark).rect(1, 1, 6, 3);
    return image;
}

QImage clip(const Theme& theme, bool empty) {
    QImage image = blankPicture(10, 16);
    Brush(image).colours(empty ? theme.dark : theme.body, theme.dark).polygon({{1, 1}, {6, 1}, {8, 14}, {3, 14}});
    applyPattern(image, theme);
    return image;
}

QImage gunSprite(const WeaponLook& look, const Theme& theme, bool otherHand, bool plain) {
    QImage image = blankPicture(46, 18);
    // The plain variant is the gun without its set's colour, in its shadow colour.
    Theme paint = theme;
    if (plain) paint.body = paint.pattern = mix(theme.dark, 0xFF808080, 40);
    drawGun(image, look.gun, QRectF(1, 1, 43, 15), paint);
    applyPattern(image, paint);
    // The gun keeps the picture's last row free, so the bottom-left pixel
    // still holds the key after mirroring.
    if (otherHand) image = image.mirrored(true, false);
    return image;
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

QImage blankPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kTransparentKey);
    return image;
}

QImage weaponPicture(std::size_t slot, const Theme& theme) {
    const WeaponLook& look = kWeaponLooks[slot];
    const int width = slot < kSecondary1 ? 57 : 65;
    QImage image = blankPicture(width, 30);
    drawGun(image, look.gun, QRectF(1, 1, width - 3, 19), theme);
    applyPattern(image, theme);
    drawLabel(image, (width - labelWidth(look.label)) / 2, 23, look.label, theme.dark);
    return image;
}

QImage weaponGraphic(std::size_t slot, std::string_view fileName, const Theme& theme) {
    const WeaponLook& look = kWeaponLooks[slot];
    if (contains(fileName, "bullet")) return projectile(look, theme);
    if (contains(fileName, "missile")) return projectile(kWeaponLooks[kSecondary4], theme);
    if (contains(fileName, "fire")) return slot == kSecondary3 ? fire(theme, 20, 14) : fire(theme, 16, 12);
    if (contains(fileName, "shell")) return shell(theme, look.projectile == ProjectileShape::ShotgunShell);
    if (contains(fileName, "clip")) return clip(theme, contains(fileName, "clip2"));
    // "-2.bmp" and "knife2.bmp", "chainsaw2.bmp": the gun in the other hand;
    // "n-": the plain gun.
    const bool otherHand = fileName.ends_with("2.bmp");
    return gunSprite(look, theme, otherHand, fileName.starts_with("n-"));
}

}  // namespace modsetup::demo
