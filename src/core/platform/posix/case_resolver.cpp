#include "core/platform/posix/case_resolver.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <vector>

namespace modsetup {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals name without regard to case. Where
// several do, the smallest name in byte order wins, so the choice does not
// depend on the listing order.
std::optional<std::string> findIgnoringCase(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view candidate(entry->d_name);
        if (equalsIgnoringCase(candidate, name) && (!best || candidate < *best)) best = std::string(candidate);
    }
    ::closedir(dir);
    return best;
}

// Hands each component of the path to take, in order; false when the path
// cannot name a file: empty, holding a NUL byte, or with a separator straight
// after another one past its leading ones. A trailing separator
// ("mods\Name\") names the folder itself.
template <class Take>
bool scanComponents(std::string_view path, Take take) {
    if (path.empty() || path.find('\0') != std::string_view::npos) return false;
    std::size_t start = 0;
    while (start < path.size() && isSeparator(path[start])) ++start;
    bool pendingEmpty = false;  // a separator directly after another one
    bool any = false;
    for (std::size_t i = start; i <= path.size(); ++i) {
        if (i < path.size() && !isSeparator(path[i])) continue;
        if (i == start) {
            pendingEmpty = true;
        } else {
            if (pendingEmpty) return false;
            take(path.substr(start, i - start));
            any = true;
        }
        start = i + 1;
    }
    return any || isSeparator(path.front());
}

// The path's components, or nothing when it cannot name a file.
std::optional<std::vector<std::string>> componentsOf(std::string_view path) {
    std::vector<std::string> components;
    if (!scanComponents(path, [&components](std::string_view component) { components.emplace_back(component); }))
        return std::nullopt;
    return components;
}

std::string joined(const std::vector<std::string>& components, bool absolute) {
    std::string path = absolute ? "/" : "";
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0) path += '/';
        path += components[i];
    }
    return path;
}

}  // namespace

// The components are joined straight into the host path: this runs for
// every file the program or the check opens.
std::optional<std::string> hostPathAsGiven(std::string_view path) {
    std::string hostPath;
    hostPath.reserve(path.size() + 1);
    if (!path.empty() && isSeparator(path.front())) hostPath += '/';
    bool first = true;
    const bool named = scanComponents(path, [&](std::string_view component) {
        if (!first) hostPath += '/';
        hostPath += component;
        first = false;
    });
    if (!named) return std::nullopt;
    return hostPath;
}

std::optional<std::string> resolveHostPath(std::string_view path) {
    const auto parsed = componentsOf(path);
    if (!parsed) return std::nullopt;
    const std::vector<std::string>& components = *parsed;
    const bool absolute = isSeparator(path.front());
    if (components.empty()) return std::string("/");

    std::string exact = joined(components, absolute);
    if (exists(exact)) return exact;

    std::string resolved = absolute ? "/" : "";
    bool walking = true;  // false once a component is missing: the rest keeps its case
    for (const std::string& component : components) {
        std::string folder = resolved;
        if (!resolved.empty() && resolved.back() != '/') resolved += '/';
        if (walking && exists(resolved + component)) {
            resolved += component;
            continue;
        }
        if (walking && component != "." && component != "..") {
            if (auto match = findIgnoringCase(folder, component)) {
                resolved += *match;
                continue;
            }
        }
        walking = false;
        resolved += component;
    }
    return resolved;
}

}  // namespace modsetup
