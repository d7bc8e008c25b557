#include "core/platform/win32/win32_path.h"

#include "core/platform/win32/windows_headers.h"

#include <cstdio>

#include "core/platform/win32/extended_path.h"
#include "core/platform/win32/win32_files.h"

namespace modsetup {
namespace {

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

std::optional<std::wstring> systemPath(std::string_view path) {
    if (path.find('\0') != std::string_view::npos) return std::nullopt;
    const auto wide = wideFromCodePage(path);
    if (!wide || wide->empty()) return std::nullopt;
    // Where a relative path starts: the working directory, or the current
    // folder the system keeps for another drive.
    const std::wstring drive = isDriveRelative(*wide) ? wide->substr(0, 2) : std::wstring();
    const std::optional<std::wstring> base = systemText([&drive](wchar_t* buffer, DWORD size) {
        return drive.empty() ? GetCurrentDirectoryW(size, buffer)
                             : GetFullPathNameW(drive.c_str(), size, buffer, nullptr);
    });
    if (!base) return std::nullopt;
    return extendedPath(*wide, *base);
}

}  // namespace modsetup
