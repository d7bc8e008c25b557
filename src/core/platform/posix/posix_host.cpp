// The host on Linux and other POSIX systems: its primitives over the POSIX
// calls. The program's paths are mapped with case_resolver.h, the name as
// spelt first; the user's own (usersOwnPaths) are used as they are.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "core/base/temporary_name.h"
#include "core/io/host.h"
#include "core/platform/posix/case_resolver.h"
#include "core/platform/posix/posix_confinement.h"
#include "core/platform/posix/posix_files.h"
#include "core/platform/posix/posix_shell.h"
#include "core/platform/posix/posix_trash.h"
#include "core/platform/system_names.h"

namespace modsetup {
namespace {

// The permissions of the program's own new files; a copy takes its source's.
constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kNewFolderMode = 0755;

int openPlainly(const std::string& hostPath, int flags) { return ::open(hostPath.c_str(), flags | O_CLOEXEC); }

class PosixNewFile final : public NewFile {
public:
    explicit PosixNewFile(int fd) : fd_(fd) {}
    ~PosixNewFile() override {
        if (fd_ >= 0) ::close(fd_);
    }
    bool write(const char* data, std::size_t size) override {
        while (error_ == 0 && size > 0) {
            const ssize_t written = ::write(fd_, data, size);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                // A write that takes nothing has met the end of the disk.
                error_ = written < 0 ? errno : ENOSPC;
                break;
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return error_ == 0;
    }
    // The failure is the first one met, in the system's words: a full disk
    // is reported as such, not as whatever a later call left in errno.
    Status finish(bool durable) override {
        if (error_ == 0 && durable && ::fsync(fd_) != 0) error_ = errno;
        if (::close(fd_) != 0 && error_ == 0) error_ = errno;
        fd_ = -1;
        if (error_ != 0) return failureOf(error_);
        return done();
    }

private:
    int fd_;
    int error_ = 0;
};

// A file held with an advisory lock, which the kernel drops with the
// process, however it ends.
class PosixHeldFile final : public HeldFile {
public:
    explicit PosixHeldFile(int fd) : fd_(fd) {}
    ~PosixHeldFile() override { ::close(fd_); }

private:
    int fd_;
};

// Brings a rename in the folder of hostPath to the disk: a file's bytes
// flushed before it is renamed are not enough, the folder's entry must be
// too, or a power cut can bring back the old name.
Status flushFolderOf(const std::string& hostPath) {
    const std::size_t cut = hostPath.rfind('/');
    const std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : hostPath.substr(0, cut);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return failureOf(errno);
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (error != 0) return failureOf(error);
    return done();
}

// The kernel's record of the running program file, not argv[0].
std::string readProgramPath() {
    std::string buffer(PATH_MAX, '\0');
    ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0) return {};
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
}

class PosixHost final : public Host {
public:
    // Read once: once the program file is replaced or deleted while the
    // program runs, the kernel reports its path with " (deleted)" appended.
    PosixHost() : programPath_(readProgramPath()) {}
    // exactPaths: each path is the system's own, used as it is.
    PosixHost(std::string programPath, bool exactPaths) : programPath_(std::move(programPath)), exact_(exactPaths) {}

    std::string programPath() override { return programPath_; }

    std::string workingDirectory() override {
        std::string buffer(PATH_MAX, '\0');
        if (::getcwd(buffer.data(), buffer.size()) == nullptr) return {};
        buffer.resize(std::strlen(buffer.c_str()));
        return buffer;
    }

    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override {
        struct stat info;
        const auto hostPath = stated(path, info, true);
        if (!hostPath) return failureOf(errno);
        return openStatedRegularFile(*hostPath, info, openPlainly);
    }

    Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* copyOf) override {
        const auto hostPath = mapped(path);
        if (!hostPath) return Cause::Missing;
        const int fd = ::open(hostPath->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              copyOf != nullptr ? permissionsOf(*copyOf, kNewFileMode) : kNewFileMode);
        if (fd < 0) return failureOf(errno);
        return std::unique_ptr<NewFile>(std::make_unique<PosixNewFile>(fd));
    }

    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        const auto source = mapped(from);
        const auto target = mapped(to);
        if (!source || !target) return Cause::Missing;
        if (::rename(source->c_str(), target->c_str()) != 0) return failureOf(errno);
        return durable ? flushFolderOf(*target) : done();
    }

    Status deleteFile(const std::string& path) override {
        const auto hostPath = mapped(path);
        struct stat info;
        if (!hostPath || ::lstat(hostPath->c_str(), &info) != 0) return Cause::Missing;
        if (S_ISDIR(info.st_mode)) return Cause::Failed;
        if (::unlink(hostPath->c_str()) != 0) return failureOf(errno);
        return done();
    }

    Status createDirectory(const std::string& path) override {
        const auto hostPath = mapped(path);
        if (!hostPath) return Cause::Missing;
        if (::mkdir(hostPath->c_str(), kNewFolderMode) != 0) return failureOf(errno);
        return done();
    }

