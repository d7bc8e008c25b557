#pragma once
// The window's controls as screen readers meet them through the system's
// accessibility interface (IAccessible). The system presents each control
// window by a standard object; these wrap one, changing only what the window
// says otherwise: a slot list's name and description, and the main window's
// children, where the labels and pictures the window draws are added as
// elements of their own.

#include <functional>
#include <string>
#include <utility>

#include "win32/win32_api.h"

#include <oleacc.h>

namespace modsetup::win32 {

// Reference counting and the plain dispatch of an accessible object; every
// question goes to the system's standard object of the window, the wrapped
// one, unless a subclass answers it. Once disconnected (its window is gone)
// it answers nothing, however long a screen reader holds it.
class WrappedAccessible : public IAccessible {
public:
    // The standard object of the window's client area; nothing when the
    // system has none.
    explicit WrappedAccessible(HWND window);
    WrappedAccessible(const WrappedAccessible&) = delete;
    WrappedAccessible& operator=(const WrappedAccessible&) = delete;
    // Release deletes the object once its last reference goes, whichever
    // subclass it is.
    virtual ~WrappedAccessible();

    bool valid() const { return wrapped_ != nullptr; }
    // Answers WM_GETOBJECT with this object.
    LRESULT answer(WPARAM flags);
    virtual void disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: none of its names are offered (clients call IAccessible).
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible, all passed on to the wrapped object.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    IAccessible* wrapped() const { return wrapped_; }
    HWND window() const { return window_; }

private:
    HWND window_;
    IAccessible* wrapped_ = nullptr;
    ULONG references_ = 1;
};

// A text of the system's code page as a string of the accessibility interface.
BSTR accessibleString(const std::string& codePageText);

bool isSelf(const VARIANT& child);

// A control window named and described by the program: a slot list and its
// edit field, a button or the check box, whose caption shows its access key
// only while Alt is held. The description is worked out each time it is
// asked for.
class NamedAccessible final : public WrappedAccessible {
public:
    NamedAccessible(HWND window, std::string name, std::function<std::string()> describe, std::string shortcut = "");
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;

private:
    std::string name_;
    std::function<std::string()> describe_;
    std::string shortcut_;  // "Alt+A"; empty: the system's
};

// An object a window hands out for WM_GETOBJECT, made on the first request
// and disconnected when the window goes.
template <class Accessible>
class AccessibleHolder {
public:
    AccessibleHolder() = default;
    AccessibleHolder(const AccessibleHolder&) = delete;
    AccessibleHolder& operator=(const AccessibleHolder&) = delete;
    ~AccessibleHolder() { reset(); }

    template <class... Arguments>
    LRESULT answer(WPARAM flags, Arguments&&... arguments) {
        if (object_ == nullptr) object_ = new Accessible(std::forward<Arguments>(arguments)...);
        return object_->answer(flags);
    }
    Accessible* get() const { return object_; }
    void reset() {
        if (object_ == nullptr) return;
        object_->disconnect();
        object_->Release();
        object_ = nullptr;
    }

private:
    Accessible* object_ = nullptr;
};

}  // namespace modsetup::win32
