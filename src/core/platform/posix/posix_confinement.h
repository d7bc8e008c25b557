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

#include "core/io/host.h"

namespace modsetup {

class PosixConfinement final : public Confinement {
public:
    // Confines what lies below hostRoot, the library folder as found on disk
    // (empty when there is none: nothing below it is read); where it really
    // is (it may be a link) is found now.
    explicit PosixConfinement(const std::string& hostRoot);
    ~PosixConfinement() override;
    PosixConfinement(const PosixConfinement&) = delete;
    PosixConfinement& operator=(const PosixConfinement&) = delete;

    // Paths of the program's below the library, each found as the host finds
    // it (the name as spelt first).
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override;
    PathKind pathKind(const std::string& path) override;
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override;

private:
    // Whether a host path lies below the confined folder by its name.
    bool covers(std::string_view hostPath) const;
    // Opens a host path as open(2) would, refusing it (-1, errno EXDEV) when
    // it really lies outside the library.
    int open(const std::string& hostPath, int flags) const;
    // What is at a host path, as stat(2) sees it, or Outside when it really
    // lies outside the library.
    PathKind kind(const std::string& hostPath);
    bool holdsRealPath(const std::string& realPath) const;
    bool holdsFolder(const std::string& folder);

    mutable bool beneathWorks_ = true;  // false where the kernel has no openat2
    std::string hostRoot_;              // as given, with "/"
    std::string realRoot_;              // where it really is, with "/"; empty when it could not be found
    int rootFd_ = -1;
    std::unordered_map<std::string, bool> folders_;  // folders judged since confine()
};

}  // namespace modsetup
