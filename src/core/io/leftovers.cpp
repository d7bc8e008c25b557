#include "core/io/leftovers.h"

#include <algorithm>

#include "core/base/ascii_case.h"
#include "core/base/temporary_name.h"

namespace modsetup {
namespace {

struct FolderTargets {
    std::string folder;
    std::vector<std::string> names;
};

}  // namespace

void removeLeftovers(Host& host, const std::vector<std::string>& targets) {
    std::vector<FolderTargets> folders;
    for (const std::string& target : targets) {
        const std::size_t cut = target.find_last_of("\\/");
        if (cut == std::string::npos) continue;
        const std::string folder = target.substr(0, cut);
        auto known =
            std::find_if(folders.begin(), folders.end(), [&](const FolderTargets& f) { return f.folder == folder; });
        if (known == folders.end()) known = folders.insert(folders.end(), {folder, {}});
        known->names.push_back(target.substr(cut + 1));
    }
    for (const FolderTargets& folder : folders) {
        const auto entries = host.listFolder(folder.folder);
        if (!entries.ok()) continue;
        for (const FolderEntry& entry : entries.value()) {
            const std::string_view target = temporaryTarget(entry.name);
            if (entry.isDirectory || target.empty()) continue;
            if (std::any_of(folder.names.begin(), folder.names.end(),
                            [&](const std::string& name) { return equalsIgnoringCase(name, target); }))
                (void)host.deleteFile(folder.folder + "\\" + entry.name);
        }
    }
}

}  // namespace modsetup
