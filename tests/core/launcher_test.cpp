// Play's launch script and the mod name check it shares with Apply.
#include <gtest/gtest.h>

#include "core/error_text.h"
#include "core/launcher.h"
#include "core/mod_name.h"
#include "core/platform/forwarding_host.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::readFile;
using testing::ScratchDir;
using testing::WorkingDirectory;

// Records what the shell is asked to open instead of starting anything.
class RecordingShell : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    std::vector<std::string> opened;
    void shellOpen(const std::string& path, WindowHandle /*owner*/) override { opened.push_back(path); }
};

class PlayTest : public ::testing::Test {
protected:
    std::unique_ptr<Host> system = makeSystemHost();
    RecordingShell host{*system};
    ScratchDir dir;
    WorkingDirectory cwd{dir.path()};
    LineFile shared{host};
    const std::string configBase = "C:\\Games\\modsetup";

    PlayOutcome play(const std::string& modName) { return runPlay(host, shared, configBase, modName); }
};

TEST_F(PlayTest, WritesTheScriptInTheWorkingDirectoryAndOpensIt) {
    testing::writeFile(dir / "Desert.bat", "an earlier script that was longer than the new one\r\n");
    const PlayOutcome outcome = play("Desert");
    EXPECT_TRUE(outcome.launched);
    EXPECT_TRUE(outcome.scriptWritten);
    EXPECT_EQ(outcome.error, "");
    EXPECT_EQ(readFile(dir / "Desert.bat"), "tarvok.exe -mod Desert\r\nexit\r\n");
    EXPECT_EQ(readFile(dir / "Desert.bat"), launchScriptText("Desert"));
    EXPECT_EQ(host.opened, std::vector<std::string>{"Desert.bat"});
}

TEST_F(PlayTest, ANameWithBlanksIsQuotedAsOneArgument) {
    const PlayOutcome outcome = play(" Desert Storm ");
    EXPECT_TRUE(outcome.launched);
    EXPECT_EQ(readFile(dir / " Desert Storm .bat"), "tarvok.exe -mod \" Desert Storm \"\r\nexit\r\n");
    EXPECT_EQ(host.opened, std::vector<std::string>{" Desert Storm .bat"});
    EXPECT_EQ(launchScriptName("Desert Storm"), "Desert Storm.bat");
}

TEST_F(PlayTest, AScriptThatCannotBeWrittenIsOpenedAnyway) {
    std::filesystem::create_directories(dir / "Desert.bat/inside");
    const PlayOutcome outcome = play("Desert");
    EXPECT_TRUE(outcome.launched);
    EXPECT_FALSE(outcome.scriptWritten);
    EXPECT_EQ(host.opened, std::vector<std::string>{"Desert.bat"});
}

TEST_F(PlayTest, AnUnsafeNameWritesAndOpensNothing) {
    for (const std::string name : {"", "..", "a&b", "x\\y", "100%"}) {
        SCOPED_TRACE(name);
        const PlayOutcome outcome = play(name);
        EXPECT_FALSE(outcome.launched);
        EXPECT_EQ(outcome.error, unsafeModNameMessage(configBase, name));
    }
    EXPECT_TRUE(host.opened.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ModName, RefusesNamesThatLeaveTheModsFolderOrCarryCommands) {
    for (const std::string name : {"Desert", " Desert Storm ", "a.b", ".a", "a. b", "caf\xE9", "-mod", "x'y", "(1)"})
        EXPECT_TRUE(isSafeModName(name)) << name;
    const std::vector<std::string> unsafe = {"",    ".",   "..",  "...", " ", " . ", "a\\b", "a/b", "C:",     "a*",
                                             "a?",  "a\"b", "<a",  "a>",   "a|b", "a&b",    "a^b",
                                             "%PATH%", "a\tb", "a\rb", std::string("a\0b", 3), "a\x1F", "a\x7F"};
    for (const auto& name : unsafe)
        EXPECT_FALSE(isSafeModName(name)) << name;
}

TEST(ModName, TheMessageNamesModIniAndTheNameAsItIs) {
    const std::string message = unsafeModNameMessage("C:\\Games\\modsetup", "..\\..\\Windows");
    EXPECT_EQ(message.substr(0, message.find('\n')),
              "The mod name \"..\\..\\Windows\" in \"C:\\Games\\modsetup\\mod.ini\" cannot be used as a folder name.");
    EXPECT_NE(message.find("\\ / : * ? \" < > | & ^ %"), std::string::npos) << message;
    EXPECT_EQ(reportText(message), message);

    // Control characters are shown, not obeyed.
    const std::string tab = unsafeModNameMessage("C:\\m", "a\tb\x7F");
    EXPECT_NE(tab.find("\"a\\x09b\\x7F\""), std::string::npos) << tab;
}

}  // namespace
}  // namespace modsetup
