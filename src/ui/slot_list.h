#pragma once
// A slot list: an editable drop-down list of set names with typing completion.
//
// A typed character forms a prefix: the text before the selected part (the
// whole text when nothing is selected) followed by the character. When an
// entry begins with that prefix, letter case ignored, the first such entry
// completes the text: prefix + the rest of the entry, the rest selected. The
// user's change signal comes only when that made another entry the selected
// one. Otherwise the character is inserted as usual and the signal comes.
// Backspace deletes the selection or the character before the caret, and the
// signal comes. A pick from the drop-down and any other edit of the text by the
// user (Delete, paste, cut) signal too; a text the program sets never does.
//
// Names are 8-bit byte strings. The list keeps the bytes of every entry and of
// the text the program set, shows them decoded (see text_bytes.h), and gives
// the bytes back unchanged as long as the shown text is their decoding.

#include <QComboBox>

#include <string>
#include <vector>

namespace modsetup::ui {

class SlotList : public QComboBox {
    Q_OBJECT

public:
    explicit SlotList(QWidget* parent = nullptr);

    // Sets the text without signalling; the entries and the selected entry stay.
    void setRawText(const std::string& bytes);
    // The text as bytes: those of the program's text or of an entry when the
    // shown text is their decoding, otherwise the UTF-8 of the shown text.
    std::string rawText() const;

    // Replaces the entries (in the order given), keeping the text; no signal.
    void setEntries(const std::vector<std::string>& entries);
    // Removes every entry, keeping the text; no signal.
    void clearEntries() { setEntries({}); }
    std::vector<std::string> entries() const { return entries_; }

    // The height of one entry in the drop-down, in pixels.
    void setEntryHeight(int pixels);

    // The entry last picked or completed; -1 when none.
    int selectedEntry() const { return selectedEntry_; }

signals:
    // The user changed the text: the slot's change handler runs.
    void changedByUser();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel changes only the list that has the focus, as the user's pick.
    void wheelEvent(QWheelEvent* event) override;

private:
    void typeCharacter(QKeyEvent* event);
    void backspace();
    void onActivated(int index);
    void onTextEdited();
    // Runs a user edit, signalling once afterwards if signal is true; edits of
    // the line edit made meanwhile do not signal themselves.
    template <typename Edit>
    void userEdit(bool signal, Edit edit);

    std::vector<std::string> entries_;
    std::string programText_;
    int selectedEntry_ = -1;
    bool editing_ = false;
};

}  // namespace modsetup::ui
