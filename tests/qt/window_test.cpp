// The Qt window's own part: the layout table applied to real controls, their
// stacking and drawing, fonts and colours, the outer size fitted to the
// window system's frame, the title as the window system shows it, and one
// keystroke, one pick and one click each reaching the presenter. What the
// presenter decides is tested in tests/front.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <climits>

#include "front/layout.h"
#include "qt/picture_view.h"
#include "qt/slot_list.h"
#include "window_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;
using modsetup::front::ControlKind;
using modsetup::front::kLayout;
using modsetup::qt::MainWindow;

namespace {

int scaled(const MainWindow& window, int designPixels) {
    return front::scaledPixels(designPixels, window.layoutScale());
}

QWidget* control(MainWindow& window, std::string_view name) { return window.findChild<QWidget*>(latin1(name)); }

QString captionOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    return {};
}

QSize computedOuterSize(const MainWindow& window) {
    const front::OuterSize size = front::computedOuterSize(window.layoutScale());
    return {size.width, size.height};
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlAsLaidOut();
    void sampleOfTheLayout();
    void listsButtonsAndGroupAboveThePictures();
    void picturesDrawnWithTheirTransparentColourLaterOverEarlier();
    void fontsAndColours();
    void checkBoxCaptionFitsAWiderFont();
    void outerSizeFitsTheFrameAfterLoadAndUndo();
    void titleShownLiterally_data();
    void titleShownLiterally();
    void typingAPrefixAndAPickReachThePresenter();
    void aPickSelectsTheWholeTextForTheNextLetter();
    void closeClosesTheWindow();
};

void WindowTest::everyControlAsLaidOut() {
    Scratch scratch;
    auto window = scratch.window();

    for (const auto& layout : kLayout) {
        const QString name = latin1(layout.name);
        QWidget* widget = control(*window, layout.name);
        QVERIFY2(widget, qPrintable(name));
        QWidget* parent =
            layout.parent == front::ControlParent::GroupBox1 ? static_cast<QWidget*>(groupBox1(*window)) : window.get();
        QCOMPARE(widget->parentWidget(), parent);
        QCOMPARE(widget->pos(), QPoint(scaled(*window, layout.left), scaled(*window, layout.top)));
        QCOMPARE(captionOf(widget), latin1(layout.caption));
        if (layout.kind == ControlKind::Label) {
            // Sized to the caption in whatever font the system gives.
            const int advance = widget->fontMetrics().horizontalAdvance(captionOf(widget));
            QVERIFY2(widget->width() >= advance && widget->width() <= advance + 2, qPrintable(name));
            QVERIFY2(widget->height() >= widget->fontMetrics().height(), qPrintable(name));
        } else if (layout.kind == ControlKind::CheckBox) {
            // Its caption is never clipped, whatever font the system gives.
            QCOMPARE(widget->width(), std::max(scaled(*window, layout.width), widget->sizeHint().width()));
            QCOMPARE(widget->height(), scaled(*window, layout.height));
        } else {
            QCOMPARE(widget->size(), QSize(scaled(*window, layout.width), scaled(*window, layout.height)));
        }
        QCOMPARE(widget->isHidden(), layout.style.hiddenAtStart);
    }
    QVERIFY(scratch.recorder.reports.empty());
}

void WindowTest::sampleOfTheLayout() {
    Scratch scratch;
    auto window = scratch.window();
    if (window->layoutScale() != 1.0) QSKIP("the sample is written for 96 pixels per inch");

    QCOMPARE(comboBox(*window, kSecondary1)->objectName(), QString("ComboBox11"));
    QCOMPARE(comboBox(*window, kSecondary1)->geometry(), QRect(368, 32, 145, 21));
    QCOMPARE(comboBox(*window, kTeamBravo)->objectName(), QString("ComboBox16"));
    QCOMPARE(window->image(37)->geometry(), QRect(600, 32, 57, 25));
    QCOMPARE(window->image(23)->geometry(), QRect(184, 24, 100, 70));
    QCOMPARE(window->button(4)->text(), QString("&Play"));
    QCOMPARE(window->button(2)->text(), QString("&Undo"));
    QCOMPARE(checkBox1(*window)->text(), QString("Use &Modified Weapons"));
    QVERIFY(!checkBox1(*window)->isChecked());
    QVERIFY(window->label(19)->isHidden());
    QCOMPARE(window->label(19)->text(), QString("Your Settings have been applied."));
    QCOMPARE(window->pos(), QPoint(183, 117));

    QStringList inGroup;
    for (QObject* child : groupBox1(*window)->children())
        if (child->isWidgetType()) inGroup << child->objectName();
    inGroup.sort();
    QCOMPARE(inGroup, (QStringList{"ComboBox15", "ComboBox16", "Image23", "Image24", "Label17", "Label18"}));
    QCOMPARE(groupBox1(*window)->title(), QString("Soldier Graphics:"));
}

