#include "qt/main_window.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include <optional>

#include "front/accessibility.h"
#include "front/keys.h"
#include "front/layout.h"
#include "front/messages.h"
#include "qt/access_key_style.h"
#include "qt/accessibility.h"
#include "qt/picture_view.h"
#include "qt/qt_text.h"
#include "qt/slot_list.h"

namespace modsetup::qt {
namespace {

using front::ControlKind;
using front::ControlLayout;
using front::ControlParent;
using front::TextColour;

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// A window title shows "[*]" only doubled; a single one marks where Qt puts
// its modified-mark, and ModTitle is shown exactly as read.
QString literalWindowTitle(QString title) { return title.replace(QLatin1String("[*]"), QLatin1String("[*][*]")); }

// The window's keys, as Qt reports them; Alt with a letter or digit is the
// access key.
struct KeyMapRow {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    front::WindowKey windowKey;
};
const KeyMapRow kKeyMap[] = {
    {Qt::Key_Return, Qt::NoModifier, front::WindowKey::Return},
    {Qt::Key_Enter, Qt::NoModifier, front::WindowKey::Return},
    {Qt::Key_F5, Qt::NoModifier, front::WindowKey::ShotKey},
    {Qt::Key_F1, Qt::ControlModifier, front::WindowKey::TooltipKey},
    {Qt::Key_F10, Qt::ShiftModifier, front::WindowKey::MenuKey},
    {Qt::Key_Menu, Qt::NoModifier, front::WindowKey::MenuKey},
};
static_assert(front::kShotKeyName == "F5" && front::kTooltipKeyName == "Ctrl+F1" && front::kMenuKeyName == "Shift+F10");

std::optional<front::KeyPress> windowKeyOf(const QKeyEvent& event, std::size_t focus) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if ((modifiers & Qt::AltModifier) && !(modifiers & (Qt::ControlModifier | Qt::MetaModifier))) {
        const int key = event.key();
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return front::KeyPress{front::WindowKey::AccessKey, focus, char32_t(U'a' + (key - Qt::Key_A))};
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return front::KeyPress{front::WindowKey::AccessKey, focus, char32_t(U'0' + (key - Qt::Key_0))};
        const QString text = event.text();
        if (!text.isEmpty() && text.at(0).isLetterOrNumber())
            return front::KeyPress{front::WindowKey::AccessKey, focus, text.toStdU32String().front()};
        return std::nullopt;
    }
    for (const KeyMapRow& row : kKeyMap)
        if (row.key == event.key() && row.modifiers == modifiers) return front::KeyPress{row.windowKey, focus, 0};
    return std::nullopt;
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

// Keeps a tooltip the tooltip key showed until the next key or click. Qt
// hides a tooltip when the pointer crosses into or out of any window, and one
// that appears under the pointer makes it cross; so while the tooltip shows,
// no such crossing reaches the tooltip's own filter, which this one, put in
// after it, comes before.
class KeptTooltip : public QObject {
public:
    void keep() {
        QCoreApplication::instance()->removeEventFilter(this);
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (!QToolTip::isVisible()) {
            QCoreApplication::instance()->removeEventFilter(this);
            return false;
        }
        return event->type() == QEvent::Leave || event->type() == QEvent::Enter;
    }
};

MainWindow::MainWindow(Host& host, Audio& audio, ErrorReport report, QWidget* parent)
    : QWidget(parent), report_(std::move(report)), scale_(logicalDpiY() / 96.0), codec_(qtCaseFold) {
    // Where the design font is missing, fonts of nearly its widths stand in, so
    // that captions fit the sizes of the layout.
    QFont::insertSubstitutions(latin1(front::kFontFamily),
                               {"Microsoft Sans Serif", "Arial", "Liberation Sans", "Nimbus Sans", "Helvetica"});
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);

    setWindowTitle(latin1(front::kDesignTitle));
    move(front::kWindowLeft, front::kWindowTop);
    resize(front::kDesignWidth, front::kDesignHeight);

