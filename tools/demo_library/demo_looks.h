#pragma once
// What the demo sets look like: the colour themes that tell the sets of a
// slot apart, and per slot the words, shapes and statistics its sets share.

#include <array>
#include <cstddef>
#include <string_view>

#include <QRgb>

#include "core/game/slots.h"

namespace modsetup::demo {

// Magenta: the background of every demo picture and so the colour of its
// bottom-left pixel, which the window leaves transparent.
inline constexpr QRgb kTransparentKey = 0xFFFF00FF;

struct Theme {
    std::string_view name;  // second word of a set name
    QRgb body;
    QRgb dark;     // outlines and shadows
    QRgb pattern;  // camouflage blotches; equal to body for a plain theme
};

inline constexpr std::array<Theme, 10> kThemes{{
    {"Gold", 0xFFDAAA28, 0xFF78550A, 0xFFDAAA28},
    {"Camo", 0xFF6E783C, 0xFF373C19, 0xFF9C8650},
    {"Night", 0xFF3C4150, 0xFF14141E, 0xFF3C4150},
    {"Arctic", 0xFFE6EEF5, 0xFF6E7D8C, 0xFFE6EEF5},
    {"Crimson", 0xFFBE1E2D, 0xFF5F0A14, 0xFFBE1E2D},
    {"Jungle", 0xFF288C3C, 0xFF0F4619, 0xFF5AAA46},
    {"Chrome", 0xFFB9BEC8, 0xFF50555F, 0xFFB9BEC8},
    {"Rust", 0xFFAA5523, 0xFF5A280F, 0xFFAA5523},
    {"Ocean", 0xFF2864BE, 0xFF0F2D64, 0xFF2864BE},
    {"Violet", 0xFF8246BE, 0xFF3C1964, 0xFF8246BE},
}};

enum class GunShape {
    Pistol,
    SubMachineGun,
    AssaultRifle,
    Bullpup,
    Shotgun,
    BoltRifle,
    GrenadeLauncher,
    SniperRifle,
    MachineGun,
    Minigun,
    Knife,
    Chainsaw,
    RocketLauncher,
};

enum class ProjectileShape { Bullet, ShotgunShell, Grenade, Missile };

struct WeaponLook {
    std::string_view prefix;  // first word of the slot's set names
    std::string_view label;   // written under the gun on the weapon picture
    GunShape gun;
    ProjectileShape projectile;
    int projectileWidth;  // size of the bullet picture
    int projectileHeight;
    // Damage, FireInterval, Ammo, ReloadTime, Speed, BulletStyle, StartUpTime,
    // Bink, MovementAcc of the slot's first set.
    std::array<int, 9> stats;
};

inline constexpr std::array<WeaponLook, kWeaponSlotCount> kWeaponLooks{{
    {"Desert", "EAGLES", GunShape::Pistol, ProjectileShape::Bullet, 18, 7, {140, 25, 7, 85, 19, 1, 0, 0, 9}},
    {"MP5", "MP5", GunShape::SubMachineGun, ProjectileShape::Bullet, 16, 6, {70, 6, 30, 100, 18, 1, 0, 0, 6}},
    {"AK", "AK-74", GunShape::AssaultRifle, ProjectileShape::Bullet, 24, 7, {110, 11, 35, 150, 24, 1, 0, 0, 10}},
    {"AUG", "AUG", GunShape::Bullpup, ProjectileShape::Bullet, 24, 7, {75, 7, 30, 125, 25, 1, 0, 0, 7}},
    {"Spas", "SPAS-12", GunShape::Shotgun, ProjectileShape::ShotgunShell, 14, 8, {15, 32, 7, 175, 14, 3, 0, 0, 12}},
    {"Ruger", "RUGER 77", GunShape::BoltRifle, ProjectileShape::Bullet, 30, 7, {190, 45, 4, 78, 33, 1, 0, 0, 14}},
    {"M79", "M79", GunShape::GrenadeLauncher, ProjectileShape::Grenade, 22, 11, {150000, 6, 1, 180, 11, 4, 0, 0, 18}},
    {"Barret", "M82A1", GunShape::SniperRifle, ProjectileShape::Bullet, 36, 9, {480, 200, 10, 300, 55, 1, 0, 0, 30}},
    {"Minimi", "MINIMI", GunShape::MachineGun, ProjectileShape::Bullet, 24, 7, {85, 9, 50, 250, 27, 1, 0, 0, 15}},
    {"Minigun", "MINIGUN", GunShape::Minigun, ProjectileShape::Bullet, 20, 7, {60, 3, 100, 480, 29, 1, 25, 0, 20}},
    {"Socom", "SOCOM", GunShape::Pistol, ProjectileShape::Bullet, 16, 7, {110, 10, 12, 60, 18, 1, 0, 0, 5}},
    {"Knife", "KNIFE", GunShape::Knife, ProjectileShape::Bullet, 16, 7, {2000, 6, 1, 3, 6, 5, 0, 0, 1}},
    {"Chainsaw", "CHAINSAW", GunShape::Chainsaw, ProjectileShape::Bullet, 16, 7, {50, 2, 200, 110, 8, 6, 0, 0, 2}},
    {"LAW", "LAW", GunShape::RocketLauncher, ProjectileShape::Missile, 36, 9, {50000, 30, 1, 300, 23, 7, 28, 0, 25}},
}};

// The prefix of the soldier sets, which serve both teams.
inline constexpr std::string_view kSoldierPrefix = "Trooper";

}  // namespace modsetup::demo
