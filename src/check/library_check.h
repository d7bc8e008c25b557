#pragma once
// Checks a whole set library as the program will use it: mod.ini, every slot
// folder and every set it offers, and the selections file beside it.

#include <cstddef>
#include <functional>
#include <string>

#include "check/findings.h"
#include "core/io/host.h"

namespace modsetup::check {

// Told after each set: how many sets are done and how many there are.
using Progress = std::function<void(std::size_t done, std::size_t total)>;

// configBase is the set library folder as the program names it; the
// selections file is configBase + ".ini".
CheckResult checkLibrary(Host& host, const std::string& configBase, const Progress& progress = {});

}  // namespace modsetup::check
