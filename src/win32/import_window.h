#pragma once
// The dialog of an archive's sets in Win32 (front/import_dialog.h), a modal
// window built in code: the heading, the list of sets (a report list view),
// below it the slot and the action of the set current and its findings, and
// Add and Cancel. Each control follows its label, which names it for screen
// readers; Tab moves between them, the arrow keys through the list and the
// drop-downs, Return adds, Escape cancels.

#include "front/import_dialog.h"
#include "front/shown_text.h"
#include "win32/win32_api.h"

namespace modsetup::win32 {

// The controls' ids, for the tests.
enum ImportControl { kImportList = 200, kImportPlaces, kImportActions, kImportFindings };

front::ImportAnswer askImportWindow(HWND owner, const front::ImportDialog& dialog, const front::TextCodec& codec);

}  // namespace modsetup::win32
