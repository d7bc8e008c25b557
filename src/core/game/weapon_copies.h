#pragma once
// The weapon installation table: every file Apply copies from the fourteen
// chosen weapon sets into the game mod folder, in the order of the copies.
// Each row copies set folder + source to "mods\" + ModName + destination.
// The first row of each slot is the slot's icon, which lies in the set
// folder's root; all other files keep their place below the set folder.

#include <array>
#include <cstddef>
#include <string_view>

#include "core/game/slots.h"

namespace modsetup {

struct WeaponCopy {
    SlotIndex slot;                // the list whose text names the set
    std::string_view source;       // after the set folder
    std::string_view destination;  // after the game mod folder
};

inline constexpr std::size_t kWeaponCopyCount = 139;

inline constexpr std::array<WeaponCopy, kWeaponCopyCount> kWeaponCopies{{
    // Primary slot 1
    {kPrimary1, "\\1.bmp", "\\interface-gfx\\guns\\1.bmp"},
    {kPrimary1, "\\weapons-gfx\\deserteagle-2.bmp", "\\weapons-gfx\\deserteagle-2.bmp"},
    {kPrimary1, "\\weapons-gfx\\deserteagle.bmp", "\\weapons-gfx\\deserteagle.bmp"},
    {kPrimary1, "\\weapons-gfx\\deserteagle-clip2.bmp", "\\weapons-gfx\\deserteagle-clip2.bmp"},
    {kPrimary1, "\\weapons-gfx\\deserteagle-clip.bmp", "\\weapons-gfx\\deserteagle-clip.bmp"},
    {kPrimary1, "\\weapons-gfx\\eagles-bullet.bmp", "\\weapons-gfx\\eagles-bullet.bmp"},
    {kPrimary1, "\\weapons-gfx\\eagles-fire.bmp", "\\weapons-gfx\\eagles-fire.bmp"},
    {kPrimary1, "\\weapons-gfx\\eagles-shell.bmp", "\\weapons-gfx\\eagles-shell.bmp"},
    {kPrimary1, "\\weapons-gfx\\n-deserteagle-2.bmp", "\\weapons-gfx\\n-deserteagle-2.bmp"},
    {kPrimary1, "\\weapons-gfx\\n-deserteagle.bmp", "\\weapons-gfx\\n-deserteagle.bmp"},
    {kPrimary1, "\\sfx\\deserteagle-fire.wav", "\\sfx\\deserteagle-fire.wav"},
    {kPrimary1, "\\sfx\\deserteagle-reload.wav", "\\sfx\\deserteagle-reload.wav"},
    // Primary slot 2
    {kPrimary2, "\\2.bmp", "\\interface-gfx\\guns\\2.bmp"},
    {kPrimary2, "\\weapons-gfx\\mp5-2.bmp", "\\weapons-gfx\\mp5-2.bmp"},
    {kPrimary2, "\\weapons-gfx\\mp5.bmp", "\\weapons-gfx\\mp5.bmp"},
    {kPrimary2, "\\weapons-gfx\\mp5-clip.bmp", "\\weapons-gfx\\mp5-clip.bmp"},
    {kPrimary2, "\\weapons-gfx\\mp5-clip2.bmp", "\\weapons-gfx\\mp5-clip2.bmp"},
    {kPrimary2, "\\weapons-gfx\\mp5-bullet.bmp", "\\weapons-gfx\\mp5-bullet.bmp"},
    {kPrimary2, "\\weapons-gfx\\mp5-shell.bmp", "\\weapons-gfx\\mp5-shell.bmp"},
    // The set's one fire2.bmp is installed twice: under its own name and as mp5-fire.bmp.
    {kPrimary2, "\\weapons-gfx\\fire2.bmp", "\\weapons-gfx\\fire2.bmp"},
    {kPrimary2, "\\weapons-gfx\\fire2.bmp", "\\weapons-gfx\\mp5-fire.bmp"},
    {kPrimary2, "\\sfx\\mp5-fire.wav", "\\sfx\\mp5-fire.wav"},
    {kPrimary2, "\\sfx\\mp5-reload.wav", "\\sfx\\mp5-reload.wav"},
    // Primary slot 3
    {kPrimary3, "\\3.bmp", "\\interface-gfx\\guns\\3.bmp"},
    {kPrimary3, "\\weapons-gfx\\ak74-2.bmp", "\\weapons-gfx\\ak74-2.bmp"},
    {kPrimary3, "\\weapons-gfx\\ak74.bmp", "\\weapons-gfx\\ak74.bmp"},
    {kPrimary3, "\\weapons-gfx\\ak74-clip2.bmp", "\\weapons-gfx\\ak74-clip2.bmp"},
    {kPrimary3, "\\weapons-gfx\\ak74-clip.bmp", "\\weapons-gfx\\ak74-clip.bmp"},
    {kPrimary3, "\\weapons-gfx\\ak74-bullet.bmp", "\\weapons-gfx\\ak74-bullet.bmp"},
    {kPrimary3, "\\weapons-gfx\\ak74-shell.bmp", "\\weapons-gfx\\ak74-shell.bmp"},
    {kPrimary3, "\\sfx\\ak74-fire.wav", "\\sfx\\ak74-fire.wav"},
    {kPrimary3, "\\sfx\\ak74-reload.wav", "\\sfx\\ak74-reload.wav"},
    {kPrimary3, "\\weapons-gfx\\ak74-fire.bmp", "\\weapons-gfx\\ak74-fire.bmp"},
    // Primary slot 4
    {kPrimary4, "\\4.bmp", "\\interface-gfx\\guns\\4.bmp"},
    {kPrimary4, "\\weapons-gfx\\steyraug-2.bmp", "\\weapons-gfx\\steyraug-2.bmp"},
    {kPrimary4, "\\weapons-gfx\\steyraug.bmp", "\\weapons-gfx\\steyraug.bmp"},
    {kPrimary4, "\\weapons-gfx\\steyraug-clip2.bmp", "\\weapons-gfx\\steyraug-clip2.bmp"},
    {kPrimary4, "\\weapons-gfx\\steyraug-clip.bmp", "\\weapons-gfx\\steyraug-clip.bmp"},
    {kPrimary4, "\\weapons-gfx\\steyraug-bullet.bmp", "\\weapons-gfx\\steyraug-bullet.bmp"},
    {kPrimary4, "\\weapons-gfx\\steyraug-shell.bmp", "\\weapons-gfx\\steyraug-shell.bmp"},
    {kPrimary4, "\\sfx\\steyraug-fire.wav", "\\sfx\\steyraug-fire.wav"},
    {kPrimary4, "\\sfx\\steyraug-reload.wav", "\\sfx\\steyraug-reload.wav"},
    {kPrimary4, "\\weapons-gfx\\steyraug-fire.bmp", "\\weapons-gfx\\steyraug-fire.bmp"},
    // Primary slot 5
    {kPrimary5, "\\5.bmp", "\\interface-gfx\\guns\\5.bmp"},
    {kPrimary5, "\\weapons-gfx\\spas12-2.bmp", "\\weapons-gfx\\spas12-2.bmp"},
    {kPrimary5, "\\weapons-gfx\\spas12.bmp", "\\weapons-gfx\\spas12.bmp"},
    {kPrimary5, "\\weapons-gfx\\spas12-bullet.bmp", "\\weapons-gfx\\spas12-bullet.bmp"},
    {kPrimary5, "\\weapons-gfx\\spas12-shell.bmp", "\\weapons-gfx\\spas12-shell.bmp"},
    {kPrimary5, "\\sfx\\spas12-fire.wav", "\\sfx\\spas12-fire.wav"},
    {kPrimary5, "\\sfx\\spas12-reload.wav", "\\sfx\\spas12-reload.wav"},
    {kPrimary5, "\\sfx\\gaugeshell.wav", "\\sfx\\gaugeshell.wav"},
    {kPrimary5, "\\weapons-gfx\\spas12-fire.bmp", "\\weapons-gfx\\spas12-fire.bmp"},
    // Primary slot 6
    {kPrimary6, "\\6.bmp", "\\interface-gfx\\guns\\6.bmp"},
    {kPrimary6, "\\weapons-gfx\\ruger77-2.bmp", "\\weapons-gfx\\ruger77-2.bmp"},
    {kPrimary6, "\\weapons-gfx\\ruger77.bmp", "\\weapons-gfx\\ruger77.bmp"},
    {kPrimary6, "\\weapons-gfx\\ruger77-bullet.bmp", "\\weapons-gfx\\ruger77-bullet.bmp"},
    {kPrimary6, "\\sfx\\ruger77-fire.wav", "\\sfx\\ruger77-fire.wav"},
    {kPrimary6, "\\sfx\\ruger77-reload.wav", "\\sfx\\ruger77-reload.wav"},
    {kPrimary6, "\\weapons-gfx\\ruger77-fire.bmp", "\\weapons-gfx\\ruger77-fire.bmp"},
    {kPrimary6, "\\weapons-gfx\\ruger77-shell.bmp", "\\weapons-gfx\\ruger77-shell.bmp"},
    // Primary slot 7
    {kPrimary7, "\\7.bmp", "\\interface-gfx\\guns\\7.bmp"},
    {kPrimary7, "\\weapons-gfx\\m79-2.bmp", "\\weapons-gfx\\m79-2.bmp"},
    {kPrimary7, "\\weapons-gfx\\m79.bmp", "\\weapons-gfx\\m79.bmp"},
    {kPrimary7, "\\weapons-gfx\\m79-clip.bmp", "\\weapons-gfx\\m79-clip.bmp"},
    {kPrimary7, "\\weapons-gfx\\m79-clip2.bmp", "\\weapons-gfx\\m79-clip2.bmp"},
    {kPrimary7, "\\weapons-gfx\\m79-shell.bmp", "\\weapons-gfx\\m79-shell.bmp"},
    {kPrimary7, "\\weapons-gfx\\m79-bullet.bmp", "\\weapons-gfx\\m79-bullet.bmp"},
    {kPrimary7, "\\sfx\\m79-fire.wav", "\\sfx\\m79-fire.wav"},
    {kPrimary7, "\\sfx\\m79-explosion.wav", "\\sfx\\m79-explosion.wav"},
    {kPrimary7, "\\sfx\\m79-reload.wav", "\\sfx\\m79-reload.wav"},
    {kPrimary7, "\\weapons-gfx\\m79-fire.bmp", "\\weapons-gfx\\m79-fire.bmp"},
    // Primary slot 8
    {kPrimary8, "\\8.bmp", "\\interface-gfx\\guns\\8.bmp"},
    {kPrimary8, "\\weapons-gfx\\barret-fire.bmp", "\\weapons-gfx\\barret-fire.bmp"},
    {kPrimary8, "\\weapons-gfx\\barretm82-bullet.bmp", "\\weapons-gfx\\barretm82-bullet.bmp"},
    {kPrimary8, "\\weapons-gfx\\barretm82.bmp", "\\weapons-gfx\\barretm82.bmp"},
    {kPrimary8, "\\weapons-gfx\\barretm82-2.bmp", "\\weapons-gfx\\barretm82-2.bmp"},
    {kPrimary8, "\\weapons-gfx\\barretm82-shell.bmp", "\\weapons-gfx\\barretm82-shell.bmp"},
    {kPrimary8, "\\weapons-gfx\\barretm82-clip2.bmp", "\\weapons-gfx\\barretm82-clip2.bmp"},
    {kPrimary8, "\\weapons-gfx\\barretm82-clip.bmp", "\\weapons-gfx\\barretm82-clip.bmp"},
    {kPrimary8, "\\sfx\\scope.wav", "\\sfx\\scope.wav"},
    {kPrimary8, "\\sfx\\scopeback.wav", "\\sfx\\scopeback.wav"},
    {kPrimary8, "\\sfx\\barretm82-fire.wav", "\\sfx\\barretm82-fire.wav"},
    {kPrimary8, "\\sfx\\barretm82-reload.wav", "\\sfx\\barretm82-reload.wav"},
    // Primary slot 9
    {kPrimary9, "\\9.bmp", "\\interface-gfx\\guns\\9.bmp"},
    {kPrimary9, "\\weapons-gfx\\m249-2.bmp", "\\weapons-gfx\\m249-2.bmp"},
    {kPrimary9, "\\weapons-gfx\\m249.bmp", "\\weapons-gfx\\m249.bmp"},
    {kPrimary9, "\\weapons-gfx\\m249-clip2.bmp", "\\weapons-gfx\\m249-clip2.bmp"},
    {kPrimary9, "\\weapons-gfx\\m249-clip.bmp", "\\weapons-gfx\\m249-clip.bmp"},
    {kPrimary9, "\\weapons-gfx\\m249-bullet.bmp", "\\weapons-gfx\\m249-bullet.bmp"},
    {kPrimary9, "\\weapons-gfx\\m249-shell.bmp", "\\weapons-gfx\\m249-shell.bmp"},
    {kPrimary9, "\\sfx\\m249-fire.wav", "\\sfx\\m249-fire.wav"},
    {kPrimary9, "\\sfx\\m249-reload.wav", "\\sfx\\m249-reload.wav"},
    {kPrimary9, "\\weapons-gfx\\m249-fire.bmp", "\\weapons-gfx\\m249-fire.bmp"},
    // Primary slot 10
    {kPrimary10, "\\0.bmp", "\\interface-gfx\\guns\\0.bmp"},
    {kPrimary10, "\\weapons-gfx\\minigun-2.bmp", "\\weapons-gfx\\minigun-2.bmp"},
    {kPrimary10, "\\weapons-gfx\\minigun.bmp", "\\weapons-gfx\\minigun.bmp"},
    {kPrimary10, "\\weapons-gfx\\minigun-clip.bmp", "\\weapons-gfx\\minigun-clip.bmp"},
    {kPrimary10, "\\weapons-gfx\\minigun-fire.bmp", "\\weapons-gfx\\minigun-fire.bmp"},
    {kPrimary10, "\\weapons-gfx\\minigun-shell.bmp", "\\weapons-gfx\\minigun-shell.bmp"},
    {kPrimary10, "\\weapons-gfx\\minigun-bullet.bmp", "\\weapons-gfx\\minigun-bullet.bmp"},
    {kPrimary10, "\\sfx\\minigun-end.wav", "\\sfx\\minigun-end.wav"},
    {kPrimary10, "\\sfx\\minigun-fire.wav", "\\sfx\\minigun-fire.wav"},
    {kPrimary10, "\\sfx\\minigun-reload.wav", "\\sfx\\minigun-reload.wav"},
    {kPrimary10, "\\sfx\\minigun-start.wav", "\\sfx\\minigun-start.wav"},
    {kPrimary10, "\\sfx\\minigun-empty.wav", "\\sfx\\minigun-empty.wav"},
    // Secondary slot 1
    {kSecondary1, "\\10.bmp", "\\interface-gfx\\guns\\10.bmp"},
    {kSecondary1, "\\weapons-gfx\\colt1911-2.bmp", "\\weapons-gfx\\colt1911-2.bmp"},
    {kSecondary1, "\\weapons-gfx\\colt1911.bmp", "\\weapons-gfx\\colt1911.bmp"},
    {kSecondary1, "\\weapons-gfx\\colt1911-clip2.bmp", "\\weapons-gfx\\colt1911-clip2.bmp"},
    {kSecondary1, "\\weapons-gfx\\colt1911-clip.bmp", "\\weapons-gfx\\colt1911-clip.bmp"},
    {kSecondary1, "\\weapons-gfx\\colt-bullet.bmp", "\\weapons-gfx\\colt-bullet.bmp"},
    {kSecondary1, "\\weapons-gfx\\colt-shell.bmp", "\\weapons-gfx\\colt-shell.bmp"},
    {kSecondary1, "\\weapons-gfx\\n-colt1911.bmp", "\\weapons-gfx\\n-colt1911.bmp"},
    {kSecondary1, "\\weapons-gfx\\n-colt1911-2.bmp", "\\weapons-gfx\\n-colt1911-2.bmp"},
    {kSecondary1, "\\sfx\\colt1911-fire.wav", "\\sfx\\colt1911-fire.wav"},
    {kSecondary1, "\\sfx\\colt1911-reload.wav", "\\sfx\\colt1911-reload.wav"},
    {kSecondary1, "\\weapons-gfx\\colt1911-fire.bmp", "\\weapons-gfx\\colt1911-fire.bmp"},
    // Secondary slot 2
    {kSecondary2, "\\knife.bmp", "\\interface-gfx\\guns\\knife.bmp"},
    {kSecondary2, "\\weapons-gfx\\knife.bmp", "\\weapons-gfx\\knife.bmp"},
    {kSecondary2, "\\weapons-gfx\\knife2.bmp", "\\weapons-gfx\\knife2.bmp"},
    {kSecondary2, "\\sfx\\knife.wav", "\\sfx\\knife.wav"},
    {kSecondary2, "\\sfx\\slash.wav", "\\sfx\\slash.wav"},
    // The animation lies in the set folder's root and goes to the game mod folder's "\anims".
    {kSecondary2, "\\bije.poa", "\\anims\\bije.poa"},
    // Secondary slot 3
    {kSecondary3, "\\chainsaw.bmp", "\\interface-gfx\\guns\\chainsaw.bmp"},
    {kSecondary3, "\\weapons-gfx\\chainsaw2.bmp", "\\weapons-gfx\\chainsaw2.bmp"},
    {kSecondary3, "\\weapons-gfx\\chainsaw.bmp", "\\weapons-gfx\\chainsaw.bmp"},
    {kSecondary3, "\\sfx\\chainsaw-o.wav", "\\sfx\\chainsaw-o.wav"},
    {kSecondary3, "\\sfx\\chainsaw-r.wav", "\\sfx\\chainsaw-r.wav"},
    {kSecondary3, "\\sfx\\chainsaw-m.wav", "\\sfx\\chainsaw-m.wav"},
    {kSecondary3, "\\sfx\\chainsaw-d.wav", "\\sfx\\chainsaw-d.wav"},
    {kSecondary3, "\\weapons-gfx\\chainsaw-fire.bmp", "\\weapons-gfx\\chainsaw-fire.bmp"},
    // Secondary slot 4
    {kSecondary4, "\\law.bmp", "\\interface-gfx\\guns\\law.bmp"},
    {kSecondary4, "\\weapons-gfx\\law-2.bmp", "\\weapons-gfx\\law-2.bmp"},
    {kSecondary4, "\\weapons-gfx\\law.bmp", "\\weapons-gfx\\law.bmp"},
    {kSecondary4, "\\weapons-gfx\\missile.bmp", "\\weapons-gfx\\missile.bmp"},
    {kSecondary4, "\\sfx\\law.wav", "\\sfx\\law.wav"},
    {kSecondary4, "\\weapons-gfx\\law-fire.bmp", "\\weapons-gfx\\law-fire.bmp"},
    {kSecondary4, "\\sfx\\law-start.wav", "\\sfx\\law-start.wav"},
    {kSecondary4, "\\sfx\\law-end.wav", "\\sfx\\law-end.wav"},
}};

}  // namespace modsetup
