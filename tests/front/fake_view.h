#pragma once
// A window for the presenter tests: it records what the presenter asks of it
// and plays the user's part (picking, typing, clicking) the way a real window
// forwards those events.

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/game/slots.h"
#include "front/main_window_presenter.h"
#include "front/main_window_view.h"
#include "shown_text_support.h"

namespace modsetup::front {

class FakeView final : public MainWindowView {
public:
    struct Report {
        std::string caption;  // as UTF-8
        std::string text;
    };

    // Window
    double scale = 1.0;
    std::vector<OuterSize> outerSizes;  // every size set, in order
    std::string title;                  // as UTF-8
    bool closed = false;
    WindowHandle handle = 0x1234;

    // Controls
    std::array<std::vector<ShownText>, kSlotCount> entries{};
    std::array<ListEdit, kSlotCount> edits{};
    std::array<int, kSlotCount> currentEntries = [] {
        std::array<int, kSlotCount> none{};
        none.fill(-1);
        return none;
    }();
    std::array<std::optional<Picture>, kImageCount> pictures{};
    std::array<int, kImageCount> pictureLoads{};  // how often each picture was replaced
    bool ticked = false;
    bool confirmationShown = false;  // Label19 is hidden at start
    std::vector<Report> reports;
    // The wait cursor shown and hidden, the confirmation shown, a report, in order.
    std::vector<std::string> events;
    std::vector<std::string> clicked;                                // names of the controls clicked by key
    std::vector<std::pair<std::size_t, std::string>> tooltipsShown;  // slot and text, by key

