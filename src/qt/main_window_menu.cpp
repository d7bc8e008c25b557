#include "qt/main_window.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTimer>
#include <QToolTip>

#include <optional>

#include "front/messages.h"
#include "qt/accessibility.h"
#include "qt/error_report.h"
#include "qt/import_dialog.h"
#include "qt/lines_dialog.h"
#include "qt/progress_dialog.h"
#include "qt/qt_text.h"

// The window's menu and what its commands ask through: the file dialogs, the
// question box, the progress and import dialogs, the dialog of lines, the
// clipboard, and a file dropped on the window.

namespace modsetup::qt {
namespace {

// The menu's style: the window's, except that the arrow keys reach the
// unavailable entries too (as in the system's menus on Windows), which a
// screen reader then names as unavailable; such an entry, when current, is
// shown so on a pale highlight, where the window's style shows nothing.
class EveryEntryStyle : public QProxyStyle {
public:
    explicit EveryEntryStyle(const QString& baseStyle) : QProxyStyle(baseStyle) {}
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returned = nullptr) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override {
        if (element == CE_MenuItem && (option->state & State_Selected) && !(option->state & State_Enabled)) {
            QColor pale = option->palette.color(QPalette::Active, QPalette::Highlight);
            pale.setAlpha(64);
            painter->fillRect(option->rect, pale);
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

}  // namespace

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) return;  // the menu key reaches the presenter as a key
    presenter_->backgroundRightClicked({event->pos().x(), event->pos().y()});
}

std::optional<front::WindowCommand> MainWindow::showMenu(const std::vector<front::MenuItem>& items,
                                                         const front::MenuOpening& opening) {
    EveryEntryStyle everyEntry(style()->name());  // outlives the menu
    QMenu menu(this);
    menu.setStyle(&everyEntry);
    menu.setAccessibleName(toQString(opening.name));
    std::vector<std::pair<QAction*, front::WindowCommand>> actions;
    for (const front::MenuItem& item : items) {
        QAction* action = menu.addAction(toQString(item.caption));
        action->setEnabled(item.enabled);
        actions.emplace_back(action, item.command);
    }
    // By the mouse, or from the keyboard below the focused control's top-left corner.
    const std::optional<front::MenuPoint>& at = opening.at;
    QPoint place = at ? mapToGlobal(QPoint(at->x, at->y)) : mapToGlobal(QPoint(0, 0));
    if (!at)
        if (const QWidget* focus = focusWidget()) place = focus->mapToGlobal(QPoint(0, focus->height()));
    QToolTip::hideText();
    // Qt does not present a menu that opens, only its current entry: the
    // menu's name is announced, then its first entry made current.
    QAction* first = actions.empty() ? nullptr : actions.front().first;
    QTimer opened;  // fires in the menu's own loop, once it shows
    opened.setSingleShot(true);
    connect(&opened, &QTimer::timeout, &menu, [this, &menu, &opening, first] {
        announcer_->announce(toQString(opening.name), QString());
        if (opening.firstEntryCurrent && first != nullptr) menu.setActiveAction(first);
    });
    opened.start(0);
    const QAction* chosen = menu.exec(place);
    for (const auto& [action, command] : actions)
        if (action == chosen) return command;
    return std::nullopt;
}

std::optional<std::string> MainWindow::askForFile(const front::FileQuestion& question) {
    const QString title = toQString(question.title);
    QStringList kinds;
    for (const front::FileKind& kind : question.kinds)
        kinds << toQString(kind.name) + QStringLiteral(" (") +
                     QString::fromStdString(kind.pattern).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                     QLatin1Char(')');
    const QString filter = kinds.join(QStringLiteral(";;"));
    const QString path = question.save ? QFileDialog::getSaveFileName(this, title, QString(), filter)
                                       : QFileDialog::getOpenFileName(this, title, QString(), filter);
    if (path.isEmpty()) return std::nullopt;
    // The file system's own bytes for the name, as the program's paths hold them.
    return QFile::encodeName(path).toStdString();
}

void MainWindow::runWithProgress(const front::ProgressShown& shown, const front::BackgroundWork& work) {
    runWithProgressDialog(this, shown, work);
}

front::ImportAnswer MainWindow::askImport(const front::ImportDialog& dialog) { return askImportDialog(this, dialog); }

namespace {

// The one local file a drag carries; none for several, for none or for text.
std::optional<QString> droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return std::nullopt;
    return data->urls().front().toLocalFile();
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<QString> file = droppedFile(event->mimeData());
    if (!file) return;
    event->acceptProposedAction();
    // The file system's own bytes for the name, as the program's paths hold them.
    const std::string path = QFile::encodeName(*file).toStdString();
    // The drag's source waits for the drop to end: the import runs after it.
    auto* later = new QTimer(this);
    later->setSingleShot(true);
    connect(later, &QTimer::timeout, this, [this, later, path] {
        later->deleteLater();
        presenter_->fileDropped(path);
    });
    later->start(0);
}

bool MainWindow::askYesNo(const front::ShownText& caption, const front::ShownText& question) {
    return askQuestionBox(this, toQString(caption), toQString(question));
}

void MainWindow::showLines(const front::ShownText& title, const std::vector<front::ShownText>& lines) {
    QStringList shown;
    for (const front::ShownText& line : lines) shown.append(toQString(line));
    showLinesDialog(this, toQString(title), shown, toQString(front::fixedText(front::kCopyButton)),
                    toQString(front::fixedText(front::kCloseButton)));
}

front::ShownText MainWindow::clipboardText() const { return toShownText(QGuiApplication::clipboard()->text()); }

void MainWindow::setClipboardText(const front::ShownText& text) {
    QGuiApplication::clipboard()->setText(toQString(text));
}

void MainWindow::showError(const front::ShownText& caption, const front::ShownText& text) {
    report_(this, toQString(caption), toQString(text));
}

}  // namespace modsetup::qt
