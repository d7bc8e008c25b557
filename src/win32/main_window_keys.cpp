// The Win32 main window's keys, forwarded to the presenter before the dialog
// keys are, what the presenter asks of them, and the controls as the
// window's accessible object asks for them.
#include "core/game/slots.h"
#include "front/accessibility.h"
#include "win32/main_window.h"

namespace modsetup::win32 {
namespace {

using front::ControlKind;
using front::WindowKey;

// The window's keys as the system reports them (WM_KEYDOWN), without Alt or
// Shift; Alt with a letter or digit (WM_SYSCHAR) is the access key.
struct KeyMapRow {
    WPARAM key;
    bool control;  // with Ctrl held
    bool shift;    // with Shift held
    WindowKey windowKey;
};
constexpr KeyMapRow kKeyMap[] = {
    {VK_RETURN, false, false, WindowKey::Return}, {VK_F5, false, false, WindowKey::ShotKey},
    {VK_F1, true, false, WindowKey::TooltipKey},  {VK_F10, false, true, WindowKey::MenuKey},
    {VK_APPS, false, false, WindowKey::MenuKey},
};
static_assert(front::kShotKeyName == "F5" && front::kTooltipKeyName == "Ctrl+F1" && front::kMenuKeyName == "Shift+F10");

bool held(int key) { return GetKeyState(key) < 0; }

}  // namespace

bool MainWindow::forwardKey(const MSG& message) {
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
    const WPARAM key = message.wParam;
    switch (message.message) {
    case WM_SYSKEYDOWN:
        if (key == VK_MENU) showAccessKeys(true);
        if (key != VK_F10) return false;  // F10 is a system key, with Shift too
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (key == VK_MENU) showAccessKeys(false);
        return false;
    case WM_SYSCHAR: {
        const auto character = static_cast<unsigned char>(key & 0xFF);
        if (!IsCharAlphaNumericA(static_cast<CHAR>(character))) return false;  // Alt+Space and the like: the system's
        popTooltip();
        const front::ShownText shown = codec_.shown(std::string(1, static_cast<char>(character)));
        // Not taken: the system's answer to an unknown access key (a beep), never a typed letter.
        if (!presenter_->keyPressed({WindowKey::AccessKey, focusedRow(), shown.front()}))
            DefWindowProcA(window_, WM_SYSCHAR, key, message.lParam);
        return true;
    }
    case WM_KEYDOWN: break;
    default: return false;
    }
    for (const KeyMapRow& row : kKeyMap)
        if (row.key == key && row.control == held(VK_CONTROL) && row.shift == held(VK_SHIFT) && !held(VK_MENU)) {
            if (row.windowKey != WindowKey::TooltipKey) popTooltip();
            return presenter_->keyPressed({row.windowKey, focusedRow(), 0});
        }
    if (key != VK_CONTROL && key != VK_SHIFT) popTooltip();
    return false;
}

std::size_t MainWindow::focusedRow() const {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        if (lists_[slot]->hasFocus()) return front::layoutIndex(kSlots[slot].list);
    HWND focus = GetFocus();
    const int index = focus != nullptr ? GetDlgCtrlID(focus) - kFirstControlId : -1;
    if (index < 0 || static_cast<std::size_t>(index) >= front::kLayout.size()) return front::kLayout.size();
    return controlWindow(static_cast<std::size_t>(index)) == focus ? static_cast<std::size_t>(index)
                                                                   : front::kLayout.size();
}

// The access keys are underlined while Alt is held, as Windows has it; the
// captions look as designed otherwise, whatever the system's own setting.
void MainWindow::showAccessKeys(bool shown) {
    if (window_ == nullptr || shown == accessKeysShown_) return;
    accessKeysShown_ = shown;
    for (std::size_t row = 0; row < front::kLayout.size(); ++row) {
        const std::string_view caption = front::kLayout[row].caption;
        if (front::accessKey(caption) == 0) continue;
        SetWindowTextA(controlWindow(row),
                       shown ? std::string(caption).c_str() : front::captionWithoutAccessKey(caption).c_str());
    }
    // Where the system hides the underlines until the keyboard is used.
    if (shown) SendMessageA(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
}

LRESULT CALLBACK MainWindow::accessKeyControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR row, DWORD_PTR window) {
    auto& self = *reinterpret_cast<MainWindow*>(window);
    auto& holder = self.controlAccessibles_.at(row);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
        const front::ControlLayout& layout = front::kLayout.at(row);
        if (const LRESULT answer = holder.answer(wParam, control, front::accessibleName(layout),
                                                 std::function<std::string()>(), front::accessKeyName(layout.caption)))
            return answer;
    }
    if (message == WM_NCDESTROY) {
        holder.reset();
        RemoveWindowSubclass(control, &MainWindow::accessKeyControlProc, row);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void MainWindow::clickControl(std::size_t row) {
    const ControlKind kind = front::kLayout.at(row).kind;
    if (kind == ControlKind::Button || kind == ControlKind::CheckBox) SendMessageA(controlWindow(row), BM_CLICK, 0, 0);
}

// A tracking tool of the tooltip control, shown at the list's right edge
// until the next key, click or the usual time.
void MainWindow::showListTooltip(std::size_t slot, const front::ShownText& text) {
    if (tooltips_ == nullptr) return;
    popTooltip();
    keyTooltip_ = tooltipLines(text);
    RECT list{};
    GetWindowRect(lists_.at(slot)->handle(), &list);
    TTTOOLINFOA tool{sizeof(tool), 0, window_, kKeyTooltipTool, {}, nullptr, nullptr, 0, nullptr};
    SendMessageA(tooltips_, TTM_TRACKPOSITION, 0, MAKELPARAM(list.right, list.top));
    SendMessageA(tooltips_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(window_, kKeyTooltipTool, kTooltipShownMs, nullptr);
    // What screen readers present a tooltip on, as the system tells of a window that shows.
    NotifyWinEvent(EVENT_OBJECT_SHOW, tooltips_, OBJID_WINDOW, CHILDID_SELF);
}

// The list's set is told by its edit field, whose text changed; its
// statistics are its description, which screen readers read again on this.
void MainWindow::announceListChange(std::size_t slot, const front::ListAnnouncement&) {
    const SlotList& list = *lists_.at(slot);
    HWND part = GetFocus() == list.editHandle() ? list.editHandle() : list.handle();
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, part, OBJID_CLIENT, CHILDID_SELF);
}

HWND MainWindow::controlWindow(std::size_t row) const {
    const front::ControlLayout& layout = front::kLayout.at(row);
    switch (layout.kind) {
    case ControlKind::List: return lists_.at(layout.slot)->handle();
    case ControlKind::GroupBox: return groupBox1_;
    case ControlKind::Button: return button(layout.number);
    case ControlKind::CheckBox: return checkBox1_;
    case ControlKind::Picture:
    case ControlKind::Label: break;
    }
    return nullptr;
}

RECT MainWindow::drawnBounds(std::size_t row) const {
    const front::ControlLayout& layout = front::kLayout.at(row);
    if (layout.kind == ControlKind::Picture) return placeOf(layout);
    RECT bounds = label(layout.number).bounds();  // in its parent's client area
    const RECT place = placeOf(layout);
    OffsetRect(&bounds, place.left - bounds.left, place.top - bounds.top);
    return bounds;
}

bool MainWindow::drawnShown(std::size_t row) const {
    const front::ControlLayout& layout = front::kLayout.at(row);
    return layout.kind != ControlKind::Label || label(layout.number).shown();
}

void MainWindow::pressPicture(std::size_t row) { presenter_->pictureClicked(front::kLayout.at(row).number); }

}  // namespace modsetup::win32