    installAccessibleControls();
    accessKeyStyle_ = new AccessKeyStyle(style()->name());
    accessKeyStyle_->setParent(this);
    createControls();
    setAcceptDrops(true);
    presenter_ = std::make_unique<front::MainWindowPresenter>(host, audio, *this, codec_);
    connectControls();
    presenter_->windowCreated();
}

MainWindow::~MainWindow() {
    // The lists outlive this object's members: QWidget deletes its children
    // only after ~MainWindow, and hiding a window that still has the focus
    // makes a list that loses it signal. No handler may run on a half-destroyed
    // window.
    for (SlotList* list : lists_) list->disconnect(this);
}

void MainWindow::createControls() {
    std::vector<QWidget*> windowed;
    for (const ControlLayout& layout : front::kLayout) {
        QWidget* parent = layout.parent == ControlParent::GroupBox1 ? static_cast<QWidget*>(groupBox1_) : this;
        const QString caption = latin1(layout.caption);
        const auto index = static_cast<std::size_t>(layout.number - 1);
        QWidget* control = nullptr;
        switch (layout.kind) {
        case ControlKind::Picture: control = images_.at(index) = new PictureView(parent); break;
        case ControlKind::Label: {
            auto* text = front::accessibleKind(layout) == front::AccessibleKind::Announced
                             ? new AnnouncedLabel(caption, parent)
                             : new QLabel(caption, parent);
            text->setTextFormat(Qt::PlainText);
            control = labels_.at(index) = text;
            break;
        }
        case ControlKind::List: {
            control = lists_.at(layout.slot) = new SlotList(parent);
            break;
        }
        case ControlKind::GroupBox: control = groupBox1_ = new QGroupBox(caption, parent); break;
        case ControlKind::Button: control = buttons_.at(index) = new QPushButton(caption, parent); break;
        case ControlKind::CheckBox: control = checkBox1_ = new QCheckBox(caption, parent); break;
        }

        control->setObjectName(latin1(layout.name));
        control->setAccessibleName(latin1(front::accessibleName(layout)));
        // The open drop-down is named by its slot too.
        if (layout.kind == ControlKind::List)
            lists_.at(layout.slot)->view()->setAccessibleName(control->accessibleName());
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            // The presenter decides the access keys: Qt's own go.
            button->setShortcut(QKeySequence());
            button->setStyle(accessKeyStyle_);
        }
        if (layout.style.colour != TextColour::WindowText) {
            QPalette own = control->palette();
            own.setColor(QPalette::WindowText, textColour(layout.style.colour, own));
            control->setPalette(own);
        }
        if (layout.style.hiddenAtStart) control->hide();
        if (layout.kind != ControlKind::Picture && layout.kind != ControlKind::Label) windowed.push_back(control);
    }
    // Lists, buttons, the check box and the group box lie above every picture
    // and label, whatever their place in the creation order.
    for (QWidget* control : windowed) control->raise();
    placeControls();
    announcer_ = new Announcer(this);
    keptTooltip_ = new KeptTooltip;
    keptTooltip_->setParent(this);
}

