#pragma once
// The standard error report: how an error that ends a handler reaches the user.
// The window hands every such error to one ErrorReport; the program's own is a
// message box, tests put a recorder in its place (a real box would wait for
// someone to press OK).

#include <functional>
#include <string>

#include "win32/win32_api.h"

namespace modsetup::win32 {

// owner: the main window; caption: the application's title (ModTitle); text:
// the complete message. Both are text of the system's 8-bit code page.
using ErrorReport = std::function<void(HWND owner, const std::string& caption, const std::string& text)>;

// A modal message box owned by the main window, with the caption, an error
// icon and one OK button; returns when the user has dismissed it.
void showErrorBox(HWND owner, const std::string& caption, const std::string& text);

// A modal question box owned by the main window, titled caption, with Yes
// (the default, which Return presses) and No; Escape and the close box
// answer No. True for Yes.
bool askQuestionBox(HWND owner, const std::string& caption, const std::string& text);

}  // namespace modsetup::win32
