// The system host, as the program uses it, on whichever host the tests run:
// the program file's path, letter case, copies that replace, one-level folder
// creation, listings, and paths with a doubled backslash. Where the hosts
// differ each is held to its own rule.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/platform/host.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::fileExists;
using testing::readFile;
using testing::ScratchDir;
using testing::writeFile;

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

class SystemHost : public ::testing::Test {
protected:
    std::unique_ptr<Host> host = makeSystemHost();
    ScratchDir dir;

    std::string readAll(const std::string& path) {
        std::string reason;
        auto file = host->openRead(path, reason);
        if (!file) return "<" + reason + ">";
        std::string content;
        char buffer[256];
        while (std::size_t got = file->read(buffer, sizeof buffer)) content.append(buffer, got);
        return content;
    }

    const FolderEntry* find(const std::vector<FolderEntry>& entries, const std::string& name) {
        auto it = std::find_if(entries.begin(), entries.end(), [&](const FolderEntry& e) { return e.name == name; });
        return it == entries.end() ? nullptr : &*it;
    }
};

TEST_F(SystemHost, ProgramPathNamesTheRunningProgramFile) {
    const std::string path = host->programPath();
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
    EXPECT_TRUE(std::filesystem::path(path).is_absolute()) << path;
    std::string name = std::filesystem::path(path).filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    // On Windows the four characters ConfigBase drops are the ".exe" suffix.
    EXPECT_EQ(name, kWindows ? "core_tests.exe" : "core_tests");
    if (kWindows) {
        EXPECT_EQ(path.substr(1, 2), ":\\") << "a drive path with backslashes";
    }
}

TEST_F(SystemHost, NamesAreFoundWhateverTheirLetterCase) {
    writeFile(dir / "set/Weapons-gfx/AK74-Bullet.bmp", "bullet");
    const std::string spelledOtherwise = dir.programPath("SET\\weapons-gfx\\ak74-bullet.BMP");
    EXPECT_EQ(host->pathKind(spelledOtherwise), PathKind::File);
    EXPECT_EQ(host->pathKind(dir.programPath("set\\WEAPONS-GFX")), PathKind::Directory);
    EXPECT_EQ(readAll(spelledOtherwise), "bullet");

    // A copy into "gostek-gfx" lands in the existing "Gostek-gfx", not in a new folder.
    std::filesystem::create_directories(dir / "mod/Gostek-gfx");
    ASSERT_TRUE(host->copyFile(spelledOtherwise, dir.programPath("mod\\gostek-gfx\\bullet.bmp")));
    EXPECT_EQ(readFile(dir / "mod/Gostek-gfx/bullet.bmp"), "bullet");
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(host->listFolder(dir.programPath("mod\\*.*"), entries));
    EXPECT_TRUE(find(entries, "Gostek-gfx")) << "names are listed in their own letter case";
    EXPECT_FALSE(find(entries, "gostek-gfx"));
}

TEST_F(SystemHost, CopyReplacesAnExistingTargetWhole) {
    writeFile(dir / "source.wav", "short");
    writeFile(dir / "target.wav", "a much longer earlier content");
    ASSERT_TRUE(host->copyFile(dir.programPath("source.wav"), dir.programPath("target.wav")));
    EXPECT_EQ(readFile(dir / "target.wav"), "short");
    EXPECT_EQ(readFile(dir / "source.wav"), "short");
}

TEST_F(SystemHost, FailedCopiesReportFailureAndTouchNothing) {
    writeFile(dir / "target.wav", "kept");
    EXPECT_FALSE(host->copyFile(dir.programPath("missing.wav"), dir.programPath("target.wav")));
    EXPECT_EQ(readFile(dir / "target.wav"), "kept");

    writeFile(dir / "source.wav", "data");
    std::filesystem::create_directory(dir / "folder.wav");
    EXPECT_FALSE(host->copyFile(dir.programPath("source.wav"), dir.programPath("folder.wav")));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.wav"));
    EXPECT_FALSE(host->copyFile(dir.programPath("source.wav"), dir.programPath("no folder\\x.wav")));
    EXPECT_FALSE(host->copyFile(dir.programPath("folder.wav"), dir.programPath("copy.wav")));
    EXPECT_FALSE(fileExists(dir / "copy.wav"));
}

TEST_F(SystemHost, CreateDirectoryMakesOneLevelOnly) {
    EXPECT_TRUE(host->createDirectory(dir.programPath("mods")));
    EXPECT_FALSE(host->createDirectory(dir.programPath("mods"))) << "already there";
    EXPECT_FALSE(host->createDirectory(dir.programPath("missing\\txt")));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_TRUE(host->createDirectory(dir.programPath("mods\\Desert")));
    EXPECT_EQ(host->pathKind(dir.programPath("mods\\Desert")), PathKind::Directory);
}

