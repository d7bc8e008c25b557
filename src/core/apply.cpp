#include "core/apply.h"

#include "core/error_text.h"
#include "core/mod_folder.h"
#include "core/mod_name.h"
#include "core/soldier_graphics.h"
#include "core/weapon_assets.h"
#include "core/weapon_names.h"
#include "core/weapon_stats.h"

namespace modsetup {
namespace {

void installIntoModFolder(Host& host, LineFile& output, LineFile& input, const ProcessStrings& strings,
                          const SlotTexts& texts, const std::function<bool()>& boxTicked, ApplyOutcome& outcome) {
    outcome.modsFolderMissing = host.pathKind(std::string(kModsFolder)) != PathKind::Directory;
    createModFolderTree(host, strings.modName, outcome);
    if (boxTicked()) {
        if (!writeWeaponNames(output, input, strings, texts))
            outcome.addTarget(weaponNamesPath(strings.modName), output.writeFailure());
        if (!writeWeaponStats(output, input, strings, texts))
            outcome.addTarget(weaponStatsPath(strings.modName), output.writeFailure());
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
    // The name becomes a folder below "mods": one that could leave it touches nothing there.
    if (isSafeModName(strings.modName))
        installIntoModFolder(host, output, input, strings, texts, boxTicked, outcome);
    else
        outcome.modNameUnsafe = true;
    // The choices are saved in any case; they lie beside the program, not below "mods".
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
        message = "The working directory has no \"mods\" folder, so the program was not started from the game's "
                  "folder. Nothing was installed.";
    } else {
        message = installFailuresMessage(outcome.failedPaths, outcome.inUsePaths, outcome.unreadableSources);
    }
    if (!outcome.selectionsSaved) {
        if (!message.empty()) message += "\n";
        message += withQuoted("Your choices could not be saved in ", selectionsPath(strings.configBase), ".");
    }
    return outcome.accessDenied ? writeDeniedMessage(message) : message;
}

}  // namespace modsetup
