#pragma once
// The \\?\ form in which the Windows host hands every path to the wide
// calls, worked out as text, without the system, so that its rules are the
// same (and tested) on every system.
//
// The \\?\ form reaches paths of any length and passes each name to the
// file system as it is: "AK Night." stays "AK Night.", where the plain form
// would trim it to its namesake "AK Night". Since the system then reads the
// path literally, the few meanings it gives a plain path are kept here, and
// no others: "/" is a separator too, a run of separators counts as one (a
// path joined with an empty list text holds two), "." and ".." pieces step in
// place and up, and a path is relative to the working directory (or to the
// current folder of its drive, for "D:folder").

#include <optional>
#include <string>
#include <string_view>

namespace modsetup {

// Whether a path is relative to the current folder of a drive ("D:" or
// "D:folder"), which the system keeps apart from the working directory.
bool isDriveRelative(std::wstring_view path);

// The absolute \\?\ form of path, with the meanings above. base is where a
// relative path starts: the working directory, or for "D:folder" the current
// folder of drive D. A path already in the \\?\ or \\.\ form is the system's
// own and is returned as it is. Nothing for a path that names no file (empty,
// or "\\server" without a share).
std::optional<std::wstring> extendedPath(std::wstring_view path, std::wstring_view base);

// A path the system reported, in its plain form: "\\?\C:\x" as "C:\x",
// "\\?\UNC\server\share" as "\\server\share".
std::wstring withoutExtendedPrefix(std::wstring path);

}  // namespace modsetup
