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

// Why there is nothing to check.
enum class TargetProblem {
    None,
    NoSuchPath,       // the path given names nothing
    NoProgramFile,    // no path given, and no program file in the working directory
    NoLibraryBeside,  // a program file without its set library beside it
    NotALibrary,      // a folder that holds neither mod.ini nor a slot folder
};

struct CheckTarget {
    std::string configBase;  // the set library; its selections file is this + ".ini"
    TargetProblem problem = TargetProblem::None;
    std::string given;  // the path given, or the program file looked for
};

CheckTarget findCheckTarget(Host& host, const std::optional<std::string>& path);

}  // namespace modsetup::check
