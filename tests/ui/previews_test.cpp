// The change handlers of the sixteen lists: a pick or typing in a list shows
// the chosen set's pictures, a failed load is reported once and leaves the
// pictures as they were.
#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

#include "form_test_support.h"
#include "ui/form1.h"
#include "ui/picture_view.h"
#include "ui/slot_list.h"

using namespace modsetup;
using namespace modsetup::uitest;
using modsetup::ui::SlotList;
using modsetup::ui::TForm1;

namespace {

const QColor kOld = exact(QColor(30, 90, 160));
const QColor kNew = exact(QColor(170, 40, 60));

// Every slot offers Old and New; the selections choose Old everywhere.
void writeLibrary(const Scratch& scratch) {
    writeModIni(scratch, "Preview Mod", "PreviewMod");
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        writeSet(scratch, slot, "Old", kOld);
        writeSet(scratch, slot, "New", kNew);
    }
    writeSelections(scratch, std::vector<std::string>(kSlotCount, "Old"), "0");
}

QColor expectedColour(std::size_t picture, QColor set) { return picture == 0 ? set : exact(set.darker()); }

void expectSlotShows(TForm1& form, std::size_t slot, QColor set) {
    const auto pictures = slotPreviews(slot);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QImage& image = form.image(pictures[i].image)->image();
        QCOMPARE(shownColour(image), expectedColour(i, set));
        QCOMPARE(image.size(), i == 0 ? QSize(20, 10) : QSize(8, 4));
    }
}

std::vector<QImage> allImages(TForm1& form) {
    std::vector<QImage> images;
    for (int n = 1; n <= ui::kImageCount; ++n) images.push_back(form.image(n)->image());
    return images;
}

}  // namespace

class PreviewsTest : public QObject {
    Q_OBJECT

private slots:
    void pickShowsTheSlotsPictures_data();
    void pickShowsTheSlotsPictures();
    void typedTextNamingNoSet();
    void clearedText();
    void missingDetailPicture();
    void teamsShareTheSoldierFolder();
    void eightBitSetName();
};

void PreviewsTest::pickShowsTheSlotsPictures_data() {
    QTest::addColumn<int>("slot");
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        QTest::newRow(kSlots[slot].list.data()) << static_cast<int>(slot);
}

void PreviewsTest::pickShowsTheSlotsPictures() {
    QFETCH(int, slot);
    const auto index = static_cast<std::size_t>(slot);
    Scratch scratch;
    writeLibrary(scratch);
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    expectSlotShows(form, index, kOld);
    std::vector<QImage> others = allImages(form);

    // Typing N completes to New and runs the handler once.
    form.comboBox(index)->lineEdit()->selectAll();
    QTest::keyClick(form.comboBox(index), 'n');
    QCOMPARE(form.comboBox(index)->currentText(), QString("n") + "ew");
    expectSlotShows(form, index, kNew);

    // The other slots' pictures are untouched.
    std::vector<QImage> after = allImages(form);
    for (const auto& picture : slotPreviews(index)) {
        others[static_cast<std::size_t>(picture.image - 1)] = QImage();
        after[static_cast<std::size_t>(picture.image - 1)] = QImage();
    }
    QVERIFY(after == others);

    // A pick from the drop-down brings Old back.
    SlotList* list = form.comboBox(index);
    list->showPopup();
    const int old = list->findText("Old");
    list->view()->setCurrentIndex(list->model()->index(old, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
    expectSlotShows(form, index, kOld);
    QVERIFY(recorder.reports.empty());
}

void PreviewsTest::typedTextNamingNoSet() {
    Scratch scratch;
    writeLibrary(scratch);
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    const std::vector<QImage> before = allImages(form);

    form.comboBox(kPrimary2)->lineEdit()->selectAll();
    QTest::keyClicks(form.comboBox(kPrimary2), "xy");
    QCOMPARE(recorder.reports.size(), 2u);  // one report per keystroke
    const QString folder = QString::fromStdString(scratch.configBase() + "\\2\\");
    QCOMPARE(recorder.reports[0].text, "Cannot open file \"" + folder + "x\\2.bmp\". No such file or directory.");
    QCOMPARE(recorder.reports[1].text, "Cannot open file \"" + folder + "xy\\2.bmp\". No such file or directory.");
    QCOMPARE(recorder.reports[1].caption, QString("Preview Mod"));
    QVERIFY(allImages(form) == before);
}

void PreviewsTest::clearedText() {
    Scratch scratch;
    writeLibrary(scratch);
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    form.comboBox(kSecondary1)->lineEdit()->selectAll();
    QTest::keyClick(form.comboBox(kSecondary1), Qt::Key_Backspace);
    QCOMPARE(form.comboBox(kSecondary1)->currentText(), QString());
    QCOMPARE(recorder.reports.size(), 1u);
    // The empty name leaves two backslashes in a row, which names no file.
    QVERIFY(recorder.reports[0].text.contains("\\socom\\\\10.bmp\""));
    expectSlotShows(form, kSecondary1, kOld);
}

void PreviewsTest::missingDetailPicture() {
    Scratch scratch;
    writeLibrary(scratch);
    const QColor half = exact(QColor(10, 200, 10));
    writeFile(previewFile(setFolder(scratch, kPrimary5, "Half"), "\\5.bmp"), bitmapFile(20, 10, half));
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    form.FormCreate();  // Undo: the new set is offered

    form.comboBox(kPrimary5)->lineEdit()->selectAll();
    QTest::keyClick(form.comboBox(kPrimary5), 'H');
    QCOMPARE(recorder.reports.size(), 1u);
    QVERIFY(recorder.reports[0].text.contains("\\5\\Half\\Weapons-gfx\\spas12-bullet.bmp\""));
    QCOMPARE(shownColour(form.image(5)->image()), half);
    for (int detail : {31, 32, 33}) QCOMPARE(shownColour(form.image(detail)->image()), exact(kOld.darker()));
}

void PreviewsTest::teamsShareTheSoldierFolder() {
    Scratch scratch;
    writeLibrary(scratch);
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    form.comboBox(kTeamAlpha)->lineEdit()->selectAll();
    QTest::keyClick(form.comboBox(kTeamAlpha), 'N');
    QCOMPARE(shownColour(form.image(23)->image()), kNew);
    QCOMPARE(shownColour(form.image(24)->image()), kOld);
    form.comboBox(kTeamBravo)->lineEdit()->selectAll();
    QTest::keyClick(form.comboBox(kTeamBravo), 'N');
    QCOMPARE(form.image(24)->image(), form.image(23)->image());
    QVERIFY(recorder.reports.empty());
}

void PreviewsTest::eightBitSetName() {
    Scratch scratch;
    writeLibrary(scratch);
    const QColor cafe = exact(QColor(120, 60, 0));
    writeSet(scratch, kPrimary8, "Caf\xe9", cafe);  // a Latin-1 folder name
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    form.comboBox(kPrimary8)->lineEdit()->selectAll();
    QTest::keyClick(form.comboBox(kPrimary8), 'C');
    QCOMPARE(form.comboBox(kPrimary8)->currentText(), QString::fromUtf8("Café"));
    QVERIFY(recorder.reports.empty());
    expectSlotShows(form, kPrimary8, cafe);
}

QTEST_MAIN(PreviewsTest)
#include "previews_test.moc"
