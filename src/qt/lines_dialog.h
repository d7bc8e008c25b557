#pragma once
// The dialog of lines to read, copy and close (MainWindowView::showLines).

#include <QString>
#include <QStringList>
#include <QWidget>

namespace modsetup::qt {

// Modal over owner: the lines in a read-only text that has the focus, the
// copy button (its caption with an access key) and the close button, the
// default, which Return and Escape press.
void showLinesDialog(QWidget* owner, const QString& title, const QStringList& lines, const QString& copyCaption,
                     const QString& closeCaption);

}  // namespace modsetup::qt
