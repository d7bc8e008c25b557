#include "win32/slot_list.h"

#include <string>

#include <commctrl.h>

#include "core/game/slots.h"

#include "front/accessibility.h"
#include "front/layout.h"

namespace modsetup::win32 {
namespace {

// The id of the list's subclass of its combo box and of its edit field.
constexpr UINT_PTR kSlotListSubclass = 1;

// Positions in the edit field: one character per byte of the code page.
LPARAM toLParam(std::size_t position) { return static_cast<LPARAM>(position); }

// A combo box's window height is that of the open list; the closed height
// follows from its selection field.
int openHeight(const SlotListGeometry& geometry) {
    return geometry.bounds.bottom - geometry.bounds.top + geometry.entryHeight * geometry.shownEntries + 2;
}

}  // namespace

SlotList::SlotList(HWND parent, int id, const SlotListGeometry& geometry, HFONT font, std::size_t slot,
                   const front::TextCodec& codec, SlotListEvents& events)
    : slot_(slot), codec_(codec), events_(events) {
    const RECT& bounds = geometry.bounds;
    combo_ = CreateWindowExA(
        0, "COMBOBOX", "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | CBS_DROPDOWN | CBS_AUTOHSCROLL, bounds.left,
        bounds.top, bounds.right - bounds.left, openHeight(geometry), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (combo_ == nullptr) return;
    place(geometry, font);

    const auto self = reinterpret_cast<DWORD_PTR>(this);
    SetWindowSubclass(combo_, &SlotList::comboProc, kSlotListSubclass, self);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(combo_, &info) || info.hwndItem == nullptr) return;
    edit_ = info.hwndItem;
    SetWindowSubclass(edit_, &SlotList::editProc, kSlotListSubclass, self);
}

void SlotList::place(const SlotListGeometry& geometry, HFONT font) {
    if (combo_ == nullptr) return;
    const bool moved = !EqualRect(&placed_.bounds, &geometry.bounds) || placed_.entryHeight != geometry.entryHeight ||
                       placed_.shownEntries != geometry.shownEntries;
    if (!moved && font == font_) return;
    const bool created = font_ == nullptr;  // made at these bounds already
    placed_ = geometry;
    font_ = font;
    const int closedHeight = geometry.bounds.bottom - geometry.bounds.top;
    if (moved && !created)
        SetWindowPos(combo_, nullptr, geometry.bounds.left, geometry.bounds.top,
                     geometry.bounds.right - geometry.bounds.left, openHeight(geometry), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The font sets the heights; the layout's come after it.
    SendMessageA(combo_, CB_SETITEMHEIGHT, 0, geometry.entryHeight);
    RECT closed{};
    GetWindowRect(combo_, &closed);
    const LRESULT field = SendMessageA(combo_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (field != CB_ERR && closed.bottom - closed.top != closedHeight)
        SendMessageA(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     field + closedHeight - (closed.bottom - closed.top));
}

LRESULT SlotList::accessibleObject(HWND part, WPARAM flags, LPARAM object) {
    if (static_cast<LONG>(object) != static_cast<LONG>(OBJID_CLIENT))
        return DefSubclassProc(part, WM_GETOBJECT, flags, object);
    auto& holder = part == combo_ ? comboAccessible_ : editAccessible_;
    const LRESULT answer = holder.answer(flags, part, front::accessibleName(front::layoutOf(kSlots[slot_].list)),
                                         [this] { return events_.listDescription(slot_); });
    return answer != 0 ? answer : DefSubclassProc(part, WM_GETOBJECT, flags, object);
}

// A typed character as the edit field received it: a byte of the code page,
// or a UTF-16 unit where the field's window procedure takes Unicode (as the
// common controls' subclassing may make it). Names are text of the code
// page, so a character it cannot hold is not typed.
void SlotList::typed(HWND edit, WPARAM character) {
    std::string bytes;
    if (IsWindowUnicode(edit)) {
        const auto unit = static_cast<wchar_t>(character & 0xFFFF);
        char converted[8];
        BOOL lost = FALSE;
        const int length =
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &unit, 1, converted, sizeof converted, nullptr, &lost);
        if (length <= 0 || lost) return;
        bytes.assign(converted, static_cast<std::size_t>(length));
    } else {
        bytes.assign(1, static_cast<char>(character & 0xFF));
    }
    for (char32_t c : codec_.shown(bytes)) events_.listTyped(slot_, c);
}

LRESULT CALLBACK SlotList::editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto& list = *reinterpret_cast<SlotList*>(self);
    switch (message) {
    case WM_CHAR:
        if (wParam == '\b') {
            list.events_.listBackspace(list.slot_);
            return 0;
        }
        // Control characters (Ctrl+V, Ctrl+X, Ctrl+Backspace, Enter, ...) are
        // the edit field's own: a change they make is reported as an edit.
        if (wParam >= 0x20 && wParam != 0x7F) {
            list.typed(edit, wParam);
            return 0;
        }
        break;
    case WM_GETOBJECT: return list.accessibleObject(edit, wParam, lParam);
    case WM_NCDESTROY:
        list.editAccessible_.reset();
        RemoveWindowSubclass(edit, &SlotList::editProc, kSlotListSubclass);
        break;
    default: break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

bool SlotList::hasFocus() const {
    HWND focus = GetFocus();
    return focus != nullptr && (focus == combo_ || focus == edit_);
}

LRESULT CALLBACK SlotList::comboProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto& list = *reinterpret_cast<SlotList*>(self);
    switch (message) {
    case WM_MOUSEWHEEL:
        // The system may send the wheel to the control under the pointer.
        if (!list.events_.listTakesWheel(list.slot_)) return 0;
        break;
    case WM_GETOBJECT: return list.accessibleObject(combo, wParam, lParam);
    case WM_NCDESTROY:
        list.comboAccessible_.reset();
        RemoveWindowSubclass(combo, &SlotList::comboProc, kSlotListSubclass);
        break;
    default: break;
    }
    return DefSubclassProc(combo, message, wParam, lParam);
}

void SlotList::notified(WORD code) {
    if (programChanges_ > 0) return;
    switch (code) {
    case CBN_SELCHANGE: {
        const auto entry = static_cast<int>(SendMessageA(combo_, CB_GETCURSEL, 0, 0));
        const bool dropped = SendMessageA(combo_, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
        if (entry >= 0)
            events_.listPicked(slot_, entry, dropped ? front::PickedFrom::DropDown : front::PickedFrom::ClosedList);
        return;
    }
    case CBN_EDITCHANGE: events_.listEdited(slot_); return;
    default: return;
    }
}

void SlotList::setEntries(const std::vector<front::ShownText>& entries) {
    const ProgramChange change(*this);
    // Emptying a combo box empties its edit field too: the text is put back.
    const front::ListEdit kept = edit();
    SendMessageA(combo_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> names;
    names.reserve(entries.size());
    std::size_t bytes = 0;
    for (const front::ShownText& entry : entries) {
        names.push_back(codec_.bytes(entry));
        bytes += names.back().size() + 1;
    }
    SendMessageA(combo_, CB_INITSTORAGE, names.size(), static_cast<LPARAM>(bytes));
    for (const std::string& name : names) SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(combo_, WM_SETREDRAW, TRUE, 0);
    setEdit(kept);
    InvalidateRect(combo_, nullptr, TRUE);
}

front::ListEdit SlotList::edit() const {
    front::ListEdit edit;
    if (edit_ == nullptr) return edit;
    const int length = GetWindowTextLengthA(edit_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(edit_, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    edit.text = codec_.shown(text);
    edit.selectionStart = start;
    edit.selectionLength = end > start ? end - start : 0;
    return edit;
}

void SlotList::setEdit(const front::ListEdit& edit) {
    if (edit_ == nullptr) return;
    const ProgramChange change(*this);
    // The same text set again would cost the field a new layout of it.
    if (this->edit().text != edit.text) SetWindowTextA(edit_, codec_.bytes(edit.text).c_str());
    SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(edit.selectionStart),
                 toLParam(edit.selectionStart + edit.selectionLength));
}

void SlotList::setCurrentEntry(int entry) {
    const ProgramChange change(*this);
    const front::ListEdit kept = edit();
    SendMessageA(combo_, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    setEdit(kept);  // a new current entry would otherwise replace the text
}

}  // namespace modsetup::win32
