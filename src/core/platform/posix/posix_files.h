#pragma once
// The POSIX host's ways of finding, opening and listing files, shared by the
// host and its confinement to the set library (posix_confinement.h).

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/io/host.h"

namespace modsetup {

// The system's words for an error number.
std::string errorText(int error);

// Why an operation failed with the error number error.
Failure failureOf(int error);

// Finds a path of the program's on disk: the name as spelt first, and only
// when nothing is there the name found regardless of letter case. The exact
// name, right nearly always, so costs one path walk. The host path with what
// stat says of it (lstat, of a last name that is a link, when followLast is
// false), or nothing with errno set.
std::optional<std::string> statAnyCase(const std::string& path, struct stat& info, bool followLast = true);

// What a mode of stat or lstat says stands there.
NodeKind nodeKindOf(mode_t mode);

// Opens the regular file at hostPath, which stat described in info, for
// reading with open (open(2), or one that refuses what leads outside the set
// library with EXDEV), and never waits: a named pipe or a device is refused
// before it is opened, and the open itself cannot block (O_NONBLOCK, which
// reads of a regular file do not heed). Reads then stop at the size stat
// gave, so even what something else put under the name meanwhile can give no
// more than that and cannot make a read wait.
using Opener = std::function<int(const std::string& hostPath, int flags)>;
Result<std::unique_ptr<InputFile>> openStatedRegularFile(const std::string& hostPath, const struct stat& info,
                                                         const Opener& open);

// The permissions of an open file, where it is one of this host's; fallback otherwise.
mode_t permissionsOf(const InputFile& file, mode_t fallback);

// The entries of the folder open at fd, which is closed.
std::vector<FolderEntry> listOpenFolder(int fd);

// Opens a folder of the program's for listing with open: the name as spelt
// first, another letter case only when nothing is there; -1 with errno set.
int openFolderAnyCase(const std::string& folder, const Opener& open);

}  // namespace modsetup
