// The host on Linux and other POSIX systems.
#include "core/error_text.h"
#include "core/platform/case_resolver.h"
#include "core/platform/host.h"
#include "core/platform/posix_confinement.h"
#include "core/platform/temporary_name.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

extern char** environ;

namespace modsetup {
namespace {

// The launch script is a Windows command script and the game a Windows
// program: Wine runs them. The variable WINE names the Wine to run, as for
// Wine's own tools; without it "wine" is found on the PATH.
constexpr const char* kWineVariable = "WINE";
constexpr const char* kDefaultWine = "wine";
// The script goes to Wine's shell, "start", which opens it as Windows' shell
// opens a document: the script's path in double quotes on the command line
// of the command interpreter. Handed to the interpreter itself ("cmd /c"),
// the name would be split at ; , and = into several commands, and Wine
// writes any double quote of its own arguments as \", which the interpreter
// does not read as quoting. "/min": the game's window starts minimised, as
// the Windows program asks.
constexpr std::array<const char*, 2> kWineShellOpen = {"start", "/min"};
// How long Play waits for Wine's verdict. A Wine that cannot run the script
// (a missing file, a broken Wine) ends at once with a failure status; one
// still running after this has taken the script and may be running the game
// itself, which nobody waits for.
constexpr auto kPlayVerdictWait = std::chrono::seconds(2);
constexpr auto kPlayVerdictPoll = std::chrono::milliseconds(10);

std::string errorText(int error) { return std::strerror(error); }

// Why a write, a rename or a deletion failed with error.
FileFailure writeFailureOf(int error) {
    return error == EACCES || error == EPERM ? FileFailure::AccessDenied : FileFailure::Failed;
}

// The reason given for something that exists but is not a regular file; a
// folder gets "access denied", as Windows answers for one.
std::string notRegularReason(const struct stat& info) {
    return S_ISDIR(info.st_mode) ? errorText(EACCES) : std::string(kNotRegularFileReason);
}

// True for the errors of a name that is not there as spelt (a component
// missing, or one that is a file where a folder is needed).
bool isMissing(int error) { return error == ENOENT || error == ENOTDIR; }

// Finds a path of the program's on disk: the name as spelt first, and only
// when nothing is there the name found regardless of letter case. The exact
// name, right nearly always, so costs one path walk. The host path with what
// stat says of it, or nothing with errno set.
std::optional<std::string> statAnyCase(const std::string& path, struct stat& info) {
    const auto given = hostPathAsGiven(path);
    if (!given) {
        errno = ENOENT;
        return std::nullopt;
    }
    if (::stat(given->c_str(), &info) == 0) return given;
    if (!isMissing(errno)) return std::nullopt;
    const auto resolved = resolveHostPath(path);
    if (!resolved || *resolved == *given) {
        errno = ENOENT;
        return std::nullopt;
    }
    if (::stat(resolved->c_str(), &info) != 0) return std::nullopt;
    return resolved;
}

// Opens the file at path, which stat described in info, for reading when it
// is a regular file, and never waits: a named pipe or a device is refused
// before it is opened, and the open itself cannot block (O_NONBLOCK, which
// reads of a regular file do not heed). A path below the set library is
// opened only where it really lies inside it. Reads then stop at the size stat
// gave, so even what something else put under the name meanwhile can give no
// more than that and cannot make a read wait. -1 with a reason otherwise
// (kOutsideLibraryReason for a file outside).
int openStatedRegularFile(const std::string& path, const struct stat& info, std::string& reason,
                          const PosixConfinement* confinement = nullptr) {
    if (!S_ISREG(info.st_mode)) {
        reason = notRegularReason(info);
        return -1;
    }
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const bool confined = confinement != nullptr && confinement->covers(path);
    const int fd = confined ? confinement->open(path, kFlags) : ::open(path.c_str(), kFlags);
    if (fd < 0) reason = errno == EXDEV && confined ? std::string(kOutsideLibraryReason) : errorText(errno);
    return fd;
}

// The same for a path of the program's, found as statAnyCase finds it.
int openRegularFileAnyCase(const std::string& path, struct stat& info, std::string& reason,
                           const PosixConfinement& confinement) {
    const auto hostPath = statAnyCase(path, info);
    if (!hostPath) {
        reason = errorText(errno);
        return -1;
    }
    return openStatedRegularFile(*hostPath, info, reason, &confinement);
}

// Reads up to size bytes, retrying when a signal cuts the read short; -1 on error.
ssize_t readSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0 || errno != EINTR) return got;
    }
}

