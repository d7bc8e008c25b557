#pragma once
// The main window in Win32: every control of the layout, drawn by the
// system's controls (lists, buttons, the check box and the group box) or by
// the window itself (pictures and labels), laid out at the window's own
// pixels per inch and again when it moves to a monitor of another scaling.
// It forwards the user's events and keys to the presenter and carries out
// what the presenter asks (MainWindowView); every decision is the
// presenter's. Screen readers meet it through window_accessible.h.

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/audio/audio.h"
#include "core/game/slots.h"
#include "core/io/host.h"
#include "front/layout.h"
#include "front/main_window_presenter.h"
#include "front/main_window_view.h"
#include "front/shown_text.h"
#include "win32/error_report.h"
#include "win32/label_view.h"
#include "win32/picture_view.h"
#include "win32/slot_list.h"
#include "win32/win32_api.h"
#include "win32/window_accessible.h"

#include <commctrl.h>
#include <shellapi.h>

namespace modsetup::win32 {

struct MainWindowProbe;  // the tests' view of the window's parts

class MainWindow final : public front::MainWindowView, private SlotListEvents, private AccessibleControls {
public:
    // Creates the window (not shown yet) from its layout and runs the load
    // sequence once. report shows every error the user sees; audio plays the
    // shots.
    MainWindow(Host& host, Audio& audio, ErrorReport report);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Shows the window; closing it afterwards ends the message loop.
    void show(int showCommand = SW_SHOWDEFAULT);
    // A message of the loop, before any other handling: the window's keys
    // (front/keys.h) go to the presenter, and Alt shows the access keys while
    // it is held. Returns whether the message is done with.
    bool forwardKey(const MSG& message);
    // The window; null once it has been closed.
    HWND handle() const { return window_; }
    // The controls by the number in their name.
    const PictureView& image(int number) const { return images_.at(static_cast<std::size_t>(number - 1)); }
    const LabelView& label(int number) const { return labels_.at(static_cast<std::size_t>(number - 1)); }
    HWND button(int number) const { return buttons_.at(static_cast<std::size_t>(number - 1)); }

    // MainWindowView
    double layoutScale() const override { return scale_; }
    void setOuterSize(front::OuterSize size) override;
    void setTitle(const front::ShownText& title) override;
    WindowHandle nativeWindow() const override { return reinterpret_cast<WindowHandle>(window_); }
    void closeWindow() override;
    void setListEntries(std::size_t slot, const std::vector<front::ShownText>& entries) override;
    front::ListEdit listEdit(std::size_t slot) const override;
    void setListEdit(std::size_t slot, const front::ListEdit& edit) override;
    void setListCurrentEntry(std::size_t slot, int entry) override;
    bool listHasFocus(std::size_t slot) const override { return lists_.at(slot)->hasFocus(); }
    void showPicture(int number, const Picture& picture) override;
    bool checkBoxTicked() const override;
    void setCheckBoxTicked(bool ticked) override;
    void setConfirmationShown(bool shown) override;
    void showBusy(bool busy) override;
    void showError(const front::ShownText& caption, const front::ShownText& text) override;
    void clickControl(std::size_t row) override;
    void showListTooltip(std::size_t slot, const front::ShownText& text) override;
    void announceListChange(std::size_t slot, const front::ListAnnouncement& announcement) override;
    std::optional<front::WindowCommand> showMenu(const std::vector<front::MenuItem>& items,
                                                 const front::MenuOpening& opening) override;
    std::optional<std::string> askForFile(const front::FileQuestion& question) override;
    bool askYesNo(const front::ShownText& caption, const front::ShownText& question) override;
    void showLines(const front::ShownText& title, const std::vector<front::ShownText>& lines) override;
    front::ShownText clipboardText() const override;
    void setClipboardText(const front::ShownText& text) override;
    void runWithProgress(const front::ProgressShown& shown, const front::BackgroundWork& work) override;
    front::ImportAnswer askImport(const front::ImportDialog& dialog) override;

private:
    friend struct MainWindowProbe;

    // SlotListEvents: straight to the presenter. A tooltip showing while the
    // text changes would tell of the set named before: it goes, as a Qt
    // tooltip goes at a keystroke.
    void listTyped(std::size_t slot, char32_t typed) override { popTooltip(), presenter_->listTyped(slot, typed); }
    void listBackspace(std::size_t slot) override { popTooltip(), presenter_->listBackspace(slot); }
    void listPicked(std::size_t slot, int entry, front::PickedFrom from) override {
        popTooltip(), presenter_->listPicked(slot, entry, from);
    }
    void listEdited(std::size_t slot) override { popTooltip(), presenter_->listEdited(slot); }
    bool listTakesWheel(std::size_t slot) override { return presenter_->listTakesWheel(slot); }
    std::string listDescription(std::size_t slot) override { return codec_.bytes(presenter_->listTooltip(slot)); }

