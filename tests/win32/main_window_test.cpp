// The Win32 window's own glue: the layout applied to the system's controls,
// pictures and labels drawn where they lie, the user's events reaching the
// presenter through the real controls, the error report's owner and focus,
// and closing. What the presenter decides is tested against a recording view
// (tests/front); the file work in the core tests.
#include "window_fixture.h"

namespace modsetup::win32 {
namespace {

TEST_F(MainWindowTest, LayoutIsAppliedToTheSystemsControls) {
    ASSERT_NE(window->handle(), nullptr);
    const front::OuterSize outer = front::computedOuterSize(window->layoutScale());
    RECT frame{};
    GetWindowRect(window->handle(), &frame);
    EXPECT_EQ(frame.left, front::kWindowLeft);
    EXPECT_EQ(frame.top, front::kWindowTop);
    EXPECT_EQ(frame.right - frame.left, outer.width);
    EXPECT_EQ(frame.bottom - frame.top, outer.height);
    RECT border{};
    AdjustWindowRectEx(&border, static_cast<DWORD>(GetWindowLongPtrA(window->handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window->handle(), GWL_EXSTYLE)));
    RECT client{};
    GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, outer.width - (border.right - border.left));
    EXPECT_EQ(client.bottom, outer.height - (border.bottom - border.top));
    EXPECT_EQ(GetWindowLongPtrA(window->handle(), GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

    // A sample of rows; the lists in the group box lie inside it as its siblings.
    const RECT group = layoutBounds("GroupBox1");
    RECT inGroup = layoutBounds("ComboBox16");
    OffsetRect(&inGroup, group.left, group.top);
    const struct {
        HWND control;
        RECT expected;
    } rows[] = {
        {comboBox(*window, kPrimary1).handle(), layoutBounds("ComboBox1")},
        {comboBox(*window, kSecondary4).handle(), layoutBounds("ComboBox14")},
        {comboBox(*window, kTeamBravo).handle(), inGroup},
        {groupBox1(*window), group},
        {checkBox1(*window), layoutBounds("CheckBox1")},
        {window->button(4), layoutBounds("Button4")},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(GetParent(row.control), window->handle());
        const RECT place = placeOf(row.control);
        EXPECT_TRUE(EqualRect(&place, &row.expected))
            << place.left << "," << place.top << " " << place.right << "," << place.bottom;
    }
    EXPECT_EQ(SendMessageA(comboBox(*window, kPrimary1).handle(), CB_GETITEMHEIGHT, 0, 0),
              scaled(front::kListEntryHeight));
    EXPECT_EQ(window->image(23).bounds().left, scaled(184));  // in the group box's own client area

    // The dialog font on every control: the design face at 11 pixels.
    for (HWND control : {window->button(1), checkBox1(*window), comboBox(*window, kPrimary3).handle()}) {
        const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        LOGFONTA described{};
        ASSERT_TRUE(GetObjectA(font, sizeof(described), &described));
        EXPECT_STREQ(described.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(described.lfHeight, -scaled(front::kFontPixels));
        EXPECT_EQ(described.lfWeight, FW_NORMAL);
    }
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, windowFont(*window));
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen, LF_FACESIZE, face);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    EXPECT_STREQ(face, "MS Sans Serif") << "the system lacks the design font";

    // Tab order: the lists, then Apply, Undo, Close, the check box and Play;
    // the group box lies beneath the lists placed in it.
    std::vector<HWND> expected;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) expected.push_back(comboBox(*window, slot).handle());
    expected.insert(expected.end(),
                    {window->button(1), window->button(2), window->button(3), checkBox1(*window), window->button(4)});
    std::vector<HWND> tabOrder{expected.front()};
    for (HWND next = GetNextDlgTabItem(window->handle(), expected.front(), FALSE);
         next != expected.front() && tabOrder.size() <= expected.size();
         next = GetNextDlgTabItem(window->handle(), next, FALSE))
        tabOrder.push_back(next);
    EXPECT_EQ(tabOrder, expected);
    EXPECT_EQ(GetWindow(groupBox1(*window), GW_HWNDLAST), groupBox1(*window));
}

TEST_F(MainWindowTest, LabelsAreDrawnInTheirFontsAndColours) {
    const Canvas groupBox(groupBox1(*window));
    EXPECT_GT(groupBox.count(window->label(17).bounds(), 0xFF0000), 0) << "Team Alpha in red";
    EXPECT_GT(groupBox.count(window->label(18).bounds(), 0x0000FF), 0) << "Team Bravo in blue";

    LOGFONTA confirmation{};
    GetObjectA(window->label(front::kConfirmationLabel).font(), sizeof(confirmation), &confirmation);
    EXPECT_EQ(confirmation.lfHeight, -scaled(13));
    EXPECT_EQ(confirmation.lfWeight, FW_BOLD);

    const RECT bounds = window->label(front::kConfirmationLabel).bounds();
    const int area = (bounds.right - bounds.left) * (bounds.bottom - bounds.top);
    const std::uint32_t face = rgbOf(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Canvas(window->handle()).count(bounds, face), area) << "hidden at start";
    window->setConfirmationShown(true);
    EXPECT_LT(Canvas(window->handle()).count(bounds, face), area);
}

TEST_F(MainWindowTest, PicturesAreDrawnOverEachOtherWithTheirTransparentColour) {
    // Image16 overlaps Image15 and is drawn over it. Its top-left pixel has the
    // transparent colour, and it is larger than its bounds.
    const auto solid = [](int width, int height, std::uint32_t pixel) {
        return Picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, pixel)};
    };
    window->showPicture(15, solid(scaled(57), scaled(25), 0xFFFF0000));
    Picture over = solid(scaled(57) + 10, scaled(25) + 10, 0xFF0000FF);
    over.pixels[0] = 0x00FFFFFF;
    window->showPicture(16, over);
    window->showPicture(23, solid(4, 4, 0xFF00FF00));

    const Canvas canvas(window->handle());
    const RECT image16 = window->image(16).bounds();
    const std::uint32_t face = rgbOf(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.pixel(image16.left, image16.top), 0xFF0000u) << "Image15 shows through";
    EXPECT_EQ(canvas.pixel(image16.left + 1, image16.top), 0x0000FFu);
    EXPECT_EQ(canvas.pixel(image16.right - 1, image16.top + 1), 0x0000FFu);
    EXPECT_EQ(canvas.pixel(image16.right, image16.top + 1), face) << "clipped to its bounds";
    EXPECT_EQ(canvas.pixel(image16.left + 1, image16.bottom), face) << "clipped to its bounds";

    const Canvas groupBox(groupBox1(*window));
    const RECT image23 = window->image(23).bounds();
    EXPECT_EQ(groupBox.pixel(image23.left + 3, image23.top + 3), 0x00FF00u);
    EXPECT_EQ(groupBox.pixel(image23.left + 4, image23.top + 3), face) << "at its own size";
}

