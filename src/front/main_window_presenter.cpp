#include "front/main_window_presenter.h"

#include <algorithm>

#include "core/base/escaping.h"
#include "core/install/apply.h"
#include "core/install/launcher.h"
#include "core/install/weapon_names.h"
#include "core/install/weapon_stats.h"
#include "core/io/confined_host.h"
#include "core/library/load_sequence.h"
#include "core/library/weapon_shot.h"
#include "core/report/messages.h"
#include "front/accessibility.h"
#include "front/busy_cursor.h"
#include "front/typing.h"
#include "front/weapon_tooltip.h"

namespace modsetup::front {
namespace {

bool sameIgnoringCase(const ShownText& a, const ShownText& b, const TextCodec& codec) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&codec](char32_t x, char32_t y) { return codec.fold(x) == codec.fold(y); });
}

}  // namespace

MainWindowPresenter::MainWindowPresenter(Host& host, Audio& audio, MainWindowView& view, const TextCodec& codec)
    : host_(host), audio_(audio), view_(view), codec_(codec), areas_(pictureAreas()) {}

void MainWindowPresenter::windowCreated() { loadWindow({}); }

// The load sequence; messages of what ran before it lead its report.
void MainWindowPresenter::loadWindow(std::vector<std::string> messages) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) setEntries(slot, {});
    view_.setOuterSize(computedOuterSize(view_.layoutScale()));

    LoadOutcome outcome = runLoadSequence(host_, areas_);
    strings_ = std::move(outcome.strings);
    view_.setTitle(shownTitle());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) setProgramText(slot, outcome.selections.texts[slot]);
    if (outcome.selections.ticksBox) view_.setCheckBoxTicked(true);  // never unticked here
    showPictures(outcome.pictures);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        setEntries(slot, std::move(outcome.entries[slot]));
        markEntryOfText(slot);
    }

    if (!outcome.unusableFolder.empty()) messages.push_back(backslashFolderMessage(outcome.unusableFolder));
    for (const PreviewFailure& failure : outcome.previewFailures) messages.push_back(previewFailureMessage(failure));
    if (!messages.empty()) report(messages);
}

void MainWindowPresenter::listChanged(std::size_t slot) {
    ConfinedHost library(host_, strings_.configBase);
    const SlotPreviewLoad load =
        loadSlotPreviews(library, strings_.configBase, slot, listBytes(slot), PreviewOrder::Handler, areas_);
    showPictures(load.loaded);
    if (load.failure) report({previewFailureMessage(*load.failure)});
}

void MainWindowPresenter::applyPressed() {
    std::optional<BusyCursor> busy(std::in_place, view_);
    const ApplyOutcome outcome = runApply(host_, strings_, slotTexts(), [this] { return view_.checkBoxTicked(); });
    busy.reset();
    // Confirming an Apply that could not install the sets would mislead.
    view_.setConfirmationShown(outcome.succeeded());
    if (!outcome.succeeded()) report({applyFailureMessage(outcome, strings_)});
}

void MainWindowPresenter::closePressed() { view_.closeWindow(); }

void MainWindowPresenter::buttonPressed(ButtonRole role) {
    switch (role) {
    case ButtonRole::Apply: applyPressed(); break;
    case ButtonRole::Undo: undoPressed(); break;
    case ButtonRole::Close: closePressed(); break;
    case ButtonRole::Play: playPressed(); break;
    case ButtonRole::None: break;
    }
}

void MainWindowPresenter::playPressed() {
    std::optional<BusyCursor> busy(std::in_place, view_);
    const PlayOutcome outcome = runPlay(host_, strings_.configBase, strings_.modName, view_.nativeWindow());
    busy.reset();
    if (outcome.launched) {
        view_.closeWindow();
        return;
    }
    report({playFailureMessage(outcome, strings_.configBase, strings_.modName)});
}

void MainWindowPresenter::listPicked(std::size_t slot, int entry, PickedFrom from) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= lists_[slot].entries.size()) return;
    rememberEntry(slot, entry);
    view_.setListEdit(slot, editAfterPick(lists_[slot].knownText));
    // Told before the handler runs: a report it shows is the last word.
    if (from == PickedFrom::ClosedList) view_.announceListChange(slot, {lists_[slot].knownText, listTooltip(slot)});
    listChanged(slot);
}

