#include "core/library/staging.h"

#include <vector>

#include "core/base/temporary_name.h"
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
        // A link to a folder lists as a folder; removing it as a file first
        // never enters it.
        if (host.deleteFile(path).ok()) continue;
        if (entry.isDirectory) {
            if (Status removed = removeTree(host, path); !removed.ok()) return removed;
        }
    }
    return host.removeDirectory(folder);
}

void rollBackPlacing(Host& host, const std::string& configBase, const std::string& staging) {
    const std::string journal = staging + "\\placing";
    LineFile lines(host);
    if (!lines.openRead(journal).ok()) return;
    std::vector<std::string> placed;
    while (!lines.readEnded()) {
        std::string line = lines.readLine();
        if (!line.empty()) placed.push_back(std::move(line));
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
        if (!entry.isDirectory || !isStagingName(entry.name)) continue;
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
                if (!slot.isDirectory || slot.name == "." || slot.name == "..") continue;
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
