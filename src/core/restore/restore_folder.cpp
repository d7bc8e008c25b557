#include "core/restore/restore_folder.h"

#include <cstdint>
#include <unordered_set>

#include "core/base/mod_name.h"
#include "core/base/temporary_name.h"
#include "core/game/mod_folder_tree.h"
#include "core/io/file_reads.h"
#include "core/io/file_writes.h"
#include "core/library/config.h"

namespace modsetup {
namespace {

constexpr std::string_view kPointNames[] = {"next", "last", "original", "dropped"};

std::string_view nameOf(PointName name) { return kPointNames[static_cast<std::size_t>(name)]; }

// The subfolder's name: 16 hex digits of the 64-bit FNV-1a hash of the game
// folder's path, the same for the same path on every system.
std::string subfolderName(std::string_view gameFolder) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : gameFolder) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    std::string name(16, '0');
    for (std::size_t i = name.size(); i-- > 0; hash >>= 4) name[i] = "0123456789abcdef"[hash & 0xF];
    return name;
}

// What the program writes in a point's folder: its list, the stored files,
// and what a write of either left when the program was killed.
bool isOwnName(std::string_view name) {
    const std::string_view target = temporaryTarget(name);
    const std::string_view file = target.empty() ? name : target;
    return file == kListName || isStoredName(file);
}

bool isOwnEntry(const FolderEntry& entry) {
    return entry.node == NodeKind::File && !entry.nameUnrepresentable && isOwnName(entry.name);
}

bool isPlace(const FolderEntry& entry) { return entry.name == "." || entry.name == ".."; }

}  // namespace

std::string restoreFolderPath(const std::string& configBase) { return configBase + ".restore"; }

RestoreFolder::RestoreFolder(Host& host, const std::string& configBase, const std::string& modName)
    : host_(host), root_(restoreFolderPath(configBase)), gameFolder_(host.workingDirectory()) {
    own_ = root_ + "\\" + subfolderName(gameFolder_);
    if (isSafeModName(modName)) {
        scope_.modName = modName;
        scope_.modNameOnDisk = host.nameOnDisk(modPath(modName, "")).value_or(modName);
    }
    scope_.selections = selectionsPath(configBase);
}

std::string RestoreFolder::ownFolder(PointName name) const { return own_ + "\\" + std::string(nameOf(name)); }

bool RestoreFolder::isRealFolder(const std::string& path) {
    const NodeKind kind = host_.nodeKind(path);
    if (kind != NodeKind::Directory && kind != NodeKind::Missing) damaged_ = true;
    return kind == NodeKind::Directory;
}

PointLook RestoreFolder::look(PointName name) {
    PointLook none;
    if (gameFolder_.empty() || !isRealFolder(root_)) return none;
    if (isRealFolder(own_)) {
        PointLook own = lookAt(ownFolder(name), false);
        if (own.state != PointLook::State::Absent) return own;
    } else if (host_.nodeKind(own_) != NodeKind::Missing) {
        none.state = PointLook::State::Unusable;
        return none;
    }
    PointLook kept = lookAt(root_ + "\\" + std::string(nameOf(name)), true);
    // One on its way out is never taken over: only what stands there counts.
    if (kept.state == PointLook::State::Absent ||
        (name == PointName::Dropped && kept.state != PointLook::State::Unusable))
        return none;
    return kept;
}

PointLook RestoreFolder::lookAt(const std::string& folder, bool kept) {
    PointLook look;
    look.folder = folder;
    look.kept = kept;
    const auto unusable = [&] {
        damaged_ = true;
        look.state = PointLook::State::Unusable;
        return look;
    };
    const NodeKind kind = host_.nodeKind(folder);
    if (kind == NodeKind::Missing) return look;
    if (kind != NodeKind::Directory) return unusable();
    auto listed = reads().listFolder(folder);
    if (!listed.ok()) return unusable();
    std::unordered_set<std::string_view> stored;  // views of the listing's names
    stored.reserve(listed.value().size());
    bool hasList = false;
    for (const FolderEntry& entry : listed.value()) {
        if (isPlace(entry)) continue;
        if (!isOwnEntry(entry)) return unusable();
        if (entry.name == kListName) hasList = true;
        else if (isStoredName(entry.name)) stored.insert(entry.name);
    }
    // Whose a point without its list is cannot be told: one kept directly
    // in the restore folder is left alone.
    if (!hasList) {
        if (!kept) look.state = PointLook::State::NotWhole;
        return look;
    }
    const auto bytes = readWholeFile(reads(), folder + "\\" + std::string(kListName), kMaxListBytes);
    auto list = bytes.ok() ? parseList(bytes.value()) : std::nullopt;
    if (!list) return unusable();
    // Another game folder's point is left as it is; in this game folder's
    // subfolder, it is none the program wrote.
    if (list->gameFolder != gameFolder_) return kept ? look : unusable();
    if (!isSoundList(*list, scope_)) return unusable();
    for (const PointEntry& entry : list->entries)
        if (entry.state == EntryState::File && stored.count(entry.stored) == 0) return unusable();
    look.state = PointLook::State::Usable;
    look.list = std::move(*list);
    return look;
}

bool RestoreFolder::prepare() {
    if (gameFolder_.empty()) return false;
    for (const std::string& folder : {root_, own_}) {
        if (host_.nodeKind(folder) == NodeKind::Missing) (void)host_.createDirectory(folder);
        if (!isRealFolder(folder)) return false;
    }
    for (const PointName name : {PointName::Pending, PointName::Last, PointName::Original}) {
        if (host_.nodeKind(ownFolder(name)) != NodeKind::Missing) continue;
        const PointLook kept = lookAt(root_ + "\\" + std::string(nameOf(name)), true);
        if (kept.state == PointLook::State::Usable) (void)host_.moveOver(kept.folder, ownFolder(name), true);
    }
    return true;
}

Host& RestoreFolder::reads() {
    if (!reads_) reads_ = std::make_unique<ConfinedHost>(host_, root_);
    return *reads_;
}

bool RestoreFolder::remove(const std::string& folder) {
    if (host_.nodeKind(folder) != NodeKind::Directory) return false;
    const auto listed = host_.listFolder(folder);
    if (!listed.ok()) return false;
    for (const FolderEntry& entry : listed.value())
        if (!isPlace(entry) && !isOwnEntry(entry)) return false;
    for (const FolderEntry& entry : listed.value())
        if (!isPlace(entry)) (void)host_.deleteFile(folder + "\\" + entry.name);
    return host_.removeDirectory(folder).ok();
}

}  // namespace modsetup
