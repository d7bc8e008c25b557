// The host on Windows: its primitives over the wide calls. Every operation
// converts the program's path exactly to UTF-16 and makes it absolute in the
// \\?\ form (win32_path.h), so the wide calls reach paths of any length and
// the very name given. The file system itself compares names without regard
// to letter case, so no mapping is needed.
#include "core/platform/win32/windows_headers.h"

#include <objbase.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <utility>

#include "core/base/temporary_name.h"
#include "core/io/host.h"
#include "core/platform/system_names.h"
#include "core/platform/win32/extended_path.h"
#include "core/platform/win32/win32_confinement.h"
#include "core/platform/win32/win32_files.h"
#include "core/platform/win32/win32_path.h"

namespace modsetup {
namespace {

class Win32NewFile final : public NewFile {
public:
    Win32NewFile(HANDLE handle, std::wstring path) : handle_(handle), path_(std::move(path)) {}
    ~Win32NewFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    bool write(const char* data, std::size_t size) override {
        while (error_ == ERROR_SUCCESS && size > 0) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max()));
            DWORD written = 0;
            if (!WriteFile(handle_, data, piece, &written, nullptr)) {
                error_ = GetLastError();
                break;
            }
            if (written == 0) {  // nothing taken: the disk is full
                error_ = ERROR_DISK_FULL;
                break;
            }
            data += written;
            size -= written;
        }
        return error_ == ERROR_SUCCESS;
    }
    // The failure is the first one met, in the system's words.
    Status finish(bool durable) override {
        if (error_ == ERROR_SUCCESS && durable && !FlushFileBuffers(handle_)) error_ = GetLastError();
        if (!CloseHandle(handle_) && error_ == ERROR_SUCCESS) error_ = GetLastError();
        handle_ = INVALID_HANDLE_VALUE;
        if (error_ != ERROR_SUCCESS) return writeFailureOf(error_, path_);
        return done();
    }

private:
    HANDLE handle_;
    std::wstring path_;
    DWORD error_ = ERROR_SUCCESS;
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

// A file opened without leave for anyone else to open it; the system closes
// it when the process ends, however it ends.
class Win32HeldFile final : public HeldFile {
public:
    explicit Win32HeldFile(HANDLE handle) : handle_(handle) {}
    ~Win32HeldFile() override { CloseHandle(handle_); }

private:
    HANDLE handle_;
};

// The shell's flags for a move into the Recycle Bin: no questions, no
// progress, and should the item not fit the Recycle Bin, the shell asks
// before it deletes it rather than deleting it unasked.
constexpr DWORD kRecycleFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING;

// The shell's file operation object, CLSID_FileOperation: named here, so that
// the core needs no library of interface identifiers (the window's own
// would then define some twice).
constexpr CLSID kFileOperation = {0x3ad05575, 0x8857, 0x4850, {0x92, 0x77, 0x11, 0xb8, 0x5b, 0xdb, 0x8e, 0x09}};

// Through IFileOperation; E_NOTIMPL or a failure to make it where the system
// has none.
HRESULT recycleWithFileOperation(const std::wstring& path) {
    IFileOperation* operation = nullptr;
    HRESULT result = CoCreateInstance(kFileOperation, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&operation));
    if (FAILED(result)) return result;
    IShellItem* item = nullptr;
    result = operation->SetOperationFlags(kRecycleFlags | FOFX_RECYCLEONDELETE);
    if (SUCCEEDED(result)) result = SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(&item));
    if (SUCCEEDED(result)) result = operation->DeleteItem(item, nullptr);
    if (SUCCEEDED(result)) result = operation->PerformOperations();
    BOOL aborted = FALSE;
    if (SUCCEEDED(result) && SUCCEEDED(operation->GetAnyOperationsAborted(&aborted)) && aborted) result = E_ABORT;
    if (item != nullptr) item->Release();
    operation->Release();
    return result;
}

// Through the older SHFileOperationW, where IFileOperation is not there.
bool recycleWithShell(const std::wstring& path) {
    std::wstring list = path;
    list.push_back(L'\0');  // a list of names, ended by an empty one
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = static_cast<FILEOP_FLAGS>(kRecycleFlags);
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
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

    Status moveFolder(const std::string& from, const std::string& to) override {
        const auto source = systemPath(from);
        const auto target = systemPath(to);
        if (!source || !target) return Cause::Missing;
        // Without MOVEFILE_REPLACE_EXISTING nothing standing at the target is replaced.
        if (!MoveFileExW(source->c_str(), target->c_str(), 0)) return writeFailureOf(GetLastError(), *target);
        return done();
    }

    Status moveToTrash(const std::string& path) override;

    Result<std::unique_ptr<HeldFile>> holdFile(const std::string& path) override {
        const auto file = systemPath(path);
        if (!file) return Cause::Missing;
        HANDLE handle = CreateFileW(file->c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return writeFailureOf(GetLastError(), *file);
        return std::unique_ptr<HeldFile>(std::make_unique<Win32HeldFile>(handle));
    }

    PathKind pathKind(const std::string& path) override {
        const auto file = systemPath(path);
        return kindOf(file ? attributesOf(*file) : INVALID_FILE_ATTRIBUTES);
    }

    // The attributes of a name are its own: a symbolic link or a junction
    // there is a reparse point, whatever it leads to.
    NodeKind nodeKind(const std::string& path) override {
        const auto file = systemPath(path);
        return nodeKindOf(file ? attributesOf(*file) : INVALID_FILE_ATTRIBUTES);
    }

    std::optional<std::string> nameOnDisk(const std::string& path) override {
        auto file = systemPath(path);
        // A search names the entry itself; a wildcard would name others.
        if (!file || file->find_first_of(L"*?", 4) != std::wstring::npos) return std::nullopt;
        while (file->ends_with(L'\\')) file->pop_back();
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(file->c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return std::nullopt;
        FindClose(find);
        return codePageFromWide(data.cFileName);
    }

    // Its paths are exact already: converted as they are, and a file
    // dialog's answer is a full path of the system's.
    Host& usersOwnPaths() override { return *this; }

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

Status Win32Host::moveToTrash(const std::string& path) {
    const auto item = systemPath(path);
    if (!item || attributesOf(*item) == INVALID_FILE_ATTRIBUTES) return Cause::Missing;
    // The shell takes no \\?\ form. COM as for shellOpen: this may run on
    // an import's own thread.
    const std::wstring shellPath = withoutExtendedPrefix(*item);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    HRESULT result = recycleWithFileOperation(shellPath);
    bool moved = SUCCEEDED(result);
    if (!moved && result != E_ABORT) moved = recycleWithShell(shellPath);
    if (SUCCEEDED(com)) CoUninitialize();
    if (moved && attributesOf(*item) == INVALID_FILE_ATTRIBUTES) return done();
    return Failure{Cause::Failed, errorText(moved ? ERROR_ACCESS_DENIED : static_cast<DWORD>(HRESULT_CODE(result)))};
}

}  // namespace

unsigned long processNumber() { return GetCurrentProcessId(); }

SystemName systemNameFromUtf8(std::string_view utf8) {
    std::wstring wide;
    if (!utf8.empty()) {
        const int length =
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
        wide.resize(static_cast<std::size_t>(std::max(length, 0)));
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                            length);
    }
    if (auto bytes = codePageFromWide(wide)) return {std::move(*bytes), true};
    return {shownFromWide(wide, true), false};
}

std::unique_ptr<Host> makeSystemHost() { return std::make_unique<Win32Host>(); }

}  // namespace modsetup