void WindowTest::listsButtonsAndGroupAboveThePictures() {
    Scratch scratch;
    auto window = scratch.window();

    // A parent's children are listed from the bottom of the stack to the top.
    for (QWidget* parent : {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(groupBox1(*window))}) {
        int topmostPassive = -1;
        int lowestWindowed = INT_MAX;
        const QObjectList children = parent->children();
        for (int i = 0; i < children.size(); ++i) {
            if (qobject_cast<qt::PictureView*>(children[i]) || qobject_cast<QLabel*>(children[i])) topmostPassive = i;
            else if (children[i]->isWidgetType()) lowestWindowed = std::min(lowestWindowed, i);
        }
        QVERIFY(topmostPassive >= 0);
        QVERIFY(topmostPassive < lowestWindowed);
    }
}

void WindowTest::picturesDrawnWithTheirTransparentColourLaterOverEarlier() {
    Scratch scratch;
    writeSet(scratch, kPrimary1, "Gold", QColor(200, 160, 0));
    writeSelections(scratch, {"Gold"}, "0");
    auto window = scratch.window();
    if (window->layoutScale() != 1.0) QSKIP("the overlap is computed for 96 pixels per inch");

    // Image15 (256,32) and Image16 (272,40) overlap; Image16 was created later.
    QCOMPARE(window->childAt(274, 42), window->image(16));
    // Both copies show the bullet, clipped to their bounds, nothing stretched.
    QCOMPARE(window->image(15)->image().size(), QSize(8, 4));
    QCOMPARE(window->image(16)->image(), window->image(15)->image());

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QImage shot = window->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();  // the grab holds device pixels
    auto at = [&](int x, int y) { return shot.pixelColor(int((x + 0.5) * ratio), int((y + 0.5) * ratio)); };
    const QColor bullet = exact(QColor(200, 160, 0).darker());
    QCOMPARE(at(256 + 5, 32 + 1), bullet);  // Image15's own pixels
    QCOMPARE(at(272 + 5, 40 + 1), bullet);  // Image16 drawn over Image15's bounds
    // The transparent bottom-left pixel and the empty rest of the view show the window.
    QCOMPARE(at(272, 40 + 3), window->palette().color(QPalette::Window));
    QCOMPARE(at(272 + 30, 40 + 20), window->palette().color(QPalette::Window));
}

void WindowTest::fontsAndColours() {
    Scratch scratch;
    auto window = scratch.window();

    QCOMPARE(window->font().family(), QString("MS Sans Serif"));  // asked for; the system may substitute
    QCOMPARE(window->font().pixelSize(), scaled(*window, 11));
    QCOMPARE(window->button(1)->font().pixelSize(), scaled(*window, 11));
    QCOMPARE(window->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));

    QVERIFY(window->label(17)->font().bold());
    QCOMPARE(window->label(17)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(window->label(18)->font().bold());
    QCOMPARE(window->label(18)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(window->label(19)->font().bold());
    QCOMPARE(window->label(19)->font().pixelSize(), scaled(*window, 13));
    QCOMPARE(window->label(19)->palette().color(QPalette::WindowText), window->palette().color(QPalette::WindowText));
    QVERIFY(!window->label(1)->font().bold());
}

void WindowTest::checkBoxCaptionFitsAWiderFont() {
    // Where the design font is missing and only a wide font stands in (a bare
    // system with DejaVu Sans alone), "Use Modified Weapons" must not be clipped.
    const QString design = latin1(front::kFontFamily);
    const QStringList before = QFont::substitutes(design);
    QFont::removeSubstitutions(design);
    QFont::insertSubstitution(design, "DejaVu Sans");
    Scratch scratch;
    auto window = scratch.window();
    QFont::removeSubstitutions(design);
    QFont::insertSubstitutions(design, before);

    auto* box = window->findChild<QCheckBox*>("CheckBox1");
    QVERIFY(box);
    if (QFontInfo(box->font()).family() != "DejaVu Sans") QSKIP("DejaVu Sans is not installed");
    QVERIFY(box->sizeHint().width() > scaled(*window, 137));  // the wide font needs more than the design width
    QCOMPARE(box->width(), box->sizeHint().width());
    QCOMPARE(box->pos(), QPoint(scaled(*window, 24), scaled(*window, 368)));
}

void WindowTest::outerSizeFitsTheFrameAfterLoadAndUndo() {
    Scratch scratch;
    auto window = scratch.window();
    const QSize computed = computedOuterSize(*window);
    QCOMPARE(window->frameGeometry().size(), computed);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->frameGeometry().size(), computed);  // fitted again once the window system framed it
    window->resize(300, 200);
    window->move(250, 140);
    QTest::mouseClick(window->button(2), Qt::LeftButton);  // Undo
    QCOMPARE(window->frameGeometry().size(), computed);
    QCOMPARE(window->pos(), QPoint(250, 140));  // the position stays
    // Controls stay fixed to the top-left whatever the size.
    QCOMPARE(window->button(4)->pos(), QPoint(scaled(*window, 584), scaled(*window, 392)));
}

