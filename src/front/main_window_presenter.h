#pragma once
// The main window's presenter: the load sequence and every handler of the
// window, whatever toolkit draws it. It holds the window's state (the
// process-wide strings, the lists' entries and the bytes behind their texts)
// and drives a MainWindowView; the window forwards its events here.
//
// The handlers are named for what the user did; the layout table (layout.h)
// names the designed control beside each role.

#include <array>
#include <string>
#include <vector>

#include "core/audio/audio.h"
#include "core/game/slots.h"
#include "core/import/import_plan.h"
#include "core/io/host.h"
#include "core/library/config.h"
#include "core/library/previews.h"
#include "core/restore/restore_points.h"
#include "front/keys.h"
#include "front/main_window_view.h"
#include "front/shown_text.h"
#include "front/typing.h"

namespace modsetup::front {

class MainWindowPresenter {
public:
    // Does not run the load sequence yet: the window calls windowCreated once
    // its controls exist, before it is first shown.
    MainWindowPresenter(Host& host, Audio& audio, MainWindowView& view, const TextCodec& codec);
    MainWindowPresenter(const MainWindowPresenter&) = delete;
    MainWindowPresenter& operator=(const MainWindowPresenter&) = delete;

    // The load sequence, at creation and on Undo.
    void windowCreated();

    // A slot's list changed its text: shows the previews of the set it names.
    void listChanged(std::size_t slot);

    void applyPressed();
    void undoPressed() { windowCreated(); }  // Undo is a complete reload
    void closePressed();
    void playPressed();
    // A button of the layout pressed, by its role: the views forward clicks here.
    void buttonPressed(ButtonRole role);

    // The user's events in a slot list, as the window forwards them. A pick
    // on the closed list is announced (ListAnnouncement); one from the
    // drop-down is not, as the list taking the focus back tells its set and
    // statistics.
    void listPicked(std::size_t slot, int entry, PickedFrom from);
    void listTyped(std::size_t slot, char32_t typed);  // a printable character typed
    void listBackspace(std::size_t slot);
    void listEdited(std::size_t slot);  // any other edit of the text (Delete, paste, cut)
    // Whether a turn of the mouse wheel over a list may change it: the window
    // then moves it to the next or previous entry, a pick; otherwise the list
    // leaves the wheel alone.
    bool listTakesWheel(std::size_t slot) const;

    // Hearing a set: a click on picture Image<image>, or the shot key in a
    // slot's list, plays the shot of the set that slot's list names (see
    // weapon_shot.h). A slot or set without one plays nothing, and nothing is
    // reported.
    void pictureClicked(int image);

    // The keys of keys.h, as the window forwards them: Return presses a
    // focused button, an access key the control it marks, the shot key and
    // the tooltip key act on a focused list. Returns whether the key was
    // taken; one that was not goes on to the control, except an access key,
    // which never reaches a list as typing.
    bool keyPressed(const KeyPress& press);

    // The window's menu (window_menu.h): its entries, each available or not
    // now; a right-click on the window's background opens it there, the menu
    // key by the focused control; a command chosen from it or from the
    // system menu. Opening it reads the restore folder and writes nothing;
    // the first time in a run that it finds there what the program never
    // writes, the report says so. Restoring asks first, naming how many
    // files it puts back, then loads the window again, as Undo does; loading
    // choices sets the lists and the box and shows their previews, writing
    // nothing before Apply. Showing what Apply will change writes nothing;
    // copying puts the choices on the clipboard as text (choices_text.h),
    // and pasting asks first, naming the sets and those this library lacks,
    // then sets the choices as loading does.
    std::vector<MenuItem> menuItems();
    void backgroundRightClicked(MenuPoint at);
    void runCommand(WindowCommand command);
    // Adding sets from an archive: the menu's command asks for the file, a
    // file dropped on the window is one. The archive is read with progress
    // and Cancel, its sets shown in the import dialog, and on Add written
    // into the set library all or nothing; the lists then offer them, their
    // texts kept.
    void fileDropped(const std::string& path);
    // The tooltip of the window's background, which tells of the menu.
    ShownText backgroundTooltip() const;

    // The tooltip of a slot's list and of each of its pictures, computed when
    // the window is about to show it, so typing reads nothing: the set's
    // display name and statistics beside the mod's weapons.ini now, how to
    // hear its shot and how to show the tooltip by keyboard. Empty (no
    // tooltip) for the team slots and for a picture of no slot. A list's
    // accessible description is its tooltip.
    ShownText listTooltip(std::size_t slot);
    ShownText pictureTooltip(int image);

    // The bytes a list's text stands for: those of the entry picked or
    // completed last, or of the text the program set, while the list shows
    // them (in any letter case where the codec cannot write that case in
    // their bytes); otherwise the bytes of what the user typed.
    std::string listBytes(std::size_t slot) const;

private:
    struct SlotList {
        std::vector<std::string> entries;
        std::vector<ShownText> shownEntries;
        int selectedEntry = -1;  // picked or completed last; -1 for none
        std::string knownBytes;  // the bytes the list's text stood for when last set
        ShownText knownText;     // ... and that text as shown
    };

    void loadWindow(std::vector<std::string> messages);
    void openMenu(std::optional<MenuPoint> at);
    void restoreTo(RestorePoint point);
    void saveChoices();
    void loadChoices();
    void takeChoices(const SavedSelections& choices);  // as a choices file sets them
    void showApplyPlan();
    void copyChoices();
    void pasteChoices();
    void askForArchive();
    void addFromArchive(const std::string& path);
    ImportDialog importDialog(const std::string& path, const ImportPlan& plan) const;
    void offerNewSets(const std::vector<std::size_t>& replacedIn, const std::vector<std::string>& replaced,
                      std::vector<std::string>& messages);
    void setProgramText(std::size_t slot, const std::string& bytes);
    void setEntries(std::size_t slot, std::vector<std::string> entries);
    void markEntryOfText(std::size_t slot);
    void rememberEntry(std::size_t slot, int entry);
    SlotTexts slotTexts() const;
    void showPictures(const std::vector<LoadedPreview>& pictures);
    void report(const std::vector<std::string>& messages);
    ShownText shownTitle() const;
    void playShot(std::size_t slot);

    Host& host_;
    Audio& audio_;
    MainWindowView& view_;
    const TextCodec& codec_;
    ProcessStrings strings_;
    PictureAreas areas_;
    std::array<SlotList, kSlotCount> lists_;
    bool restoreFolderDamaged_ = false;   // as the menu last found it
    bool restoreDamageReported_ = false;  // once a run
};

}  // namespace modsetup::front
