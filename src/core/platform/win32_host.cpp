// The host on Windows: its primitives over the wide calls. Every operation
// converts the program's path exactly to UTF-16 and makes it absolute in the
// \\?\ form (win32_path.h), so the wide calls reach paths of any length and
// the very name given. The file system itself compares names without regard
// to letter case, so no mapping is needed.
#include "core/platform/windows_headers.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <utility>

#include "core/base/temporary_name.h"
#include "core/io/host.h"
#include "core/platform/extended_path.h"
#include "core/platform/win32_confinement.h"
#include "core/platform/win32_files.h"
#include "core/platform/win32_path.h"

namespace modsetup {
namespace {

class Win32NewFile final : public NewFile {
public:
    Win32NewFile(HANDLE handle, std::wstring path) : handle_(handle), path_(std::move(path)) {}
    ~Win32NewFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    bool write(const char* data, std::size_t size) override {
        while (ok_ && size > 0) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max()));
            DWORD written = 0;
            if (!WriteFile(handle_, data, piece, &written, nullptr) || written == 0) {
                ok_ = false;
                break;
            }
            data += written;
            size -= written;
        }
        return ok_;
    }
    Status finish(bool durable) override {
        if (ok_ && durable && !FlushFileBuffers(handle_)) ok_ = false;
        const DWORD error = ok_ ? 0 : GetLastError();
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        if (!ok_ || !closed) return writeFailureOf(ok_ ? GetLastError() : error, path_);
        return done();
    }

private:
    HANDLE handle_;
    std::wstring path_;
    bool ok_ = true;
};

// The loader's record of the program file, in the code page. The buffer
// grows until the whole path fits. A folder the code page cannot write is
// taken by its short name where the volume keeps one; failing that, the path
// holds "?", which names no file, so nothing is read or written beside it.
std::string readProgramPath() {
    std::optional<std::wstring> loaded =
        systemText([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    if (!loaded) return {};
    const std::wstring path = withoutExtendedPrefix(std::move(*loaded));
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

    std::string workingDirectory() override {
        std::optional<std::wstring> folder =
            systemText([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
        if (!folder) return {};
        return codePageFromWide(withoutExtendedPrefix(std::move(*folder))).value_or(std::string());
    }

    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override {
        const auto file = systemPath(path);
        if (!file) return readFailureOf(ERROR_FILE_NOT_FOUND);
        return openRegularFile(*file);
    }

    Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* /*copyOf*/) override {
        const auto file = systemPath(path);
        if (!file) return Cause::Missing;
        // CREATE_NEW: a link at the name counts as taken, and is never followed.
        HANDLE handle = CreateFileW(file->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return writeFailureOf(GetLastError(), *file);
        return std::unique_ptr<NewFile>(std::make_unique<Win32NewFile>(handle, *file));
    }

    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        const auto source = systemPath(from);
        const auto target = systemPath(to);
        if (!source || !target) return Cause::Missing;
        const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
        if (!MoveFileExW(source->c_str(), target->c_str(), flags)) return writeFailureOf(GetLastError(), *target);
        return done();
    }

    Status deleteFile(const std::string& path) override {
        const auto file = systemPath(path);
        const DWORD attributes = file ? attributesOf(*file) : INVALID_FILE_ATTRIBUTES;
        if (attributes == INVALID_FILE_ATTRIBUTES) return Cause::Missing;
        if (isDirectory(attributes)) return Cause::Failed;
        if (!DeleteFileW(file->c_str())) return writeFailureOf(GetLastError(), *file);
        return done();
    }

    Status createDirectory(const std::string& path) override {
        const auto folder = systemPath(path);
        if (!folder) return Cause::Missing;
        if (!CreateDirectoryW(folder->c_str(), nullptr)) return writeFailureOf(GetLastError(), *folder);
        return done();
    }

    Status removeDirectory(const std::string& path) override {
        const auto folder = systemPath(path);
        if (!folder) return Cause::Missing;
        if (!RemoveDirectoryW(folder->c_str())) return writeFailureOf(GetLastError(), *folder);
        return done();
    }

    Status createLink(const std::string& existing, const std::string& link) override {
        const auto from = systemPath(existing);
        const auto to = systemPath(link);
        if (!from || !to) return Cause::Missing;
        if (!CreateHardLinkW(to->c_str(), from->c_str(), nullptr)) return writeFailureOf(GetLastError(), *to);
        return done();
    }

    PathKind pathKind(const std::string& path) override {
        const auto file = systemPath(path);
        return kindOf(file ? attributesOf(*file) : INVALID_FILE_ATTRIBUTES);
    }

    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override {
        const auto systemFolder = systemPath(folder.empty() ? std::string(".") : folder);
        if (!systemFolder) return Cause::Missing;
        return listSystemFolder(*systemFolder);
    }

    std::unique_ptr<Confinement> confine(const std::string& folder) override {
        return std::make_unique<Win32Confinement>(folder);
    }

    Status shellOpen(const std::string& path, WindowHandle owner) override;

private:
    std::string programPath_;
};

Status Win32Host::shellOpen(const std::string& path, WindowHandle owner) {
    // The script is named as Play wrote it, relative to the working directory:
    // the shell and the command interpreter take no \\?\ form.
    const auto document = path.find('\0') == std::string::npos ? wideFromCodePage(path) : std::nullopt;
    if (!document || document->empty()) return readFailureOf(ERROR_FILE_NOT_FOUND);
    // The shell may hand the document to an extension that needs COM on
    // this thread; the window's thread has it already, others get it for
    // the call. A result of 32 or less is the shell's refusal.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(reinterpret_cast<HWND>(owner), L"open", document->c_str(), nullptr, nullptr, SW_SHOWMINIMIZED));
    if (SUCCEEDED(com)) CoUninitialize();
    if (result > 32) return done();
    // Its own codes (0 and SE_ERR_SHARE up) are not system error codes.
    if (result == 0 || result >= SE_ERR_SHARE) return Failure{Cause::ShellRefused, {}, static_cast<long>(result)};
    return systemFailure(Cause::Failed, static_cast<DWORD>(result));
}

}  // namespace

unsigned long processNumber() { return GetCurrentProcessId(); }

std::unique_ptr<Host> makeSystemHost() { return std::make_unique<Win32Host>(); }

}  // namespace modsetup