void MainWindowPresenter::listTyped(std::size_t slot, char32_t typed) {
    SlotList& list = lists_[slot];
    const TypedCharacter outcome =
        typeCharacter(list.shownEntries, view_.listEdit(slot), typed, list.selectedEntry, codec_);
    view_.setListEdit(slot, outcome.edit);
    if (outcome.completed) {
        rememberEntry(slot, outcome.selectedEntry);
        view_.setListCurrentEntry(slot, outcome.selectedEntry);
    }
    if (outcome.runsHandler) listChanged(slot);
}

void MainWindowPresenter::listBackspace(std::size_t slot) {
    view_.setListEdit(slot, backspace(view_.listEdit(slot)));
    listChanged(slot);
}

void MainWindowPresenter::listEdited(std::size_t slot) { listChanged(slot); }

// Scrolling the window past a list must not change a choice behind the
// user's back: only the list the user is working in takes the wheel.
bool MainWindowPresenter::listTakesWheel(std::size_t slot) const { return view_.listHasFocus(slot); }

void MainWindowPresenter::pictureClicked(int image) { playShot(previewSlot(image)); }

bool MainWindowPresenter::keyPressed(const KeyPress& press) {
    if (press.key == WindowKey::AccessKey) {
        const char32_t letter =
            press.character >= U'A' && press.character <= U'Z' ? press.character - U'A' + U'a' : press.character;
        for (std::size_t row = 0; row < kLayout.size(); ++row) {
            const char key = accessKey(kLayout[row].caption);
            if (key != 0 && static_cast<char32_t>(key) == letter) {
                view_.clickControl(row);
                return true;
            }
        }
        return false;
    }
    if (press.focus >= kLayout.size()) return false;
    const ControlLayout& focus = kLayout[press.focus];
    switch (press.key) {
    case WindowKey::Return:
        // Only buttons take Return: in a list it neither picks nor changes the text.
        if (focus.kind != ControlKind::Button) return false;
        view_.clickControl(press.focus);
        return true;
    case WindowKey::ShotKey:
        if (focus.kind != ControlKind::List) return false;
        playShot(focus.slot);
        return true;
    case WindowKey::TooltipKey:
        if (focus.kind != ControlKind::List) return false;
        if (const ShownText text = listTooltip(focus.slot); !text.empty()) view_.showListTooltip(focus.slot, text);
        return true;
    case WindowKey::MenuKey: openMenu(std::nullopt); return true;
    case WindowKey::AccessKey: break;
    }
    return false;
}

void MainWindowPresenter::playShot(std::size_t slot) {
    if (slot >= kWeaponSlotCount) return;
    ConfinedHost library(host_, strings_.configBase);
    if (std::optional<std::string> shot = readShot(library, strings_.configBase, slot, listBytes(slot)))
        audio_.play(std::move(*shot));
}

ShownText MainWindowPresenter::listTooltip(std::size_t slot) {
    if (slot >= kWeaponSlotCount) return {};
    const std::string text = listBytes(slot);
    ConfinedHost library(host_, strings_.configBase);
    LineFile input(library);
    WeaponTooltipFacts facts;
    facts.name = readWeaponName(input, strings_.configBase, slot, text);
    facts.values = readSetStats(input, strings_.configBase, slot, text);
    facts.installed = readInstalledStats(input, strings_.modName, slot);
    facts.hasShot = readShot(library, strings_.configBase, slot, text).has_value();
    // Line by line, so that one file's bytes do not decide how another's are read.
    const std::string bytes = weaponTooltipText(facts, kShotKeyName, tooltipKeyHint());
    ShownText shown;
    for (std::size_t start = 0; start <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        if (start != 0) shown += U'\n';
        shown += codec_.shown(bytes.substr(start, end - start));
        start = end + 1;
    }
    return shown;
}

ShownText MainWindowPresenter::pictureTooltip(int image) { return listTooltip(previewSlot(image)); }

