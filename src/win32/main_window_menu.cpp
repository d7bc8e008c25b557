// The Win32 main window's menu (front/window_menu.h): opened by a right-click
// on the window's background or the menu key, its entries also in the
// window's system menu, the system's file dialogs its commands ask with, the
// dialog of lines and the clipboard.
#include "win32/main_window.h"

#include <commdlg.h>

#include <array>

#include "front/messages.h"
#include "win32/import_window.h"
#include "win32/lines_dialog.h"
#include "win32/progress_window.h"

namespace modsetup::win32 {
namespace {

using front::WindowCommand;

// Menu item and system command ids of the commands, in their order. The
// system keeps the low four bits of a system command for itself.
constexpr std::array kCommands{WindowCommand::RestoreLast,  WindowCommand::RestoreOriginal, WindowCommand::SaveChoices,
                               WindowCommand::LoadChoices,  WindowCommand::ShowApplyPlan,   WindowCommand::CopyChoices,
                               WindowCommand::PasteChoices, WindowCommand::AddFromArchive};
constexpr UINT kFirstCommandId = 0x100;
constexpr UINT kCommandIdStep = 0x10;

UINT commandId(WindowCommand command) {
    for (std::size_t i = 0; i < kCommands.size(); ++i)
        if (kCommands[i] == command) return kFirstCommandId + static_cast<UINT>(i) * kCommandIdStep;
    return 0;
}

std::optional<WindowCommand> commandOfId(UINT id) {
    for (const WindowCommand command : kCommands)
        if (commandId(command) == id) return command;
    return std::nullopt;
}

// A menu entry's caption in UTF-16: the menu is drawn by the system, which
// takes any character, not only the code page's.
std::wstring wideCaption(const front::ShownText& text) {
    std::wstring wide;
    for (char32_t c : text) {
        if (c < 0x10000) {
            wide += static_cast<wchar_t>(c);
        } else {
            wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return wide;
}

}  // namespace

void MainWindow::addSystemMenuEntries() {
    HMENU system = GetSystemMenu(window_, FALSE);
    if (system == nullptr) return;
    AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
    for (const front::MenuItem& item : presenter_->menuItems())
        AppendMenuW(system, MF_STRING, commandId(item.command), wideCaption(item.caption).c_str());
}

void MainWindow::updateSystemMenu(HMENU menu) {
    for (const front::MenuItem& item : presenter_->menuItems())
        EnableMenuItem(menu, commandId(item.command), MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
}

bool MainWindow::systemCommand(WPARAM command) {
    const std::optional<WindowCommand> chosen = commandOfId(static_cast<UINT>(command & 0xFFF0));
    if (!chosen) return false;
    presenter_->runCommand(*chosen);
    return true;
}

std::optional<WindowCommand> MainWindow::showMenu(const std::vector<front::MenuItem>& items,
                                                  const front::MenuOpening& opening) {
    const std::optional<front::MenuPoint>& at = opening.at;
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return std::nullopt;
    for (const front::MenuItem& item : items)
        AppendMenuW(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), commandId(item.command),
                    wideCaption(item.caption).c_str());
    // By the mouse, or from the keyboard below the focused control's top-left corner.
    POINT place{at ? at->x : 0, at ? at->y : 0};
    HWND origin = window_;
    if (!at) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) origin = focus;
        RECT bounds{};
        GetClientRect(origin, &bounds);
        place = {0, bounds.bottom};
    }
    ClientToScreen(origin, &place);
    popTooltip();
    shownMenu_ = ShownMenu{menu, nullptr, opening.firstEntryCurrent};
    // Without TPM_NONOTIFY the window hears of the menu's idling and
    // selections (menuMessage); the command chosen is returned, not sent.
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, place.x, place.y, 0, window_, nullptr));
    shownMenu_.reset();
    DestroyMenu(menu);
    return commandOfId(chosen);
}

