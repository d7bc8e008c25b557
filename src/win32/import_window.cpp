#include "win32/import_window.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "win32/modal_window.h"

namespace modsetup::win32 {
namespace {

enum Column { SetColumn, SlotColumn, ContentsColumn, FindingsColumn, ActionColumn };
// The columns' widths at 96 DPI.
constexpr int kColumnWidths[] = {130, 130, 95, 110, 165};

class ImportWindow final : public ModalWindow {
public:
    ImportWindow(HWND owner, const front::ImportDialog& dialog, const front::TextCodec& codec)
        : ModalWindow(owner, codec.bytes(dialog.title), 660, 456), dialog_(dialog), codec_(codec) {
        addControl("STATIC", text(dialog.heading), SS_NOPREFIX, 12, 10, 636, 44);
        addControl("STATIC", text(dialog.listName) + ":", SS_NOPREFIX, 12, 58, 636, 16);
        list_ = addControl(WC_LISTVIEWA, {}, WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                           12, 76, 636, 180, kImportList);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
        for (std::size_t column = 0; column < dialog.columns.size(); ++column) {
            std::string heading = text(dialog.columns[column]);
            LVCOLUMNA entry{};
            entry.mask = LVCF_TEXT | LVCF_WIDTH;
            entry.pszText = heading.data();
            entry.cx = scaled(kColumnWidths[column % std::size(kColumnWidths)]);
            SendMessageA(list_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&entry));
        }
        addControl("STATIC", text(dialog.placeLabel), 0, 12, 268, 110, 18);
        places_ =
            addControl(WC_COMBOBOXA, {}, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 126, 264, 300, 200, kImportPlaces);
        addControl("STATIC", text(dialog.actionLabel), 0, 12, 298, 110, 18);
        actions_ = addControl(WC_COMBOBOXA, {}, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 126, 294, 400, 200,
                              kImportActions);
        addControl("STATIC", text(dialog.findingsLabel), SS_NOPREFIX, 12, 326, 636, 16);
        findings_ = addControl(WC_EDITA, {}, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 12,
                               344, 636, 66, kImportFindings, WS_EX_CLIENTEDGE);
        addControl("BUTTON", text(dialog.add), WS_TABSTOP | BS_DEFPUSHBUTTON, 458, 420, 90, 26, IDOK);
        addControl("BUTTON", text(dialog.cancel), WS_TABSTOP, 558, 420, 90, 26, IDCANCEL);

        for (std::size_t row = 0; row < dialog.rows.size(); ++row) {
            choices_.push_back({0, dialog.rows[row].places.front().defaultAction});
            std::string name = text(dialog.rows[row].name);
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(row);
            item.pszText = name.data();
            SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            setCell(row, ContentsColumn, dialog.rows[row].contents);
            showChoiceInList(row);
        }
        if (!dialog.rows.empty()) {
            LVITEMA state{};
            state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            state.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(list_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
        }
        showRow();
    }

    front::ImportAnswer ask() {
        runModal(list_);
        if (!accepted_) return std::nullopt;
        return choices_;
    }

private:
    std::string text(const front::ShownText& shown) const { return codec_.bytes(shown); }

    int currentRow() const {
        return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    void setCell(std::size_t row, int column, const front::ShownText& shown) {
        std::string cell = text(shown);
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = cell.data();
        SendMessageA(list_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }

    void showChoiceInList(std::size_t row) {
        const front::ImportChoice& choice = choices_[row];
        const front::ImportPlace& place = dialog_.rows[row].places[choice.place];
        setCell(row, SlotColumn, place.slot);
        setCell(row, FindingsColumn, place.findingsSummary);
        setCell(row, ActionColumn, place.actions[choice.action]);
    }

    // The drop-downs and the findings follow the list's current row.
    void showRow() {
        filling_ = true;
        SendMessageA(places_, CB_RESETCONTENT, 0, 0);
        SendMessageA(actions_, CB_RESETCONTENT, 0, 0);
        const int row = currentRow();
        std::string findings;
        if (row >= 0) {
            const front::ImportRow& shown = dialog_.rows[static_cast<std::size_t>(row)];
            const front::ImportChoice& choice = choices_[static_cast<std::size_t>(row)];
            for (const front::ImportPlace& place : shown.places)
                SendMessageA(places_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text(place.slot).c_str()));
            SendMessageA(places_, CB_SETCURSEL, choice.place, 0);
            const front::ImportPlace& place = shown.places[choice.place];
            for (const front::ShownText& action : place.actions)
                SendMessageA(actions_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text(action).c_str()));
            SendMessageA(actions_, CB_SETCURSEL, choice.action, 0);
            // The edit control breaks lines at CR LF.
            for (char32_t c : place.findings.empty() ? place.findingsSummary : place.findings) {
                if (c == U'\n') findings += "\r\n";
                else findings += text(front::ShownText(1, c));
            }
        }
        SetWindowTextA(findings_, findings.c_str());
        EnableWindow(places_, row >= 0 && SendMessageA(places_, CB_GETCOUNT, 0, 0) > 1);
        EnableWindow(actions_, row >= 0);
        filling_ = false;
    }

    void chosen(HWND from) {
        const int row = currentRow();
        if (filling_ || row < 0) return;
        const auto index = static_cast<std::size_t>(SendMessageA(from, CB_GETCURSEL, 0, 0));
        front::ImportChoice& choice = choices_[static_cast<std::size_t>(row)];
        if (from == places_) {
            choice.place = index;
            choice.action = dialog_.rows[static_cast<std::size_t>(row)].places[index].defaultAction;
            showRow();
        } else {
            choice.action = index;
        }
        showChoiceInList(static_cast<std::size_t>(row));
    }

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                accepted_ = LOWORD(wParam) == IDOK;
                end();
            } else if (HIWORD(wParam) == CBN_SELCHANGE) {
                chosen(reinterpret_cast<HWND>(lParam));
            }
            return 0;
        case WM_NOTIFY: {
            const auto* notice = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (notice->hdr.hwndFrom == list_ && notice->hdr.code == LVN_ITEMCHANGED &&
                (notice->uChanged & LVIF_STATE) && ((notice->uNewState ^ notice->uOldState) & LVIS_SELECTED))
                showRow();
            return 0;
        }
        case WM_CLOSE: end(); return 0;
        default: return ModalWindow::handleMessage(message, wParam, lParam);
        }
    }

    const front::ImportDialog& dialog_;
    const front::TextCodec& codec_;
    std::vector<front::ImportChoice> choices_;
    HWND list_ = nullptr;
    HWND places_ = nullptr;
    HWND actions_ = nullptr;
    HWND findings_ = nullptr;
    bool filling_ = false;  // the drop-downs are being filled, not chosen from
    bool accepted_ = false;
};

}  // namespace

front::ImportAnswer askImportWindow(HWND owner, const front::ImportDialog& dialog, const front::TextCodec& codec) {
    ImportWindow window(owner, dialog, codec);
    return window.ask();
}

}  // namespace modsetup::win32
