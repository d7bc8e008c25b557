#include "ui/slot_list.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>

#include "ui/text_bytes.h"

namespace modsetup::ui {

namespace {

// Draws the entries as plain list rows of one fixed height.
class EntryDelegate : public QStyledItemDelegate {
public:
    EntryDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(height_);
        return size;
    }

private:
    int height_;
};

}  // namespace

SlotList::SlotList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);  // typed text never becomes an entry
    setCompleter(nullptr);  // completion follows the list's own rules below
    // A finished edit (the focus leaving the list) would otherwise make the
    // entry equal to the text current and report it as a pick: leaving a list
    // must not run its handler.
    lineEdit()->disconnect(SIGNAL(editingFinished()), this, nullptr);
    connect(this, &QComboBox::activated, this, &SlotList::onActivated);
    connect(lineEdit(), &QLineEdit::textEdited, this, &SlotList::onTextEdited);
}

void SlotList::setEntryHeight(int pixels) { setItemDelegate(new EntryDelegate(pixels, this)); }

template <typename Edit>
void SlotList::userEdit(bool signal, Edit edit) {
    const bool outer = !editing_;
    editing_ = true;
    edit();
    if (outer) editing_ = false;
    if (signal) emit changedByUser();
}

void SlotList::setRawText(const std::string& bytes) {
    programText_ = bytes;
    const QSignalBlocker blockList(this);
    const QSignalBlocker blockEdit(lineEdit());
    setEditText(shownText(bytes));
}

std::string SlotList::rawText() const {
    const QString shown = currentText();
    if (shown == shownText(programText_)) return programText_;
    for (const auto& entry : entries_)
        if (shown == shownText(entry)) return entry;
    return typedBytes(shown);
}

void SlotList::setEntries(const std::vector<std::string>& entries) {
    // QComboBox changes the edit text when its items change (clear() empties
    // it, the first item added becomes current), so the text is put back.
    const QString text = currentText();
    const int cursor = lineEdit()->cursorPosition();
    const QSignalBlocker blockList(this);
    const QSignalBlocker blockEdit(lineEdit());
    clear();
    entries_ = entries;
    for (const auto& entry : entries_) addItem(shownText(entry));
    setCurrentIndex(-1);
    selectedEntry_ = -1;
    setEditText(text);
    lineEdit()->setCursorPosition(cursor);
}

void SlotList::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event->key() == Qt::Key_Backspace && !(event->modifiers() & commandKeys)) {
        backspace();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter neither picks an entry nor changes the text.
        event->ignore();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); });
    if (printable && !(event->modifiers() & commandKeys)) {
        typeCharacter(event);
        return;
    }
    // Other keys (arrows, Delete, paste, cut, ...) edit as usual; a change of
    // the text or a new current entry signals through onTextEdited or onActivated.
    QComboBox::keyPressEvent(event);
}

void SlotList::wheelEvent(QWheelEvent* event) {
    // Scrolling the window past a list must not change a choice behind the
    // user's back; a list with the focus takes the wheel as a pick.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void SlotList::typeCharacter(QKeyEvent* event) {
    QLineEdit* edit = lineEdit();
    const QString text = edit->text();
    const QString prefix =
        (edit->hasSelectedText() ? text.left(edit->selectionStart()) : text) + event->text();

    int match = -1;
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(prefix, Qt::CaseInsensitive)) {
            match = i;
            break;
        }
    }
    if (match < 0) {
        userEdit(true, [&] { QComboBox::keyPressEvent(event); });
        return;
    }

    const bool otherEntry = match != selectedEntry_;
    selectedEntry_ = match;
    userEdit(otherEntry, [&] {
        const QSignalBlocker blockList(this);
        setCurrentIndex(match);  // keeps the arrow keys moving from here
        const QString completed = prefix + itemText(match).mid(prefix.size());
        edit->setText(completed);
        edit->setSelection(prefix.size(), completed.size() - prefix.size());
    });
}

void SlotList::backspace() {
    userEdit(true, [&] {
        QLineEdit* edit = lineEdit();
        if (edit->hasSelectedText())
            edit->del();
        else
            edit->backspace();
    });
}

void SlotList::onActivated(int index) {
    selectedEntry_ = index;
    if (!editing_) emit changedByUser();
}

void SlotList::onTextEdited() {
    if (!editing_) emit changedByUser();
}

}  // namespace modsetup::ui