// The window's menu as screen readers meet it: its start and each entry
// that becomes current, an unavailable one too (the arrow keys reach every
// entry of the system's menus), told as the system's own menus tell them.
void MainWindow::menuMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!shownMenu_) return;
    ShownMenu& shown = *shownMenu_;
    switch (message) {
    case WM_ENTERIDLE:
        // The menu's loop idles first once the menu shows.
        if (wParam != MSGF_MENU || shown.window != nullptr) return;
        shown.window = reinterpret_cast<HWND>(lParam);
        NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, shown.window, OBJID_CLIENT, CHILDID_SELF);
        // The loop reads this key next: Down from no entry makes the first one current.
        if (shown.firstEntryCurrent) PostMessageA(window_, WM_KEYDOWN, VK_DOWN, 0);
        return;
    case WM_MENUSELECT: {
        if (shown.window == nullptr || reinterpret_cast<HMENU>(lParam) != shown.menu) return;
        const int count = GetMenuItemCount(shown.menu);
        for (int position = 0; position < count; ++position)
            if (GetMenuItemID(shown.menu, position) == LOWORD(wParam))
                NotifyWinEvent(EVENT_OBJECT_FOCUS, shown.window, OBJID_CLIENT, position + 1);
        return;
    }
    default: return;
    }
}

bool MainWindow::askYesNo(const front::ShownText& caption, const front::ShownText& question) {
    HWND focus = GetFocus();
    const bool yes = askQuestionBox(window_, codec_.bytes(caption), codec_.bytes(question));
    if (focus != nullptr && IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
    return yes;
}

void MainWindow::showLines(const front::ShownText& title, const std::vector<front::ShownText>& lines) {
    std::string text;
    for (const front::ShownText& line : lines) text += codec_.bytes(line) + "\r\n";
    HWND focus = GetFocus();
    showLinesDialog(window_, codec_.bytes(title), text, codec_.bytes(front::fixedText(front::kCopyButton)),
                    codec_.bytes(front::fixedText(front::kCloseButton)));
    if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
}

front::ShownText MainWindow::clipboardText() const { return codec_.shown(win32::clipboardText(window_)); }

void MainWindow::setClipboardText(const front::ShownText& text) {
    // The clipboard's lines end in CR LF on Windows.
    std::string bytes;
    for (const char c : codec_.bytes(text)) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    win32::setClipboardText(window_, bytes);
}

std::optional<std::string> MainWindow::askForFile(const front::FileQuestion& question) {
    // The program's bytes are those of the code page: the dialog's ANSI form
    // gives a path in them.
    std::array<char, 32768> file{};
    const std::string title = codec_.bytes(question.title);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window_;
    // Pairs of a shown name and a pattern, each ended by a NUL, the list by
    // another; any file is "*.*" to the system's dialog.
    std::string filter;
    for (const front::FileKind& kind : question.kinds) {
        const std::string pattern = kind.pattern == "*" ? "*.*" : kind.pattern;
        filter += codec_.bytes(kind.name) + " (" + pattern + ")";
        filter += '\0';
        filter += pattern;
        filter += '\0';
    }
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = question.defaultSuffix.empty() ? nullptr : question.defaultSuffix.c_str();
    dialog.Flags = OFN_NOCHANGEDIR | (question.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL picked = question.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!picked) return std::nullopt;
    return std::string(file.data());
}

void MainWindow::runWithProgress(const front::ProgressShown& shown, const front::BackgroundWork& work) {
    runWithProgressWindow(window_, shown, work, codec_);
}

front::ImportAnswer MainWindow::askImport(const front::ImportDialog& dialog) {
    return askImportWindow(window_, dialog, codec_);
}

void MainWindow::filesDropped(HDROP drop) {
    std::string path;
    if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        path.resize(DragQueryFileA(drop, 0, nullptr, 0) + 1);
        path.resize(DragQueryFileA(drop, 0, path.data(), static_cast<UINT>(path.size())));
    }
    DragFinish(drop);
    // The path in the code page's bytes, as the user's own paths are used.
    if (!path.empty()) presenter_->fileDropped(path);
}

}  // namespace modsetup::win32
