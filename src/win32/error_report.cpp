#include "win32/error_report.h"

namespace modsetup::win32 {

void showErrorBox(HWND owner, const std::string& caption, const std::string& text) {
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_ICONERROR | MB_OK);
}

}  // namespace modsetup::win32
