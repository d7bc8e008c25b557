#include "core/install/apply.h"

#include "core/base/mod_name.h"
#include "core/game/mod_folder_tree.h"
#include "core/game/slots.h"
#include "core/install/mod_folder.h"
#include "core/install/soldier_graphics.h"
#include "core/install/weapon_assets.h"
#include "core/install/weapon_names.h"
#include "core/install/weapon_stats.h"
#include "core/io/confined_host.h"
#include "core/io/leftovers.h"
#include "core/restore/restore_points.h"

namespace modsetup {
namespace {

// Every file Apply writes below the game mod folder.
std::vector<std::string> modFolderTargets(const ProcessStrings& strings, const SlotTexts& texts) {
    std::vector<std::string> targets{weaponNamesPath(strings.modName), weaponStatsPath(strings.modName)};
    for (const FileCopy& copy : weaponAssetCopies(strings, texts)) targets.push_back(copy.target);
    for (const FileCopy& copy : soldierGraphicsCopies(strings, texts)) targets.push_back(copy.target);
    return targets;
}

// Puts a file the handle wrote, which another program kept from its place,
// in place when tried again.
std::function<Status()> commitAgain(LineFile& handle) {
    std::shared_ptr<OutputFile> held = handle.takeHeld();
    return [held] { return held ? held->commit() : Status(Cause::Failed); };
}

// Carries out one file of the plan below the game mod folder.
void carryOut(Host& host, LineFile& output, const ApplyFile& file, ApplyOutcome& outcome) {
    switch (file.work) {
    case FileWork::Write: {
        const Status written = writeLineFile(output, file.target, file.bytes);
        return outcome.noteWrite(file.target, written, commitAgain(output));
    }
    case FileWork::Remove: {
        auto remove = [&host, path = file.target]() -> Status {
            const Status deleted = host.deleteFile(path);
            return deleted.failedWith(Cause::Missing) ? done() : deleted;
        };
        return outcome.noteWrite(file.target, remove(), remove);
    }
    case FileWork::Copy:
        if (file.change != FileChange::Unchanged) replaceWithCopy(host, file.source, file.target, outcome);
        return;
    }
}

void installIntoModFolder(Host& host, LineFile& output, const ProcessStrings& strings, const SlotTexts& texts,
                          const ApplyPlan& plan, ApplyOutcome& outcome) {
    outcome.modsFolderMissing = host.pathKind(std::string(kModsFolder)) != PathKind::Directory;
    createModFolderTree(host, strings.modName, outcome);
    removeLeftovers(host, modFolderTargets(strings, texts));
    // The selections file, last, is not below the game mod folder.
    for (std::size_t i = 0; i + 1 < plan.files.size(); ++i) carryOut(host, output, plan.files[i], outcome);
}

}  // namespace

ApplyOutcome runApply(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                      const std::function<bool()>& boxTicked) {
    ApplyOutcome outcome;
    const bool ticked = boxTicked();
    // The selections file, like every set, would be at some other place.
    if (!folderWithBackslash(strings.configBase).empty()) {
        outcome.programFolderUnusable = true;
        return outcome;
    }
    // The way back: what every change will replace, recorded first.
    const bool safeName = isSafeModName(strings.modName);
    std::vector<std::string> files = safeName ? modFolderTargets(strings, texts) : std::vector<std::string>();
    files.push_back(selectionsPath(strings.configBase));
    std::vector<std::string> folders;
    if (safeName)
        for (std::string_view piece : kModFolderTree) folders.push_back(modPath(strings.modName, piece));
    RestoreRecording recording(host, strings.configBase, strings.modName);
    const Status recorded = recording.begin(files, folders);
    outcome.restorePointKept = recorded.ok();
    if (!recorded.ok()) outcome.restorePointReason = recorded.failure().systemText;
    outcome.restoreFolderDamaged = recording.folderDamaged();

    ConfinedHost library(host, strings.configBase);
    const ApplyPlan plan = planApply(host, strings, texts, ticked);
    outcome.missingSets = plan.missingSets;
    outcome.unreadableSources = plan.unreadableSources;
    outcome.outsideSources = plan.outsideSources;
    LineFile output(library);
    // The name becomes a folder below "mods": one that could leave it touches nothing there.
    if (safeName) installIntoModFolder(library, output, strings, texts, plan, outcome);
    else outcome.modNameUnsafe = true;
    // The choices are saved in any case; they lie beside the program, not below "mods".
    removeLeftovers(library, {selectionsPath(strings.configBase)});
    auto settle = [&outcome](const Status& saved) {
        outcome.selectionsSaved = saved.ok();
        outcome.selectionsReason = saved.ok() ? std::string() : saved.failure().systemText;
        if (saved.failedWith(Cause::AccessDenied)) outcome.accessDenied = true;
    };
    const ApplyFile& selections = plan.files.back();
    const Status saved = writeLineFile(output, selections.target, selections.bytes);
    settle(saved);
    if (saved.failedWith(Cause::InUse)) outcome.held.push_back({commitAgain(output), settle});
    // What another program held is tried again last, together, within one deadline.
    retryHeldWrites(library, outcome.held);
    recording.finish(outcome.copiedPaths);
    outcome.originalRecorded = recording.originalRecorded();
    return outcome;
}

}  // namespace modsetup
