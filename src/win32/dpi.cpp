#include "win32/dpi.h"

namespace modsetup::win32 {

int windowDpi(HWND window) {
    // Looked up at run time: older systems lack it, and the program must start there too.
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr && window != nullptr)
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace modsetup::win32
