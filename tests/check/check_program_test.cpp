// The program modsetup-check as its user meets it: which library a command
// line names, the exit statuses, the report's text and the progress line.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "check/check_program.h"
#include "check/messages.h"
#include "check/report.h"
#include "check_library.h"
#include "core/game/slots.h"
#include "test_support.h"

namespace modsetup::check {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int status;
    std::string out;
    std::string err;
};

class CheckProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        game_ = new testing::ScratchDir();
        testing::writeCheckLibrary(game_->path());
    }
    static void TearDownTestSuite() {
        delete game_;
        game_ = nullptr;
    }

    ProgramRun run(const std::vector<std::string>& arguments, bool terminal = false) {
        std::ostringstream out, err;
        const int status = runCheckProgram(*host, arguments, out, err, terminal);
        return {status, out.str(), err.str()};
    }

    static const testing::ScratchDir& game() { return *game_; }
    std::unique_ptr<Host> host = makeSystemHost();

private:
    static testing::ScratchDir* game_;
};

testing::ScratchDir* CheckProgram::game_ = nullptr;

TEST_F(CheckProgram, FindsTheLibraryAsTheProgramDoesOrRefusesWithExitStatusTwo) {
    const std::string library = game().programPath("modsetup");
    const testing::ScratchDir elsewhere;
    testing::writeFile(elsewhere / "lonely.exe", "a program file beside a folder that is no library");
    testing::writeFile(elsewhere / "alone.exe", "a program file without a library");
    fs::create_directories(elsewhere / "lonely/not a slot folder");
    testing::writeCheckLibrary(elsewhere / "warned");
    fs::remove(elsewhere / "warned/modsetup/2/Gold/sfx/mp5-fire.wav");
    const std::string warned = elsewhere.programPath("warned/modsetup");

    struct Row {
        const char* what;
        std::vector<std::string> arguments;
        const fs::path* workingDirectory;
        int status;
        std::string output;  // the start of what the program prints, to out or to err
    };
    const fs::path& inGame = game().path();
    const fs::path& inElsewhere = elsewhere.path();
    const std::string heading =
        "Checking the set library \"" + library + "\"\n  and the selections file \"" + library + ".ini\"\n";
    const std::vector<Row> rows{
        {"the program file", {game().programPath("modsetup.exe")}, &inGame, kExitNoErrors, heading},
        {"the library folder", {library}, &inGame, kExitNoErrors, heading},
        {"the library folder with a separator at its end", {library + "/"}, &inGame, kExitNoErrors, heading},
        {"no path, in the game folder", {"--quiet"}, &inGame, kExitNoErrors, "30 sets and "},
        {"no path, elsewhere",
         {},
         &inElsewhere,
         kExitNotChecked,
         "modsetup-check: there is no modsetup.exe in the working directory"},
        {"a missing path",
         {"nowhere"},
         &inElsewhere,
         kExitNotChecked,
         "modsetup-check: there is no file or folder \"nowhere\""},
        {"a folder that is no library",
         {"lonely"},
         &inElsewhere,
         kExitNotChecked,
         "modsetup-check: \"lonely\" is not a set library: it holds neither mod.ini nor any of the slot folders 1, "
         "2, "},
        {"a program file without a library",
         {"alone.exe"},
         &inElsewhere,
         kExitNotChecked,
         "modsetup-check: there is no set library beside the program file \"alone.exe\": the folder \"alone\" is "
         "missing"},
        {"a program file beside a folder that is no library",
         {"lonely.exe"},
         &inElsewhere,
         kExitNotChecked,
         "modsetup-check: \"lonely\" is not a set library"},
        {"the game folder itself",
         {game().base()},
         &inElsewhere,
         kExitNotChecked,
         "modsetup-check: \"" + game().base() + "\" is not a set library"},
        {"an unknown option",
         {"--fast", library},
         &inElsewhere,
         kExitNotChecked,
         "modsetup-check: unexpected argument \"--fast\" (modsetup-check --help)"},
        {"two paths", {library, library}, &inElsewhere, kExitNotChecked, "modsetup-check: unexpected argument"},
        {"the help",
         {"--help", "nowhere"},
         &inElsewhere,
         kExitNoErrors,
         "usage: modsetup-check [--quiet] [--strict] [PATH]\n"},
        {"a library with a warning", {"--quiet", warned}, &inElsewhere, kExitNoErrors, "warning: "},
        {"a library with a warning, strict", {"--strict", "--quiet", warned}, &inElsewhere, kExitErrors, "warning: "},
        {"a clean library, strict", {"--strict", library}, &inGame, kExitNoErrors, heading},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const testing::WorkingDirectory cwd(*row.workingDirectory);
        const ProgramRun result = run(row.arguments);
        EXPECT_EQ(result.status, row.status);
        const std::string& printed = row.status == kExitNotChecked ? result.err : result.out;
        EXPECT_TRUE(printed.starts_with(row.output)) << printed;
        EXPECT_EQ(row.status == kExitNotChecked ? result.out : result.err, "");
        if (row.status == kExitNotChecked) {
            EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
        }
    }
}