TEST_F(MainWindowTest, APickReachesThePresenter) {
    ASSERT_TRUE(reports.empty()) << reports.front().text;
    EXPECT_EQ(markerAt(Canvas(window->handle()), 1), kSetMarkers.at("Beta"));

    // Up in the edit field picks the entry before the set shown, as on the keyboard.
    SendMessageA(comboBox(*window, kPrimary1).editHandle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(presenter(*window).listBytes(kPrimary1), "Alpha");
    EXPECT_EQ(window->listEdit(kPrimary1).text, fixedText("Alpha"));
    EXPECT_EQ(markerAt(Canvas(window->handle()), 1), kSetMarkers.at("Alpha"));

    // A list inside the group box reports to the window too: its set has no
    // pictures, so the handler's error report shows that it ran.
    SendMessageA(comboBox(*window, kTeamBravo).editHandle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(presenter(*window).listBytes(kTeamBravo), "Empty");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].text.find("gostek\\Empty"), std::string::npos) << reports[0].text;
    EXPECT_EQ(reports[0].owner, window->handle());
    EXPECT_EQ(reports[0].caption, "Window Title");
}

TEST_F(MainWindowTest, APickSelectsTheWholeTextForTheNextLetter) {
    window->show(SW_SHOW);
    SetForegroundWindow(window->handle());
    HWND field = comboBox(*window, kPrimary1).editHandle();
    SetFocus(field);                            // as in every pick by the user
    SendMessageA(field, WM_KEYDOWN, VK_UP, 0);  // picks Alpha, before the set shown
    SendMessageA(field, WM_CHAR, 'b', 0);
    EXPECT_EQ(window->listEdit(kPrimary1), (ListEdit{fixedText("beta"), 1, 3}));
}

