// The presenter's part in adding sets from an archive (import_dialog.h): the
// archive read and its sets added off the window's thread, the dialog's rows
// from the plan and the check's findings, the user's choices turned into the
// import's decisions, and the lists offering what was added.
#include <algorithm>

#include "check/archive_check.h"
#include "check/messages.h"
#include "core/import/archive_layout.h"
#include "core/import/import_run.h"
#include "core/io/confined_host.h"
#include "core/io/forwarding_host.h"
#include "core/library/catalogue.h"
#include "core/library/load_sequence.h"
#include "core/report/messages.h"
#include "front/main_window_presenter.h"
#include "front/messages.h"

namespace modsetup::front {
namespace {

// The archive is the user's own file, read as its path names it (a dialog's
// or a drop's answer); the set library through the program's own paths.
class ArchiveHost final : public ForwardingHost {
public:
    ArchiveHost(Host& inner, std::string archive) : ForwardingHost(inner), archive_(std::move(archive)) {}
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override {
        return path == archive_ ? inner_.usersOwnPaths().openRead(path) : inner_.openRead(path);
    }

private:
    std::string archive_;
};

// What a row's actions stand for, in the order the dialog offers them. A
// taken name keeps both by default: nothing goes to the trash unless the
// user says so.
constexpr std::array kFreeNameActions{SetAction::Add, SetAction::Skip};
constexpr std::array kTakenNameActions{SetAction::Replace, SetAction::KeepBoth, SetAction::Skip};
constexpr std::size_t kKeepBothByDefault = 1;

// The user's choice as the import's decision; a choice that fits no place
// or action (a window's fault) skips the set.
SetDecision decisionOf(const PlannedSet& set, const ImportChoice& choice) {
    if (choice.place >= set.slotChoices.size()) return {SetAction::Skip, 0, {}};
    const SlotChoice& place = set.slotChoices[choice.place];
    if (place.nameTaken)
        return {choice.action < kTakenNameActions.size() ? kTakenNameActions[choice.action] : SetAction::Skip,
                place.slot, place.freeName};
    return {
        choice.action < kFreeNameActions.size() ? kFreeNameActions[choice.action] : SetAction::Skip, place.slot, {}};
}

bool sameAsciiIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

void MainWindowPresenter::fileDropped(const std::string& path) { addFromArchive(path); }

void MainWindowPresenter::askForArchive() {
    const FileQuestion question{
        false,
        fixedText(kAddFromArchiveTitle),
        {{fixedText(kArchivesKind), std::string(kArchivePatterns)}, {fixedText(kAllFilesKind), "*"}},
        {}};
    if (const std::optional<std::string> path = view_.askForFile(question)) addFromArchive(*path);
}

void MainWindowPresenter::addFromArchive(const std::string& path) {
    // A folder the program's paths cannot name takes no sets (the load said so).
    if (const std::string unusable = folderWithBackslash(strings_.configBase); !unusable.empty())
        return report({backslashFolderMessage(unusable)});
    ArchiveHost host(host_, path);
    const ShownText title = fixedText(kAddFromArchiveTitle);
    ImportPlan plan;
    view_.runWithProgress({title, codec_.shown(readingArchiveText(path)), fixedText(kCancel)},
                          [&](const WorkProgress& progress, const std::atomic<bool>& cancel) {
                              plan = planImport(host, strings_.configBase, path, {progress, &cancel});
                          });
    if (plan.cancelled) return;
    if (plan.fault == ArchiveFault::Unopenable || plan.fault == ArchiveFault::NotAnArchive)
        return report({archiveUnreadableMessage(path, plan.fault, plan.failure.systemText)});
    if (!plan.canAdd()) return report({archiveRefusedMessage(path, plan)});

    const ImportAnswer answer = view_.askImport(importDialog(path, plan));
    if (!answer || answer->size() != plan.sets.size()) return;
    std::vector<SetDecision> decisions;
    for (std::size_t i = 0; i < plan.sets.size(); ++i) decisions.push_back(decisionOf(plan.sets[i], (*answer)[i]));
    if (std::all_of(decisions.begin(), decisions.end(),
                    [](const SetDecision& decision) { return decision.action == SetAction::Skip; }))
        return;

    ImportOutcome outcome;
    view_.runWithProgress(
        {title, codec_.shown(addingSetsText(path)), fixedText(kCancel)},
        [&](const WorkProgress& progress, const std::atomic<bool>& cancel) {
            outcome = runImport(host, strings_.configBase, path, plan, decisions, {progress, &cancel});
        });
    std::vector<std::string> messages;
    if (!outcome.added && outcome.failedAt != ImportStep::Cancelled)
        messages.push_back(importFailedMessage(path, outcome));
    for (const KeptSet& kept : outcome.kept) messages.push_back(replacedSetKeptMessage(kept));
    if (outcome.added) {
        std::vector<std::size_t> replacedIn;
        std::vector<std::string> replaced;
        for (std::size_t i = 0; i < decisions.size(); ++i)
            if (decisions[i].action == SetAction::Replace)
                replacedIn.push_back(decisions[i].slot), replaced.push_back(plan.sets[i].name);
        offerNewSets(replacedIn, replaced, messages);
    }
    if (!messages.empty()) report(messages);
}

ImportDialog MainWindowPresenter::importDialog(const std::string& path, const ImportPlan& plan) const {
    ImportDialog dialog{fixedText(kAddFromArchiveTitle),
                        codec_.shown(importHeadingText(path, plan.layout, plan.sets.size(), plan.notInstalled)),
                        {},
                        fixedText(kImportListName),
                        fixedText(kImportPlaceLabel),
                        fixedText(kImportActionLabel),
                        fixedText(kImportFindingsLabel),
                        fixedText(kAddButton),
                        fixedText(kCancel),
                        {}};
    for (std::string_view column : kImportColumns) dialog.columns.push_back(fixedText(column));
    for (const PlannedSet& set : plan.sets) {
        ImportRow row{codec_.shown(set.name), fixedText(setContentsText(set.files.size(), set.bytes)), {}};
        for (const SlotChoice& choice : set.slotChoices) {
            ImportPlace place{fixedText(importSlotText(choice.slot)), {}, 0, {}, {}};
            if (choice.nameTaken) {
                place.actions = {fixedText(kReplaceAction), codec_.shown(keepBothAction(choice.freeName)),
                                 fixedText(kSkipAction)};
                place.defaultAction = kKeepBothByDefault;
            } else {
                place.actions = {fixedText(kAddAction), fixedText(kSkipAction)};
            }
            std::size_t errors = 0;
            for (const check::Finding& finding : check::checkPlannedSet(set, choice.slot)) {
                errors += finding.severity == check::Severity::Error ? 1 : 0;
                if (!place.findings.empty()) place.findings += U'\n';
                place.findings += codec_.shown(check::findingLine(finding));
            }
            const std::size_t lines =
                place.findings.empty()
                    ? 0
                    : 1 + static_cast<std::size_t>(std::count(place.findings.begin(), place.findings.end(), U'\n'));
            place.findingsSummary = fixedText(findingsSummaryText(errors, lines - errors));
            row.places.push_back(std::move(place));
        }
        dialog.rows.push_back(std::move(row));
    }
    return dialog;
}

// The lists offer what the library holds now, their texts kept; a list that
// names a set just replaced shows the new one's pictures.
void MainWindowPresenter::offerNewSets(const std::vector<std::size_t>& replacedIn,
                                       const std::vector<std::string>& replaced, std::vector<std::string>& messages) {
    ConfinedHost library(host_, strings_.configBase);
    SlotEntries entries = scanCatalogue(library, strings_.configBase);
    SlotTexts refreshed;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        setEntries(slot, std::move(entries[slot]));
        markEntryOfText(slot);
        const std::size_t folderSlot = slotOfFolder(std::string(kSlots[slot].folder));
        for (std::size_t i = 0; i < replaced.size(); ++i)
            if (replacedIn[i] == folderSlot && sameAsciiIgnoringCase(listBytes(slot), replaced[i]))
                refreshed[slot] = listBytes(slot);
    }
    const PreviewsLoad previews = loadChosenPreviews(library, strings_.configBase, refreshed, areas_);
    showPictures(previews.pictures);
    for (const PreviewFailure& failure : previews.failures) messages.push_back(previewFailureMessage(failure));
}

}  // namespace modsetup::front
