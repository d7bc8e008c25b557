// The editable slot lists: typing completion keystroke by keystroke, when the
// change handler runs and when it must not, and the bytes of 8-bit names.
#include <QApplication>
#include <QClipboard>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "ui/slot_list.h"

using modsetup::ui::SlotList;

namespace {

std::vector<std::string> bytesOf(const QStringList& texts) {
    std::vector<std::string> bytes;
    for (const QString& text : texts) bytes.push_back(text.toStdString());
    return bytes;
}

// The text with its selected part in brackets: "G[old]".
QString state(SlotList& list) {
    QLineEdit* edit = list.lineEdit();
    if (!edit->hasSelectedText()) return edit->text();
    const QString text = edit->text();
    const int start = edit->selectionStart();
    const int length = static_cast<int>(edit->selectedText().size());
    return text.left(start) + "[" + text.mid(start, length) + "]" + text.mid(start + length);
}

void type(SlotList& list, QChar key) {
    if (key == QLatin1Char('\b'))
        QTest::keyClick(&list, Qt::Key_Backspace);
    else if (key.unicode() < 128)
        QTest::keyClick(&list, key.toLatin1());
    else
        QTest::sendKeyEvent(QTest::Click, &list, Qt::Key_unknown, QString(key), Qt::NoModifier);
}

}  // namespace

class SlotListTest : public QObject {
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void programTextRunsNoHandler();
    void picksAndOtherEditsRunTheHandler();
    void leavingTheListChangesNothing();
    void wheelChangesOnlyAFocusedList();
    void rawTextRoundTrip();
};

void SlotListTest::typing_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("start");  // set by the program, caret at its end
    QTest::addColumn<QString>("keys");   // \b is Backspace
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<QList<int>>("handlerRuns");

    const QStringList gold{"Gold", "Silver", "Golden"};
    QTest::newRow("completion runs the handler once per entry")
        << gold << "" << "Golde" << QStringList{"G[old]", "Go[ld]", "Gol[d]", "Gold", "Golde[n]"}
        << QList<int>{1, 1, 1, 1, 2};
    QTest::newRow("letter case ignored, typed case kept")
        << gold << "" << "gOL" << QStringList{"g[old]", "gO[ld]", "gOL[d]"} << QList<int>{1, 1, 1};
    QTest::newRow("first entry in list order")
        << QStringList{"Silver", "Steel", "Stone"} << "" << "Sto"
        << QStringList{"S[ilver]", "St[eel]", "Sto[ne]"} << QList<int>{1, 2, 3};
    QTest::newRow("no match inserts and runs the handler every time")
        << gold << "" << "xy" << QStringList{"x", "xy"} << QList<int>{1, 2};
    QTest::newRow("whole text is the prefix when nothing is selected")
        << gold << "Gol" << "d" << QStringList{"Gold"} << QList<int>{1};
    QTest::newRow("typed after a text the program set, no match")
        << gold << "Gold" << "x" << QStringList{"Goldx"} << QList<int>{1};
    QTest::newRow("backspace removes the selection, then characters")
        << gold << "" << "S\b\b\b" << QStringList{"S[ilver]", "S", "", ""} << QList<int>{1, 2, 3, 4};
    QTest::newRow("a typed character replaces no selection: the whole text is the prefix")
        << gold << "" << "S\bS" << QStringList{"S[ilver]", "S", "SS"} << QList<int>{1, 2, 3};
    QTest::newRow("completing the entry already selected does not run it again")
        << gold << "" << "S\b\bs" << QStringList{"S[ilver]", "S", "", "s[ilver]"} << QList<int>{1, 2, 3, 3};
    QTest::newRow("no entries") << QStringList{} << "" << "ab\b" << QStringList{"a", "ab", "a"} << QList<int>{1, 2, 3};
    QTest::newRow("8-bit entry completes from its shown text")
        << QStringList{QString::fromUtf8("Café Noir")} << "" << QString::fromUtf8("cafÉ")
        << QStringList{QString::fromUtf8("c[afé Noir]"), QString::fromUtf8("ca[fé Noir]"),
                       QString::fromUtf8("caf[é Noir]"), QString::fromUtf8("cafÉ[ Noir]")}
        << QList<int>{1, 1, 1, 1};
}

void SlotListTest::typing() {
    QFETCH(QStringList, entries);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QStringList, states);
    QFETCH(QList<int>, handlerRuns);

    SlotList list;
    list.setEntries(bytesOf(entries));
    list.setRawText(start.toStdString());
    QSignalSpy handler(&list, &SlotList::changedByUser);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        type(list, keys[i]);
        QCOMPARE(state(list), states[i]);
        QCOMPARE(handler.count(), handlerRuns[i]);
    }
    QCOMPARE(list.count(), entries.size());  // typed text never becomes an entry
}

