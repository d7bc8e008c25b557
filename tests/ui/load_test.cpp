// The load sequence through the window, at start-up and on Undo: restored
// texts, pictures, entries, the check box, and one report for failed loads.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "demo_library/demo_library.h"
#include "form_test_support.h"
#include "ui/form1.h"
#include "ui/picture_view.h"
#include "ui/slot_list.h"

using namespace modsetup;
using namespace modsetup::uitest;
using modsetup::ui::TForm1;

namespace {

// Each slot folder gets the sets Alpha and Bravo, in colours unique to the
// folder and the set (the two team slots share the folder "gostek").
QColor setColour(std::size_t slot, int set) {
    if (slot == kTeamBravo) slot = kTeamAlpha;
    return exact(QColor::fromHsv(static_cast<int>(slot) * 22, 220, 90 + set * 80));
}

void writeLibrary(const Scratch& scratch) {
    writeModIni(scratch, "Test Mod", "TestMod");
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        writeSet(scratch, slot, "Alpha", setColour(slot, 0));
        writeSet(scratch, slot, "Bravo", setColour(slot, 1));
    }
}

const std::vector<std::string> kAllAlpha(kSlotCount, "Alpha");

bool slotShows(TForm1& form, std::size_t slot, QColor colour) {
    const auto pictures = slotPreviews(slot);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QColor expected = exact(i == 0 ? colour : colour.darker());
        if (shownColour(form.image(pictures[i].image)->image()) != expected) return false;
    }
    return true;
}

bool slotEmpty(TForm1& form, std::size_t slot) {
    for (const auto& picture : slotPreviews(slot))
        if (!form.image(picture.image)->image().isNull()) return false;
    return true;
}

std::vector<std::string> sortedEntries(TForm1& form, std::size_t slot) {
    auto entries = form.comboBox(slot)->entries();
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Picks a set the way a user does: select the text, type its first letter.
void typeOver(TForm1& form, std::size_t slot, char first) {
    form.comboBox(slot)->lineEdit()->selectAll();
    QTest::keyClick(form.comboBox(slot), first);
}

void undo(TForm1& form) { QTest::mouseClick(form.button(2), Qt::LeftButton); }

// Everything the load sequence sets.
struct Snapshot {
    QString title;
    std::vector<std::string> texts;
    std::vector<std::vector<std::string>> entries;
    std::vector<QImage> images;
    bool ticked;
    QSize size;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(TForm1& form) {
    Snapshot shot{form.windowTitle(), {}, {}, {}, form.checkBox1()->isChecked(), form.frameGeometry().size()};
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        shot.texts.push_back(form.comboBox(slot)->rawText());
        shot.entries.push_back(form.comboBox(slot)->entries());
    }
    for (int n = 1; n <= ui::kImageCount; ++n) shot.images.push_back(form.image(n)->image());
    return shot;
}

}  // namespace

class LoadTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartWithoutSelections();
    void demoLibraryOffersItsSets();
    void restoresSavedChoices();
    void staleSetGivesOneReportAndLoadsTheRest();
    void everyFailureInOneReport();
    void notABitmap();
    void undoAfterChanges();
    void undoAfterSelectionsDeleted();
    void setAddedOnDiskAfterUndo();
    void undoTwiceIsUndoOnce();
    void checkBoxLine_data();
    void checkBoxLine();
};

void LoadTest::firstStartWithoutSelections() {
    Scratch scratch;
    writeLibrary(scratch);
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    QVERIFY(recorder.reports.empty());
    QVERIFY(!form.checkBox1()->isChecked());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        QCOMPARE(form.comboBox(slot)->currentText(), QString());
        QVERIFY(slotEmpty(form, slot));
        QCOMPARE(sortedEntries(form, slot), (std::vector<std::string>{"Alpha", "Bravo"}));
    }
}

void LoadTest::demoLibraryOffersItsSets() {
    Scratch scratch;
    QVERIFY(demo::writeDemoLibrary(scratch.library()));
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    QCOMPARE(form.windowTitle(), QString("Demo Mod Setup"));
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        auto expected = demo::demoSetNames(slot);
        std::sort(expected.begin(), expected.end());
        QCOMPARE(sortedEntries(form, slot), expected);
    }
    QVERIFY(recorder.reports.empty());
}

void LoadTest::restoresSavedChoices() {
    Scratch scratch;
    writeLibrary(scratch);
    std::vector<std::string> texts = kAllAlpha;
    texts[kPrimary7] = "Bravo";
    texts[kTeamBravo] = "Bravo";
    writeSelections(scratch, texts, "1");
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    QVERIFY(recorder.reports.empty());
    QVERIFY(form.checkBox1()->isChecked());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        QCOMPARE(form.comboBox(slot)->rawText(), texts[slot]);
        QVERIFY2(slotShows(form, slot, setColour(slot, texts[slot] == "Bravo")), kSlots[slot].list.data());
    }
}

