#pragma once
// Long work in Qt (front/import_dialog.h): it runs on a worker thread while a
// modal progress dialog owned by the main window shows how far it is. Cancel,
// Escape and the close box ask the work to stop and the dialog stays until
// it has, so no other handler runs beside it.

#include "front/import_dialog.h"

class QWidget;

namespace modsetup::qt {

void runWithProgressDialog(QWidget* owner, const front::ProgressShown& shown, const front::BackgroundWork& work);

}  // namespace modsetup::qt
