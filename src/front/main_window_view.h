#pragma once
// What the presenter asks of a window. A window implements this over its
// toolkit's controls, built from the layout table, and forwards the user's
// events to the presenter (see main_window_presenter.h); it decides nothing
// itself. When the toolkit is about to show a list's or a picture's tooltip,
// the window asks the presenter for its text and shows it as given.
//
// Lists are addressed by slot (index into the slot table), pictures by n of
// Image<n>. Texts are shown texts (see shown_text.h).

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/formats/picture.h"
#include "core/io/host.h"
#include "front/accessibility.h"
#include "front/import_dialog.h"
#include "front/keys.h"
#include "front/layout.h"
#include "front/shown_text.h"
#include "front/typing.h"
#include "front/window_menu.h"

namespace modsetup::front {

class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    // The window's pixels per inch / 96: the layout's positions, sizes, fonts
    // and pictures are multiplied by it. A window moved to a screen of
    // another scale lays itself out again at that one.
    virtual double layoutScale() const = 0;
    // The window's outer size, frame included; its position stays.
    virtual void setOuterSize(OuterSize size) = 0;
    // The window's and the application's title, shown literally.
    virtual void setTitle(const ShownText& title) = 0;
    // The native window, the owner of any message the system shell shows.
    virtual WindowHandle nativeWindow() const = 0;
    // Closes the main window, which ends the program.
    virtual void closeWindow() = 0;

    // A list's entries, in the order given; its text stays as it is.
    virtual void setListEntries(std::size_t slot, const std::vector<ShownText>& entries) = 0;
    // A list's edit field. Setting it never counts as the user's change.
    virtual ListEdit listEdit(std::size_t slot) const = 0;
    virtual void setListEdit(std::size_t slot, const ListEdit& edit) = 0;
    // The entry the list's drop-down marks as current (where arrow keys move
    // on from), after a completion; its text stays as it is.
    virtual void setListCurrentEntry(std::size_t slot, int entry) = 0;
    // Whether the list (its edit field included) has the keyboard focus.
    virtual bool listHasFocus(std::size_t slot) const = 0;

    // Replaces what picture Image<image> shows. The picture is always whole:
    // a positive width and height, and width x height pixels.
    virtual void showPicture(int image, const Picture& picture) = 0;

    virtual bool checkBoxTicked() const = 0;
    // Ticks or unticks "Use Modified Weapons".
    virtual void setCheckBoxTicked(bool ticked) = 0;
    // Shows or hides Label19, "Your Settings have been applied.", and has
    // assistive technology announce it when it appears.
    virtual void setConfirmationShown(bool shown) = 0;

    // Shows the system's wait cursor over the window while busy (a handler
    // that writes files, which may take a while), the usual one otherwise.
    virtual void showBusy(bool busy) = 0;
    // Does what a click on a button or the check box does (layout row).
    virtual void clickControl(std::size_t row) = 0;
    // Shows a list's tooltip beside it, as the mouse would show it, and has
    // assistive technology present it as a tooltip that appears.
    virtual void showListTooltip(std::size_t slot, const ShownText& text) = 0;
    // Has assistive technology say what a pick changed in a list that keeps
    // the focus (see ListAnnouncement).
    virtual void announceListChange(std::size_t slot, const ListAnnouncement& announcement) = 0;

    // Shows the window's menu as opening says; returns the command chosen,
    // none when it was dismissed.
    virtual std::optional<WindowCommand> showMenu(const std::vector<MenuItem>& items, const MenuOpening& opening) = 0;
    // Asks the user for a file through the system's file dialog; returns its
    // path in the program's bytes, none when the dialog was cancelled.
    virtual std::optional<std::string> askForFile(const FileQuestion& question) = 0;
    // Runs work off the window's thread while a modal progress window owned
    // by the main window shows how far it is; its Cancel sets the work's
    // cancel flag. The window stays responsive; returns once the work ended.
    virtual void runWithProgress(const ProgressShown& shown, const BackgroundWork& work) = 0;
    // The modal dialog of an archive's sets (import_dialog.h).
    virtual ImportAnswer askImport(const ImportDialog& dialog) = 0;

    // A question before a command changes files: the system's modal
    // question box owned by the main window, with the caption as its title
    // and the buttons Yes (the default, which Return presses) and No.
    // Returns true for Yes; No, Escape and closing the box answer no.
    virtual bool askYesNo(const ShownText& caption, const ShownText& question) = 0;

    // Lines to read, copy and close: a modal dialog owned by the main window
    // with the title, the lines in a read-only multi-line text that takes the
    // focus first (keyboard and screen readers move through it as through
    // any text), a button kCopyButton that puts them on the clipboard, one
    // line each, and kCloseButton, which Escape and Return press too.
    virtual void showLines(const ShownText& title, const std::vector<ShownText>& lines) = 0;
    // The system's clipboard, as text; empty when it holds none.
    virtual ShownText clipboardText() const = 0;
    virtual void setClipboardText(const ShownText& text) = 0;

    // The standard error report: a modal message box owned by the main window
    // with the caption as its title, an error icon and one OK button; returns
    // when the user has dismissed it.
    virtual void showError(const ShownText& caption, const ShownText& text) = 0;
};

}  // namespace modsetup::front