void LoadTest::staleSetGivesOneReportAndLoadsTheRest() {
    Scratch scratch;
    writeLibrary(scratch);
    std::vector<std::string> texts = kAllAlpha;
    texts[kPrimary3] = "Deleted";
    writeSelections(scratch, texts, "0");
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    QCOMPARE(recorder.reports.size(), 1u);
    QCOMPARE(recorder.reports[0].caption, QString("Test Mod"));
    // The reason ends the report in exactly one full stop.
    const QString path = QString::fromStdString(scratch.configBase() + "\\3\\Deleted\\3.bmp");
    QCOMPARE(recorder.reports[0].text, "Cannot open file \"" + path + "\". No such file or directory.");

    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        QCOMPARE(form.comboBox(slot)->rawText(), texts[slot]);
        QCOMPARE(sortedEntries(form, slot), (std::vector<std::string>{"Alpha", "Bravo"}));
        if (slot == kPrimary3)
            QVERIFY(slotEmpty(form, slot));
        else
            QVERIFY2(slotShows(form, slot, setColour(slot, 0)), kSlots[slot].list.data());
    }
}

void LoadTest::everyFailureInOneReport() {
    Scratch scratch;
    writeLibrary(scratch);
    std::vector<std::string> texts = kAllAlpha;
    texts[kPrimary5] = "Gone";
    texts[kSecondary4] = "Lost";
    writeSelections(scratch, texts, "0");
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    QCOMPARE(recorder.reports.size(), 1u);
    const QStringList lines = recorder.reports[0].text.split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].contains("\\5\\Gone\\5.bmp\""));
    QVERIFY(lines[1].contains("\\law\\Lost\\law.bmp\""));
    for (const QString& line : lines) QVERIFY(line.endsWith("directory."));
}

void LoadTest::notABitmap() {
    Scratch scratch;
    writeLibrary(scratch);
    writeFile(previewFile(setFolder(scratch, kSecondary2, "Alpha"), "\\weapons-gfx\\knife.bmp"), "not a bitmap");
    writeSelections(scratch, kAllAlpha, "0");
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    QCOMPARE(recorder.reports.size(), 1u);
    QCOMPARE(recorder.reports[0].text, QString("Bitmap image is not valid."));  // full stop added
    // The weapon picture before the failing detail picture shows the set.
    QCOMPARE(shownColour(form.image(12)->image()), setColour(kSecondary2, 0));
    QVERIFY(form.image(38)->image().isNull());
}

void LoadTest::undoAfterChanges() {
    Scratch scratch;
    writeLibrary(scratch);
    writeSelections(scratch, kAllAlpha, "0");
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    const Snapshot loaded = snapshot(form);

    for (std::size_t slot = 0; slot < kSlotCount; ++slot) typeOver(form, slot, 'B');
    form.checkBox1()->setChecked(true);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        QCOMPARE(form.comboBox(slot)->rawText(), std::string("Bravo"));
        QVERIFY(slotShows(form, slot, setColour(slot, 1)));
    }

    undo(form);
    Snapshot undone = snapshot(form);
    QVERIFY(undone.ticked);  // line 17 "0" never unticks the box
    undone.ticked = loaded.ticked;
    QVERIFY(undone == loaded);
    QVERIFY(recorder.reports.empty());
}

void LoadTest::undoAfterSelectionsDeleted() {
    Scratch scratch;
    writeLibrary(scratch);
    writeSelections(scratch, kAllAlpha, "1");
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    const Snapshot loaded = snapshot(form);

    fs::remove(scratch.selections());
    undo(form);
    const Snapshot undone = snapshot(form);
    QCOMPARE(undone.texts, std::vector<std::string>(kSlotCount));
    QCOMPARE(undone.images, loaded.images);  // nothing is cleared
    QCOMPARE(undone.entries, loaded.entries);
    QVERIFY(undone.ticked);
    QVERIFY(recorder.reports.empty());
}

void LoadTest::setAddedOnDiskAfterUndo() {
    Scratch scratch;
    writeLibrary(scratch);
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());

    writeSet(scratch, kSecondary3, "Charlie", Qt::darkGreen);
    QCOMPARE(sortedEntries(form, kSecondary3), (std::vector<std::string>{"Alpha", "Bravo"}));
    undo(form);
    QCOMPARE(sortedEntries(form, kSecondary3), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
    typeOver(form, kSecondary3, 'c');
    QCOMPARE(form.comboBox(kSecondary3)->currentText(), QString("c") + "harlie");
    QCOMPARE(shownColour(form.image(13)->image()), QColor(Qt::darkGreen));
}

void LoadTest::undoTwiceIsUndoOnce() {
    Scratch scratch;
    writeLibrary(scratch);
    std::vector<std::string> texts = kAllAlpha;
    texts[kPrimary9] = "Missing";
    writeSelections(scratch, texts, "1");
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    typeOver(form, kPrimary1, 'B');

    undo(form);
    const Snapshot once = snapshot(form);
    undo(form);
    QVERIFY(snapshot(form) == once);
    QCOMPARE(recorder.reports.size(), 3u);  // start-up and each Undo report the missing set
    QCOMPARE(recorder.reports[2].text, recorder.reports[1].text);
}

void LoadTest::checkBoxLine_data() {
    QTest::addColumn<QString>("line17");
    QTest::addColumn<bool>("ticks");
    QTest::newRow("1") << "1" << true;
    QTest::newRow("1 and a blank") << "1 " << false;
    QTest::newRow("01") << "01" << false;
    QTest::newRow("a word") << "yes" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("0") << "0" << false;
}

void LoadTest::checkBoxLine() {
    QFETCH(QString, line17);
    QFETCH(bool, ticks);
    Scratch scratch;
    writeSelections(scratch, {}, line17.toStdString());
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    QCOMPARE(form.checkBox1()->isChecked(), ticks);
}

QTEST_MAIN(LoadTest)
#include "load_test.moc"
