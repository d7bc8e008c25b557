// The Win32 main window's controls: created from the layout table, and
// placed at the window's scale, again whenever the scale changes.
#include "win32/main_window.h"

#include <commctrl.h>

#include <utility>

#include "front/accessibility.h"
#include "win32/dpi.h"

namespace modsetup::win32 {
namespace {

using front::ControlKind;
using front::ControlLayout;
using front::ControlParent;
using front::TextColour;

constexpr char kWindowClass[] = "modsetup.MainWindow";
// Entries the open drop-down of a list shows before it scrolls.
constexpr int kShownEntries = 8;
// How wide a tooltip grows before it wraps a line (at 96 pixels per inch).
constexpr int kTooltipWidth = 480;

COLORREF textColour(TextColour colour) {
    switch (colour) {
    case TextColour::Red: return RGB(0xFF, 0x00, 0x00);
    case TextColour::Blue: return RGB(0x00, 0x00, 0xFF);
    case TextColour::WindowText: break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

void registerWindowClass(WNDPROC proc) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExA(GetModuleHandleA(nullptr), kWindowClass, &windowClass)) return;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExA(&windowClass);
}

std::string text(std::string_view caption) { return std::string(caption); }

}  // namespace

// The window is made at its place; its scale is then that of the monitor it
// lies on.
void MainWindow::createWindow() {
    registerWindowClass(&MainWindow::windowProc);
    window_ =
        CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, text(front::kDesignTitle).c_str(),
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, front::kWindowLeft, front::kWindowTop,
                        front::kDesignWidth, front::kDesignHeight, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    scale_ = windowDpi(window_) / 96.0;
    if (window_ != nullptr && scale_ != 1.0)
        SetWindowPos(window_, nullptr, 0, 0, scaled(front::kDesignWidth), scaled(front::kDesignHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fontScale_ = scale_;
    windowFont_ = fontFor({});
}

HFONT MainWindow::fontFor(const front::ControlStyle& style) {
    const int pixels = scaled(style.fontPixels != 0 ? style.fontPixels : front::kFontPixels);
    for (const Font& font : fonts_)
        if (font.pixels == pixels && font.bold == style.bold) return font.handle.get();
    // A negative height is the character height without the internal leading.
    GdiObject<HFONT> font(CreateFontA(-pixels, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_SWISS, text(front::kFontFamily).c_str()));
    fonts_.push_back({pixels, style.bold, std::move(font)});
    return fonts_.back().handle.get();
}

RECT MainWindow::scaledBounds(const ControlLayout& row) const {
    const int left = scaled(row.left);
    const int top = scaled(row.top);
    return {left, top, left + scaled(row.width), top + scaled(row.height)};
}

RECT MainWindow::placeOf(const ControlLayout& row) const {
    RECT bounds = scaledBounds(row);
    if (row.parent == ControlParent::GroupBox1) {
        const RECT group = scaledBounds(front::layoutOf("GroupBox1"));
        OffsetRect(&bounds, group.left, group.top);
    }
    return bounds;
}

// Every control object exists even when the system refused a window: the
// presenter may then drive them, and calls on a null window do nothing.
void MainWindow::createControls() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (std::size_t index = 0; index < front::kLayout.size(); ++index) {
        const ControlLayout& row = front::kLayout[index];
        const int id = kFirstControlId + static_cast<int>(index);
        // Controls in the group box are siblings of it placed inside it: a
        // child of the group box would send its notifications there, not here.
        const RECT bounds = placeOf(row);
        if (row.kind == ControlKind::List) {
            lists_.at(row.slot) = std::make_unique<SlotList>(
                window_, id, SlotListGeometry{bounds, scaled(front::kListEntryHeight), kShownEntries},
                fontFor(row.style), row.slot, codec_, static_cast<SlotListEvents&>(*this));
            continue;
        }
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        switch (row.kind) {
        case ControlKind::GroupBox: style |= BS_GROUPBOX; break;
        case ControlKind::Button: style |= BS_PUSHBUTTON | WS_TABSTOP; break;
        case ControlKind::CheckBox: style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
        case ControlKind::Label:
            labels_.at(static_cast<std::size_t>(row.number - 1)).setShown(!row.style.hiddenAtStart);
            continue;
        default: continue;  // pictures and labels are drawn by the window
        }
        // The captions show their access keys only while Alt is held (showAccessKeys).
        HWND control = CreateWindowExA(0, "BUTTON", front::captionWithoutAccessKey(row.caption).c_str(), style,
                                       bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                       window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        if (front::accessKey(row.caption) != 0)
            SetWindowSubclass(control, &MainWindow::accessKeyControlProc, index, reinterpret_cast<DWORD_PTR>(this));
        if (row.kind == ControlKind::GroupBox) groupBox1_ = control;
        else if (row.kind == ControlKind::CheckBox) checkBox1_ = control;
        else buttons_.at(static_cast<std::size_t>(row.number - 1)) = control;
    }

    if (groupBox1_ != nullptr) {
        // The group box lies beneath the lists placed in it. It takes no part
        // in the tab order, which stays the creation order of the others.
        SetWindowPos(groupBox1_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // It draws the pictures and labels that lie in it.
        SetWindowSubclass(groupBox1_, &MainWindow::groupBoxProc, kGroupBoxSubclass, reinterpret_cast<DWORD_PTR>(this));
    }
    layOut();
}

void MainWindow::layOut() {
    // Fonts of another scale go once no control uses them.
    std::vector<Font> previous;
    if (fontScale_ != scale_) previous = std::exchange(fonts_, {});
    fontScale_ = scale_;
    windowFont_ = fontFor({});
    for (const ControlLayout& row : front::kLayout) {
        const auto number = static_cast<std::size_t>(row.number - 1);
        const HFONT font = fontFor(row.style);
        const RECT bounds = placeOf(row);
        switch (row.kind) {
        case ControlKind::Picture:
            // Drawn where it lies, in the group box or the window.
            images_.at(number).place(scaledBounds(row), scale_);
            continue;
        case ControlKind::Label:
            labels_.at(number) = LabelView({scaledBounds(row).left, scaledBounds(row).top}, text(row.caption), font,
                                           textColour(row.style.colour), labels_.at(number).shown());
            continue;
        case ControlKind::List:
            lists_.at(row.slot)->place({bounds, scaled(front::kListEntryHeight), kShownEntries}, font);
            continue;
        default: break;
        }
        HWND control = controlWindow(static_cast<std::size_t>(&row - front::kLayout.data()));
        SetWindowPos(control, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    placeTooltips();
}

// Moved to a monitor of another scaling: everything laid out again at the
// new scale, in the rectangle the system suggests.
void MainWindow::dpiChanged(int dpi, const RECT& suggested) {
    popTooltip();
    scale_ = dpi / 96.0;
    layOut();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// One tooltip control for every list and picture. It asks for each text
// when it is about to show it (TTN_GETDISPINFO), and the presenter computes it then.
void MainWindow::createTooltips() {
    if (window_ == nullptr) return;
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (tooltips_ == nullptr) return;
    SendMessageA(tooltips_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTooltipShownMs);
    const auto add = [this](UINT flags, UINT_PTR id) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = flags;
        tool.hwnd = window_;
        tool.uId = id;
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    };
    for (const auto& list : lists_)
        for (HWND part : {list->handle(), list->editHandle()})
            if (part != nullptr) add(TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(part));
    // The tooltip control takes the first tool under the pointer: the
    // pictures go in from the last drawn, which covers the others.
    for (std::size_t i = front::kLayout.size(); i-- > 0;)
        if (front::kLayout[i].kind == ControlKind::Picture)
            add(TTF_SUBCLASS, static_cast<UINT_PTR>(front::kLayout[i].number));
    add(TTF_SUBCLASS, kBackgroundTooltipTool);  // last: wherever no picture is
    add(TTF_TRACK | TTF_ABSOLUTE, kKeyTooltipTool);
    placeTooltips();
}

void MainWindow::placeTooltips() {
    if (tooltips_ == nullptr) return;
    SendMessageA(tooltips_, TTM_SETMAXTIPWIDTH, 0, scaled(kTooltipWidth));
    for (const ControlLayout& row : front::kLayout) {
        if (row.kind != ControlKind::Picture) continue;
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(row.number);
        tool.rect = placeOf(row);
        SendMessageA(tooltips_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    TTTOOLINFOA background{};
    background.cbSize = sizeof(background);
    background.hwnd = window_;
    background.uId = kBackgroundTooltipTool;
    GetClientRect(window_, &background.rect);
    SendMessageA(tooltips_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&background));
}

}  // namespace modsetup::win32
