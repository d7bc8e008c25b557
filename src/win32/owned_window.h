#pragma once
// The window procedure of a window an object owns: CreateWindowEx's last
// argument is the object, kept in the window's GWLP_USERDATA; every message
// then goes to Owner::handleMessage, and Owner::window_ is the window from
// WM_NCCREATE until WM_NCDESTROY. Owner makes forwardToOwner a friend.

#include "win32/win32_api.h"

namespace modsetup::win32 {

template <typename Owner>
LRESULT forwardToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

}  // namespace modsetup::win32
