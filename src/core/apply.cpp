#include "core/apply.h"

#include "core/display_text.h"
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
    auto& failed = outcome.failedPaths;
    outcome.modsFolderMissing = host.pathKind(std::string(kModsFolder)) != PathKind::Directory;
    createModFolderTree(host, strings.modName, failed);
    if (boxTicked()) {
        if (!writeWeaponNames(output, input, strings, texts)) failed.push_back(weaponNamesPath(strings.modName));
        if (!writeWeaponStats(output, input, strings, texts)) failed.push_back(weaponStatsPath(strings.modName));
    } else {
        // Without modified weapons the mod keeps no weapons.ini of its own.
        const std::string stats = weaponStatsPath(strings.modName);
        host.deleteFile(stats);
        if (host.pathKind(stats) != PathKind::Missing) failed.push_back(stats);
    }
    installWeaponAssets(host, strings, texts, failed);
    installSoldierGraphics(host, strings, texts, failed);
}

std::string failedPathsText(const std::vector<std::string>& paths) {
    const std::size_t count = paths.size();
    std::string text = std::to_string(count) + (count == 1 ? " file or folder" : " files or folders") +
                       " of the game mod folder could not be written:\n";
    for (std::size_t i = 0; i < count && i < kMaxListedItems; ++i) text += shortenedMiddle(paths[i]) + "\n";
    if (count > kMaxListedItems) text += "and " + std::to_string(count - kMaxListedItems) + " more.\n";
    text += "Apply carried out all its other steps.";
    return text;
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
    } else if (!outcome.failedPaths.empty()) {
        message = failedPathsText(outcome.failedPaths);
    }
    if (!outcome.selectionsSaved) {
        if (!message.empty()) message += "\n";
        message += "Your choices could not be saved in " + quoted(selectionsPath(strings.configBase)) + ".";
    }
    return message;
}

}  // namespace modsetup
