// Play with mod names that mean something to the command interpreter, run for
// real: the system's shell (Wine's on Linux) opens the launch script Play
// wrote, and a stand-in game records the arguments it got. Each name reaches
// the game whole, and nothing else runs: the game folder holds afterwards
// exactly what it held, the script and the game's record.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "core/install/launcher.h"
#include "core/report/messages.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::readFile;
using testing::writeFile;

// Names the interpreter splits (; , =), brackets, blanks, and the signs of
// other shells; the first three would delete the game or the selections
// file, or make a folder, were the name read as commands.
constexpr const char* kHostileNames[] = {
    "del;tarvok.exe;x",
    "del;modsetup.ini,x",
    "mkdir;pwned1",
    "a,b",
    "k=v",
    "Mod(1)",
    "My (Mod)",
    "Wow!",
    "!PATH!",
    "My  Mod",
    " lead",
    "@home",
    "a;b,c=d(e)f!g@h#i$j[k]l{m}n~o`p+q'r",
};

std::vector<std::string> entriesOf(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

#ifdef _WIN32
// The stand-in game: record_arguments.exe, built beside this program.
void layStandInGame(const std::filesystem::path& game, Host& host) {
    std::filesystem::copy_file(std::filesystem::path(host.programPath()).parent_path() / "record_arguments.exe",
                               game / "tarvok.exe");
}

class RealShell {
public:
    bool available() const { return true; }
};
#else
// The stand-in game: a script that Wine runs as the Unix program it is.
void layStandInGame(const std::filesystem::path& game, Host&) {
    writeFile(game / "tarvok.exe",
              "#!/bin/sh\nprintf '%s\\n' \"$@\" > tarvok.log.new && mv tarvok.log.new tarvok.log\n");
    std::filesystem::permissions(game / "tarvok.exe", std::filesystem::perms::owner_all);
}

// The real Wine, in a prefix of the build's own, without a display; its
// server is stopped at the end so that it does not linger on.
class RealShell {
public:
    RealShell() {
        ::setenv("WINEPREFIX", MODSETUP_TEST_WINE_PREFIX, 1);
        ::setenv("WINEDEBUG", "-all", 1);
        ::setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::unsetenv("WINE");
    }
    ~RealShell() {
        if (available()) std::system("wineserver -k >/dev/null 2>&1");
    }
    bool available() const { return std::system("command -v wine >/dev/null 2>&1") == 0; }
};
#endif

TEST(PlayHostileNames, TheGameGetsTheNameWholeAndNothingElseRuns) {
    RealShell shell;
    if (!shell.available()) GTEST_SKIP() << "Wine is not installed";
    const auto host = makeSystemHost();
    for (const std::string name : kHostileNames) {
        SCOPED_TRACE("mod name \"" + name + "\"");
        testing::ScratchDir game;
        layStandInGame(game.path(), *host);
        writeFile(game / "modsetup.ini", "the selections file\r\n");
        testing::WorkingDirectory cwd(game.path());
        const PlayOutcome outcome = runPlay(*host, game.programPath("modsetup"), name);
        ASSERT_TRUE(outcome.launched) << playFailureMessage(outcome, game.programPath("modsetup"), name);
        // The game runs on its own: wait for its record, but never without end.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!testing::fileExists(game / "tarvok.log") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(readFile(game / "tarvok.log"), "-mod\n" + name + "\n");
        std::vector<std::string> expected{name + ".bat", "modsetup.ini", "tarvok.exe", "tarvok.log"};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(entriesOf(game.path()), expected);
    }
}

}  // namespace
}  // namespace modsetup
