#pragma once
// The sixteen slots: ten primary weapons, four secondary weapons and the
// soldier graphics of the two teams. Wherever the program walks through all
// slots (selections file, previews at load, catalogue scan) it takes them in
// this order. Every other table refers to a slot by its index here.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace modsetup {

inline constexpr std::size_t kSlotCount = 16;
inline constexpr std::size_t kWeaponSlotCount = 14;

struct SlotInfo {
    int number;                     // 1 .. 16
    std::string_view list;          // the slot's list in the window
    std::string_view folder;        // slot folder in the set library
    std::string_view statsSection;  // header in weapons.ini; empty for the team slots
};

inline constexpr std::array<SlotInfo, kSlotCount> kSlots{{
    {1, "ComboBox1", "1", "[Desert Eagles]"},
    {2, "ComboBox2", "2", "[HK MP5]"},
    {3, "ComboBox3", "3", "[Ak-74]"},
    {4, "ComboBox4", "4", "[Steyr AUG]"},
    {5, "ComboBox5", "5", "[Spas-12]"},
    {6, "ComboBox6", "6", "[Ruger 77]"},
    {7, "ComboBox7", "7", "[M79]"},
    {8, "ComboBox8", "8", "[Barret M82A1]"},
    {9, "ComboBox9", "9", "[FN Minimi]"},
    {10, "ComboBox10", "0", "[XM214 Minigun]"},  // primary slot 10 lives in folder "0"
    {11, "ComboBox11", "socom", "[USSOCOM]"},
    {12, "ComboBox12", "knife", "[Combat Knife]"},
    {13, "ComboBox13", "chain", "[Chainsaw]"},
    {14, "ComboBox14", "law", "[M72 LAW]"},
    {15, "ComboBox15", "gostek", ""},  // both teams choose from the one folder "gostek"
    {16, "ComboBox16", "gostek", ""},
}};

// Slot indexes (0-based) by name, for the tables that pick single slots.
enum SlotIndex : std::size_t {
    kPrimary1 = 0,
    kPrimary2,
    kPrimary3,
    kPrimary4,
    kPrimary5,
    kPrimary6,
    kPrimary7,
    kPrimary8,
    kPrimary9,
    kPrimary10,
    kSecondary1,
    kSecondary2,
    kSecondary3,
    kSecondary4,
    kTeamAlpha,
    kTeamBravo,
};

// A slot's folder in the set library: ConfigBase + "\" + slot folder.
std::string slotFolderPath(std::string_view configBase, std::size_t slot);

// The folder of the set a slot's list names: ConfigBase + "\" + slot folder +
// "\" + text, whatever the text is.
std::string setFolderPath(std::string_view configBase, std::size_t slot, std::string_view text);

}  // namespace modsetup