void MainWindow::placeControls() {
    QFont font(latin1(front::kFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(scaled(front::kFontPixels));
    setFont(font);
    for (const ControlLayout& layout : front::kLayout) {
        QWidget* control = findChild<QWidget*>(latin1(layout.name));
        control->setGeometry(scaled(layout.left), scaled(layout.top), scaled(layout.width), scaled(layout.height));
        if (layout.style.bold || layout.style.fontPixels != 0) {
            QFont own = font;
            own.setBold(layout.style.bold);
            if (layout.style.fontPixels != 0) own.setPixelSize(scaled(layout.style.fontPixels));
            control->setFont(own);
        }
        if (layout.kind == ControlKind::Label) control->adjustSize();  // labels fit their caption
        if (layout.kind == ControlKind::CheckBox && control->sizeHint().width() > control->width()) {
            // A font wider than the design font would clip "Use Modified Weapons";
            // the box grows to the right, where nothing lies beside it.
            control->resize(control->sizeHint().width(), control->height());
        }
        if (layout.kind == ControlKind::List) lists_.at(layout.slot)->setEntryHeight(scaled(front::kListEntryHeight));
        if (layout.kind == ControlKind::Picture) image(layout.number)->setScale(scale_);
    }
}

void MainWindow::followScreen() {
    const double scale = logicalDpiY() / 96.0;
    if (scale == scale_) return;
    scale_ = scale;
    placeControls();
    setOuterSize(front::computedOuterSize(scale_));
    placeOnScreen();
}

void MainWindow::connectControls() {
    front::MainWindowPresenter& presenter = *presenter_;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        SlotList* list = lists_[slot];
        connect(list, &SlotList::typed, this, [&presenter, slot](char32_t c) { presenter.listTyped(slot, c); });
        connect(list, &SlotList::backspaced, this, [&presenter, slot] { presenter.listBackspace(slot); });
        connect(list, &SlotList::picked, this,
                [&presenter, slot](int entry, front::PickedFrom from) { presenter.listPicked(slot, entry, from); });
        connect(list, &SlotList::edited, this, [&presenter, slot] { presenter.listEdited(slot); });
        list->installEventFilter(this);
        list->setWheelRule([&presenter, slot] { return presenter.listTakesWheel(slot); });
        list->setDescription([&presenter, slot] { return toQString(presenter.listTooltip(slot)); });
    }
    for (int number = 1; number <= front::kImageCount; ++number) {
        connect(image(number), &PictureView::clicked, this, [&presenter, number] { presenter.pictureClicked(number); });
        image(number)->installEventFilter(this);
    }
    for (int number = 1; number <= front::kButtonCount; ++number) {
        const front::ButtonRole role = front::kLayout[front::layoutIndex(ControlKind::Button, number)].role;
        connect(button(number), &QPushButton::clicked, this, [&presenter, role] { presenter.buttonPressed(role); });
    }
    for (QWidget* control : std::initializer_list<QWidget*>{button(1), button(2), button(3), button(4), checkBox1_})
        control->installEventFilter(this);
}

void MainWindow::setOuterSize(front::OuterSize size) {
    outerTarget_ = QSize(size.width, size.height);
    fitOuterSize();
}

void MainWindow::fitOuterSize() {
    fittedFrame_ = frameGeometry().size() - geometry().size();
    resize(outerTarget_ - fittedFrame_);
}

bool MainWindow::event(QEvent* event) {
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
            if (shown_) placeOnScreen();
        }
    }
    if (type == QEvent::Show && !shown_) {
        shown_ = true;
        placeOnScreen();
        // Queued: the move that brought the window there sets its geometry
        // after the signal, which would undo a size set during it.
        connect(
            windowHandle(), &QWindow::screenChanged, this, [this] { followScreen(); }, Qt::QueuedConnection);
    }
    if (type == QEvent::WindowDeactivate) setAltHeld(false);
    // A tooltip event reaches the window where no control took it: its background.
    if (type == QEvent::ToolTip) {
        showTooltip(this, static_cast<QHelpEvent*>(event)->globalPos(), presenter_->backgroundTooltip());
        return true;
    }
    return result;
}

// The designed position may run off a small screen: the window is moved
// (never resized) into the screen's available area.
void MainWindow::placeOnScreen() {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) return;
    const QRect frame = frameGeometry();
    const QRect available = shownOn->availableGeometry();
    const front::ScreenArea placed =
        front::placedOnScreen({frame.x(), frame.y(), frame.width(), frame.height()},
                              {available.x(), available.y(), available.width(), available.height()});
    if (placed.left != frame.x() || placed.top != frame.y()) move(placed.left, placed.top);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (key.key() == Qt::Key_Alt) setAltHeld(true);
        // The next key hides a tooltip, as on Windows (the tooltip key shows it again).
        if (key.key() < Qt::Key_Shift || key.key() > Qt::Key_ScrollLock) QToolTip::hideText();
        return forwardKey(watched, key) || QWidget::eventFilter(watched, event);
    }
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt) setAltHeld(false);
        return QWidget::eventFilter(watched, event);
    case QEvent::ToolTip: break;
    default: return QWidget::eventFilter(watched, event);
    }
    // A list's edit field has no tooltip of its own: its tooltip event reaches the list.
    front::ShownText text;
    const auto list = std::find(lists_.begin(), lists_.end(), watched);
    const auto picture = std::find(images_.begin(), images_.end(), watched);
    if (list != lists_.end()) text = presenter_->listTooltip(static_cast<std::size_t>(list - lists_.begin()));
    else if (picture != images_.end())
        text = presenter_->pictureTooltip(static_cast<int>(picture - images_.begin()) + 1);
    showTooltip(static_cast<QWidget*>(watched), static_cast<QHelpEvent*>(event)->globalPos(), text);
    return true;
}

