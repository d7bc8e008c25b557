#include "core/install/apply_plan.h"

#include "core/base/mod_name.h"
#include "core/install/mod_folder.h"
#include "core/install/soldier_graphics.h"
#include "core/install/weapon_assets.h"
#include "core/install/weapon_names.h"
#include "core/install/weapon_stats.h"
#include "core/io/confined_host.h"
#include "core/io/file_reads.h"
#include "core/io/file_writes.h"

namespace modsetup {
namespace {

// A file the program writes whole: unchanged only where the target holds
// exactly these bytes. A folder in its place is replaced, as far as the plan
// says: Apply then reports that it could not.
void planWrite(Host& host, const std::string& target, std::optional<std::string> bytes, ApplyPlan& plan) {
    FileChange change = FileChange::Replaced;
    const PathKind kind = host.pathKind(target);
    if (kind == PathKind::Missing) change = FileChange::Added;
    else if (kind == PathKind::File && bytes) {
        // A file larger than the bytes to write differs from them.
        const Result<std::string> there = readWholeFile(host, target, bytes->size());
        if (there.ok() && there.value() == *bytes) change = FileChange::Unchanged;
    }
    plan.files.push_back({kOwnFiles, FileWork::Write, target, change, {}, std::move(bytes)});
}

void planCopy(Host& host, const FileCopy& copy, ApplyPlan& plan) {
    const Result<CopyEffect> effect = compareCopy(host, copy.source, copy.target);
    if (effect.failedWith(Cause::Missing)) return;
    if (effect.failedWith(Cause::Unreadable)) return plan.unreadableSources.push_back(copy.source);
    if (effect.failedWith(Cause::Outside)) return addOutsideSource(plan.outsideSources, copy.source);
    FileChange change = FileChange::Replaced;  // a failure: the write reports it
    if (effect.ok() && effect.value() == CopyEffect::Adds) change = FileChange::Added;
    if (effect.ok() && effect.value() == CopyEffect::Keeps) change = FileChange::Unchanged;
    plan.files.push_back({copy.slot, FileWork::Copy, copy.target, change, copy.source, std::nullopt});
}

void planModFolder(Host& library, const ProcessStrings& strings, const SlotTexts& texts, ApplyPlan& plan) {
    plan.missingSets = missingSets(library, strings.configBase, texts);
    if (plan.boxTicked) {
        LineFile input(library);
        planWrite(library, weaponNamesPath(strings.modName),
                  weaponNamesText(input, strings, texts, plan.outsideSources), plan);
        planWrite(library, weaponStatsPath(strings.modName),
                  weaponStatsText(input, strings, texts, plan.outsideSources), plan);
    } else {
        // Without modified weapons the mod keeps no weapons.ini of its own.
        const std::string target = weaponStatsPath(strings.modName);
        const bool there = library.pathKind(target) != PathKind::Missing;
        plan.files.push_back({kOwnFiles,
                              FileWork::Remove,
                              target,
                              there ? FileChange::Removed : FileChange::Unchanged,
                              {},
                              std::nullopt});
    }
    for (const FileCopy& copy : weaponAssetCopies(strings, texts)) planCopy(library, copy, plan);
    for (const FileCopy& copy : soldierGraphicsCopies(strings, texts)) planCopy(library, copy, plan);
}

}  // namespace

std::vector<MissingSet> missingSets(Host& library, const std::string& configBase, const SlotTexts& texts) {
    std::vector<MissingSet> missing;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (texts[slot].empty()) continue;
        const PathKind kind = library.pathKind(setFolderPath(configBase, slot, texts[slot]));
        if (kind == PathKind::Missing || kind == PathKind::File) missing.push_back({slot, texts[slot]});
    }
    return missing;
}

ApplyPlan planApply(Host& host, const ProcessStrings& strings, const SlotTexts& texts, bool boxTicked) {
    ApplyPlan plan;
    plan.boxTicked = boxTicked;
    // The selections file, like every set, would be at some other place.
    if (!folderWithBackslash(strings.configBase).empty()) {
        plan.programFolderUnusable = true;
        return plan;
    }
    ConfinedHost library(host, strings.configBase);
    // The name becomes a folder below "mods": one that could leave it touches nothing there.
    plan.modNameUnsafe = !isSafeModName(strings.modName);
    if (!plan.modNameUnsafe) planModFolder(library, strings, texts, plan);
    // The choices are saved in any case; they lie beside the program, not below "mods".
    planWrite(library, selectionsPath(strings.configBase), selectionsText(texts, boxTicked), plan);
    return plan;
}

std::size_t changedFileCount(const ApplyPlan& plan) {
    std::size_t changed = 0;
    for (const ApplyFile& file : plan.files) changed += file.change != FileChange::Unchanged ? 1 : 0;
    return changed;
}

}  // namespace modsetup
