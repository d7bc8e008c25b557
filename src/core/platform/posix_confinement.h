#pragma once
// Keeps the POSIX host's reads inside the set library. A set library comes
// as an archive, and archives carry links: a set file may be a link, at any
// depth, to a private file elsewhere on the disk. A path below the library is
// therefore judged by where it really leads, not by its name.
//
// Files are opened beneath the library folder itself (openat2 with
// RESOLVE_BENEATH on Linux), so a link that leads out fails in the kernel,
// with no check before the open that something could change after it. Where
// the kernel cannot (an absolute link, an older kernel), the file is opened
// and the opened file's own path (/proc/self/fd) is judged. Looking at a path
// without opening it (pathKind) judges each folder on the way once, by lstat.

#include <string>
#include <string_view>
#include <unordered_map>

#include "core/platform/host.h"

namespace modsetup {

class PosixConfinement {
public:
    PosixConfinement() = default;
    ~PosixConfinement();
    PosixConfinement(const PosixConfinement&) = delete;
    PosixConfinement& operator=(const PosixConfinement&) = delete;

    // From now on confines what lies below hostRoot, the library folder as
    // found on disk; where it really is (it may be a link) is found now.
    void confine(const std::string& hostRoot);

    // Whether a host path lies below the confined folder by its name.
    bool covers(std::string_view hostPath) const;

    // Opens a covered host path as open(2) would, refusing it (-1, errno
    // EXDEV) when it really lies outside the library.
    int open(const std::string& hostPath, int flags) const;

    // What is at a covered host path, as stat(2) sees it, or Outside when it
    // really lies outside the library.
    PathKind kind(const std::string& hostPath);

private:
    bool holdsRealPath(const std::string& realPath) const;
    bool holdsFolder(const std::string& folder);

    bool active_ = false;
    mutable bool beneathWorks_ = true;  // false where the kernel has no openat2
    std::string hostRoot_;              // as given, with "/"
    std::string realRoot_;              // where it really is, with "/"; empty when it could not be found
    int rootFd_ = -1;
    std::unordered_map<std::string, bool> folders_;  // folders judged since confine()
};

}  // namespace modsetup
