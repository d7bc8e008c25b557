#pragma once
// The main window's layout at 96 pixels per inch, one row per control in
// creation order. Creation order is drawing order among siblings (a later
// picture is drawn over an earlier one) and, for the controls that take the
// keyboard, also the tab order: ComboBox1 .. ComboBox14, GroupBox1 (with
// ComboBox15 and ComboBox16 inside), Button1 .. Button3, CheckBox1, Button4.

#include <array>
#include <cstddef>
#include <string_view>

namespace modsetup::ui {

enum class ControlKind { Picture, Label, List, GroupBox, Button, CheckBox };

// Where a control lies: in the window's client area or in GroupBox1.
enum class ControlParent { Window, GroupBox1 };

enum class TextColour { WindowText, Red, Blue };

struct ControlStyle {
    bool bold = false;
    TextColour colour = TextColour::WindowText;
    int fontPixels = 0;  // 0: the window's font
    bool hiddenAtStart = false;
};

struct ControlLayout {
    std::string_view name;  // objectName of the control
    ControlKind kind;
    ControlParent parent;
    int left;
    int top;
    int width;  // labels size themselves to their caption
    int height;
    std::string_view caption;  // empty for pictures and lists
    ControlStyle style;
};

inline constexpr int kWindowLeft = 183;
inline constexpr int kWindowTop = 117;
inline constexpr int kDesignWidth = 685;  // outer size as designed; the load sequence replaces it
inline constexpr int kDesignHeight = 454;
inline constexpr std::string_view kDesignTitle = "Form1";
inline constexpr std::string_view kFontFamily = "MS Sans Serif";
inline constexpr int kFontPixels = 11;
inline constexpr int kListEntryHeight = 13;  // one entry of a drop-down list

// The load sequence sizes the window from two controls of the layout; these
// offsets are added after scaling, unscaled.
inline constexpr int kWidthPastImage37 = 100;
inline constexpr int kHeightPastButton4 = 70;

namespace detail {
using K = ControlKind;
inline constexpr ControlParent W = ControlParent::Window;
inline constexpr ControlParent G = ControlParent::GroupBox1;
inline constexpr ControlStyle kPlain{};
inline constexpr ControlStyle kConfirmation{true, TextColour::WindowText, 13, true};
inline constexpr ControlStyle kTeamAlpha{true, TextColour::Red, 0, false};
inline constexpr ControlStyle kTeamBravo{true, TextColour::Blue, 0, false};
}  // namespace detail

inline constexpr auto kLayout = [] {
    using namespace detail;
    return std::array<ControlLayout, 82>{{
        {"Image1", K::Picture, W, 184, 32, 57, 49, "", kPlain},
        {"Image2", K::Picture, W, 184, 64, 57, 49, "", kPlain},
        {"Image3", K::Picture, W, 184, 96, 57, 49, "", kPlain},
        {"Image4", K::Picture, W, 184, 128, 57, 49, "", kPlain},
        {"Image5", K::Picture, W, 184, 160, 57, 49, "", kPlain},
        {"Image6", K::Picture, W, 184, 192, 57, 49, "", kPlain},
        {"Image7", K::Picture, W, 184, 224, 57, 49, "", kPlain},
        {"Image8", K::Picture, W, 184, 256, 57, 49, "", kPlain},
        {"Image9", K::Picture, W, 184, 288, 57, 49, "", kPlain},
        {"Image10", K::Picture, W, 184, 320, 57, 49, "", kPlain},
        {"Label1", K::Label, W, 24, 8, 86, 13, "Primary Weapons:", kPlain},
        {"Label2", K::Label, W, 368, 8, 103, 13, "Secondary Weapons:", kPlain},
        {"Label3", K::Label, W, 8, 32, 9, 13, "1.", kPlain},
        {"Label4", K::Label, W, 8, 64, 9, 13, "2.", kPlain},
        {"Label5", K::Label, W, 8, 96, 9, 13, "3.", kPlain},
        {"Label6", K::Label, W, 8, 128, 9, 13, "4.", kPlain},
        {"Label7", K::Label, W, 8, 160, 9, 13, "5.", kPlain},
        {"Label8", K::Label, W, 8, 192, 9, 13, "6.", kPlain},
        {"Label9", K::Label, W, 8, 224, 9, 13, "7.", kPlain},
        {"Label10", K::Label, W, 8, 256, 9, 13, "8.", kPlain},
        {"Label11", K::Label, W, 8, 288, 9, 13, "9.", kPlain},
        {"Label12", K::Label, W, 8, 320, 15, 13, "10.", kPlain},
        {"Label13", K::Label, W, 352, 32, 9, 13, "1.", kPlain},
        {"Label14", K::Label, W, 352, 64, 9, 13, "2.", kPlain},
        {"Label15", K::Label, W, 352, 96, 9, 13, "3.", kPlain},
        {"Label16", K::Label, W, 352, 128, 9, 13, "4.", kPlain},
        {"Image11", K::Picture, W, 528, 32, 65, 49, "", kPlain},
        {"Image12", K::Picture, W, 528, 64, 65, 49, "", kPlain},
        {"Image13", K::Picture, W, 528, 96, 65, 49, "", kPlain},
        {"Image14", K::Picture, W, 528, 128, 65, 49, "", kPlain},
        // Detail pictures; copies of one file overlap to show a small group.
        {"Image15", K::Picture, W, 256, 32, 57, 25, "", kPlain},
        {"Image16", K::Picture, W, 272, 40, 57, 25, "", kPlain},
        {"Image17", K::Picture, W, 240, 64, 49, 25, "", kPlain},
        {"Image18", K::Picture, W, 272, 64, 57, 25, "", kPlain},
        {"Image19", K::Picture, W, 304, 64, 49, 25, "", kPlain},
        {"Image20", K::Picture, W, 248, 96, 57, 25, "", kPlain},
        {"Image21", K::Picture, W, 288, 96, 57, 25, "", kPlain},
        {"Image22", K::Picture, W, 256, 192, 65, 25, "", kPlain},
        {"Label19", K::Label, W, 384, 366, 231, 16, "Your Settings have been applied.", kConfirmation},
        {"Image25", K::Picture, W, 248, 128, 57, 25, "", kPlain},
        {"Image26", K::Picture, W, 288, 128, 57, 25, "", kPlain},
        {"Image27", K::Picture, W, 248, 288, 57, 25, "", kPlain},
        {"Image28", K::Picture, W, 288, 288, 57, 25, "", kPlain},
        {"Image29", K::Picture, W, 256, 256, 65, 25, "", kPlain},
        {"Image30", K::Picture, W, 272, 224, 33, 25, "", kPlain},
        {"Image31", K::Picture, W, 264, 168, 57, 25, "", kPlain},
        {"Image32", K::Picture, W, 256, 160, 57, 25, "", kPlain},
        {"Image33", K::Picture, W, 272, 160, 57, 25, "", kPlain},
        {"Image34", K::Picture, W, 248, 320, 57, 25, "", kPlain},
        {"Image35", K::Picture, W, 264, 328, 57, 25, "", kPlain},
        {"Image36", K::Picture, W, 280, 324, 57, 25, "", kPlain},
        {"Image37", K::Picture, W, 600, 32, 57, 25, "", kPlain},  // its left edge sets the window width
        {"Image38", K::Picture, W, 600, 64, 57, 25, "", kPlain},
        {"Image39", K::Picture, W, 600, 96, 57, 25, "", kPlain},
        {"Image40", K::Picture, W, 600, 128, 57, 25, "", kPlain},
        {"Image41", K::Picture, W, 624, 96, 49, 25, "", kPlain},
        {"ComboBox1", K::List, W, 24, 32, 145, 21, "", kPlain},
        {"ComboBox2", K::List, W, 24, 64, 145, 21, "", kPlain},
        {"ComboBox3", K::List, W, 24, 96, 145, 21, "", kPlain},
        {"ComboBox4", K::List, W, 24, 128, 145, 21, "", kPlain},
        {"ComboBox5", K::List, W, 24, 160, 145, 21, "", kPlain},
        {"ComboBox6", K::List, W, 24, 192, 145, 21, "", kPlain},
        {"ComboBox7", K::List, W, 24, 224, 145, 21, "", kPlain},
        {"ComboBox8", K::List, W, 24, 256, 145, 21, "", kPlain},
        {"ComboBox9", K::List, W, 24, 288, 145, 21, "", kPlain},
        {"ComboBox10", K::List, W, 24, 320, 145, 21, "", kPlain},
        {"ComboBox11", K::List, W, 368, 32, 145, 21, "", kPlain},
        {"ComboBox12", K::List, W, 368, 64, 145, 21, "", kPlain},
        {"ComboBox13", K::List, W, 368, 96, 145, 21, "", kPlain},
        {"ComboBox14", K::List, W, 368, 128, 145, 21, "", kPlain},
        {"GroupBox1", K::GroupBox, W, 352, 168, 305, 185, "Soldier Graphics:", kPlain},
        {"Label17", K::Label, G, 16, 26, 72, 13, "Team Alpha:", kTeamAlpha},
        {"Label18", K::Label, G, 16, 98, 73, 13, "Team Bravo:", kTeamBravo},
        {"Image23", K::Picture, G, 184, 24, 100, 70, "", kPlain},
        {"Image24", K::Picture, G, 184, 96, 100, 70, "", kPlain},
        {"ComboBox15", K::List, G, 16, 48, 145, 21, "", kPlain},
        {"ComboBox16", K::List, G, 16, 120, 145, 21, "", kPlain},
        {"Button1", K::Button, W, 320, 392, 75, 25, "Apply", kPlain},
        {"Button2", K::Button, W, 408, 392, 75, 25, "Undo", kPlain},
        {"Button3", K::Button, W, 496, 392, 75, 25, "Close", kPlain},
        {"CheckBox1", K::CheckBox, W, 24, 368, 137, 17, "Use Modified Weapons", kPlain},
        {"Button4", K::Button, W, 584, 392, 75, 25, "Play", kPlain},
    }};
}();

// The row of a control; kLayout.size() when there is none.
constexpr std::size_t layoutIndex(std::string_view name) {
    for (std::size_t i = 0; i < kLayout.size(); ++i)
        if (kLayout[i].name == name) return i;
    return kLayout.size();
}

constexpr const ControlLayout& layoutOf(std::string_view name) { return kLayout[layoutIndex(name)]; }

// 41 pictures, 19 labels, 16 lists, the group box, the check box and 4 buttons.
static_assert(kLayout.size() == 82);
static_assert(kLayout.back().name == "Button4");
static_assert(layoutOf("Image37").left + kWidthPastImage37 == 700);
static_assert(layoutOf("Button4").top + kHeightPastButton4 == 462);

}  // namespace modsetup::ui
