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
#include <limits>

#include "core/platform/host.h"

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

bool isDirectory(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// ReadFile and WriteFile take at most a DWORD of bytes per call.
DWORD chunkSize(std::size_t size) {
    return static_cast<DWORD>(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max()));
}

class Win32InputFile final : public InputFile {
public:
    explicit Win32InputFile(HANDLE handle) : handle_(handle) {}
    ~Win32InputFile() override { CloseHandle(handle_); }
    std::size_t read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(handle_, buffer, chunkSize(size), &got, nullptr)) return 0;
        return got;
    }

private:
    HANDLE handle_;
};

// Writes to "<target>.~<process id>" in the target's folder and moves it over
// the target on commit, so the target holds either its old or its complete new
// content, whatever happens meanwhile.
class Win32OutputFile final : public OutputFile {
public:
    Win32OutputFile(HANDLE handle, std::string temporary, std::string target)
        : handle_(handle), temporary_(std::move(temporary)), target_(std::move(target)) {}
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
        ok_ = FlushFileBuffers(handle_) != 0;
        ok_ = (CloseHandle(handle_) != 0) && ok_;
        handle_ = INVALID_HANDLE_VALUE;
        if (ok_ && MoveFileExA(temporary_.c_str(), target_.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0)
            committed_ = true;
        ok_ = committed_;
        return committed_;
    }

private:
    HANDLE handle_;
    std::string temporary_;
    std::string target_;
    bool ok_ = true;
    bool committed_ = false;
};

class Win32Host final : public Host {
public:
    std::string programPath() override {
        // The loader's record of the program file; the buffer grows until the
        // whole path fits.
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

    std::unique_ptr<InputFile> openRead(const std::string& path, std::string& reason) override {
        // A folder cannot be opened this way: the system answers "access denied".
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            reason = errorText(GetLastError());
            return nullptr;
        }
        return std::make_unique<Win32InputFile>(handle);
    }

    std::unique_ptr<OutputFile> openReplace(const std::string& path) override {
        if (path.empty() || isDirectory(path)) return nullptr;
        std::string temporary = path + ".~" + std::to_string(GetCurrentProcessId());
        HANDLE handle = CreateFileA(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<Win32OutputFile>(handle, std::move(temporary), path);
    }

    bool createDirectory(const std::string& path) override { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

    bool deleteFile(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

    bool copyFile(const std::string& source, const std::string& target) override {
        return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
    }

    PathKind pathKind(const std::string& path) override {
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Directory : PathKind::File;
    }

    bool listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override {
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

    void shellOpen(const std::string& path, WindowHandle owner) override {
        // The shell may hand the document to an extension that needs COM on
        // this thread; the window's thread has it already, others get it for
        // the call. The shell's answer is not examined.
        HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        ShellExecuteA(reinterpret_cast<HWND>(owner), "open", path.c_str(), nullptr, nullptr, SW_SHOWMINIMIZED);
        if (SUCCEEDED(com)) CoUninitialize();
    }
};

}  // namespace

std::unique_ptr<Host> makeSystemHost() { return std::make_unique<Win32Host>(); }

}  // namespace modsetup