    double layoutScale() const override { return scale; }
    void setOuterSize(OuterSize size) override { outerSizes.push_back(size); }
    void setTitle(const ShownText& text) override { title = utf8(text); }
    WindowHandle nativeWindow() const override { return handle; }
    void closeWindow() override { closed = true; }
    void setListEntries(std::size_t slot, const std::vector<ShownText>& list) override { entries.at(slot) = list; }
    ListEdit listEdit(std::size_t slot) const override { return edits.at(slot); }
    void setListEdit(std::size_t slot, const ListEdit& edit) override { edits.at(slot) = edit; }
    void setListCurrentEntry(std::size_t slot, int entry) override { currentEntries.at(slot) = entry; }
    std::optional<std::size_t> focusedList;  // the slot whose list has the focus
    bool listHasFocus(std::size_t slot) const override { return focusedList == slot; }
    void showPicture(int image, const Picture& picture) override {
        pictures.at(static_cast<std::size_t>(image - 1)) = picture;
        ++pictureLoads.at(static_cast<std::size_t>(image - 1));
    }
    bool checkBoxTicked() const override { return ticked; }
    void setCheckBoxTicked(bool tick) override { ticked = tick; }
    void setConfirmationShown(bool shown) override {
        confirmationShown = shown;
        if (shown) events.push_back("confirmation");
    }
    void showBusy(bool busy) override { events.push_back(busy ? "busy" : "idle"); }
    // The questions asked, as "caption: question", each answered with questionAnswer.
    std::vector<std::string> questions;
    bool questionAnswer = true;
    bool askYesNo(const ShownText& caption, const ShownText& question) override {
        questions.push_back(utf8(caption) + ": " + utf8(question));
        events.push_back("question");
        return questionAnswer;
    }
    // The lines dialogs shown, each "title" then its lines, as UTF-8; the clipboard.
    std::vector<std::vector<std::string>> linesShown;
    ShownText clipboard;
    void showLines(const ShownText& title, const std::vector<ShownText>& lines) override {
        linesShown.push_back({utf8(title)});
        for (const ShownText& line : lines) linesShown.back().push_back(utf8(line));
    }
    ShownText clipboardText() const override { return clipboard; }
    void setClipboardText(const ShownText& text) override { clipboard = text; }
    void showError(const ShownText& caption, const ShownText& text) override {
        reports.push_back({utf8(caption), utf8(text)});
        events.push_back("report");
    }
    void clickControl(std::size_t row) override { clicked.emplace_back(kLayout.at(row).name); }
    void showListTooltip(std::size_t slot, const ShownText& text) override {
        tooltipsShown.emplace_back(slot, utf8(text));
    }
    // Every announcement: "<slot>: <set> | <statistics>", as UTF-8.
    std::vector<std::string> announcements;
    void announceListChange(std::size_t slot, const ListAnnouncement& announcement) override {
        announcements.push_back(std::to_string(slot) + ": " + utf8(announcement.set) + " | " +
                                utf8(announcement.statistics));
    }
    // The menu: each shown is kept (its entries as "caption" or "(caption)"
    // when not available, and how it opened) and answered with menuChoice.
    std::vector<std::vector<std::string>> menusShown;
    std::vector<MenuOpening> menuOpenings;
    std::optional<WindowCommand> menuChoice;
    std::optional<std::string> fileAnswer;   // the path the file dialog gives; none: cancelled
    std::vector<std::string> fileQuestions;  // "save <title>" or "open <title>"
    std::optional<WindowCommand> showMenu(const std::vector<MenuItem>& items, const MenuOpening& opening) override {
        menuOpenings.push_back(opening);
        std::vector<std::string> shownItems;
        for (const MenuItem& item : items)
            shownItems.push_back(item.enabled ? utf8(item.caption) : std::string("(").append(utf8(item.caption)) + ")");
        menusShown.push_back(std::move(shownItems));
        return menuChoice;
    }
    std::optional<std::string> askForFile(const FileQuestion& question) override {
        fileQuestions.push_back((question.save ? "save " : "open ") + utf8(question.title));
        return fileAnswer;
    }
    // Long work runs inline. Each progress window is kept as its text; from
    // the one numbered cancelFrom on, Cancel is pressed before the work starts.
    std::vector<std::string> progressShown;
    std::size_t cancelFrom = SIZE_MAX;
    void runWithProgress(const ProgressShown& shown, const BackgroundWork& work) override {
        const std::atomic<bool> cancel = progressShown.size() >= cancelFrom;
        progressShown.push_back(utf8(shown.text));
        work([](std::uint64_t, std::uint64_t) {}, cancel);
    }
    // The import dialogs shown, each answered with importAnswer (none: Cancel).
    std::vector<ImportDialog> importDialogs;
    ImportAnswer importAnswer;
    ImportAnswer askImport(const ImportDialog& dialog) override {
        importDialogs.push_back(dialog);
        return importAnswer;
    }

    // What a list shows, as UTF-8.
    std::string text(std::size_t slot) const { return utf8(edits.at(slot).text); }
    std::vector<std::string> entryNames(std::size_t slot) const {
        std::vector<std::string> names;
        for (const ShownText& entry : entries.at(slot)) names.push_back(utf8(entry));
        return names;
    }
    const std::optional<Picture>& picture(int image) const { return pictures.at(static_cast<std::size_t>(image - 1)); }

    // The user's part, forwarded as a window does. A pick makes the entry
    // current; what the text becomes is the presenter's.
    void pick(MainWindowPresenter& presenter, std::size_t slot, int entry, PickedFrom from = PickedFrom::DropDown) {
        currentEntries.at(slot) = entry;
        presenter.listPicked(slot, entry, from);
    }
    // Types UTF-8 text; '\b' is Backspace.
    void type(MainWindowPresenter& presenter, std::size_t slot, const std::string& keys) {
        for (char32_t key : shown(keys)) {
            if (key == U'\b') presenter.listBackspace(slot);
            else presenter.listTyped(slot, key);
        }
    }
    // Selects the whole text, as before typing over it.
    void selectAll(std::size_t slot) {
        edits.at(slot).selectionStart = 0, edits.at(slot).selectionLength = edits.at(slot).text.size();
    }
};

}  // namespace modsetup::front
