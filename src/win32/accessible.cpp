#include "win32/accessible.h"

#include <utility>

namespace modsetup::win32 {
namespace {

// A question to the wrapped object, or the answer of one whose window is gone.
template <class Call>
HRESULT pass(IAccessible* wrapped, Call call) {
    return wrapped != nullptr ? call(wrapped) : RPC_E_DISCONNECTED;
}

}  // namespace

BSTR accessibleString(const std::string& codePageText) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, codePageText.data(), static_cast<int>(codePageText.size()), nullptr, 0);
    BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (text != nullptr && length > 0)
        MultiByteToWideChar(CP_ACP, 0, codePageText.data(), static_cast<int>(codePageText.size()), text, length);
    return text;
}

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

WrappedAccessible::WrappedAccessible(HWND window) : window_(window) {
    void* standard = nullptr;
    if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible, &standard)))
        wrapped_ = static_cast<IAccessible*>(standard);
}

WrappedAccessible::~WrappedAccessible() { disconnect(); }

void WrappedAccessible::disconnect() {
    if (wrapped_ != nullptr) wrapped_->Release();
    wrapped_ = nullptr;
}

LRESULT WrappedAccessible::answer(WPARAM flags) {
    return valid() ? LresultFromObject(IID_IAccessible, flags, static_cast<IAccessible*>(this)) : 0;
}

HRESULT WrappedAccessible::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) || IsEqualIID(id, IID_IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG WrappedAccessible::AddRef() { return ++references_; }

ULONG WrappedAccessible::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT WrappedAccessible::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT WrappedAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT WrappedAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT WrappedAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

HRESULT WrappedAccessible::get_accParent(IDispatch** parent) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accParent(parent); });
}
HRESULT WrappedAccessible::get_accChildCount(long* count) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accChildCount(count); });
}
HRESULT WrappedAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accChild(child, object); });
}
HRESULT WrappedAccessible::get_accName(VARIANT child, BSTR* name) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accName(child, name); });
}
HRESULT WrappedAccessible::get_accValue(VARIANT child, BSTR* value) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accValue(child, value); });
}
HRESULT WrappedAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accDescription(child, description); });
}
HRESULT WrappedAccessible::get_accRole(VARIANT child, VARIANT* role) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accRole(child, role); });
}
HRESULT WrappedAccessible::get_accState(VARIANT child, VARIANT* state) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accState(child, state); });
}
HRESULT WrappedAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accHelp(child, help); });
}
HRESULT WrappedAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accHelpTopic(file, child, topic); });
}
HRESULT WrappedAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accKeyboardShortcut(child, shortcut); });
}
HRESULT WrappedAccessible::get_accFocus(VARIANT* focus) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accFocus(focus); });
}
HRESULT WrappedAccessible::get_accSelection(VARIANT* selection) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accSelection(selection); });
}
HRESULT WrappedAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return pass(wrapped_, [&](IAccessible* a) { return a->get_accDefaultAction(child, action); });
}
HRESULT WrappedAccessible::accSelect(long flags, VARIANT child) {
    return pass(wrapped_, [&](IAccessible* a) { return a->accSelect(flags, child); });
}
HRESULT WrappedAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    return pass(wrapped_, [&](IAccessible* a) { return a->accLocation(left, top, width, height, child); });
}
HRESULT WrappedAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return pass(wrapped_, [&](IAccessible* a) { return a->accNavigate(direction, start, end); });
}
HRESULT WrappedAccessible::accHitTest(long x, long y, VARIANT* child) {
    return pass(wrapped_, [&](IAccessible* a) { return a->accHitTest(x, y, child); });
}
HRESULT WrappedAccessible::accDoDefaultAction(VARIANT child) {
    return pass(wrapped_, [&](IAccessible* a) { return a->accDoDefaultAction(child); });
}
HRESULT WrappedAccessible::put_accName(VARIANT child, BSTR name) {
    return pass(wrapped_, [&](IAccessible* a) { return a->put_accName(child, name); });
}
HRESULT WrappedAccessible::put_accValue(VARIANT child, BSTR value) {
    return pass(wrapped_, [&](IAccessible* a) { return a->put_accValue(child, value); });
}

NamedAccessible::NamedAccessible(HWND window, std::string name, std::function<std::string()> describe,
                                 std::string shortcut)
    : WrappedAccessible(window),
      name_(std::move(name)),
      describe_(std::move(describe)),
      shortcut_(std::move(shortcut)) {}

HRESULT NamedAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!isSelf(child) || !valid()) return WrappedAccessible::get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = accessibleString(name_);
    return S_OK;
}

HRESULT NamedAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (!isSelf(child) || !valid()) return WrappedAccessible::get_accDescription(child, description);
    if (description == nullptr) return E_POINTER;
    const std::string text = describe_ ? describe_() : std::string();
    *description = text.empty() ? nullptr : accessibleString(text);
    return text.empty() ? S_FALSE : S_OK;
}

}  // namespace modsetup::win32

namespace modsetup::win32 {

HRESULT NamedAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    if (!isSelf(child) || !valid() || shortcut_.empty())
        return WrappedAccessible::get_accKeyboardShortcut(child, shortcut);
    if (shortcut == nullptr) return E_POINTER;
    *shortcut = accessibleString(shortcut_);
    return S_OK;
}

}  // namespace modsetup::win32
