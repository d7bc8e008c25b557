// Times a windowed program from its start to its window appearing: the
// process is created, and the time is taken when it waits for input with a
// visible top-level window (WaitForInputIdle, then the window looked up).
// The window is then closed and the process waited for. Two programs are
// timed in turn, after one untimed start of each, and the medians compared.
//
//   start_time.exe <program> <floor program> [runs]
// Each program runs in its own folder, as it would be started there.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr) return TRUE;
    search->found = window;
    return FALSE;
}

// Milliseconds to the visible window; negative when it did not appear.
double timeStart(const std::string& program) {
    const std::string folder = program.substr(0, program.find_last_of('\\'));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    const auto started = std::chrono::steady_clock::now();
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        return -1;
    WaitForInputIdle(process.hProcess, 30000);
    Search search{process.dwProcessId, nullptr};
    const auto limit = started + std::chrono::seconds(30);
    while (search.found == nullptr && std::chrono::steady_clock::now() < limit) {
        EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(1);
    }
    const auto appeared = std::chrono::steady_clock::now();
    if (search.found != nullptr) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (search.found == nullptr) return -1;
    return std::chrono::duration<double, std::milli>(appeared - started).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: start_time <program> <floor program> [runs]\n");
        return 2;
    }
    const std::string programs[2] = {argv[1], argv[2]};
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    std::vector<double> times[2];
    for (const std::string& program : programs) timeStart(program);  // warm: the system's own start-up files
    for (int run = 0; run < runs; ++run) {
        for (int which = 0; which < 2; ++which) {
            const double ms = timeStart(programs[which]);
            if (ms < 0) {
                std::fprintf(stderr, "%s showed no window\n", programs[which].c_str());
                return 1;
            }
            times[which].push_back(ms);
        }
    }
    const double program = median(times[0]);
    const double floor = median(times[1]);
    for (int which = 0; which < 2; ++which) {
        std::printf("%-40s median %8.1f ms  (min %.1f, max %.1f, %d runs)\n", programs[which].c_str(),
                    median(times[which]), *std::min_element(times[which].begin(), times[which].end()),
                    *std::max_element(times[which].begin(), times[which].end()), runs);
    }
    std::printf("ratio %.2f\n", program / floor);
    return 0;
}
