#include "core/platform/win32/extended_path.h"

#include <utility>
#include <vector>

namespace modsetup {
namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view kExtendedUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "D:" followed by a separator, or by nothing or a name (drive-relative).
bool hasDrive(std::wstring_view path) { return path.size() >= 2 && path[1] == L':' && path[0] != L'\\'; }

// The root of an plain plain path ("C:" or "\\server\share") and what
// follows it; nothing for any other path.
std::optional<std::pair<std::wstring, std::wstring_view>> splitRoot(std::wstring_view path) {
    if (hasDrive(path) && path.size() > 2 && path[2] == L'\\')
        return {{std::wstring(path.substr(0, 2)), path.substr(2)}};
    if (!path.starts_with(L"\\\\")) return std::nullopt;
    const std::size_t server = path.find(L'\\', 2);
    const std::size_t share = server == std::wstring_view::npos ? server : path.find(L'\\', server + 1);
    const std::wstring_view root = path.substr(0, share);
    if (server == std::wstring_view::npos || server == 2 || server + 1 == root.size()) return std::nullopt;
    return {{std::wstring(root), path.substr(root.size())}};
}

}  // namespace

bool isDriveRelative(std::wstring_view path) { return hasDrive(path) && (path.size() == 2 || !isSeparator(path[2])); }

std::optional<std::wstring> extendedPath(std::wstring_view path, std::wstring_view base) {
    if (path.empty()) return std::nullopt;
    if (path.starts_with(kExtendedPrefix) || path.starts_with(kDevicePrefix)) return std::wstring(path);
    std::wstring plain(path);
    for (wchar_t& c : plain)
        if (c == L'/') c = L'\\';

    // The path made absolute in the plain form.
    if (!splitRoot(plain)) {
        if (plain.starts_with(L"\\\\")) return std::nullopt;  // a server without a share
        const std::wstring plainBase = withoutExtendedPrefix(std::wstring(base));
        if (hasDrive(plain)) {
            plain = plainBase + L'\\' + plain.substr(2);
        } else if (plain.starts_with(L'\\')) {
            const auto baseRoot = splitRoot(plainBase);
            if (!baseRoot) return std::nullopt;
            plain = baseRoot->first + plain;
        } else {
            plain = plainBase + L'\\' + plain;
        }
    }
    const auto root = splitRoot(plain);
    if (!root) return std::nullopt;

    // The names after the root, with the separators' and the dots' meanings applied.
    std::vector<std::wstring_view> names;
    const std::wstring_view rest = root->second;
    for (std::size_t start = 0; start <= rest.size();) {
        std::size_t end = rest.find(L'\\', start);
        if (end == std::wstring_view::npos) end = rest.size();
        const std::wstring_view name = rest.substr(start, end - start);
        if (name == L"..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != L".") {
            names.push_back(name);
        }
        start = end + 1;
    }

    std::wstring extended = root->first.starts_with(L"\\\\") ? std::wstring(kExtendedUncPrefix) + root->first.substr(2)
                                                             : std::wstring(kExtendedPrefix) + root->first;
    for (const std::wstring_view name : names) (extended += L'\\') += name;
    if (names.empty()) extended += L'\\';  // "\\?\C:" alone would name the volume, not its root folder
    return extended;
}

std::wstring withoutExtendedPrefix(std::wstring path) {
    if (path.starts_with(kExtendedUncPrefix)) return L"\\\\" + path.substr(kExtendedUncPrefix.size());
    if (path.starts_with(kExtendedPrefix)) return path.substr(kExtendedPrefix.size());
    return path;
}

}  // namespace modsetup
