#pragma once
// Long work in Win32 (front/import_dialog.h): it runs on a worker thread
// while a modal progress window owned by the main window shows how far it
// is. Cancel, Escape and the close box ask the work to stop; the window
// stays until it has, so no other handler runs beside it.

#include "front/import_dialog.h"
#include "front/shown_text.h"
#include "win32/win32_api.h"

namespace modsetup::win32 {

void runWithProgressWindow(HWND owner, const front::ProgressShown& shown, const front::BackgroundWork& work,
                           const front::TextCodec& codec);

}  // namespace modsetup::win32
