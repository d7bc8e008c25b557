#include "qt/error_report.h"

#include <QMessageBox>

namespace modsetup::qt {

void showErrorBox(QWidget* owner, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    // Paths and set names are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool askQuestionBox(QWidget* owner, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace modsetup::qt
