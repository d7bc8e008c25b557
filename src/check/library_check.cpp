#include "check/library_check.h"

#include <algorithm>
#include <map>

#include "check/messages.h"
#include "check/set_check.h"
#include "core/base/ascii_case.h"
#include "core/base/mod_name.h"
#include "core/base/windows_names.h"
#include "core/io/confined_host.h"
#include "core/library/catalogue.h"
#include "core/library/config.h"
#include "core/library/set_files.h"

namespace modsetup::check {
namespace {

// The fifteen slot folders, each named by the first slot that uses it: the
// team Bravo slot shares "gostek" with team Alpha.
constexpr std::size_t kSlotFolderCount = kTeamAlpha + 1;

Absence absenceOf(PathKind kind, bool wantFolder) {
    if (kind == PathKind::Missing) return Absence::Missing;
    if (kind == PathKind::Outside) return Absence::Outside;
    return wantFolder ? Absence::FileInstead : Absence::FolderInstead;
}

std::string lastName(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void checkModIni(Host& host, const std::string& configBase, CheckResult& result) {
    auto add = [&](Severity severity, std::string text) {
        result.findings.push_back({severity, Group::ModIni, 0, "mod.ini", std::move(text)});
    };
    const std::string path = modIniPath(configBase);
    const PathKind kind = host.pathKind(path);
    if (kind != PathKind::File) {
        add(Severity::Error, modIniAbsentText(absenceText(absenceOf(kind, false))));
        return;
    }
    LineFile handle(host);
    ProcessStrings strings;
    strings.configBase = configBase;
    readModIni(handle, strings);
    if (strings.modTitle.empty()) add(Severity::Warning, noWindowTitleText());
    if (!isSafeModName(strings.modName)) add(Severity::Error, unsafeModNameText(configBase, strings.modName));
    else if (const std::size_t at = firstByteBeyondAscii(strings.modName); at != std::string::npos)
        add(Severity::Warning, modNameBeyondAsciiText(strings.modName, at));
}

// What the listing of one slot folder shows before its sets are checked: a
// missing or empty folder, sets the list passes over, names that differ
// only in letter case.
void checkListing(Host& host, const std::string& configBase, std::size_t slot, const SlotFolderListing& listing,
                  CheckResult& result) {
    const std::string folder(kSlots[slot].folder);
    auto add = [&](Severity severity, std::string place, std::string text) {
        result.findings.push_back({severity, Group::SlotFolder, slot, std::move(place), std::move(text)});
    };
    if (!listing.listed) {
        const PathKind kind = host.pathKind(slotFolderPath(configBase, slot));
        const Absence absence = kind == PathKind::Directory ? Absence::Unlistable : absenceOf(kind, true);
        add(kind == PathKind::Outside ? Severity::Error : Severity::Warning, folder,
            slotFolderAbsentText(absenceText(absence), slot));
        return;
    }
    if (listing.offered.empty() && listing.passedOver.empty() && listing.unstorable.empty() &&
        listing.unrepresentable.empty())
        add(Severity::Warning, folder, slotFolderEmptyText(slot));
    for (const std::string& set : listing.passedOver)
        add(Severity::Warning, shownPath(folder + "\\") + set, setNotOfferedText());
    for (const std::string& set : listing.unstorable)
        add(Severity::Warning, shownPath(folder + "\\") + set, setNameNotStorableText());
    for (const std::string& set : listing.unrepresentable)
        add(Severity::Error, shownPath(folder + "\\") + set, setNameNotChoosableText());
    for (const std::string& set : listing.offered)
        if (const WindowsNameFault fault = windowsNameProblem(set); fault.problem != WindowsNameProblem::None)
            add(Severity::Warning, shownPath(folder + "\\") + set, setNameNotForWindowsText(fault));

    std::map<std::string, std::vector<std::size_t>> sameFolded;
    for (std::size_t i = 0; i < listing.offered.size(); ++i) sameFolded[lowerAscii(listing.offered[i])].push_back(i);
    std::vector<std::vector<std::size_t>> groups;
    for (auto& [key, indexes] : sameFolded)
        if (indexes.size() > 1) groups.push_back(std::move(indexes));
    // In listing order, like the sets' own findings.
    std::sort(groups.begin(), groups.end());
    for (const auto& group : groups) {
        std::vector<std::string> others;
        for (std::size_t i = 1; i < group.size(); ++i) others.push_back(listing.offered[group[i]]);
        add(Severity::Warning, shownPath(folder + "\\") + listing.offered[group[0]], setsDifferInCaseText(others));
    }
}

void checkSelections(Host& host, const std::string& configBase, const std::vector<SlotFolderListing>& listings,
                     CheckResult& result) {
    LineFile handle(host);
    const SavedSelections saved = readSelections(handle, configBase);
    const std::string file = lastName(selectionsPath(configBase));
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const std::string& set = saved.texts[slot];
        if (set.empty()) continue;
        const auto& offered = listings[std::min(slot, kSlotFolderCount - 1)].offered;
        if (std::find(offered.begin(), offered.end(), set) != offered.end()) continue;
        // Not offered under this exact name: the program still finds a set
        // whose name differs in letter case, or one the list passes over.
        if (host.pathKind(setFolderPath(configBase, slot, set)) == PathKind::Directory) continue;
        result.findings.push_back({Severity::Error, Group::Selections, slot, file + " line " + std::to_string(slot + 1),
                                   staleSelectionText(set, slot)});
    }
}

}  // namespace

std::size_t CheckResult::count(Severity severity) const {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(), [&](const Finding& f) { return f.severity == severity; }));
}

CheckResult checkLibrary(Host& host, const std::string& configBase, const Progress& progress) {
    CheckResult result;
    // The library is judged as the program reads it: links that lead out of it are not followed.
    ConfinedHost library(host, configBase);
    checkModIni(library, configBase, result);

    // Each slot folder is listed once; its sets are counted before any is
    // checked, so that progress can be told against the whole.
    std::vector<SlotFolderListing> listings;
    std::size_t total = 0;
    for (std::size_t slot = 0; slot < kSlotFolderCount; ++slot) {
        listings.push_back(listSlotFolder(library, configBase, slot));
        total += listings.back().offered.size();
    }

    SetCheck setCheck(library, configBase);
    std::size_t done = 0;
    for (std::size_t slot = 0; slot < kSlotFolderCount; ++slot) {
        result.slotFolders.push_back({slot, listings[slot].offered.size()});
        checkListing(library, configBase, slot, listings[slot], result);
        for (const std::string& set : listings[slot].offered) {
            setCheck.run(slot, set, result);
            if (progress) progress(++done, total);
        }
    }

    checkSelections(library, configBase, listings, result);
    return result;
}

}  // namespace modsetup::check
