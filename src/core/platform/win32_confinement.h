#pragma once
// Keeps the Win32 host's reads inside the set library, as the POSIX host's
// confinement does: a set file may be a link or lie in a linked folder (a
// symbolic link or a junction) that leads anywhere on the disk. What the
// host opened is judged by the system's own final path of the open handle,
// so nothing can change between the judgment and the read.
#include "core/platform/windows_headers.h"

#include <string>

#include "core/platform/host.h"

namespace modsetup {

class Win32Confinement {
public:
    // From now on confines what lies below folder (a path as the program
    // writes it); where the folder really is (it may be a link) is found now.
    void confine(const std::string& folder);

    // Whether a path lies below the confined folder by its name.
    bool covers(const std::string& path) const;

    // Whether an open file or folder really lies inside the confined folder.
    bool holds(HANDLE handle) const;

    // What is at a covered path, or Outside when it really lies outside.
    PathKind kind(const std::string& path) const;

private:
    bool active_ = false;
    std::string prefix_;  // the folder as the program writes it, and a backslash
    std::wstring root_;   // where it really is, and a backslash; empty when it could not be found
};

}  // namespace modsetup
