// write_check_library <game folder> [faulty]
//
// Writes the check tests' game folder (modsetup.exe, the set library and the
// selections file) for a run of the real modsetup-check. With "faulty", one
// set then lacks a sound and has a truncated weapon picture.
#include <cstdio>
#include <filesystem>
#include <string>

#include "check_library.h"
#include "test_support.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "faulty")) {
        std::fprintf(stderr, "usage: write_check_library <game folder> [faulty]\n");
        return 2;
    }
    const fs::path game(argv[1]);
    std::error_code ignored;
    fs::remove_all(game, ignored);
    modsetup::testing::writeCheckLibrary(game);
    if (argc == 3) {
        const fs::path set = game / "modsetup" / "2" / "Night";
        fs::remove(set / "sfx" / "mp5-reload.wav");
        const std::string picture = modsetup::testing::readFile(set / "2.bmp");
        modsetup::testing::writeFile(set / "2.bmp", picture.substr(0, picture.size() / 2));
    }
    return 0;
}
