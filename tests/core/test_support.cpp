#include "test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace modsetup::testing {

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("modsetup-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::programPath(std::string_view relative) const {
    std::string path = base() + "\\";
    for (char c : relative) path += (c == '/') ? '\\' : c;
    return path;
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool fileExists(const std::filesystem::path& path) { return std::filesystem::is_regular_file(path); }

WorkingDirectory::WorkingDirectory(const std::filesystem::path& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory() { std::filesystem::current_path(previous_); }

#ifdef _WIN32
namespace {

// Under Wine, whose CreateSymbolicLinkW makes nothing and which cannot remove
// a link to a folder, links are made and removed on the Unix side; Wine
// follows them as Windows follows its own. Null outside Wine.
using UnixName = char*(CDECL*)(const wchar_t*);
const auto wineUnixName = reinterpret_cast<UnixName>(
    reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));

// Runs a Unix command under Wine, whose end cannot be waited for, only its
// outcome: whether at is there, for a few seconds at most.
bool runOnUnix(const char* program, std::string command, const std::filesystem::path& at, bool there) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    std::error_code error;
    for (int wait = 0; wait < 500 && std::filesystem::exists(at, error) != there; ++wait) Sleep(10);
    return std::filesystem::exists(at, error) == there;
}

std::string quotedUnixName(const std::filesystem::path& path) {
    return " \"" + (path.is_absolute() ? std::string(wineUnixName(path.wstring().c_str())) : path.generic_string()) +
           "\"";
}

}  // namespace
#endif

bool makeLink(const std::filesystem::path& target, const std::filesystem::path& at) {
    std::error_code error;
#ifdef _WIN32
    if (wineUnixName != nullptr)
        return runOnUnix("/bin/ln", "ln -s" + quotedUnixName(target) + quotedUnixName(at), at, true);
    const DWORD folder = std::filesystem::is_directory(at.parent_path() / target) ? 1 : 0;
    CreateSymbolicLinkW(at.wstring().c_str(), target.wstring().c_str(), folder | 2);  // 2: no privilege needed
    return std::filesystem::is_symlink(at, error);
#else
    std::filesystem::create_symlink(target, at, error);
    return !error;
#endif
}

void removeLink(const std::filesystem::path& at) {
    std::error_code error;
#ifdef _WIN32
    if (wineUnixName != nullptr) {
        runOnUnix("/bin/rm", "rm -f" + quotedUnixName(at), at, false);
        return;
    }
#endif
    std::filesystem::remove(at, error);
}

#ifndef _WIN32
bool finishesWithoutBlocking(const std::function<void()>& work, const std::vector<std::filesystem::path>& pipes,
                             std::chrono::seconds limit) {
    std::packaged_task<void()> task(work);
    std::future<void> done = task.get_future();
    std::thread runner(std::move(task));
    const bool finished = done.wait_for(limit) == std::future_status::ready;
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        // A writer that comes and goes releases a reader waiting on the pipe.
        for (const auto& pipe : pipes) {
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) ::close(fd);
        }
    }
    runner.join();
    return finished;
}

FileSizeLimit::FileSizeLimit(std::uintmax_t bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    previous_ = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(previous_);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, previousHandler_);
}

std::string readLineWithin(int fd, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string line;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd waiting{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) return {};
        char c;
        if (::read(fd, &c, 1) != 1) return {};
        if (c == '\n') return line;
        line += c;
    }
}
#endif

}  // namespace modsetup::testing
