// The host on Windows. Every operation converts the program's path exactly to
// UTF-16 and makes it absolute in the \\?\ form (win32_path.h), so the wide
// calls reach paths of any length and the very name given. The file system
// itself compares names without regard to letter case, so no mapping is needed.
#include "core/platform/windows_headers.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <utility>

#include "core/error_text.h"
#include "core/platform/host.h"
#include "core/platform/temporary_name.h"
#include "core/platform/win32_confinement.h"
#include "core/platform/win32_path.h"

namespace modsetup {
namespace {

// How long a replace or a deletion is tried again while another program
// holds the file: a game still closing, an antivirus scan or an indexer
// reading a freshly written file usually lets go within a second.
constexpr auto kHeldFileWait = std::chrono::seconds(3);
constexpr DWORD kHeldFilePollMs = 100;

// The system's text for an error code, as FormatMessage gives it (usually
// ending in a full stop and a line break, which the error report trims).
std::string errorText(DWORD error) {
    char* text = nullptr;
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length > 0 && text != nullptr ? std::string(text, length) : "Error " + std::to_string(error);
    if (text != nullptr) LocalFree(text);
    return result;
}

// The shell's own codes for a document it did not open (its other codes are
// system error codes).
constexpr std::array<std::pair<INT_PTR, std::string_view>, 8> kShellErrors{{
    {0, "The system is out of memory or resources"},
    {SE_ERR_SHARE, "A sharing violation occurred"},
    {SE_ERR_ASSOCINCOMPLETE, "The file name association is incomplete or invalid"},
    {SE_ERR_DDETIMEOUT, "The DDE transaction timed out"},
    {SE_ERR_DDEFAIL, "The DDE transaction failed"},
    {SE_ERR_DDEBUSY, "The DDE transaction could not be completed because other DDE transactions were being processed"},
    {SE_ERR_NOASSOC, "No program is associated with the document's file name extension"},
    {SE_ERR_DLLNOTFOUND, "A library needed to open the document was not found"},
}};

std::string shellErrorText(INT_PTR code) {
    for (const auto& [known, text] : kShellErrors)
        if (known == code) return std::string(text);
    return errorText(static_cast<DWORD>(code));
}

// The errors of a path that names nothing there.
bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
           error == ERROR_BAD_PATHNAME || error == ERROR_DIRECTORY || error == ERROR_INVALID_DRIVE;
}

DWORD attributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool isDirectory(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Why a write at path failed with error. Access denied on a file that is
// not read-only, which this user may delete, means another program has it
// open without leave to replace it; elsewhere it means the folder or the file
// refuses this user.
FileFailure writeFailureOf(DWORD error, const std::wstring& path) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return FileFailure::InUse;
    if (error != ERROR_ACCESS_DENIED) return FileFailure::Failed;
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || isDirectory(attributes)) return FileFailure::AccessDenied;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return FileFailure::Failed;
    HANDLE probe = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_ACCESS_DENIED ? FileFailure::AccessDenied : FileFailure::InUse;
    CloseHandle(probe);
    return FileFailure::InUse;
}

// Runs a replace or a deletion of path (attempt: true when done) again while
// another program holds the file, for kHeldFileWait at most.
template <typename Attempt>
FileResult whileHeld(const std::wstring& path, Attempt attempt) {
    const auto deadline = std::chrono::steady_clock::now() + kHeldFileWait;
    for (;;) {
        if (attempt()) return true;
        const FileFailure failure = writeFailureOf(GetLastError(), path);
        if (failure != FileFailure::InUse || std::chrono::steady_clock::now() >= deadline) return failure;
        Sleep(kHeldFilePollMs);
    }
}

// ReadFile and WriteFile take at most a DWORD of bytes per call.
DWORD chunkSize(std::uint64_t size) {
    return static_cast<DWORD>(std::min<std::uint64_t>(size, std::numeric_limits<DWORD>::max()));
}

// A handle, closed at the end of its scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// Opens path for reading when it is a file on a disk; a device, a pipe or
// the console is refused. Others may read and write the file meanwhile. A
// folder cannot be opened this way: the system answers "access denied". On
// failure error holds the system's code (0 for a file that is not regular).
HANDLE openRegularFile(const std::wstring& path, std::string& reason, DWORD& error) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        reason = errorText(error);
        return INVALID_HANDLE_VALUE;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        error = 0;
        reason = std::string(kNotRegularFileReason);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

