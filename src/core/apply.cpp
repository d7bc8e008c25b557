#include "core/apply.h"

#include "core/display_text.h"
#include "core/error_text.h"
#include "core/leftovers.h"
#include "core/mod_folder.h"
#include "core/mod_name.h"
#include "core/slots.h"
#include "core/soldier_graphics.h"
#include "core/weapon_assets.h"
#include "core/weapon_names.h"
#include "core/weapon_stats.h"

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

// The sets' name.txt and stats.ini that the host refused to read, as the
// line reader takes a refused file for a missing one.
void noteOutsideLineFiles(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                          std::vector<std::string>& outsideSources) {
    for (std::size_t slot = 0; slot < kWeaponSlotCount; ++slot) {
        if (texts[slot].empty()) continue;
        for (std::string_view file : {kNameFile, kStatsFile}) {
            const std::string path = setFolderPath(strings.configBase, slot, texts[slot]) + std::string(file);
            if (host.pathKind(path) == PathKind::Outside) outsideSources.push_back(path);
        }
    }
}

void installIntoModFolder(Host& host, LineFile& output, LineFile& input, const ProcessStrings& strings,
                          const SlotTexts& texts, const std::function<bool()>& boxTicked, ApplyOutcome& outcome) {
    outcome.modsFolderMissing = host.pathKind(std::string(kModsFolder)) != PathKind::Directory;
    createModFolderTree(host, strings.modName, outcome);
    removeLeftovers(host, modFolderTargets(strings, texts));
    noteMissingSets(host, strings, texts, outcome);
    if (boxTicked()) {
        if (!writeWeaponNames(output, input, strings, texts))
            outcome.addTarget(weaponNamesPath(strings.modName), output.writeFailure());
        if (!writeWeaponStats(output, input, strings, texts))
            outcome.addTarget(weaponStatsPath(strings.modName), output.writeFailure());
        noteOutsideLineFiles(host, strings, texts, outcome.outsideSources);
    } else {
        // Without modified weapons the mod keeps no weapons.ini of its own.
        const std::string stats = weaponStatsPath(strings.modName);
        const FileResult deleted = host.deleteFile(stats);
        if (host.pathKind(stats) != PathKind::Missing) outcome.addTarget(stats, deleted.failure());
    }
    installWeaponAssets(host, strings, texts, outcome);
    installSoldierGraphics(host, strings, texts, outcome);
}

}  // namespace

ApplyOutcome runApply(Host& host, LineFile& output, LineFile& input, const ProcessStrings& strings,
                      const SlotTexts& texts, const std::function<bool()>& boxTicked) {
    ApplyOutcome outcome;
    // The selections file, like every set, would be at some other place.
    if (!folderWithBackslash(strings.configBase).empty()) {
        outcome.programFolderUnusable = true;
        return outcome;
    }
    host.confineBelow(strings.configBase);
    // The name becomes a folder below "mods": one that could leave it touches nothing there.
    if (isSafeModName(strings.modName)) installIntoModFolder(host, output, input, strings, texts, boxTicked, outcome);
    else outcome.modNameUnsafe = true;
    // The choices are saved in any case; they lie beside the program, not below "mods".
    removeLeftovers(host, {selectionsPath(strings.configBase)});
    outcome.selectionsSaved = writeSelections(output, strings.configBase, texts, boxTicked());
    if (output.writeFailure() == FileFailure::AccessDenied) outcome.accessDenied = true;
    return outcome;
}

std::string applyFailureMessage(const ApplyOutcome& outcome, const ProcessStrings& strings) {
    if (outcome.succeeded()) return {};
    if (outcome.programFolderUnusable)
        return backslashFolderMessage(folderWithBackslash(strings.configBase)) + "\nApply installed and saved nothing.";
    std::string message;
    if (outcome.modNameUnsafe) {
        message = unsafeModNameMessage(strings.configBase, strings.modName);
    } else if (outcome.modsFolderMissing) {
        message =
            "The working directory has no \"mods\" folder, so the program was not started from the game's "
            "folder. Nothing was installed.";
    } else {
        std::vector<std::string> missingSets;
        for (const MissingSet& set : outcome.missingSets)
            missingSets.push_back(
                missingSetLine(slotLabel(set.slot), set.text, slotFolderPath(strings.configBase, set.slot)));
        message = installFailuresMessage(missingSets, outcome.failedPaths, outcome.inUsePaths,
                                         outcome.unreadableSources, outcome.outsideSources);
    }
    if (!outcome.selectionsSaved) {
        if (!message.empty()) message += "\n";
        message += "Your choices could not be saved in " + quoted(selectionsPath(strings.configBase)) + ".";
    }
    return outcome.accessDenied ? writeDeniedMessage(message) : message;
}

}  // namespace modsetup
