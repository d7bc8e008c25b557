#pragma once
// Which set library to check: the one the program finds beside its program
// file, or a set library folder given directly.

#include <optional>
#include <string>
#include <string_view>

#include "core/io/host.h"

namespace modsetup::check {

// Checked when no path is given: the program file in the working directory.
inline constexpr std::string_view kDefaultProgramFile = "modsetup.exe";

struct CheckTarget {
    std::string configBase;  // the set library; its selections file is this + ".ini"
    std::string error;       // when there is nothing to check: the message saying why
};

CheckTarget findCheckTarget(Host& host, const std::optional<std::string>& path);

}  // namespace modsetup::check
