// Play's launch script and the mod name check it shares with Apply.
#include <gtest/gtest.h>

#include "core/base/mod_name.h"
#include "core/install/launcher.h"
#include "core/io/forwarding_host.h"
#include "core/report/messages.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::readFile;
using testing::ScratchDir;
using testing::WorkingDirectory;

// Records what the shell is asked to open instead of starting anything, and
// takes it or refuses it with a reason.
class RecordingShell : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    std::vector<std::string> opened;
    std::string refusal;       // empty: the shell takes the document
    bool writeDenied = false;  // a protected game folder: the system denies every write
    Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* copyOf) override {
        if (!writeDenied) return ForwardingHost::createNew(path, copyOf);
        return Cause::AccessDenied;
    }
    Status shellOpen(const std::string& path, WindowHandle /*owner*/) override {
        opened.push_back(path);
        if (refusal.empty()) return done();
        return Failure{Cause::Failed, refusal};
    }
};

class PlayTest : public ::testing::Test {
protected:
    std::unique_ptr<Host> system = makeSystemHost();
    RecordingShell host{*system};
    ScratchDir dir;
    WorkingDirectory cwd{dir.path()};
    const std::string configBase = "C:\\Games\\modsetup";

    PlayOutcome play(const std::string& modName) { return runPlay(host, configBase, modName); }
    // What the error report says of it.
    std::string message(const PlayOutcome& outcome, const std::string& modName = "Desert") const {
        return playFailureMessage(outcome, configBase, modName);
    }
};

TEST_F(PlayTest, WritesTheScriptInTheWorkingDirectoryAndOpensIt) {
    testing::writeFile(dir / "Desert.bat", "an earlier script that was longer than the new one\r\n");
    const PlayOutcome outcome = play("Desert");
    EXPECT_TRUE(outcome.launched);
    EXPECT_TRUE(outcome.scriptWritten);
    EXPECT_EQ(message(outcome), "");
    EXPECT_EQ(readFile(dir / "Desert.bat"), "tarvok.exe -mod Desert\r\nexit\r\n");
    EXPECT_EQ(host.opened, std::vector<std::string>{"Desert.bat"});
}

TEST_F(PlayTest, ANameWithBlanksIsQuotedAsOneArgument) {
    const PlayOutcome outcome = play(" Desert Storm");
    EXPECT_TRUE(outcome.launched);
    EXPECT_EQ(readFile(dir / " Desert Storm.bat"), "tarvok.exe -mod \" Desert Storm\"\r\nexit\r\n");
    EXPECT_EQ(host.opened, std::vector<std::string>{" Desert Storm.bat"});
    EXPECT_EQ(launchScriptName("Desert Storm"), "Desert Storm.bat");
}

TEST_F(PlayTest, AScriptThatCannotBeWrittenIsNotOpened) {
    // Whatever stands at the script's name (here a folder) is not the game's start.
    std::filesystem::create_directories(dir / "Desert.bat/inside");
    const PlayOutcome outcome = play("Desert");
    EXPECT_FALSE(outcome.launched);
    EXPECT_FALSE(outcome.scriptWritten);
    EXPECT_TRUE(host.opened.empty());
    EXPECT_EQ(message(outcome),
              "The launch script \"Desert.bat\" could not be written in the working directory, so the game was not "
              "started.");

    std::filesystem::remove_all(dir / "Desert.bat");
    host.writeDenied = true;
    EXPECT_EQ(message(play("Desert")), writeDeniedMessage(launchScriptNotWrittenMessage("Desert.bat")));
    EXPECT_TRUE(host.opened.empty());
}

TEST_F(PlayTest, AScriptTheShellDoesNotTakeIsReportedWithTheSystemsReason) {
    host.refusal = "No program is associated with the document's file name extension.\r\n";
    const PlayOutcome outcome = play("Desert");
    EXPECT_FALSE(outcome.launched);
    EXPECT_TRUE(outcome.scriptWritten);
    EXPECT_EQ(host.opened, std::vector<std::string>{"Desert.bat"});
    EXPECT_EQ(message(outcome),
              "The system did not open the launch script \"Desert.bat\", so the game was not started. No program is "
              "associated with the document's file name extension");
    EXPECT_EQ(launchScriptNotOpenedMessage("Desert.bat", ""),
              "The system did not open the launch script \"Desert.bat\", so the game was not started.");
}

TEST_F(PlayTest, FromAFolderWhosePathHoldsABackslashNothingIsWrittenOrOpened) {
    const PlayOutcome outcome = runPlay(host, "/home/player/ga\\me/modsetup", "Desert");
    EXPECT_FALSE(outcome.launched);
    EXPECT_EQ(outcome.unusableFolder, "/home/player/ga\\me");
    EXPECT_TRUE(host.opened.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(PlayTest, AnUnsafeNameWritesAndOpensNothing) {
    for (const std::string name : {"", "..", "a&b", "x\\y", "100%"}) {
        SCOPED_TRACE(name);
        const PlayOutcome outcome = play(name);
        EXPECT_FALSE(outcome.launched);
        EXPECT_TRUE(outcome.modNameUnsafe);
    }
    EXPECT_TRUE(host.opened.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ModName, RefusesNamesThatLeaveTheModsFolderOrCarryCommands) {
    for (const std::string name : {"Desert", " Desert Storm", "a.b", ".a", "a. b", "caf\xE9", "-mod", "x'y", "(1)"})
        EXPECT_TRUE(isSafeModName(name)) << name;
    const std::vector<std::string> unsafe = {"",      ".",    "..",  "...",    " ",    " . ",  "a\\b",
                                             "a/b",   "C:",   "a*",  "a?",     "a\"b", "<a",   "a>",
                                             "a|b",   "a&b",  "a^b", "%PATH%", "a\tb", "a\rb", std::string("a\0b", 3),
                                             "a\x1F", "a\x7F"};
    for (const auto& name : unsafe) EXPECT_FALSE(isSafeModName(name)) << name;
}

// Names a mod pack made on Linux may carry that no folder on Windows can
// have, where the game runs.
TEST(ModName, RefusesNamesThatCannotBeAFolderOnWindows) {
    const std::pair<std::string, bool> cases[] = {
        {"Desert ", false},  // Windows drops the blank: Apply and the game would name two folders
        {"Desert.", false},
        {"Desert Storm", true},
        {"CON", false},
        {"con", false},
        {"Nul", false},
        {"aux.pack", false},  // a device name before a dot is still the device
        {"PRN.x.y", false},
        {"COM1", false},
        {"com9.mod", false},
        {"LPT1", false},
        {"lpt9", false},
        {"CON .x", false},
        {"COM0", true},
        {"COM10", true},
        {"LPT", true},
        {"CONsole", true},
        {"Icon", true},
        {"my.CON", true},
        {std::string(kMaxModNameBytes, 'm'), true},
        {std::string(kMaxModNameBytes + 1, 'm'), false},
    };
    for (const auto& [name, safe] : cases) EXPECT_EQ(isSafeModName(name), safe) << name;
}

}  // namespace
}  // namespace modsetup
