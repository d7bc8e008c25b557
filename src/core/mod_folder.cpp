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

void InstallFailures::addTarget(const std::string& target, FileFailure failure) {
    failedPaths.push_back(target);
    if (failure == FileFailure::InUse) inUsePaths.push_back(target);
    if (failure == FileFailure::AccessDenied) accessDenied = true;
}

void createModFolderTree(Host& host, std::string_view modName, InstallFailures& failures) {
    for (std::string_view piece : kModFolderTree) {
        const std::string path = modPath(modName, piece);
        // Fails for a folder that exists already, which is fine.
        const FileResult created = host.createDirectory(path);
        if (host.pathKind(path) != PathKind::Directory) failures.addTarget(path, created.failure());
    }
}

void installCopy(Host& host, const std::string& source, const std::string& target, InstallFailures& failures) {
    const FileResult copied = host.copyFile(source, target);
    if (copied || copied.failure() == FileFailure::Missing) return;
    if (copied.failure() == FileFailure::Unreadable) {
        failures.unreadableSources.push_back(source);
    } else if (copied.failure() == FileFailure::Outside) {
        // A set file installed in two places is named once.
        auto& outside = failures.outsideSources;
        if (std::find(outside.begin(), outside.end(), source) == outside.end()) outside.push_back(source);
    } else {
        failures.addTarget(target, copied.failure());
    }
}

}  // namespace modsetup
