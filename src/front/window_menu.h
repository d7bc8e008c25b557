#pragma once
// The window's menu: the commands beyond the designed window's buttons. It
// opens from a right-click on the window's background or the menu key
// (kMenuKeyName, or the keyboard's own menu key), and on Windows its entries
// stand in the window's system menu too. Each window builds it from the
// presenter's items and forwards the command chosen.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "front/shown_text.h"

namespace modsetup::front {

enum class WindowCommand {
    RestoreLast,
    RestoreOriginal,
    SaveChoices,
    LoadChoices,
    ShowApplyPlan,
    CopyChoices,
    PasteChoices,
    AddFromArchive,
};

struct MenuItem {
    WindowCommand command;
    ShownText caption;
    bool enabled;
};

// Where a menu opened by the mouse opens, in the window's client area at 96
// DPI times the layout scale (as the window reports the click); a menu opened
// by a key opens by the focused control.
struct MenuPoint {
    int x;
    int y;
};

// How the menu opens. A screen reader says its name as it opens; one opened
// by a key has its first entry current, which the screen reader names next.
// In any menu the arrow keys reach every entry, an unavailable one too, which
// a screen reader names as unavailable: a player learns of every command.
struct MenuOpening {
    std::optional<MenuPoint> at;  // none: by the focused control
    bool firstEntryCurrent = false;
    ShownText name;
};

// A kind of file a dialog offers: its name and the pattern of its files'
// names ("*" for any file; several separated by ";").
struct FileKind {
    ShownText name;
    std::string pattern;
};

// The file a command of the menu reads or writes, as the system's dialog
// asks for it.
struct FileQuestion {
    bool save;                    // a file to write (the dialog asks before replacing one)
    ShownText title;              // the dialog's title
    std::vector<FileKind> kinds;  // offered in this order, the first at the start
    std::string defaultSuffix;    // added to a name typed without one, where the system's dialog does
};

}  // namespace modsetup::front
