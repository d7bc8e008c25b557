// The Qt slot list as glue: which of the user's keys and clicks become which
// signal (typed, backspaced, picked, edited), that it changes nothing by
// itself where the presenter decides (the wheel asks its rule), that what the
// program sets never signals, and its text positions counted in code points.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <memory>

#include "front/shown_text.h"
#include "qt/qt_text.h"
#include "qt/slot_list.h"

using modsetup::front::ListEdit;
using modsetup::front::ShownText;
using modsetup::qt::SlotList;
using modsetup::qt::toShownText;

namespace {

std::vector<ShownText> shownTexts(const QStringList& texts) {
    std::vector<ShownText> shown;
    for (const QString& text : texts) shown.push_back(toShownText(text));
    return shown;
}

ListEdit caretAtEnd(const QString& text) { return modsetup::front::editWithCaretAtEnd(toShownText(text)); }

// Every signal of one list, counted.
struct Signals {
    explicit Signals(SlotList* list)
        : typed(list, &SlotList::typed),
          backspaced(list, &SlotList::backspaced),
          picked(list, &SlotList::picked),
          edited(list, &SlotList::edited) {}
    qsizetype total() const { return typed.count() + backspaced.count() + picked.count() + edited.count(); }

    QSignalSpy typed;
    QSignalSpy backspaced;
    QSignalSpy picked;
    QSignalSpy edited;
};

// A list beside another control, in a shown and active window.
struct ListInWindow {
    ListInWindow() {
        other->move(0, 40);
        window.show();
        window.activateWindow();
    }
    QWidget window;
    SlotList* list = new SlotList(&window);
    QLineEdit* other = new QLineEdit(&window);
};

}  // namespace

class SlotListTest : public QObject {
    Q_OBJECT

private slots:
    void printableKeyBecomesTyped_data();
    void printableKeyBecomesTyped();
    void backspaceBecomesBackspaced();
    void enterAndAltWithALetterDoNothing();
    void pickAndArrowKeysBecomePicked();
    void deletePasteAndCutBecomeEdited();
    void leavingTheListSignalsNothing();
    void wheelChangesTheListOnlyWhereTheRuleLetsIt();
    void whatTheProgramSetsNeverSignals();
    void positionsCountCodePointsOutsideTheBmp();
};

void SlotListTest::printableKeyBecomesTyped_data() {
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<QList<uint>>("characters");
    QTest::newRow("letter") << "g" << QList<uint>{'g'};
    QTest::newRow("capital") << "G" << QList<uint>{'G'};
    QTest::newRow("blank") << " " << QList<uint>{' '};
    QTest::newRow("8-bit letter") << QString::fromUtf8("\xC3\xA9") << QList<uint>{0xE9};
    QTest::newRow("outside the BMP") << QString::fromUtf8("\xF0\x9F\x8E\xAE") << QList<uint>{0x1F3AE};
    QTest::newRow("two characters in one key event") << "ab" << QList<uint>{'a', 'b'};
}

void SlotListTest::printableKeyBecomesTyped() {
    QFETCH(QString, keyText);
    QFETCH(QList<uint>, characters);
    SlotList list;
    list.setEntries(shownTexts({"Gold", "Silver"}));
    list.setEdit(caretAtEnd("Go"));
    Signals spy(&list);

    QTest::sendKeyEvent(QTest::Click, &list, Qt::Key_unknown, keyText, Qt::NoModifier);
    QCOMPARE(spy.typed.count(), characters.size());
    for (qsizetype i = 0; i < characters.size(); ++i)
        QCOMPARE(static_cast<uint>(spy.typed.at(i).at(0).value<char32_t>()), characters[i]);
    QCOMPARE(spy.total(), spy.typed.count());
    QCOMPARE(list.currentText(), QString("Go"));  // the presenter decides what the text becomes
    QCOMPARE(list.count(), 2);
}

void SlotListTest::backspaceBecomesBackspaced() {
    SlotList list;
    list.setEntries(shownTexts({"Gold"}));
    list.setEdit({toShownText("Gold"), 1, 3});
    Signals spy(&list);

    QTest::keyClick(&list, Qt::Key_Backspace);
    QCOMPARE(spy.backspaced.count(), 1);
    QCOMPARE(spy.total(), 1);
    QCOMPARE(list.edit(), (ListEdit{toShownText("Gold"), 1, 3}));  // nothing removed yet
}

void SlotListTest::enterAndAltWithALetterDoNothing() {
    SlotList list;
    list.setEntries(shownTexts({"Gold", "Silver"}));
    list.setEdit(caretAtEnd("Sil"));
    Signals spy(&list);

    QTest::keyClick(&list, Qt::Key_Return);
    QTest::keyClick(&list, Qt::Key_Enter);
    QTest::keyClick(&list, Qt::Key_A, Qt::AltModifier);  // an access key is the window's
    QCOMPARE(spy.total(), 0);
    QCOMPARE(list.currentText(), QString("Sil"));
    QCOMPARE(list.count(), 2);  // typed text never becomes an entry
}

