// What only the Windows host does: hidden and system attributes in listings
// and the catalogue, sharing with other programs that hold a file open, paths
// of any length and names the plain path form would trim, names the code page
// cannot write, the launch script opened through the shell, and the shell's
// refusal.
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
#include "core/platform/win32_path.h"
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

// hold_file.exe, beside this program, holding a file open for a while,
// letting others read it or not; ended at the end of the scope.
class HeldByAnotherProgram {
public:
    HeldByAnotherProgram(const std::string& program, const std::filesystem::path& file, int milliseconds,
                         bool othersRead) {
        const auto helper = std::filesystem::path(program).parent_path() / "hold_file.exe";
        std::string command = '"' + helper.string();
        ((command += "\" \"") += file.string()) += "\" " + std::to_string(milliseconds) + (othersRead ? " read" : "");
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
            return;
        // Held once an open that shares everything meets a sharing violation.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!held_ && std::chrono::steady_clock::now() < deadline &&
               WaitForSingleObject(process_.hProcess, 20) == WAIT_TIMEOUT) {
            HANDLE probe = CreateFileA(file.string().c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
            held_ = probe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
            if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
        }
    }
    ~HeldByAnotherProgram() {
        if (process_.hProcess == nullptr) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, INFINITE);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    bool held() const { return held_; }

private:
    PROCESS_INFORMATION process_{};
    bool held_ = false;
};

// Another program holding the target lets go in time or not; one holding
// the source makes it unreadable, at once.
TEST_F(Win32Host, FilesAnotherProgramHoldsAreWaitedForOrReported) {
    struct Case {
        const char* what;
        const char* held;  // the file held: "source.wav" or "target.wav"
        int milliseconds;
        bool othersRead;
        const char* targetBefore;
        FileFailure failure;
        const char* targetAfter;
    };
    const Case cases[] = {
        {"a target held for 1 s is replaced", "target.wav", 1000, false, "old", FileFailure::None, "new"},
        {"a target held for 10 s is in use", "target.wav", 10000, false, "old", FileFailure::InUse, "old"},
        {"a target held that has the bytes is left", "target.wav", 10000, true, "new", FileFailure::None, "new"},
        {"a source held is unreadable", "source.wav", 10000, false, "old", FileFailure::Unreadable, "old"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        writeFile(dir / "source.wav", "new");
        writeFile(dir / "target.wav", row.targetBefore);
        {
            HeldByAnotherProgram holder(host->programPath(), dir / row.held, row.milliseconds, row.othersRead);
            ASSERT_TRUE(holder.held());
            const FileResult copied = host->copyFile(dir.programPath("source.wav"), dir.programPath("target.wav"));
            EXPECT_EQ(copied.failure(), row.failure);
        }
        EXPECT_EQ(readFile(dir / "target.wav"), row.targetAfter);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no temporary file stays";
}

// Folders a test made through the host, with their "1.bmp", removed at the
// end of the scope: the scratch folder's own clean-up uses plain paths,
// which reach neither long paths nor names ending in a dot.
struct MadeFolders {
    std::vector<std::string> paths;  // outermost first
    ~MadeFolders() {
        for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
            DeleteFileW(systemPath(*path + "\\1.bmp")->c_str());
            RemoveDirectoryW(systemPath(*path)->c_str());
        }
    }
};

// Names reached as given, at any length: past 260 characters, with a
// trailing dot or blank beside their trimmed namesake, in 8-bit characters.
TEST_F(Win32Host, PathsOfAnyLengthReachTheExactNameGiven) {
    writeFile(dir / "source.bmp", "the set's own");
    writeFile(dir / "AK Night/1.bmp", "namesake");
    const std::string longName(150, 'L');
    const std::vector<std::string> cases[] = {{longName, longName}, {"AK Night."}, {"AK Night "}, {"Gr\xFCn \xE9t\xE9"}};
    for (const auto& levels : cases) {
        MadeFolders made;
        for (const std::string& level : levels) {
            made.paths.push_back((made.paths.empty() ? dir.base() : made.paths.back()) + "\\" + level);
            ASSERT_TRUE(host->createDirectory(made.paths.back())) << made.paths.back();
        }
        SCOPED_TRACE(made.paths.back());
        const std::string file = made.paths.back() + "\\1.bmp";
        EXPECT_TRUE(host->copyFile(dir.programPath("source.bmp"), file));
        std::string reason;
        auto input = host->openRead(file, reason);
        ASSERT_TRUE(input) << reason;
        char bytes[64];
        EXPECT_EQ(std::string(bytes, input->read(bytes, sizeof bytes)), "the set's own");
        input.reset();
        std::vector<FolderEntry> entries;
        const std::string parent = made.paths.size() > 1 ? made.paths[made.paths.size() - 2] : dir.base();
        EXPECT_TRUE(host->listFolder(parent + "\\*.*", entries));
        EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                                [&](const FolderEntry& e) { return e.isDirectory && e.name == levels.back(); }));
        EXPECT_TRUE(host->deleteFile(file));
    }
    EXPECT_EQ(readFile(dir / "AK Night/1.bmp"), "namesake");
}

