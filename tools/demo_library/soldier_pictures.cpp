#include "demo_library/demo_pictures.h"

#include <array>

#include <QPainter>
#include <QPolygonF>

#include "demo_library/gun_shapes.h"

namespace modsetup::demo {
namespace {

constexpr QRgb kSkin = 0xFFF0C8A0;
constexpr QRgb kSkinDark = 0xFF9A6A48;
constexpr QRgb kBoot = 0xFF28231E;
constexpr QRgb kGunMetal = 0xFF3A3A3A;
constexpr QRgb kHair = 0xFF5A3A1E;
constexpr QRgb kMetal = 0xFF9098A0;
constexpr QRgb kGold = 0xFFE6BE32;
constexpr QRgb kBrown = 0xFF8C5A28;
constexpr QRgb kAmber = 0xFFC88C1E;
constexpr QRgb kBlood = 0xFFB4141E;

enum class Paint { Uniform, Vest, Skin, Hair, Metal, Gold, Boot, Brown, Amber };
enum class Outline { Box, Round };

struct Part {
    std::string_view stem;
    int width;
    int height;
    Paint paint;
    Outline outline;
};

// The soldier's body parts as the game assembles them, by file stem.
constexpr std::array<Part, 25> kParts{{
    {"klata", 14, 18, Paint::Uniform, Outline::Box},    {"ramie", 8, 14, Paint::Uniform, Outline::Box},
    {"reka", 6, 12, Paint::Uniform, Outline::Box},      {"dlon", 6, 6, Paint::Skin, Outline::Round},
    {"kamizelka", 14, 16, Paint::Vest, Outline::Box},   {"udo", 8, 14, Paint::Uniform, Outline::Box},
    {"noga", 7, 14, Paint::Uniform, Outline::Box},      {"biodro", 14, 8, Paint::Uniform, Outline::Box},
    {"stopa", 10, 5, Paint::Boot, Outline::Box},        {"badge", 6, 6, Paint::Gold, Outline::Box},
    {"cygaro", 8, 3, Paint::Brown, Outline::Box},       {"morda", 12, 12, Paint::Skin, Outline::Round},
    {"hair1", 12, 6, Paint::Hair, Outline::Box},        {"hair2", 12, 6, Paint::Hair, Outline::Round},
    {"hair3", 12, 8, Paint::Hair, Outline::Round},      {"hair4", 14, 6, Paint::Hair, Outline::Box},
    {"kap", 14, 7, Paint::Uniform, Outline::Round},     {"helm", 14, 8, Paint::Uniform, Outline::Round},
    {"metal", 10, 10, Paint::Metal, Outline::Box},      {"lancuch", 12, 4, Paint::Metal, Outline::Box},
    {"walkie", 5, 10, Paint::Boot, Outline::Box},       {"beer", 6, 10, Paint::Amber, Outline::Box},
    {"zlotylancuch", 12, 4, Paint::Gold, Outline::Box}, {"zloto", 6, 6, Paint::Gold, Outline::Round},
    {"lecistopa", 10, 5, Paint::Boot, Outline::Box},
}};

const Part* findPart(std::string_view stem) {
    for (const auto& part : kParts) {
        if (part.stem == stem) return &part;
    }
    return nullptr;
}

QRgb fillOf(Paint paint, const Theme& theme) {
    switch (paint) {
    case Paint::Uniform: return theme.body;
    case Paint::Vest: return theme.dark;
    case Paint::Skin: return kSkin;
    case Paint::Hair: return kHair;
    case Paint::Metal: return kMetal;
    case Paint::Gold: return kGold;
    case Paint::Boot: return kBoot;
    case Paint::Brown: return kBrown;
    case Paint::Amber: return kAmber;
    }
    return theme.body;
}

}  // namespace

QImage soldierPicture(const Theme& theme) {
    QImage image = blankPicture(100, 70);
    {
        Brush f(image);
        // Legs and boots.
        f.colours(theme.body, theme.dark).rect(40, 40, 7, 21);
        f.colours(theme.body, theme.dark).rect(50, 40, 7, 21);
        f.colours(kBoot, kBoot).rect(37, 61, 10, 5);
        f.colours(kBoot, kBoot).rect(49, 61, 11, 5);
        // Body, vest and belt.
        f.colours(theme.body, theme.dark).rect(38, 18, 22, 23);
        f.colours(theme.dark, theme.dark).rect(40, 21, 18, 13);
        f.colours(kGold, kBoot).rect(43, 23, 3, 3);
        f.colours(kBoot, kBoot).rect(38, 38, 22, 2);
        // Head and helmet.
        f.colours(kSkin, kSkinDark).ellipse(42, 5, 14, 14);
        f.colours(theme.body, theme.dark).ellipse(40, 2, 18, 10);
        f.colours(theme.body, theme.dark).rect(40, 7, 18, 2);
        f.colours(kBoot, kBoot).rect(52, 11, 1, 1);
    }
    applyPattern(image, theme);
    Brush f(image);
    // The rifle, held across the chest, and the arm that holds it.
    f.colours(kGunMetal, kBoot).polygon({{34, 25}, {50, 24}, {50, 30}, {36, 32}});
    f.colours(kGunMetal, kBoot).rect(50, 24, 42, 4);
    f.colours(kGunMetal, kBoot).rect(66, 28, 4, 7);
    f.colours(theme.body, theme.dark).rect(56, 20, 5, 10);
    f.colours(theme.body, theme.dark).rect(56, 28, 14, 4);
    f.colours(kSkin, kSkinDark).rect(70, 27, 4, 5);
    return image;
}

QImage soldierPart(std::string_view fileName, const Theme& theme) {
    bool wounded = false;
    if (fileName.starts_with("ranny\\")) {
        wounded = true;
        fileName.remove_prefix(6);
    }
    std::string_view stem = fileName.substr(0, fileName.rfind('.'));
    // A name that adds "2" to a part's stem is the part's second picture,
    // drawn in the shadow colour ("hair22" belongs to "hair2").
    bool second = false;
    const Part* part = findPart(stem);
    if (!part && stem.ends_with('2')) {
        second = true;
        part = findPart(stem.substr(0, stem.size() - 1));
    }
    if (!part) part = &kParts.front();

    QImage image = blankPicture(part->width + 2, part->height + 2);
    QRgb fill = fillOf(part->paint, theme);
    if (second) fill = qRgb(qRed(fill) * 3 / 4, qGreen(fill) * 3 / 4, qBlue(fill) * 3 / 4);
    Brush f(image);
    f.colours(fill, theme.dark);
    if (part->outline == Outline::Round) {
        f.ellipse(1, 1, part->width - 1, part->height - 1);
    } else {
        f.rect(1, 1, part->width - 1, part->height - 1);
    }
    if (wounded) {
        f.colours(kBlood, kBlood).rect(part->width / 3, part->height / 3, 1, 1);
        f.colours(kBlood, kBlood).rect(part->width / 2 + 1, part->height / 2 + 1, 1, 1);
    }
    return image;
}

}  // namespace modsetup::demo