    Status removeDirectory(const std::string& path) override {
        const auto hostPath = mapped(path);
        if (!hostPath) return Cause::Missing;
        if (::rmdir(hostPath->c_str()) != 0) return failureOf(errno);
        return done();
    }

    Status createLink(const std::string& existing, const std::string& link) override {
        const auto from = mapped(existing);
        const auto to = mapped(link);
        if (!from || !to) return Cause::Missing;
        if (::link(from->c_str(), to->c_str()) != 0) return failureOf(errno);
        return done();
    }

    Status moveFolder(const std::string& from, const std::string& to) override {
        const auto source = resolveHostPath(from);
        const auto target = resolveHostPath(to);
        if (!source || !target) return Cause::Missing;
        // rename(2) would replace an empty folder standing at the target.
        if (::renameat2(AT_FDCWD, source->c_str(), AT_FDCWD, target->c_str(), RENAME_NOREPLACE) != 0)
            return failureOf(errno);
        return done();
    }

    Status moveToTrash(const std::string& path) override {
        const auto hostPath = resolveHostPath(path);
        if (!hostPath) return Cause::Missing;
        return moveToFreedesktopTrash(*hostPath);
    }

    Result<std::unique_ptr<HeldFile>> holdFile(const std::string& path) override {
        const auto hostPath = resolveHostPath(path);
        if (!hostPath) return Cause::Missing;
        const int fd = ::open(hostPath->c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
        if (fd < 0) return failureOf(errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Failure{Cause::InUse, errorText(error)} : failureOf(error);
        }
        return std::unique_ptr<HeldFile>(std::make_unique<PosixHeldFile>(fd));
    }

    PathKind pathKind(const std::string& path) override {
        struct stat info;
        if (!stated(path, info, true)) return PathKind::Missing;
        return S_ISDIR(info.st_mode) ? PathKind::Directory : PathKind::File;
    }

    NodeKind nodeKind(const std::string& path) override {
        struct stat info;
        if (!stated(path, info, false)) return NodeKind::Missing;
        return nodeKindOf(info.st_mode);
    }

    std::optional<std::string> nameOnDisk(const std::string& path) override {
        const auto hostPath = mapped(path);
        struct stat info;
        if (!hostPath || ::lstat(hostPath->c_str(), &info) != 0) return std::nullopt;
        return hostPath->substr(hostPath->rfind('/') + 1);
    }

    Host& usersOwnPaths() override {
        if (exact_) return *this;
        if (!usersHost_) usersHost_ = std::make_unique<PosixHost>(programPath_, true);
        return *usersHost_;
    }

    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override {
        int fd = -1;
        if (!exact_) fd = openFolderAnyCase(folder, openPlainly);
        else if (const auto hostPath = mapped(folder)) fd = openPlainly(*hostPath, O_RDONLY | O_DIRECTORY);
        else errno = ENOENT;
        if (fd < 0) return failureOf(errno);
        return listOpenFolder(fd);
    }

    std::unique_ptr<Confinement> confine(const std::string& folder) override {
        struct stat info;
        auto hostPath = stated(folder, info, true);
        if (!hostPath) hostPath = exact_ ? mapped(folder) : hostPathAsGiven(folder);
        return std::make_unique<PosixConfinement>(hostPath.value_or(std::string()));
    }

    Status shellOpen(const std::string& path, WindowHandle /*owner*/) override {
        const auto hostPath = mapped(path);
        if (!hostPath) return failureOf(ENOENT);
        return openWithWine(*hostPath);
    }

private:
    // The host path of one of the program's paths, or of the user's own.
    std::optional<std::string> mapped(const std::string& path) const {
        if (!exact_) return resolveHostPath(path);
        if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
        return path;
    }

    // The host path with what stat (lstat when not followLast) says of it,
    // or nothing with errno set.
    std::optional<std::string> stated(const std::string& path, struct stat& info, bool followLast) const {
        if (!exact_) return statAnyCase(path, info, followLast);
        auto hostPath = mapped(path);
        if (!hostPath) {
            errno = ENOENT;
            return std::nullopt;
        }
        if ((followLast ? ::stat(hostPath->c_str(), &info) : ::lstat(hostPath->c_str(), &info)) != 0)
            return std::nullopt;
        return hostPath;
    }

    std::string programPath_;
    bool exact_ = false;
    std::unique_ptr<PosixHost> usersHost_;
};

}  // namespace

unsigned long processNumber() { return static_cast<unsigned long>(::getpid()); }

// File names here are the bytes the file system holds, UTF-8 by custom: any
// text has them.
SystemName systemNameFromUtf8(std::string_view utf8) { return {std::string(utf8), true}; }

std::unique_ptr<Host> makeSystemHost() { return std::make_unique<PosixHost>(); }

}  // namespace modsetup
