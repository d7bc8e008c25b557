#include "win32/lines_dialog.h"

#include <cstring>

#include "win32/modal_window.h"

namespace modsetup::win32 {
namespace {

constexpr int kCopyId = 100;

// The lines in a read-only multi-line text that has the focus, Copy and
// Close below it; Escape in the text closes the window too (the text asks
// its window to close, as in any dialog).
class LinesWindow final : public ModalWindow {
public:
    LinesWindow(HWND owner, const std::string& title, const std::string& lines, const std::string& copyCaption,
                const std::string& closeCaption)
        : ModalWindow(owner, title, 640, 480), owner_(owner), lines_(lines) {
        text_ = addControl("EDIT", lines,
                           WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                               ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                           8, 8, 624, 430);
        addControl("BUTTON", copyCaption, WS_TABSTOP | BS_PUSHBUTTON, 448, 446, 88, 26, kCopyId);
        addControl("BUTTON", closeCaption, WS_TABSTOP | BS_PUSHBUTTON, 544, 446, 88, 26, IDCANCEL);
    }
    void run() { runModal(text_); }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kCopyId) setClipboardText(owner_, lines_);
            // Escape and Return on Close come as IDCANCEL and IDOK.
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) end();
            return 0;
        case WM_CLOSE: end(); return 0;
        default: return ModalWindow::handleMessage(message, wParam, lParam);
        }
    }

    HWND owner_;
    const std::string& lines_;
    HWND text_ = nullptr;
};

}  // namespace

void showLinesDialog(HWND owner, const std::string& title, const std::string& lines, const std::string& copyCaption,
                     const std::string& closeCaption) {
    LinesWindow window(owner, title, lines, copyCaption, closeCaption);
    window.run();
}

std::string clipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool setClipboardText(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool set = false;
    if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* bytes = GlobalLock(data)) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(data);
            set = SetClipboardData(CF_TEXT, data) != nullptr;
        }
        if (!set) GlobalFree(data);
    }
    CloseClipboard();
    return set;
}

}  // namespace modsetup::win32
