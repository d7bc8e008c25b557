// The window's menu as the window carries it out: which commands it offers
// when, restoring the game folder and loading the window again, and saving
// and loading choices through the system's file dialog. What a restore puts
// back is the core's and tested there.
#include <gtest/gtest.h>

#include "presenter_game.h"

namespace modsetup::front {
namespace {

const std::string kRestoreLast = "Restore the files from before the last Apply";
const std::string kRestoreOriginal = "Restore the mod's original files";
const std::string kSaveChoices = "Save choices as\xE2\x80\xA6";
const std::string kLoadChoices = "Load choices\xE2\x80\xA6";
const std::string kShowPlan = "Show what Apply will change";
const std::string kCopy = "Copy choices as text";
const std::string kPaste = "Paste choices";
const std::string kAddFromArchive = "Add sets from an archive\xE2\x80\xA6";

// Every slot offers Alpha (variant 0) and Bravo (variant 1); the selections
// file chooses Alpha everywhere and ticks the box.
void writeGame(PresenterGame& game) {
    game.writeModIni("Menu Mod", "MenuMod");
    game.writeSetsInEverySlot({"Alpha", "Bravo"});
    game.writeSelections(std::vector<std::string>(kSlotCount, "Alpha"), "1");
    game.makeFolder("mods");
}

// The menu opens from a right-click on the background and from the menu
// key, wherever the focus is; restoring is offered once there is something
// to restore.
TEST(WindowMenu, OpensByMouseAndKeyAndOffersRestoreOnceThereIsAPoint) {
    PresenterGame game;
    writeGame(game);
    game.start();
    game.presenter().backgroundRightClicked({120, 40});
    game.presenter().applyPressed();
    EXPECT_TRUE(game.presenter().keyPressed({WindowKey::MenuKey, kLayout.size() - 1, 0}));
    EXPECT_EQ(
        game.view.menusShown,
        (std::vector<std::vector<std::string>>{
            {"(" + kRestoreLast + ")", "(" + kRestoreOriginal + ")", kSaveChoices, kLoadChoices, kShowPlan, kCopy,
             kPaste, kAddFromArchive},
            {kRestoreLast, kRestoreOriginal, kSaveChoices, kLoadChoices, kShowPlan, kCopy, kPaste, kAddFromArchive}}));
    EXPECT_NE(utf8(game.presenter().backgroundTooltip()).find("Shift+F10"), std::string::npos);
    // Opened by a key, on its first entry, for a screen reader to name with the menu's.
    EXPECT_FALSE(game.view.menuOpenings[0].firstEntryCurrent);
    EXPECT_TRUE(game.view.menuOpenings[1].firstEntryCurrent && !game.view.menuOpenings[1].at);
    EXPECT_EQ(utf8(game.view.menuOpenings[1].name), "Menu");
}

// Restoring asks first, naming what it will do; on Yes it brings the window
// back as Undo does, over the restored files, takes the confirmation away,
// and uses "last" up. On No it leaves everything as it was.
TEST(WindowMenu, RestoringAsksFirstThenLoadsTheWindowAgain) {
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        PresenterGame game;
        writeGame(game);
        game.start();
        game.presenter().applyPressed();
        game.view.ticked = false;  // the selections file changes, and weapons.ini goes
        game.presenter().applyPressed();
        const auto applied = game.files();
        ASSERT_TRUE(game.view.confirmationShown);

        game.view.events.clear();
        game.view.questionAnswer = yes;
        game.view.menuChoice = WindowCommand::RestoreLast;
        game.presenter().backgroundRightClicked({0, 0});
        EXPECT_EQ(game.view.questions,
                  std::vector<std::string>{"Menu Mod: Restore 2 files from before the last Apply?"});
        EXPECT_TRUE(game.view.reports.empty());
        EXPECT_EQ(game.view.events,
                  yes ? (std::vector<std::string>{"question", "busy", "idle"}) : std::vector<std::string>{"question"});
        EXPECT_EQ(game.view.ticked, yes);
        EXPECT_EQ(game.view.confirmationShown, !yes);
        EXPECT_EQ(game.files() == applied, !yes);
        game.presenter().backgroundRightClicked({0, 0});
        EXPECT_EQ(game.view.menusShown.back().front(), yes ? "(" + kRestoreLast + ")" : kRestoreLast);
    }
}

// A restore folder holding what the program never writes there (here a file
// where a point's folder belongs) is reported the first time the menu opens
// in a run, naming the folder; the menu opens all the same.
TEST(WindowMenu, ADamagedRestoreFolderIsReportedOnceARun) {
    PresenterGame game;
    writeGame(game);
    game.write("modsetup.restore\\last", "planted");
    game.start();
    game.presenter().backgroundRightClicked({0, 0});
    game.presenter().backgroundRightClicked({0, 0});
    ASSERT_EQ(game.view.reports.size(), 1u);
    EXPECT_EQ(game.view.reports[0].text,
              "The restore folder \"C:\\game\\modsetup.restore\" holds what this program never writes there (a "
              "link, a device, a pipe or a file of another name): a restore point where it stands is not used, and "
              "it is left as it is.");
    EXPECT_EQ(game.view.menusShown.size(), 2u);
}

// Saving writes the choices in the selections file's form, where the user
// says; loading sets the lists and the box from such a file and shows the
// previews, as the load sequence does, writing nothing before Apply.
TEST(WindowMenu, ChoicesAreSavedAndLoadedThroughTheFileDialog) {
    PresenterGame game;
    writeGame(game);
    game.start();
    const std::string selections = game.selections();
    const std::string saved = game.path("saved choices.ini");  // as the dialog gives it
    const std::string bravo =
        "Alpha\r\nBravo\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\n"
        "Alpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\n0\r\n";
    const struct {
        const char* what;
        WindowCommand command;
        std::optional<std::string> answer;  // from the dialog
        std::string file;                   // the file's bytes before; "-": a folder in its place
        std::string report;                 // empty: none
        std::string after;                  // the file's bytes after
        std::string secondText;             // the list of primary slot 2 afterwards
    } rows[] = {
        {"save", WindowCommand::SaveChoices, saved, "", "",
         "Alpha\r\nBravo\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\nAlpha\r\n"
         "Alpha\r\nAlpha\r\nAlpha\r\nAlpha\r\n1\r\n",
         "Bravo"},
        {"save cancelled", WindowCommand::SaveChoices, std::nullopt, "", "", "", "Bravo"},
        {"save onto a folder", WindowCommand::SaveChoices, saved, "-",
         "Your choices could not be saved in \"" + saved + "\".", "", "Bravo"},
        {"load", WindowCommand::LoadChoices, saved, bravo, "", bravo, "Bravo"},
        {"load a file not of choices", WindowCommand::LoadChoices, saved, "one\r\n\x01\r\n",
         "The file \"" + saved +
             "\" does not hold saved choices: line 2 holds a control character, so it is no "
             "text file. The window stays as it was.",
         "one\r\n\x01\r\n", "Bravo"},
        {"load a set that is not there", WindowCommand::LoadChoices, saved, "Alpha\r\nGone\r\n",
         "Cannot open file \"" + game.configBase() + "\\2\\Gone\\2.bmp\". No such file or directory.",
         "Alpha\r\nGone\r\n", "Gone"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        game.pick(kPrimary2, "Bravo");
        game.view.ticked = true;
        game.remove("saved choices.ini");
        if (row.file == "-") game.makeFolder("saved choices.ini");
        else if (!row.file.empty()) game.write("saved choices.ini", row.file);
        game.view.reports.clear();
        game.view.fileAnswer = row.answer;
        game.presenter().runCommand(row.command);

        ASSERT_EQ(game.view.reports.size(), row.report.empty() ? 0u : 1u);
        if (!row.report.empty()) {
            EXPECT_EQ(game.view.reports[0].text, row.report);
        }
        EXPECT_EQ(game.kind("saved choices.ini") == PathKind::Directory ? "-" : game.read("saved choices.ini"),
                  row.file == "-" ? "-" : row.after);
        EXPECT_EQ(game.view.text(kPrimary2), row.secondText);
        EXPECT_EQ(game.selections(), selections) << "nothing is saved before Apply";
    }
    EXPECT_FALSE(game.view.ticked) << "the last file loaded leaves the box unticked";
    EXPECT_EQ(game.view.fileQuestions.front(), "save Save choices as");
    EXPECT_EQ(game.view.fileQuestions.back(), "open Load choices");
}

// The list of what Apply will change: totals first, then what changes in the
// slot picked anew; after Apply it says the mod folder matches.
TEST(WindowMenu, ShowsWhatApplyWillChangeWritingNothing) {
    PresenterGame game;
    writeGame(game);
    game.start();
    game.presenter().applyPressed();
    game.pick(kPrimary2, "Bravo");
    const auto files = game.files();
    game.presenter().runCommand(WindowCommand::ShowApplyPlan);
    EXPECT_EQ(files, game.files());
    game.presenter().applyPressed();
    game.presenter().runCommand(WindowCommand::ShowApplyPlan);
    EXPECT_EQ(game.view.linesShown.at(0).at(0), "What Apply will change");
    EXPECT_EQ(game.view.linesShown.at(0).at(1).substr(0, 26), "Apply will add 0, replace ");
    const auto& lines = game.view.linesShown.at(0);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Primary weapon 2: Bravo"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "    replaced: C:\\game\\modsetup.ini"), lines.end());
    EXPECT_EQ(game.view.linesShown.at(1).at(1), "The mod folder matches the choices: Apply will change no file.");
}

// Copy puts a readable line per list and the exact bytes' code on the
// clipboard; Paste takes the code where it is intact, else the readable
// lines, asks first naming the sets, and fills the lists as loading does.
TEST(WindowMenu, ChoicesTravelAsTextThroughTheClipboard) {
    const std::string code =
        "modsetup-choices-1 QWxwaGENCkJyYXZvDQpBbHBoYQ0KQWxwaGENCkFscGhhDQpBbHBoYQ0KQWxwaGENCkFscGhhDQpBbHBoYQ0KQWxw"
        "aGENCkFscGhhDQpBbHBoYQ0KQWxwaGENCkFscGhhDQpBbHBoYQ0KQWxwaGENCjANCg== be5e3978";
    std::string damaged = code;
    damaged[30] = 'x';
    const std::string latin1Code = "modsetup-choices-1 6XTpDQoNCg0KDQoNCg0KDQoNCg0KDQoNCg0KDQoNCg0KDQoxDQo= 1cc64333";
    const std::string refused = "The clipboard does not hold choices: ";
    const struct {
        const char* what;
        std::string clipboard;  // empty: what Copy put there
        bool answer;
        std::string report;  // its start; empty: none
        std::string second;  // the bytes of primary slot 2's list afterwards
        std::string third;
        bool ticked;
        std::string asked;  // a line of the question
    } rows[] = {
        {"a round trip", "", true, "", "Bravo", "Alpha", false, "Primary weapon 2: Bravo\n"},
        {"cancelled", "", false, "", "Alpha", "Alpha", true, "Use Modified Weapons: no\n"},
        {"a damaged code falls back to the lines",
         "Primary weapon 2: Alpha\nPrimary weapon 3: Bravo\nUse Modified Weapons: yes\n" + damaged, true, "", "Alpha",
         "Bravo", true, ""},
        {"a set this library lacks", "Primary weapon 3: Gone\r\n", true, "Cannot open file", "", "Gone", false,
         "Primary weapon 3: Gone (not in this library)\n"},
        {"the code keeps 8-bit names exact", latin1Code, true, "Cannot open file", "", "", true, ""},
        {"text of no choices", "hello\nworld", true, refused + "it holds no line that names a list", "Alpha", "Alpha",
         true, ""},
        {"a choice a choices file may not hold", "Primary weapon 1: ..", true, refused + "line 1", "Alpha", "Alpha",
         true, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        PresenterGame game;
        writeGame(game);
        game.start();
        const std::string selections = game.selections();
        game.pick(kPrimary2, "Bravo");
        game.view.ticked = false;
        game.presenter().runCommand(WindowCommand::CopyChoices);
        const std::string copied = utf8(game.view.clipboard);
        EXPECT_EQ(copied.substr(0, 48), "Primary weapon 1: Alpha\nPrimary weapon 2: Bravo\n");
        EXPECT_NE(copied.find("\nTeam Bravo: Alpha\nUse Modified Weapons: no\n" + code + "\n"), std::string::npos);
        game.pick(kPrimary2, "Alpha");
        game.view.ticked = true;
        if (!row.clipboard.empty()) game.view.clipboard = shown(row.clipboard);
        game.view.questionAnswer = row.answer;
        game.presenter().runCommand(WindowCommand::PasteChoices);

        ASSERT_EQ(game.view.reports.size(), row.report.empty() ? 0u : 1u);
        if (!row.report.empty()) {
            EXPECT_EQ(game.view.reports[0].text.substr(0, row.report.size()), row.report);
        }
        EXPECT_EQ(game.presenter().listBytes(kPrimary2), row.second);
        EXPECT_EQ(game.presenter().listBytes(kPrimary3), row.third);
        EXPECT_EQ(game.view.ticked, row.ticked);
        if (!row.asked.empty()) {
            EXPECT_NE(game.view.questions.at(0).find(row.asked), std::string::npos);
        }
        if (row.clipboard == latin1Code) {
            EXPECT_EQ(game.presenter().listBytes(kPrimary1), "\xE9t\xE9");
        }
        EXPECT_EQ(game.selections(), selections) << "nothing is saved before Apply";
    }
}

}  // namespace
}  // namespace modsetup::front
