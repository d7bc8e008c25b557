#pragma once
// ASCII letter case, the one folding the program uses wherever it matches
// names without regard to case: the POSIX host finding a name spelt otherwise
// on disk, device names of Windows, files and sets the check compares. Bytes
// outside A-Z and a-z are compared as they are.

#include <string>
#include <string_view>

namespace modsetup {

constexpr char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string lowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = lowerAscii(c);
    return lowered;
}

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

}  // namespace modsetup
