// The Qt window through QAccessible, as a screen reader meets it: the lists
// named by their slot and described by their tooltips, a picture that plays
// a shot as a button, the soldier pictures left out, the confirmation a
// notification, shown when Apply confirms.
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "front/accessibility.h"
#include "front/messages.h"
#include "qt/picture_view.h"
#include "qt/qt_text.h"
#include "qt/slot_list.h"
#include "wave_builder.h"
#include "window_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;

namespace {

QAccessibleInterface* presented(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void listsAreNamedBySlotAndDescribedByTheirTooltips();
    void shotPicturesAreButtonsAndTheOthersLeftOut();
    void theConfirmationIsANotificationThatTellsWhenShown();
};

void AccessibilityTest::listsAreNamedBySlotAndDescribedByTheirTooltips() {
    Scratch scratch;
    writeSet(scratch, kPrimary1, "Gold", QColor(200, 160, 0));
    writeSelections(scratch, {"Gold"}, "0");
    auto window = scratch.window();

    QAccessibleInterface* first = presented(comboBox(*window, kPrimary1));
    QCOMPARE(first->role(), QAccessible::ComboBox);
    QCOMPARE(first->text(QAccessible::Name), QString("Primary weapon 1"));
    QCOMPARE(first->text(QAccessible::Value), QString("Gold"));
    QCOMPARE(first->text(QAccessible::Description),
             QString("\nnot installed yet\nDamage\nFireInterval\nAmmo\nReloadTime\nSpeed\nBulletStyle\n"
                     "StartUpTime\nBink\nMovementAcc\nno sound in this set\nPress Ctrl+F1 in the list to show this"));
    QVERIFY(first->child(1)->object() == comboBox(*window, kPrimary1)->lineEdit());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        QCOMPARE(presented(comboBox(*window, slot))->text(QAccessible::Name), latin1(front::kListNames[slot]));
    QCOMPARE(presented(comboBox(*window, kTeamAlpha))->text(QAccessible::Description), QString());
    QCOMPARE(presented(window->button(1))->text(QAccessible::Name), QString("Apply"));
}

void AccessibilityTest::shotPicturesAreButtonsAndTheOthersLeftOut() {
    Scratch scratch;
    writeSet(scratch, kPrimary2, "Gold", QColor(200, 160, 0));
    writeFile(scratch.library() / "2/Gold/sfx/mp5-fire.wav", testing::pcmWave("shot"));
    writeSelections(scratch, {"", "Gold"}, "0");
    auto window = scratch.window();

    QAccessibleInterface* picture = presented(window->image(18));
    QCOMPARE(picture->role(), QAccessible::Button);
    QCOMPARE(picture->text(QAccessible::Name), QString("Play the shot: Primary weapon 2"));
    picture->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(scratch.audio.played.size(), std::size_t{1});

    QAccessibleInterface* group = presented(groupBox1(*window));
    QStringList children;
    for (int i = 0; i < group->childCount(); ++i) children << group->child(i)->object()->objectName();
    children.sort();
    QCOMPARE(children, (QStringList{"ComboBox15", "ComboBox16", "Label17", "Label18"}));
    QCOMPARE(group->text(QAccessible::Name), QString("Soldier Graphics:"));
}

// Qt tells assistive technology of every widget it shows; a screen reader
// speaks one that is a notification.
void AccessibilityTest::theConfirmationIsANotificationThatTellsWhenShown() {
    Scratch scratch;
    auto window = scratch.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QAccessibleInterface* label = presented(window->label(front::kConfirmationLabel));
    QCOMPARE(label->role(), QAccessible::Notification);
    QCOMPARE(label->text(QAccessible::Name), QString("Your Settings have been applied."));
    QVERIFY(label->state().invisible);
    window->setConfirmationShown(true);
    QVERIFY(!label->state().invisible);
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
