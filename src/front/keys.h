#pragma once
// The keys the presenter decides, whichever window has them. A window turns
// its toolkit's key events into these and forwards them; it decides nothing
// about them itself. A key the presenter does not take goes on to the
// control as usual.
//
// To add a key: an enumerator here, its name below when a text names it,
// one row in each window's key map, and its case in
// MainWindowPresenter::keyPressed.

#include <cstddef>
#include <string_view>

namespace modsetup::front {

enum class WindowKey {
    Return,      // Return or Enter
    AccessKey,   // Alt with a letter or digit (never typed into a list)
    ShotKey,     // plays the shot of the set a focused list names
    TooltipKey,  // shows a focused list's tooltip beside it
    MenuKey,     // opens the window's menu (window_menu.h)
};

// The keys as texts name them. Each window maps these to its toolkit's keys.
inline constexpr std::string_view kShotKeyName = "F5";
inline constexpr std::string_view kTooltipKeyName = "Ctrl+F1";
inline constexpr std::string_view kMenuKeyName = "Shift+F10";

struct KeyPress {
    WindowKey key;
    std::size_t focus;     // the layout row of the control with the focus (a list's edit field is its list)
    char32_t character{};  // AccessKey: the letter or digit, in either case
};

}  // namespace modsetup::front