std::string MainWindowPresenter::listBytes(std::size_t slot) const {
    const SlotList& list = lists_[slot];
    const ShownText shown = view_.listEdit(slot).text;
    if (shown == list.knownText) return list.knownBytes;
    // A name typed out in full (or pasted) stands for the first entry it shows.
    const auto entry = std::find(list.shownEntries.begin(), list.shownEntries.end(), shown);
    if (entry != list.shownEntries.end())
        return list.entries[static_cast<std::size_t>(entry - list.shownEntries.begin())];
    // A name completed in the user's letter case whose own bytes the codec
    // would not write again (a Latin-1 name where typed text becomes UTF-8)
    // keeps them: the typed form's bytes would name no folder.
    if (sameIgnoringCase(shown, list.knownText, codec_) && codec_.bytes(list.knownText) != list.knownBytes)
        return list.knownBytes;
    return codec_.bytes(shown);
}

void MainWindowPresenter::setProgramText(std::size_t slot, const std::string& bytes) {
    SlotList& list = lists_[slot];
    list.knownBytes = bytes;
    list.knownText = codec_.shown(bytes);
    view_.setListEdit(slot, editWithCaretAtEnd(list.knownText));
}

void MainWindowPresenter::setEntries(std::size_t slot, std::vector<std::string> entries) {
    SlotList& list = lists_[slot];
    list.entries = std::move(entries);
    list.shownEntries.clear();
    for (const std::string& entry : list.entries) list.shownEntries.push_back(codec_.shown(entry));
    list.selectedEntry = -1;
    view_.setListEntries(slot, list.shownEntries);
}

// After a load the drop-down marks the entry the text names (the same bytes,
// else the first shown alike in another letter case), so the arrow keys move
// on from the set shown. The typing rule's selected entry stays none.
void MainWindowPresenter::markEntryOfText(std::size_t slot) {
    const SlotList& list = lists_[slot];
    auto entry = std::find(list.entries.begin(), list.entries.end(), list.knownBytes);
    if (entry == list.entries.end()) {
        const auto shown = std::find_if(list.shownEntries.begin(), list.shownEntries.end(), [&](const ShownText& e) {
            return sameIgnoringCase(e, list.knownText, codec_);
        });
        entry = list.entries.begin() + (shown - list.shownEntries.begin());
    }
    if (entry != list.entries.end() && !list.knownBytes.empty())
        view_.setListCurrentEntry(slot, static_cast<int>(entry - list.entries.begin()));
}

// A picked or completed entry keeps its own bytes, also where another entry
// shows the same text (a Latin-1 and a UTF-8 name that both read "é").
void MainWindowPresenter::rememberEntry(std::size_t slot, int entry) {
    SlotList& list = lists_[slot];
    list.selectedEntry = entry;
    list.knownBytes = list.entries[static_cast<std::size_t>(entry)];
    list.knownText = list.shownEntries[static_cast<std::size_t>(entry)];
}

SlotTexts MainWindowPresenter::slotTexts() const {
    SlotTexts texts;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) texts[slot] = listBytes(slot);
    return texts;
}

// Every picture is whole: each view's area is positive, and a bitmap is
// kept as far as it reaches into it.
void MainWindowPresenter::showPictures(const std::vector<LoadedPreview>& pictures) {
    for (const LoadedPreview& loaded : pictures) view_.showPicture(loaded.image, loaded.picture);
}

// Every failure of one handler in one report, one message per line. Each
// message is shown on its own, so that one name's bytes do not decide how
// another's are read.
void MainWindowPresenter::report(const std::vector<std::string>& messages) {
    ShownText text;
    for (const std::string& message : messages) {
        if (!text.empty()) text += U'\n';
        text += codec_.shown(reportText(message));
    }
    view_.showError(shownTitle(), text);
}

// mod.ini's line 1, shortened so that no mod.ini makes a title (or a report's
// caption) longer than a title bar can show or a display server accepts.
ShownText MainWindowPresenter::shownTitle() const {
    return codec_.shown(shortenedMiddle(strings_.modTitle, kMaxTitleBytes));
}

}  // namespace modsetup::front
