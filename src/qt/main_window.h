#pragma once
// The main window in Qt: every control of the layout, drawn by Qt. It
// forwards the user's events to the presenter and carries out what the
// presenter asks (MainWindowView); every decision is the presenter's.

#include <QSize>
#include <QWidget>

#include <array>
#include <cstddef>
#include <memory>

#include "core/audio/audio.h"
#include "core/game/slots.h"
#include "core/io/host.h"
#include "front/main_window_presenter.h"
#include "front/main_window_view.h"
#include "front/shown_text.h"
#include "qt/error_report.h"

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace modsetup::qt {

class AccessKeyStyle;
class Announcer;
class KeptTooltip;
class PictureView;
class SlotList;

class MainWindow : public QWidget, public front::MainWindowView {
    Q_OBJECT

public:
    // Creates the window from its layout and runs the load sequence once,
    // before the window is shown. report shows every error the user sees;
    // audio plays the shots.
    MainWindow(Host& host, Audio& audio, ErrorReport report, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The controls by the number in their name; each control's object name is
    // its designed name ("ComboBox3").
    PictureView* image(int number) const { return images_.at(static_cast<std::size_t>(number - 1)); }
    QLabel* label(int number) const { return labels_.at(static_cast<std::size_t>(number - 1)); }
    QPushButton* button(int number) const { return buttons_.at(static_cast<std::size_t>(number - 1)); }

    // MainWindowView
    double layoutScale() const override { return scale_; }
    void setOuterSize(front::OuterSize size) override;
    void setTitle(const front::ShownText& title) override;
    WindowHandle nativeWindow() const override;
    void closeWindow() override { close(); }
    void setListEntries(std::size_t slot, const std::vector<front::ShownText>& entries) override;
    front::ListEdit listEdit(std::size_t slot) const override;
    void setListEdit(std::size_t slot, const front::ListEdit& edit) override;
    void setListCurrentEntry(std::size_t slot, int entry) override;
    bool listHasFocus(std::size_t slot) const override;
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

protected:
    // The background's tooltip, and its menu on a right-click.
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A single local file dropped on the window is an archive of sets to add.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Shows the presenter's tooltip of a list or a picture, forwards the
    // window's keys to the presenter and shows the access keys while Alt is held.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    // Places and sizes every control, and sets the fonts, at the window's scale.
    void placeControls();
    void connectControls();
    // On a screen of another scale the window lays itself out again.
    void followScreen();
    int scaled(int designPixels) const { return front::scaledPixels(designPixels, scale_); }
    void fitOuterSize();
    void placeOnScreen();
    bool forwardKey(QObject* control, const QKeyEvent& key);
    void setAltHeld(bool held);
    void showTooltip(QWidget* control, QPoint at, const front::ShownText& text);

    ErrorReport report_;
    double scale_ = 1.0;
    const front::Utf8OrLatin1Text codec_;
    std::unique_ptr<front::MainWindowPresenter> presenter_;

    // Outer size asked for, and the frame it was computed with: the window
    // system frames a shown window only later, and then the size is fitted again.
    QSize outerTarget_;
    QSize fittedFrame_;
    bool frameUnknown_ = true;
    bool shown_ = false;  // shown once: placed on the screen, following its screen

    std::array<SlotList*, kSlotCount> lists_{};
    std::array<PictureView*, front::kImageCount> images_{};
    std::array<QLabel*, front::kLabelCount> labels_{};
    std::array<QPushButton*, front::kButtonCount> buttons_{};
    QCheckBox* checkBox1_ = nullptr;
    QGroupBox* groupBox1_ = nullptr;
    AccessKeyStyle* accessKeyStyle_ = nullptr;  // of the buttons and the check box
    Announcer* announcer_ = nullptr;            // speaks what a pick changed
    KeptTooltip* keptTooltip_ = nullptr;        // keeps the tooltip the tooltip key showed
};

}  // namespace modsetup::qt
