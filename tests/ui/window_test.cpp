// The main window: every control where the layout puts it, drawing order,
// fonts and colours, the window's computed size, and its titles.
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "ui/form1.h"
#include "ui/layout.h"
#include "ui/picture_view.h"
#include "ui/slot_list.h"
#include "form_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;
using modsetup::ui::ControlKind;
using modsetup::ui::kLayout;
using modsetup::ui::TForm1;

namespace {

QWidget* control(TForm1& form, std::string_view name) {
    return form.findChild<QWidget*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

QString captionOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    return {};
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlAsLaidOut();
    void sampleOfTheLayout();
    void listsButtonsAndGroupAboveItsPictures();
    void laterPictureDrawnOverEarlier();
    void fontsAndColours();
    void checkBoxCaptionFitsAWiderFont();
    void sizeAfterLoadAndUndo();
    void titles_data();
    void titles();
    void closeWritesNothing();
};

void WindowTest::everyControlAsLaidOut() {
    Scratch scratch;
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    for (const auto& layout : kLayout) {
        const QString name = QString::fromLatin1(layout.name.data(), static_cast<qsizetype>(layout.name.size()));
        QWidget* widget = control(form, layout.name);
        QVERIFY2(widget, qPrintable(name));
        QWidget* parent = layout.parent == ui::ControlParent::GroupBox1 ? static_cast<QWidget*>(form.groupBox1()) : &form;
        QCOMPARE(widget->parentWidget(), parent);
        QCOMPARE(widget->pos(), QPoint(form.scaled(layout.left), form.scaled(layout.top)));
        QCOMPARE(captionOf(widget), QString::fromLatin1(layout.caption.data(), static_cast<qsizetype>(layout.caption.size())));
        if (layout.kind == ControlKind::Label) {
            // Sized to the caption in whatever font the system gives.
            const int advance = widget->fontMetrics().horizontalAdvance(captionOf(widget));
            QVERIFY2(widget->width() >= advance && widget->width() <= advance + 2, qPrintable(name));
            QVERIFY2(widget->height() >= widget->fontMetrics().height(), qPrintable(name));
        } else if (layout.kind == ControlKind::CheckBox) {
            // Its caption is never clipped, whatever font the system gives.
            QCOMPARE(widget->width(), std::max(form.scaled(layout.width), widget->sizeHint().width()));
            QCOMPARE(widget->height(), form.scaled(layout.height));
        } else {
            QCOMPARE(widget->size(), QSize(form.scaled(layout.width), form.scaled(layout.height)));
        }
    }
    QVERIFY(recorder.reports.empty());
}

void WindowTest::checkBoxCaptionFitsAWiderFont() {
    // Where the design font is missing and only a wide font stands in (a bare
    // system with DejaVu Sans alone), "Use Modified Weapons" must not be clipped.
    const QString design = QString::fromLatin1(ui::kFontFamily.data(), static_cast<qsizetype>(ui::kFontFamily.size()));
    const QStringList before = QFont::substitutes(design);
    QFont::removeSubstitutions(design);
    QFont::insertSubstitution(design, "DejaVu Sans");
    Scratch scratch;
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    QFont::removeSubstitutions(design);
    QFont::insertSubstitutions(design, before);

    auto* box = form.findChild<QCheckBox*>("CheckBox1");
    QVERIFY(box);
    if (QFontInfo(box->font()).family() != "DejaVu Sans") QSKIP("DejaVu Sans is not installed");
    QVERIFY(box->sizeHint().width() > form.scaled(137));  // the wide font needs more than the design width
    QCOMPARE(box->width(), box->sizeHint().width());
    QCOMPARE(box->pos(), QPoint(form.scaled(24), form.scaled(368)));
}

void WindowTest::sampleOfTheLayout() {
    Scratch scratch;
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    if (form.layoutScale() != 1.0) QSKIP("the sample is written for 96 pixels per inch");

    QCOMPARE(form.comboBox(kSecondary1)->objectName(), QString("ComboBox11"));
    QCOMPARE(form.comboBox(kSecondary1)->geometry(), QRect(368, 32, 145, 21));
    QCOMPARE(form.image(37)->geometry(), QRect(600, 32, 57, 25));
    QCOMPARE(form.image(23)->geometry(), QRect(184, 24, 100, 70));
    QCOMPARE(form.button(4)->text(), QString("Play"));
    QCOMPARE(form.button(2)->text(), QString("Undo"));
    QCOMPARE(form.checkBox1()->text(), QString("Use Modified Weapons"));
    QVERIFY(!form.checkBox1()->isChecked());
    QVERIFY(form.label(19)->isHidden());
    QCOMPARE(form.label(19)->text(), QString("Your Settings have been applied."));
    QCOMPARE(form.pos(), QPoint(183, 117));

    QStringList inGroup;
    for (QObject* child : form.groupBox1()->children())
        if (child->isWidgetType()) inGroup << child->objectName();
    inGroup.sort();
    QCOMPARE(inGroup, (QStringList{"ComboBox15", "ComboBox16", "Image23", "Image24", "Label17", "Label18"}));
    QCOMPARE(form.groupBox1()->title(), QString("Soldier Graphics:"));
}

void WindowTest::listsButtonsAndGroupAboveItsPictures() {
    Scratch scratch;
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    // A parent's children are listed from the bottom of the stack to the top.
    for (QWidget* parent : {static_cast<QWidget*>(&form), static_cast<QWidget*>(form.groupBox1())}) {
        int topmostPassive = -1;
        int lowestWindowed = INT_MAX;
        const QObjectList children = parent->children();
        for (int i = 0; i < children.size(); ++i) {
            if (qobject_cast<ui::PictureView*>(children[i]) || qobject_cast<QLabel*>(children[i]))
                topmostPassive = i;
            else if (children[i]->isWidgetType())
                lowestWindowed = std::min(lowestWindowed, i);
        }
        QVERIFY(topmostPassive >= 0);
        QVERIFY(topmostPassive < lowestWindowed);
    }
}

void WindowTest::laterPictureDrawnOverEarlier() {
    Scratch scratch;
    writeSet(scratch, kPrimary1, "Gold", QColor(200, 160, 0));
    writeSelections(scratch, {"Gold"}, "0");
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    if (form.layoutScale() != 1.0) QSKIP("the overlap is computed for 96 pixels per inch");

    // Image15 (256,32) and Image16 (272,40) overlap; Image16 was created later.
    QCOMPARE(form.childAt(274, 42), form.image(16));
    // Both copies show the bullet, clipped to their bounds, nothing stretched.
    QCOMPARE(form.image(15)->image().size(), QSize(8, 4));
    QCOMPARE(form.image(16)->image(), form.image(15)->image());

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage shot = form.grab().toImage();
    const qreal ratio = shot.devicePixelRatio();  // the grab holds device pixels
    auto at = [&](int x, int y) { return shot.pixelColor(int((x + 0.5) * ratio), int((y + 0.5) * ratio)); };
    const QColor bullet = exact(QColor(200, 160, 0).darker());
    QCOMPARE(at(256 + 5, 32 + 1), bullet);  // Image15's own pixels
    QCOMPARE(at(272 + 5, 40 + 1), bullet);  // Image16 drawn over Image15's bounds
    // Transparent bottom-left pixel and the empty rest of the picture show the window.
    QCOMPARE(at(272, 40 + 3), form.palette().color(QPalette::Window));
    QCOMPARE(at(272 + 30, 40 + 20), form.palette().color(QPalette::Window));
}

void WindowTest::fontsAndColours() {
    Scratch scratch;
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    QCOMPARE(form.font().family(), QString("MS Sans Serif"));  // asked for; the system may substitute
    QCOMPARE(form.font().pixelSize(), form.scaled(11));
    QCOMPARE(form.button(1)->font().pixelSize(), form.scaled(11));
    QCOMPARE(form.palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));

