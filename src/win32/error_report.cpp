#include "win32/error_report.h"

#include <commctrl.h>

namespace modsetup::win32 {
namespace {

// The code page's text as the wide calls take it.
std::wstring wideText(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// Escape (IDCANCEL) answers No. A task dialog that allows cancelling takes
// Escape itself on Windows; Wine's drops the cancel command when it has no
// Cancel button.
LRESULT CALLBACK escapeAnswersNo(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                 DWORD_PTR /*data*/) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        PostMessageW(box, TDM_CLICK_BUTTON, IDNO, 0);
        return 0;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

HRESULT CALLBACK questionEvents(HWND box, UINT notification, WPARAM /*wParam*/, LPARAM /*lParam*/, LONG_PTR /*data*/) {
    if (notification == TDN_CREATED) SetWindowSubclass(box, escapeAnswersNo, 1, 0);
    if (notification == TDN_DESTROYED) RemoveWindowSubclass(box, escapeAnswersNo, 1);
    return S_OK;
}

}  // namespace

void showErrorBox(HWND owner, const std::string& caption, const std::string& text) {
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_ICONERROR | MB_OK);
}

// A task dialog: a message box of Yes and No takes neither Escape nor its
// close box, which a task dialog that allows cancelling answers as Cancel.
bool askQuestionBox(HWND owner, const std::string& caption, const std::string& text) {
    const std::wstring title = wideText(caption);
    const std::wstring content = wideText(text);
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_YES_BUTTON | TDCBF_NO_BUTTON;
    config.pszWindowTitle = title.c_str();
    config.pszContent = content.c_str();
    config.nDefaultButton = IDYES;
    config.pfCallback = questionEvents;
    int pressed = IDNO;
    return SUCCEEDED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr)) && pressed == IDYES;
}

}  // namespace modsetup::win32
