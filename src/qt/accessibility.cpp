#include "qt/accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>

#include "qt/picture_view.h"
#include "qt/slot_list.h"

namespace modsetup::qt {
namespace {

// An editable drop-down list: its name is its slot, its value its text, its
// description the tooltip, and its children the drop-down and the edit field.
class SlotListAccessible : public QAccessibleWidget {
public:
    explicit SlotListAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name: return widget()->accessibleName();
        case QAccessible::Value: return list()->currentText();
        case QAccessible::Description: return list()->description();
        default: return QAccessibleWidget::text(kind);
        }
    }
    int childCount() const override { return 2; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1) return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child->object() == list()->view()) return 0;
        return child->object() == list()->lineEdit() ? 1 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QRect field(list()->lineEdit()->mapToGlobal(QPoint(0, 0)), list()->lineEdit()->size());
        return field.contains(x, y) ? child(1) : nullptr;
    }
    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction()) return;
        if (list()->view()->isVisible()) list()->hidePopup();
        else list()->showPopup();
    }

private:
    SlotList* list() const { return static_cast<SlotList*>(widget()); }
};

// A picture that plays its slot's shot: a button, pressed as a click.
class ShotPictureAccessible : public QAccessibleWidget {
public:
    explicit ShotPictureAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) emit static_cast<PictureView*>(widget())->clicked();
    }
};

// A group whose pictures without a name (those that do nothing) are left out.
class GroupAccessible : public QAccessibleWidget {
public:
    explicit GroupAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Grouping) {}
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(kind);
    }
    int childCount() const override { return static_cast<int>(presented().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = presented();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return static_cast<int>(presented().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> presented() const {
        QList<QWidget*> children;
        for (QObject* child : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (control == nullptr || control->isWindow()) continue;
            if (qobject_cast<PictureView*>(control) != nullptr && control->accessibleName().isEmpty()) continue;
            children.append(control);
        }
        return children;
    }
};

// The confirmation: a notification, which the screen reader speaks when it
// is shown (Qt tells of a shown widget at once).
class AnnouncedLabelAccessible : public QAccessibleWidget {
public:
    explicit AnnouncedLabelAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) {}
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(kind);
    }
};

// The announcer's message: a notification in its status line, named by
// what it announces.
class AnnouncedMessageAccessible : public QAccessibleWidget {
public:
    explicit AnnouncedMessageAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) {}
    QString text(QAccessible::Text kind) const override {
        const auto* announcer = static_cast<Announcer*>(widget()->parentWidget());
        if (kind == QAccessible::Name) return announcer->text();
        if (kind == QAccessible::Description) return announcer->detail();
        return QAccessibleWidget::text(kind);
    }
};

template <class Control>
bool is(const QString& className) {
    return className == QLatin1String(Control::staticMetaObject.className());
}

// Asked with each class name of an object, the most derived first.
QAccessibleInterface* presentation(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return nullptr;
    if (is<SlotList>(className)) return new SlotListAccessible(widget);
    if (is<PictureView>(className) && !widget->accessibleName().isEmpty()) return new ShotPictureAccessible(widget);
    if (is<AnnouncedLabel>(className)) return new AnnouncedLabelAccessible(widget);
    if (is<Announcer>(className)) return new QAccessibleWidget(widget, QAccessible::StatusBar);
    if (is<QWidget>(className) && qobject_cast<Announcer*>(widget->parentWidget()) != nullptr)
        return new AnnouncedMessageAccessible(widget);
    if (is<QGroupBox>(className)) return new GroupAccessible(widget);
    return nullptr;
}

// Whether an event is a change of a slot list's edit field that the list
// keeps from assistive technology now.
bool keptFromAssistiveTechnology(QAccessibleEvent* event) {
    switch (event->type()) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged: break;
    default: return false;
    }
    auto* field = qobject_cast<QLineEdit*>(event->object());
    const auto* list = field != nullptr ? qobject_cast<SlotList*>(field->parentWidget()) : nullptr;
    return list != nullptr && list->lineEdit() == field && !list->editsTold();
}

QAccessible::UpdateHandler passOn = nullptr;  // the handler installed before ours, if any

// Every event Qt would tell assistive technology passes here first.
void tellAssistiveTechnology(QAccessibleEvent* event) {
    if (keptFromAssistiveTechnology(event)) return;
    if (passOn != nullptr) {
        passOn(event);
        return;
    }
    // Without a handler Qt hands the event to the system's bridge.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(tellAssistiveTechnology);
}

}  // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent), message_(new QWidget(this)) {
    hide();  // nothing to see: it only speaks
}

void Announcer::announce(const QString& text, const QString& detail) {
    text_ = text;
    detail_ = detail;
    QAccessibleEvent appears(message_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&appears);
}

void presentShownTooltip() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->windowType() == Qt::ToolTip && window->isVisible()) {
            QAccessibleEvent appears(window, QAccessible::ObjectShow);
            QAccessible::updateAccessibility(&appears);
        }
}

void installAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(presentation);
        passOn = QAccessible::installUpdateHandler(tellAssistiveTechnology);
        return true;
    }();
    (void)installed;
}

}  // namespace modsetup::qt
