#pragma once
// Keeps the Win32 host's reads inside the set library, as the POSIX host's
// confinement does: a set file may be a link or lie in a linked folder (a
// symbolic link or a junction) that leads anywhere on the disk. What the
// host opened is judged by the system's own final path of the open handle,
// so nothing can change between the judgment and the read.
#include "core/platform/win32/windows_headers.h"

#include <string>

#include "core/io/host.h"

namespace modsetup {

class Win32Confinement final : public Confinement {
public:
    // Confines what lies below folder (a path as the program writes it);
    // where the folder really is (it may be a link) is found now.
    explicit Win32Confinement(const std::string& folder);

    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override;
    PathKind pathKind(const std::string& path) override;
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override;

private:
    // Whether an open file or folder really lies inside the confined folder.
    bool holds(HANDLE handle) const;

    std::wstring root_;  // where it really is, and a backslash; empty when it could not be found
};

}  // namespace modsetup
