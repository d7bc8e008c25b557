#include "core/config.h"

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
    const std::optional<std::string> text = selectionsText(texts, boxTicked);
    if (!text) return Cause::Failed;
    handle.openWrite(selectionsPath(configBase));
    handle.writeLines(*text);
    return handle.close();
}

}  // namespace modsetup
