// The host on Windows. Paths go to the ANSI calls exactly as the program
// builds them, backslashes and all; the file system itself compares names
// without regard to letter case, so no mapping is needed.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <utility>

#include "core/error_text.h"
#include "core/platform/host.h"
#include "core/platform/temporary_name.h"
#include "core/platform/win32_confinement.h"

namespace modsetup {
namespace {

// The system's text for an error code, as FormatMessage gives it (usually
// ending in a full stop and a line break, which the error report trims).
std::string errorText(DWORD error) {
    char* text = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<char*>(&text), 0, nullptr);
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

// A path holding a NUL byte: the system would read it only up to that byte,
// so it names no file at all.
bool holdsNul(const std::string& path) { return path.find('\0') != std::string::npos; }

bool isDirectory(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// ReadFile and WriteFile take at most a DWORD of bytes per call.
DWORD chunkSize(std::size_t size) {
    return static_cast<DWORD>(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max()));
}

// Closes a handle at the end of a scope.
class HandleCloser {
public:
    explicit HandleCloser(HANDLE handle) : handle_(handle) {}
    ~HandleCloser() { CloseHandle(handle_); }
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;

private:
    HANDLE handle_;
};

// Opens path for reading when it is a file on a disk; a device, a pipe or
// the console is refused, and so is a file below the set library that really
// lies outside it. Others may read and write the file meanwhile. A folder
// cannot be opened this way: the system answers "access denied".
HANDLE openRegularFile(const std::string& path, std::string& reason, const Win32Confinement& confinement) {
    if (holdsNul(path)) {
        reason = errorText(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = errorText(GetLastError());
        return INVALID_HANDLE_VALUE;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        reason = std::string(kNotRegularFileReason);
        return INVALID_HANDLE_VALUE;
    }
    if (confinement.covers(path) && !confinement.holds(handle)) {
        CloseHandle(handle);
        reason = std::string(kOutsideLibraryReason);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

// Whether the open file and the file at path are one file (two names of a
// hard link, or one name reached through a linked folder).
bool isSameFile(HANDLE file, const std::string& path) {
    HANDLE other = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (other == INVALID_HANDLE_VALUE) return false;
    HandleCloser closeOther(other);
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    return GetFileInformationByHandle(file, &a) && GetFileInformationByHandle(other, &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

class Win32InputFile final : public InputFile {
public:
    explicit Win32InputFile(HANDLE handle) : handle_(handle) {
        LARGE_INTEGER size;
        if (GetFileSizeEx(handle_, &size)) size_ = static_cast<std::uint64_t>(size.QuadPart);
    }
    ~Win32InputFile() override { CloseHandle(handle_); }
    std::size_t read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(handle_, buffer, chunkSize(size), &got, nullptr)) return 0;
        return got;
    }
    // Moves the file's position; past the size the file had when it was
    // opened nothing is read.
    bool skip(std::uint64_t count) override {
        LARGE_INTEGER move;
        LARGE_INTEGER at;
        move.QuadPart = static_cast<LONGLONG>(std::min<std::uint64_t>(count, std::numeric_limits<LONGLONG>::max()));
        return SetFilePointerEx(handle_, move, &at, FILE_CURRENT) && static_cast<std::uint64_t>(at.QuadPart) <= size_;
    }
    std::uint64_t size() const override { return size_; }

private:
    HANDLE handle_;
    std::uint64_t size_ = kUnknownSize;
};

// Writes to a new temporary file in the target's folder and moves it over
// the target on commit, so the target holds either its old or its complete
// new content, whatever happens meanwhile. A durable file reaches the disk
// before the move (the program's own files); copies leave that to the
// system, as a plain copy does.
class Win32OutputFile final : public OutputFile {
public:
    Win32OutputFile(HANDLE handle, std::string temporary, std::string target, bool durable)
        : handle_(handle), temporary_(std::move(temporary)), target_(std::move(target)), durable_(durable) {}
    ~Win32OutputFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        if (!committed_) DeleteFileA(temporary_.c_str());
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
    bool commit() override {
        if (!ok_ || committed_) return false;
        if (durable_) ok_ = FlushFileBuffers(handle_) != 0;
        ok_ = (CloseHandle(handle_) != 0) && ok_;
        handle_ = INVALID_HANDLE_VALUE;
        const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable_ ? MOVEFILE_WRITE_THROUGH : 0);
        if (ok_ && MoveFileExA(temporary_.c_str(), target_.c_str(), flags) != 0) committed_ = true;
        ok_ = committed_;
        return committed_;
    }

private:
    HANDLE handle_;
    std::string temporary_;
    std::string target_;
    bool durable_;
    bool ok_ = true;
    bool committed_ = false;
};

// The replacement of target: a temporary file created new beside it
// (CREATE_NEW), never through a link at its name (the link itself counts as
// taken), under the first free name. Null when none can be created.
std::unique_ptr<Win32OutputFile> createReplacement(const std::string& target, bool durable) {
    if (target.empty() || holdsNul(target) || isDirectory(target)) return nullptr;
    const unsigned long process = GetCurrentProcessId();
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::string temporary = temporaryName(target, process, attempt);
        HANDLE handle = CreateFileA(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            return std::make_unique<Win32OutputFile>(handle, std::move(temporary), target, durable);
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return nullptr;
    }
    return nullptr;
}

// The loader's record of the program file; the buffer grows until the whole
// path fits.
std::string readProgramPath() {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

class Win32Host final : public Host {
public:
    Win32Host() : programPath_(readProgramPath()) {}

    std::string programPath() override { return programPath_; }

    std::unique_ptr<InputFile> openRead(const std::string& path, std::string& reason) override {
        HANDLE handle = openRegularFile(path, reason, confinement_);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<Win32InputFile>(handle);
    }

    std::unique_ptr<OutputFile> openReplace(const std::string& path) override {
        return createReplacement(path, true);
    }

    bool createDirectory(const std::string& path) override {
        return !holdsNul(path) && CreateDirectoryA(path.c_str(), nullptr) != 0;
    }

    bool deleteFile(const std::string& path) override { return !holdsNul(path) && DeleteFileA(path.c_str()) != 0; }

    bool copyFile(const std::string& source, const std::string& target) override {
        std::unique_ptr<Win32OutputFile> out;
        {
            std::string reason;
            HANDLE in = openRegularFile(source, reason, confinement_);
            if (in == INVALID_HANDLE_VALUE) return false;
            HandleCloser closeIn(in);  // before the move: no handle of ours stands in its way
            if (holdsNul(target) || isDirectory(target)) return false;
            // The set's file is the installed file itself: it is in place already.
            if (isSameFile(in, target)) return true;
            out = createReplacement(target, false);
            if (!out) return false;
            char buffer[1 << 16];
            for (;;) {
                DWORD got = 0;
                if (!ReadFile(in, buffer, sizeof buffer, &got, nullptr)) return false;  // the target stays whole
                if (got == 0) break;
                if (!out->write(buffer, got)) return false;
            }
        }
        return out->commit();
    }

    PathKind pathKind(const std::string& path) override {
        if (holdsNul(path)) return PathKind::Missing;
        if (confinement_.covers(path)) return confinement_.kind(path);
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Directory : PathKind::File;
    }

    bool listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override {
        if (holdsNul(pattern)) return false;
        if (const std::string folder = pattern.substr(0, pattern.rfind('\\')); confinement_.covers(folder)) {
            // Only a folder that really lies inside the set library is listed.
            if (confinement_.kind(folder) != PathKind::Directory) return false;
        }
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            // An existing folder in which nothing matches is listed, just empty.
            return GetLastError() == ERROR_FILE_NOT_FOUND;
        }
        do {
            FolderEntry entry;
            entry.name = data.cFileName;
            entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            entry.isHidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
            entry.isSystem = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
            entries.push_back(std::move(entry));
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return true;
    }

    bool shellOpen(const std::string& path, WindowHandle owner, std::string& reason) override {
        if (holdsNul(path)) {
            reason = errorText(ERROR_FILE_NOT_FOUND);
            return false;
        }
        // The shell may hand the document to an extension that needs COM on
        // this thread; the window's thread has it already, others get it for
        // the call. A result of 32 or less is the shell's refusal.
        HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteA(reinterpret_cast<HWND>(owner), "open", path.c_str(), nullptr, nullptr, SW_SHOWMINIMIZED));
        if (SUCCEEDED(com)) CoUninitialize();
        if (result > 32) return true;
        reason = shellErrorText(result);
        return false;
    }

    void confineBelow(const std::string& folder) override { confinement_.confine(folder); }

private:
    std::string programPath_;
    Win32Confinement confinement_;
};

}  // namespace

std::unique_ptr<Host> makeSystemHost() { return std::make_unique<Win32Host>(); }

}  // namespace modsetup
