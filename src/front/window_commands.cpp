// The presenter's window menu: restoring the game folder to a restore point,
// and saving and loading choices (window_menu.h).
#include "core/config.h"
#include "core/confined_host.h"
#include "core/load_sequence.h"
#include "core/messages.h"
#include "front/busy_cursor.h"
#include "front/keys.h"
#include "front/main_window_presenter.h"

namespace modsetup::front {

std::vector<MenuItem> MainWindowPresenter::menuItems() {
    const RestoreOffer offer = offeredRestores(host_, strings_.configBase, strings_.modName);
    restoreFolderDamaged_ = offer.damaged;
    return {
        {WindowCommand::RestoreLast, fixedText(kRestoreLastCommand), offer.last},
        {WindowCommand::RestoreOriginal, fixedText(kRestoreOriginalCommand), offer.original},
        {WindowCommand::SaveChoices, fixedText(kSaveChoicesCommand), true},
        {WindowCommand::LoadChoices, fixedText(kLoadChoicesCommand), true},
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
    if (const std::optional<WindowCommand> command = view_.showMenu(items, at)) runCommand(*command);
}

void MainWindowPresenter::runCommand(WindowCommand command) {
    switch (command) {
    case WindowCommand::RestoreLast: return restoreTo(RestorePoint::Last);
    case WindowCommand::RestoreOriginal: return restoreTo(RestorePoint::Original);
    case WindowCommand::SaveChoices: return saveChoices();
    case WindowCommand::LoadChoices: return loadChoices();
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
    const std::optional<std::string> path = view_.askForFile({true, fixedText(kSaveChoicesTitle)});
    if (!path) return;
    // The dialog's path is the user's own: used as it is, not matched as the program's are.
    LineFile handle(host_.usersOwnPaths());
    const Status saved = writeChoicesFile(handle, *path, slotTexts(), view_.checkBoxTicked());
    if (!saved.ok()) report({choicesNotSavedMessage(*path, saved.failure().systemText)});
}

void MainWindowPresenter::loadChoices() {
    const std::optional<std::string> path = view_.askForFile({false, fixedText(kLoadChoicesTitle)});
    if (!path) return;
    const ChoicesFile file = readChoicesFile(host_.usersOwnPaths(), *path);
    if (!file.choices) return report({choicesNotLoadedMessage(*path, file.refusal)});
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        setProgramText(slot, file.choices->texts[slot]);
        markEntryOfText(slot);
    }
    view_.setCheckBoxTicked(file.choices->ticksBox);
    ConfinedHost library(host_, strings_.configBase);
    const PreviewsLoad previews = loadChosenPreviews(library, strings_.configBase, file.choices->texts, areas_);
    showPictures(previews.pictures);
    if (!previews.errors.empty()) report(previews.errors);
}

}  // namespace modsetup::front
