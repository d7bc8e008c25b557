// The presenter's window menu: restoring the game folder to a restore point,
// saving and loading choices, showing what Apply will change, and the
// choices as text on the clipboard (window_menu.h).
#include "core/install/apply_plan.h"
#include "core/io/confined_host.h"
#include "core/library/config.h"
#include "core/library/load_sequence.h"
#include "core/report/messages.h"
#include "front/apply_plan_lines.h"
#include "front/busy_cursor.h"
#include "front/choices_text.h"
#include "front/keys.h"
#include "front/main_window_presenter.h"
#include "front/messages.h"

namespace modsetup::front {
namespace {

// Saved choices are ini files, as the selections file is.
FileQuestion choicesQuestion(bool save, std::string_view title) {
    return {save, fixedText(title), {{fixedText(kChoicesFileKind), "*.ini"}, {fixedText(kAllFilesKind), "*"}}, "ini"};
}

}  // namespace

std::vector<MenuItem> MainWindowPresenter::menuItems() {
    const RestoreOffer offer = offeredRestores(host_, strings_.configBase, strings_.modName);
    restoreFolderDamaged_ = offer.damaged;
    return {
        {WindowCommand::RestoreLast, fixedText(kRestoreLastCommand), offer.last},
        {WindowCommand::RestoreOriginal, fixedText(kRestoreOriginalCommand), offer.original},
        {WindowCommand::SaveChoices, fixedText(kSaveChoicesCommand), true},
        {WindowCommand::LoadChoices, fixedText(kLoadChoicesCommand), true},
        {WindowCommand::ShowApplyPlan, fixedText(kShowPlanCommand), true},
        {WindowCommand::CopyChoices, fixedText(kCopyChoicesCommand), true},
        {WindowCommand::PasteChoices, fixedText(kPasteChoicesCommand), true},
        {WindowCommand::AddFromArchive, fixedText(kAddFromArchiveCommand), true},
    };
}

void MainWindowPresenter::backgroundRightClicked(MenuPoint at) { openMenu(at); }

ShownText MainWindowPresenter::backgroundTooltip() const { return fixedText(menuHintText(kMenuKeyName)); }

void MainWindowPresenter::openMenu(std::optional<MenuPoint> at) {
    const std::vector<MenuItem> items = menuItems();
    if (restoreFolderDamaged_ && !restoreDamageReported_) {
        restoreDamageReported_ = true;
        report({restoreFolderDamagedMessage(restoreFolderPath(strings_.configBase))});
    }
    // Opened by a key, its first entry is current: a screen reader names the
    // menu and that entry as it opens.
    const MenuOpening opening{at, !at.has_value(), fixedText(kMenuName)};
    if (const std::optional<WindowCommand> command = view_.showMenu(items, opening)) runCommand(*command);
}

void MainWindowPresenter::runCommand(WindowCommand command) {
    switch (command) {
    case WindowCommand::RestoreLast: return restoreTo(RestorePoint::Last);
    case WindowCommand::RestoreOriginal: return restoreTo(RestorePoint::Original);
    case WindowCommand::SaveChoices: return saveChoices();
    case WindowCommand::LoadChoices: return loadChoices();
    case WindowCommand::ShowApplyPlan: return showApplyPlan();
    case WindowCommand::CopyChoices: return copyChoices();
    case WindowCommand::PasteChoices: return pasteChoices();
    case WindowCommand::AddFromArchive: return askForArchive();
    }
}

void MainWindowPresenter::restoreTo(RestorePoint point) {
    const RestorePlan plan = planRestore(host_, strings_.configBase, strings_.modName, point);
    if (!plan.found) return report({noRestorePointMessage()});
    const std::string question =
        point == RestorePoint::Last ? restoreLastQuestion(plan.files) : restoreOriginalQuestion(plan.files);
    if (!view_.askYesNo(shownTitle(), codec_.shown(question))) return;
    std::optional<BusyCursor> busy(std::in_place, view_);
    const RestoreOutcome outcome = restore(host_, strings_.configBase, strings_.modName, point);
    busy.reset();
    std::vector<std::string> messages;
    if (!outcome.found) messages.push_back(noRestorePointMessage());
    else if (!outcome.failed.empty()) messages.push_back(restoreFailuresMessage(outcome.failed));
    // The game folder is no longer as the last Apply left it.
    if (outcome.found) view_.setConfirmationShown(false);
    loadWindow(std::move(messages));
}

void MainWindowPresenter::saveChoices() {
    const std::optional<std::string> path = view_.askForFile(choicesQuestion(true, kSaveChoicesTitle));
    if (!path) return;
    // The dialog's path is the user's own: used as it is, not matched as the program's are.
    LineFile handle(host_.usersOwnPaths());
    const Status saved = writeChoicesFile(handle, *path, slotTexts(), view_.checkBoxTicked());
    if (!saved.ok()) report({choicesNotSavedMessage(*path, saved.failure().systemText)});
}

void MainWindowPresenter::loadChoices() {
    const std::optional<std::string> path = view_.askForFile(choicesQuestion(false, kLoadChoicesTitle));
    if (!path) return;
    const ChoicesFile file = readChoicesFile(host_.usersOwnPaths(), *path);
    if (!file.choices) return report({choicesNotLoadedMessage(*path, choicesRefusalText(file.refusal))});
    takeChoices(*file.choices);
}

void MainWindowPresenter::takeChoices(const SavedSelections& choices) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        setProgramText(slot, choices.texts[slot]);
        markEntryOfText(slot);
    }
    view_.setCheckBoxTicked(choices.ticksBox);
    ConfinedHost library(host_, strings_.configBase);
    const PreviewsLoad previews = loadChosenPreviews(library, strings_.configBase, choices.texts, areas_);
    showPictures(previews.pictures);
    std::vector<std::string> messages;
    for (const PreviewFailure& failure : previews.failures) messages.push_back(previewFailureMessage(failure));
    if (!messages.empty()) report(messages);
}

