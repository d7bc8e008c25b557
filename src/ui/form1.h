#pragma once
// The main window Form1: every control of the layout and the handlers they are
// wired to. The handlers are thin: the file work is the core's, the window
// shows its outcome and sends every failure through one error report.

#include <QSize>
#include <QWidget>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/config.h"
#include "core/line_file.h"
#include "core/platform/host.h"
#include "core/slots.h"
#include "ui/error_report.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace modsetup::ui {

class PictureView;
class SlotList;

inline constexpr int kImageCount = 41;
inline constexpr int kLabelCount = 19;
inline constexpr int kButtonCount = 4;

class TForm1 : public QWidget {
    Q_OBJECT

public:
    // Creates the window from its layout and runs the load sequence once,
    // before the window is shown. report receives every error the user sees.
    TForm1(Host& host, ErrorReport report, QWidget* parent = nullptr);
    ~TForm1() override;

    // The load sequence, at creation and on Undo (Button2).
    void FormCreate();

    // The change handler of a slot's list: shows the previews of the set named
    // by its text. slot is the index into the slot table.
    void ComboBoxChange(std::size_t slot);
    void ComboBox1Change() { ComboBoxChange(kPrimary1); }
    void ComboBox2Change() { ComboBoxChange(kPrimary2); }
    void ComboBox3Change() { ComboBoxChange(kPrimary3); }
    void ComboBox4Change() { ComboBoxChange(kPrimary4); }
    void ComboBox5Change() { ComboBoxChange(kPrimary5); }
    void ComboBox6Change() { ComboBoxChange(kPrimary6); }
    void ComboBox7Change() { ComboBoxChange(kPrimary7); }
    void ComboBox8Change() { ComboBoxChange(kPrimary8); }
    void ComboBox9Change() { ComboBoxChange(kPrimary9); }
    void ComboBox10Change() { ComboBoxChange(kPrimary10); }
    void ComboBox11Change() { ComboBoxChange(kSecondary1); }
    void ComboBox12Change() { ComboBoxChange(kSecondary2); }
    void ComboBox13Change() { ComboBoxChange(kSecondary3); }
    void ComboBox14Change() { ComboBoxChange(kSecondary4); }
    void ComboBox15Change() { ComboBoxChange(kTeamAlpha); }
    void ComboBox16Change() { ComboBoxChange(kTeamBravo); }

    void Button1Click();  // Apply
    void Button3Click();  // Close
    void Button4Click();  // Play

    // The controls, by slot index or by the number in their name.
    SlotList* comboBox(std::size_t slot) const { return lists_.at(slot); }
    PictureView* image(int number) const { return images_.at(static_cast<std::size_t>(number - 1)); }
    QLabel* label(int number) const { return labels_.at(static_cast<std::size_t>(number - 1)); }
    QPushButton* button(int number) const { return buttons_.at(static_cast<std::size_t>(number - 1)); }
    QCheckBox* checkBox1() const { return checkBox1_; }
    QGroupBox* groupBox1() const { return groupBox1_; }

    const ProcessStrings& processStrings() const { return strings_; }
    // Positions, sizes and fonts of the layout are multiplied by this.
    double layoutScale() const { return scale_; }
    int scaled(int designPixels) const;
    // The window's outer size as the load sequence sets it.
    QSize computedOuterSize() const;

protected:
    bool event(QEvent* event) override;

private:
    void createControls();
    void sizeWindow();
    void fitOuterSize();
    SlotTexts slotTexts() const;
    void reportErrors(const std::vector<std::string>& messages);

    Host& host_;
    ErrorReport report_;
    LineFile shared_;  // the load sequence, Play, and every file Apply writes
    LineFile input_;   // Apply's reading of the sets' files
    ProcessStrings strings_;
    double scale_ = 1.0;

    // Outer size asked for, and the frame it was computed with: the window
    // system frames a shown window only later, and then the size is fitted again.
    QSize outerTarget_;
    QSize fittedFrame_;
    bool frameUnknown_ = true;

    std::array<SlotList*, kSlotCount> lists_{};
    std::array<PictureView*, kImageCount> images_{};
    std::array<QLabel*, kLabelCount> labels_{};
    std::array<QPushButton*, kButtonCount> buttons_{};
    QCheckBox* checkBox1_ = nullptr;
    QGroupBox* groupBox1_ = nullptr;
};

}  // namespace modsetup::ui
