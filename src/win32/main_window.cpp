#include "win32/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include <commctrl.h>

#include "front/accessibility.h"
#include "win32/owned_window.h"

namespace modsetup::win32 {
namespace {

using front::ControlKind;
using front::ControlLayout;
using front::ControlParent;

// Letter case as the system's code page has it, for the lists' typing
// completion: one character per byte.
char32_t codePageCaseFold(char32_t c) {
    if (c > 0xFF) return c;
    char byte[2] = {static_cast<char>(c), '\0'};
    CharLowerBuffA(byte, 1);
    return static_cast<unsigned char>(byte[0]);
}

}  // namespace

MainWindow::MainWindow(Host& host, Audio& audio, ErrorReport report)
    : report_(std::move(report)), codec_(codePageCaseFold) {
    createWindow();
    createControls();
    createTooltips();
    presenter_ = std::make_unique<front::MainWindowPresenter>(host, audio, *this, codec_);
    presenter_->windowCreated();
    if (window_ != nullptr) addSystemMenuEntries();
    if (window_ != nullptr) DragAcceptFiles(window_, TRUE);
}

MainWindow::~MainWindow() {
    // Destroying the object is not the user closing the window: no handler
    // runs and the message loop is not told to end.
    quitOnDestroy_ = false;
    if (window_ != nullptr) DestroyWindow(window_);
}

void MainWindow::popTooltip() const {
    if (tooltips_ == nullptr) return;
    SendMessageA(tooltips_, TTM_POP, 0, 0);
    TTTOOLINFOA tool{sizeof(tool), 0, window_, kKeyTooltipTool, {}, nullptr, nullptr, 0, nullptr};
    SendMessageA(tooltips_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    KillTimer(window_, kKeyTooltipTool);
}

const char* MainWindow::tooltipText(const NMTTDISPINFOA& asked) {
    front::ShownText text;
    if (asked.hdr.idFrom == kBackgroundTooltipTool) {
        tooltipText_ = tooltipLines(presenter_->backgroundTooltip());
        return tooltipText_.c_str();
    }
    if (asked.hdr.idFrom == kKeyTooltipTool) {
        tooltipText_ = keyTooltip_;
        return tooltipText_.c_str();
    }
    if (asked.uFlags & TTF_IDISHWND) {
        const auto part = reinterpret_cast<HWND>(asked.hdr.idFrom);
        for (std::size_t slot = 0; slot < kSlotCount; ++slot)
            if (lists_[slot]->handle() == part || lists_[slot]->editHandle() == part)
                text = presenter_->listTooltip(slot);
    } else {
        text = presenter_->pictureTooltip(static_cast<int>(asked.hdr.idFrom));
    }
    tooltipText_ = tooltipLines(text);
    return tooltipText_.c_str();
}

int MainWindow::pictureAt(POINT point) const {
    for (std::size_t i = front::kLayout.size(); i-- > 0;) {
        const ControlLayout& row = front::kLayout[i];
        if (row.kind != ControlKind::Picture) continue;
        const RECT bounds = placeOf(row);
        if (PtInRect(&bounds, point)) return row.number;
    }
    return 0;
}

void MainWindow::show(int showCommand) {
    if (window_ == nullptr) return;
    // The designed place may run off a small screen: the window is moved (never
    // resized) into the work area of its monitor.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT frame{};
    if (GetWindowRect(window_, &frame) &&
        GetMonitorInfoA(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        const front::ScreenArea placed =
            front::placedOnScreen({frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
                                  {work.left, work.top, work.right - work.left, work.bottom - work.top});
        if (placed.left != frame.left || placed.top != frame.top)
            SetWindowPos(window_, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return forwardToOwner<MainWindow>(window, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT))
            if (const LRESULT answer = accessible_.answer(wParam, window_, static_cast<AccessibleControls&>(*this)))
                return answer;
        break;
    case WM_DROPFILES: filesDropped(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_DPICHANGED: dpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_GETMINMAXINFO: {
        // The system would cut a window larger than the screen to its size:
        // this one keeps its designed size at any scale, controls uncut.
        DefWindowProcA(window_, message, wParam, lParam);
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
        const front::OuterSize outer = front::computedOuterSize(scale_);
        limits.ptMaxTrackSize.x = std::max<LONG>(limits.ptMaxTrackSize.x, outer.width);
        limits.ptMaxTrackSize.y = std::max<LONG>(limits.ptMaxTrackSize.y, outer.height);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        popTooltip();
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
            popTooltip();
            showAccessKeys(false);
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
    case WM_CONTEXTMENU:
        // A right-click on the background (or on a control that has no menu
        // of its own); the menu key goes to the presenter as a key.
        if (lParam != -1) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(window_, &at);
            presenter_->backgroundRightClicked({at.x, at.y});
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam)) updateSystemMenu(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_ENTERIDLE:
    case WM_MENUSELECT: menuMessage(message, wParam, lParam); break;
    case WM_SYSCOMMAND:
        if (systemCommand(wParam)) return 0;
        break;
    case WM_TIMER:
        if (wParam != kKeyTooltipTool) break;
        popTooltip();
        return 0;
    case WM_DESTROY:
        accessible_.reset();
        if (quitOnDestroy_) PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

std::string MainWindow::tooltipLines(const front::ShownText& text) const {
    std::string lines;
    for (const char c : codec_.bytes(text)) {
        if (c == '\n') lines += '\r';
        lines += c;
    }
    return lines;
}

void MainWindow::command(int id, WORD code) {
    const int index = id - kFirstControlId;
    if (index < 0 || static_cast<std::size_t>(index) >= front::kLayout.size()) return;
    const ControlLayout& row = front::kLayout[static_cast<std::size_t>(index)];
    if (row.kind == ControlKind::List) {
        lists_.at(row.slot)->notified(code);
        return;
    }
    if (row.kind == ControlKind::Button && code == BN_CLICKED) presenter_->buttonPressed(row.role);
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

// Draws only what lies in the area being painted: a picture set anew
// repaints its own place, and the others are not drawn again for it.
void MainWindow::paintGraphics(HDC dc, ControlParent parent) const {
    for (const ControlLayout& row : front::kLayout) {
        if (row.parent != parent) continue;
        if (row.kind == ControlKind::Picture && RectVisible(dc, &image(row.number).bounds()))
            image(row.number).draw(dc);
        else if (row.kind == ControlKind::Label && RectVisible(dc, &label(row.number).bounds()))
            label(row.number).draw(dc);
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

void MainWindow::setCheckBoxTicked(bool ticked) {
    SendMessageA(checkBox1_, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::setConfirmationShown(bool shown) {
    LabelView& confirmation = labels_.at(front::kConfirmationLabel - 1);
    if (confirmation.shown() == shown) return;
    confirmation.setShown(shown);
    const std::size_t row = front::layoutIndex(ControlKind::Label, front::kConfirmationLabel);
    invalidate(front::kLayout[row].parent, confirmation.bounds());
    // Screen readers speak an alert when it appears.
    const long child = accessibleChildId(row);
    NotifyWinEvent(shown ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, window_, OBJID_CLIENT, child);
    if (shown) NotifyWinEvent(EVENT_SYSTEM_ALERT, window_, OBJID_CLIENT, child);
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
