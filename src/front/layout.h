#pragma once
// The main window's layout at 96 pixels per inch, one row per control in
// creation order. Creation order is drawing order among siblings (a later
// picture is drawn over an earlier one) and, for the controls that take the
// keyboard, also the tab order: ComboBox1 .. ComboBox14, GroupBox1 (with
// ComboBox15 and ComboBox16 inside), Button1 .. Button3, CheckBox1, Button4.
// Every window of the program builds its controls from this one table.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/game/slots.h"
#include "core/library/previews.h"

namespace modsetup::front {

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

inline constexpr std::size_t kNoSlot = SIZE_MAX;

// What a button does.
enum class ButtonRole { None, Apply, Undo, Close, Play };

struct ControlLayout {
    std::string_view name;  // the control's name: kind and number, "Image37"
    ControlKind kind;
    int number;  // n of Image<n>, Label<n>, ComboBox<n>, Button<n>, ...
    ControlParent parent;
    int left;
    int top;
    int width;  // labels size themselves to their caption
    int height;
    // Empty for pictures and lists. '&' marks the access key of a button or
    // the check box; its underline shows only while Alt is held.
    std::string_view caption;
    ControlStyle style;
    std::size_t slot = kNoSlot;          // a list's slot (index into the slot table)
    ButtonRole role = ButtonRole::None;  // a button's
};

inline constexpr int kWindowLeft = 183;
inline constexpr int kWindowTop = 117;
inline constexpr int kDesignWidth = 685;  // outer size as designed; the load sequence replaces it
inline constexpr int kDesignHeight = 454;
inline constexpr std::string_view kDesignTitle = "Form1";
inline constexpr std::string_view kFontFamily = "MS Sans Serif";
inline constexpr int kFontPixels = 11;
inline constexpr int kListEntryHeight = 13;  // one entry of a drop-down list

inline constexpr int kImageCount = static_cast<int>(kPictureCount);
inline constexpr int kLabelCount = 19;
inline constexpr int kButtonCount = 4;
inline constexpr int kConfirmationLabel = 19;  // "Your Settings have been applied."

// The load sequence sizes the window from two controls of the layout, with
// these margins; all of it is scaled.
inline constexpr int kWidthPastImage37 = 100;
inline constexpr int kHeightPastButton4 = 70;

namespace detail {
using K = ControlKind;
inline constexpr ControlParent W = ControlParent::Window;
inline constexpr ControlParent G = ControlParent::GroupBox1;
inline constexpr ControlStyle kPlain{};
inline constexpr ControlStyle kConfirmation{true, TextColour::WindowText, 13, true};
inline constexpr ControlStyle kTeamAlphaCaption{true, TextColour::Red, 0, false};
inline constexpr ControlStyle kTeamBravoCaption{true, TextColour::Blue, 0, false};
}  // namespace detail

inline constexpr auto kLayout = [] {
    using namespace detail;
    return std::array<ControlLayout, 82>{{
        {"Image1", K::Picture, 1, W, 184, 32, 57, 49, "", kPlain},
        {"Image2", K::Picture, 2, W, 184, 64, 57, 49, "", kPlain},
        {"Image3", K::Picture, 3, W, 184, 96, 57, 49, "", kPlain},
        {"Image4", K::Picture, 4, W, 184, 128, 57, 49, "", kPlain},
        {"Image5", K::Picture, 5, W, 184, 160, 57, 49, "", kPlain},
        {"Image6", K::Picture, 6, W, 184, 192, 57, 49, "", kPlain},
        {"Image7", K::Picture, 7, W, 184, 224, 57, 49, "", kPlain},
        {"Image8", K::Picture, 8, W, 184, 256, 57, 49, "", kPlain},
        {"Image9", K::Picture, 9, W, 184, 288, 57, 49, "", kPlain},
        {"Image10", K::Picture, 10, W, 184, 320, 57, 49, "", kPlain},
        {"Label1", K::Label, 1, W, 24, 8, 86, 13, "Primary Weapons:", kPlain},
        {"Label2", K::Label, 2, W, 368, 8, 103, 13, "Secondary Weapons:", kPlain},
        {"Label3", K::Label, 3, W, 8, 32, 9, 13, "1.", kPlain},
        {"Label4", K::Label, 4, W, 8, 64, 9, 13, "2.", kPlain},
        {"Label5", K::Label, 5, W, 8, 96, 9, 13, "3.", kPlain},
        {"Label6", K::Label, 6, W, 8, 128, 9, 13, "4.", kPlain},
        {"Label7", K::Label, 7, W, 8, 160, 9, 13, "5.", kPlain},
        {"Label8", K::Label, 8, W, 8, 192, 9, 13, "6.", kPlain},
        {"Label9", K::Label, 9, W, 8, 224, 9, 13, "7.", kPlain},
        {"Label10", K::Label, 10, W, 8, 256, 9, 13, "8.", kPlain},
        {"Label11", K::Label, 11, W, 8, 288, 9, 13, "9.", kPlain},
        {"Label12", K::Label, 12, W, 8, 320, 15, 13, "10.", kPlain},
        {"Label13", K::Label, 13, W, 352, 32, 9, 13, "1.", kPlain},
        {"Label14", K::Label, 14, W, 352, 64, 9, 13, "2.", kPlain},
        {"Label15", K::Label, 15, W, 352, 96, 9, 13, "3.", kPlain},
        {"Label16", K::Label, 16, W, 352, 128, 9, 13, "4.", kPlain},
        {"Image11", K::Picture, 11, W, 528, 32, 65, 49, "", kPlain},
        {"Image12", K::Picture, 12, W, 528, 64, 65, 49, "", kPlain},
        {"Image13", K::Picture, 13, W, 528, 96, 65, 49, "", kPlain},
        {"Image14", K::Picture, 14, W, 528, 128, 65, 49, "", kPlain},
        // Detail pictures; copies of one file overlap to show a small group.
        {"Image15", K::Picture, 15, W, 256, 32, 57, 25, "", kPlain},
        {"Image16", K::Picture, 16, W, 272, 40, 57, 25, "", kPlain},
        {"Image17", K::Picture, 17, W, 240, 64, 49, 25, "", kPlain},
        {"Image18", K::Picture, 18, W, 272, 64, 57, 25, "", kPlain},
        {"Image19", K::Picture, 19, W, 304, 64, 49, 25, "", kPlain},
        {"Image20", K::Picture, 20, W, 248, 96, 57, 25, "", kPlain},
        {"Image21", K::Picture, 21, W, 288, 96, 57, 25, "", kPlain},
        {"Image22", K::Picture, 22, W, 256, 192, 65, 25, "", kPlain},
        {"Label19", K::Label, 19, W, 384, 366, 231, 16, "Your Settings have been applied.", kConfirmation},
        {"Image25", K::Picture, 25, W, 248, 128, 57, 25, "", kPlain},
        {"Image26", K::Picture, 26, W, 288, 128, 57, 25, "", kPlain},
        {"Image27", K::Picture, 27, W, 248, 288, 57, 25, "", kPlain},
        {"Image28", K::Picture, 28, W, 288, 288, 57, 25, "", kPlain},
        {"Image29", K::Picture, 29, W, 256, 256, 65, 25, "", kPlain},
        {"Image30", K::Picture, 30, W, 272, 224, 33, 25, "", kPlain},
        {"Image31", K::Picture, 31, W, 264, 168, 57, 25, "", kPlain},
        {"Image32", K::Picture, 32, W, 256, 160, 57, 25, "", kPlain},
        {"Image33", K::Picture, 33, W, 272, 160, 57, 25, "", kPlain},
        {"Image34", K::Picture, 34, W, 248, 320, 57, 25, "", kPlain},
        {"Image35", K::Picture, 35, W, 264, 328, 57, 25, "", kPlain},
        {"Image36", K::Picture, 36, W, 280, 324, 57, 25, "", kPlain},
        {"Image37", K::Picture, 37, W, 600, 32, 57, 25, "", kPlain},  // its left edge sets the window width
        {"Image38", K::Picture, 38, W, 600, 64, 57, 25, "", kPlain},
        {"Image39", K::Picture, 39, W, 600, 96, 57, 25, "", kPlain},
        {"Image40", K::Picture, 40, W, 600, 128, 57, 25, "", kPlain},
        {"Image41", K::Picture, 41, W, 624, 96, 49, 25, "", kPlain},
        {"ComboBox1", K::List, 1, W, 24, 32, 145, 21, "", kPlain, kPrimary1},
        {"ComboBox2", K::List, 2, W, 24, 64, 145, 21, "", kPlain, kPrimary2},
        {"ComboBox3", K::List, 3, W, 24, 96, 145, 21, "", kPlain, kPrimary3},
        {"ComboBox4", K::List, 4, W, 24, 128, 145, 21, "", kPlain, kPrimary4},
        {"ComboBox5", K::List, 5, W, 24, 160, 145, 21, "", kPlain, kPrimary5},
        {"ComboBox6", K::List, 6, W, 24, 192, 145, 21, "", kPlain, kPrimary6},
        {"ComboBox7", K::List, 7, W, 24, 224, 145, 21, "", kPlain, kPrimary7},
        {"ComboBox8", K::List, 8, W, 24, 256, 145, 21, "", kPlain, kPrimary8},
        {"ComboBox9", K::List, 9, W, 24, 288, 145, 21, "", kPlain, kPrimary9},
        {"ComboBox10", K::List, 10, W, 24, 320, 145, 21, "", kPlain, kPrimary10},
        {"ComboBox11", K::List, 11, W, 368, 32, 145, 21, "", kPlain, kSecondary1},
        {"ComboBox12", K::List, 12, W, 368, 64, 145, 21, "", kPlain, kSecondary2},
        {"ComboBox13", K::List, 13, W, 368, 96, 145, 21, "", kPlain, kSecondary3},
        {"ComboBox14", K::List, 14, W, 368, 128, 145, 21, "", kPlain, kSecondary4},
        {"GroupBox1", K::GroupBox, 1, W, 352, 168, 305, 185, "Soldier Graphics:", kPlain},
        {"Label17", K::Label, 17, G, 16, 26, 72, 13, "Team Alpha:", kTeamAlphaCaption},
        {"Label18", K::Label, 18, G, 16, 98, 73, 13, "Team Bravo:", kTeamBravoCaption},
        {"Image23", K::Picture, 23, G, 184, 24, 100, 70, "", kPlain},
        {"Image24", K::Picture, 24, G, 184, 96, 100, 70, "", kPlain},
        {"ComboBox15", K::List, 15, G, 16, 48, 145, 21, "", kPlain, modsetup::kTeamAlpha},
        {"ComboBox16", K::List, 16, G, 16, 120, 145, 21, "", kPlain, modsetup::kTeamBravo},
        {"Button1", K::Button, 1, W, 320, 392, 75, 25, "&Apply", kPlain, kNoSlot, ButtonRole::Apply},
        {"Button2", K::Button, 2, W, 408, 392, 75, 25, "&Undo", kPlain, kNoSlot, ButtonRole::Undo},
        {"Button3", K::Button, 3, W, 496, 392, 75, 25, "&Close", kPlain, kNoSlot, ButtonRole::Close},
        {"CheckBox1", K::CheckBox, 1, W, 24, 368, 137, 17, "Use &Modified Weapons", kPlain},
        {"Button4", K::Button, 4, W, 584, 392, 75, 25, "&Play", kPlain, kNoSlot, ButtonRole::Play},
    }};
}();

// The row of a control; kLayout.size() when there is none.
constexpr std::size_t layoutIndex(std::string_view name) {
    for (std::size_t i = 0; i < kLayout.size(); ++i)
        if (kLayout[i].name == name) return i;
    return kLayout.size();
}

constexpr const ControlLayout& layoutOf(std::string_view name) { return kLayout[layoutIndex(name)]; }

// The row of a control by kind and number; kLayout.size() when there is none.
constexpr std::size_t layoutIndex(ControlKind kind, int number) {
    for (std::size_t i = 0; i < kLayout.size(); ++i)
        if (kLayout[i].kind == kind && kLayout[i].number == number) return i;
    return kLayout.size();
}

namespace detail {
constexpr std::string_view kindPrefix(ControlKind kind) {
    switch (kind) {
    case ControlKind::Picture: return "Image";
    case ControlKind::Label: return "Label";
    case ControlKind::List: return "ComboBox";
    case ControlKind::GroupBox: return "GroupBox";
    case ControlKind::Button: return "Button";
    case ControlKind::CheckBox: return "CheckBox";
    }
    return "";
}
// Each row's name is its kind's prefix followed by its number, a list's slot
// is the one whose list the slot table names, and every button has a role.
constexpr bool rowsAgreeWithTheirNames() {
    for (const ControlLayout& row : kLayout) {
        const std::string_view prefix = kindPrefix(row.kind);
        if (row.name.substr(0, prefix.size()) != prefix) return false;
        int number = 0;
        for (char c : row.name.substr(prefix.size())) number = number * 10 + (c - '0');
        if (number != row.number) return false;
        if ((row.kind == ControlKind::List) != (row.slot != kNoSlot)) return false;
        if (row.kind == ControlKind::List && kSlots[row.slot].list != row.name) return false;
        if ((row.kind == ControlKind::Button) != (row.role != ButtonRole::None)) return false;
    }
    return true;
}
}  // namespace detail

// 41 pictures, 19 labels, 16 lists, the group box, the check box and 4 buttons.
static_assert(kLayout.size() == 82);
static_assert(kLayout.back().name == "Button4");
static_assert(detail::rowsAgreeWithTheirNames());
static_assert(layoutOf("Image37").left + kWidthPastImage37 == 700);
static_assert(layoutOf("Button4").top + kHeightPastButton4 == 462);

// A design length in pixels at the screen's scale (its pixels per inch / 96).
inline int scaledPixels(int designPixels, double scale) { return static_cast<int>(std::lround(designPixels * scale)); }

struct OuterSize {
    int width;
    int height;
    bool operator==(const OuterSize&) const = default;
};

// The window's outer size as the load sequence sets it: the left edge of
// Image37 + 100 by the top edge of Button4 + 70, at the window's scale. The
// margins hold the window's frame, which the system scales with the window.
inline OuterSize computedOuterSize(double scale) {
    return {scaledPixels(layoutOf("Image37").left + kWidthPastImage37, scale),
            scaledPixels(layoutOf("Button4").top + kHeightPastButton4, scale)};
}

// What each picture view can show, in the picture's own pixels: its bounds at
// 96 pixels per inch, since a window shows every picture magnified by its scale.
inline PictureAreas pictureAreas() {
    PictureAreas areas{};
    for (const ControlLayout& row : kLayout)
        if (row.kind == ControlKind::Picture) areas[static_cast<std::size_t>(row.number - 1)] = {row.width, row.height};
    return areas;
}

struct ScreenArea {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const ScreenArea&) const = default;
};

// Where a window goes whose place would put part of it outside the screen's
// available area: moved, never resized, as little as it takes to lie inside;
// one larger than the area keeps its top-left corner in it.
inline ScreenArea placedOnScreen(ScreenArea window, const ScreenArea& available) {
    const auto fit = [](int start, int size, int areaStart, int areaSize) {
        if (start + size > areaStart + areaSize) start = areaStart + areaSize - size;
        return start < areaStart ? areaStart : start;
    };
    window.left = fit(window.left, window.width, available.left, available.width);
    window.top = fit(window.top, window.height, available.top, available.height);
    return window;
}

}  // namespace modsetup::front