// The presenter's keys go to it; an access key never goes on to the control.
bool MainWindow::forwardKey(QObject* control, const QKeyEvent& key) {
    const std::size_t focus = front::layoutIndex(control->objectName().toStdString());
    const std::optional<front::KeyPress> press = windowKeyOf(key, focus);
    if (!press) return false;
    return presenter_->keyPressed(*press) || press->key == front::WindowKey::AccessKey;
}

void MainWindow::setAltHeld(bool held) {
    if (accessKeyStyle_->altHeld() == held) return;
    accessKeyStyle_->setAltHeld(held);
    for (QWidget* control : std::initializer_list<QWidget*>{button(1), button(2), button(3), button(4), checkBox1_})
        control->update();
}

void MainWindow::showTooltip(QWidget* control, QPoint at, const front::ShownText& text) {
    if (text.empty()) {
        QToolTip::hideText();
        return;
    }
    // Shown as plain text, whatever the set's files hold, line by line.
    const QString html =
        QStringLiteral("<p style='white-space:pre'>") + toQString(text).toHtmlEscaped() + QStringLiteral("</p>");
    QToolTip::showText(at, html, control);
}

void MainWindow::showListTooltip(std::size_t slot, const front::ShownText& text) {
    SlotList* list = lists_.at(slot);
    showTooltip(list, list->mapToGlobal(QPoint(list->width(), 0)), text);
    keptTooltip_->keep();
    presentShownTooltip();
}

void MainWindow::announceListChange(std::size_t, const front::ListAnnouncement& announcement) {
    announcer_->announce(toQString(announcement.set), toQString(announcement.statistics));
}

void MainWindow::clickControl(std::size_t row) {
    const ControlLayout& layout = front::kLayout.at(row);
    if (layout.kind == ControlKind::Button) button(layout.number)->click();
    else if (layout.kind == ControlKind::CheckBox) checkBox1_->click();
}

void MainWindow::setTitle(const front::ShownText& title) {
    const QString text = toQString(title);
    QGuiApplication::setApplicationDisplayName(text);
    setWindowTitle(literalWindowTitle(text));
}

WindowHandle MainWindow::nativeWindow() const { return static_cast<WindowHandle>(winId()); }

void MainWindow::setListEntries(std::size_t slot, const std::vector<front::ShownText>& entries) {
    lists_.at(slot)->setEntries(entries);
}

front::ListEdit MainWindow::listEdit(std::size_t slot) const { return lists_.at(slot)->edit(); }

void MainWindow::setListEdit(std::size_t slot, const front::ListEdit& edit) { lists_.at(slot)->setEdit(edit); }

void MainWindow::setListCurrentEntry(std::size_t slot, int entry) { lists_.at(slot)->setCurrentEntry(entry); }

bool MainWindow::listHasFocus(std::size_t slot) const { return lists_.at(slot)->hasFocus(); }

void MainWindow::showPicture(int number, const Picture& picture) { image(number)->setPicture(picture); }

bool MainWindow::checkBoxTicked() const { return checkBox1_->isChecked(); }

void MainWindow::setCheckBoxTicked(bool ticked) { checkBox1_->setChecked(ticked); }

void MainWindow::setConfirmationShown(bool shown) { label(front::kConfirmationLabel)->setVisible(shown); }

void MainWindow::showBusy(bool busy) {
    if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

}  // namespace modsetup::qt
