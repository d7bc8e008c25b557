// The system host, as the program uses it, on whichever host the tests run:
// the program file's path, letter case, copies that replace, one-level folder
// creation, listings, and paths with a doubled backslash; and what a hostile
// set library may plant: paths holding a NUL byte, named pipes and devices,
// files at the temporary names, set files that are their own targets. Where
// the hosts differ each is held to its own rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "core/io/file_writes.h"
#include "core/io/host.h"
#include "core/io/line_file.h"
#include "core/report/messages.h"
#include "test_support.h"

#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace modsetup {
namespace {

using testing::fileExists;
using testing::readFile;
using testing::ScratchDir;
using testing::writeFile;

using testing::kWindows;

// The name of the first temporary file the host tries for a target.
std::filesystem::path firstTemporary(const std::filesystem::path& target) {
#ifdef _WIN32
    const auto process = _getpid();
#else
    const auto process = ::getpid();
#endif
    return target.string() + ".~" + std::to_string(process);
}

std::size_t entriesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

class SystemHost : public ::testing::Test {
protected:
    std::unique_ptr<Host> host = makeSystemHost();
    ScratchDir dir;

    std::string readAll(const std::string& path) {
        auto file = host->openRead(path);
        if (!file.ok()) return std::string("<").append(failureText(file.failure())) + ">";
        std::string content;
        char buffer[256];
        while (std::size_t got = file.value()->read(buffer, sizeof buffer)) content.append(buffer, got);
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
    // A file standing where a folder is needed names nothing.
    EXPECT_EQ(host->pathKind(dir.programPath("set\\Weapons-gfx\\AK74-Bullet.bmp\\x")), PathKind::Missing);
#ifndef _WIN32
    // A name spelt as on disk is the one taken where several differ in case.
    writeFile(dir / "set/Weapons-gfx/ak74-bullet.bmp", "lower");
    EXPECT_EQ(readAll(dir.programPath("set\\Weapons-gfx\\ak74-bullet.bmp")), "lower");
    EXPECT_EQ(readAll(dir.programPath("set\\Weapons-gfx\\AK74-Bullet.bmp")), "bullet");
#endif

    // A copy into "gostek-gfx" lands in the existing "Gostek-gfx", not in a new folder.
    std::filesystem::create_directories(dir / "mod/Gostek-gfx");
    ASSERT_TRUE(copyFile(*host, spelledOtherwise, dir.programPath("mod\\gostek-gfx\\bullet.bmp")).ok());
    EXPECT_EQ(readFile(dir / "mod/Gostek-gfx/bullet.bmp"), "bullet");
    const auto listed = host->listFolder(dir.programPath("mod"));
    ASSERT_TRUE(listed.ok());
    const std::vector<FolderEntry>& entries = listed.value();
    EXPECT_TRUE(find(entries, "Gostek-gfx")) << "names are listed in their own letter case";
    EXPECT_FALSE(find(entries, "gostek-gfx"));
}

TEST_F(SystemHost, CopyReplacesAnExistingTargetWhole) {
    writeFile(dir / "source.wav", "short");
    writeFile(dir / "target.wav", "a much longer earlier content");
    ASSERT_TRUE(copyFile(*host, dir.programPath("source.wav"), dir.programPath("target.wav")).ok());
    EXPECT_EQ(readFile(dir / "target.wav"), "short");
    EXPECT_EQ(readFile(dir / "source.wav"), "short");

    // Of the same size, differing only in the last byte of a long file, or not at all.
    const std::string long1 = std::string(100'000, 's') + "1";
    for (const std::string& before : {std::string(100'000, 's') + "2", long1}) {
        writeFile(dir / "source.wav", long1);
        writeFile(dir / "target.wav", before);
        ASSERT_TRUE(copyFile(*host, dir.programPath("source.wav"), dir.programPath("target.wav")).ok());
        EXPECT_TRUE(readFile(dir / "target.wav") == long1);
    }
}

// Each says why: a missing source (also one through a file) is no failure of
// Apply's, one that is there but cannot be read (a folder) is.
TEST_F(SystemHost, FailedCopiesReportFailureAndTouchNothing) {
    writeFile(dir / "target.wav", "kept");
    EXPECT_EQ(copyFile(*host, dir.programPath("missing.wav"), dir.programPath("target.wav")).cause(), Cause::Missing);
    EXPECT_EQ(readFile(dir / "target.wav"), "kept");

    writeFile(dir / "source.wav", "data");
    std::filesystem::create_directory(dir / "folder.wav");
    EXPECT_EQ(copyFile(*host, dir.programPath("source.wav"), dir.programPath("folder.wav")).cause(), Cause::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.wav"));
    EXPECT_FALSE(copyFile(*host, dir.programPath("source.wav"), dir.programPath("no folder\\x.wav")).ok());
    EXPECT_EQ(copyFile(*host, dir.programPath("folder.wav"), dir.programPath("copy.wav")).cause(), Cause::Unreadable);
    EXPECT_EQ(copyFile(*host, dir.programPath("source.wav\\x.wav"), dir.programPath("copy.wav")).cause(),
              Cause::Missing);
    EXPECT_FALSE(fileExists(dir / "copy.wav"));
}

TEST_F(SystemHost, CreateDirectoryMakesOneLevelOnly) {
    EXPECT_TRUE(host->createDirectory(dir.programPath("mods")).ok());
    EXPECT_EQ(host->createDirectory(dir.programPath("mods")).cause(), Cause::Exists);
    EXPECT_FALSE(host->createDirectory(dir.programPath("missing\\txt")).ok());
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_TRUE(host->createDirectory(dir.programPath("mods\\Desert")).ok());
    EXPECT_EQ(host->pathKind(dir.programPath("mods\\Desert")), PathKind::Directory);
}

TEST_F(SystemHost, DeleteRemovesFilesOnly) {
    writeFile(dir / "weapons.ini", "x");
    std::filesystem::create_directory(dir / "txt");
    EXPECT_TRUE(host->deleteFile(dir.programPath("weapons.ini")).ok());
    EXPECT_EQ(host->pathKind(dir.programPath("weapons.ini")), PathKind::Missing);
    EXPECT_EQ(host->deleteFile(dir.programPath("weapons.ini")).cause(), Cause::Missing);
    EXPECT_EQ(host->deleteFile(dir.programPath("txt")).cause(), Cause::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "txt"));
}

// A file written on while it is read (or without end) gives what it held when
// it was opened, and no more.
TEST_F(SystemHost, AFileIsReadAsFarAsItReachedWhenOpened) {
    writeFile(dir / "growing.txt", "first");
    auto file = host->openRead(dir.programPath("growing.txt"));
    ASSERT_TRUE(file.ok()) << file.failure().systemText;
    std::ofstream(dir / "growing.txt", std::ios::app) << " and more";
    char buffer[64];
    std::string got;
    while (const std::size_t n = file.value()->read(buffer, sizeof buffer)) got.append(buffer, n);
    EXPECT_EQ(got, "first");
}

TEST_F(SystemHost, OpenReadGivesTheCauseAndTheHostsReasonForEachFailure) {
    std::filesystem::create_directory(dir / "folder.bmp");
    const auto missing = host->openRead(dir.programPath("missing.bmp"));
    const auto folder = host->openRead(dir.programPath("folder.bmp"));
    ASSERT_FALSE(missing.ok());
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(missing.cause(), Cause::Missing);
    EXPECT_EQ(folder.cause(), Cause::Unreadable) << "a folder is refused, not missing";
    EXPECT_FALSE(missing.failure().systemText.empty());
    EXPECT_FALSE(folder.failure().systemText.empty());
}

TEST_F(SystemHost, ListingGivesEveryEntryWithItsKind) {
    std::filesystem::create_directories(dir / "lib/1/Gold");
    std::filesystem::create_directories(dir / "lib/1/.dotted");
    writeFile(dir / "lib/1/readme.txt", "x");
    auto listed = host->listFolder(dir.programPath("lib\\1"));
    ASSERT_TRUE(listed.ok());
    std::vector<FolderEntry> entries = listed.value();
    ASSERT_TRUE(find(entries, "Gold"));
    EXPECT_TRUE(find(entries, "Gold")->isDirectory);
    ASSERT_TRUE(find(entries, "readme.txt"));
    EXPECT_FALSE(find(entries, "readme.txt")->isDirectory);
    // A leading dot makes nothing hidden; on Windows only the attribute does.
    ASSERT_TRUE(find(entries, ".dotted"));
    EXPECT_FALSE(find(entries, ".dotted")->isHidden);
    for (const auto& entry : entries) EXPECT_FALSE(entry.isSystem) << entry.name;

    std::filesystem::create_directories(dir / "lib/empty");
    listed = host->listFolder(dir.programPath("lib\\empty"));
    ASSERT_TRUE(listed.ok());
    for (const auto& entry : listed.value()) EXPECT_TRUE(entry.name == "." || entry.name == "..") << entry.name;

    EXPECT_EQ(host->listFolder(dir.programPath("lib\\missing")).cause(), Cause::Missing);
}

// An empty ModName or list text joins two backslashes into a path, as in
// "mods\" + "" + "\txt". Windows reads the pair as one backslash, so the
// folder lands directly below "mods"; the POSIX host treats such a path as
// naming no file, so nothing is written outside the game mod folder.
TEST_F(SystemHost, DoubledBackslashFollowsTheHostsRule) {
    std::filesystem::create_directories(dir / "mods");
    writeFile(dir / "set/1.bmp", "one");
    const bool created = host->createDirectory(dir.programPath("mods\\\\txt")).ok();
    const bool copied = copyFile(*host, dir.programPath("set\\\\1.bmp"), dir.programPath("mods\\\\1.bmp")).ok();
    const PathKind kind = host->pathKind(dir.programPath("set\\\\1.bmp"));
    const auto read = host->openRead(dir.programPath("set\\\\1.bmp"));
    const bool opened = read.ok();
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
        EXPECT_EQ(read.cause(), Cause::Missing);
    }
}

// A path "<existing file>" NUL "\1.bmp" read up to the NUL would name that
// file: every operation takes it for a path of no file at all.
TEST_F(SystemHost, APathHoldingANulByteNamesNoFile) {
    writeFile(dir / "secret.txt", "secret");
    writeFile(dir / "target.bmp", "kept");
    std::filesystem::create_directory(dir / "folder");
    const std::string nul(1, '\0');
    const std::string secret = dir.programPath("secret.txt") + nul + "\\1.bmp";

    EXPECT_EQ(host->openRead(secret).cause(), Cause::Missing) << "refused as a missing file";
    EXPECT_EQ(host->pathKind(secret), PathKind::Missing);
    EXPECT_EQ(copyFile(*host, secret, dir.programPath("copy.bmp")).cause(), Cause::Missing);
    EXPECT_FALSE(copyFile(*host, dir.programPath("secret.txt"), dir.programPath("target.bmp") + nul + "x").ok());
    EXPECT_FALSE(openReplace(*host, dir.programPath("target.bmp") + nul + "x").ok());
    EXPECT_FALSE(host->deleteFile(dir.programPath("secret.txt") + nul).ok());
    EXPECT_FALSE(host->createDirectory(dir.programPath("made") + nul + "\\x").ok());
    EXPECT_FALSE(host->listFolder(dir.programPath("folder") + nul).ok());
    const Status opened = host->shellOpen(dir.programPath("secret.txt") + nul + ".bat", 0);
    ASSERT_FALSE(opened.ok());
    EXPECT_FALSE(opened.failure().systemText.empty());

    EXPECT_EQ(readFile(dir / "secret.txt"), "secret");
    EXPECT_EQ(readFile(dir / "target.bmp"), "kept");
    EXPECT_EQ(entriesIn(dir.path()), 3u) << "nothing was made or left beside them";
}

// Something planted at the name of a save's or a copy's temporary file is
// neither written through nor overwritten: the write takes another name.
TEST_F(SystemHost, WhatStandsAtTheTemporaryNameIsNeitherFollowedNorOverwritten) {
    writeFile(dir / "outside/victim.txt", "victim");
    writeFile(dir / "new.wav", "new sound");
    struct Planted {
        const char* what;
        bool link;
    };
    std::vector<Planted> planted = {{"a file", false}};
    if (!kWindows) planted.push_back({"a link to a file elsewhere", true});
    int round = 0;
    for (const Planted& plant : planted) {
        for (const bool copy : {false, true}) {
            SCOPED_TRACE(std::string(plant.what) + (copy ? ", copy" : ", save"));
            const std::string name = "target" + std::to_string(round++) + ".ini";
            writeFile(dir / name, "old");
            const auto temporary = firstTemporary(dir / name);
            if (plant.link) std::filesystem::create_symlink(dir / "outside/victim.txt", temporary);
            else writeFile(temporary, "planted");

            if (copy) {
                EXPECT_TRUE(copyFile(*host, dir.programPath("new.wav"), dir.programPath(name)).ok());
            } else {
                LineFile file(*host);
                ASSERT_TRUE(file.openWrite(dir.programPath(name)).ok());
                file.writeLine("new");
                EXPECT_TRUE(file.close().ok());
            }
            EXPECT_EQ(readFile(dir / name), copy ? "new sound" : "new\r\n");
            EXPECT_FALSE(std::filesystem::is_symlink(dir / name));
            EXPECT_EQ(readFile(dir / "outside/victim.txt"), "victim");
            if (plant.link) EXPECT_TRUE(std::filesystem::is_symlink(temporary));
            else EXPECT_EQ(readFile(temporary), "planted");
            std::filesystem::remove(temporary);
        }
    }
    EXPECT_EQ(entriesIn(dir.path()), 2u + 2u * planted.size()) << "no other temporary file stays";
}

// A set file that is the very file it is copied onto: as a hard link (a copy
// of an installed mod folder kept as a set), or through a linked folder.
TEST_F(SystemHost, ACopyOntoTheSameFileLeavesItWholeAndIsDone) {
    writeFile(dir / "mods/Desert/sfx/fire.wav", "installed sound");
    std::filesystem::create_directories(dir / "set/sfx");
    std::filesystem::create_hard_link(dir / "mods/Desert/sfx/fire.wav", dir / "set/sfx/fire.wav");
    EXPECT_TRUE(
        copyFile(*host, dir.programPath("set\\sfx\\fire.wav"), dir.programPath("mods\\Desert\\sfx\\fire.wav")).ok());
    EXPECT_EQ(readFile(dir / "mods/Desert/sfx/fire.wav"), "installed sound");
    EXPECT_EQ(readFile(dir / "set/sfx/fire.wav"), "installed sound");
    if (!kWindows) {
        std::filesystem::create_directory_symlink(dir / "mods/Desert", dir / "linked set");
        EXPECT_TRUE(copyFile(*host, dir.programPath("linked set\\sfx\\fire.wav"),
                             dir.programPath("mods\\Desert\\sfx\\fire.wav"))
                        .ok());
        EXPECT_EQ(readFile(dir / "mods/Desert/sfx/fire.wav"), "installed sound");
    }
    EXPECT_EQ(entriesIn(dir / "mods/Desert/sfx"), 1u);
}

#ifndef _WIN32
// A copy that runs out of disk space midway (here: of the file size a process
// may write) leaves the earlier install as it was, and says why.
TEST_F(SystemHost, ACopyThatFailsMidwayLeavesTheOldTargetWhole) {
    writeFile(dir / "new.wav", std::string(1 << 20, 'n'));
    writeFile(dir / "target.wav", "the earlier install");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails instead of ending the process
        const rlimit limit{64 << 10, 64 << 10};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        // The system's own words for why reach the caller.
        const Status copied = copyFile(*host, dir.programPath("new.wav"), dir.programPath("target.wav"));
        ::_exit(!copied.ok() && copied.failure().systemText == std::strerror(EFBIG) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed copy reported success";
    EXPECT_EQ(readFile(dir / "target.wav"), "the earlier install");
    EXPECT_EQ(entriesIn(dir.path()), 2u) << "the temporary file is removed";
}

// A named pipe, a link to an endless device and a socket where a file is
// expected: never opened for reading nor copied, so nothing waits for a
// writer or reads without end. Each still exists.
TEST_F(SystemHost, NamedPipesDevicesAndSocketsAreNeverOpenedNorCopied) {
    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.wav");
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socketFd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (dir / "socket.ini").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    writeFile(dir / "target.wav", "kept");
    const testing::FileSizeLimit noEndlessCopy(64 << 20);

    for (const char* name : {"pipe.bmp", "zero.wav", "socket.ini"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.programPath(name);
        Cause opened = Cause::Failed;
        Cause copied = Cause::Failed;
        ASSERT_TRUE(testing::finishesWithoutBlocking(
            [&] {
                opened = host->openRead(path).cause();
                copied = copyFile(*host, path, dir.programPath("target.wav")).cause();
            },
            {dir / "pipe.bmp"}));
        EXPECT_EQ(opened, Cause::NotRegular);
        EXPECT_EQ(copied, Cause::Unreadable);
        EXPECT_EQ(readFile(dir / "target.wav"), "kept");
        EXPECT_EQ(host->pathKind(path), PathKind::File) << "it exists";
    }
    ::close(socketFd);
}

// The program file replaced while the program runs (an update unpacked over
// it): the kernel then reports the old file's path with " (deleted)", and a
// set library looked for there would not be found. A probe program, copied
// into the scratch folder as modsetup.exe, makes its host, waits while its
// file is replaced, and tells the path its host reports.
TEST_F(SystemHost, AProgramFileReplacedWhileItRunsKeepsItsPath) {
    const std::filesystem::path program = std::filesystem::canonical(dir.path()) / "modsetup.exe";
    std::filesystem::copy_file(MODSETUP_PROGRAM_PATH_PROBE, program);
    int toProbe[2];
    int fromProbe[2];
    ASSERT_EQ(::pipe(toProbe), 0);
    ASSERT_EQ(::pipe(fromProbe), 0);
    const pid_t probe = ::fork();
    ASSERT_GE(probe, 0);
    if (probe == 0) {
        ::dup2(toProbe[0], STDIN_FILENO);
        ::dup2(fromProbe[1], STDOUT_FILENO);
        ::execl(program.c_str(), "modsetup.exe", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(toProbe[0]);
    ::close(fromProbe[1]);
    const std::string ready = testing::readLineWithin(fromProbe[0], std::chrono::seconds(20));
    EXPECT_EQ(ready, "ready");
    writeFile(dir / "modsetup.exe.new", "the next version");
    std::filesystem::rename(dir / "modsetup.exe.new", program);
    EXPECT_EQ(::write(toProbe[1], "go\n", 3), 3);
    const std::string reported = testing::readLineWithin(fromProbe[0], std::chrono::seconds(20));
    ::close(toProbe[1]);
    ::close(fromProbe[0]);
    if (reported.empty()) ::kill(probe, SIGKILL);
    int status = 0;
    ::waitpid(probe, &status, 0);
    EXPECT_EQ(reported, program.string());
}
#endif

}  // namespace
}  // namespace modsetup
