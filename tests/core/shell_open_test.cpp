// The POSIX host's shell open, which Play uses: the desktop's opener gets a
// document name it cannot read as an option, and its verdict is heard within
// a bounded wait, never waiting for what it starts. The opener here is a
// stand-in script put first on the PATH.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <cstring>

#include "core/error_text.h"
#include "core/platform/host.h"
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

    ~ShellOpen() override { ::setenv("PATH", savedPath.c_str(), 1); }

    // The stand-in opener: a shell script with this body.
    void useOpener(const std::string& body) {
        const auto opener = dir / "bin/xdg-open";
        writeFile(opener, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
        ::setenv("PATH", ((dir / "bin").string() + ":" + savedPath).c_str(), 1);
    }

    bool open(const std::string& document, std::string& reason) { return host->shellOpen(document, 0, reason); }
};

TEST_F(ShellOpen, TheOpenerGetsOneArgumentThatIsNeverAnOption) {
    useOpener("printf '%s\\n' \"$@\" > '" + (dir / "arguments").string() + "'");
    const std::pair<std::string, std::string> cases[] = {
        {"-x.bat", "./-x.bat"},
        {"--help.bat", "./--help.bat"},
        {"Desert Storm.bat", "./Desert Storm.bat"},
        {dir.programPath("-y.bat"), dir.base() + "/-y.bat"},
    };
    for (const auto& [document, argument] : cases) {
        SCOPED_TRACE(document);
        std::string reason;
        EXPECT_TRUE(open(document, reason)) << reason;
        EXPECT_EQ(readFile(dir / "arguments"), argument + "\n");
    }
}

TEST_F(ShellOpen, AnOpenerThatFailsOrIsMissingIsReportedWithItsReason) {
    const std::pair<std::string, std::string> cases[] = {
        {"exit 0", ""},
        {"exit 3", openerFailedReason("xdg-open", 3)},
        {"kill -TERM $$", openerKilledReason("xdg-open", SIGTERM)},
    };
    for (const auto& [body, expected] : cases) {
        SCOPED_TRACE(body);
        useOpener(body);
        std::string reason;
        EXPECT_EQ(open("Desert.bat", reason), expected.empty());
        EXPECT_EQ(reason, expected);
    }

    std::filesystem::create_directory(dir / "empty");
    ::setenv("PATH", (dir / "empty").c_str(), 1);
    std::string reason;
    EXPECT_FALSE(open("Desert.bat", reason));
    EXPECT_EQ(reason, openerNotStartedReason("xdg-open", std::strerror(ENOENT)));
}

// An opener that runs what it opens in the foreground: once the bounded wait
// is over the document counts as taken, and nobody waits for the game.
TEST_F(ShellOpen, AnOpenerStillRunningAfterTheWaitHasTakenTheDocument) {
    const auto pidFile = dir / "opener.pid";
    useOpener("echo $$ > '" + pidFile.string() + "'\nexec sleep 60");
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
