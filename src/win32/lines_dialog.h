#pragma once
// The dialog of lines to read, copy and close (MainWindowView::showLines),
// and the system's clipboard as text of the code page.

#include <string>

#include "win32/win32_api.h"

namespace modsetup::win32 {

// Modal over owner, which is disabled meanwhile: the lines (each ended by
// CR LF) in a read-only multi-line edit that has the focus, the copy button
// and the close button, which Escape presses too; Tab moves between them.
// A modal window of the program's own (modal_window.h), at the owner's scale.
void showLinesDialog(HWND owner, const std::string& title, const std::string& lines, const std::string& copyCaption,
                     const std::string& closeCaption);

// CF_TEXT: the program's names are bytes of the code page, which the system
// turns into and from other programs' Unicode text; empty when the clipboard
// holds no text.
std::string clipboardText(HWND owner);
bool setClipboardText(HWND owner, const std::string& text);

}  // namespace modsetup::win32
