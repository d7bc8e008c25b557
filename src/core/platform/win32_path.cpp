#include "core/platform/win32_path.h"

#include "core/platform/windows_headers.h"

#include <cstdio>
#include <vector>

namespace modsetup {
namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view kExtendedUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "D:" followed by a separator, or by nothing or a name (drive-relative).
bool hasDrive(std::wstring_view path) { return path.size() >= 2 && path[1] == L':' && path[0] != L'\\'; }

// The root of an absolute plain path ("C:" or "\\server\share") and what
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

// The wide calls that convert code pages, with the flags that make them exact.
int toCodePage(std::wstring_view text, char* bytes, int size, BOOL* usedDefault) {
    // UTF-8 as the system code page takes neither flag nor default.
    const bool utf8 = GetACP() == CP_UTF8;
    return WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                               bytes, size, nullptr, utf8 ? nullptr : usedDefault);
}

}  // namespace

std::optional<std::wstring> wideFromCodePage(std::string_view text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length) != length)
        return std::nullopt;
    return wide;
}

std::optional<std::string> codePageFromWide(std::wstring_view text) {
    if (text.empty()) return std::string();
    BOOL usedDefault = FALSE;
    const int length = toCodePage(text, nullptr, 0, &usedDefault);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (toCodePage(text, bytes.data(), length, &usedDefault) != length || usedDefault) return std::nullopt;
    // A character the code page holds only as another's bytes does not read back.
    const auto back = wideFromCodePage(bytes);
    if (!back || *back != text) return std::nullopt;
    return bytes;
}

std::string shownFromWide(std::wstring_view text, bool escaped) {
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        // One character: a surrogate pair is two units.
        const bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
        const std::wstring_view character = text.substr(i, pair ? 2 : 1);
        i += character.size();
        if (const auto bytes = codePageFromWide(character)) {
            shown += *bytes;
        } else if (!escaped) {
            shown += '?';
        } else {
            const unsigned long point =
                pair ? 0x10000ul + ((character[0] - 0xD800ul) << 10) + (character[1] - 0xDC00ul) : character[0];
            char code[16];
            std::snprintf(code, sizeof code, "\\u{%04lX}", point);
            shown += code;
        }
    }
    return shown;
}

std::optional<std::wstring> extendedPath(std::wstring_view given, std::wstring_view base) {
    if (given.empty()) return std::nullopt;
    if (given.starts_with(kExtendedPrefix) || given.starts_with(kDevicePrefix)) return std::wstring(given);
    std::wstring path(given);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';

    // The path made absolute in the plain form.
    if (!splitRoot(path)) {
        if (path.starts_with(L"\\\\")) return std::nullopt;  // a server without a share
        const std::wstring plainBase = withoutExtendedPrefix(std::wstring(base));
        if (hasDrive(path)) {
            path = plainBase + L'\\' + path.substr(2);
        } else if (path.starts_with(L'\\')) {
            const auto baseRoot = splitRoot(plainBase);
            if (!baseRoot) return std::nullopt;
            path = baseRoot->first + path;
        } else {
            path = plainBase + L'\\' + path;
        }
    }
    const auto root = splitRoot(path);
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

std::optional<std::wstring> systemPath(std::string_view path) {
    if (path.find('\0') != std::string_view::npos) return std::nullopt;
    const auto wide = wideFromCodePage(path);
    if (!wide || wide->empty()) return std::nullopt;
    // Where a relative path starts: the working directory, or the current
    // folder the system keeps for another drive.
    std::wstring base(MAX_PATH, L'\0');
    for (;;) {
        const bool driveRelative = hasDrive(*wide) && (wide->size() == 2 || !isSeparator((*wide)[2]));
        const DWORD length = driveRelative ? GetFullPathNameW(wide->substr(0, 2).c_str(),
                                                              static_cast<DWORD>(base.size()), base.data(), nullptr)
                                           : GetCurrentDirectoryW(static_cast<DWORD>(base.size()), base.data());
        if (length == 0) return std::nullopt;
        if (length < base.size()) {
            base.resize(length);
            break;
        }
        base.resize(length);
    }
    return extendedPath(*wide, base);
}

}  // namespace modsetup
