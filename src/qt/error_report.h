#pragma once
// The standard error report: how an error that ends a handler reaches the user.
// The window hands every such error to one ErrorReport; the program's own is a
// message box, tests put a recorder in its place.

#include <QString>

#include <functional>

class QWidget;

namespace modsetup::qt {

// owner: the main window; caption: the application's title (ModTitle); text:
// the complete message.
using ErrorReport = std::function<void(QWidget* owner, const QString& caption, const QString& text)>;

// A modal message box owned by the main window, with the caption, the text as
// plain text, an error icon and one OK button; returns when the user has
// dismissed it.
void showErrorBox(QWidget* owner, const QString& caption, const QString& text);

// A modal question box owned by the main window, titled caption, with the
// text as plain text, a question icon, and Yes (the default, which Return
// presses) and No; Escape and the close box answer No. True for Yes.
bool askQuestionBox(QWidget* owner, const QString& caption, const QString& text);

}  // namespace modsetup::qt
