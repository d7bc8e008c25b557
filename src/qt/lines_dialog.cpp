#include "qt/lines_dialog.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace modsetup::qt {

void showLinesDialog(QWidget* owner, const QString& title, const QStringList& lines, const QString& copyCaption,
                     const QString& closeCaption) {
    QDialog dialog(owner);
    dialog.setWindowTitle(title);
    auto* text = new QPlainTextEdit(lines.join('\n'), &dialog);
    text->setReadOnly(true);
    // Read-only text still takes the keyboard: its lines can be walked and selected.
    text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setAccessibleName(title);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* copy = buttons->addButton(copyCaption, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(closeCaption, QDialogButtonBox::RejectRole);
    close->setDefault(true);
    QObject::connect(copy, &QPushButton::clicked,
                     [&lines] { QGuiApplication::clipboard()->setText(lines.join('\n')); });
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.resize(640, 480);
    text->setFocus();
    dialog.exec();
}

}  // namespace modsetup::qt
