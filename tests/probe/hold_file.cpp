// Holds a file open for a while, as a running game or an antivirus scan holds
// a file: hold_file <path> <milliseconds> [read]. Others may read it with
// "read", and do nothing else with it.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const DWORD share = argc > 3 && std::strcmp(argv[3], "read") == 0 ? FILE_SHARE_READ : 0;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    CloseHandle(file);
    return 0;
}
