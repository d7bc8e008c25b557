// The Qt window's keys as glue: each key reaches the presenter from the
// control that has it and what the presenter asks is done (a click, a
// tooltip); an access key never types into a list; the access keys'
// underline shows only while Alt is held; the window opens on the screen.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include "qt/slot_list.h"
#include "wave_builder.h"
#include "window_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void keysReachThePresenterFromTheFocusedControl();
    void accessKeysAreUnderlinedOnlyWhileAltIsHeld();
    void theWindowOpensInsideTheScreen();
};

void KeyboardTest::keysReachThePresenterFromTheFocusedControl() {
    Scratch scratch;
    writeSet(scratch, kPrimary1, "Gold", QColor(200, 160, 0));
    writeFile(scratch.library() / "1/Gold/sfx/deserteagle-fire.wav", testing::pcmWave("shot"));
    writeSelections(scratch, {"Gold"}, "0");
    auto window = scratch.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    qt::SlotList* list = comboBox(*window, kPrimary1);

    // Alt with a letter: Use Modified Weapons is ticked, nothing typed.
    QTest::keyClick(list, Qt::Key_M, Qt::AltModifier);
    QVERIFY(checkBox1(*window)->isChecked());
    QTest::keyClick(list, Qt::Key_Q, Qt::AltModifier);  // marks no control
    QCOMPARE(list->currentText(), QString("Gold"));

    // Return on a focused button presses it: Undo reads the choices again.
    window->setListEdit(kPrimary1, front::editWithCaretAtEnd(front::fixedText("Other")));
    QTest::keyClick(window->button(2), Qt::Key_Return);
    QCOMPARE(list->currentText(), QString("Gold"));

    QTest::keyClick(list, Qt::Key_F5);
    QCOMPARE(scratch.audio.played.size(), std::size_t{1});

    QTest::keyClick(list, Qt::Key_F1, Qt::ControlModifier);
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().contains("Press Ctrl+F1 in the list"), qPrintable(QToolTip::text()));
    QVERIFY(scratch.recorder.reports.empty());
}

void KeyboardTest::accessKeysAreUnderlinedOnlyWhileAltIsHeld() {
    Scratch scratch;
    auto window = scratch.window();
    QPushButton* apply = window->button(1);
    const auto underlined = [&] { return apply->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, apply); };
    QCOMPARE(underlined(), 0);
    QTest::keyPress(comboBox(*window, kPrimary3), Qt::Key_Alt, Qt::AltModifier);
    QCOMPARE(underlined(), 1);
    QCOMPARE(checkBox1(*window)->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, checkBox1(*window)), 1);
    QTest::keyRelease(comboBox(*window, kPrimary3), Qt::Key_Alt);
    QCOMPARE(underlined(), 0);
}

void KeyboardTest::theWindowOpensInsideTheScreen() {
    Scratch scratch;
    auto window = scratch.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QRect available = window->screen()->availableGeometry();
    if (available.contains(QRect(front::kWindowLeft, front::kWindowTop, 700, 462)))
        QSKIP("the screen holds the window at its designed place");
    QVERIFY2(available.contains(window->frameGeometry()), "moved onto the screen");
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
