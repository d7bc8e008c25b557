#include "core/import/archive_layout.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "core/base/ascii_case.h"
#include "core/game/slots.h"
#include "core/install/weapon_names.h"
#include "core/install/weapon_stats.h"
#include "core/library/set_files.h"

namespace modsetup {
namespace {

// The fifteen slot folders, each by its first slot ("gostek" serves both teams).
constexpr std::size_t kSlotFolders = kTeamAlpha + 1;
constexpr std::string_view kModIni = "mod.ini";

// Per slot folder, the files its sets use, folded.
const std::array<std::set<std::string>, kSlotFolders>& usedFiles() {
    static const auto files = [] {
        std::array<std::set<std::string>, kSlotFolders> table;
        for (std::size_t slot = 0; slot < kSlotFolders; ++slot) {
            for (const SetFile& file : setFilesOf(slot)) table[slot].insert(lowerAscii(file.suffix));
            if (slot < kWeaponSlotCount) {
                table[slot].insert(lowerAscii(kNameFile));
                table[slot].insert(lowerAscii(kStatsFile));
            }
        }
        return table;
    }();
    return files;
}

std::string suffixOf(const ScannedEntry& entry, std::size_t from) {
    std::string suffix;
    for (std::size_t i = from; i < entry.parts.size(); ++i) (suffix += '\\') += entry.parts[i];
    return suffix;
}

std::string archiveFolderOf(const ScannedEntry& entry, std::size_t depth) {
    std::string folder;
    for (std::size_t i = 0, at = 0; i < depth; ++i) {
        const std::size_t slash = entry.name.find('/', at);
        folder = entry.name.substr(0, slash);
        at = slash + 1;
    }
    return folder;
}

bool samePrefix(const ScannedEntry& entry, const std::vector<std::string>& prefix) {
    if (entry.parts.size() <= prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (!equalsIgnoringCase(entry.parts[i], prefix[i])) return false;
    return true;
}

// The slots whose sets use every one of these files; every slot for none.
std::vector<std::size_t> fittingSlots(const std::vector<std::string>& suffixes) {
    std::vector<std::size_t> slots;
    for (std::size_t slot = 0; slot < kSlotFolders; ++slot)
        if (std::all_of(suffixes.begin(), suffixes.end(),
                        [&](const std::string& s) { return usedFiles()[slot].count(lowerAscii(s)) > 0; }))
            slots.push_back(slot);
    return slots;
}

// The folders below root (a path of parts), each with the entries below it,
// in the order first met; files straight in root apart.
struct Children {
    std::vector<std::pair<std::string, std::vector<std::size_t>>> folders;
    std::vector<std::size_t> files;
};

Children childrenOf(const std::vector<ScannedEntry>& entries, const std::vector<std::string>& root) {
    Children children;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ScannedEntry& entry = entries[i];
        if (!samePrefix(entry, root)) continue;
        if (entry.parts.size() == root.size() + 1 && !entry.folder) {
            children.files.push_back(i);
            continue;
        }
        const std::string& name = entry.parts[root.size()];
        auto known = std::find_if(children.folders.begin(), children.folders.end(),
                                  [&](const auto& folder) { return equalsIgnoringCase(folder.first, name); });
        if (known == children.folders.end()) known = children.folders.insert(children.folders.end(), {name, {}});
        known->second.push_back(i);
    }
    return children;
}

// A set made of these entries, its folder at depth parts; its files' suffixes.
LaidSet setOf(const std::vector<ScannedEntry>& entries, const std::vector<std::size_t>& below, std::string name,
              std::size_t depth) {
    LaidSet set;
    set.name = std::move(name);
    for (std::size_t index : below) {
        if (entries[index].folder) continue;
        set.files.push_back(index);
        set.suffixes.push_back(suffixOf(entries[index], depth));
        if (set.archiveFolder.empty() && depth > 0) set.archiveFolder = archiveFolderOf(entries[index], depth);
    }
    return set;
}

bool holdsFiles(const std::vector<ScannedEntry>& entries, const std::vector<std::size_t>& below) {
    return std::any_of(below.begin(), below.end(), [&](std::size_t i) { return !entries[i].folder; });
}

// The set library's slot folders below root, when at least one is there.
bool tryLibrary(const std::vector<ScannedEntry>& entries, const std::vector<std::string>& root, Layout& layout) {
    const Children top = childrenOf(entries, root);
    if (std::none_of(top.folders.begin(), top.folders.end(),
                     [](const auto& folder) { return slotOfFolder(folder.first) != std::string::npos; }))
        return false;
    layout.kind = ArchiveLayout::Library;
    for (std::size_t file : top.files)
        (equalsIgnoringCase(entries[file].parts.back(), kModIni) ? layout.notInstalled : layout.unused).push_back(file);
    for (const auto& [name, below] : top.folders) {
        const std::size_t slot = slotOfFolder(name);
        if (slot == std::string::npos) {
            for (std::size_t i : below)
                if (!entries[i].folder) layout.unused.push_back(i);
            continue;
        }
        std::vector<std::string> slotRoot = root;
        slotRoot.push_back(name);
        const Children sets = childrenOf(entries, slotRoot);
        layout.unused.insert(layout.unused.end(), sets.files.begin(), sets.files.end());
        for (const auto& [setName, setBelow] : sets.folders) {
            LaidSet set = setOf(entries, setBelow, setName, slotRoot.size() + 1);
            set.candidates = {slot};
            set.slotFromPlace = true;
            // Files its slot's sets do not use are refused, the rest kept.
            std::vector<std::size_t> files;
            std::vector<std::string> suffixes;
            for (std::size_t k = 0; k < set.files.size(); ++k) {
                if (usedFiles()[slot].count(lowerAscii(set.suffixes[k])) > 0) {
                    files.push_back(set.files[k]);
                    suffixes.push_back(set.suffixes[k]);
                } else {
                    layout.unused.push_back(set.files[k]);
                }
            }
            set.files = std::move(files);
            set.suffixes = std::move(suffixes);
            if (set.files.empty()) continue;  // nothing in it to add
            if (set.archiveFolder.empty()) set.archiveFolder = entries[setBelow.front()].name;
            layout.sets.push_back(std::move(set));
        }
    }
    return true;
}

// Set folders below root: each folder whose files some slot's sets use.
bool trySets(const std::vector<ScannedEntry>& entries, const std::vector<std::string>& root, Layout& layout) {
    const Children top = childrenOf(entries, root);
    std::vector<LaidSet> sets;
    std::vector<std::size_t> unused = top.files;
    for (const auto& [name, below] : top.folders) {
        LaidSet set = setOf(entries, below, name, root.size() + 1);
        // Files no slot's sets use are refused; the others tell its slots.
        LaidSet known{set.name, set.archiveFolder, {}, false, {}, {}};
        for (std::size_t k = 0; k < set.files.size(); ++k) {
            if (slotsUsing(set.suffixes[k]).empty()) {
                unused.push_back(set.files[k]);
            } else {
                known.files.push_back(set.files[k]);
                known.suffixes.push_back(set.suffixes[k]);
            }
        }
        known.candidates = fittingSlots(known.suffixes);
        if (known.files.empty() || known.candidates.empty()) {
            unused.insert(unused.end(), known.files.begin(), known.files.end());
            continue;
        }
        sets.push_back(std::move(known));
    }
    if (sets.empty()) return false;
    layout.kind = sets.size() == 1 ? ArchiveLayout::SingleSet : ArchiveLayout::SeveralSets;
    layout.sets = std::move(sets);
    layout.unused = std::move(unused);
    return true;
}

}  // namespace

std::size_t slotOfFolder(const std::string& name) {
    for (std::size_t slot = 0; slot < kSlotFolders; ++slot)
        if (equalsIgnoringCase(kSlots[slot].folder, name)) return slot;
    return std::string::npos;
}

std::vector<std::size_t> slotsUsing(const std::string& suffix) { return fittingSlots({suffix}); }

Layout recogniseLayout(const std::vector<ScannedEntry>& entries, const std::string& topSetName) {
    Layout layout;
    const Children top = childrenOf(entries, {});
    if (tryLibrary(entries, {}, layout)) return layout;
    // One folder wrapping everything: a library, or set folders, inside it.
    if (top.folders.size() == 1) {
        const std::vector<std::string> wrapper{top.folders.front().first};
        Layout inside;
        if (tryLibrary(entries, wrapper, inside)) {
            // The selections file lies beside the library folder it belongs to.
            for (std::size_t file : top.files)
                (equalsIgnoringCase(entries[file].parts.back(), wrapper.front() + ".ini") ? inside.notInstalled
                                                                                          : inside.unused)
                    .push_back(file);
            return inside;
        }
    }
    if (trySets(entries, {}, layout)) return layout;
    if (top.folders.size() == 1) {
        Layout inside;
        if (trySets(entries, {top.folders.front().first}, inside)) {
            inside.unused.insert(inside.unused.end(), top.files.begin(), top.files.end());
            return inside;
        }
    }
    // A set's files at the archive's top.
    std::vector<std::size_t> all;
    for (std::size_t i = 0; i < entries.size(); ++i) all.push_back(i);
    if (!entries.empty() && holdsFiles(entries, all)) {
        LaidSet set = setOf(entries, all, topSetName, 0);
        set.candidates = fittingSlots(set.suffixes);
        if (!set.candidates.empty() && !topSetName.empty()) {
            layout = Layout{ArchiveLayout::SingleSet, {std::move(set)}, {}, {}, {}};
            return layout;
        }
    }
    layout = Layout{};
    for (const auto& [name, below] : top.folders) layout.found.push_back(name + "/");
    for (std::size_t file : top.files) layout.found.push_back(entries[file].parts.back());
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!entries[i].folder) layout.unused.push_back(i);
    return layout;
}

}  // namespace modsetup
