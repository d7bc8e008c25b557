#include "ui/form1.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include <charconv>
#include <cmath>

#include "core/apply.h"
#include "core/error_text.h"
#include "core/launcher.h"
#include "core/load_sequence.h"
#include "core/previews.h"
#include "ui/layout.h"
#include "ui/picture_view.h"
#include "ui/slot_list.h"
#include "ui/text_bytes.h"

namespace modsetup::ui {
namespace {

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// The number at the end of a control's name: 37 for "Image37".
int controlNumber(std::string_view name, std::string_view kindPrefix) {
    int number = 0;
    name.remove_prefix(kindPrefix.size());
    std::from_chars(name.data(), name.data() + name.size(), number);
    return number;
}

// A window title shows "[*]" only doubled; a single one marks where Qt puts
// its modified-mark, and ModTitle is shown exactly as read.
QString literalWindowTitle(QString title) { return title.replace(QLatin1String("[*]"), QLatin1String("[*][*]")); }

std::size_t slotOfList(std::string_view name) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        if (kSlots[slot].list == name) return slot;
    return kSlotCount;
}

QColor textColour(TextColour colour, const QPalette& palette) {
    switch (colour) {
    case TextColour::Red: return QColor(0xFF, 0x00, 0x00);
    case TextColour::Blue: return QColor(0x00, 0x00, 0xFF);
    case TextColour::WindowText: break;
    }
    return palette.color(QPalette::WindowText);
}

}  // namespace