    // AccessibleControls
    HWND controlWindow(std::size_t row) const override;
    RECT drawnBounds(std::size_t row) const override;
    bool drawnShown(std::size_t row) const override;
    void pressPicture(std::size_t row) override;

    // Control ids: the layout row plus this; clear of IDOK and IDCANCEL, which
    // the dialog keys (Enter, Escape) send to the window.
    static constexpr int kFirstControlId = 100;
    // The tool of the tooltip the tooltip key shows beside a list.
    static constexpr UINT_PTR kKeyTooltipTool = 1000;
    static constexpr UINT_PTR kBackgroundTooltipTool = 1001;  // the window's background, which tells of the menu
    // The id of the window's subclass of the group box.
    static constexpr UINT_PTR kGroupBoxSubclass = 1;
    // How long a tooltip stays: long enough to read eleven lines.
    static constexpr int kTooltipShownMs = 30000;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    template <typename Owner>
    friend LRESULT forwardToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK groupBoxProc(HWND groupBox, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR window);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The window menu's entries in the system menu, made enabled or not as
    // it opens, and a system command of theirs carried out (false for others).
    void addSystemMenuEntries();
    void updateSystemMenu(HMENU menu);
    bool systemCommand(WPARAM command);
    // What the window's menu tells screen readers as it shows (menu loop messages).
    void menuMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id, WORD code);
    // A single file dropped on the window is an archive of sets to add.
    void filesDropped(HDROP drop);
    void createTooltips();
    void placeTooltips();
    void popTooltip() const;
    // The layout row of the control that has the focus; kLayout.size() for none.
    std::size_t focusedRow() const;
    // Shows or hides the access keys' underlines: the captions with their
    // markers, or as designed.
    void showAccessKeys(bool shown);
    // Buttons and the check box, for WM_GETOBJECT: named with their access keys.
    static LRESULT CALLBACK accessKeyControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR row,
                                                 DWORD_PTR window);
    // The picture drawn at a point of the window's client area (the last one
    // drawn there, as it covers the others); 0 for none.
    int pictureAt(POINT point) const;
    // The text of the tooltip the tooltip control asks for.
    const char* tooltipText(const NMTTDISPINFOA& asked);
    // A tooltip's text as the tooltip control shows it: code-page text, CR LF between lines.
    std::string tooltipLines(const front::ShownText& text) const;

    void createWindow();
    void createControls();
    // Places every control, fonts and sizes at the window's scale.
    void layOut();
    void dpiChanged(int dpi, const RECT& suggested);
    HFONT fontFor(const front::ControlStyle& style);
    int scaled(int designPixels) const { return front::scaledPixels(designPixels, scale_); }
    RECT scaledBounds(const front::ControlLayout& row) const;
    // A control's bounds in the window's client area (those in the group box moved into it).
    RECT placeOf(const front::ControlLayout& row) const;
    // Draws the pictures and labels that lie in the window or in the group box.
    void paintGraphics(HDC dc, front::ControlParent parent) const;
    void paintGroupBox(HDC dc) const;
    void invalidate(front::ControlParent parent, const RECT& bounds) const;

    ErrorReport report_;
    double scale_ = 1.0;
    const front::CodePageText codec_;
    HWND window_ = nullptr;
    HCURSOR previousCursor_ = nullptr;  // while the wait cursor shows
    bool quitOnDestroy_ = true;
    HWND focused_ = nullptr;  // the control that had the focus when the window was last deactivated

    struct Font {
        int pixels;
        bool bold;
        GdiObject<HFONT> handle;
    };
    std::vector<Font> fonts_;
    double fontScale_ = 0;  // the scale the fonts were made for
    HFONT windowFont_ = nullptr;

    std::array<std::unique_ptr<SlotList>, kSlotCount> lists_{};
    std::array<PictureView, front::kImageCount> images_{};
    std::array<LabelView, front::kLabelCount> labels_{};
    std::array<HWND, front::kButtonCount> buttons_{};
    HWND checkBox1_ = nullptr;
    HWND groupBox1_ = nullptr;
    HWND tooltips_ = nullptr;
    std::string tooltipText_;  // the text of the tooltip shown last, kept while it shows
    std::string keyTooltip_;   // the text of the tooltip the tooltip key shows, while it shows
    // The window's menu while it shows: its menu, the window the system shows
    // it in (once the menu's loop has idled), and whether its first entry is
    // made current then.
    struct ShownMenu {
        HMENU menu;
        HWND window;
        bool firstEntryCurrent;
    };
    std::optional<ShownMenu> shownMenu_;

    AccessibleHolder<WindowAccessible> accessible_;
    std::array<AccessibleHolder<NamedAccessible>, front::kLayout.size()> controlAccessibles_;
    bool accessKeysShown_ = false;

    std::unique_ptr<front::MainWindowPresenter> presenter_;
};

}  // namespace modsetup::win32
