#include "core/platform/posix/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/io/file_reads.h"
#include "core/platform/posix/case_resolver.h"

namespace modsetup {
namespace {

// True for the errors of a name that is not there as spelt (a component
// missing, or one that is a file where a folder is needed).
bool isMissing(int error) { return error == ENOENT || error == ENOTDIR; }

class PosixInputFile final : public InputFile {
public:
    // size: the file's size when it was opened. Reads stop there: a file
    // that grows meanwhile (or is written on without end) gives no more, and
    // the end of a whole file costs no further read. Each read names its
    // offset, so passing over bytes costs no system call.
    PosixInputFile(int fd, const struct stat& info)
        : fd_(fd),
          size_(static_cast<std::uint64_t>(info.st_size)),
          identity_{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)},
          mode_(info.st_mode & 0777) {}
    ~PosixInputFile() override { ::close(fd_); }
    std::size_t read(char* buffer, std::size_t size) override {
        while (offset_ < size_) {
            const ssize_t got =
                ::pread(fd_, buffer, static_cast<std::size_t>(std::min<std::uint64_t>(size, size_ - offset_)),
                        static_cast<off_t>(offset_));
            if (got < 0 && errno == EINTR) continue;
            failed_ = got < 0;
            if (got <= 0) break;
            offset_ += static_cast<std::uint64_t>(got);
            return static_cast<std::size_t>(got);
        }
        offset_ = size_;
        return 0;
    }
    bool failed() const override { return failed_; }
    bool skip(std::uint64_t count) override {
        if (count > size_ - offset_) {
            offset_ = size_;
            return false;
        }
        offset_ += count;
        return true;
    }
    bool seek(std::uint64_t offset) override {
        if (offset > size_) return false;
        offset_ = offset;
        return true;
    }
    std::uint64_t size() const override { return size_; }
    std::optional<FileIdentity> identity() const override { return identity_; }
    mode_t mode() const { return mode_; }

private:
    int fd_;
    std::uint64_t size_;
    FileIdentity identity_;
    mode_t mode_;
    std::uint64_t offset_ = 0;
    bool failed_ = false;
};

}  // namespace

std::string errorText(int error) { return std::strerror(error); }

Failure failureOf(int error) {
    Cause cause = Cause::Failed;
    if (isMissing(error)) cause = Cause::Missing;
    else if (error == EEXIST) cause = Cause::Exists;
    else if (error == EACCES || error == EPERM) cause = Cause::AccessDenied;
    else if (error == EXDEV) cause = Cause::Outside;
    return {cause, errorText(error), error};
}

std::optional<std::string> statAnyCase(const std::string& path, struct stat& info, bool followLast) {
    auto given = hostPathAsGiven(path);
    if (!given) {
        errno = ENOENT;
        return std::nullopt;
    }
    const auto look = followLast ? ::stat : ::lstat;
    if (look(given->c_str(), &info) == 0) return given;
    if (!isMissing(errno)) return std::nullopt;
    auto resolved = resolveHostPath(path);
    if (!resolved || *resolved == *given) {
        errno = ENOENT;
        return std::nullopt;
    }
    if (look(resolved->c_str(), &info) != 0) return std::nullopt;
    return resolved;
}

NodeKind nodeKindOf(mode_t mode) {
    if (S_ISREG(mode)) return NodeKind::File;
    if (S_ISDIR(mode)) return NodeKind::Directory;
    if (S_ISLNK(mode)) return NodeKind::Link;
    return NodeKind::Special;
}

Result<std::unique_ptr<InputFile>> openStatedRegularFile(const std::string& hostPath, const struct stat& info,
                                                         const Opener& open) {
    // A folder gets "access denied", as Windows answers for one.
    if (S_ISDIR(info.st_mode)) return Failure{Cause::Unreadable, errorText(EACCES)};
    if (!S_ISREG(info.st_mode)) return Cause::NotRegular;
    const int fd = open(hostPath, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return readFailure(failureOf(errno));
    return std::unique_ptr<InputFile>(std::make_unique<PosixInputFile>(fd, info));
}

mode_t permissionsOf(const InputFile& file, mode_t fallback) {
    const auto* own = dynamic_cast<const PosixInputFile*>(&file);
    return own != nullptr ? own->mode() : fallback;
}

std::vector<FolderEntry> listOpenFolder(int fd) {
    std::vector<FolderEntry> entries;
    auto add = [&](const char* name, unsigned char type) {
        FolderEntry item;
        item.name = name;
        item.isDirectory = type == DT_DIR;
        item.node = type == DT_REG   ? NodeKind::File
                    : type == DT_DIR ? NodeKind::Directory
                    : type == DT_LNK ? NodeKind::Link
                                     : NodeKind::Special;
        struct stat info;
        if (type == DT_UNKNOWN)
            item.node =
                ::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 ? nodeKindOf(info.st_mode) : NodeKind::Missing;
        if (type == DT_UNKNOWN || type == DT_LNK)
            item.isDirectory = ::fstatat(fd, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        entries.push_back(std::move(item));
    };
#ifdef __linux__
    // The entries straight from the kernel: a set library's check lists tens
    // of thousands of folders, and a directory stream costs three more calls each.
    alignas(dirent64) char buffer[1 << 15];
    for (ssize_t got; (got = ::getdents64(fd, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            add(entry->d_name, entry->d_type);
            at += entry->d_reclen;
        }
    }
    ::close(fd);
#else
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return entries;
    }
    while (const dirent* entry = ::readdir(dir)) add(entry->d_name, entry->d_type);
    ::closedir(dir);
#endif
    return entries;
}

int openFolderAnyCase(const std::string& folder, const Opener& open) {
    auto hostPath = hostPathAsGiven(folder);
    int fd = hostPath ? open(*hostPath, O_RDONLY | O_DIRECTORY) : -1;
    if (fd < 0 && hostPath && isMissing(errno)) {
        hostPath = resolveHostPath(folder);
        fd = hostPath ? open(*hostPath, O_RDONLY | O_DIRECTORY) : -1;
    }
    if (!hostPath) errno = ENOENT;
    return fd;
}

}  // namespace modsetup
