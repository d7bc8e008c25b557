#pragma once
// The main window's client area as screen readers meet it: its children are
// the layout's controls in creation order, the control windows as the system
// presents them and the labels and pictures the window draws as elements of
// this object (a label as static text, the confirmation as an alert, a
// picture that plays a shot as a button that plays it when pressed). The
// pictures that do nothing are left out.

#include <cstddef>

#include "win32/accessible.h"

namespace modsetup::win32 {

// What the object asks of the window about its controls (layout rows).
class AccessibleControls {
public:
    // The window of a control; null for a label or picture the window draws.
    virtual HWND controlWindow(std::size_t row) const = 0;
    // Where a drawn label or picture lies in the window's client area.
    virtual RECT drawnBounds(std::size_t row) const = 0;
    virtual bool drawnShown(std::size_t row) const = 0;
    // Presses a picture that plays a shot, as a click does.
    virtual void pressPicture(std::size_t row) = 0;

protected:
    ~AccessibleControls() = default;
};

// The child id of a layout row's control in the window's object; 0 for a
// control left out.
long accessibleChildId(std::size_t row);

class WindowAccessible final : public WrappedAccessible {
public:
    WindowAccessible(HWND window, AccessibleControls& controls);
    void disconnect() override;

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

private:
    // The layout row of a child id; kLayout.size() for none.
    std::size_t rowOf(const VARIANT& child) const;
    // A drawn element's row; kLayout.size() for a control window or none.
    std::size_t drawnRowOf(const VARIANT& child) const;
    // A child as a VARIANT: the control window's object, or the element's id.
    void childVariant(std::size_t row, VARIANT* child) const;

    AccessibleControls* controls_;
};

}  // namespace modsetup::win32
