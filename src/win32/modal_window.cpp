#include "win32/modal_window.h"

#include <algorithm>

#include "win32/dpi.h"
#include "win32/owned_window.h"

namespace modsetup::win32 {
namespace {

constexpr char kModalClass[] = "ModsetupModalWindow";

}  // namespace

ModalWindow::ModalWindow(HWND owner, const std::string& title, int width, int height)
    : owner_(owner), dpi_(owner != nullptr ? windowDpi(owner) : 96) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), kModalClass, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &ModalWindow::windowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        windowClass.lpszClassName = kModalClass;
        RegisterClassExA(&windowClass);
    }
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi_, 96);
        font_ = CreateFontIndirectA(&metrics.lfMessageFont);
    }
    constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    constexpr DWORD kExtended = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, scaled(width), scaled(height)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExtended);
    // Centred over the owner (or the screen), and kept inside its monitor's work area.
    RECT over{};
    if (owner == nullptr || !GetWindowRect(owner, &over)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&over, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;
    const int left = std::max<int>(
        work.left, std::min<int>(over.left + (over.right - over.left - outerWidth) / 2, work.right - outerWidth));
    const int top = std::max<int>(
        work.top, std::min<int>(over.top + (over.bottom - over.top - outerHeight) / 2, work.bottom - outerHeight));
    window_ = CreateWindowExA(kExtended, kModalClass, title.c_str(), kStyle, left, top, outerWidth, outerHeight, owner,
                              nullptr, GetModuleHandleA(nullptr), this);
}

ModalWindow::~ModalWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
}

HWND ModalWindow::addControl(const char* windowClass, const std::string& text, DWORD style, int x, int y, int width,
                             int height, int id, DWORD extendedStyle) {
    HWND control = CreateWindowExA(
        extendedStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, scaled(x), scaled(y), scaled(width),
        scaled(height), window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (control != nullptr && font_ != nullptr)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void ModalWindow::runModal(HWND firstFocus) {
    if (window_ == nullptr) return;
    const bool ownerEnabled = owner_ != nullptr && IsWindowEnabled(owner_);
    if (ownerEnabled) EnableWindow(owner_, FALSE);
    ShowWindow(window_, SW_SHOW);
    if (firstFocus != nullptr) SetFocus(firstFocus);
    MSG message;
    while (!ended_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the program's loop ends too
            break;
        }
        if (got < 0) break;
        if (IsDialogMessageA(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // The owner takes the activation back before this window goes.
    if (ownerEnabled) EnableWindow(owner_, TRUE);
    if (owner_ != nullptr) SetActiveWindow(owner_);
    ShowWindow(window_, SW_HIDE);
}

LRESULT ModalWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK ModalWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return forwardToOwner<ModalWindow>(window, message, wParam, lParam);
}

}  // namespace modsetup::win32