// This leg's code page is 1252 (Wine's under C.UTF-8): it writes "ž" but no Cyrillic.
TEST_F(Win32Host, NamesTheCodePageCannotWriteAreMarkedAndNotOffered) {
    std::filesystem::create_directories(dir / "modsetup/knife/Gold");
    const std::wstring unwritable = *systemPath(dir.programPath("modsetup\\knife")) + L"\\No\x017E \x0416";
    ASSERT_TRUE(CreateDirectoryW(unwritable.c_str(), nullptr));
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(host->listFolder(dir.programPath("modsetup\\knife\\*.*"), entries));
    const auto marked = std::find_if(entries.begin(), entries.end(), [](const FolderEntry& e) {
        return e.nameUnrepresentable;
    });
    ASSERT_NE(marked, entries.end());
    EXPECT_EQ(marked->name, "No\x9E \\u{0416}");
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](const FolderEntry& e) { return e.nameUnrepresentable; }),
              1);
    EXPECT_EQ(scanSlotFolder(*host, dir.programPath("modsetup"), 11), std::vector<std::string>{"Gold"});
    RemoveDirectoryW(unwritable.c_str());
}

// What Windows makes of a plain path, kept in the \\?\ form: only the
// separators and the dots, never a trimmed name.
TEST(Win32Path, PlainPathsKeepTheirMeaningsInTheLongForm) {
    struct Case {
        std::wstring_view path;
        std::wstring_view base;
        std::wstring_view expected;  // empty: names no file
    };
    const Case cases[] = {
        {L"mods\\Desert\\", L"C:\\Game", L"\\\\?\\C:\\Game\\mods\\Desert"},
        {L"mods\\\\txt", L"C:\\Game\\", L"\\\\?\\C:\\Game\\mods\\txt"},
        {L"lib/1/./Gold/../AK Night.\\ x \\1.bmp", L"C:\\Game", L"\\\\?\\C:\\Game\\lib\\1\\AK Night.\\ x \\1.bmp"},
        {L"..\\..\\..\\x", L"C:\\Game", L"\\\\?\\C:\\x"},
        {L"D:x", L"D:\\Other", L"\\\\?\\D:\\Other\\x"},
        {L"\\x", L"D:\\Game", L"\\\\?\\D:\\x"},
        {L"\\x", L"\\\\server\\share\\dir", L"\\\\?\\UNC\\server\\share\\x"},
        {L"\\\\server\\share\\..\\x", L"C:\\", L"\\\\?\\UNC\\server\\share\\x"},
        {L"x", L"\\\\?\\C:\\Long", L"\\\\?\\C:\\Long\\x"},
        {L"C:\\", L"D:\\", L"\\\\?\\C:\\"},
        {L"\\\\?\\C:\\a\\..\\b.", L"D:\\", L"\\\\?\\C:\\a\\..\\b."},
        {L"\\\\server", L"C:\\", L""},
        {L"", L"C:\\", L""},
    };
    for (const Case& row : cases) {
        const auto path = extendedPath(row.path, row.base);
        EXPECT_EQ(path.value_or(L""), row.expected) << std::string(row.path.begin(), row.path.end());
    }
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
