#include "core/platform/win32/win32_files.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/platform/win32/win32_path.h"

namespace modsetup {
namespace {

// The errors of a path that names nothing there.
bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
           error == ERROR_BAD_PATHNAME || error == ERROR_DIRECTORY || error == ERROR_INVALID_DRIVE;
}

// ReadFile takes at most a DWORD of bytes per call.
DWORD chunkSize(std::uint64_t size) {
    return static_cast<DWORD>(std::min<std::uint64_t>(size, std::numeric_limits<DWORD>::max()));
}

class Win32InputFile final : public InputFile {
public:
    // Reads stop at the file's size when it was opened, however much is
    // written to the file meanwhile.
    explicit Win32InputFile(HANDLE handle) : handle_(handle) {
        LARGE_INTEGER size{};
        size_ = left_ = GetFileSizeEx(handle, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileInformationByHandle(handle, &info))
            identity_ = FileIdentity{info.dwVolumeSerialNumber,
                                     (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    }
    ~Win32InputFile() override { CloseHandle(handle_); }
    std::size_t read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        if (left_ > 0 && !ReadFile(handle_, buffer, chunkSize(std::min<std::uint64_t>(size, left_)), &got, nullptr)) {
            failed_ = true;
            got = 0;
        }
        left_ = got == 0 ? 0 : left_ - got;
        return got;
    }
    bool failed() const override { return failed_; }
    bool skip(std::uint64_t count) override {
        LARGE_INTEGER move;
        move.QuadPart = static_cast<LONGLONG>(std::min(count, left_));
        const bool moved = count <= left_ && SetFilePointerEx(handle_, move, nullptr, FILE_CURRENT);
        left_ = moved ? left_ - count : 0;
        return moved;
    }
    bool seek(std::uint64_t offset) override {
        LARGE_INTEGER move;
        move.QuadPart = static_cast<LONGLONG>(offset);
        if (offset > size_ || !SetFilePointerEx(handle_, move, nullptr, FILE_BEGIN)) return false;
        left_ = size_ - offset;
        return true;
    }
    std::uint64_t size() const override { return size_; }
    std::optional<FileIdentity> identity() const override { return identity_; }

private:
    HANDLE handle_;
    std::uint64_t size_ = 0;
    std::uint64_t left_ = 0;
    std::optional<FileIdentity> identity_;
    bool failed_ = false;
};

}  // namespace

DWORD attributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool isDirectory(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

PathKind kindOf(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    return isDirectory(attributes) ? PathKind::Directory : PathKind::File;
}

std::optional<std::wstring> systemText(const std::function<DWORD(wchar_t*, DWORD)>& write) {
    // The longest path the wide calls take, with room for its end.
    constexpr std::size_t kLongest = 1 << 16;
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = write(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0) return std::nullopt;
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        if (text.size() >= kLongest) return std::nullopt;
        text.resize(std::min<std::size_t>(std::max<std::size_t>(length, text.size() * 2), kLongest));
    }
}

std::string errorText(DWORD error) {
    char* text = nullptr;
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length > 0 && text != nullptr ? std::string(text, length) : std::string();
    if (text != nullptr) LocalFree(text);
    return result;
}

Failure systemFailure(Cause cause, DWORD error) { return {cause, errorText(error), static_cast<long>(error)}; }

Failure readFailureOf(DWORD error) {
    return systemFailure(isMissing(error) ? Cause::Missing : Cause::Unreadable, error);
}

Failure writeFailureOf(DWORD error, const std::wstring& path) {
    Failure failure = systemFailure(Cause::Failed, error);
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) failure.cause = Cause::InUse;
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) failure.cause = Cause::Exists;
    if (isMissing(error)) failure.cause = Cause::Missing;
    if (error != ERROR_ACCESS_DENIED) return failure;
    failure.cause = Cause::AccessDenied;
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || isDirectory(attributes)) return failure;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        failure.cause = Cause::Failed;
        return failure;
    }
    HANDLE probe = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_ACCESS_DENIED) failure.cause = Cause::InUse;
        return failure;
    }
    CloseHandle(probe);
    failure.cause = Cause::InUse;
    return failure;
}

Result<std::unique_ptr<InputFile>> openRegularFile(const std::wstring& path,
                                                   const std::function<bool(HANDLE)>& inside) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return readFailureOf(GetLastError());
    auto file = std::make_unique<Win32InputFile>(handle);  // closes the handle on every way out
    if (GetFileType(handle) != FILE_TYPE_DISK) return Cause::NotRegular;
    if (inside && !inside(handle)) return Cause::Outside;
    return std::unique_ptr<InputFile>(std::move(file));
}

NodeKind nodeKindOf(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return NodeKind::Missing;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return NodeKind::Link;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? NodeKind::Directory : NodeKind::File;
}

Result<std::vector<FolderEntry>> listSystemFolder(const std::wstring& folder) {
    const std::wstring everything = folder + (folder.ends_with(L'\\') ? L"*" : L"\\*");
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(everything.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return std::vector<FolderEntry>();
        return readFailureOf(error);
    }
    std::vector<FolderEntry> entries;
    do {
        FolderEntry entry;
        if (auto name = codePageFromWide(data.cFileName)) {
            entry.name = std::move(*name);
        } else {
            entry.name = shownFromWide(data.cFileName, true);
            entry.nameUnrepresentable = true;
        }
        entry.isDirectory = isDirectory(data.dwFileAttributes);
        entry.isHidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.isSystem = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entry.node = nodeKindOf(data.dwFileAttributes);
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

}  // namespace modsetup