void SlotListTest::pickAndArrowKeysBecomePicked() {
    SlotList list;
    list.setEntries(shownTexts({"Gold", "Silver", "Bronze"}));
    list.setEdit(caretAtEnd(""));
    Signals spy(&list);

    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(spy.picked.count(), 3);
    QCOMPARE(spy.picked.at(0).at(0).toInt(), 0);
    QCOMPARE(spy.picked.at(1).at(0).toInt(), 1);
    QCOMPARE(spy.picked.at(2).at(0).toInt(), 0);
    QCOMPARE(list.currentText(), QString("Gold"));

    list.showPopup();
    list.view()->setCurrentIndex(list.model()->index(2, 0));
    QTest::keyClick(list.view(), Qt::Key_Return);  // picks Bronze from the drop-down
    QCOMPARE(spy.picked.count(), 4);
    QCOMPARE(spy.picked.at(3).at(0).toInt(), 2);
    QCOMPARE(list.currentText(), QString("Bronze"));
    QCOMPARE(spy.total(), spy.picked.count());

    // After a completion the arrow keys move on from the completed entry.
    list.setCurrentEntry(1);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(spy.picked.last().at(0).toInt(), 2);
}

void SlotListTest::deletePasteAndCutBecomeEdited() {
    SlotList list;
    list.setEntries(shownTexts({"Gold"}));
    list.setEdit({toShownText("Gold"), 0, 0});
    Signals spy(&list);

    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(list.currentText(), QString("old"));
    QCOMPARE(spy.edited.count(), 1);

    QApplication::clipboard()->setText("B");
    QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(list.currentText(), QString("Bold"));
    QCOMPARE(spy.edited.count(), 2);

    list.lineEdit()->setSelection(1, 2);
    QTest::keyClick(&list, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(list.currentText(), QString("Bd"));
    QCOMPARE(QApplication::clipboard()->text(), QString("ol"));
    QCOMPARE(spy.edited.count(), 3);
    QCOMPARE(spy.total(), 3);
}

void SlotListTest::leavingTheListSignalsNothing() {
    ListInWindow shown;
    QVERIFY(QTest::qWaitForWindowActive(&shown.window));
    shown.list->setEntries(shownTexts({"AK Gold", "AK Night"}));
    Signals spy(shown.list);

    // Moving on to another control neither picks the entry the text begins
    // with nor changes the text's letter case.
    for (const QString& text : {QString("AK Night"), QString("ak gold"), QString("ak g"), QString("")}) {
        shown.list->setEdit(caretAtEnd(text));
        shown.list->setFocus();
        QVERIFY(shown.list->hasFocus());
        shown.other->setFocus();
        QVERIFY(shown.other->hasFocus());
        QCOMPARE(shown.list->currentText(), text);
    }
    QCOMPARE(spy.total(), 0);
}

void SlotListTest::wheelChangesTheListOnlyWhereTheRuleLetsIt() {
    ListInWindow shown;
    QVERIFY(QTest::qWaitForWindowActive(&shown.window));
    SlotList* list = shown.list;
    list->setEntries(shownTexts({"Gold", "Silver"}));
    list->setEdit(caretAtEnd("Gold"));
    list->setCurrentEntry(0);
    list->setFocus();
    Signals spy(list);
    const auto scrollDown = [list] {
        const QPointF inside(5, 5);
        QWheelEvent wheel(inside, list->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &wheel);
    };

    scrollDown();  // no rule: nothing changes
    bool takes = false;
    list->setWheelRule([&takes] { return takes; });
    scrollDown();
    QCOMPARE(list->currentText(), QString("Gold"));
    QCOMPARE(spy.total(), 0);

    takes = true;
    scrollDown();  // taken as a pick
    QCOMPARE(spy.picked.count(), 1);
    QCOMPARE(spy.picked.at(0).at(0).toInt(), 1);
    QCOMPARE(spy.total(), 1);
}

void SlotListTest::whatTheProgramSetsNeverSignals() {
    SlotList list;
    Signals spy(&list);
    list.setEdit(caretAtEnd("Typed"));
    list.setEntries(shownTexts({"Gold", "Silver"}));
    QCOMPARE(list.currentText(), QString("Typed"));  // new entries keep the text
    list.setEdit(caretAtEnd("Silver"));
    list.setCurrentEntry(0);
    QCOMPARE(list.currentText(), QString("Silver"));  // a current entry too
    list.setEdit({toShownText("Silver"), 1, 5});
    list.setEntries({});
    QCOMPARE(list.currentText(), QString("Silver"));  // and removing every entry
    QCOMPARE(list.count(), 0);
    QCOMPARE(spy.total(), 0);
}

void SlotListTest::positionsCountCodePointsOutsideTheBmp() {
    // "a", a character of two UTF-16 units, "bc": code point 2 is unit 3.
    const QString text = QString::fromUtf8(
        "a\xF0\x9F\x8E\xAE"
        "bc");
    const ShownText shown = toShownText(text);
    QCOMPARE(shown.size(), std::size_t{4});
    SlotList list;
    list.setEntries({shown});
    QCOMPARE(list.itemText(0), text);

    list.setEdit({shown, 1, 2});  // the wide character and "b" selected
    QCOMPARE(list.lineEdit()->selectionStart(), 1);
    QCOMPARE(list.lineEdit()->selectedText(), QString::fromUtf8("\xF0\x9F\x8E\xAE"
                                                                "b"));
    QCOMPARE(list.edit(), (ListEdit{shown, 1, 2}));

    list.setEdit({shown, 2, 0});  // caret after the wide character
    QCOMPARE(list.lineEdit()->cursorPosition(), 3);
    QCOMPARE(list.edit(), (ListEdit{shown, 2, 0}));

    list.lineEdit()->setCursorPosition(4);
    QCOMPARE(list.edit(), (ListEdit{shown, 3, 0}));
}

QTEST_MAIN(SlotListTest)
#include "slot_list_test.moc"