TEST_F(MainWindowTest, TheWheelChangesOnlyAFocusedList) {
    window->show(SW_SHOW);
    SetForegroundWindow(window->handle());
    SetFocus(window->button(1));
    const SlotList& list = comboBox(*window, kPrimary1);
    const WPARAM up = MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA));
    for (HWND target : {list.editHandle(), list.handle()}) SendMessageA(target, WM_MOUSEWHEEL, up, 0);
    EXPECT_EQ(window->listEdit(kPrimary1).text, fixedText("Beta"));

    SetFocus(list.editHandle());
    SendMessageA(list.handle(), WM_MOUSEWHEEL, up, 0);
    EXPECT_EQ(window->listEdit(kPrimary1).text, fixedText("Alpha"));
    EXPECT_EQ(markerAt(Canvas(window->handle()), 1), kSetMarkers.at("Alpha"));
}

// Pictures are drawn by the window, which finds the one clicked: the last
// drawn where two overlap; the shot key comes through the message loop's
// forwarding. The tooltip control asks the window for each text.
TEST_F(MainWindowTest, ClicksTheShotKeyAndTooltipsReachThePresenter) {
    const std::string shot = testing::pcmWave("beta");
    writeFile(game / "modsetup/1/Beta/sfx/deserteagle-fire.wav", shot);
    writeFile(game / "modsetup/1/Beta/name.txt", "Beta Eagle\r\n");
    const RECT image1 = window->image(1).bounds();
    const RECT image2 = window->image(2).bounds();  // over Image1's lower part; slot 2 names no set
    const auto click = [this](int x, int y) {
        SendMessageA(window->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    };
    click(image1.left + 1, image1.top + 1);
    click(image2.left + 1, image2.top + 1);
    window->show(SW_SHOW);
    SetForegroundWindow(window->handle());
    HWND field = comboBox(*window, kPrimary1).editHandle();
    SetFocus(field);
    EXPECT_TRUE(window->forwardKey({field, WM_KEYDOWN, VK_F5, 0, 0, {}}));
    EXPECT_EQ(audio.played, (std::vector<std::string>{shot, shot}));

    // TTM_GETTEXTA gives the text's beginning only (80 bytes).
    std::string expected;
    for (char32_t c : presenter(*window).listTooltip(kPrimary1))
        expected += c == U'\n' ? "\r\n" : std::string(1, char(c));
    for (const UINT_PTR tool : {UINT_PTR{16}, reinterpret_cast<UINT_PTR>(comboBox(*window, kPrimary1).editHandle())}) {
        char text[4096] = {};
        TTTOOLINFOA info{sizeof(info), 0, window->handle(), tool, {}, nullptr, text, 0, nullptr};
        SendMessageA(tooltips(*window), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(expected.substr(0, std::max<std::size_t>(std::strlen(text), 12)), text);
    }
    EXPECT_TRUE(reports.empty());
}

// Keystrokes sent to a list's edit field, as the keyboard sends them.
struct Keystroke {
    UINT message;  // WM_CHAR or WM_KEYDOWN
    WPARAM key;
};

struct TypingRow {
    const char* name;
    ListEdit before;  // set by the program, so no event
    std::vector<Keystroke> keys;
    ListEdit after;
    std::size_t handlerReports;  // the handler ran on a name that is no set
    std::uint32_t image1;        // the marker Image1 shows afterwards
};

TEST_F(MainWindowTest, KeystrokesReachThePresenter) {
    const auto edit = [](const char* text, std::size_t start, std::size_t length) {
        return ListEdit{fixedText(text), start, length};
    };
    const std::uint32_t alpha = kSetMarkers.at("Alpha");
    const std::uint32_t beta = kSetMarkers.at("Beta");
    const TypingRow rows[] = {
        {"a letter completes an entry", edit("Beta", 0, 4), {{WM_CHAR, 'a'}}, edit("alpha", 1, 4), 0, alpha},
        {"a letter no entry begins with", edit("Beta", 4, 0), {{WM_CHAR, 'x'}}, edit("Betax", 5, 0), 1, beta},
        {"backspace", edit("Beta", 4, 0), {{WM_CHAR, '\b'}}, edit("Bet", 3, 0), 1, beta},
        {"delete", edit("Beta", 0, 0), {{WM_KEYDOWN, VK_DELETE}}, edit("eta", 0, 0), 1, beta},
        {"enter", edit("Beta", 4, 0), {{WM_CHAR, '\r'}}, edit("Beta", 4, 0), 0, beta},
        {"completion then backspace", edit("", 0, 0), {{WM_CHAR, 'A'}, {WM_CHAR, '\b'}}, edit("A", 1, 0), 1, alpha},
    };
    for (const TypingRow& row : rows) {
        SCOPED_TRACE(row.name);
        reports.clear();
        presenter(*window).windowCreated();  // back to Beta
        window->setListEdit(kPrimary1, row.before);
        HWND field = comboBox(*window, kPrimary1).editHandle();
        for (const Keystroke& key : row.keys) SendMessageA(field, key.message, key.key, 0);
        EXPECT_EQ(window->listEdit(kPrimary1), row.after);
        EXPECT_EQ(reports.size(), row.handlerReports);
        EXPECT_EQ(markerAt(Canvas(window->handle()), 1), row.image1);
    }
}

// The program's own report: a real message box, found and dismissed by
// another thread as a user would.
TEST_F(MainWindowTest, TheProgramsReportIsAMessageBoxOwnedByTheWindow) {
    window = std::make_unique<MainWindow>(host, audio, showErrorBox);
    window->show(SW_SHOW);
    SetForegroundWindow(window->handle());
    HWND field = comboBox(*window, kPrimary3).editHandle();
    SetFocus(field);

    HWND owner = nullptr;
    std::string text(512, '\0');
    std::thread user([&] {
        HWND box = nullptr;
        for (int tries = 0; tries < 1000 && box == nullptr; ++tries, Sleep(10))
            box = FindWindowA("#32770", "Window Title");
        if (box == nullptr) return;  // no box: the handler has returned already
        owner = GetWindow(box, GW_OWNER);
        text.resize(static_cast<std::size_t>(GetDlgItemTextA(box, 0xFFFF, text.data(), static_cast<int>(text.size()))));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(field, WM_CHAR, 'x', 0);  // no set "x": the handler reports
    user.join();
    EXPECT_EQ(owner, window->handle());
    EXPECT_EQ(text.rfind("Cannot open file", 0), 0u) << text;
    EXPECT_EQ(GetFocus(), field);
}

TEST_F(MainWindowTest, CloseAndPlayCloseTheWindowAndEndTheLoop) {
    const struct {
        const char* name;
        int button;  // clicked; 0: the frame's close instead
        std::size_t opened;
    } rows[] = {
        {"Close", 3, 0},
        {"the frame's close", 0, 0},
        {"Play", 4, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        window = std::make_unique<MainWindow>(host, audio,
                                              [this](HWND owner, const std::string& caption, const std::string& text) {
                                                  reports.push_back({owner, caption, text});
                                              });
        window->show(SW_SHOWNOACTIVATE);
        const HWND shown = window->handle();
        host.opened.clear();
        if (row.button != 0) SendMessageA(window->button(row.button), BM_CLICK, 0, 0);
        else SendMessageA(shown, WM_CLOSE, 0, 0);
        EXPECT_EQ(window->handle(), nullptr);
        EXPECT_FALSE(IsWindow(shown));
        MSG message{};
        EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
        ASSERT_EQ(host.opened.size(), row.opened);
        if (row.opened != 0) {
            EXPECT_EQ(host.opened[0].second, reinterpret_cast<WindowHandle>(shown)) << "Play's owner";
        }
        EXPECT_TRUE(reports.empty());
    }
}

// The clipboard holds the code page's bytes as CF_TEXT, lines ended by CR
// LF, a name's 8-bit bytes exact; the dialog of lines copies its lines whole
// and closes on Escape.
TEST_F(MainWindowTest, TheClipboardAndTheDialogOfLinesKeepTheBytes) {
    window->setClipboardText(front::ShownText(U"Primary weapon 1: D\u00e9sert\nUse Modified Weapons: no\n"));
    EXPECT_EQ(window->clipboardText(),
              front::ShownText(U"Primary weapon 1: D\u00e9sert\r\nUse Modified Weapons: no\r\n"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto* bytes = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
    const std::string held = bytes != nullptr ? bytes : "";
    GlobalUnlock(GetClipboardData(CF_TEXT));
    CloseClipboard();
    EXPECT_EQ(held, "Primary weapon 1: D\xE9sert\r\nUse Modified Weapons: no\r\n");

    bool escapeClosed = false;
    std::thread user([&escapeClosed] {
        HWND dialog = nullptr;
        for (int tries = 0; tries < 1000 && dialog == nullptr; ++tries, Sleep(10))
            dialog = FindWindowA("ModsetupModalWindow", "The title");
        if (dialog == nullptr) return;
        SendMessageA(dialog, WM_COMMAND, 100, 0);  // Copy
        // Escape in the text, which has the focus, closes the dialog.
        PostMessageA(FindWindowExA(dialog, nullptr, "EDIT", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
        for (int tries = 0; tries < 200 && IsWindow(dialog); ++tries) Sleep(10);
        escapeClosed = !IsWindow(dialog);
        if (!escapeClosed) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    window->showLines(U"The title", {U"one", U"    two \u00e9"});
    user.join();
    EXPECT_TRUE(escapeClosed);
    EXPECT_EQ(window->clipboardText(), front::ShownText(U"one\r\n    two \u00e9\r\n"));
    EXPECT_TRUE(IsWindowEnabled(window->handle()));
}

}  // namespace
// The window menu's entries stand in the system menu, made available or
// not as it opens; one chosen there is carried out: Restore, after an Apply,
// asks, and on Yes loads the window again.
TEST_F(MainWindowTest, TheWindowMenuStandsInTheSystemMenu) {
    HMENU menu = GetSystemMenu(window->handle(), FALSE);
    ASSERT_NE(menu, nullptr);
    const auto entries = [&] {
        SendMessageW(window->handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
        std::vector<std::wstring> shown;
        const int count = GetMenuItemCount(menu);
        for (int i = count - 8; i < count; ++i) {
            wchar_t caption[128]{};
            GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
            const bool grey = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0;
            shown.push_back(grey ? L"(" + std::wstring(caption) + L")" : std::wstring(caption));
        }
        return shown;
    };
    EXPECT_EQ(entries(), (std::vector<std::wstring>{
                             L"(Restore the files from before the last Apply)", L"(Restore the mod's original files)",
                             L"Save choices as\u2026", L"Load choices\u2026", L"Show what Apply will change",
                             L"Copy choices as text", L"Paste choices", L"Add sets from an archive\u2026"}));
    presenter(*window).applyPressed();
    EXPECT_EQ(entries().front(), L"Restore the files from before the last Apply");

    // The restore asks first, in the system's question box titled as the
    // window: Escape and its close box leave everything, Return restores.
    const UINT restoreLast = GetMenuItemID(menu, GetMenuItemCount(menu) - 8);
    const std::pair<WPARAM, bool> answers[] = {{VK_ESCAPE, false}, {0, false}, {VK_RETURN, true}};
    for (const auto& [key, restores] : answers) {
        SCOPED_TRACE(key);
        window->setListEdit(kPrimary1, ListEdit{fixedText("Alpha"), 5, 0});
        bool asked = false;
        std::thread user([&, key = key] {
            HWND box = nullptr;
            for (int tries = 0; tries < 1000 && box == nullptr; ++tries, Sleep(10))
                box = FindWindowA("#32770", "Window Title");
            if (box == nullptr) return;
            asked = GetWindow(box, GW_OWNER) == window->handle();
            if (key != 0) PostMessageA(box, WM_KEYDOWN, key, 0);
            else PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        SendMessageA(window->handle(), WM_SYSCOMMAND, restoreLast, 0);
        user.join();
        EXPECT_TRUE(asked);
        EXPECT_EQ(window->listEdit(kPrimary1).text, fixedText(restores ? "Beta" : "Alpha")) << "loaded again";
        EXPECT_EQ(entries().front(), restores ? L"(Restore the files from before the last Apply)"
                                              : L"Restore the files from before the last Apply");
    }
    EXPECT_TRUE(reports.empty());
}

}  // namespace modsetup::win32
