#include "win32/lines_dialog.h"

#include <cstring>

#include "front/layout.h"

namespace modsetup::win32 {
namespace {

constexpr char kDialogClass[] = "modsetup.Lines";
constexpr int kCopyId = 100;
constexpr int kCloseId = IDCANCEL;

struct DialogState {
    HWND owner;
    const std::string* lines;
    bool done = false;
};

LRESULT CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (state != nullptr && LOWORD(wParam) == kCopyId) setClipboardText(state->owner, *state->lines);
        // Escape in the dialog and Return on Close come as IDCANCEL and IDOK.
        if (state != nullptr && (LOWORD(wParam) == kCloseId || LOWORD(wParam) == IDOK)) state->done = true;
        return 0;
    case WM_CLOSE:
        if (state != nullptr) state->done = true;
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void registerClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExA(GetModuleHandleA(nullptr), kDialogClass, &windowClass)) return;
    windowClass.lpfnWndProc = dialogProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kDialogClass;
    RegisterClassExA(&windowClass);
}

HWND child(HWND parent, const char* kind, const std::string& text, DWORD style, int id, HFONT font) {
    HWND control =
        CreateWindowExA(0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

}  // namespace

void showLinesDialog(HWND owner, HFONT font, double scale, const std::string& title, const std::string& lines,
                     const std::string& copyCaption, const std::string& closeCaption) {
    registerClass();
    DialogState state{owner, &lines};
    RECT ownerArea{};
    GetWindowRect(owner, &ownerArea);
    auto scaled = [scale](int length) { return front::scaledPixels(length, scale); };
    HWND dialog =
        CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kDialogClass, title.c_str(),
                        WS_POPUP | WS_CAPTION | WS_SYSMENU, ownerArea.left + scaled(24), ownerArea.top + scaled(24),
                        scaled(640), scaled(480), owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (dialog == nullptr) return;
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    RECT area{};
    GetClientRect(dialog, &area);
    const int margin = scaled(8);
    const int buttonWidth = scaled(88);
    const int buttonHeight = scaled(26);
    HWND text = child(
        dialog, "EDIT", lines,
        WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0, font);
    MoveWindow(text, margin, margin, area.right - 2 * margin, area.bottom - 3 * margin - buttonHeight, FALSE);
    HWND copy = child(dialog, "BUTTON", copyCaption, BS_PUSHBUTTON, kCopyId, font);
    MoveWindow(copy, area.right - 2 * (margin + buttonWidth), area.bottom - margin - buttonHeight, buttonWidth,
               buttonHeight, FALSE);
    HWND close = child(dialog, "BUTTON", closeCaption, BS_PUSHBUTTON, kCloseId, font);
    MoveWindow(close, area.right - margin - buttonWidth, area.bottom - margin - buttonHeight, buttonWidth, buttonHeight,
               FALSE);

    EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(text);
    MSG message{};
    bool quit = false;
    while (!state.done) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        if (IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // The owner is enabled before the dialog goes, so that it takes the activation back.
    EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    // A WM_QUIT taken by this loop is the program's: put it back for the main loop.
    if (quit) PostQuitMessage(static_cast<int>(message.wParam));
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
