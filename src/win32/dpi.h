#pragma once
// The pixels per inch a window is drawn at. The program is aware of each
// monitor's scaling (its manifest): a window on a monitor at 150% has 144,
// and moving it to another monitor tells it the new value (WM_DPICHANGED).

#include "win32/win32_api.h"

namespace modsetup::win32 {

// The window's pixels per inch: its monitor's where the system tells each
// window its own (Windows 10 and later), else the screen's.
int windowDpi(HWND window);

}  // namespace modsetup::win32
