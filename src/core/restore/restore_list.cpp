#include "core/restore/restore_list.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

#include "core/base/ascii_case.h"
#include "core/base/escaping.h"
#include "core/game/mod_folder_tree.h"

namespace modsetup {
namespace {

constexpr std::string_view kHeader = "modsetup restore point";

struct StateWord {
    EntryState state;
    std::string_view word;
};
constexpr StateWord kStateWords[] = {{EntryState::File, "file "},
                                     {EntryState::NoFile, "no file"},
                                     {EntryState::Folder, "folder"},
                                     {EntryState::NoFolder, "no folder"}};

// A name below the game mod folder: no empty name, nothing that climbs or
// stays in place, no second separator, no drive or stream, no control
// character.
bool isPlainName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) { return c == '/' || c == ':' || isControlCharacter(c); });
}

// "mods\<ModName>" and nothing, a backslash, or names below it.
bool inModFolder(std::string_view path, const PointScope& scope) {
    if (scope.modName.empty()) return false;
    const std::size_t first = path.find('\\');
    if (first == std::string_view::npos || !equalsIgnoringCase(path.substr(0, first), kModsFolder)) return false;
    std::string_view rest = path.substr(first + 1);
    const std::size_t second = rest.find('\\');
    const std::string_view name = rest.substr(0, second);
    if (!equalsIgnoringCase(name, scope.modName) && name != scope.modNameOnDisk) return false;
    if (second == std::string_view::npos) return true;
    rest = rest.substr(second + 1);
    if (rest.empty()) return true;  // the folder itself, as Apply writes it
    for (std::size_t start = 0;;) {
        const std::size_t end = rest.find('\\', start);
        if (!isPlainName(rest.substr(start, end - start))) return false;
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

}  // namespace

std::string listText(const PointList& list) {
    std::string text = std::string(kHeader) + "\r\n" + list.gameFolder + "\r\n";
    for (const PointEntry& entry : list.entries) {
        for (const StateWord& word : kStateWords)
            if (word.state == entry.state) text += std::string(word.word) + entry.stored + "\r\n";
        text += entry.path + "\r\n";
    }
    return text;
}

std::optional<PointList> parseList(std::string_view bytes) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string_view::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    if (lines.size() < 2 || lines[0] != kHeader || lines.size() % 2 != 0) return std::nullopt;
    PointList list{std::string(lines[1]), {}};
    list.entries.reserve(lines.size() / 2 - 1);
    for (std::size_t i = 2; i < lines.size(); i += 2) {
        const auto word = std::find_if(std::begin(kStateWords), std::end(kStateWords), [&](const StateWord& w) {
            return w.state == EntryState::File ? lines[i].starts_with(w.word) : lines[i] == w.word;
        });
        if (word == std::end(kStateWords)) return std::nullopt;
        list.entries.push_back(
            {word->state, std::string(lines[i].substr(word->word.size())), std::string(lines[i + 1])});
    }
    return list;
}

bool isStoredName(std::string_view name) {
    return !name.empty() && name.size() <= 9 && name.front() != '0' &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::size_t FoldedHash::operator()(std::string_view path) const {
    std::size_t hash = 14695981039346656037ULL;
    for (const char c : path) hash = (hash ^ static_cast<unsigned char>(lowerAscii(c))) * 1099511628211ULL;
    return hash;
}

bool FoldedEqual::operator()(std::string_view a, std::string_view b) const { return equalsIgnoringCase(a, b); }

bool isSoundList(const PointList& list, const PointScope& scope) {
    PathSet paths;
    std::unordered_set<std::string_view> stored;
    paths.reserve(list.entries.size());
    stored.reserve(list.entries.size());
    for (const PointEntry& entry : list.entries) {
        const bool selections = equalsIgnoringCase(entry.path, scope.selections);
        if (!selections && !inModFolder(entry.path, scope)) return false;
        if (selections && (entry.state == EntryState::Folder || entry.state == EntryState::NoFolder)) return false;
        if (!paths.insert(entry.path).second) return false;
        if (entry.state == EntryState::File && (!isStoredName(entry.stored) || !stored.insert(entry.stored).second))
            return false;
    }
    return true;
}

}  // namespace modsetup
