// A stand-in game for Play's tests: writes the arguments the C runtime gave
// it, one per line in UTF-8, to tarvok.log in the working directory, whole
// or not at all (written beside it, then renamed).
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, argument.data(), size, nullptr, nullptr);
        argument.pop_back();  // the terminating NUL
        text += argument + "\n";
    }
    FILE* log = std::fopen("tarvok.log.new", "wb");
    if (log == nullptr) return 1;
    const bool written = std::fwrite(text.data(), 1, text.size(), log) == text.size();
    if (std::fclose(log) != 0 || !written) return 1;
    return MoveFileExA("tarvok.log.new", "tarvok.log", MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
