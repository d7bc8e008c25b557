// What only the Windows host does: hidden and system attributes in listings
// and the catalogue, sharing with other programs that hold a file open, paths
// of any length and names the plain path form would trim, names the code page
// cannot write, the launch script opened through the shell, and the shell's
// refusal.
#include <gtest/gtest.h>

#ifdef _WIN32
#include "core/platform/win32/windows_headers.h"

#include <process.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <tuple>

#include "core/install/mod_folder.h"
#include "core/io/file_writes.h"
#include "core/io/line_file.h"
#include "core/library/catalogue.h"
#include "core/platform/win32/win32_path.h"
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

// This leg's code page is 1252 (Wine's under C.UTF-8): it writes "ž" but no
// Cyrillic, so a folder "Nož Ж" is marked, shown with its Cyrillic letter
// escaped, and not offered either.
TEST_F(Win32Host, HiddenSystemAndUnwritableSetFoldersAreNotOffered) {
    const std::string base = dir.programPath("modsetup");
    for (const char* name : {"Gold", "Hidden", "System", "Both", ".dotted"})
        std::filesystem::create_directories(dir / "modsetup/knife" / name);
    ASSERT_TRUE(CreateDirectoryW((*systemPath(base + "\\knife") + L"\\No\x017E \x0416").c_str(), nullptr));
    writeFile(dir / "modsetup/knife/hidden file.txt", "x");
    ASSERT_TRUE(SetFileAttributesA((base + "\\knife\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((base + "\\knife\\System").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesA((base + "\\knife\\Both").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    const auto listed = host->listFolder(base + "\\knife");
    ASSERT_TRUE(listed.ok());
    const std::vector<FolderEntry>& entries = listed.value();
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
    EXPECT_FALSE(entry("Gold").isHidden || entry("Gold").isSystem || entry("Gold").nameUnrepresentable);
    EXPECT_TRUE(entry("No\x9E \\u{0416}").nameUnrepresentable);

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
    ASSERT_TRUE(file.openRead(dir.programPath("modsetup.ini")).ok());
    EXPECT_EQ(file.readLine(), "Gold");
}

TEST_F(Win32Host, ALockedTargetKeepsItsContentAndNoTemporaryStays) {
    writeFile(dir / "weapons.ini", "old\r\n");
    {
        // Held open without leave to delete or rename it: the new file cannot replace it.
        OpenHandle reader(dir / "weapons.ini", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(reader.valid());
        LineFile file(*host);
        ASSERT_TRUE(file.openWrite(dir.programPath("weapons.ini")).ok());
        file.writeLine("new");
        EXPECT_EQ(file.close().cause(), Cause::InUse);
    }
    EXPECT_EQ(readFile(dir / "weapons.ini"), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file removed";

    LineFile file(*host);
    ASSERT_TRUE(file.openWrite(dir.programPath("weapons.ini")).ok());
    file.writeLine("new");
    EXPECT_TRUE(file.close().ok());
    EXPECT_EQ(readFile(dir / "weapons.ini"), "new\r\n");
}

// Whether a program could open path for writing now: not while another holds it.
bool writable(const std::filesystem::path& path) {
    HANDLE file = CreateFileA(path.string().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

// Another program (hold_file.exe, beside this one) holds a file, letting
// others read it or not, as a running game or an antivirus scan does. A held
// target is tried again within Apply's deadline, and replaced when let go in
// time, or reported in use and kept; one that holds the bytes already is left
// as it is; a held source is unreadable at once.
TEST_F(Win32Host, FilesAnotherProgramHoldsAreTriedAgainOrReported) {
    // The file held, for how long, whether others may read it; the target
    // before, what Apply reports (nothing, in use, unreadable), the target after.
    enum class Report { Nothing, InUse, Unreadable };
    const std::tuple<const char*, int, const char*, const char*, Report, const char*> cases[] = {
        {"target.wav", 1000, "", "old", Report::Nothing, "new"},
        {"target.wav", 10000, "", "old", Report::InUse, "old"},
        {"target.wav", 10000, "read", "new", Report::Nothing, "new"},
        {"source.wav", 10000, "", "old", Report::Unreadable, "old"},
    };
    const auto program = std::filesystem::path(host->programPath());
    const std::string helper = '"' + (program.parent_path() / "hold_file.exe").string() + '"';
    for (const auto& [file, ms, othersRead, before, report, after] : cases) {
        SCOPED_TRACE(std::string(file) + " held for " + std::to_string(ms) + " ms");
        writeFile(dir / "source.wav", "new");
        writeFile(dir / "target.wav", before);
        const std::string held = '"' + (dir / file).string() + '"';
        const auto holder = reinterpret_cast<HANDLE>(_spawnl(_P_NOWAIT, helper.c_str(), helper.c_str(), held.c_str(),
                                                             std::to_string(ms).c_str(), othersRead, nullptr));
        for (int tries = 0; tries < 3000 && writable(dir / file); ++tries) Sleep(20);
        InstallFailures failures;
        replaceWithCopy(*host, dir.programPath("source.wav"), dir.programPath("target.wav"), failures);
        retryHeldWrites(*host, failures.held);
        EXPECT_EQ(failures.inUsePaths.size(), report == Report::InUse ? 1u : 0u);
        EXPECT_EQ(failures.unreadableSources.size(), report == Report::Unreadable ? 1u : 0u);
        TerminateProcess(holder, 0);
        WaitForSingleObject(holder, INFINITE);
        CloseHandle(holder);
        EXPECT_EQ(readFile(dir / "target.wav"), after);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no temporary file stays";
}

// Names reached as given, at any length: a set in a slot folder past 260
// characters, with a trailing dot or blank beside its trimmed namesake, in
// 8-bit characters. Each is made, copied into, read back, found in its
// folder's listing and deleted through the host.
TEST_F(Win32Host, PathsOfAnyLengthReachTheExactNameGiven) {
    writeFile(dir / "source.bmp", "the set's own");
    writeFile(dir / "AK Night/1.bmp", "namesake");
    const std::string deep = std::string(150, 'L') + "\\" + std::string(150, 'L') + "\\Gold";
    for (const std::string& name : {deep, std::string("AK Night."), std::string("AK Night "), std::string("Gr\xFCn")}) {
        const std::string folder = dir.programPath(name);
        const std::string file = folder + "\\1.bmp";
        SCOPED_TRACE(folder);
        for (std::size_t end = name.find('\\');; end = name.find('\\', end + 1)) {
            EXPECT_TRUE(host->createDirectory(dir.programPath(name.substr(0, end))).ok());
            if (end == std::string::npos) break;
        }
        // In through "." and ".." pieces and a doubled backslash, which keep their meanings.
        EXPECT_TRUE(
            copyFile(*host, dir.programPath("source.bmp"), dir.programPath(".\\x\\..\\" + name + "\\\\1.bmp")).ok());
        EXPECT_TRUE(copyFile(*host, file, dir.programPath("read back.bmp")).ok());
        EXPECT_EQ(readFile(dir / "read back.bmp"), "the set's own");
        const auto listed = host->listFolder(folder.substr(0, folder.rfind('\\')));
        ASSERT_TRUE(listed.ok());
        EXPECT_TRUE(std::any_of(listed.value().begin(), listed.value().end(),
                                [&](const FolderEntry& e) { return e.name == folder.substr(folder.rfind('\\') + 1); }));
        EXPECT_TRUE(host->deleteFile(file).ok());
        // The scratch folder's own clean-up reaches neither long paths nor trailing dots.
        DeleteFileW(systemPath(file)->c_str());
        for (std::string level = folder; level.size() > dir.base().size(); level.resize(level.rfind('\\')))
            RemoveDirectoryW(systemPath(level)->c_str());
    }
    EXPECT_EQ(readFile(dir / "AK Night/1.bmp"), "namesake");
}

TEST_F(Win32Host, ShellOpenRunsTheScriptFromTheWorkingDirectory) {
    testing::WorkingDirectory cwd(dir.path());
    LineFile script(*host);
    ASSERT_TRUE(script.openWrite("Desert.bat").ok());
    script.writeLine("echo started -mod Desert> marker.txt");
    script.writeLine("exit");
    ASSERT_TRUE(script.close().ok());

    const Status opened = host->shellOpen("Desert.bat", 0);
    EXPECT_TRUE(opened.ok()) << (opened.ok() ? "" : opened.failure().systemText);
    // The script runs on its own; wait for its mark, but never without end.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (readFile(dir / "marker.txt").find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(readFile(dir / "marker.txt"), "started -mod Desert\r\n");
}

TEST_F(Win32Host, ADocumentTheShellCannotOpenIsReportedWithTheSystemsReason) {
    testing::WorkingDirectory cwd(dir.path());
    const Status opened = host->shellOpen("Missing.bat", 0);
    ASSERT_FALSE(opened.ok());
    EXPECT_FALSE(opened.failure().systemText.empty());
}

}  // namespace
}  // namespace modsetup
#endif
