#include "win32/window_accessible.h"

#include <array>

#include "front/accessibility.h"
#include "front/layout.h"
#include "front/messages.h"

namespace modsetup::win32 {
namespace {

using front::AccessibleKind;
using front::kLayout;

// The rows presented, in creation order: every control but the pictures that do nothing.
const std::array<long, kLayout.size()> kChildIds = [] {
    std::array<long, kLayout.size()> ids{};
    long next = 1;
    for (std::size_t row = 0; row < kLayout.size(); ++row)
        ids[row] = front::accessibleKind(kLayout[row]) == AccessibleKind::Hidden ? 0 : next++;
    return ids;
}();

const long kChildCount = [] {
    long count = 0;
    for (long id : kChildIds) count += id != 0 ? 1 : 0;
    return count;
}();

HRESULT noText(BSTR* text) {
    if (text == nullptr) return E_POINTER;
    *text = nullptr;
    return S_FALSE;
}

}  // namespace

long accessibleChildId(std::size_t row) { return row < kChildIds.size() ? kChildIds[row] : 0; }

WindowAccessible::WindowAccessible(HWND window, AccessibleControls& controls)
    : WrappedAccessible(window), controls_(&controls) {}

void WindowAccessible::disconnect() {
    controls_ = nullptr;
    WrappedAccessible::disconnect();
}

std::size_t WindowAccessible::rowOf(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal <= 0 || controls_ == nullptr) return kLayout.size();
    for (std::size_t row = 0; row < kLayout.size(); ++row)
        if (kChildIds[row] == child.lVal) return row;
    return kLayout.size();
}

std::size_t WindowAccessible::drawnRowOf(const VARIANT& child) const {
    const std::size_t row = rowOf(child);
    return row < kLayout.size() && controls_->controlWindow(row) == nullptr ? row : kLayout.size();
}

void WindowAccessible::childVariant(std::size_t row, VARIANT* child) const {
    VariantInit(child);
    void* object = nullptr;
    HWND control = controls_->controlWindow(row);
    if (control != nullptr && SUCCEEDED(AccessibleObjectFromWindow(control, OBJID_WINDOW, IID_IDispatch, &object))) {
        child->vt = VT_DISPATCH;
        child->pdispVal = static_cast<IDispatch*>(object);
        return;
    }
    child->vt = VT_I4;
    child->lVal = kChildIds[row];
}

HRESULT WindowAccessible::get_accChildCount(long* count) {
    if (count == nullptr) return E_POINTER;
    if (!valid()) return RPC_E_DISCONNECTED;
    *count = kChildCount;
    return S_OK;
}

HRESULT WindowAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!valid()) return RPC_E_DISCONNECTED;
    const std::size_t row = rowOf(child);
    if (row >= kLayout.size()) return E_INVALIDARG;
    HWND control = controls_->controlWindow(row);
    if (control == nullptr) return S_FALSE;  // an element of this object
    void* found = nullptr;
    const HRESULT result = AccessibleObjectFromWindow(control, OBJID_WINDOW, IID_IDispatch, &found);
    *object = static_cast<IDispatch*>(found);
    return result;
}

HRESULT WindowAccessible::get_accName(VARIANT child, BSTR* name) {
    const std::size_t row = drawnRowOf(child);
    if (row >= kLayout.size()) return WrappedAccessible::get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = accessibleString(front::accessibleName(kLayout[row]));
    return S_OK;
}

HRESULT WindowAccessible::get_accRole(VARIANT child, VARIANT* role) {
    const std::size_t row = drawnRowOf(child);
    if (row >= kLayout.size()) return WrappedAccessible::get_accRole(child, role);
    if (role == nullptr) return E_POINTER;
    VariantInit(role);
    role->vt = VT_I4;
    switch (front::accessibleKind(kLayout[row])) {
    case AccessibleKind::ShotButton: role->lVal = ROLE_SYSTEM_PUSHBUTTON; break;
    case AccessibleKind::Announced: role->lVal = ROLE_SYSTEM_ALERT; break;
    default: role->lVal = ROLE_SYSTEM_STATICTEXT; break;
    }
    return S_OK;
}

HRESULT WindowAccessible::get_accState(VARIANT child, VARIANT* state) {
    const std::size_t row = drawnRowOf(child);
    if (row >= kLayout.size()) return WrappedAccessible::get_accState(child, state);
    if (state == nullptr) return E_POINTER;
    VariantInit(state);
    state->vt = VT_I4;
    state->lVal = front::accessibleKind(kLayout[row]) == AccessibleKind::ShotButton ? 0 : STATE_SYSTEM_READONLY;
    if (!controls_->drawnShown(row)) state->lVal |= STATE_SYSTEM_INVISIBLE;
    return S_OK;
}

