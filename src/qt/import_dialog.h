#pragma once
// The dialog of an archive's sets in Qt (front/import_dialog.h): the list of
// sets, below it the slot and the action of the set current and its
// findings, and Add and Cancel. Every control bears the name the presenter
// gives; Tab moves between them, the arrow keys through the list and the
// drop-downs, Return adds, Escape cancels.

#include <QDialog>

#include <vector>

#include "front/import_dialog.h"

class QComboBox;
class QPlainTextEdit;
class QTreeWidget;

namespace modsetup::qt {

class ImportDialog final : public QDialog {
    Q_OBJECT

public:
    ImportDialog(QWidget* owner, const front::ImportDialog& dialog);
    const std::vector<front::ImportChoice>& choices() const { return choices_; }

    // The controls, by their object names: "sets", "slot", "action", "findings".
    QTreeWidget* list() const { return list_; }
    QComboBox* places() const { return places_; }
    QComboBox* actions() const { return actions_; }

private:
    void showRow(int row);
    void placeChosen(int index);
    void actionChosen(int index);
    void showChoiceInList(int row);

    const front::ImportDialog& dialog_;
    std::vector<front::ImportChoice> choices_;
    QTreeWidget* list_;
    QComboBox* places_;
    QComboBox* actions_;
    QPlainTextEdit* findings_;
    bool filling_ = false;  // the drop-downs are being filled, not chosen from
};

// Shows the dialog modally; the choices, or none when cancelled.
front::ImportAnswer askImportDialog(QWidget* owner, const front::ImportDialog& dialog);

}  // namespace modsetup::qt
