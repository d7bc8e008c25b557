#include "qt/error_report.h"

#include <QApplication>
#include <QMessageBox>

namespace modsetup::qt {

void showErrorBox(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    // Paths and set names are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace modsetup::qt