void WindowTest::titleShownLiterally_data() {
    QTest::addColumn<QByteArray>("line1");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << QByteArray("Desert Warfare") << "Desert Warfare";
    QTest::newRow("Qt's modified-mark") << QByteArray("Mod [*] Setup") << "Mod [*] Setup";
    QTest::newRow("two marks and an ampersand") << QByteArray("[*][*] & co") << "[*][*] & co";
    QTest::newRow("outside the BMP") << QByteArray("Mod \xF0\x9F\x8E\xAE") << QString::fromUtf8("Mod \xF0\x9F\x8E\xAE");
}

void WindowTest::titleShownLiterally() {
    QFETCH(QByteArray, line1);
    QFETCH(QString, title);
    Scratch scratch;
    writeModIni(scratch, line1.toStdString(), "Mod");
    QGuiApplication::setApplicationDisplayName("before");
    auto window = scratch.window();
    window->winId();
    QCOMPARE(window->windowHandle()->title(), title);  // as the window system shows it
    QCOMPARE(QGuiApplication::applicationDisplayName(), title);
}

void WindowTest::typingAPrefixAndAPickReachThePresenter() {
    Scratch scratch;
    const QColor oldColour = exact(QColor(30, 90, 160));
    const QColor newColour = exact(QColor(170, 40, 60));
    writeSet(scratch, kPrimary3, "Old", oldColour);
    writeSet(scratch, kPrimary3, "New", newColour);
    writeSelections(scratch, {"", "", "Old"}, "0");
    auto window = scratch.window();
    qt::SlotList* list = comboBox(*window, kPrimary3);
    QCOMPARE(shownColour(window->image(3)->image()), oldColour);

    list->lineEdit()->selectAll();
    QTest::keyClick(list, 'n');
    QCOMPARE(list->currentText(), QString("new"));
    QCOMPARE(list->lineEdit()->selectedText(), QString("ew"));
    QCOMPARE(shownColour(window->image(3)->image()), newColour);

    list->showPopup();
    list->view()->setCurrentIndex(list->model()->index(list->findText("Old"), 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
    QCOMPARE(list->currentText(), QString("Old"));
    QCOMPARE(shownColour(window->image(3)->image()), oldColour);
    QVERIFY(scratch.recorder.reports.empty());
}

// The letter typed after a pick completes from itself; what it leaves naming
// no set is reported in a box the main window owns.
void WindowTest::aPickSelectsTheWholeTextForTheNextLetter() {
    Scratch scratch;
    for (const char* set : {"Gold", "Silver"}) writeSet(scratch, kPrimary1, set, QColor(30, 90, 160));
    auto window = scratch.window();
    qt::SlotList* list = comboBox(*window, kPrimary1);
    list->showPopup();
    list->view()->setCurrentIndex(list->model()->index(list->findText("Gold"), 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
    QTest::keyClick(list, 's');
    QCOMPARE(list->lineEdit()->selectedText(), QString("ilver"));
    QTest::keyClick(list, 'x');
    QCOMPARE(list->currentText(), QString("sx"));
    QCOMPARE(scratch.recorder.reports.at(0).owner, window.get());
}

void WindowTest::closeClosesTheWindow() {
    Scratch scratch;
    auto window = scratch.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(window->button(3), Qt::LeftButton);
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
