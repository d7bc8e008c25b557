#include "core/library/staging.h"

#include <algorithm>
#include <vector>

#include "core/base/ascii_case.h"
#include "core/base/temporary_name.h"
#include "core/game/slots.h"
#include "core/io/line_file.h"

namespace modsetup {

std::string stagingFolder(const std::string& configBase, unsigned long process) {
    return temporaryName(configBase + "\\" + std::string(kStagingName), process, 0);
}

bool isStagingName(std::string_view name) { return temporaryTarget(name) == kStagingName; }

Status removeTree(Host& host, const std::string& folder) {
    const auto entries = host.listFolder(folder);
    if (!entries.ok()) return entries.failedWith(Cause::Missing) ? done() : Status(entries.failure());
    for (const FolderEntry& entry : entries.value()) {
        if (entry.name == "." || entry.name == "..") continue;
        const std::string path = folder + "\\" + entry.name;
        if (entry.node == NodeKind::Directory) {
            if (Status removed = removeTree(host, path); !removed.ok()) return removed;
            continue;
        }
        // A link goes itself, never what it leads to: a link to a folder on
        // Windows (a junction too) is removed as a folder, which does not
        // enter it; a link anywhere else, and a file, as a file.
        if (host.deleteFile(path).ok()) continue;
        if (entry.node == NodeKind::Link) (void)host.removeDirectory(path);
    }
    return host.removeDirectory(folder);
}

namespace {

// Whether a line of a placing journal names a set as the import writes it:
// a slot folder and a set's name below it. A journal in a folder that only
// looks like one of ours may name anything; nothing else is moved.
bool isPlacedSet(std::string_view line) {
    const std::size_t cut = line.find('\\');
    if (cut == std::string_view::npos) return false;
    const std::string_view slotFolder = line.substr(0, cut);
    const std::string_view name = line.substr(cut + 1);
    const bool knownFolder = std::any_of(kSlots.begin(), kSlots.end(), [&](const SlotInfo& slot) {
        return equalsIgnoringCase(slot.folder, slotFolder);
    });
    return knownFolder && !name.empty() && name != "." && name != ".." &&
           name.find_first_of("\\/:") == std::string_view::npos;
}

}  // namespace

void rollBackPlacing(Host& host, const std::string& configBase, const std::string& staging) {
    const std::string journal = staging + "\\placing";
    // Sets move only between the library and the staging folder's own
    // folders: one that is a link would lead them out.
    for (const char* part : {"\\new", "\\old"}) {
        const NodeKind kind = host.nodeKind(staging + part);
        if (kind != NodeKind::Missing && kind != NodeKind::Directory) return;
    }
    LineFile lines(host);
    if (!lines.openRead(journal).ok()) return;
    std::vector<std::string> placed;
    while (!lines.readEnded()) {
        std::string line = lines.readLine();
        if (isPlacedSet(line)) placed.push_back(std::move(line));
    }
    lines.close();
    for (std::size_t i = placed.size(); i-- > 0;) {
        const std::string& set = placed[i];
        const std::string inLibrary = configBase + "\\" + set;
        const std::string ready = staging + "\\new\\" + set;
        const std::string old = staging + "\\old\\" + set;
        // Moved in already: out again, back where it was made.
        if (host.pathKind(ready) == PathKind::Missing && host.pathKind(inLibrary) == PathKind::Directory)
            (void)host.moveFolder(inLibrary, ready);
        if (host.pathKind(old) == PathKind::Directory) (void)host.moveFolder(old, inLibrary);
    }
    (void)host.deleteFile(journal);
}

void removeImportLeftovers(Host& host, const std::string& configBase) {
    const auto entries = host.listFolder(configBase);
    if (!entries.ok()) return;
    for (const FolderEntry& entry : entries.value()) {
        // Only a real folder: a link of that name (which a downloaded pack
        // may hold) is never entered, let alone emptied.
        if (entry.node != NodeKind::Directory || !isStagingName(entry.name)) continue;
        const std::string staging = configBase + "\\" + entry.name;
        auto held = host.holdFile(staging + "\\held");
        if (!held.ok()) continue;  // its import runs, or the folder cannot be touched
        rollBackPlacing(host, configBase, staging);
        // Replaced sets whose move to the trash the kill cut short go there now;
        // one the trash refuses stays, and so does the folder holding it.
        bool keep = false;
        const std::string old = staging + "\\old";
        if (const auto slots = host.listFolder(old); slots.ok()) {
            for (const FolderEntry& slot : slots.value()) {
                if (slot.node != NodeKind::Directory || slot.name == "." || slot.name == "..") continue;
                const auto sets = host.listFolder(old + "\\" + slot.name);
                if (!sets.ok()) continue;
                for (const FolderEntry& set : sets.value())
                    if (set.name != "." && set.name != "..")
                        keep = !host.moveToTrash(old + "\\" + slot.name + "\\" + set.name).ok() || keep;
            }
        }
        held.value().reset();
        if (keep) continue;
        (void)removeTree(host, staging);
    }
}

}  // namespace modsetup
