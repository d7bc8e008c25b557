#pragma once
// The names of the temporary files the program writes beside a target
// before renaming them over it (file_writes.h). Each is created new (never
// opened when something, a file or a link, stands at its name), so a name is
// tried after another.

#include <algorithm>
#include <string>
#include <string_view>

namespace modsetup {

// The running program's process number, which temporary names carry.
unsigned long processNumber();

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

// The name of the file a temporary file was made for: "weapons.ini" for
// "weapons.ini.~1234" or "weapons.ini.~1234-5"; empty for any other name.
// What a write left when the program was killed before it finished.
inline std::string_view temporaryTarget(std::string_view name) {
    auto digits = [](std::string_view text) {
        return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::size_t mark = name.rfind(".~");
    if (mark == std::string_view::npos || mark == 0) return {};
    const std::string_view number = name.substr(mark + 2);
    const std::size_t dash = number.find('-');
    if (!digits(number.substr(0, dash)) || (dash != std::string_view::npos && !digits(number.substr(dash + 1))))
        return {};
    return name.substr(0, mark);
}

}  // namespace modsetup
