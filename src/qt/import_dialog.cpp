#include "qt/import_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace modsetup::qt {
namespace {

enum Column { SetColumn, SlotColumn, ContentsColumn, FindingsColumn, ActionColumn };

// A label's text as a screen reader names the control it labels: no access
// key mark, no colon.
QString controlName(const front::ShownText& label) {
    QString name = toQString(label).remove(QLatin1Char('&'));
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    return name;
}

}  // namespace

ImportDialog::ImportDialog(QWidget* owner, const front::ImportDialog& dialog)
    : QDialog(owner),
      dialog_(dialog),
      list_(new QTreeWidget(this)),
      places_(new QComboBox(this)),
      actions_(new QComboBox(this)),
      findings_(new QPlainTextEdit(this)) {
    setWindowTitle(toQString(dialog.title));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(toQString(dialog.heading), this);
    heading->setTextFormat(Qt::PlainText);
    heading->setWordWrap(true);
    layout->addWidget(heading);

    list_->setObjectName(QStringLiteral("sets"));
    list_->setAccessibleName(toQString(dialog.listName));
    list_->setRootIsDecorated(false);
    QStringList headings;
    for (const front::ShownText& column : dialog.columns) headings << toQString(column);
    list_->setHeaderLabels(headings);
    for (const front::ImportRow& row : dialog.rows) {
        choices_.push_back({0, row.places.front().defaultAction});
        auto* item = new QTreeWidgetItem(list_);
        item->setText(SetColumn, toQString(row.name));
        item->setText(ContentsColumn, toQString(row.contents));
        showChoiceInList(static_cast<int>(choices_.size()) - 1);
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(list_, 1);

    auto* form = new QFormLayout;
    const auto labelled = [this, form](QWidget* control, const front::ShownText& label, const char* name) {
        auto* caption = new QLabel(toQString(label), this);
        caption->setBuddy(control);
        control->setObjectName(QLatin1String(name));
        control->setAccessibleName(controlName(label));
        form->addRow(caption, control);
    };
    labelled(places_, dialog.placeLabel, "slot");
    labelled(actions_, dialog.actionLabel, "action");
    labelled(findings_, dialog.findingsLabel, "findings");
    findings_->setReadOnly(true);
    findings_->setTabChangesFocus(true);
    findings_->setMaximumHeight(fontMetrics().lineSpacing() * 6);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* add = buttons->addButton(toQString(dialog.add), QDialogButtonBox::AcceptRole);
    buttons->addButton(toQString(dialog.cancel), QDialogButtonBox::RejectRole);
    add->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(list_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { showRow(item == nullptr ? -1 : list_->indexOfTopLevelItem(item)); });
    connect(places_, &QComboBox::currentIndexChanged, this, &ImportDialog::placeChosen);
    connect(actions_, &QComboBox::currentIndexChanged, this, &ImportDialog::actionChosen);
    if (!choices_.empty()) list_->setCurrentItem(list_->topLevelItem(0));
    list_->setFocus();
    resize(720, 440);
}

// The drop-downs and the findings follow the list's current row.
void ImportDialog::showRow(int row) {
    filling_ = true;
    places_->clear();
    actions_->clear();
    findings_->clear();
    if (row >= 0) {
        const front::ImportRow& shown = dialog_.rows[static_cast<std::size_t>(row)];
        const front::ImportChoice& choice = choices_[static_cast<std::size_t>(row)];
        for (const front::ImportPlace& place : shown.places) places_->addItem(toQString(place.slot));
        places_->setCurrentIndex(static_cast<int>(choice.place));
        const front::ImportPlace& place = shown.places[choice.place];
        for (const front::ShownText& action : place.actions) actions_->addItem(toQString(action));
        actions_->setCurrentIndex(static_cast<int>(choice.action));
        findings_->setPlainText(toQString(place.findings.empty() ? place.findingsSummary : place.findings));
    }
    places_->setEnabled(row >= 0 && places_->count() > 1);
    actions_->setEnabled(row >= 0);
    filling_ = false;
}

void ImportDialog::placeChosen(int index) {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (filling_ || row < 0 || index < 0) return;
    front::ImportChoice& choice = choices_[static_cast<std::size_t>(row)];
    choice.place = static_cast<std::size_t>(index);
    choice.action = dialog_.rows[static_cast<std::size_t>(row)].places[choice.place].defaultAction;
    showChoiceInList(row);
    showRow(row);
}

void ImportDialog::actionChosen(int index) {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (filling_ || row < 0 || index < 0) return;
    choices_[static_cast<std::size_t>(row)].action = static_cast<std::size_t>(index);
    showChoiceInList(row);
}

void ImportDialog::showChoiceInList(int row) {
    const front::ImportChoice& choice = choices_[static_cast<std::size_t>(row)];
    const front::ImportPlace& place = dialog_.rows[static_cast<std::size_t>(row)].places[choice.place];
    QTreeWidgetItem* item = list_->topLevelItem(row);
    item->setText(SlotColumn, toQString(place.slot));
    item->setText(FindingsColumn, toQString(place.findingsSummary));
    item->setText(ActionColumn, toQString(place.actions[choice.action]));
}

front::ImportAnswer askImportDialog(QWidget* owner, const front::ImportDialog& dialog) {
    ImportDialog shown(owner, dialog);
    if (shown.exec() != QDialog::Accepted) return std::nullopt;
    return shown.choices();
}

}  // namespace modsetup::qt
