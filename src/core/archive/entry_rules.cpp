#include "core/archive/entry_rules.h"

#include <algorithm>
#include <array>
#include <span>

#include "core/base/ascii_case.h"
#include "core/base/utf8.h"
#include "core/base/windows_names.h"
#include "core/platform/system_names.h"

namespace modsetup {
namespace {

// The longest name of one file or folder that the file systems hold.
constexpr std::size_t kMaxPartBytes = 255;

constexpr std::array<std::string_view, 13> kExecutableTypes{
    {".exe", ".dll", ".bat", ".cmd", ".com", ".scr", ".pif", ".lnk", ".url", ".ps1", ".vbs", ".js", ".msi"}};
constexpr std::array<std::string_view, 19> kArchiveTypes{{".zip", ".7z", ".rar", ".tar", ".gz", ".tgz", ".bz2", ".tbz2",
                                                          ".xz", ".txz", ".lzma", ".z", ".zst", ".cab", ".iso", ".arj",
                                                          ".lzh", ".lha", ".jar"}};

bool endsWithAny(std::string_view name, std::span<const std::string_view> types) {
    const std::string lowered = lowerAscii(name);
    return std::any_of(types.begin(), types.end(), [&](std::string_view type) { return lowered.ends_with(type); });
}

// Bytes 0 to 31 and 127, and U+0080 to U+009F in UTF-8.
bool holdsControl(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 32 || byte == 127) return true;
        if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) return true;
    }
    return false;
}

ImportRefusal refused(Refusal cause, std::string_view name, std::string detail = {}) {
    return {cause, std::string(name), std::move(detail)};
}

char32_t foldedCode(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c == 0x178) return 0xFF;
    const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) return c + 1;
    return c;
}

}  // namespace

EntryName judgeEntryName(std::string_view name) {
    EntryName judged;
    if (name.empty()) {
        judged.refusal = refused(Refusal::NameUndecodable, name);
        return judged;
    }
    if (name.starts_with("\\\\?\\") ||
        name.starts_with("\\?"
                         "?\\") ||
        name.starts_with("//?/") ||
        name.starts_with("/?"
                         "?/")) {
        judged.refusal = refused(Refusal::NameDrive, name);
        return judged;
    }
    if (name.front() == '/' || name.front() == '\\') {
        judged.refusal = refused(Refusal::NameAbsolute, name);
        return judged;
    }
    if (holdsControl(name)) {
        judged.refusal = refused(Refusal::NameControl, name);
        return judged;
    }
    for (std::size_t start = 0; start < name.size();) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = name.size();
        const std::string_view part = name.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        std::optional<ImportRefusal> refusal;
        if (part == "..") {
            refusal = refused(Refusal::NameParentStep, name);
        } else if (judged.parts.empty() && part.size() >= 2 && part[1] == ':' && lowerAscii(part[0]) >= 'a' &&
                   lowerAscii(part[0]) <= 'z') {
            refusal = refused(Refusal::NameDrive, name);
        } else if (const std::size_t at = part.find_first_of(":*?\"<>|"); at != std::string_view::npos) {
            refusal = refused(Refusal::NameForbidden, name, std::string(1, part[at]));
        } else if (part.back() == '.' || part.back() == ' ') {
            refusal = refused(Refusal::NameTrailing, name, std::string(part));
        } else if (isWindowsDeviceName(part)) {
            refusal = refused(Refusal::NameDevice, name, std::string(part));
        } else {
            SystemName stored = systemNameFromUtf8(part);
            if (!stored.representable) refusal = refused(Refusal::NameNotInCodePage, name, std::string(part));
            else if (stored.bytes.size() > kMaxPartBytes)
                refusal = refused(Refusal::NamePartTooLong, name, std::string(part));
            else judged.parts.push_back(std::move(stored.bytes));
        }
        if (refusal) {
            judged.refusal = std::move(refusal);
            judged.parts.clear();
            return judged;
        }
    }
    if (judged.parts.empty()) judged.refusal = refused(Refusal::NameUndecodable, name);
    return judged;
}

bool isExecutableName(std::string_view name) { return endsWithAny(name, kExecutableTypes); }

bool isArchiveName(std::string_view name) { return endsWithAny(name, kArchiveTypes); }

std::string foldedName(std::string_view utf8) {
    std::string folded;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        if (code >= 0x80) {
            length = utf8SequenceLength(utf8, i, code);
            if (length == 0) {
                folded += utf8[i++];
                continue;
            }
        }
        if (code < 0x10000) appendUtf8(folded, foldedCode(code));
        else folded.append(utf8.substr(i, length));
        i += length;
    }
    return folded;
}

}  // namespace modsetup
