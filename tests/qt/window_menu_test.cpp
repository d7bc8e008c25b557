// The Qt window's menu as glue: a right-click on the background and the menu
// key in a list open it with the presenter's entries, available or not; the
// background's tooltip tells of it. The question a restore asks first takes
// Return for Yes, and Escape or its close box for No.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "qt/slot_list.h"
#include "window_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;

class WindowMenuTest : public QObject {
    Q_OBJECT

private slots:
    void theMenuOpensByMouseAndByKeyWithThePresentersEntries();
    void theQuestionBoxAnswersYesOnlyByReturn_data();
    void theQuestionBoxAnswersYesOnlyByReturn();
    void theClipboardTakesAndGivesTextWhole();
};

// Copy and Paste go through the system's clipboard, every character kept,
// a name's beyond Latin-1 too.
void WindowMenuTest::theClipboardTakesAndGivesTextWhole() {
    Scratch scratch;
    auto window = scratch.window();
    const front::ShownText text = U"Primary weapon 1: D\u00e9sert \u0416\nmodsetup-choices-1 QQ== 12345678\n";
    window->setClipboardText(text);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdU32String(text));
    QGuiApplication::clipboard()->setText("Team Bravo: Blue");
    QVERIFY(window->clipboardText() == U"Team Bravo: Blue");
}

void WindowMenuTest::theMenuOpensByMouseAndByKeyWithThePresentersEntries() {
    Scratch scratch;
    writeSet(scratch, kPrimary1, "Gold", QColor(200, 160, 0));
    auto window = scratch.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QStringList expected{"(Restore the files from before the last Apply)",
                               "(Restore the mod's original files)",
                               QString::fromUtf8("Save choices as\u2026"),
                               QString::fromUtf8("Load choices\u2026"),
                               "Show what Apply will change",
                               "Copy choices as text",
                               "Paste choices",
                               QString::fromUtf8("Add sets from an archive\u2026")};

    auto shown = std::make_shared<QStringList>();
    const auto watch = [&shown] {
        QTimer::singleShot(0, [shown] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) return;
            shown->clear();
            for (const QAction* action : menu->actions())
                shown->append(action->isEnabled() ? action->text() : "(" + action->text() + ")");
            menu->close();
        });
    };

    watch();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), window->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window.get(), &click);
    QCOMPARE(*shown, expected);

    shown->clear();
    watch();
    QTest::keyClick(comboBox(*window, kPrimary1), Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(*shown, expected);

    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), window->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window.get(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().contains("Shift+F10"), qPrintable(QToolTip::text()));
}

void WindowMenuTest::theQuestionBoxAnswersYesOnlyByReturn_data() {
    QTest::addColumn<int>("key");  // 0: the close box instead
    QTest::addColumn<bool>("yes");
    QTest::newRow("Return, the default button") << int(Qt::Key_Return) << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("the close box") << 0 << false;
}

void WindowMenuTest::theQuestionBoxAnswersYesOnlyByReturn() {
    QFETCH(int, key);
    QFETCH(bool, yes);
    Scratch scratch;
    auto window = scratch.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QString title;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        title = box->windowTitle() + ": " + box->text();
        if (key != 0) QTest::keyClick(box, Qt::Key(key));
        else box->close();
    });
    QCOMPARE(window->askYesNo(front::fixedText("Menu Mod"), front::fixedText("Restore 2 files?")), yes);
    QCOMPARE(title, QString("Menu Mod: Restore 2 files?"));
}

QTEST_MAIN(WindowMenuTest)
#include "window_menu_test.moc"
