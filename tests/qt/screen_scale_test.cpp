// The window moved to a screen of another scale lays itself out again there:
// two screens side by side on Qt's offscreen platform, at 96 and at 144
// pixels per inch, with Qt's own scaling off so that the window's scale
// follows the screen's.
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "window_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;

class ScreenScaleTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowFollowsItsScreensScale();
};

void ScreenScaleTest::theWindowFollowsItsScreensScale() {
    Scratch scratch;
    auto window = scratch.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->layoutScale(), 1.0);
    QCOMPARE(window->button(4)->geometry(), QRect(584, 392, 75, 25));

    window->move(2000, 100);  // onto the second screen
    QTRY_COMPARE(window->layoutScale(), 1.5);
    QCOMPARE(window->button(4)->geometry(), QRect(876, 588, 113, 38));
    QCOMPARE(comboBox(*window, kTeamBravo)->geometry(), QRect(24, 180, 218, 32));  // in the group box
    QCOMPARE(window->font().pixelSize(), 17);
    QTRY_COMPARE(window->frameGeometry().size(), QSize(1050, 693));

    window->move(100, 100);  // and back
    QTRY_COMPARE(window->layoutScale(), 1.0);
    QCOMPARE(window->button(4)->geometry(), QRect(584, 392, 75, 25));
}

int main(int argc, char** argv) {
    const std::filesystem::path screens = std::filesystem::temp_directory_path() / "modsetup-two-screens.json";
    std::ofstream(screens) << R"({"synchronousWindowSystemEvents": true, "windowFrameMargins": false, "screens": [
        {"name": "plain", "x": 0, "y": 0, "width": 1600, "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96},
        {"name": "large", "x": 1600, "y": 0, "width": 1600, "height": 1200, "logicalDpi": 144, "logicalBaseDpi": 96}
    ]})";
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens.string()).c_str());
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    ScreenScaleTest test;
    const int failed = QTest::qExec(&test, argc, argv);
    std::filesystem::remove(screens);
    return failed;
}

#include "screen_scale_test.moc"
