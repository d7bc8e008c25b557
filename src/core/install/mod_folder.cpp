#include "core/install/mod_folder.h"

#include <algorithm>

#include "core/io/file_writes.h"

namespace modsetup {

void InstallFailures::addTarget(const std::string& target, const Failure& failure) {
    failedPaths.push_back(target);
    if (!failure.systemText.empty()) reasons[target] = failure.systemText;
    if (failure.cause == Cause::InUse) inUsePaths.push_back(target);
    if (failure.cause == Cause::AccessDenied) accessDenied = true;
}

std::vector<std::string> InstallFailures::failureReasons() const {
    std::vector<std::string> said;
    for (const std::string& target : failedPaths) {
        const auto reason = reasons.find(target);
        if (reason == reasons.end() || std::find(inUsePaths.begin(), inUsePaths.end(), target) != inUsePaths.end())
            continue;
        if (std::find(said.begin(), said.end(), reason->second) == said.end()) said.push_back(reason->second);
    }
    return said;
}

void InstallFailures::noteWrite(const std::string& target, const Status& result, std::function<Status()> again) {
    if (result.ok()) return;
    addTarget(target, result.failure());
    if (result.cause() == Cause::InUse)
        held.push_back({std::move(again), [this, target](const Status& last) { settle(target, last); }});
}

void InstallFailures::settle(const std::string& target, const Status& result) {
    if (result.failedWith(Cause::InUse)) return;
    std::erase(inUsePaths, target);
    if (result.ok()) std::erase(failedPaths, target);
    else if (!result.failure().systemText.empty()) reasons[target] = result.failure().systemText;
    if (result.failedWith(Cause::AccessDenied)) accessDenied = true;
}

void addOutsideSource(std::vector<std::string>& outsideSources, const std::string& source) {
    if (std::find(outsideSources.begin(), outsideSources.end(), source) == outsideSources.end())
        outsideSources.push_back(source);
}

void retryHeldWrites(Host& host, std::vector<HeldWrite>& held) {
    const auto deadline = host.now() + kHeldFileWait;
    while (!held.empty()) {
        if (host.now() >= deadline) {
            for (HeldWrite& write : held) write.settle(Cause::InUse);
            held.clear();
            return;
        }
        host.sleepFor(kHeldFilePoll);
        std::erase_if(held, [](HeldWrite& write) {
            const Status result = write.again();
            if (result.failedWith(Cause::InUse)) return false;
            write.settle(result);
            return true;
        });
    }
}

void createModFolderTree(Host& host, std::string_view modName, InstallFailures& failures) {
    for (std::string_view piece : kModFolderTree) {
        const std::string path = modPath(modName, piece);
        // Fails for a folder that exists already, which is fine.
        const Status created = host.createDirectory(path);
        if (host.pathKind(path) != PathKind::Directory)
            failures.addTarget(path, created.ok() ? Failure{} : created.failure());
    }
}

namespace {

// Puts a copy written beside its target in place, noting what it came to.
void commitCopy(Result<std::unique_ptr<OutputFile>> copy, const std::string& source, const std::string& target,
                InstallFailures& failures) {
    if (copy.failedWith(Cause::Missing)) return;
    if (copy.failedWith(Cause::Unreadable)) return failures.unreadableSources.push_back(source);
    if (copy.failedWith(Cause::Outside)) return addOutsideSource(failures.outsideSources, source);
    if (!copy.ok()) return failures.addTarget(target, copy.failure());
    if (!copy.value()) return;  // in place already
    // Held by another program: the copy stays written beside the target, and
    // only its rename is tried again.
    std::shared_ptr<OutputFile> written = std::move(copy.value());
    const Status committed = written->commit();
    if (committed.ok()) failures.copiedPaths.push_back(target);
    failures.noteWrite(target, committed, [written] { return written->commit(); });
}

}  // namespace

void replaceWithCopy(Host& host, const std::string& source, const std::string& target, InstallFailures& failures) {
    commitCopy(writeCopy(host, source, target), source, target, failures);
}

}  // namespace modsetup
