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

// A list whose text is not empty but names no folder in its slot folder
// installs nothing: that is no choice the user meant to confirm.
void noteMissingSets(Host& host, const ProcessStrings& strings, const SlotTexts& texts, ApplyOutcome& outcome) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (texts[slot].empty()) continue;
        const PathKind kind = host.pathKind(setFolderPath(strings.configBase, slot, texts[slot]));
        if (kind == PathKind::Missing || kind == PathKind::File) outcome.missingSets.push_back({slot, texts[slot]});
    }
}

// Puts a file the handle wrote, which another program kept from its place,
// in place when tried again.
std::function<Status()> commitAgain(LineFile& handle) {
    std::shared_ptr<OutputFile> held = handle.takeHeld();
    return [held] { return held ? held->commit() : Status(Cause::Failed); };
}

void installIntoModFolder(Host& host, LineFile& output, LineFile& input, const ProcessStrings& strings,
                          const SlotTexts& texts, const std::function<bool()>& boxTicked, ApplyOutcome& outcome) {
    outcome.modsFolderMissing = host.pathKind(std::string(kModsFolder)) != PathKind::Directory;
    createModFolderTree(host, strings.modName, outcome);
    removeLeftovers(host, modFolderTargets(strings, texts));
    noteMissingSets(host, strings, texts, outcome);
    if (boxTicked()) {
        const Status names = writeWeaponNames(output, input, strings, texts, outcome.outsideSources);
        outcome.noteWrite(weaponNamesPath(strings.modName), names, commitAgain(output));
        const Status stats = writeWeaponStats(output, input, strings, texts, outcome.outsideSources);
        outcome.noteWrite(weaponStatsPath(strings.modName), stats, commitAgain(output));
    } else {
        // Without modified weapons the mod keeps no weapons.ini of its own.
        const std::string path = weaponStatsPath(strings.modName);
        auto remove = [&host, path]() -> Status {
            const Status deleted = host.deleteFile(path);
            return deleted.failedWith(Cause::Missing) ? done() : deleted;
        };
        outcome.noteWrite(path, remove(), remove);
    }
    installWeaponAssets(host, strings, texts, outcome);
    installSoldierGraphics(host, strings, texts, outcome);
}

}  // namespace

ApplyOutcome runApply(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                      const std::function<bool()>& boxTicked) {
    ApplyOutcome outcome;
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
    LineFile output(library);
    LineFile input(library);
    // The name becomes a folder below "mods": one that could leave it touches nothing there.
    if (safeName) installIntoModFolder(library, output, input, strings, texts, boxTicked, outcome);
    else outcome.modNameUnsafe = true;
    // The choices are saved in any case; they lie beside the program, not below "mods".
    removeLeftovers(library, {selectionsPath(strings.configBase)});
    auto settle = [&outcome](const Status& saved) {
        outcome.selectionsSaved = saved.ok();
        outcome.selectionsReason = saved.ok() ? std::string() : saved.failure().systemText;
        if (saved.failedWith(Cause::AccessDenied)) outcome.accessDenied = true;
    };
    const Status saved = writeSelections(output, strings.configBase, texts, boxTicked());
    settle(saved);
    if (saved.failedWith(Cause::InUse)) outcome.held.push_back({commitAgain(output), settle});
    // What another program held is tried again last, together, within one deadline.
    retryHeldWrites(library, outcome.held);
    recording.finish(outcome.copiedPaths);
    outcome.originalRecorded = recording.originalRecorded();
    return outcome;
}

}  // namespace modsetup
