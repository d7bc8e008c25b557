// The Win32 window at every scale, by keyboard and through the system's
// accessibility interface, as glue: the real controls inside the client
// area and pictures magnified at each scale the system may tell the window;
// the keys the message loop forwards reaching the presenter; and what a
// screen reader reads through oleacc.
#include "front/messages.h"
#include "window_fixture.h"

#include <oleacc.h>

#include "front/accessibility.h"

namespace modsetup::win32 {
namespace {

// A scale as the system tells it when the window moves to another monitor:
// the new pixels per inch and the rectangle it suggests.
void moveToDpi(const MainWindow& window, int dpi) {
    RECT frame;
    GetWindowRect(window.handle(), &frame);
    const front::OuterSize outer = front::computedOuterSize(dpi / 96.0);
    RECT suggested{frame.left, frame.top, frame.left + outer.width, frame.top + outer.height};
    SendMessageA(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

SIZE textExtent(HWND control, const std::string& text) {
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size;
}

TEST_F(MainWindowTest, AtEveryScaleEveryControlLiesInsideTheClientAreaUncut) {
    for (const int dpi : {120, 144, 192, 96}) {
        SCOPED_TRACE(dpi);
        moveToDpi(*window, dpi);
        EXPECT_EQ(window->layoutScale(), dpi / 96.0);
        RECT client;
        GetClientRect(window->handle(), &client);
        for (std::size_t row = 0; row < front::kLayout.size(); ++row) {
            const front::ControlLayout& layout = front::kLayout[row];
            HWND control = nullptr;
            RECT place{};
            if (layout.kind == front::ControlKind::List) control = comboBox(*window, layout.slot).handle();
            else if (layout.kind == front::ControlKind::Button) control = window->button(layout.number);
            else if (layout.kind == front::ControlKind::CheckBox) control = checkBox1(*window);
            else if (layout.kind == front::ControlKind::GroupBox) control = groupBox1(*window);
            if (control != nullptr) {
                place = placeOf(control);
                if (layout.kind == front::ControlKind::List) place.bottom = place.top + scaled(layout.height);
            } else {
                place = layout.kind == front::ControlKind::Picture ? window->image(layout.number).bounds()
                                                                   : window->label(layout.number).bounds();
                if (layout.parent == front::ControlParent::GroupBox1) {
                    const RECT group = placeOf(groupBox1(*window));
                    OffsetRect(&place, group.left, group.top);
                }
            }
            RECT inside;
            IntersectRect(&inside, &place, &client);
            EXPECT_TRUE(EqualRect(&inside, &place)) << layout.name;
            if (control == nullptr || layout.caption.empty() || layout.kind == front::ControlKind::GroupBox) continue;
            // The caption fits: a button's within its frame, the check box's beside its box.
            const SIZE caption = textExtent(control, front::accessibleName(layout));
            const int room =
                (place.right - place.left) - (layout.kind == front::ControlKind::CheckBox ? scaled(17) : scaled(4));
            EXPECT_LE(caption.cx, room) << layout.name;
            EXPECT_LE(caption.cy, place.bottom - place.top) << layout.name;
        }
    }
}

// A picture's pixels are magnified by the scale, each one a sharp block.
TEST_F(MainWindowTest, PicturesAreMagnifiedByTheScale) {
    moveToDpi(*window, 192);
    window->showPicture(15, Picture{3, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF00FF00, 0xFF0000FF, 0xFFFF0000}});
    const Canvas canvas(window->handle());
    const RECT image = window->image(15).bounds();
    const std::uint32_t expected[4][6] = {{0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF},
                                          {0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF},
                                          {0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000},
                                          {0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(canvas.pixel(image.left + x, image.top + y), expected[y][x]) << x << "," << y;
    EXPECT_EQ(canvas.pixel(image.left + 6, image.top), rgbOf(GetSysColor(COLOR_BTNFACE)));
}

// What the message loop hands the window before the dialog keys.
MSG key(HWND target, UINT message, WPARAM code) { return {target, message, code, 0, 0, {}}; }

void holdKey(int heldKey, bool held) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[heldKey] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST_F(MainWindowTest, TheLoopsKeysReachThePresenter) {
    window->show(SW_SHOW);
    SetForegroundWindow(window->handle());
    HWND field = comboBox(*window, kPrimary1).editHandle();
    SetFocus(field);

    // Alt with a letter: the access key of the check box, nothing typed.
    EXPECT_TRUE(window->forwardKey(key(field, WM_SYSCHAR, 'm')));
    EXPECT_TRUE(window->checkBoxTicked());
    EXPECT_TRUE(window->forwardKey(key(field, WM_SYSCHAR, 'q')));  // marks nothing
    EXPECT_EQ(window->listEdit(kPrimary1).text, fixedText("Beta"));

    // Return on a focused button presses it: Undo reads the choices again.
    window->setListEdit(kPrimary1, ListEdit{fixedText("Other"), 5, 0});
    SetFocus(window->button(2));
    EXPECT_TRUE(window->forwardKey(key(window->button(2), WM_KEYDOWN, VK_RETURN)));
    EXPECT_EQ(window->listEdit(kPrimary1).text, fixedText("Beta"));

    // The tooltip key shows the list's tooltip without the mouse.
    SetFocus(field);
    holdKey(VK_CONTROL, true);
    EXPECT_TRUE(window->forwardKey(key(field, WM_KEYDOWN, VK_F1)));
    holdKey(VK_CONTROL, false);
    char text[4096] = {};
    TTTOOLINFOA tool{sizeof(tool), 0, window->handle(), 1000, {}, nullptr, text, 0, nullptr};
    SendMessageA(tooltips(*window), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::string(text).rfind("\r\nnot installed yet", 0), 0u) << text;  // "Beta" has no name.txt
    EXPECT_TRUE(IsWindowVisible(tooltips(*window)));
    EXPECT_FALSE(window->forwardKey(key(field, WM_KEYDOWN, VK_F1)));  // without Ctrl: the edit field's

    // The access keys are underlined only while Alt is held: the captions
    // carry their markers then.
    const auto caption = [&] {
        char text[64] = {};
        GetWindowTextA(window->button(1), text, sizeof text);
        return std::string(text);
    };
    EXPECT_EQ(caption(), "Apply");
    window->forwardKey(key(field, WM_SYSKEYDOWN, VK_MENU));
    EXPECT_EQ(caption(), "&Apply");
    window->forwardKey(key(field, WM_KEYUP, VK_MENU));
    EXPECT_EQ(caption(), "Apply");
    EXPECT_TRUE(reports.empty());
}

// A string of the accessibility interface as UTF-8 (the names here are ASCII).
std::string narrow(BSTR text) {
    std::string out;
    for (UINT i = 0; text != nullptr && i < SysStringLen(text); ++i) out += static_cast<char>(text[i]);
    SysFreeString(text);
    return out;
}

VARIANT childId(long id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

struct Presented {
    std::string name;
    long role;
    long state;
};

Presented presented(IAccessible* object, long id) {
    BSTR name = nullptr;
    object->get_accName(childId(id), &name);
    VARIANT role;
    VARIANT state;
    VariantInit(&role);
    VariantInit(&state);
    object->get_accRole(childId(id), &role);
    object->get_accState(childId(id), &state);
    return {narrow(name), role.vt == VT_I4 ? role.lVal : -1, state.vt == VT_I4 ? state.lVal : -1};
}

IAccessible* objectOf(HWND window) {
    void* object = nullptr;
    return SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, &object))
               ? static_cast<IAccessible*>(object)
               : nullptr;
}

std::vector<std::pair<HWND, long>> alerts;
void CALLBACK recordAlert(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) alerts.emplace_back(window, child);
}

TEST_F(MainWindowTest, AScreenReaderReadsWhatTheWindowShows) {
    CoInitialize(nullptr);
    writeFile(game / "modsetup/1/Beta/sfx/deserteagle-fire.wav", testing::pcmWave("beta"));
    IAccessible* client = objectOf(window->handle());
    ASSERT_NE(client, nullptr);

    // The lists and their edit fields, named by slot and described by their tooltips.
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        for (HWND part : {comboBox(*window, slot).handle(), comboBox(*window, slot).editHandle()}) {
            IAccessible* list = objectOf(part);
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(presented(list, CHILDID_SELF).name, std::string(front::kListNames[slot]));
            BSTR description = nullptr;
            list->get_accDescription(childId(CHILDID_SELF), &description);
            std::string expected;
            for (char32_t c : presenter(*window).listTooltip(slot)) expected += static_cast<char>(c);
            EXPECT_EQ(narrow(description), expected);
            list->Release();
        }

    // The window's children: every control but the two soldier pictures, the
    // drawn ones as elements of its own.
    long count = 0;
    client->get_accChildCount(&count);
    EXPECT_EQ(count, 80);
    const struct {
        const char* control;
        std::string name;
        long role;
    } rows[] = {
        {"Label1", "Primary Weapons:", ROLE_SYSTEM_STATICTEXT},
        {"Label12", "10.", ROLE_SYSTEM_STATICTEXT},
        {"Label17", "Team Alpha:", ROLE_SYSTEM_STATICTEXT},
        {"Image16", "Play the shot: Primary weapon 1", ROLE_SYSTEM_PUSHBUTTON},
        {"Image41", "Play the shot: Secondary weapon 3", ROLE_SYSTEM_PUSHBUTTON},
        {"Label19", "Your Settings have been applied.", ROLE_SYSTEM_ALERT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control);
        const long id = accessibleChildId(front::layoutIndex(row.control));
        const Presented element = presented(client, id);
        EXPECT_EQ(element.name, row.name);
        EXPECT_EQ(element.role, row.role);
    }
    EXPECT_EQ(accessibleChildId(front::layoutIndex("Image23")), 0);
    IAccessible* modified = objectOf(checkBox1(*window));
    ASSERT_NE(modified, nullptr);
    EXPECT_EQ(presented(modified, CHILDID_SELF).name, "Use Modified Weapons");
    BSTR shortcut = nullptr;
    modified->get_accKeyboardShortcut(childId(CHILDID_SELF), &shortcut);
    EXPECT_EQ(narrow(shortcut), "Alt+M");
    modified->Release();
    IDispatch* apply = nullptr;
    EXPECT_EQ(client->get_accChild(childId(accessibleChildId(front::layoutIndex("Button1"))), &apply), S_OK);
    ASSERT_NE(apply, nullptr);
    apply->Release();

    // Pressing a shot picture plays the shot.
    EXPECT_EQ(client->accDoDefaultAction(childId(accessibleChildId(front::layoutIndex("Image16")))), S_OK);
    EXPECT_EQ(audio.played.size(), 1u);

    // The confirmation: hidden until Apply confirms, then an alert.
    const long confirmation = accessibleChildId(front::layoutIndex("Label19"));
    EXPECT_TRUE(presented(client, confirmation).state & STATE_SYSTEM_INVISIBLE);
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, recordAlert, 0, 0, WINEVENT_OUTOFCONTEXT);
    alerts.clear();
    window->setConfirmationShown(true);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    UnhookWinEvent(hook);
    EXPECT_FALSE(presented(client, confirmation).state & STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(alerts, (std::vector<std::pair<HWND, long>>{{window->handle(), confirmation}}));
    client->Release();
    EXPECT_TRUE(reports.empty());
}

// The events a screen reader speaks on as the keys go, as "<event> <window
// class> <child>", a menu entry the menu shows unavailable marked so. In the
// menu Down goes on to the next entry until none is left, then the menu
// closes.
std::vector<std::string> heard;
int menuDowns = 0;
void CALLBACK recordHeard(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG child, DWORD, DWORD) {
    const std::map<DWORD, std::string> kinds{{EVENT_OBJECT_FOCUS, "focus"},
                                             {EVENT_OBJECT_SHOW, "show"},
                                             {EVENT_OBJECT_DESCRIPTIONCHANGE, "description"},
                                             {EVENT_SYSTEM_MENUPOPUPSTART, "menu"}};
    char windowClass[32] = {};
    GetClassNameA(window, windowClass, sizeof windowClass);
    if (kinds.count(event) == 0) return;
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    const bool unavailable = child > 0 && (GetMenuState(menu, child - 1, MF_BYPOSITION) & MF_GRAYED);
    heard.push_back(kinds.at(event) + " " + windowClass + " " + std::to_string(child) +
                    (unavailable ? " unavailable" : ""));
    if (event != EVENT_OBJECT_FOCUS || std::string(windowClass) != "#32768") return;
    if (menuDowns-- > 0) PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    else EndMenu();
}

TEST_F(MainWindowTest, TheKeysRaiseTheEventsAScreenReaderSpeaksOn) {
    window->show(SW_SHOW);
    SetForegroundWindow(window->handle());
    SetFocus(window->button(4));  // the last control: Tab goes round to the first list
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
                                         recordHeard, 0, 0, WINEVENT_OUTOFCONTEXT);
    const UINT_PTR stuck = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    std::vector<std::vector<std::string>> heardByKey;
    for (const auto& [message, code, held] : {std::tuple{WM_KEYDOWN, VK_TAB, 0},
                                              {WM_KEYDOWN, VK_UP, 0},
                                              {WM_KEYDOWN, VK_F1, VK_CONTROL},
                                              {WM_SYSKEYDOWN, VK_F10, VK_SHIFT}}) {
        heard.clear();
        menuDowns = 3;
        holdKey(held, true);
        // As the program's message loop has it: the window's keys, then the dialog keys.
        MSG sent = key(GetFocus(), message, code);
        if (!window->forwardKey(sent) && !IsDialogMessageA(window->handle(), &sent)) DispatchMessageA(&sent);
        holdKey(held, false);
        while (PeekMessageA(&sent, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&sent);
        heardByKey.push_back(heard);
    }
    KillTimer(nullptr, stuck);
    UnhookWinEvent(hook);
    EXPECT_EQ(heardByKey, (std::vector<std::vector<std::string>>{
                              {"focus ComboBox 0", "focus Edit 0"},
                              {"description Edit 0"},
                              {"show tooltips_class32 0"},
                              {"menu #32768 0", "focus #32768 1 unavailable", "focus #32768 2 unavailable",
                               "focus #32768 3", "focus #32768 4"}}));
    EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace modsetup::win32
