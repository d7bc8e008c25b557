// The Win32 window's part in adding sets from an archive, as glue: a file
// dropped on the window (WM_DROPFILES) is read behind the progress window,
// its sets shown in the import window, whose list and drop-downs follow
// their labels and which the dialog keys drive (Tab, Return); the list of
// the slot then offers the new set.
#include <cstring>

#include "archive_builder.h"
#include "win32/import_window.h"
#include "window_fixture.h"

// After windows.h, which the fixture brings: DROPFILES.
#include <shlobj.h>

namespace modsetup::win32 {
namespace {

// A drop of one file, as the shell hands it to the window.
HDROP dropOf(const std::string& path) {
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() + 1);
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::string textOf(HWND control) {
    std::string text(256, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

TEST_F(MainWindowTest, ADroppedArchiveIsShownAndAddedByTheKeyboard) {
    std::map<std::string, std::string> files;  // a file two pictures show is written twice
    testing::writePreviewSet([&files](const std::string& path, std::string bytes) { files[path] = std::move(bytes); },
                             kPrimary1, "Silver");
    std::vector<testing::ArchiveItem> items;
    for (auto& [name, bytes] : files) items.push_back({testing::ArchiveItem::File, name, bytes});  // "1/Silver/..."
    writeFile(game / "silver.zip", testing::makeArchive(testing::ArchiveFormat::ZipDeflated, items));
    window->show(SW_SHOW);

    std::vector<std::string> seen;  // the labels before the controls, the first row, the focus after Tab
    std::thread user([&seen, thread = GetCurrentThreadId()] {
        HWND dialog = nullptr;
        for (int tries = 0; tries < 1000 && dialog == nullptr; ++tries, Sleep(10)) {
            HWND found = FindWindowA("ModsetupModalWindow", nullptr);
            if (found != nullptr && IsWindowVisible(found) && GetDlgItem(found, kImportList) != nullptr) dialog = found;
        }
        if (dialog == nullptr) return;
        for (int id : {kImportList, kImportPlaces, kImportActions})
            seen.push_back(textOf(GetWindow(GetDlgItem(dialog, id), GW_HWNDPREV)));
        std::string name(64, '\0');
        LVITEMA item{};
        item.pszText = name.data();
        item.cchTextMax = static_cast<int>(name.size());
        name.resize(static_cast<std::size_t>(
            SendMessageA(GetDlgItem(dialog, kImportList), LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item))));
        seen.push_back(name);
        GUITHREADINFO focus{};
        focus.cbSize = sizeof focus;
        PostMessageA(GetDlgItem(dialog, kImportList), WM_KEYDOWN, VK_TAB, 0);
        for (int tries = 0; tries < 100; ++tries, Sleep(10))
            if (GetGUIThreadInfo(thread, &focus) && focus.hwndFocus != GetDlgItem(dialog, kImportList)) break;
        seen.push_back(std::to_string(GetDlgCtrlID(focus.hwndFocus)));
        PostMessageA(focus.hwndFocus, WM_KEYDOWN, VK_RETURN, 0);
    });
    SendMessageA(window->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf((game / "silver.zip").string())), 0);
    user.join();
    EXPECT_EQ(seen, (std::vector<std::string>{"Sets in the archive:", "&Slot:", "&What to do:", "Silver",
                                              std::to_string(kImportActions)}));
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(std::filesystem::exists(game / "modsetup/1/Silver"));
    EXPECT_GE(SendMessageA(comboBox(*window, kPrimary1).handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("Silver")),
              0);
}

}  // namespace
}  // namespace modsetup::win32
