// The main window destroyed while shown, with the focus in a slot list: as
// the window goes, the list loses the focus, and a list whose text names one
// of its entries would signal a change. No handler may run then: the
// window's own members are already gone.
#include <QApplication>
#include <QTest>

#include <filesystem>
#include <memory>

#include "qt/slot_list.h"
#include "window_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;

class TeardownTest : public QObject {
    Q_OBJECT

private slots:
    void noHandlerRunsWhileTheWindowIsDestroyed();
};

void TeardownTest::noHandlerRunsWhileTheWindowIsDestroyed() {
    Scratch scratch;
    writeModIni(scratch, "Teardown", "Teardown");
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) writeSet(scratch, slot, "Gold", QColor(Qt::darkYellow));
    writeSelections(scratch, {"Gold", "Gold"}, "0");

    auto window = scratch.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    comboBox(*window, kPrimary2)->setFocus();
    QApplication::processEvents();
    QCOMPARE(scratch.recorder.reports.size(), std::size_t{0});

    // A handler run from now on would fail to load the set and report it.
    std::filesystem::remove_all(scratch.library() / "2");
    window.reset();
    QApplication::processEvents();
    QCOMPARE(scratch.recorder.reports.size(), std::size_t{0});
}

QTEST_MAIN(TeardownTest)
#include "teardown_test.moc"
