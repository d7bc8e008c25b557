// Holds a file open for a while, sharing it with nobody, as a running game or
// an antivirus scan holds a file: hold_file <path> <milliseconds>.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    CloseHandle(file);
    return 0;
}
