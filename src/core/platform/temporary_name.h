#pragma once
// The names of the temporary files the hosts write beside a target before
// renaming them over it. Each is created new (never opened when something,
// a file or a link, stands at its name), so a name is tried after another.

#include <string>

namespace modsetup {

// How many names are tried before the write fails.
inline constexpr int kTemporaryNameAttempts = 100;

// "<target>.~<process id>" first, then "<target>.~<process id>-<attempt>":
// a name left by a killed earlier process of the same number is passed over.
inline std::string temporaryName(const std::string& target, unsigned long process, int attempt) {
    std::string name = target;
    (name += ".~") += std::to_string(process);
    if (attempt > 0) (name += '-') += std::to_string(attempt);
    return name;
}

}  // namespace modsetup
