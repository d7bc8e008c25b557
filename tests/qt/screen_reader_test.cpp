// The Qt window as glue, heard as a screen reader hears it: the AT-SPI events
// it speaks on for a Tab, an arrow, the tooltip key and the menu key, read
// from the accessibility bus. Runs on a display with a session bus of its own
// (on_a_desktop.sh).
#include <QAccessible>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <functional>

#include "qt/slot_list.h"
#include "window_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;

namespace {

// Each event as "<event> <role> <name>" (the name's first line, an
// unavailable object marked so); a step's events end at the marker's.
class Listener : public QObject {
    Q_OBJECT

public:
    // Asking for the accessibility bus starts it, and Qt goes there; Qt sends
    // nothing until the registry tells it that someone listens.
    explicit Listener(QWidget* marker) : marker_(marker), bus_(QDBusConnection::sessionBus()) {
        const QDBusReply<QString> address =
            bus_.call(QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
        bus_ = QDBusConnection::connectToBus(address.value(), "listener");
        for (const char* signal : {"StateChanged", "TextChanged", "TextCaretMoved", "TextSelectionChanged"})
            bus_.connect({}, {}, "org.a11y.atspi.Event.Object", signal, this, SLOT(heard(QDBusMessage)));
        bus_.call(QDBusMessage::createMethodCall("org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
                                                 "org.a11y.atspi.Registry", "RegisterEvent")
                  << QString("object:") << QStringList() << QString());
    }

    QStringList step(const std::function<void()>& act, int waitMs = 5000) {
        heard_.clear();
        act();
        QTest::qWait(100);  // Qt tells of a new focus from its event loop
        QAccessibleEvent mark(marker_, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&mark);
        // Whether the marker came is told below, by what was heard.
        (void)QTest::qWaitFor([this] { return heard_.contains("marker"); }, waitMs);
        return heard_.removeAll("marker") > 0 ? heard_ : QStringList{"(no marker)"};
    }

private slots:
    void heard(const QDBusMessage& message) {
        const QAccessibleInterface* object = QAccessible::accessibleInterface(message.path().section('/', -1).toUInt());
        const QString detail = message.arguments().value(0).toString();
        const bool state = message.member() == "StateChanged";
        if (object == nullptr ||
            (state && (message.arguments().value(1).toInt() != 1 || (detail != "focused" && detail != "showing"))))
            return;
        if (object->object() == marker_) return heard_.append("marker");
        const QString line = (state ? detail : message.member() + ' ' + detail).trimmed() + ' ' +
                             qAccessibleRoleString(object->role()) + ' ' +
                             object->text(QAccessible::Name).section('\n', 0, 0);
        heard_.append(object->state().disabled ? line + " (unavailable)" : line);
    }

private:
    QWidget* marker_;
    QDBusConnection bus_;
    QStringList heard_;
};

}  // namespace

class ScreenReaderTest : public QObject {
    Q_OBJECT

private slots:
    void aScreenReaderHearsEachKeyOnce();
};

void ScreenReaderTest::aScreenReaderHearsEachKeyOnce() {
    Scratch scratch;
    writeSet(scratch, kPrimary2, "Gold", QColor(200, 160, 0));
    writeSet(scratch, kPrimary2, "Silver", QColor(160, 160, 160));
    writeFile(scratch.library() / "2/Silver/name.txt", "Silver MP5\r\n");
    writeSelections(scratch, {"", "Gold"}, "0");
    QWidget marker;
    Listener listener(&marker);
    QTRY_VERIFY(QAccessible::isActive() && listener.step([] {}, 200).isEmpty());
    auto window = scratch.window();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    listener.step([&window] { comboBox(*window, kPrimary1)->setFocus(); });
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return [key, modifiers] { QTest::keyClick(QApplication::focusWidget(), key, modifiers); };
    };

    QCOMPARE(listener.step(press(Qt::Key_Tab)), QStringList{"focused ComboBox Primary weapon 2"});
    QCOMPARE(listener.step(press(Qt::Key_Down)), QStringList{"showing Notification Silver"});
    QCOMPARE(listener.step(press(Qt::Key_F1, Qt::ControlModifier)), QStringList{"showing ToolTip Silver MP5"});
    QCOMPARE(listener.step(press(Qt::Key_Escape)), QStringList{});
    QTRY_VERIFY(!QToolTip::isVisible());
    // The menu holds the keys until it closes: they go to it from a timer.
    QTimer::singleShot(300, [] {
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Escape}) {
            QTest::keyClick(QApplication::activePopupWidget(), key);
            QTest::qWait(50);
        }
    });
    QCOMPARE(listener.step(press(Qt::Key_F10, Qt::ShiftModifier)),
             (QStringList{"showing PopupMenu Menu", "showing Notification Menu",
                          "focused MenuItem Restore the files from before the last Apply (unavailable)",
                          "focused MenuItem Restore the mod's original files (unavailable)",
                          "focused MenuItem Save choices as\u2026", "focused MenuItem Load choices\u2026",
                          "focused ComboBox Primary weapon 2"}));
    QVERIFY(scratch.recorder.reports.empty());
}

QTEST_MAIN(ScreenReaderTest)
#include "screen_reader_test.moc"