std::uint64_t sizeOf(HANDLE file) {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

// Reads exactly size bytes; false on an error or an early end.
bool readExactly(HANDLE file, char* buffer, DWORD size) {
    for (DWORD done = 0; done < size;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer + done, size - done, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

// Whether the file at target is already what a copy of in (size bytes,
// read from its start) would make it: in itself (two names of a hard link,
// or one reached through a linked folder), or a file of the same bytes (an
// Apply again with the same choice). Leaves in's position anywhere.
bool isInPlace(HANDLE in, std::uint64_t size, const std::wstring& target) {
    FileHandle other(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!other.valid() || GetFileType(other.get()) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    if (GetFileInformationByHandle(in, &a) && GetFileInformationByHandle(other.get(), &b) &&
        a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
        a.nFileIndexLow == b.nFileIndexLow)
        return true;
    if (sizeOf(other.get()) != size) return false;
    static constexpr DWORD kPiece = 1 << 15;
    char ours[kPiece];
    char theirs[kPiece];
    for (std::uint64_t left = size; left > 0;) {
        const DWORD piece = chunkSize(std::min<std::uint64_t>(left, kPiece));
        if (!readExactly(in, ours, piece) || !readExactly(other.get(), theirs, piece) ||
            std::memcmp(ours, theirs, piece) != 0)
            return false;
        left -= piece;
    }
    return true;
}

class Win32InputFile final : public InputFile {
public:
    // size: the file's size when it was opened; reads stop there, however
    // much is written to the file meanwhile.
    Win32InputFile(HANDLE handle, std::uint64_t size) : handle_(handle), size_(size), left_(size) {}
    ~Win32InputFile() override { CloseHandle(handle_); }
    std::size_t read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        if (left_ == 0 || !ReadFile(handle_, buffer, chunkSize(std::min<std::uint64_t>(size, left_)), &got, nullptr))
            got = 0;
        left_ = got == 0 ? 0 : left_ - got;
        return got;
    }
    bool skip(std::uint64_t count) override {
        LARGE_INTEGER move;
        move.QuadPart = static_cast<LONGLONG>(std::min(count, left_));
        const bool moved = count <= left_ && SetFilePointerEx(handle_, move, nullptr, FILE_CURRENT);
        left_ = moved ? left_ - count : 0;
        return moved;
    }
    std::uint64_t size() const override { return size_; }

private:
    HANDLE handle_;
    std::uint64_t size_;
    std::uint64_t left_;
};

// Writes to a new temporary file in the target's folder and moves it over
// the target on commit, so the target holds either its old or its complete
// new content, whatever happens meanwhile. A durable file reaches the disk
// before the move (the program's own files); copies leave that to the
// system, as a plain copy does.
class Win32OutputFile final : public OutputFile {
public:
    Win32OutputFile(HANDLE handle, std::wstring temporary, std::wstring target, bool durable)
        : handle_(handle), temporary_(std::move(temporary)), target_(std::move(target)), durable_(durable) {}
    ~Win32OutputFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        // A scan of the freshly written file may hold it a moment.
        if (!committed_) whileHeld(temporary_, [&] { return DeleteFileW(temporary_.c_str()) != 0; });
    }
    bool write(const char* data, std::size_t size) override {
        while (ok_ && size > 0) {
            DWORD written = 0;
            if (!WriteFile(handle_, data, chunkSize(size), &written, nullptr) || written == 0) {
                ok_ = false;
                break;
            }
            data += written;
            size -= written;
        }
        return ok_;
    }
    FileResult commit() override {
        if (!ok_ || committed_) return false;
        if (durable_) ok_ = FlushFileBuffers(handle_) != 0;
        ok_ = (CloseHandle(handle_) != 0) && ok_;
        handle_ = INVALID_HANDLE_VALUE;
        if (!ok_) return false;
        const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable_ ? MOVEFILE_WRITE_THROUGH : 0);
        const FileResult moved =
            whileHeld(target_, [&] { return MoveFileExW(temporary_.c_str(), target_.c_str(), flags) != 0; });
        committed_ = ok_ = moved;
        return moved;
    }

private:
    HANDLE handle_;
    std::wstring temporary_;
    std::wstring target_;
    bool durable_;
    bool ok_ = true;
    bool committed_ = false;
};

// The replacement of target: a temporary file created new beside it
// (CREATE_NEW), never through a link at its name (the link itself counts as
// taken), under the first free name. Null, with failure set, when none can be
// created.
std::unique_ptr<Win32OutputFile> createReplacement(const std::string& target, bool durable, FileFailure& failure) {
    failure = FileFailure::Failed;
    auto targetPath = systemPath(target);
    if (!targetPath || isDirectory(attributesOf(*targetPath))) return nullptr;
    const unsigned long process = GetCurrentProcessId();
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        auto temporary = systemPath(temporaryName(target, process, attempt));
        if (!temporary) return nullptr;
        HANDLE handle = CreateFileW(temporary->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            failure = FileFailure::None;
            return std::make_unique<Win32OutputFile>(handle, std::move(*temporary), std::move(*targetPath), durable);
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            failure = writeFailureOf(error, *temporary);
            return nullptr;
        }
    }
    return nullptr;
}

