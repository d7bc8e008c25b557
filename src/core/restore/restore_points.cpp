#include "core/restore/restore_points.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/io/file_reads.h"
#include "core/io/file_writes.h"
#include "core/io/leftovers.h"

namespace modsetup {
namespace {

using State = PointLook::State;
using Keys = PathSet;

// A file's bytes kept under a second name: a hard link, which costs no copy,
// or a copy where the file system keeps no links, on the disk before the
// point's list names it.
Status keep(Host& host, const std::string& file, const std::string& kept) {
    if (host.createLink(file, kept).ok()) return done();
    return copyFile(host, file, kept, true);
}

// Whether what an entry recorded is there as it was: the very file (a hard
// link of it) or one of its bytes, nothing, or a folder. The kept file is
// read through reads, the restore folder's.
bool unchanged(Host& host, Host& reads, const std::string& folder, const PointEntry& entry) {
    const PathKind kind = host.pathKind(entry.path);
    switch (entry.state) {
    case EntryState::NoFile:
    case EntryState::NoFolder: return kind == PathKind::Missing;
    case EntryState::Folder: return kind == PathKind::Directory;
    case EntryState::File: break;
    }
    if (kind != PathKind::File) return false;
    auto kept = reads.openRead(folder + "\\" + entry.stored);
    auto now = host.openRead(entry.path);
    if (!kept.ok() || !now.ok()) return false;
    return sameBytes(*kept.value(), *now.value());
}

bool isFileEntry(const PointEntry& entry) {
    return entry.state == EntryState::File || entry.state == EntryState::NoFile;
}

// A path with each of its names as the file system holds them, as far as
// they exist: a mod name whose letter case changed still names the same
// files. Names below the working directory are looked up one folder at a
// time, each folder once; of another path, the last name only.
class NamesOnDisk {
public:
    explicit NamesOnDisk(Host& host) : host_(host) {}

    std::string of(const std::string& path) {
        const std::size_t cut = path.find_last_of("\\/");
        const std::string leaf = cut == std::string::npos ? path : path.substr(cut + 1);
        std::string head;
        if (cut != std::string::npos) {
            const bool absolute = path.front() == '\\' || path.front() == '/' || (path.size() > 1 && path[1] == ':');
            head = (absolute ? path.substr(0, cut) : folder(path.substr(0, cut))) + path[cut];
        }
        if (leaf.empty()) return head;
        return head + host_.nameOnDisk(path).value_or(leaf);
    }

private:
    const std::string& folder(const std::string& path) {
        const auto known = folders_.find(path);
        if (known != folders_.end()) return known->second;
        return folders_.emplace(path, of(path)).first->second;
    }