TEST_F(CheckProgram, ReportIsGroupedBySlotFolderWithOneLinePerFinding) {
    CheckResult result;
    for (std::size_t slot = 0; slot <= kTeamAlpha; ++slot) result.slotFolders.push_back({slot, slot == 1 ? 1u : 3u});
    result.findings = {
        {Severity::Warning, Group::ModIni, 0, "mod.ini", "line 1 is empty"},
        {Severity::Error, Group::SlotFolder, 1, "2/Gold/2.bmp", "missing"},
        {Severity::Warning, Group::SlotFolder, 1, "2/Gold/sfx/mp5-fire.wav", "missing"},
        {Severity::Warning, Group::SlotFolder, kTeamAlpha, "gostek/Red/Gostek-gfx/beer.bmp", "missing"},
        {Severity::Error, Group::Selections, 2, "modsetup.ini line 3", "stale"},
    };
    result.sets = 43;
    result.files = 1;
    const ReportHeading heading{"game/modsetup", "game/modsetup.ini", false};

    std::ostringstream full;
    writeReport(full, heading, result, false);
    EXPECT_EQ(full.str(), R"(Checking the set library "game/modsetup"
  (no selections file "game/modsetup.ini")
mod.ini
  warning: mod.ini: line 1 is empty
Slot folder 1 (primary slot 1): 3 sets
Slot folder 2 (primary slot 2): 1 set
  error: 2/Gold/2.bmp: missing
  warning: 2/Gold/sfx/mp5-fire.wav: missing
Slot folder 3 (primary slot 3): 3 sets
Slot folder 4 (primary slot 4): 3 sets
Slot folder 5 (primary slot 5): 3 sets
Slot folder 6 (primary slot 6): 3 sets
Slot folder 7 (primary slot 7): 3 sets
Slot folder 8 (primary slot 8): 3 sets
Slot folder 9 (primary slot 9): 3 sets
Slot folder 0 (primary slot 10): 3 sets
Slot folder socom (secondary slot 1): 3 sets
Slot folder knife (secondary slot 2): 3 sets
Slot folder chain (secondary slot 3): 3 sets
Slot folder law (secondary slot 4): 3 sets
Slot folder gostek (team Alpha and team Bravo): 3 sets
  warning: gostek/Red/Gostek-gfx/beer.bmp: missing
Selections file
  error: modsetup.ini line 3: stale
43 sets and 1 file checked: 2 errors, 3 warnings
)");

    std::ostringstream quiet;
    writeReport(quiet, heading, result, true);
    EXPECT_EQ(quiet.str(), R"(warning: mod.ini: line 1 is empty
error: 2/Gold/2.bmp: missing
warning: 2/Gold/sfx/mp5-fire.wav: missing
warning: gostek/Red/Gostek-gfx/beer.bmp: missing
error: modsetup.ini line 3: stale
43 sets and 1 file checked: 2 errors, 3 warnings
)");
}

TEST_F(CheckProgram, ProgressIsOneLineOnATerminalAndWipedBeforeTheReport) {
    const std::string program = game().programPath("modsetup.exe");
    const ProgramRun shown = run({program}, true);
    EXPECT_EQ(shown.status, kExitNoErrors);
    EXPECT_TRUE(shown.err.starts_with("\rChecking set 1 of 30")) << shown.err;
    EXPECT_NE(shown.err.find("\rChecking set 30 of 30"), std::string::npos) << shown.err;
    EXPECT_EQ(shown.err.find('\n'), std::string::npos);
    std::string wiped(1, '\r');
    wiped.append(std::string_view("Checking set 30 of 30").size(), ' ') += '\r';
    EXPECT_TRUE(shown.err.ends_with(wiped));
    EXPECT_TRUE(shown.out.starts_with("Checking the set library")) << shown.out;

    EXPECT_EQ(run({"--quiet", program}, true).err, "");
    EXPECT_EQ(run({program}, false).err, "");
}

}  // namespace
}  // namespace modsetup::check
