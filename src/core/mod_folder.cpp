#include "core/mod_folder.h"

#include "core/mod_folder_tree.h"

namespace modsetup {

std::string modPath(std::string_view modName, std::string_view piece) {
    std::string path(kModsFolder);
    path += '\\';
    path += modName;
    path += piece;
    return path;
}

void createModFolderTree(Host& host, std::string_view modName, std::vector<std::string>& failedPaths) {
    for (std::string_view piece : kModFolderTree) {
        const std::string path = modPath(modName, piece);
        host.createDirectory(path);  // false for a folder that exists already, which is fine
        if (host.pathKind(path) != PathKind::Directory) failedPaths.push_back(path);
    }
}

void installCopy(Host& host, const std::string& source, const std::string& target,
                 std::vector<std::string>& failedPaths) {
    if (!host.copyFile(source, target) && host.pathKind(source) == PathKind::File) failedPaths.push_back(target);
}

}  // namespace modsetup
