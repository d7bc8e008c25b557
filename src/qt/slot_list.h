#pragma once
// A slot list: an editable drop-down list of set names. It only draws and
// forwards: a typed character, Backspace, a pick and any other edit of the
// text by the user each become a signal, and the presenter decides what the
// text becomes (typing completion, the selection after a pick), whether the
// slot's handler runs and whether the wheel may change the list. What the
// program sets never signals. The window's keys (front/keys.h) are the
// window's to forward, before the list sees them.
//
// To a screen reader the edit field tells of its text only while the user
// edits it: the focus coming or going, a pick and the program's texts would
// otherwise be spoken as selections and deletions on top of what the list's
// focus and the presenter's announcement say.

#include <QComboBox>

#include <functional>
#include <vector>

#include "front/typing.h"

namespace modsetup::qt {

class SlotList : public QComboBox {
    Q_OBJECT

public:
    explicit SlotList(QWidget* parent = nullptr);

    // Replaces the entries (in the order given), keeping the text; no signal.
    void setEntries(const std::vector<front::ShownText>& entries);
    // The edit field's text and selected part, and setting them; no signal.
    front::ListEdit edit() const;
    void setEdit(const front::ListEdit& edit);
    // Marks an entry current for the arrow keys, keeping the text; no signal.
    void setCurrentEntry(int entry);

    // The height of one entry in the drop-down, in pixels.
    void setEntryHeight(int pixels);
    // Asked at each turn of the mouse wheel over the list: true lets it move
    // the list to the next or previous entry, as a pick; false passes the
    // wheel on. Without a rule the wheel never changes the list.
    void setWheelRule(std::function<bool()> takesWheel) { takesWheel_ = std::move(takesWheel); }
    // Its accessible description, worked out each time it is asked for.
    void setDescription(std::function<QString()> describe) { describe_ = std::move(describe); }
    QString description() const { return describe_ ? describe_() : QString(); }
    // Whether a change of the edit field's text, caret or selection now is
    // the user's editing, which assistive technology hears of.
    bool editsTold() const { return userEdits_ > 0; }

signals:
    void typed(char32_t character);                  // a printable character, not yet inserted
    void backspaced();                               // Backspace, not yet carried out
    void picked(int entry, front::PickedFrom from);  // an entry picked from the drop-down or on the closed list
    void edited();                                   // any other change of the text by the user

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    class EditField;
    // While one lives, the user is editing the text.
    class UserEdit {
    public:
        explicit UserEdit(SlotList& list) : list_(list) { ++list_.userEdits_; }
        ~UserEdit() { --list_.userEdits_; }
        UserEdit(const UserEdit&) = delete;
        UserEdit& operator=(const UserEdit&) = delete;

    private:
        SlotList& list_;
    };

    std::function<bool()> takesWheel_;
    std::function<QString()> describe_;
    int userEdits_ = 0;
    bool onClosedList_ = false;  // while a key or the wheel is handled on the closed list
};

}  // namespace modsetup::qt