    QVERIFY(form.label(17)->font().bold());
    QCOMPARE(form.label(17)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(form.label(18)->font().bold());
    QCOMPARE(form.label(18)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(form.label(19)->font().bold());
    QCOMPARE(form.label(19)->font().pixelSize(), form.scaled(13));
    QCOMPARE(form.label(19)->palette().color(QPalette::WindowText), form.palette().color(QPalette::WindowText));
    QVERIFY(!form.label(1)->font().bold());
}

void WindowTest::sizeAfterLoadAndUndo() {
    Scratch scratch;
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    const QSize computed(form.scaled(600) + 100, form.scaled(392) + 70);
    QCOMPARE(form.computedOuterSize(), computed);
    QCOMPARE(form.frameGeometry().size(), computed);
    if (form.layoutScale() == 1.0) QCOMPARE(computed, QSize(700, 462));

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(300, 200);
    form.move(250, 140);
    QTest::mouseClick(form.button(2), Qt::LeftButton);  // Undo
    QCOMPARE(form.frameGeometry().size(), computed);
    QCOMPARE(form.pos(), QPoint(250, 140));  // the position stays
    // Controls stay fixed to the top-left whatever the size.
    QCOMPARE(form.button(4)->pos(), QPoint(form.scaled(584), form.scaled(392)));
}

void WindowTest::titles_data() {
    QTest::addColumn<QByteArray>("modIni");  // null: no mod.ini
    QTest::addColumn<QString>("title");
    QTest::newRow("title from line 1") << QByteArray("Desert Warfare\r\nDesert\r\n") << "Desert Warfare";
    QTest::newRow("blanks kept") << QByteArray(" Spaced \nx\n") << " Spaced ";
    QTest::newRow("empty mod.ini") << QByteArray("") << "";
    QTest::newRow("no mod.ini") << QByteArray() << "";
    QTest::newRow("8-bit title") << QByteArray("Caf\xe9 Mod\r\n") << QString::fromUtf8("Café Mod");
    QTest::newRow("brackets shown as they are") << QByteArray("Mod [*] Setup\r\n") << "Mod [*] Setup";
    QTest::newRow("UTF-8 title") << QByteArray("Caf\xc3\xa9 Mod\r\n") << QString::fromUtf8("Café Mod");
}

void WindowTest::titles() {
    QFETCH(QByteArray, modIni);
    QFETCH(QString, title);
    Scratch scratch;
    if (!modIni.isNull()) writeFile(scratch.library() / "mod.ini", modIni.toStdString());
    ScratchHost host(scratch);
    ReportRecorder recorder;
    QGuiApplication::setApplicationDisplayName("before");
    TForm1 form(host, recorder.report());
    form.winId();
    QCOMPARE(form.windowHandle()->title(), title);  // as the window system shows it
    QCOMPARE(QGuiApplication::applicationDisplayName(), title);

    // Undo follows an edited mod.ini.
    writeFile(scratch.library() / "mod.ini", "Edited\r\nEdited\r\n");
    form.FormCreate();
    QCOMPARE(form.windowHandle()->title(), QString("Edited"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString("Edited"));
}

void WindowTest::closeWritesNothing() {
    Scratch scratch;
    writeModIni(scratch, "Title", "Name");
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const auto before = std::distance(fs::recursive_directory_iterator(scratch.root()), {});
    QTest::mouseClick(form.button(3), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(std::distance(fs::recursive_directory_iterator(scratch.root()), {}), before);
    QVERIFY(!fs::exists(scratch.selections()));
    QVERIFY(recorder.reports.empty());
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
