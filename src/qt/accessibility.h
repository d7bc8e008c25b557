#pragma once
// The Qt window's controls as assistive technology meets them, where Qt's
// own presentation is not what the window means: a slot list named by its
// slot and described by its tooltip (Qt names an editable combo box on Linux
// by its text alone), its edit field heard of only while the user edits it
// (SlotList::editsTold), a picture that plays a shot as a button, the
// pictures that do nothing left out, and the confirmation as a notification,
// which screen readers announce when it appears. The names are the layout's
// (front/accessibility.h), set as each control's accessible name.

#include <QLabel>

namespace modsetup::qt {

// The confirmation label: a label that assistive technology announces when
// it is shown.
class AnnouncedLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;
};

// What the window announces beyond its controls (a list's new set and its
// statistics): a status line that nobody sees, whose message screen readers
// speak as it appears (as a status line's, without calling it a
// notification).
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);
    // Has screen readers speak text, then detail.
    void announce(const QString& text, const QString& detail);
    QString text() const { return text_; }
    QString detail() const { return detail_; }

private:
    QWidget* message_;
    QString text_;
    QString detail_;
};

// Has screen readers present the tooltip showing now, as they present one
// that appears (Qt tells them only of its text).
void presentShownTooltip();

// Puts the window's own presentations in place of Qt's; once is enough, more
// do no harm.
void installAccessibleControls();

}  // namespace modsetup::qt
