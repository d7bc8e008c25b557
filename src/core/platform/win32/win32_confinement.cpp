#include "core/platform/win32/win32_confinement.h"

#include "core/platform/win32/win32_files.h"
#include "core/platform/win32/win32_path.h"

namespace modsetup {
namespace {

// Opens a file or folder of the program's only to look at it, letting others
// do anything meanwhile.
HANDLE openToLook(const std::string& path) {
    const auto file = systemPath(path);
    if (!file) return INVALID_HANDLE_VALUE;
    return CreateFileW(file->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The system's name for where an open file really is, every link followed
// ("\\?\C:\Games\modsetup\1\Gold\1.bmp"); empty when it cannot tell.
std::wstring finalPath(HANDLE handle) {
    return systemText([handle](wchar_t* buffer, DWORD size) {
               return GetFinalPathNameByHandleW(handle, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
           })
        .value_or(std::wstring());
}

}  // namespace

Win32Confinement::Win32Confinement(const std::string& folder) {
    const HANDLE handle = openToLook(folder);
    if (handle == INVALID_HANDLE_VALUE) return;  // a library that is not there holds nothing
    root_ = finalPath(handle);
    CloseHandle(handle);
    if (!root_.empty() && root_.back() != L'\\') root_ += L'\\';
}

Result<std::unique_ptr<InputFile>> Win32Confinement::openRead(const std::string& path) {
    const auto file = systemPath(path);
    if (!file) return readFailureOf(ERROR_FILE_NOT_FOUND);
    return openRegularFile(*file, [this](HANDLE handle) { return holds(handle); });
}

Result<std::vector<FolderEntry>> Win32Confinement::listFolder(const std::string& folder) {
    switch (pathKind(folder)) {
    case PathKind::Directory: break;
    case PathKind::Outside: return Cause::Outside;
    case PathKind::File: return readFailureOf(ERROR_DIRECTORY);
    case PathKind::Missing: return Cause::Missing;
    }
    const auto systemFolder = systemPath(folder);
    if (!systemFolder) return Cause::Missing;
    return listSystemFolder(*systemFolder);
}

bool Win32Confinement::holds(HANDLE handle) const {
    const std::wstring path = finalPath(handle) + L'\\';
    // Names compare as the file system compares them, without regard to case.
    return !root_.empty() && path.size() >= root_.size() &&
           CompareStringOrdinal(path.data(), static_cast<int>(root_.size()), root_.data(),
                                static_cast<int>(root_.size()), TRUE) == CSTR_EQUAL;
}

PathKind Win32Confinement::pathKind(const std::string& path) {
    const HANDLE handle = openToLook(path);
    if (handle == INVALID_HANDLE_VALUE) return PathKind::Missing;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    const bool inside = holds(handle);
    CloseHandle(handle);
    if (!known) return PathKind::Missing;
    if (!inside) return PathKind::Outside;
    return kindOf(info.dwFileAttributes);
}

}  // namespace modsetup