TForm1::TForm1(Host& host, ErrorReport report, QWidget* parent)
    : QWidget(parent), host_(host), report_(std::move(report)), shared_(host), input_(host) {
    scale_ = logicalDpiY() / 96.0;

    // Where the design font is missing, fonts of nearly its widths stand in, so
    // that captions fit the sizes of the layout.
    QFont::insertSubstitutions(latin1(kFontFamily), {"Microsoft Sans Serif", "Arial", "Liberation Sans", "Nimbus Sans",
                                                     "Helvetica"});
    QFont font(latin1(kFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(scaled(kFontPixels));
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);

    setWindowTitle(latin1(kDesignTitle));
    move(kWindowLeft, kWindowTop);
    resize(kDesignWidth, kDesignHeight);

    createControls();
    connect(button(1), &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(button(2), &QPushButton::clicked, this, &TForm1::FormCreate);  // Undo is a complete reload
    connect(button(3), &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(button(4), &QPushButton::clicked, this, &TForm1::Button4Click);

    FormCreate();
}

TForm1::~TForm1() {
    // The lists outlive this object's members: QWidget deletes its children
    // only after ~TForm1, and hiding a window that still has the focus makes a
    // list that loses it signal. No handler may run on a half-destroyed window.
    for (SlotList* list : lists_) list->disconnect(this);
}

int TForm1::scaled(int designPixels) const { return static_cast<int>(std::lround(designPixels * scale_)); }

void TForm1::createControls() {
    std::vector<QWidget*> windowed;
    for (const ControlLayout& layout : kLayout) {
        QWidget* parent = layout.parent == ControlParent::GroupBox1 ? static_cast<QWidget*>(groupBox1_) : this;
        const QString caption = latin1(layout.caption);
        QWidget* control = nullptr;
        switch (layout.kind) {
        case ControlKind::Picture: {
            auto* view = new PictureView(parent);
            images_.at(static_cast<std::size_t>(controlNumber(layout.name, "Image") - 1)) = view;
            control = view;
            break;
        }
        case ControlKind::Label: {
            auto* text = new QLabel(caption, parent);
            text->setTextFormat(Qt::PlainText);
            labels_.at(static_cast<std::size_t>(controlNumber(layout.name, "Label") - 1)) = text;
            control = text;
            break;
        }
        case ControlKind::List: {
            auto* list = new SlotList(parent);
            const std::size_t slot = slotOfList(layout.name);
            lists_.at(slot) = list;
            list->setEntryHeight(scaled(kListEntryHeight));
            list->setRawText(std::string(layout.name));  // replaced by the load sequence before it is seen
            connect(list, &SlotList::changedByUser, this, [this, slot] { ComboBoxChange(slot); });
            control = list;
            break;
        }
        case ControlKind::GroupBox:
            groupBox1_ = new QGroupBox(caption, parent);
            control = groupBox1_;
            break;
        case ControlKind::Button: {
            auto* push = new QPushButton(caption, parent);
            buttons_.at(static_cast<std::size_t>(controlNumber(layout.name, "Button") - 1)) = push;
            control = push;
            break;
        }
        case ControlKind::CheckBox:
            checkBox1_ = new QCheckBox(caption, parent);
            control = checkBox1_;
            break;
        }

        control->setObjectName(latin1(layout.name));
        control->setGeometry(scaled(layout.left), scaled(layout.top), scaled(layout.width), scaled(layout.height));
        if (layout.style.bold || layout.style.fontPixels != 0) {
            QFont own = font();
            own.setBold(layout.style.bold);
            if (layout.style.fontPixels != 0) own.setPixelSize(scaled(layout.style.fontPixels));
            control->setFont(own);
        }
        if (layout.style.colour != TextColour::WindowText) {
            QPalette own = control->palette();
            own.setColor(QPalette::WindowText, textColour(layout.style.colour, own));
            control->setPalette(own);
        }
        if (layout.kind == ControlKind::Label) control->adjustSize();  // labels fit their caption
        if (layout.kind == ControlKind::CheckBox && control->sizeHint().width() > control->width()) {
            // A font wider than the design font would clip "Use Modified Weapons";
            // the box grows to the right, where nothing lies beside it.
            control->resize(control->sizeHint().width(), control->height());
        }
        if (layout.style.hiddenAtStart) control->hide();
        if (layout.kind != ControlKind::Picture && layout.kind != ControlKind::Label) windowed.push_back(control);
    }
    // Lists, buttons, the check box and the group box lie above every picture
    // and label, whatever their place in the creation order.
    for (QWidget* control : windowed) control->raise();
}

QSize TForm1::computedOuterSize() const {
    return {scaled(layoutOf("Image37").left) + kWidthPastImage37, scaled(layoutOf("Button4").top) + kHeightPastButton4};
}

void TForm1::sizeWindow() {
    outerTarget_ = computedOuterSize();
    fitOuterSize();
}

void TForm1::fitOuterSize() {
    fittedFrame_ = frameGeometry().size() - geometry().size();
    resize(outerTarget_ - fittedFrame_);
}

bool TForm1::event(QEvent* event) {
    // The window system frames the window after it is first shown; once the
    // frame is known the outer size is fitted to it.
    const bool result = QWidget::event(event);
    const QEvent::Type type = event->type();
    if (frameUnknown_ && outerTarget_.isValid() &&
        (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)) {
        const QSize frame = frameGeometry().size() - geometry().size();
        if (!frame.isNull()) {
            frameUnknown_ = false;
            if (frame != fittedFrame_) fitOuterSize();
        }
    }
    return result;
}

void TForm1::FormCreate() {
    for (SlotList* list : lists_) list->clearEntries();
    sizeWindow();

    LoadOutcome outcome = runLoadSequence(host_, shared_);
    strings_ = outcome.strings;
    const QString title = shownText(strings_.modTitle);
    QGuiApplication::setApplicationDisplayName(title);
    setWindowTitle(literalWindowTitle(title));
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) lists_[slot]->setRawText(outcome.selections.texts[slot]);
    if (outcome.selections.ticksBox) checkBox1_->setChecked(true);  // never unticked here
    for (const LoadedPreview& loaded : outcome.pictures) image(loaded.image)->setPicture(loaded.picture);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) lists_[slot]->setEntries(outcome.entries[slot]);

    if (!outcome.errors.empty()) reportErrors(outcome.errors);
}

void TForm1::ComboBoxChange(std::size_t slot) {
    const SlotPreviewLoad load = loadSlotPreviews(host_, strings_.configBase, slot, lists_.at(slot)->rawText());
    for (const LoadedPreview& loaded : load.loaded) image(loaded.image)->setPicture(loaded.picture);
    if (!load.error.empty()) reportErrors({load.error});
}

SlotTexts TForm1::slotTexts() const {
    SlotTexts texts;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) texts[slot] = lists_[slot]->rawText();
    return texts;
}

void TForm1::Button1Click() {
    const ApplyOutcome outcome =
        runApply(host_, shared_, input_, strings_, slotTexts(), [this] { return checkBox1_->isChecked(); });
    QLabel* confirmation = label(19);
    if (outcome.succeeded()) {
        confirmation->show();
        return;
    }
    // Confirming an Apply that could not install the sets would mislead.
    confirmation->hide();
    reportErrors({applyFailureMessage(outcome, strings_)});
}

void TForm1::Button3Click() { close(); }

void TForm1::Button4Click() {
    const PlayOutcome outcome = runPlay(host_, shared_, strings_.configBase, strings_.modName, static_cast<WindowHandle>(winId()));
    if (outcome.launched) {
        close();
        return;
    }
    reportErrors({outcome.error});
}

void TForm1::reportErrors(const std::vector<std::string>& messages) {
    QString text;
    for (const std::string& message : messages) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += shownText(reportText(message));
    }
    report_(shownText(strings_.modTitle), text);
}

}  // namespace modsetup::ui
