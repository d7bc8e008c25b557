// The POSIX host's shell open, which Play uses: Wine's shell opens
// the launch script from the script's folder, in a session of its own
// with the environment as it is, and Wine's verdict is heard within a bounded
// wait, never waiting for what it starts. Wine here is a stand-in script that
// the variable WINE names.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <cstring>

#include "core/io/host.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::readFile;
using testing::writeFile;

class ShellOpen : public ::testing::Test {
protected:
    std::unique_ptr<Host> host = makeSystemHost();
    testing::ScratchDir dir;
    testing::WorkingDirectory cwd{dir.path()};
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    const std::string wine = (dir / "bin/fake wine").string();

    ShellOpen() { ::setenv("WINE", wine.c_str(), 1); }
    ~ShellOpen() override {
        ::setenv("PATH", savedPath.c_str(), 1);
        ::unsetenv("WINE");
    }

    // The stand-in Wine: a shell script with this body.
    void useWine(const std::string& body) {
        writeFile(wine, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(wine, std::filesystem::perms::owner_all);
    }

    bool open(const std::string& document, std::string& reason) {
        const Status opened = host->shellOpen(document, 0);
        reason = opened.ok() ? "" : opened.failure().systemText;
        return opened.ok();
    }
};

TEST_F(ShellOpen, WineOpensTheScriptFromTheScriptsFolderInASessionOfItsOwn) {
    // Arguments, working directory, the environment (PATH), and whether it leads a session of its own.
    useWine(
        "sid=$(sed 's/.*) //' /proc/$$/stat | cut -d' ' -f4)\n"
        "{ printf '%s|' \"$@\"; pwd -P; echo \"$PATH\"; [ \"$sid\" = $$ ] && echo own session; } > '" +
        (dir / "record").string() + "'");
    std::filesystem::create_directory(dir / "sub folder");
    const std::pair<std::string, std::string> cases[] = {
        {"Desert.bat", "start|/min|Desert.bat|" + dir.base()},
        {"-x.bat", "start|/min|-x.bat|" + dir.base()},
        {"Desert Storm.bat", "start|/min|Desert Storm.bat|" + dir.base()},
        {dir.programPath("sub folder\\y.bat"), "start|/min|y.bat|" + dir.base() + "/sub folder"},
    };
    for (const auto& [document, run] : cases) {
        SCOPED_TRACE(document);
        std::string reason;
        EXPECT_TRUE(open(document, reason)) << reason;
        EXPECT_EQ(readFile(dir / "record"), run + "\n" + savedPath + "\nown session\n");
    }
}

TEST_F(ShellOpen, AWineThatFailsOrCannotBeStartedIsReportedWithItsReason) {
    const struct {
        std::string body;
        Cause cause;
        long code;
    } cases[] = {
        {"exit 3", Cause::EndedWithStatus, 3},
        {"kill -TERM $$", Cause::EndedBySignal, SIGTERM},
    };
    useWine("exit 0");
    EXPECT_TRUE(host->shellOpen("Desert.bat", 0).ok());
    for (const auto& [body, cause, code] : cases) {
        SCOPED_TRACE(body);
        useWine(body);
        const Status opened = host->shellOpen("Desert.bat", 0);
        ASSERT_FALSE(opened.ok());
        EXPECT_EQ(opened.cause(), cause);
        EXPECT_EQ(opened.failure().code, code);
        EXPECT_EQ(opened.failure().program, wine);
    }

    // WINE naming no program, then no WINE and no Wine on the PATH.
    ::setenv("WINE", "/opt/no-such-wine", 1);
    ::setenv("PATH", (dir / "bin").c_str(), 1);
    for (const char* tried : {"/opt/no-such-wine", "wine"}) {
        const Status opened = host->shellOpen("Desert.bat", 0);
        ASSERT_FALSE(opened.ok());
        EXPECT_EQ(opened.cause(), Cause::NotStarted);
        EXPECT_EQ(opened.failure().systemText, std::strerror(ENOENT));
        EXPECT_EQ(opened.failure().program, tried);
        ::unsetenv("WINE");
    }
}

// A Wine that runs the game in the foreground: once the bounded wait is over
// the script counts as taken, and nobody waits for the game.
TEST_F(ShellOpen, AWineStillRunningAfterTheWaitHasTakenTheScript) {
    const auto pidFile = dir / "wine.pid";
    useWine("echo $$ > '" + pidFile.string() + "'\nexec sleep 60");
    const auto started = std::chrono::steady_clock::now();
    std::string reason;
    EXPECT_TRUE(open("Desert.bat", reason)) << reason;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    const std::string pid = readFile(pidFile);
    ASSERT_FALSE(pid.empty());
    ::kill(static_cast<pid_t>(std::stol(pid)), SIGKILL);
}

}  // namespace
}  // namespace modsetup

#endif