// The loader's record of the program file, in the code page. The buffer
// grows until the whole path fits. A folder the code page cannot write is
// taken by its short name where the volume keeps one; failing that, the path
// holds "?", which names no file, so nothing is read or written beside it.
std::string readProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path = withoutExtendedPrefix(std::move(path));
    if (auto exact = codePageFromWide(path)) return *exact;
    const std::size_t cut = path.rfind(L'\\');
    const auto folder = cut == std::wstring::npos ? std::nullopt : extendedPath(path.substr(0, cut), L"");
    if (folder) {
        std::wstring shortFolder(folder->size() + 1, L'\0');  // a short name is never the longer one
        const DWORD length =
            GetShortPathNameW(folder->c_str(), shortFolder.data(), static_cast<DWORD>(shortFolder.size()));
        if (length > 0 && length < shortFolder.size()) {
            shortFolder.resize(length);
            if (auto exact = codePageFromWide(withoutExtendedPrefix(shortFolder) + path.substr(cut))) return *exact;
        }
    }
    return shownFromWide(path, false);
}

class Win32Host final : public Host {
public:
    Win32Host() : programPath_(readProgramPath()) {}

    std::string programPath() override { return programPath_; }

    std::unique_ptr<InputFile> openRead(const std::string& path, std::string& reason) override {
        const auto systemFile = systemPath(path);
        if (!systemFile) {
            reason = errorText(ERROR_FILE_NOT_FOUND);
            return nullptr;
        }
        DWORD error = 0;
        HANDLE handle = openRegularFile(*systemFile, reason, error);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        if (liesOutside(path, handle)) {
            CloseHandle(handle);
            reason = std::string(kOutsideLibraryReason);
            return nullptr;
        }
        return std::make_unique<Win32InputFile>(handle, sizeOf(handle));
    }

    std::unique_ptr<OutputFile> openReplace(const std::string& path, FileFailure& failure) override {
        return createReplacement(path, true, failure);
    }

    FileResult createDirectory(const std::string& path) override {
        const auto folder = systemPath(path);
        if (!folder) return false;
        if (CreateDirectoryW(folder->c_str(), nullptr) != 0) return true;
        return writeFailureOf(GetLastError(), *folder);
    }

    FileResult deleteFile(const std::string& path) override {
        const auto file = systemPath(path);
        const DWORD attributes = file ? attributesOf(*file) : INVALID_FILE_ATTRIBUTES;
        if (attributes == INVALID_FILE_ATTRIBUTES) return FileFailure::Missing;
        if (isDirectory(attributes)) return false;
        return whileHeld(*file, [&] { return DeleteFileW(file->c_str()) != 0; });
    }

    FileResult copyFile(const std::string& source, const std::string& target) override;

    PathKind pathKind(const std::string& path) override {
        if (confinement_.covers(path)) return confinement_.kind(path);
        const auto file = systemPath(path);
        const DWORD attributes = file ? attributesOf(*file) : INVALID_FILE_ATTRIBUTES;
        if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
        return isDirectory(attributes) ? PathKind::Directory : PathKind::File;
    }

