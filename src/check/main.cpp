// modsetup-check [--quiet] [--strict] [PATH]: checks a set library for everything Apply
// would skip and the window would fail to show (see --help).
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "check/check_program.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::unique_ptr<modsetup::Host> host = modsetup::makeSystemHost();
    // The progress line goes to the error stream, and only to a terminal.
    const bool terminal = isatty(fileno(stderr)) != 0;
    return modsetup::check::runCheckProgram(*host, arguments, std::cout, std::cerr, terminal);
}
