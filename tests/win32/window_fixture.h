#pragma once
// The Win32 window tests' fixture: a game folder with two sets of primary
// slot 1 (every preview a marker bitmap of the set's colour), the window over
// it with a recorder in place of the error report, and a canvas that reads
// back what the window draws.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bmp_builder.h"
#include "core/game/slots.h"
#include "front/layout.h"
#include "recording_audio.h"
#include "set_library.h"
#include "test_support.h"
#include "wave_builder.h"
#include "win32/main_window.h"

namespace modsetup::win32 {

using front::fixedText;
using front::ListEdit;
using testing::markerBitmap;
using testing::ScratchDir;
using testing::writeFile;

// The window's parts that only the tests look at.
struct MainWindowProbe {
    static front::MainWindowPresenter& presenter(MainWindow& window) { return *window.presenter_; }
    static const SlotList& comboBox(const MainWindow& window, std::size_t slot) { return *window.lists_.at(slot); }
    static HWND checkBox1(const MainWindow& window) { return window.checkBox1_; }
    static HWND groupBox1(const MainWindow& window) { return window.groupBox1_; }
    static HFONT windowFont(const MainWindow& window) { return window.windowFont_; }
    // The tooltip control that shows the lists' and the pictures' tooltips.
    static HWND tooltips(const MainWindow& window) { return window.tooltips_; }
};
inline front::MainWindowPresenter& presenter(MainWindow& window) { return MainWindowProbe::presenter(window); }
inline const SlotList& comboBox(const MainWindow& window, std::size_t slot) {
    return MainWindowProbe::comboBox(window, slot);
}
inline HWND checkBox1(const MainWindow& window) { return MainWindowProbe::checkBox1(window); }
inline HWND groupBox1(const MainWindow& window) { return MainWindowProbe::groupBox1(window); }
inline HFONT windowFont(const MainWindow& window) { return MainWindowProbe::windowFont(window); }
inline HWND tooltips(const MainWindow& window) { return MainWindowProbe::tooltips(window); }

// The colours of the two sets of primary slot 1: every preview file of a set
// is a marker bitmap of its colour (white, the transparent colour, and one
// pixel of the marker).
inline const std::map<std::string, std::uint32_t> kSetMarkers{{"Alpha", 0x00AA00}, {"Beta", 0x0000BB}};

inline std::uint32_t rgbOf(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// What a window or the group box draws of its client area, read back from a
// memory bitmap.
class Canvas {
public:
    explicit Canvas(HWND window) {
        RECT client;
        GetClientRect(window, &client);
        width_ = client.right;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    std::uint32_t pixel(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFFu; }
    // How many pixels of a colour lie in an area.
    int count(const RECT& area, std::uint32_t colour) const {
        int found = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) found += pixel(x, y) == colour ? 1 : 0;
        return found;
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
};

// A system host whose program file lies in the test's game folder, and whose
// shell only records what it was asked to open.
class GameHost final : public testing::ProgramFileHost {
public:
    using ProgramFileHost::ProgramFileHost;
    Status shellOpen(const std::string& path, WindowHandle owner) override {
        opened.push_back({path, owner});
        return done();
    }
    std::vector<std::pair<std::string, WindowHandle>> opened;
};

struct Report {
    HWND owner;
    std::string caption;
    std::string text;
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        for (const auto& [set, marker] : kSetMarkers)
            for (const testing::ExpectedPreview& row : testing::kExpectedPreviews)
                if (row.slot == kPrimary1)
                    writeFile(game / ("modsetup/1/" + set + "/" + std::string(row.file)), markerBitmap(marker));
        std::filesystem::create_directories(game / "modsetup/gostek/Empty");  // a set without files
        std::filesystem::create_directories(game / "mods");
        writeFile(game / "modsetup/mod.ini", "Window Title\r\nTestMod\r\n");
        writeFile(game / "modsetup.ini", "Beta\r\n");
        window = std::make_unique<MainWindow>(host, audio,
                                              [this](HWND owner, const std::string& caption, const std::string& text) {
                                                  reports.push_back({owner, caption, text});
                                              });
    }
    ~MainWindowTest() override {
        window.reset();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    int scaled(int pixels) const { return front::scaledPixels(pixels, window->layoutScale()); }
    RECT layoutBounds(std::string_view name) const {
        const front::ControlLayout& row = front::layoutOf(name);
        const int left = scaled(row.left);
        const int top = scaled(row.top);
        return {left, top, left + scaled(row.width), top + scaled(row.height)};
    }
    // A control's rectangle in the window's client area.
    RECT placeOf(HWND control) const {
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(HWND_DESKTOP, window->handle(), reinterpret_cast<POINT*>(&place), 2);
        return place;
    }
    std::uint32_t markerAt(const Canvas& canvas, int image) const {
        const RECT bounds = window->image(image).bounds();
        return canvas.pixel(bounds.left + 1, bounds.top);  // a marker bitmap's opaque pixel
    }

    ScratchDir game;
    const testing::WorkingDirectory inGame{game.path()};
    const std::unique_ptr<Host> system = makeSystemHost();
    GameHost host{*system, game.programPath("modsetup.exe")};
    testing::RecordingAudio audio;
    std::vector<Report> reports;
    std::unique_ptr<MainWindow> window;
};

}  // namespace modsetup::win32