    Host& host_;
    std::unordered_map<std::string, std::string> folders_;
};

// The keys of the entries of a point that are no longer as it recorded
// them. copied: files known to have changed.
Keys changedKeys(Host& host, RestoreFolder& folder, const PointLook& point, const std::vector<std::string>& copied) {
    const Keys known(copied.begin(), copied.end());
    Keys changed;
    for (const PointEntry& entry : point.list.entries)
        if (known.count(entry.path) != 0 || !unchanged(host, folder.reads(), point.folder, entry))
            changed.insert(entry.path);
    return changed;
}

// The entries "original" gains from a point: those that changed and that it
// has none of yet, in the point's order. One set of keys, so that a point of
// any size is joined in linear time.
std::vector<const PointEntry*> newToOriginal(const PointList& original, const PointList& point, const Keys& changed) {
    Keys known;
    known.reserve(original.entries.size() + point.entries.size());
    for (const PointEntry& entry : original.entries) known.insert(entry.path);
    std::vector<const PointEntry*> added;
    for (const PointEntry& entry : point.entries)
        if (changed.count(entry.path) != 0 && known.insert(entry.path).second) added.push_back(&entry);
    return added;
}

// The number after the largest stored name of a list.
std::size_t nextStoredNumber(const PointList& list) {
    std::size_t largest = list.entries.size();
    for (const PointEntry& entry : list.entries)
        if (entry.state == EntryState::File) largest = std::max<std::size_t>(largest, std::stoul(entry.stored));
    return largest + 1;
}

// Adds to "original" what the point recorded of the files that changed and
// that it has none of yet; false when "original" cannot be read or extended,
// which then stays as it was (its list is written last, whole).
bool joinOriginal(Host& host, RestoreFolder& folder, const PointLook& point, const Keys& changed) {
    const PointLook original = folder.look(PointName::Original);
    if (original.state == State::Unusable || original.kept) return false;
    PointList joined = original.state == State::Usable ? original.list : PointList{folder.gameFolder(), {}};
    const std::vector<const PointEntry*> added = newToOriginal(joined, point.list, changed);
    if (added.empty()) return true;
    const std::string target = folder.ownFolder(PointName::Original);
    if (original.state == State::Absent && !host.createDirectory(target).ok()) return false;
    std::size_t number = nextStoredNumber(joined);
    for (const PointEntry* entry : added) {
        PointEntry kept = *entry;
        if (entry->state == EntryState::File) {
            kept.stored = std::to_string(number++);
            const std::string keptPath = target + "\\" + kept.stored;
            (void)host.deleteFile(keptPath);  // left by a join cut short
            if (!keep(folder.reads(), point.folder + "\\" + entry->stored, keptPath).ok()) return false;
        }
        joined.entries.push_back(std::move(kept));
    }
    return writeWholeFile(host, target + "\\" + std::string(kListName), listText(joined)).ok();
}

// The pending point becomes "last": the "last" there was goes. Each rename
// reaches the disk before the next step.
void promote(Host& host, RestoreFolder& folder) {
    const std::string last = folder.ownFolder(PointName::Last);
    const std::string dropped = folder.ownFolder(PointName::Dropped);
    if (host.nodeKind(last) == NodeKind::Directory && !host.moveOver(last, dropped, true).ok()) return;
    if (!host.moveOver(folder.ownFolder(PointName::Pending), last, true).ok()) return;
    folder.remove(dropped);
}

// Settles the pending point: when anything it recorded changed, those
// entries join "original" and the point becomes "last"; otherwise it goes.
// False when "original" could not take them in.
bool settle(Host& host, RestoreFolder& folder, const PointLook& pending, const std::vector<std::string>& copied) {
    const Keys changed = changedKeys(host, folder, pending, copied);
    if (changed.empty()) {
        folder.remove(pending.folder);
        return true;
    }
    const bool recorded = joinOriginal(host, folder, pending, changed);
    promote(host, folder);
    return recorded;
}

// Whether this game folder's own "last" stands in the way of a new one.
bool blocks(const PointLook& last) { return last.state == State::Unusable && !last.kept; }

// Whether the pending point can be settled: one that cannot become "last"
// is left as it is.
bool settles(const PointLook& pending, const PointLook& last) {
    return pending.state == State::Usable && !blocks(last);
}

// Finishes what an Apply killed part-way left, as it would have: a whole
// pending point is settled, one not whole goes (nothing was changed before
// it was whole), and so does a "last" on its way out. False when "original"
// could not take in what the pending point changed.
bool recover(Host& host, RestoreFolder& folder) {
    const PointLook dropped = folder.look(PointName::Dropped);
    if (dropped.state != State::Absent && !dropped.kept) folder.remove(dropped.folder);
    const PointLook pending = folder.look(PointName::Pending);
    if (pending.kept) return true;
    if (pending.state == State::NotWhole) folder.remove(pending.folder);
    if (!settles(pending, folder.look(PointName::Last))) return true;
    return settle(host, folder, pending, {});
}

// "last" is no longer the state before the last Apply.
void dropLast(RestoreFolder& folder) {
    const PointLook last = folder.look(PointName::Last);
    if ((last.state == State::Usable || last.state == State::NotWhole) && !last.kept) folder.remove(last.folder);
}

}  // namespace

RestoreRecording::RestoreRecording(Host& host, std::string configBase, std::string modName)
    : host_(host), configBase_(std::move(configBase)), modName_(std::move(modName)) {}

Status RestoreRecording::begin(const std::vector<std::string>& files, const std::vector<std::string>& folders) {
    RestoreFolder folder(host_, configBase_, modName_);
    // Something in the way (the system said nothing) is the restore folder's doing.
    const auto refuse = [&](Status why) {
        damaged_ = why.failure().systemText.empty() && folder.damaged();
        dropLast(folder);
        return why;
    };
    if (!folder.prepare()) return refuse(Cause::Failed);
    if (!recover(host_, folder)) originalRecorded_ = false;
    // Nothing may stand where the new point goes, and "last" must be one it can replace.
    const std::string pending = folder.ownFolder(PointName::Pending);
    if (host_.nodeKind(pending) != NodeKind::Missing ||
        host_.nodeKind(folder.ownFolder(PointName::Dropped)) != NodeKind::Missing ||
        blocks(folder.look(PointName::Last)))
        return refuse(Cause::Failed);
    if (Status made = host_.createDirectory(pending); !made.ok()) return refuse(made);

    NamesOnDisk names(host_);
    PointList list{folder.gameFolder(), {}};
    for (const std::string& given : files) {
        std::string file = names.of(given);
        // A link is never followed into the point: a restore removes what
        // Apply put in its place. A folder in a file's place is not Apply's.
        const NodeKind kind = host_.nodeKind(file);
        if (kind == NodeKind::Directory) continue;
        if (kind != NodeKind::File) {
            list.entries.push_back({EntryState::NoFile, {}, std::move(file)});
            continue;
        }
        PointEntry entry{EntryState::File, std::to_string(list.entries.size() + 1), std::move(file)};
        if (Status kept = keep(host_, entry.path, pending + "\\" + entry.stored); !kept.ok()) {
            folder.remove(pending);
            return refuse(kept);
        }
        list.entries.push_back(std::move(entry));
    }
    for (const std::string& given : folders) {
        const std::string path = names.of(given);
        const NodeKind kind = host_.nodeKind(path);
        if (kind == NodeKind::Directory || kind == NodeKind::Missing)
            list.entries.push_back({kind == NodeKind::Directory ? EntryState::Folder : EntryState::NoFolder, {}, path});
    }
    if (Status written = writeWholeFile(host_, pending + "\\" + std::string(kListName), listText(list));
        !written.ok()) {
        folder.remove(pending);
        return refuse(written);
    }
    begun_ = true;
    return done();
}

void RestoreRecording::finish(const std::vector<std::string>& copied) {
    if (!begun_) return;
    begun_ = false;
    RestoreFolder folder(host_, configBase_, modName_);
    const PointLook pending = folder.look(PointName::Pending);
    if (pending.state == State::Usable && !settle(host_, folder, pending, copied)) originalRecorded_ = false;
}

RestoreOffer offeredRestores(Host& host, const std::string& configBase, const std::string& modName) {
    RestoreFolder folder(host, configBase, modName);
    const PointLook pending = folder.look(PointName::Pending);
    const PointLook last = folder.look(PointName::Last);
    const bool settling = settles(pending, last);
    RestoreOffer offer;
    offer.last = settling || last.state == State::Usable;
    offer.original = settling || folder.look(PointName::Original).state == State::Usable;
    (void)folder.look(PointName::Dropped);
    offer.damaged = folder.damaged();
    return offer;
}

RestorePlan planRestore(Host& host, const std::string& configBase, const std::string& modName, RestorePoint which) {
    RestoreFolder folder(host, configBase, modName);
    const PointLook pending = folder.look(PointName::Pending);
    const PointLook last = folder.look(PointName::Last);
    const Keys changed = settles(pending, last) ? changedKeys(host, folder, pending, {}) : Keys();
    // What the restore would put back once the pending point is settled,
    // each entry with the folder its stored file lies in.
    std::vector<std::pair<const PointEntry*, const std::string*>> entries;
    const PointLook original = which == RestorePoint::Original ? folder.look(PointName::Original) : PointLook();
    if (which == RestorePoint::Last) {
        const PointLook& point = changed.empty() ? last : pending;
        if (point.state != State::Usable) return {};
        for (const PointEntry& entry : point.list.entries) entries.emplace_back(&entry, &point.folder);
    } else {
        if (original.state == State::Unusable) return {};
        for (const PointEntry& entry : original.list.entries) entries.emplace_back(&entry, &original.folder);
        for (const PointEntry* entry : newToOriginal(original.list, pending.list, changed))
            entries.emplace_back(entry, &pending.folder);
        if (entries.empty()) return {};
    }
    RestorePlan plan{true, 0};
    for (const auto& [entry, stored] : entries)
        if (isFileEntry(*entry) && !unchanged(host, folder.reads(), *stored, *entry)) ++plan.files;
    return plan;
}

RestoreOutcome restore(Host& host, const std::string& configBase, const std::string& modName, RestorePoint which) {
    RestoreOutcome outcome;
    RestoreFolder folder(host, configBase, modName);
    if (!folder.prepare()) return outcome;
    (void)recover(host, folder);
    const PointLook point = folder.look(which == RestorePoint::Last ? PointName::Last : PointName::Original);
    if (point.state != State::Usable || point.kept) return outcome;
    outcome.found = true;
    const std::vector<PointEntry>& entries = point.list.entries;
    std::vector<std::string> files;
    for (const PointEntry& entry : entries)
        if (isFileEntry(entry)) files.push_back(entry.path);
    removeLeftovers(host, files);
    // Folders first, outermost first, so that the files have their places;
    // the folders there were none of last, innermost first.
    for (const PointEntry& entry : entries)
        if (entry.state == EntryState::Folder && host.pathKind(entry.path) != PathKind::Directory &&
            !host.createDirectory(entry.path).ok())
            outcome.failed.push_back(entry.path);
    for (const PointEntry& entry : entries) {
        Status put = done();
        if (entry.state == EntryState::File)
            put = copyFile(folder.reads(), point.folder + "\\" + entry.stored, entry.path);
        if (entry.state == EntryState::NoFile) put = host.deleteFile(entry.path);
        if (!put.ok() && !(entry.state == EntryState::NoFile && put.failedWith(Cause::Missing)))
            outcome.failed.push_back(entry.path);
    }
    for (std::size_t i = entries.size(); i-- > 0;)
        if (entries[i].state == EntryState::NoFolder && !host.removeDirectory(entries[i].path).ok() &&
            host.nodeKind(entries[i].path) != NodeKind::Missing)
            outcome.failed.push_back(entries[i].path);
    if (which == RestorePoint::Last && outcome.failed.empty()) folder.remove(point.folder);
    return outcome;
}

}  // namespace modsetup
