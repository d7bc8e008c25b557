#pragma once
// The modal windows of adding sets from an archive, built in code: a window
// of the program's own class over a window proc of its owner object, its
// controls placed at the owner's scaling in the window's font, and the
// modal loop that runs while it shows (the owner disabled, the dialog keys
// Tab, Return and Escape taken by IsDialogMessage).

#include <string>

#include "win32/win32_api.h"

namespace modsetup::win32 {

class ModalWindow {
public:
    virtual ~ModalWindow();
    ModalWindow(const ModalWindow&) = delete;
    ModalWindow& operator=(const ModalWindow&) = delete;

protected:
    // owner: the main window. The client area is width x height at 96 DPI.
    ModalWindow(HWND owner, const std::string& title, int width, int height);

    // A control at 96-DPI bounds, in the window's font.
    HWND addControl(const char* windowClass, const std::string& text, DWORD style, int x, int y, int width, int height,
                    int id = 0, DWORD extendedStyle = 0);
    // Runs the loop until end() is called; the owner is enabled again and
    // keeps the focus afterwards.
    void runModal(HWND firstFocus);
    void end() { ended_ = true; }
    // The window's own messages; the default handling for those it leaves.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    int scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

    HWND window_ = nullptr;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    template <typename Owner>
    friend LRESULT forwardToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND owner_;
    int dpi_ = 96;
    HFONT font_ = nullptr;
    bool ended_ = false;
};

}  // namespace modsetup::win32
