// Apply and Play through the window, run in a scratch game folder with the
// demo set library beside the program.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "demo_library/demo_library.h"
#include "form_test_support.h"
#include "ui/form1.h"

using namespace modsetup;
using namespace modsetup::uitest;
using modsetup::ui::TForm1;

namespace {

// The demo library with its first set chosen in every slot.
std::vector<std::string> writeGame(const Scratch& scratch, const demo::DemoOptions& options = {}) {
    demo::writeDemoLibrary(scratch.library(), options);
    std::vector<std::string> chosen;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) chosen.push_back(demo::demoSetNames(slot, options).front());
    writeSelections(scratch, chosen, "0");
    return chosen;
}

std::string selectionsText(const std::vector<std::string>& texts, std::string_view box) {
    std::string text;
    for (const auto& line : texts) text += line + "\r\n";
    return text + std::string(box) + "\r\n";
}

void click(TForm1& form, int button) { QTest::mouseClick(form.button(button), Qt::LeftButton); }

}  // namespace

class ActionsTest : public QObject {
    Q_OBJECT

private slots:
    void applyShowsConfirmation();
    void applyWithoutModsFolder();
    void play();
    void playWithUnsafeModName_data();
    void playWithUnsafeModName();
};

void ActionsTest::applyShowsConfirmation() {
    Scratch scratch;
    const auto chosen = writeGame(scratch);
    fs::create_directory(scratch.root() / "mods");
    WorkingDirectory game(scratch.root());
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    QVERIFY(form.label(19)->isHidden());

    form.checkBox1()->setChecked(true);
    click(form, 1);
    QVERIFY(recorder.reports.empty());
    QVERIFY(!form.label(19)->isHidden());
    const fs::path mod = scratch.root() / "mods" / "DemoMod";
    QVERIFY(fs::is_regular_file(mod / "weapons.ini"));
    QVERIFY(fs::is_regular_file(mod / "txt" / "weaponnames.txt"));
    QCOMPARE(readFile(scratch.selections()), selectionsText(chosen, "1"));

    click(form, 2);  // Undo keeps the confirmation
    QVERIFY(!form.label(19)->isHidden());
    QVERIFY(form.checkBox1()->isChecked());

    form.checkBox1()->setChecked(false);
    click(form, 1);  // unticked: weapons.ini goes, the names file stays
    QVERIFY(recorder.reports.empty());
    QVERIFY(!fs::exists(mod / "weapons.ini"));
    QVERIFY(fs::is_regular_file(mod / "txt" / "weaponnames.txt"));
    QVERIFY(!form.label(19)->isHidden());
    QCOMPARE(readFile(scratch.selections()), selectionsText(chosen, "0"));
}

void ActionsTest::applyWithoutModsFolder() {
    Scratch scratch;
    const auto chosen = writeGame(scratch);
    fs::create_directory(scratch.root() / "mods");
    WorkingDirectory game(scratch.root());
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    click(form, 1);
    QVERIFY(!form.label(19)->isHidden());

    // Started from somewhere else than the game's folder: nothing can be installed.
    fs::remove_all(scratch.root() / "mods");
    click(form, 1);
    QVERIFY(form.label(19)->isHidden());
    QCOMPARE(recorder.reports.size(), 1u);
    QCOMPARE(recorder.reports[0].caption, QString("Demo Mod Setup"));
    QVERIFY(recorder.reports[0].text.contains("no \"mods\" folder"));
    QVERIFY(recorder.reports[0].text.endsWith('.'));
    QVERIFY(!fs::exists(scratch.root() / "mods"));
    QCOMPARE(readFile(scratch.selections()), selectionsText(chosen, "0"));  // the choice is still saved
}

void ActionsTest::play() {
    Scratch scratch;
    demo::DemoOptions options;
    options.modName = "Desert";
    writeGame(scratch, options);
    WorkingDirectory game(scratch.root());
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const auto mainWindow = static_cast<WindowHandle>(form.winId());
    click(form, 4);
    QCOMPARE(readFile(scratch.root() / "Desert.bat"), std::string("tarvok.exe -mod Desert\r\nexit\r\n"));
    QCOMPARE(host.shellOpens, std::vector<std::string>{"Desert.bat"});
    QCOMPARE(host.shellOwners, std::vector<WindowHandle>{mainWindow});
    QVERIFY(!form.isVisible());
    QVERIFY(recorder.reports.empty());
}

void ActionsTest::playWithUnsafeModName_data() {
    QTest::addColumn<QString>("modName");
    QTest::newRow("empty") << "";
    QTest::newRow("parent folder") << "..";
    QTest::newRow("path out of the game") << "..\\..\\Windows";
    QTest::newRow("second command") << "x & del *.*";
}

void ActionsTest::playWithUnsafeModName() {
    QFETCH(QString, modName);
    Scratch scratch;
    writeModIni(scratch, "Unsafe", modName.toStdString());
    WorkingDirectory game(scratch.root());
    ScratchHost host(scratch);
    ReportRecorder recorder;
    TForm1 form(host, recorder.report());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    click(form, 4);
    QVERIFY(form.isVisible());
    QVERIFY(host.shellOpens.empty());
    QCOMPARE(recorder.reports.size(), 1u);
    QCOMPARE(recorder.reports[0].caption, QString("Unsafe"));
    QVERIFY(recorder.reports[0].text.contains(QString::fromStdString(scratch.configBase() + "\\mod.ini")));
    for (const auto& entry : fs::directory_iterator(scratch.root()))
        QVERIFY2(entry.path().extension() != ".bat", entry.path().c_str());
}

QTEST_MAIN(ActionsTest)
#include "actions_test.moc"
