#include "core/library/config.h"

#include <algorithm>

#include "core/base/escaping.h"
#include "core/base/utf8.h"
#include "core/io/file_reads.h"

namespace modsetup {

std::string deriveConfigBase(const std::string& programPath) {
    return programPath.size() > 4 ? programPath.substr(0, programPath.size() - 4) : std::string();
}

std::string folderWithBackslash(std::string_view path) {
    if (!path.starts_with('/')) return {};
    const std::size_t lastSlash = path.rfind('/');
    const std::string_view folder = path.substr(0, lastSlash);
    return folder.find('\\') == std::string_view::npos ? std::string() : std::string(folder);
}

std::string modIniPath(const std::string& configBase) { return configBase + "\\mod.ini"; }
std::string selectionsPath(const std::string& configBase) { return configBase + ".ini"; }

void readModIni(LineFile& handle, ProcessStrings& strings) {
    handle.openRead(modIniPath(strings.configBase));
    strings.modTitle = handle.readLine();
    strings.modName = handle.readLine();
    handle.close();
}

SavedSelections readSelections(LineFile& handle, const std::string& configBase) {
    SavedSelections saved;
    handle.openRead(selectionsPath(configBase));
    for (auto& text : saved.texts) text = handle.readLine();
    saved.ticksBox = handle.readLine() == "1";
    handle.close();
    return saved;
}

std::optional<std::string> selectionsText(const SlotTexts& texts, bool boxTicked) {
    std::string bytes;
    for (const auto& text : texts) {
        if (holdsLineBreak(text)) return std::nullopt;
        bytes += text;
        bytes += kLineEnd;
    }
    bytes += boxTicked ? '1' : '0';
    bytes += kLineEnd;
    return bytes;
}

Status writeSelections(LineFile& handle, const std::string& configBase, const SlotTexts& texts, bool boxTicked) {
    return writeChoicesFile(handle, selectionsPath(configBase), texts, boxTicked);
}

Status writeChoicesFile(LineFile& handle, const std::string& path, const SlotTexts& texts, bool boxTicked) {
    return writeLineFile(handle, path, selectionsText(texts, boxTicked));
}

namespace {

// A control character of the UTF-8 range U+0080 to U+009F, which no set name
// offered holds either.
bool holdsC1Control(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        char32_t code = 0;
        const std::size_t length = utf8SequenceLength(line, i, code);
        if (length > 1 && code <= 0x9F) return true;
        if (length > 1) i += length - 1;
    }
    return false;
}

// Why a line of a choices file (numbered from 1) is not one of a selections
// file; Kind::None when it is. A line holds its CR still, if it had one.
ChoicesRefusal lineRefusal(std::string_view line, std::size_t number) {
    using Kind = ChoicesRefusal::Kind;
    while (line.ends_with('\r')) line.remove_suffix(1);  // part of its line end
    if (line.size() > kMaxLineBytes) return {Kind::LineTooLong, number, {}, {}};
    if (line.find('\r') != std::string_view::npos) return {Kind::LoneCarriageReturn, number, {}, {}};
    if (std::any_of(line.begin(), line.end(), isControlCharacter) || holdsC1Control(line))
        return {Kind::NotText, number, {}, {}};
    // "." and ".." would lead a set's path to the slot folder or the library.
    if (number <= kSlotCount && (line == "." || line == "..")) return {Kind::FolderName, number, std::string(line), {}};
    return {};
}

}  // namespace

ChoicesFile readChoicesFile(Host& host, const std::string& path) {
    Result<std::string> read = readWholeFile(host, path, kMaxLineFileBytes);
    if (!read.ok()) {
        ChoicesFile file;
        if (read.cause() == Cause::TooLarge) file.refusal.kind = ChoicesRefusal::Kind::TooLarge;
        else file.refusal = {ChoicesRefusal::Kind::Unreadable, 0, {}, read.failure()};
        return file;
    }
    return parseChoices(read.value());
}

ChoicesFile parseChoices(std::string_view bytes) {
    using Kind = ChoicesRefusal::Kind;
    ChoicesFile file;
    if (bytes.size() > kMaxLineFileBytes) {
        file.refusal.kind = Kind::TooLarge;
        return file;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        file.refusal.kind = Kind::ByteOrderMark;
        return file;
    }
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    // Blank lines at the end say nothing.
    while (!lines.empty() && lines.back().find_first_not_of('\r') == std::string::npos) lines.pop_back();
    if (lines.size() > kSlotCount + 1) {
        file.refusal.kind = Kind::TooManyLines;
        return file;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        file.refusal = lineRefusal(lines[i], i + 1);
        if (file.refusal.kind != Kind::None) return file;
        while (lines[i].ends_with('\r')) lines[i].pop_back();
    }
    lines.resize(kSlotCount + 1);
    SavedSelections choices;
    std::copy_n(lines.begin(), kSlotCount, choices.texts.begin());
    choices.ticksBox = lines[kSlotCount] == "1";
    file.choices = std::move(choices);
    return file;
}

}  // namespace modsetup
