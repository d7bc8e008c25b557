#include "qt/slot_list.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include <algorithm>

#include "qt/qt_text.h"

namespace modsetup::qt {

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

// The edit field: a key it handles (typing that reaches it, Delete, the
// caret's keys, paste) is the user's editing.
class SlotList::EditField : public QLineEdit {
public:
    explicit EditField(SlotList& list) : QLineEdit(&list), list_(list) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const UserEdit editing(list_);
        QLineEdit::keyPressEvent(event);
    }

private:
    SlotList& list_;
};

SlotList::SlotList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setLineEdit(new EditField(*this));
    setInsertPolicy(QComboBox::NoInsert);  // typed text never becomes an entry
    setCompleter(nullptr);                 // completion is the presenter's
    // A turn of the wheel would otherwise give the list the focus before the
    // list asks whether it may take the wheel, which only a focused list may.
    setFocusPolicy(Qt::StrongFocus);
    // A finished edit (the focus leaving the list) would otherwise make the
    // entry equal to the text current and report it as a pick: leaving a list
    // must not run its handler.
    lineEdit()->disconnect(SIGNAL(editingFinished()), this, nullptr);
    connect(this, &QComboBox::activated, this, [this](int entry) {
        emit picked(entry, onClosedList_ ? front::PickedFrom::ClosedList : front::PickedFrom::DropDown);
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &SlotList::edited);
    // A file dropped on the list is one dropped on the window (an archive of
    // sets), not text for the list.
    lineEdit()->setAcceptDrops(false);
}

void SlotList::setEntryHeight(int pixels) { setItemDelegate(new EntryDelegate(pixels, this)); }

void SlotList::setEntries(const std::vector<front::ShownText>& entries) {
    // QComboBox changes the edit text when its items change (clear() empties
    // it, the first item added becomes current), so the text is put back.
    const QString text = currentText();
    const int cursor = lineEdit()->cursorPosition();
    const QSignalBlocker blockList(this);
    const QSignalBlocker blockEdit(lineEdit());
    clear();
    for (const auto& entry : entries) addItem(toQString(entry));
    setCurrentIndex(-1);
    setEditText(text);
    lineEdit()->setCursorPosition(cursor);
}

front::ListEdit SlotList::edit() const {
    const QLineEdit* line = lineEdit();
    const QString text = line->text();
    front::ListEdit edit;
    edit.text = toShownText(text);
    if (line->hasSelectedText()) {
        const qsizetype start = line->selectionStart();
        edit.selectionStart = codePointsBefore(text, start);
        edit.selectionLength = codePointsBefore(text, start + line->selectedText().size()) - edit.selectionStart;
    } else {
        edit.selectionStart = codePointsBefore(text, line->cursorPosition());
    }
    return edit;
}

void SlotList::setEdit(const front::ListEdit& edit) {
    const QSignalBlocker blockList(this);
    const QSignalBlocker blockEdit(lineEdit());
    QLineEdit* line = lineEdit();
    line->setText(toQString(edit.text));
    const qsizetype start = unitsBefore(edit.text, edit.selectionStart);
    if (edit.selectionLength > 0)
        line->setSelection(
            static_cast<int>(start),
            static_cast<int>(unitsBefore(edit.text, edit.selectionStart + edit.selectionLength) - start));
    else line->setCursorPosition(static_cast<int>(start));
}

void SlotList::setCurrentEntry(int entry) {
    const front::ListEdit kept = edit();
    {
        const QSignalBlocker blockList(this);
        const QSignalBlocker blockEdit(lineEdit());
        setCurrentIndex(entry);
    }
    setEdit(kept);  // a new current entry would otherwise replace the text
}

void SlotList::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event->key() == Qt::Key_Backspace && !(event->modifiers() & commandKeys)) {
        const UserEdit editing(*this);
        emit backspaced();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter neither picks an entry nor changes the text.
        event->ignore();
        return;
    }
    const QString text = event->text();
    // Alt with a letter is an access key, the window's; it never types.
    if ((event->modifiers() & Qt::AltModifier) && !(event->modifiers() & Qt::ControlModifier) && !text.isEmpty()) {
        event->ignore();
        return;
    }
    const bool printable = !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                                          [](QChar c) { return c.isPrint() || c.isSurrogate(); });
    if (printable && !(event->modifiers() & commandKeys)) {
        const UserEdit editing(*this);
        for (char32_t character : text.toStdU32String()) emit typed(character);
        return;
    }
    // Other keys (arrows, Delete, paste, cut, ...) edit as usual; a change of
    // the text or a new current entry signals through edited or picked.
    onClosedList_ = true;
    QComboBox::keyPressEvent(event);
    onClosedList_ = false;
}

void SlotList::wheelEvent(QWheelEvent* event) {
    if (!takesWheel_ || !takesWheel_()) {
        event->ignore();
        return;
    }
    onClosedList_ = true;
    QComboBox::wheelEvent(event);
    onClosedList_ = false;
}

}  // namespace modsetup::qt