void SlotListTest::programTextRunsNoHandler() {
    SlotList list;
    QSignalSpy handler(&list, &SlotList::changedByUser);
    list.setRawText("Typed");
    list.setEntries({"Gold", "Silver"});
    QCOMPARE(list.currentText(), QString("Typed"));  // adding entries keeps the text
    list.setRawText("");
    list.setRawText("Silver");
    list.clearEntries();
    QCOMPARE(list.currentText(), QString("Silver"));  // removing them too
    QCOMPARE(list.count(), 0);
    QCOMPARE(handler.count(), 0);
}

void SlotListTest::picksAndOtherEditsRunTheHandler() {
    SlotList list;
    list.setEntries({"Gold", "Silver"});
    list.setRawText("");
    QSignalSpy handler(&list, &SlotList::changedByUser);

    QTest::keyClick(&list, Qt::Key_Down);  // picks the next entry
    QCOMPARE(list.currentText(), QString("Gold"));
    QCOMPARE(handler.count(), 1);

    QTest::keyClick(&list, Qt::Key_Return);  // neither picks nor changes
    QCOMPARE(handler.count(), 1);

    list.lineEdit()->setCursorPosition(0);
    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(list.currentText(), QString("old"));
    QCOMPARE(handler.count(), 2);

    QApplication::clipboard()->setText("B");
    list.lineEdit()->setCursorPosition(0);
    QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(list.currentText(), QString("Bold"));
    QCOMPARE(handler.count(), 3);

    const int before = static_cast<int>(handler.count());
    list.showPopup();
    list.view()->setCurrentIndex(list.model()->index(1, 0));
    QTest::keyClick(list.view(), Qt::Key_Return);  // picks Silver from the drop-down
    QCOMPARE(list.currentText(), QString("Silver"));
    QCOMPARE(handler.count(), before + 1);
    QCOMPARE(list.selectedEntry(), 1);
}

void SlotListTest::leavingTheListChangesNothing() {
    QWidget window;
    auto* list = new SlotList(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    list->setEntries({"AK Gold", "AK Night"});
    list->setRawText("");
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    QVERIFY(list->hasFocus());
    QSignalSpy handler(list, &SlotList::changedByUser);

    for (QChar key : QString("ak g")) type(*list, key);
    QCOMPARE(state(*list), QString("ak g[old]"));
    QCOMPARE(handler.count(), 1);
    type(*list, QLatin1Char('\b'));  // the completed rest goes; "ak g" is no entry's text
    QCOMPARE(handler.count(), 2);

    // Moving on to another control neither picks the entry the text begins
    // with nor changes the text's letter case.
    for (const QString& typed : {QString("AK Night"), QString("ak gold"), QString("ak g")}) {
        list->setRawText(typed.toStdString());
        list->setFocus();
        other->setFocus();
        QVERIFY(other->hasFocus());
        QCOMPARE(list->currentText(), typed);
        QCOMPARE(handler.count(), 2);
    }
}

void SlotListTest::wheelChangesOnlyAFocusedList() {
    QWidget window;
    auto* list = new SlotList(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    list->setEntries({"Gold", "Silver"});
    list->setRawText("Gold");
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy handler(list, &SlotList::changedByUser);
    const auto scrollDown = [&] {
        const QPointF inside(5, 5);
        QWheelEvent wheel(inside, list->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &wheel);
    };

    other->setFocus();
    QVERIFY(other->hasFocus());
    scrollDown();  // the window scrolled past the list: nothing changes
    QCOMPARE(list->currentText(), QString("Gold"));
    QCOMPARE(handler.count(), 0);

    list->setFocus();
    scrollDown();  // the focused list takes the wheel as a pick
    QCOMPARE(handler.count(), 1);
    QVERIFY(list->entries().size() == 2 && list->rawText() != "" && list->selectedEntry() >= 0);
}

void SlotListTest::rawTextRoundTrip() {
    SlotList list;
    const std::string latin1Name = "Caf\xe9";
    const std::string utf8Name = "Caf\xc3\xa9";
    list.setEntries({latin1Name, "Gold"});

    list.setRawText(latin1Name);
    QCOMPARE(list.currentText(), QString::fromUtf8("Café"));
    QCOMPARE(list.rawText(), latin1Name);  // shown decoded, given back as it was

    list.setRawText(utf8Name);
    QCOMPARE(list.currentText(), QString::fromUtf8("Café"));
    QCOMPARE(list.rawText(), utf8Name);

    list.setRawText("");
    type(list, QLatin1Char('C'));  // completes to the Latin-1 entry
    QCOMPARE(list.currentText(), QString::fromUtf8("Café"));
    QCOMPARE(list.rawText(), latin1Name);

    list.lineEdit()->end(false);
    type(list, QLatin1Char('x'));  // the user's own text: its UTF-8
    QCOMPARE(list.rawText(), std::string("Caf\xc3\xa9x"));
}

QTEST_MAIN(SlotListTest)
#include "slot_list_test.moc"
