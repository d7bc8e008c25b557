#include "core/platform/posix/posix_confinement.h"

#include "core/platform/posix/case_resolver.h"
#include "core/platform/posix/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

#ifdef __linux__
#include <linux/openat2.h>
#endif

namespace modsetup {
namespace {

// A run of the check judges tens of thousands of folders; past this many the
// remembered verdicts are dropped and folders judged again.
constexpr std::size_t kMaxRememberedFolders = std::size_t{1} << 16;

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

// A path without "." or ".." components, whose folders can be judged one by one.
bool isPlain(std::string_view path) {
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view component = path.substr(start, end - start);
        if (component == "." || component == "..") return false;
        start = end + 1;
    }
    return true;
}

// Where a path really leads, every link followed; empty when it leads nowhere.
std::string realPathOf(const std::string& hostPath) {
    char* real = ::realpath(hostPath.c_str(), nullptr);
    if (real == nullptr) return {};
    std::string result(real);
    std::free(real);
    return result;
}

// Where an open file really is, as the kernel names it; on a system without
// /proc, where its path leads.
std::string realPathOf(int fd, const std::string& hostPath) {
    char buffer[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), buffer, sizeof buffer);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(length));
    return realPathOf(hostPath);
}

// Opens relative below the folder rootFd, failing with EXDEV when resolving
// it would leave that folder (through "..", an absolute link or a link that
// leads out); ENOSYS where the kernel cannot.
int openBeneath(int rootFd, const std::string& relative, int flags) {
#if defined(SYS_openat2) && defined(RESOLVE_BENEATH)
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags);
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    return static_cast<int>(::syscall(SYS_openat2, rootFd, relative.c_str(), &how, sizeof how));
#else
    (void)rootFd, (void)relative, (void)flags;
    errno = ENOSYS;
    return -1;
#endif
}

}  // namespace

PosixConfinement::~PosixConfinement() {
    if (rootFd_ >= 0) ::close(rootFd_);
}

PosixConfinement::PosixConfinement(const std::string& hostRoot) : hostRoot_(withSlash(hostRoot)) {
    if (hostRoot.empty()) return;
#ifdef O_PATH
    rootFd_ = ::open(hostRoot.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
#else
    rootFd_ = ::open(hostRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
    // A library that is not there holds nothing: every file below it is refused.
    const std::string real = rootFd_ >= 0 ? realPathOf(rootFd_, hostRoot) : std::string();
    realRoot_ = real.empty() ? std::string() : withSlash(real);
}

Result<std::unique_ptr<InputFile>> PosixConfinement::openRead(const std::string& path) {
    struct stat info;
    const auto hostPath = statAnyCase(path, info);
    if (!hostPath) return failureOf(errno);
    return openStatedRegularFile(*hostPath, info,
                                 [this](const std::string& file, int flags) { return open(file, flags); });
}

PathKind PosixConfinement::pathKind(const std::string& path) {
    // The name as spelt, and only when nothing is there another letter case.
    const auto given = hostPathAsGiven(path);
    if (!given) return PathKind::Missing;
    const PathKind found = kind(*given);
    if (found != PathKind::Missing) return found;
    const auto resolved = resolveHostPath(path);
    return resolved && *resolved != *given ? kind(*resolved) : PathKind::Missing;
}

Result<std::vector<FolderEntry>> PosixConfinement::listFolder(const std::string& folder) {
    const int fd =
        openFolderAnyCase(folder, [this](const std::string& hostPath, int flags) { return open(hostPath, flags); });
    if (fd < 0) return failureOf(errno);
    return listOpenFolder(fd);
}

bool PosixConfinement::covers(std::string_view hostPath) const {
    return hostPath.size() > hostRoot_.size() && hostPath.starts_with(hostRoot_);
}

bool PosixConfinement::holdsRealPath(const std::string& realPath) const {
    return !realRoot_.empty() && !realPath.empty() && withSlash(realPath).starts_with(realRoot_);
}

int PosixConfinement::open(const std::string& hostPath, int flags) const {
    if (rootFd_ >= 0 && beneathWorks_ && covers(hostPath)) {
        const int fd = openBeneath(rootFd_, hostPath.substr(hostRoot_.size()), flags | O_CLOEXEC);
        if (fd >= 0) return fd;
        if (errno == ENOSYS || errno == EPERM) beneathWorks_ = false;  // no openat2, or a sandbox refuses it
        else if (errno != EXDEV && errno != ELOOP) return -1;          // missing, a folder, no access, ...
        // Otherwise an absolute link, which may still lead inside: judged below.
    }
    const int fd = ::open(hostPath.c_str(), flags | O_CLOEXEC);
    if (fd < 0 || holdsRealPath(realPathOf(fd, hostPath))) return fd;
    ::close(fd);
    errno = EXDEV;
    return -1;
}

PathKind PosixConfinement::kind(const std::string& hostPath) {
    struct stat info;
    if (::lstat(hostPath.c_str(), &info) != 0) return PathKind::Missing;
    bool inside = true;
    if (S_ISLNK(info.st_mode)) {
        if (::stat(hostPath.c_str(), &info) != 0) return PathKind::Missing;  // a link to nothing
        inside = holdsRealPath(realPathOf(hostPath));
    } else {
        inside = isPlain(hostPath) ? holdsFolder(parentOf(hostPath)) : holdsRealPath(realPathOf(hostPath));
    }
    if (!inside) return PathKind::Outside;
    return S_ISDIR(info.st_mode) ? PathKind::Directory : PathKind::File;
}

// A folder lies inside when it is the library, or is no link and its parent
// lies inside, or is a link that leads inside.
bool PosixConfinement::holdsFolder(const std::string& folder) {
    if (withSlash(folder) == hostRoot_) return !realRoot_.empty();
    if (!covers(folder)) return holdsRealPath(realPathOf(folder));
    if (const auto known = folders_.find(folder); known != folders_.end()) return known->second;
    struct stat info;
    bool inside = false;  // gone meanwhile: nothing in it is taken
    if (::lstat(folder.c_str(), &info) == 0)
        inside = S_ISLNK(info.st_mode) ? holdsRealPath(realPathOf(folder)) : holdsFolder(parentOf(folder));
    if (folders_.size() >= kMaxRememberedFolders) folders_.clear();
    folders_.emplace(folder, inside);
    return inside;
}

}  // namespace modsetup
