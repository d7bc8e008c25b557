// The floor of the start-up figure: a minimal Win32 window with the same
// controls as modsetup.exe, made with the plainest means. It reads the
// selections file modsetup.ini beside it, shows the 41 preview bitmaps of the
// chosen sets from the set library modsetup\ as the system loads them
// (LoadImageA into static controls), fills each list with the folders of its
// slot folder and gives it the chosen name as its text, and has one tooltip
// control over every list and picture, as modsetup.exe has. No presenter, no
// decoding of its own.
#include "core/platform/win32/windows_headers.h"

#include <commctrl.h>

#include <array>
#include <fstream>
#include <string>

#include "core/game/slots.h"
#include "core/library/previews.h"
#include "front/accessibility.h"
#include "front/layout.h"

namespace {

using modsetup::front::ControlKind;
using modsetup::front::ControlParent;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Adds the names of the folders in folder to the list, as the system lists them.
void fillList(HWND list, const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != "." && name != "..")
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string folderOfThisProgram() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    const std::string folder = folderOfThisProgram();
    const std::string library = folder + "\\modsetup";
    std::array<std::string, modsetup::kSlotCount> chosen;
    std::ifstream selections(folder + "\\modsetup.ini");
    for (std::string& name : chosen) {
        std::getline(selections, name);
        if (!name.empty() && name.back() == '\r') name.pop_back();
    }

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = "bare.window";
    RegisterClassExA(&windowClass);
    const modsetup::front::OuterSize size = modsetup::front::computedOuterSize(1.0);
    HWND window = CreateWindowExA(0, "bare.window", "bare window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  modsetup::front::kWindowLeft, modsetup::front::kWindowTop, size.width, size.height,
                                  nullptr, nullptr, instance, nullptr);
    HFONT font = CreateFontA(-modsetup::front::kFontPixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                             "MS Sans Serif");

    const modsetup::front::ControlLayout& group = modsetup::front::layoutOf("GroupBox1");
    HWND tooltips =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    const auto addTool = [&](HWND control) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    };
    std::array<HWND, modsetup::front::kImageCount> images{};
    for (const modsetup::front::ControlLayout& row : modsetup::front::kLayout) {
        const int left = row.left + (row.parent == ControlParent::GroupBox1 ? group.left : 0);
        const int top = row.top + (row.parent == ControlParent::GroupBox1 ? group.top : 0);
        const std::string caption = modsetup::front::captionWithoutAccessKey(row.caption);
        const char* kind = "BUTTON";
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        int height = row.height;
        switch (row.kind) {
        case ControlKind::Picture:
            kind = "STATIC";
            style |= SS_BITMAP;
            break;
        case ControlKind::Label: kind = "STATIC"; break;
        case ControlKind::List:
            kind = "COMBOBOX";
            style |= CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP;
            height += 8 * 13 + 2;
            break;
        case ControlKind::GroupBox: style |= BS_GROUPBOX; break;
        case ControlKind::Button: style |= BS_PUSHBUTTON | WS_TABSTOP; break;
        case ControlKind::CheckBox: style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
        }
        if (row.style.hiddenAtStart) style &= ~WS_VISIBLE;
        HWND control = CreateWindowExA(0, kind, caption.c_str(), style, left, top, row.width, height, window, nullptr,
                                       instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (row.kind == ControlKind::Picture) images[static_cast<std::size_t>(row.number - 1)] = control;
        if (row.kind == ControlKind::List) {
            fillList(control, library + "\\" + std::string(modsetup::kSlots[row.slot].folder));
            SetWindowTextA(control, chosen[row.slot].c_str());
            addTool(control);
            addTool(FindWindowExA(control, nullptr, "EDIT", nullptr));
        }
        if (row.kind == ControlKind::Picture) addTool(control);
    }
    for (std::size_t slot = 0; slot < modsetup::kSlotCount; ++slot) {
        if (chosen[slot].empty()) continue;
        for (const modsetup::PreviewPicture& picture : modsetup::slotPreviews(slot)) {
            const std::string path = modsetup::previewPath(library, slot, chosen[slot], picture.suffix);
            auto bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
            SendMessageA(images[static_cast<std::size_t>(picture.image - 1)], STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(bitmap));
        }
    }
    ShowWindow(window, SW_SHOWDEFAULT);
    UpdateWindow(window);

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
