// The Qt window's part in adding sets from an archive, as glue: a single
// local file dropped on the window (several are not taken) is read with a
// progress dialog, its sets shown in the import dialog, whose controls bear
// their names and which Return answers with Add; the list then offers the
// new set.
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include "archive_builder.h"
#include "qt/import_dialog.h"
#include "set_library.h"
#include "window_test_support.h"

using namespace modsetup;
using namespace modsetup::uitest;

class ArchiveDropTest : public QObject {
    Q_OBJECT

private slots:
    void aDroppedArchiveIsShownAndAddedByReturn();
};

void ArchiveDropTest::aDroppedArchiveIsShownAndAddedByReturn() {
    Scratch scratch;
    writeSet(scratch, kPrimary1, "Gold", QColor(200, 160, 0));
    std::map<std::string, std::string> files;  // a file two pictures show is written twice
    testing::writePreviewSet(
        [&files](const std::string& path, std::string bytes) {
            files[path.substr(path.find('/') + 1)] = std::move(bytes);  // "1/Silver/...": the set folder alone
        },
        kPrimary1, "Silver");
    std::vector<testing::ArchiveItem> items;
    for (auto& [name, bytes] : files) items.push_back({testing::ArchiveItem::File, name, bytes});
    const fs::path archive = scratch.root() / "silver.zip";
    testing::writeFile(archive, testing::makeArchive(testing::ArchiveFormat::ZipDeflated, items));
    auto window = scratch.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    const auto drag = [&window](const QList<QUrl>& urls) {
        auto* data = new QMimeData;  // the drag owns it
        data->setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        if (enter.isAccepted()) {
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &drop);
        }
        delete data;
        return enter.isAccepted();
    };
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(archive.string()));
    QVERIFY(!drag({url, url}));

    QStringList names;  // the dialog's controls, by their names for screen readers
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&names] {
        auto* dialog = qobject_cast<qt::ImportDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || dialog->focusWidget() == nullptr || !names.isEmpty()) return;
        names << dialog->list()->accessibleName() << dialog->places()->accessibleName()
              << dialog->actions()->accessibleName() << dialog->list()->topLevelItem(0)->text(0)
              << dialog->list()->topLevelItem(0)->text(4) << QString::number(dialog->places()->isEnabled());
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);  // the slot is fixed: on to what to do
        names << dialog->focusWidget()->objectName();
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    watch.start(20);
    QVERIFY(drag({url}));
    QTRY_VERIFY(comboBox(*window, kPrimary1)->findText("Silver") >= 0);
    QCOMPARE(names, (QStringList{"Sets in the archive", "Slot", "What to do", "Silver", "Add", "0", "action"}));
    QVERIFY(fs::exists(scratch.library() / "1" / "Silver"));
    QVERIFY(scratch.recorder.reports.empty());
}

QTEST_MAIN(ArchiveDropTest)
#include "archive_drop_test.moc"
