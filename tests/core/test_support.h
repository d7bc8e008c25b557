#pragma once
// Shared helpers of the core tests: a scratch folder per test, whole-file
// reads and writes, and paths in the program's own backslash form.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/forwarding_host.h"

namespace modsetup::testing {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// A fresh folder below the system's temporary folder, removed at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program writes paths: host form, then backslash pieces.
    std::string base() const { return path_.string(); }
    // base() + "\" + relative with its "/" turned into "\".
    std::string programPath(std::string_view relative) const;
    std::filesystem::path operator/(std::string_view relative) const { return path_ / std::filesystem::path(relative); }

private:
    std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, std::string_view bytes);  // makes parent folders
std::string readFile(const std::filesystem::path& path);                    // "" when missing
bool fileExists(const std::filesystem::path& path);

// A host that runs as if its program file were elsewhere, so that ConfigBase
// points into a scratch folder.
class ProgramFileHost : public ForwardingHost {
public:
    ProgramFileHost(Host& inner, std::string program) : ForwardingHost(inner), program_(std::move(program)) {}
    std::string programPath() override { return program_; }

private:
    std::string program_;
};

// The reads of a host, confining nothing: the confinement of a host that
// holds no links (the one in memory), or of a test's host that stands in for
// the library's files itself.
class UnconfinedReads final : public Confinement {
public:
    explicit UnconfinedReads(Host& host) : host_(host) {}
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override { return host_.openRead(path); }
    PathKind pathKind(const std::string& path) override { return host_.pathKind(path); }
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override { return host_.listFolder(folder); }

private:
    Host& host_;
};

// Makes the working directory a given folder for the lifetime of the object.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path);
    ~WorkingDirectory();

private:
    std::filesystem::path previous_;
};

// Makes a symbolic link at at leading to target (relative to at's folder
// when relative); false when the file system cannot hold one.
bool makeLink(const std::filesystem::path& target, const std::filesystem::path& at);
// Removes such a link, not what it leads to.
void removeLink(const std::filesystem::path& at);

#ifndef _WIN32
// Runs work on a thread of its own and tells whether it finished within the
// limit. When it did not, it is blocked on one of the named pipes given: each
// is opened for writing and closed again until the work is done, which ends
// any open or read that waits on a pipe, so a hang becomes a failed check.
bool finishesWithoutBlocking(const std::function<void()>& work, const std::vector<std::filesystem::path>& pipes,
                             std::chrono::seconds limit = std::chrono::seconds(10));

// Lowers the size of file this process may write for the lifetime of the
// object (a write past it fails instead of ending the process), so that a
// copy of an endless device fails soon rather than filling the disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uintmax_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uintmax_t previous_;
    void (*previousHandler_)(int);
};

// The next line another process writes to fd, without its LF; empty when
// none comes within the limit or the other end is closed first.
std::string readLineWithin(int fd, std::chrono::seconds limit);
#endif

}  // namespace modsetup::testing
