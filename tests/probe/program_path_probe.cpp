// A program for the host tests: it makes the system host, says "ready", waits
// for a line on its input (meanwhile the test replaces this program's file),
// then prints the program path its host reports.
#include <cstdio>

#include "core/io/host.h"

int main() {
    const auto host = modsetup::makeSystemHost();
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    if (std::fgets(line, sizeof line, stdin) == nullptr) return 1;
    std::printf("%s\n", host->programPath().c_str());
    return 0;
}