    bool listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override;

    bool shellOpen(const std::string& path, WindowHandle owner, std::string& reason) override;

    void confineBelow(const std::string& folder) override { confinement_.confine(folder); }

private:
    // A file opened from below the set library that really lies outside it.
    bool liesOutside(const std::string& path, HANDLE file) const {
        return confinement_.covers(path) && !confinement_.holds(file);
    }

    std::string programPath_;
    Win32Confinement confinement_;
};

FileResult Win32Host::copyFile(const std::string& source, const std::string& target) {
    const auto sourceFile = systemPath(source);
    if (!sourceFile) return FileFailure::Missing;
    const auto targetFile = systemPath(target);
    if (!targetFile) return false;
    std::unique_ptr<Win32OutputFile> out;
    {
        std::string reason;
        DWORD error = 0;
        FileHandle in(openRegularFile(*sourceFile, reason, error));
        if (!in.valid()) return isMissing(error) ? FileFailure::Missing : FileFailure::Unreadable;
        if (liesOutside(source, in.get())) return FileFailure::Outside;
        if (isDirectory(attributesOf(*targetFile))) return false;
        const std::uint64_t size = sizeOf(in.get());
        if (isInPlace(in.get(), size, *targetFile)) return true;
        LARGE_INTEGER start{};
        if (!SetFilePointerEx(in.get(), start, nullptr, FILE_BEGIN)) return FileFailure::Unreadable;
        FileFailure failure;
        out = createReplacement(target, false, failure);
        if (!out) return failure;
        // As far as the source reached when it was opened; on a read error
        // the temporary file goes and the target stays whole.
        char buffer[1 << 16];
        for (std::uint64_t left = size; left > 0;) {
            DWORD got = 0;
            if (!ReadFile(in.get(), buffer, chunkSize(std::min<std::uint64_t>(left, sizeof buffer)), &got, nullptr))
                return FileFailure::Unreadable;
            if (got == 0) break;
            if (!out->write(buffer, got)) return false;
            left -= got;
        }
    }  // the source is closed before the move: no handle of ours stands in its way
    return out->commit();
}

bool Win32Host::listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) {
    // The pattern is always "<folder>\*.*", which matches every entry.
    const std::size_t cut = pattern.find_last_of('\\');
    const std::string programFolder =
        cut == std::string::npos ? std::string(".") : pattern.substr(0, cut == 0 ? 1 : cut);
    // Only a folder that really lies inside the set library is listed.
    if (confinement_.covers(programFolder) && confinement_.kind(programFolder) != PathKind::Directory) return false;
    const auto folder = systemPath(programFolder);
    if (!folder) return false;
    const std::wstring everything = *folder + (folder->ends_with(L'\\') ? L"*" : L"\\*");
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(everything.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        // An existing folder in which nothing matches is listed, just empty.
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    do {
        FolderEntry entry;
        if (auto name = codePageFromWide(data.cFileName)) {
            entry.name = std::move(*name);
        } else {
            entry.name = shownFromWide(data.cFileName, true);
            entry.nameUnrepresentable = true;
        }
        entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isHidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.isSystem = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
}

bool Win32Host::shellOpen(const std::string& path, WindowHandle owner, std::string& reason) {
    // The script is named as Play wrote it, relative to the working directory:
    // the shell and the command interpreter take no \\?\ form.
    const auto document = path.find('\0') == std::string::npos ? wideFromCodePage(path) : std::nullopt;
    if (!document || document->empty()) {
        reason = errorText(ERROR_FILE_NOT_FOUND);
        return false;
    }
    // The shell may hand the document to an extension that needs COM on
    // this thread; the window's thread has it already, others get it for
    // the call. A result of 32 or less is the shell's refusal.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(reinterpret_cast<HWND>(owner), L"open", document->c_str(), nullptr, nullptr, SW_SHOWMINIMIZED));
    if (SUCCEEDED(com)) CoUninitialize();
    if (result > 32) return true;
    reason = shellErrorText(result);
    return false;
}

}  // namespace

std::unique_ptr<Host> makeSystemHost() { return std::make_unique<Win32Host>(); }

}  // namespace modsetup