TEST_F(SystemHost, DeleteRemovesFilesOnly) {
    writeFile(dir / "weapons.ini", "x");
    std::filesystem::create_directory(dir / "txt");
    EXPECT_TRUE(host->deleteFile(dir.programPath("weapons.ini")));
    EXPECT_EQ(host->pathKind(dir.programPath("weapons.ini")), PathKind::Missing);
    EXPECT_FALSE(host->deleteFile(dir.programPath("weapons.ini")));
    EXPECT_FALSE(host->deleteFile(dir.programPath("txt")));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "txt"));
}

TEST_F(SystemHost, OpenReadGivesTheHostsReasonForEachFailure) {
    std::filesystem::create_directory(dir / "folder.bmp");
    std::string missing, folder;
    EXPECT_FALSE(host->openRead(dir.programPath("missing.bmp"), missing));
    EXPECT_FALSE(host->openRead(dir.programPath("folder.bmp"), folder));
    EXPECT_FALSE(missing.empty());
    EXPECT_FALSE(folder.empty());
    EXPECT_NE(missing, folder) << "a folder is refused, not missing";
}

TEST_F(SystemHost, ListingGivesEveryEntryWithItsKind) {
    std::filesystem::create_directories(dir / "lib/1/Gold");
    std::filesystem::create_directories(dir / "lib/1/.dotted");
    writeFile(dir / "lib/1/readme.txt", "x");
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(host->listFolder(dir.programPath("lib\\1\\*.*"), entries));
    ASSERT_TRUE(find(entries, "Gold"));
    EXPECT_TRUE(find(entries, "Gold")->isDirectory);
    ASSERT_TRUE(find(entries, "readme.txt"));
    EXPECT_FALSE(find(entries, "readme.txt")->isDirectory);
    // A leading dot makes nothing hidden; on Windows only the attribute does.
    ASSERT_TRUE(find(entries, ".dotted"));
    EXPECT_FALSE(find(entries, ".dotted")->isHidden);
    for (const auto& entry : entries) EXPECT_FALSE(entry.isSystem) << entry.name;

    entries.clear();
    std::filesystem::create_directories(dir / "lib/empty");
    ASSERT_TRUE(host->listFolder(dir.programPath("lib\\empty\\*.*"), entries));
    for (const auto& entry : entries) EXPECT_TRUE(entry.name == "." || entry.name == "..") << entry.name;

    entries.clear();
    EXPECT_FALSE(host->listFolder(dir.programPath("lib\\missing\\*.*"), entries));
    EXPECT_TRUE(entries.empty());
}

// An empty ModName or list text joins two backslashes into a path, as in
// "mods\" + "" + "\txt". Windows reads the pair as one backslash, so the
// folder lands directly below "mods"; the POSIX host treats such a path as
// naming no file, so nothing is written outside the game mod folder.
TEST_F(SystemHost, DoubledBackslashFollowsTheHostsRule) {
    std::filesystem::create_directories(dir / "mods");
    writeFile(dir / "set/1.bmp", "one");
    const bool created = host->createDirectory(dir.programPath("mods\\\\txt"));
    const bool copied = host->copyFile(dir.programPath("set\\\\1.bmp"), dir.programPath("mods\\\\1.bmp"));
    const PathKind kind = host->pathKind(dir.programPath("set\\\\1.bmp"));
    std::string reason;
    const bool opened = host->openRead(dir.programPath("set\\\\1.bmp"), reason) != nullptr;
    if (kWindows) {
        EXPECT_TRUE(created);
        EXPECT_TRUE(std::filesystem::is_directory(dir / "mods/txt"));
        EXPECT_TRUE(copied);
        EXPECT_EQ(readFile(dir / "mods/1.bmp"), "one");
        EXPECT_EQ(kind, PathKind::File);
        EXPECT_TRUE(opened);
    } else {
        EXPECT_FALSE(created);
        EXPECT_FALSE(std::filesystem::exists(dir / "mods/txt"));
        EXPECT_FALSE(copied);
        EXPECT_FALSE(fileExists(dir / "mods/1.bmp"));
        EXPECT_EQ(kind, PathKind::Missing);
        EXPECT_FALSE(opened);
        EXPECT_FALSE(reason.empty());
    }
}

}  // namespace
}  // namespace modsetup
