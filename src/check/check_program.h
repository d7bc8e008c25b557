#pragma once
// The program modsetup-check as a function, so that tests run it whole:
// arguments in, report and messages out, exit status back.

#include <ostream>
#include <string>
#include <vector>

#include "core/io/host.h"

namespace modsetup::check {

enum ExitStatus : int {
    kExitNoErrors = 0,
    kExitErrors = 1,      // or, with --strict, warnings
    kExitNotChecked = 2,  // no set library or program file, or a wrong command line
};

// arguments: the command line without the program's own name. progressLine:
// whether err is a terminal, on which one line is kept up to date while the
// sets are checked.
int runCheckProgram(Host& host, const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    bool progressLine);

}  // namespace modsetup::check
