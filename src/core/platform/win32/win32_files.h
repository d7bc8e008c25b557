#pragma once
// The Windows host's ways of opening and listing files, shared by the host
// and its confinement to the set library (win32_confinement.h).
#include "core/platform/win32/windows_headers.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/io/host.h"

namespace modsetup {

// The system's text for an error code, as FormatMessage gives it; empty
// where it gives none.
std::string errorText(DWORD error);

// A failure for an error code: its cause, the system's words and the code.
Failure systemFailure(Cause cause, DWORD error);

// The attributes of what stands at path; INVALID_FILE_ATTRIBUTES for nothing.
DWORD attributesOf(const std::wstring& path);
// Whether attributes (INVALID_FILE_ATTRIBUTES among them) are a folder's.
bool isDirectory(DWORD attributes);
// What attributes tell of a path: Missing, Directory, or File for anything else.
PathKind kindOf(DWORD attributes);

// A text the system writes into the caller's buffer (a path), asked again
// with a larger buffer until it fits. write gets the buffer and its size in
// characters and answers the length written, a length at least the size
// when the buffer was too short (the size needed, or the size itself where
// the call cuts the text), or 0 on failure. Nothing on failure or past the
// longest path the system has.
std::optional<std::wstring> systemText(const std::function<DWORD(wchar_t*, DWORD)>& write);

// Why a read of a file failed with error.
Failure readFailureOf(DWORD error);

// Why a write at path failed with error. Access denied on a file that is not
// read-only, which this user may delete, means another program has it open
// without leave to replace it (InUse); elsewhere it means the folder or the
// file refuses this user.
Failure writeFailureOf(DWORD error, const std::wstring& path);

// Opens path for reading when it is a file on a disk; a device, a pipe or
// the console is refused (NotRegular), a folder is Unreadable ("access
// denied", as the system answers). Others may read and write the file
// meanwhile. inside, when given, judges the open file: Outside when it says no.
Result<std::unique_ptr<InputFile>> openRegularFile(const std::wstring& path,
                                                   const std::function<bool(HANDLE)>& inside = {});

// What attributes of GetFileAttributes or a search say stands at a name.
NodeKind nodeKindOf(DWORD attributes);

// The entries of a folder; an existing folder in which nothing is found is
// listed, just empty.
Result<std::vector<FolderEntry>> listSystemFolder(const std::wstring& folder);

}  // namespace modsetup