class PosixInputFile final : public InputFile {
public:
    // size: the file's size when it was opened. Reads stop there: a file
    // that grows meanwhile (or is written on without end) gives no more, and
    // the end of a whole file costs no further read. Each read names its
    // offset, so passing over bytes costs no system call.
    PosixInputFile(int fd, off_t size) : fd_(fd), size_(static_cast<std::uint64_t>(size)) {}
    ~PosixInputFile() override { ::close(fd_); }
    std::size_t read(char* buffer, std::size_t size) override {
        while (offset_ < size_) {
            const ssize_t got =
                ::pread(fd_, buffer, static_cast<std::size_t>(std::min<std::uint64_t>(size, size_ - offset_)),
                        static_cast<off_t>(offset_));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            offset_ += static_cast<std::uint64_t>(got);
            return static_cast<std::size_t>(got);
        }
        offset_ = size_;
        return 0;
    }
    bool skip(std::uint64_t count) override {
        if (count > size_ - offset_) {
            offset_ = size_;
            return false;
        }
        offset_ += count;
        return true;
    }
    std::uint64_t size() const override { return size_; }

private:
    int fd_;
    std::uint64_t size_;
    std::uint64_t offset_ = 0;
};

// Reads up to size bytes at offset, as many as the file gives; -1 on error.
ssize_t readAt(int fd, char* buffer, std::size_t size, off_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, buffer + done, size - done, offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

// Whether the file at path (described by target) holds exactly the bytes of
// the open regular file in (described by source).
bool holdsSameBytes(int in, const struct stat& source, const std::string& path, const struct stat& target) {
    if (!S_ISREG(target.st_mode) || target.st_size != source.st_size) return false;
    struct stat info = target;
    std::string reason;
    const int fd = openStatedRegularFile(path, info, reason);
    if (fd < 0) return false;
    char ours[1 << 15];
    char theirs[1 << 15];
    bool same = true;
    for (off_t offset = 0; same && offset < source.st_size; offset += static_cast<off_t>(sizeof ours)) {
        const ssize_t a = readAt(in, ours, sizeof ours, offset);
        const ssize_t b = readAt(fd, theirs, sizeof theirs, offset);
        same = a > 0 && a == b && std::memcmp(ours, theirs, static_cast<std::size_t>(a)) == 0;
    }
    ::close(fd);
    return same;
}

// Writes to a new temporary file in the target's folder and renames it over
// the target on commit, so the target holds either its old or its complete
// new content, whatever happens meanwhile. A durable file reaches the disk
// before the rename (the program's own files); copies leave that to the
// system, as a plain copy does.
class PosixOutputFile final : public OutputFile {
public:
    PosixOutputFile(int fd, std::string temporary, std::string target, bool durable)
        : fd_(fd), temporary_(std::move(temporary)), target_(std::move(target)), durable_(durable) {}
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
    FileResult commit() override {
        if (!ok_ || committed_) return false;
        if (durable_) ok_ = ::fsync(fd_) == 0;
        ok_ = (::close(fd_) == 0) && ok_;
        fd_ = -1;
        if (!ok_) return false;
        committed_ = ::rename(temporary_.c_str(), target_.c_str()) == 0;
        ok_ = committed_;
        return committed_ ? FileResult(true) : writeFailureOf(errno);
    }

private:
    int fd_;
    std::string temporary_;
    std::string target_;
    bool durable_;
    bool ok_ = true;
    bool committed_ = false;
};

// The replacement of target: a temporary file created new beside it, never
// through a link and never over an existing file or link (O_EXCL,
// O_NOFOLLOW), under the first free name. Null, with failure set, when none
// can be created.
std::unique_ptr<PosixOutputFile> createReplacement(const std::string& target, mode_t mode, bool durable,
                                                   FileFailure& failure) {
    const auto process = static_cast<unsigned long>(::getpid());
    failure = FileFailure::Failed;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::string temporary = temporaryName(target, process, attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            failure = FileFailure::None;
            return std::make_unique<PosixOutputFile>(fd, std::move(temporary), target, durable);
        }
        if (errno != EEXIST) {
            failure = writeFailureOf(errno);
            return nullptr;
        }
    }
    return nullptr;
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

    std::string programPath() override { return programPath_; }

    std::unique_ptr<InputFile> openRead(const std::string& path, std::string& reason) override {
        struct stat info;
        const int fd = openRegularFileAnyCase(path, info, reason, confinement_);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixInputFile>(fd, info.st_size);
    }

    std::unique_ptr<OutputFile> openReplace(const std::string& path, FileFailure& failure) override {
        failure = FileFailure::Failed;
        auto hostPath = resolveHostPath(path);
        if (!hostPath) return nullptr;
        struct stat info;
        if (::stat(hostPath->c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return nullptr;
        return createReplacement(*hostPath, 0644, true, failure);
    }

    FileResult createDirectory(const std::string& path) override {
        auto hostPath = resolveHostPath(path);
        if (!hostPath) return false;
        return ::mkdir(hostPath->c_str(), 0755) == 0 ? FileResult(true) : writeFailureOf(errno);
    }

    FileResult deleteFile(const std::string& path) override {
        auto hostPath = resolveHostPath(path);
        struct stat info;
        if (!hostPath || ::lstat(hostPath->c_str(), &info) != 0) return FileFailure::Missing;
        if (S_ISDIR(info.st_mode)) return false;
        return ::unlink(hostPath->c_str()) == 0 ? FileResult(true) : writeFailureOf(errno);
    }

    FileResult copyFile(const std::string& source, const std::string& target) override;

    PathKind pathKind(const std::string& path) override;

    bool listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override;

    bool shellOpen(const std::string& path, WindowHandle owner, std::string& reason) override;

    void confineBelow(const std::string& folder) override {
        struct stat info;
        auto hostPath = statAnyCase(folder, info);
        if (!hostPath) hostPath = hostPathAsGiven(folder);
        // A folder that names no path has nothing below it to read.
        if (hostPath) confinement_.confine(*hostPath);
    }

private:
    std::string programPath_;
    PosixConfinement confinement_;
};

PathKind PosixHost::pathKind(const std::string& path) {
    const auto given = hostPathAsGiven(path);
    if (given && confinement_.covers(*given)) {
        // The name as spelt, and only when nothing is there in another letter case.
        const PathKind kind = confinement_.kind(*given);
        if (kind != PathKind::Missing) return kind;
        const auto resolved = resolveHostPath(path);
        return resolved && *resolved != *given ? confinement_.kind(*resolved) : PathKind::Missing;
    }
    struct stat info;
    if (!statAnyCase(path, info)) return PathKind::Missing;
    return S_ISDIR(info.st_mode) ? PathKind::Directory : PathKind::File;
}

FileResult PosixHost::copyFile(const std::string& source, const std::string& target) {
    auto targetPath = resolveHostPath(target);
    if (!targetPath) return false;
    struct stat info;
    const auto sourcePath = statAnyCase(source, info);
    if (!sourcePath) return isMissing(errno) ? FileFailure::Missing : FileFailure::Unreadable;
    std::string reason;
    const int fd = openStatedRegularFile(*sourcePath, info, reason, &confinement_);
    if (fd < 0) return reason == kOutsideLibraryReason ? FileFailure::Outside : FileFailure::Unreadable;
    PosixInputFile in(fd, info.st_size);  // closes the source on every way out

    struct stat existing;
    if (::stat(targetPath->c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) return false;
        // The set's file is the installed file itself: it is in place already,
        // and writing it while reading it would only risk it.
        if (existing.st_dev == info.st_dev && existing.st_ino == info.st_ino) return true;
        // A target that holds the set file's bytes already (an Apply again
        // with the same choice) is left as it is: replacing a file costs the
        // file system a new one, reading it costs little.
        if (holdsSameBytes(fd, info, *targetPath, existing)) return true;
    }
    FileFailure failure;
    auto out = createReplacement(*targetPath, info.st_mode & 0777, false, failure);
    if (!out) return failure;
    // As far as the source reached when it was opened; a read error is the
    // source's, and the temporary file goes, the target staying whole.
    char buffer[1 << 16];
    for (off_t left = info.st_size; left > 0;) {
        const ssize_t got = readSome(fd, buffer, static_cast<std::size_t>(std::min<off_t>(left, sizeof buffer)));
        if (got < 0) return FileFailure::Unreadable;
        if (got == 0) break;
        if (!out->write(buffer, static_cast<std::size_t>(got))) return false;
        left -= got;
    }
    return out->commit();
}

bool PosixHost::listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) {
    // The pattern is always "<folder>\*.*", which matches every entry.
    std::string folder = pattern;
    auto cut = folder.find_last_of("\\/");
    folder = cut == std::string::npos ? std::string(".") : folder.substr(0, cut);
    // A folder below the set library is listed only where it really lies
    // inside it. The name as spelt first; another letter case only when
    // nothing is there.
    auto open = [this](const std::string& hostPath) {
        return confinement_.covers(hostPath) ? confinement_.open(hostPath, O_RDONLY | O_DIRECTORY)
                                             : ::open(hostPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    };
    auto hostPath = hostPathAsGiven(folder);
    int fd = hostPath ? open(*hostPath) : -1;
    if (fd < 0 && hostPath && isMissing(errno)) {
        hostPath = resolveHostPath(folder);
        fd = hostPath ? open(*hostPath) : -1;
    }
    if (fd < 0) return false;
    auto add = [&](const char* name, unsigned char type) {
        FolderEntry item;
        item.name = name;
        item.isDirectory = type == DT_DIR;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat info;
            item.isDirectory = ::fstatat(fd, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
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
        return false;
    }
    while (const dirent* entry = ::readdir(dir)) add(entry->d_name, entry->d_type);
    ::closedir(dir);
#endif
    return true;
}

bool PosixHost::shellOpen(const std::string& path, WindowHandle /*owner*/, std::string& reason) {
    // "$WINE start /min <script>" in the script's folder (the working
    // directory, where Play writes it), in a session of its own, with the
    // environment as it is (WINEPREFIX and all); only Wine's verdict is
    // waited for, never what it starts.
    auto hostPath = resolveHostPath(path);
    if (!hostPath) {
        reason = errorText(ENOENT);
        return false;
    }
    const std::size_t cut = hostPath->rfind('/');
    std::string script = cut == std::string::npos ? *hostPath : hostPath->substr(cut + 1);
    const char* named = std::getenv(kWineVariable);
    std::string wine = named != nullptr && *named != '\0' ? named : kDefaultWine;
    std::vector<char*> argv{wine.data()};
    for (const char* word : kWineShellOpen) argv.push_back(const_cast<char*>(word));
    argv.push_back(script.data());
    argv.push_back(nullptr);

    const std::string folder = cut == 0 ? "/" : hostPath->substr(0, cut);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (cut != std::string::npos) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child;
    const int spawnError = posix_spawnp(&child, wine.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0) {
        reason = wineNotStartedReason(wine, errorText(spawnError));
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + kPlayVerdictWait;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0 && errno != EINTR) return true;                    // cannot be asked: it was started
        if (std::chrono::steady_clock::now() >= deadline) return true;  // still running: it took the script
        std::this_thread::sleep_for(kPlayVerdictPoll);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    reason = WIFEXITED(status) ? wineFailedReason(wine, WEXITSTATUS(status)) : wineKilledReason(wine, WTERMSIG(status));
    return false;
}

}  // namespace

std::unique_ptr<Host> makeSystemHost() { return std::make_unique<PosixHost>(); }

}  // namespace modsetup