void MainWindowPresenter::showApplyPlan() {
    std::optional<BusyCursor> busy(std::in_place, view_);
    const SlotTexts texts = slotTexts();
    const ApplyPlan plan = planApply(host_, strings_, texts, view_.checkBoxTicked());
    busy.reset();
    view_.showLines(fixedText(kPlanTitle), applyPlanLines(plan, texts, codec_));
}

void MainWindowPresenter::copyChoices() {
    const std::optional<ShownText> text = choicesAsText(slotTexts(), view_.checkBoxTicked(), codec_);
    if (!text) return report({std::string(kChoicesNotCopied)});
    view_.setClipboardText(*text);
}

void MainWindowPresenter::pasteChoices() {
    const ChoicesFile pasted = choicesFromText(view_.clipboardText(), codec_);
    if (!pasted.choices) {
        const bool noList = pasted.refusal.kind == ChoicesRefusal::Kind::None;
        return report({clipboardNotChoicesMessage(noList ? std::string(kNoChoicesOnClipboard)
                                                         : choicesRefusalText(pasted.refusal))});
    }
    // The sets it names, and which of them this library lacks.
    ConfinedHost library(host_, strings_.configBase);
    const std::vector<MissingSet> missing = missingSets(library, strings_.configBase, pasted.choices->texts);
    std::string question;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        question += std::string(kListNames[slot]) + ": " + pasted.choices->texts[slot];
        for (const MissingSet& set : missing)
            if (set.slot == slot) question += kNotInLibrary;
        question += '\n';
    }
    question += std::string(kBoxLineName) + ": " + std::string(pasted.choices->ticksBox ? kYes : kNo) + "\n\n";
    question += kPasteQuestionEnd;
    if (view_.askYesNo(shownTitle(), codec_.shown(question))) takeChoices(*pasted.choices);
}

}  // namespace modsetup::front
