// What only the Windows host does: hidden and system attributes in listings
// and the catalogue, sharing with other programs that hold a file open, the
// launch script opened through the shell, and the shell's refusal.
#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/catalogue.h"
#include "core/line_file.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::readFile;
using testing::ScratchDir;
using testing::writeFile;

// A handle of another program on a file, closed at the end of the scope.
class OpenHandle {
public:
    OpenHandle(const std::filesystem::path& path, DWORD access, DWORD share)
        : handle_(CreateFileA(path.string().c_str(), access, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr)) {}
    ~OpenHandle() {
        if (valid()) CloseHandle(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

class Win32Host : public ::testing::Test {
protected:
    std::unique_ptr<Host> host = makeSystemHost();
    ScratchDir dir;
};

TEST_F(Win32Host, HiddenAndSystemSetFoldersAreNotOffered) {
    const std::string base = dir.programPath("modsetup");
    for (const char* name : {"Gold", "Hidden", "System", "Both", ".dotted"})
        std::filesystem::create_directories(dir / "modsetup/knife" / name);
    writeFile(dir / "modsetup/knife/hidden file.txt", "x");
    ASSERT_TRUE(SetFileAttributesA((base + "\\knife\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((base + "\\knife\\System").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesA((base + "\\knife\\Both").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    std::vector<FolderEntry> entries;
    ASSERT_TRUE(host->listFolder(base + "\\knife\\*.*", entries));
    auto entry = [&](const std::string& name) {
        auto it = std::find_if(entries.begin(), entries.end(), [&](const FolderEntry& e) { return e.name == name; });
        return it == entries.end() ? FolderEntry{} : *it;
    };
    EXPECT_TRUE(entry("Hidden").isHidden);
    EXPECT_FALSE(entry("Hidden").isSystem);
    EXPECT_TRUE(entry("System").isSystem);
    EXPECT_FALSE(entry("System").isHidden);
    EXPECT_TRUE(entry("Both").isHidden && entry("Both").isSystem);
    EXPECT_TRUE(entry("Both").isDirectory);
    EXPECT_FALSE(entry("Gold").isHidden || entry("Gold").isSystem);

    std::vector<std::string> sets = scanSlotFolder(*host, base, 11);  // secondary slot 2: "knife"
    std::sort(sets.begin(), sets.end());
    EXPECT_EQ(sets, (std::vector<std::string>{".dotted", "Gold"}));
}

TEST_F(Win32Host, FilesHeldOpenByOthersAreStillRead) {
    writeFile(dir / "modsetup.ini", "Gold\r\n");
    // Another program writing the file lets others read it meanwhile.
    OpenHandle writer(dir / "modsetup.ini", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer.valid());
    LineFile file(*host);
    ASSERT_TRUE(file.openRead(dir.programPath("modsetup.ini")));
    EXPECT_EQ(file.readLine(), "Gold");
}

TEST_F(Win32Host, ALockedTargetKeepsItsContentAndNoTemporaryStays) {
    writeFile(dir / "weapons.ini", "old\r\n");
    {
        // Held open without leave to delete or rename it: the new file cannot replace it.
        OpenHandle reader(dir / "weapons.ini", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(reader.valid());
        LineFile file(*host);
        ASSERT_TRUE(file.openWrite(dir.programPath("weapons.ini")));
        file.writeLine("new");
        EXPECT_FALSE(file.close());
    }
    EXPECT_EQ(readFile(dir / "weapons.ini"), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file removed";

    LineFile file(*host);
    ASSERT_TRUE(file.openWrite(dir.programPath("weapons.ini")));
    file.writeLine("new");
    EXPECT_TRUE(file.close());
    EXPECT_EQ(readFile(dir / "weapons.ini"), "new\r\n");
}

TEST_F(Win32Host, ShellOpenRunsTheScriptFromTheWorkingDirectory) {
    testing::WorkingDirectory cwd(dir.path());
    LineFile script(*host);
    ASSERT_TRUE(script.openWrite("Desert.bat"));
    script.writeLine("echo started -mod Desert> marker.txt");
    script.writeLine("exit");
    ASSERT_TRUE(script.close());

    std::string reason;
    EXPECT_TRUE(host->shellOpen("Desert.bat", 0, reason)) << reason;
    // The script runs on its own; wait for its mark, but never without end.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (readFile(dir / "marker.txt").find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(readFile(dir / "marker.txt"), "started -mod Desert\r\n");
}

TEST_F(Win32Host, ADocumentTheShellCannotOpenIsReportedWithTheSystemsReason) {
    testing::WorkingDirectory cwd(dir.path());
    std::string reason;
    EXPECT_FALSE(host->shellOpen("Missing.bat", 0, reason));
    EXPECT_FALSE(reason.empty());
}

}  // namespace
}  // namespace modsetup
#endif
