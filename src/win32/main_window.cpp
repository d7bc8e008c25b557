#include "win32/main_window.h"

#include <windowsx.h>

#include <string>

#include <commctrl.h>

namespace modsetup::win32 {
namespace {

using front::ControlKind;
using front::ControlLayout;
using front::ControlParent;
using front::TextColour;

constexpr char kWindowClass[] = "modsetup.MainWindow";
// The id of the window's subclass of the group box.
constexpr UINT_PTR kGroupBoxSubclass = 1;
// Control ids: the layout row plus this; clear of IDOK and IDCANCEL, which
// the dialog keys (Enter, Escape) send to the window.
constexpr int kFirstControlId = 100;
// Entries the open drop-down of a list shows before it scrolls.
constexpr int kShownEntries = 8;
// How wide a tooltip grows before it wraps a line, and how long it stays:
// long enough to read eleven lines.
constexpr int kTooltipWidth = 480;
constexpr int kTooltipShownMs = 30000;

// Letter case as the system's code page has it, for the lists' typing
// completion: one character per byte.
char32_t codePageCaseFold(char32_t c) {
    if (c > 0xFF) return c;
    char byte[2] = {static_cast<char>(c), '\0'};
    CharLowerBuffA(byte, 1);
    return static_cast<unsigned char>(byte[0]);
}

COLORREF textColour(TextColour colour) {
    switch (colour) {
    case TextColour::Red: return RGB(0xFF, 0x00, 0x00);
    case TextColour::Blue: return RGB(0x00, 0x00, 0xFF);
    case TextColour::WindowText: break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

// The screen's pixels per inch / 96 (the program declares itself aware of
// the screen's resolution, so the system does not scale its pixels).
double screenScale() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi / 96.0 : 1.0;
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

MainWindow::MainWindow(Host& host, Audio& audio, ErrorReport report)
    : report_(std::move(report)), scale_(screenScale()), codec_(codePageCaseFold) {
    createWindow();
    createControls();
    createTooltips();
    presenter_ = std::make_unique<front::MainWindowPresenter>(host, audio, *this, codec_);
    presenter_->FormCreate();
}

MainWindow::~MainWindow() {
    // Destroying the object is not the user closing the window: no handler
    // runs and the message loop is not told to end.
    quitOnDestroy_ = false;
    if (window_ != nullptr) DestroyWindow(window_);
}

void MainWindow::createWindow() {
    registerWindowClass(&MainWindow::windowProc);
    window_ = CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, text(front::kDesignTitle).c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, front::kWindowLeft, front::kWindowTop,
                              scaled(front::kDesignWidth), scaled(front::kDesignHeight), nullptr, nullptr,
                              GetModuleHandleA(nullptr), this);
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

// Every control object exists even when the system refused a window: the
// presenter may then drive them, and calls on a null window do nothing.
void MainWindow::createControls() {
    const RECT group = scaledBounds(front::layoutOf("GroupBox1"));
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (std::size_t index = 0; index < front::kLayout.size(); ++index) {
        const ControlLayout& row = front::kLayout[index];
        RECT bounds = scaledBounds(row);
        const auto number = static_cast<std::size_t>(row.number - 1);
        const int id = kFirstControlId + static_cast<int>(index);
        const HFONT font = fontFor(row.style);
        const bool inGroup = row.parent == ControlParent::GroupBox1;

        if (row.kind == ControlKind::Picture) {
            images_.at(number) = PictureView(bounds);  // drawn where it lies, in the group box or the window
            continue;
        }
        if (row.kind == ControlKind::Label) {
            labels_.at(number) = LabelView({bounds.left, bounds.top}, text(row.caption), font,
                                           textColour(row.style.colour), !row.style.hiddenAtStart);
            continue;
        }
        // Controls in the group box are siblings of it placed inside it: a
        // child of the group box would send its notifications there, not here.
        if (inGroup) OffsetRect(&bounds, group.left, group.top);
        if (row.kind == ControlKind::List) {
            lists_.at(row.slot) = std::make_unique<SlotList>(
                window_, id, SlotListGeometry{bounds, scaled(front::kListEntryHeight), kShownEntries}, font, row.slot,
                codec_, static_cast<SlotListEvents&>(*this));
            continue;
        }
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        switch (row.kind) {
        case ControlKind::GroupBox: style |= BS_GROUPBOX; break;
        case ControlKind::Button: style |= BS_PUSHBUTTON | WS_TABSTOP; break;
        case ControlKind::CheckBox: style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
        default: break;
        }
        HWND control = CreateWindowExA(0, "BUTTON", text(row.caption).c_str(), style, bounds.left, bounds.top,
                                       bounds.right - bounds.left, bounds.bottom - bounds.top, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (row.kind == ControlKind::GroupBox) groupBox1_ = control;
        else if (row.kind == ControlKind::CheckBox) checkBox1_ = control;
        else buttons_.at(number) = control;
    }

    if (groupBox1_ != nullptr) {
        // The group box lies beneath the lists placed in it. It takes no part
        // in the tab order, which stays the creation order of the others.
        SetWindowPos(groupBox1_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // It draws the pictures and labels that lie in it.
        SetWindowSubclass(groupBox1_, &MainWindow::groupBoxProc, kGroupBoxSubclass, reinterpret_cast<DWORD_PTR>(this));
    }
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
    SendMessageA(tooltips_, TTM_SETMAXTIPWIDTH, 0, scaled(kTooltipWidth));
    SendMessageA(tooltips_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTooltipShownMs);
    const auto add = [this](UINT flags, UINT_PTR id, RECT bounds) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = flags | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = id;
        tool.rect = bounds;
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    };
    for (const auto& list : lists_)
        for (HWND part : {list->handle(), list->editHandle()})
            if (part != nullptr) add(TTF_IDISHWND, reinterpret_cast<UINT_PTR>(part), {});
    // The tooltip control takes the first tool under the pointer: the
    // pictures go in from the last drawn, which covers the others.
    for (auto row = front::kLayout.rbegin(); row != front::kLayout.rend(); ++row)
        if (row->kind == ControlKind::Picture) add(0, static_cast<UINT_PTR>(row->number), placeOfPicture(*row));
}

void MainWindow::popTooltip() const {
    if (tooltips_ != nullptr) SendMessageA(tooltips_, TTM_POP, 0, 0);
}

const char* MainWindow::tooltipText(const NMTTDISPINFOA& asked) {
    front::ShownText text;
    if (asked.uFlags & TTF_IDISHWND) {
        const auto part = reinterpret_cast<HWND>(asked.hdr.idFrom);
        for (std::size_t slot = 0; slot < kSlotCount; ++slot)
            if (lists_[slot]->handle() == part || lists_[slot]->editHandle() == part)
                text = presenter_->listTooltip(slot);
    } else {
        text = presenter_->pictureTooltip(static_cast<int>(asked.hdr.idFrom));
    }
    tooltipText_.clear();
    for (const char c : codec_.bytes(text)) {
        if (c == '\n') tooltipText_ += '\r';
        tooltipText_ += c;
    }
    return tooltipText_.c_str();
}

RECT MainWindow::placeOfPicture(const ControlLayout& row) const {
    RECT bounds = scaledBounds(row);
    if (row.parent == ControlParent::GroupBox1) {
        const RECT group = scaledBounds(front::layoutOf("GroupBox1"));
        OffsetRect(&bounds, group.left, group.top);
    }
    return bounds;
}

int MainWindow::pictureAt(POINT point) const {
    for (auto row = front::kLayout.rbegin(); row != front::kLayout.rend(); ++row) {
        if (row->kind != ControlKind::Picture) continue;
        const RECT bounds = placeOfPicture(*row);
        if (PtInRect(&bounds, point)) return row->number;
    }
    return 0;
}

void MainWindow::show(int showCommand) {
    if (window_ == nullptr) return;
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN: {
        // Pictures are drawn, not windows: the click is found a picture here.
        // The group box lets the mouse through to the window beneath it.
        const int image = pictureAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (image != 0) presenter_->pictureClicked(image);
        return 0;
    }
    case WM_NOTIFY: {
        auto* notice = reinterpret_cast<NMHDR*>(lParam);
        if (notice->hwndFrom == tooltips_ && notice->code == TTN_GETDISPINFOA) {
            auto* asked = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            asked->lpszText = const_cast<char*>(tooltipText(*asked));
            return 0;
        }
        break;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        paintGraphics(dc, ControlParent::Window);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        if (lParam & PRF_ERASEBKGND) {
            RECT client;
            GetClientRect(window_, &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        }
        paintGraphics(dc, ControlParent::Window);
        return 0;
    }
    case WM_ACTIVATE:
        // A plain window does not keep its focused control over a change of
        // the active window (a message box, another program): it does here.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus)) focused_ = focus;
            return 0;
        }
        if (!HIWORD(wParam)) {
            if (focused_ == nullptr || !IsWindow(focused_)) focused_ = GetNextDlgTabItem(window_, nullptr, FALSE);
            if (focused_ != nullptr) SetFocus(focused_);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (quitOnDestroy_) PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void MainWindow::command(int id, WORD code) {
    const int index = id - kFirstControlId;
    if (index < 0 || static_cast<std::size_t>(index) >= front::kLayout.size()) return;
    const ControlLayout& row = front::kLayout[static_cast<std::size_t>(index)];
    if (row.kind == ControlKind::List) {
        lists_.at(row.slot)->notified(code);
        return;
    }
    if (row.kind != ControlKind::Button || code != BN_CLICKED) return;
    switch (row.number) {
    case 1: presenter_->Button1Click(); break;
    case 2: presenter_->Button2Click(); break;
    case 3: presenter_->Button3Click(); break;
    case 4: presenter_->Button4Click(); break;
    default: break;
    }
}

LRESULT CALLBACK MainWindow::groupBoxProc(HWND groupBox, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR window) {
    const auto& self = *reinterpret_cast<const MainWindow*>(window);
    switch (message) {
    case WM_ERASEBKGND: return 1;  // painted whole below
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(groupBox, &paint);
        self.paintGroupBox(dc);
        EndPaint(groupBox, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: self.paintGroupBox(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(groupBox, &MainWindow::groupBoxProc, kGroupBoxSubclass); break;
    default: break;
    }
    return DefSubclassProc(groupBox, message, wParam, lParam);
}

// Called while the group box's subclass handles a message: the group box's
// own procedure draws its frame and caption, then the pictures and labels in
// it are drawn over the background.
void MainWindow::paintGroupBox(HDC dc) const {
    RECT client;
    GetClientRect(groupBox1_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DefSubclassProc(groupBox1_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    paintGraphics(dc, ControlParent::GroupBox1);
}

void MainWindow::paintGraphics(HDC dc, ControlParent parent) const {
    for (const ControlLayout& row : front::kLayout) {
        if (row.parent != parent) continue;
        if (row.kind == ControlKind::Picture) image(row.number).draw(dc);
        else if (row.kind == ControlKind::Label) label(row.number).draw(dc);
    }
}

void MainWindow::invalidate(ControlParent parent, const RECT& bounds) const {
    HWND target = parent == ControlParent::GroupBox1 ? groupBox1_ : window_;
    if (target != nullptr) InvalidateRect(target, &bounds, TRUE);
}

void MainWindow::setOuterSize(front::OuterSize size) {
    if (window_ == nullptr) return;
    SetWindowPos(window_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::setTitle(const front::ShownText& title) {
    if (window_ != nullptr) SetWindowTextA(window_, codec_.bytes(title).c_str());
}

void MainWindow::closeWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void MainWindow::setListEntries(std::size_t slot, const std::vector<front::ShownText>& entries) {
    lists_.at(slot)->setEntries(entries);
}

front::ListEdit MainWindow::listEdit(std::size_t slot) const { return lists_.at(slot)->edit(); }

void MainWindow::setListEdit(std::size_t slot, const front::ListEdit& edit) { lists_.at(slot)->setEdit(edit); }

void MainWindow::setListCurrentEntry(std::size_t slot, int entry) { lists_.at(slot)->setCurrentEntry(entry); }

void MainWindow::showPicture(int number, const Picture& picture) {
    PictureView& view = images_.at(static_cast<std::size_t>(number - 1));
    view.setPicture(picture);
    invalidate(front::kLayout[front::layoutIndex(ControlKind::Picture, number)].parent, view.bounds());
}

bool MainWindow::checkBoxTicked() const { return SendMessageA(checkBox1_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainWindow::tickCheckBox() { SendMessageA(checkBox1_, BM_SETCHECK, BST_CHECKED, 0); }

void MainWindow::setConfirmationShown(bool shown) {
    LabelView& confirmation = labels_.at(front::kConfirmationLabel - 1);
    if (confirmation.shown() == shown) return;
    confirmation.setShown(shown);
    invalidate(front::kLayout[front::layoutIndex(ControlKind::Label, front::kConfirmationLabel)].parent,
               confirmation.bounds());
}

// The handler runs on the window's thread, which takes no messages meanwhile:
// the cursor is set at once, and the system's own returns with the next mouse
// move once the handler is done.
void MainWindow::showBusy(bool busy) {
    if (busy) previousCursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    else SetCursor(previousCursor_ != nullptr ? previousCursor_ : LoadCursor(nullptr, IDC_ARROW));
}

void MainWindow::showError(const front::ShownText& caption, const front::ShownText& text) {
    // The box takes the focus; typing into a list goes on after it is closed.
    HWND focus = GetFocus();
    report_(window_, codec_.bytes(caption), codec_.bytes(text));
    if (focus != nullptr && IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
}

}  // namespace modsetup::win32
