#pragma once
// A slot list: an editable drop-down list of set names (a combo box with an
// edit field and an unsorted list). It only draws and forwards: a typed
// character and Backspace are caught in the edit field before it changes the
// text, a pick from the drop-down (Up and Down included) and any other edit by
// the user (Delete, paste, cut) are reported by the combo box to the window,
// which hands them here; each becomes one event. What the program sets never
// becomes an event. Whether the mouse wheel may change the list is asked of
// the events' receiver at each turn. The window's keys (front/keys.h) are the
// window's to forward. To screen readers the list and its edit field are
// named by the slot and described by its tooltip.

#include <cstddef>
#include <vector>

#include <string>

#include "front/shown_text.h"
#include "front/typing.h"
#include "win32/accessible.h"
#include "win32/win32_api.h"

namespace modsetup::win32 {

// Where a slot list's events go (the window forwards them to the presenter).
class SlotListEvents {
public:
    virtual void listTyped(std::size_t slot, char32_t typed) = 0;  // a printable character, not yet inserted
    virtual void listBackspace(std::size_t slot) = 0;              // Backspace, not yet carried out
    virtual void listPicked(std::size_t slot, int entry, front::PickedFrom from) = 0;  // the entry is the text now
    virtual void listEdited(std::size_t slot) = 0;  // any other change of the text by the user
    // Whether a turn of the wheel may move the list to another entry (a
    // pick); otherwise the list leaves the wheel alone.
    virtual bool listTakesWheel(std::size_t slot) = 0;
    // The list's accessible description: its tooltip, as code-page text.
    virtual std::string listDescription(std::size_t slot) = 0;

protected:
    ~SlotListEvents() = default;
};

struct SlotListGeometry {
    RECT bounds;       // the closed list, in its parent's client area
    int entryHeight;   // one entry of the drop-down
    int shownEntries;  // entries the open drop-down shows without scrolling
};

class SlotList {
public:
    // Creates the combo box as a child of parent with the given control id.
    SlotList(HWND parent, int id, const SlotListGeometry& geometry, HFONT font, std::size_t slot,
             const front::TextCodec& codec, SlotListEvents& events);
    SlotList(const SlotList&) = delete;
    SlotList& operator=(const SlotList&) = delete;

    // Places the list anew (the window's scale changed); nothing else changes.
    // Each step is taken only where it changes something: a combo box placed
    // again lays itself out again, which costs the system's window manager.
    void place(const SlotListGeometry& geometry, HFONT font);

    HWND handle() const { return combo_; }
    HWND editHandle() const { return edit_; }

    // Replaces the entries (in the order given), keeping the text.
    void setEntries(const std::vector<front::ShownText>& entries);
    // The edit field's text and selected part, and setting them.
    front::ListEdit edit() const;
    void setEdit(const front::ListEdit& edit);
    // Marks an entry current for the arrow keys, keeping the text.
    void setCurrentEntry(int entry);

    // A notification the combo box sent to the window (WM_COMMAND's code).
    void notified(WORD code);
    // Whether the combo box or its edit field has the keyboard focus.
    bool hasFocus() const;

private:
    static LRESULT CALLBACK editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK comboProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    void typed(HWND edit, WPARAM character);
    // WM_GETOBJECT of the combo box or its edit field.
    LRESULT accessibleObject(HWND part, WPARAM flags, LPARAM object);

    // While one lives, the combo box's notifications are the program's own.
    class ProgramChange {
    public:
        explicit ProgramChange(SlotList& list) : list_(list) { ++list_.programChanges_; }
        ~ProgramChange() { --list_.programChanges_; }
        ProgramChange(const ProgramChange&) = delete;
        ProgramChange& operator=(const ProgramChange&) = delete;

    private:
        SlotList& list_;
    };

    HWND combo_ = nullptr;
    HWND edit_ = nullptr;
    std::size_t slot_;
    const front::TextCodec& codec_;
    SlotListEvents& events_;
    int programChanges_ = 0;
    SlotListGeometry placed_{};  // as the latest place() set it
    HFONT font_ = nullptr;
    AccessibleHolder<NamedAccessible> comboAccessible_;
    AccessibleHolder<NamedAccessible> editAccessible_;
};

}  // namespace modsetup::win32
