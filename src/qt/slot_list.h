#pragma once
// A slot list: an editable drop-down list of set names. It only draws and
// forwards: a typed character, Backspace, a pick and any other edit of the
// text by the user each become a signal, and the presenter decides what the
// text becomes (typing completion) and whether the slot's handler runs. What
// the program sets never signals.

#include <QComboBox>

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

signals:
    void typed(char32_t character);  // a printable character, not yet inserted
    void backspaced();               // Backspace, not yet carried out
    void picked(int entry);          // an entry picked from the drop-down (or by Up/Down)
    void edited();                   // any other change of the text by the user
    void shotKey();                  // the shot key (front::kShotKeyName) pressed

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel changes only the list that has the focus, as the user's pick.
    void wheelEvent(QWheelEvent* event) override;
};

}  // namespace modsetup::qt
