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
void noteRefusedLineFiles(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                          std::vector<std::string>& refusedFiles) {
    for (std::size_t slot = 0; slot < kWeaponSlotCount; ++slot) {
        if (texts[slot].empty()) continue;
        for (std::string_view file : {kNameFile, kStatsFile}) {
            const std::string path = setFolderPath(strings.configBase, slot, texts[slot]) + std::string(file);
            if (host.pathKind(path) == PathKind::Outside) noteRefused(path, refusedFiles);
        }
    }
}

void installIntoModFolder(Host& host, LineFile& output, LineFile& input, const ProcessStrings& strings,
                          const SlotTexts& texts, const std::function<bool()>& boxTicked, ApplyOutcome& outcome) {
    auto& failed = outcome.failedPaths;
    outcome.modsFolderMissing = host.pathKind(std::string(kModsFolder)) != PathKind::Directory;
    createModFolderTree(host, strings.modName, failed);
    removeLeftovers(host, modFolderTargets(strings, texts));
    noteMissingSets(host, strings, texts, outcome);
    if (boxTicked()) {
        if (!writeWeaponNames(output, input, strings, texts)) failed.push_back(weaponNamesPath(strings.modName));
        if (!writeWeaponStats(output, input, strings, texts)) failed.push_back(weaponStatsPath(strings.modName));
        noteRefusedLineFiles(host, strings, texts, outcome.refusedFiles);
    } else {
        // Without modified weapons the mod keeps no weapons.ini of its own.
        const std::string stats = weaponStatsPath(strings.modName);
        host.deleteFile(stats);
        if (host.pathKind(stats) != PathKind::Missing) failed.push_back(stats);
    }
    const InstallFailures failures{failed, outcome.refusedFiles};
    installWeaponAssets(host, strings, texts, failures);
    installSoldierGraphics(host, strings, texts, failures);
}

// A heading and one line per item, the first kMaxListedItems of them, the rest counted.
std::string listText(std::string heading, const std::vector<std::string>& items) {
    for (std::size_t i = 0; i < items.size() && i < kMaxListedItems; ++i) heading += "\n" + items[i];
    if (items.size() > kMaxListedItems) heading += "\nand " + std::to_string(items.size() - kMaxListedItems) + " more.";
    return heading;
}

std::string plural(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// What Apply could not do below the game mod folder, each kind in a list of its own.
std::string installFailuresText(const ApplyOutcome& outcome, const ProcessStrings& strings) {
    std::vector<std::string> parts;
    if (const auto& sets = outcome.missingSets; !sets.empty()) {
        std::vector<std::string> items;
        for (const MissingSet& set : sets)
            items.push_back(slotLabel(set.slot) + ": " + quoted(set.text) + ", looked for in " +
                            quoted(slotFolderPath(strings.configBase, set.slot)));
        parts.push_back(listText(plural(sets.size(), "list names", "lists name") +
                                     " a set that is not in the slot folder, so nothing was installed for " +
                                     (sets.size() == 1 ? "it:" : "them:"),
                                 items));
    }
    if (const auto& refused = outcome.refusedFiles; !refused.empty()) {
        std::vector<std::string> items;
        for (const std::string& path : refused) items.push_back(visibleText(path));
        parts.push_back(listText(plural(refused.size(), "set file leads", "set files lead") +
                                     " outside the set library (a link to somewhere else), so " +
                                     (refused.size() == 1 ? "it was" : "they were") + " not used:",
                                 items));
    }
    if (const auto& failed = outcome.failedPaths; !failed.empty()) {
        std::vector<std::string> items;
        for (const std::string& path : failed) items.push_back(visibleText(path));
        parts.push_back(listText(plural(failed.size(), "file or folder", "files or folders") +
                                     " of the game mod folder could not be written:",
                                 items));
    }
    if (parts.empty()) return {};
    std::string text;
    for (const std::string& part : parts) text += part + "\n";
    return text + "Apply carried out all its other steps.";
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
    if (isSafeModName(strings.modName))
        installIntoModFolder(host, output, input, strings, texts, boxTicked, outcome);
    else
        outcome.modNameUnsafe = true;
    // The choices are saved in any case; they lie beside the program, not below "mods".
    removeLeftovers(host, {selectionsPath(strings.configBase)});
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
    } else {
        message = installFailuresText(outcome, strings);
    }
    if (!outcome.selectionsSaved) {
        if (!message.empty()) message += "\n";
        message += "Your choices could not be saved in " + quoted(selectionsPath(strings.configBase)) + ".";
    }
    return message;
}

}  // namespace modsetup
