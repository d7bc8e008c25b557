// The host on Linux and other POSIX systems.
#include "core/platform/case_resolver.h"
#include "core/platform/host.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

extern char** environ;

namespace modsetup {
namespace {

std::string errorText(int error) { return std::strerror(error); }

class PosixInputFile final : public InputFile {
public:
    explicit PosixInputFile(int fd) : fd_(fd) {}
    ~PosixInputFile() override { ::close(fd_); }
    std::size_t read(char* buffer, std::size_t size) override {
        for (;;) {
            ssize_t got = ::read(fd_, buffer, size);
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) return 0;
        }
    }

private:
    int fd_;
};

// Writes to "<target>.~<pid>" in the target's folder and renames it over the
// target on commit, so the target holds either its old or its complete new
// content, whatever happens meanwhile.
class PosixOutputFile final : public OutputFile {
public:
    PosixOutputFile(int fd, std::string temporary, std::string target)
        : fd_(fd), temporary_(std::move(temporary)), target_(std::move(target)) {}
    ~PosixOutputFile() override {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(temporary_.c_str());
    }
    bool write(const char* data, std::size_t size) override {
        while (ok_ && size > 0) {
            ssize_t written = ::write(fd_, data, size);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                ok_ = false;
                break;
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return ok_;
    }
    bool commit() override {
        if (!ok_ || committed_) return false;
        ok_ = ::fsync(fd_) == 0;
        ok_ = (::close(fd_) == 0) && ok_;
        fd_ = -1;
        if (ok_ && ::rename(temporary_.c_str(), target_.c_str()) == 0) committed_ = true;
        ok_ = committed_;
        return committed_;
    }

private:
    int fd_;
    std::string temporary_;
    std::string target_;
    bool ok_ = true;
    bool committed_ = false;
};

class PosixHost final : public Host {
public:
    std::string programPath() override {
        // The kernel's record of the running program file, not argv[0].
        std::string buffer(PATH_MAX, '\0');
        ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length <= 0) return {};
        buffer.resize(static_cast<std::size_t>(length));
        return buffer;
    }

    std::unique_ptr<InputFile> openRead(const std::string& path, std::string& reason) override {
        auto hostPath = resolveHostPath(path);
        if (!hostPath) {
            reason = errorText(ENOENT);
            return nullptr;
        }
        int fd = ::open(hostPath->c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            reason = errorText(errno);
            return nullptr;
        }
        struct stat info;
        if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
            ::close(fd);
            reason = errorText(EACCES);  // as Windows answers for a folder
            return nullptr;
        }
        return std::make_unique<PosixInputFile>(fd);
    }

    std::unique_ptr<OutputFile> openReplace(const std::string& path) override {
        auto hostPath = resolveHostPath(path);
        if (!hostPath) return nullptr;
        struct stat info;
        if (::stat(hostPath->c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return nullptr;
        std::string temporary = *hostPath + ".~" + std::to_string(::getpid());
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixOutputFile>(fd, std::move(temporary), std::move(*hostPath));
    }

    bool createDirectory(const std::string& path) override {
        auto hostPath = resolveHostPath(path);
        return hostPath && ::mkdir(hostPath->c_str(), 0755) == 0;
    }

    bool deleteFile(const std::string& path) override {
        auto hostPath = resolveHostPath(path);
        struct stat info;
        if (!hostPath || ::lstat(hostPath->c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
        return ::unlink(hostPath->c_str()) == 0;
    }

    bool copyFile(const std::string& source, const std::string& target) override;

    PathKind pathKind(const std::string& path) override {
        auto hostPath = resolveHostPath(path);
        struct stat info;
        if (!hostPath || ::stat(hostPath->c_str(), &info) != 0) return PathKind::Missing;
        return S_ISDIR(info.st_mode) ? PathKind::Directory : PathKind::File;
    }

    bool listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override;

    void shellOpen(const std::string& path, WindowHandle owner) override;
};

bool PosixHost::copyFile(const std::string& source, const std::string& target) {
    auto sourcePath = resolveHostPath(source);
    auto targetPath = resolveHostPath(target);
    if (!sourcePath || !targetPath) return false;
    int in = ::open(sourcePath->c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat info;
    if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(in);
        return false;
    }
    // Like the Windows copy, the target is replaced in place: it is opened,
    // truncated and filled; a folder standing at the target makes the copy fail.
    int out = ::open(targetPath->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, info.st_mode & 0777);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[1 << 16];
    for (;;) {
        ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ok = false;
        if (got <= 0) break;
        for (ssize_t done = 0; done < got;) {
            ssize_t written = ::write(out, buffer + done, static_cast<std::size_t>(got - done));
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                ok = false;
                break;
            }
            done += written;
        }
        if (!ok) break;
    }
    ::close(in);
    return (::close(out) == 0) && ok;
}

bool PosixHost::listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) {
    // The pattern is always "<folder>\*.*", which matches every entry.
    std::string folder = pattern;
    auto cut = folder.find_last_of("\\/");
    folder = cut == std::string::npos ? std::string() : folder.substr(0, cut);
    auto hostPath = resolveHostPath(folder.empty() ? "." : folder);
    if (!hostPath) return false;
    DIR* dir = ::opendir(hostPath->c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = ::readdir(dir)) {
        FolderEntry item;
        item.name = entry->d_name;
        if (entry->d_type == DT_DIR) {
            item.isDirectory = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info;
            std::string full = *hostPath + "/" + item.name;
            item.isDirectory = ::stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        entries.push_back(std::move(item));
    }
    ::closedir(dir);
    return true;
}

void PosixHost::shellOpen(const std::string& path, WindowHandle /*owner*/) {
    // Hand the document to the desktop's opener, detached: the program ends
    // right after and never waits for it.
    auto hostPath = resolveHostPath(path);
    if (!hostPath) return;
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string opener = "xdg-open";
    char* argv[] = {opener.data(), hostPath->data(), nullptr};
    pid_t child;
    posix_spawnp(&child, "xdg-open", nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
}

}  // namespace

std::unique_ptr<Host> makeSystemHost() { return std::make_unique<PosixHost>(); }

}  // namespace modsetup
