#pragma once
// Maps a path built with backslashes onto a case-sensitive POSIX file system.
//
// The set library and the game mod folder are usually made on Windows, where
// names are compared without regard to letter case, and the program itself
// writes one folder both as "Weapons-gfx" and "weapons-gfx". So each component
// that exists on disk is matched exactly first and otherwise without regard to
// ASCII letter case; from the first component that does not exist on, the rest
// keeps the letter case given (that is where a new file or folder goes).

#include <optional>
#include <string>
#include <string_view>

#include "core/base/ascii_case.h"

namespace modsetup {

// Returns the host path, or nothing when the path cannot name a file: an empty
// path, one with an empty component between two others (a doubled backslash,
// as when an empty set name is joined into a path), or one holding a NUL byte
// (the system would read the path only up to it).
std::optional<std::string> resolveHostPath(std::string_view path);

// The same path with its separators mapped and nothing looked up: what
// resolveHostPath returns whenever the path exists as given. Tried first by
// the operations that read, so that a name spelt as on disk (nearly all of
// them) costs one path walk.
std::optional<std::string> hostPathAsGiven(std::string_view path);

}  // namespace modsetup
