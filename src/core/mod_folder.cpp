#include "core/mod_folder.h"

#include <algorithm>

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

void installCopy(Host& host, const std::string& source, const std::string& target, InstallFailures failures) {
    if (host.copyFile(source, target)) return;
    const PathKind kind = host.pathKind(source);
    if (kind == PathKind::File) failures.failedPaths.push_back(target);
    if (kind == PathKind::Outside) noteRefused(source, failures.refusedFiles);
}

void noteRefused(const std::string& setFile, std::vector<std::string>& refusedFiles) {
    // A set file installed in two places is named once.
    if (std::find(refusedFiles.begin(), refusedFiles.end(), setFile) == refusedFiles.end())
        refusedFiles.push_back(setFile);
}

}  // namespace modsetup