HRESULT WindowAccessible::get_accValue(VARIANT child, BSTR* value) {
    return drawnRowOf(child) < kLayout.size() ? noText(value) : WrappedAccessible::get_accValue(child, value);
}
HRESULT WindowAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return drawnRowOf(child) < kLayout.size() ? noText(description)
                                              : WrappedAccessible::get_accDescription(child, description);
}
HRESULT WindowAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return drawnRowOf(child) < kLayout.size() ? noText(help) : WrappedAccessible::get_accHelp(child, help);
}
HRESULT WindowAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return drawnRowOf(child) < kLayout.size() ? noText(shortcut)
                                              : WrappedAccessible::get_accKeyboardShortcut(child, shortcut);
}

HRESULT WindowAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    const std::size_t row = drawnRowOf(child);
    if (row >= kLayout.size()) return WrappedAccessible::get_accDefaultAction(child, action);
    if (front::accessibleKind(kLayout[row]) != AccessibleKind::ShotButton) return noText(action);
    if (action == nullptr) return E_POINTER;
    *action = accessibleString(std::string(front::kPressAction));
    return S_OK;
}

HRESULT WindowAccessible::accDoDefaultAction(VARIANT child) {
    const std::size_t row = drawnRowOf(child);
    if (row >= kLayout.size()) return WrappedAccessible::accDoDefaultAction(child);
    if (front::accessibleKind(kLayout[row]) != AccessibleKind::ShotButton) return DISP_E_MEMBERNOTFOUND;
    controls_->pressPicture(row);
    return S_OK;
}

HRESULT WindowAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    const std::size_t row = drawnRowOf(child);
    if (row >= kLayout.size()) return WrappedAccessible::accLocation(left, top, width, height, child);
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    RECT bounds = controls_->drawnBounds(row);
    MapWindowPoints(window(), HWND_DESKTOP, reinterpret_cast<POINT*>(&bounds), 2);
    *left = bounds.left, *top = bounds.top, *width = bounds.right - bounds.left, *height = bounds.bottom - bounds.top;
    return S_OK;
}

HRESULT WindowAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (end == nullptr) return E_POINTER;
    if (!valid()) return RPC_E_DISCONNECTED;
    std::size_t from = kLayout.size();
    int step = 0;
    if (isSelf(start) && (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD)) {
        step = direction == NAVDIR_FIRSTCHILD ? 1 : -1;
    } else if ((from = rowOf(start)) < kLayout.size() && (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS)) {
        step = direction == NAVDIR_NEXT ? 1 : -1;
    } else {
        return WrappedAccessible::accNavigate(direction, start, end);
    }
    // Walks the presented rows from the one given (or from an end) in the step's direction.
    const auto rows = static_cast<long>(kLayout.size());
    long row = from < kLayout.size() ? static_cast<long>(from) : (step > 0 ? -1 : rows);
    for (row += step; row >= 0 && row < rows; row += step)
        if (kChildIds[static_cast<std::size_t>(row)] != 0) {
            childVariant(static_cast<std::size_t>(row), end);
            return S_OK;
        }
    VariantInit(end);
    return S_FALSE;
}

// Control windows lie over the drawn labels and pictures, the group box
// beneath them; a later picture over an earlier one.
HRESULT WindowAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (child == nullptr) return E_POINTER;
    if (!valid()) return RPC_E_DISCONNECTED;
    POINT point{x, y};
    ScreenToClient(window(), &point);
    RECT client;
    GetClientRect(window(), &client);
    if (!PtInRect(&client, point)) return WrappedAccessible::accHitTest(x, y, child);
    HWND under = ChildWindowFromPointEx(window(), point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    std::size_t groupRow = kLayout.size();
    for (std::size_t row = 0; row < kLayout.size(); ++row)
        if (under != nullptr && under != window() && controls_->controlWindow(row) == under) {
            if (kLayout[row].kind != front::ControlKind::GroupBox) {
                childVariant(row, child);
                return S_OK;
            }
            groupRow = row;
        }
    for (std::size_t row = kLayout.size(); row-- > 0;) {
        if (kChildIds[row] == 0 || controls_->controlWindow(row) != nullptr || !controls_->drawnShown(row)) continue;
        const RECT bounds = controls_->drawnBounds(row);
        if (PtInRect(&bounds, point)) {
            childVariant(row, child);
            return S_OK;
        }
    }
    if (groupRow < kLayout.size()) {
        childVariant(groupRow, child);
        return S_OK;
    }
    VariantInit(child);
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    return S_OK;
}

}  // namespace modsetup::win32
