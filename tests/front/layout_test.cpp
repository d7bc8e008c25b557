// The layout at every scale, the names assistive technology is told, and
// where a window goes on a small screen.
#include <gtest/gtest.h>

#include <set>

#include "front/accessibility.h"
#include "front/layout.h"

namespace modsetup::front {
namespace {

// At 96, 120, 144 and 192 pixels per inch every control lies inside the
// client area: the outer size less the largest frame a window gets (Windows
// 10's at 96 pixels per inch, 8-pixel borders and a 23-pixel caption),
// which the system scales with the window.
TEST(Layout, EveryControlLiesInsideTheClientAreaAtEveryScale) {
    const OuterSize frame{16, 39};
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const double scale = dpi / 96.0;
        const OuterSize outer = computedOuterSize(scale);
        const int width = outer.width - scaledPixels(frame.width, scale);
        const int height = outer.height - scaledPixels(frame.height, scale);
        const ControlLayout& group = layoutOf("GroupBox1");
        for (const ControlLayout& row : kLayout) {
            const bool inGroup = row.parent == ControlParent::GroupBox1;
            const int left = scaledPixels(row.left, scale) + (inGroup ? scaledPixels(group.left, scale) : 0);
            const int top = scaledPixels(row.top, scale) + (inGroup ? scaledPixels(group.top, scale) : 0);
            EXPECT_LE(left + scaledPixels(row.width, scale), width) << row.name;
            EXPECT_LE(top + scaledPixels(row.height, scale), height) << row.name;
            if (inGroup) {
                EXPECT_LE(scaledPixels(row.left + row.width, scale), scaledPixels(group.width, scale)) << row.name;
                EXPECT_LE(scaledPixels(row.top + row.height, scale), scaledPixels(group.height, scale)) << row.name;
            }
        }
    }
}

TEST(Accessibility, EachControlIsPresentedInTheWordsOfTheCaptions) {
    const struct {
        std::string_view control;
        AccessibleKind kind;
        std::string name;
        char key;
    } rows[] = {
        {"ComboBox1", AccessibleKind::SlotList, "Primary weapon 1", 0},
        {"ComboBox10", AccessibleKind::SlotList, "Primary weapon 10", 0},
        {"ComboBox11", AccessibleKind::SlotList, "Secondary weapon 1", 0},
        {"ComboBox14", AccessibleKind::SlotList, "Secondary weapon 4", 0},
        {"ComboBox15", AccessibleKind::SlotList, "Team Alpha", 0},
        {"ComboBox16", AccessibleKind::SlotList, "Team Bravo", 0},
        {"Image1", AccessibleKind::ShotButton, "Play the shot: Primary weapon 1", 0},
        {"Image36", AccessibleKind::ShotButton, "Play the shot: Primary weapon 10", 0},
        {"Image41", AccessibleKind::ShotButton, "Play the shot: Secondary weapon 3", 0},
        {"Image23", AccessibleKind::Hidden, "", 0},
        {"Image24", AccessibleKind::Hidden, "", 0},
        {"Label1", AccessibleKind::Control, "Primary Weapons:", 0},
        {"Label12", AccessibleKind::Control, "10.", 0},
        {"Label18", AccessibleKind::Control, "Team Bravo:", 0},
        {"Label19", AccessibleKind::Announced, "Your Settings have been applied.", 0},
        {"GroupBox1", AccessibleKind::Control, "Soldier Graphics:", 0},
        {"Button1", AccessibleKind::Control, "Apply", 'a'},
        {"Button2", AccessibleKind::Control, "Undo", 'u'},
        {"Button3", AccessibleKind::Control, "Close", 'c'},
        {"Button4", AccessibleKind::Control, "Play", 'p'},
        {"CheckBox1", AccessibleKind::Control, "Use Modified Weapons", 'm'},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control);
        const ControlLayout& layout = layoutOf(row.control);
        EXPECT_EQ(accessibleKind(layout), row.kind);
        EXPECT_EQ(accessibleName(layout), row.name);
        EXPECT_EQ(accessKey(layout.caption), row.key);
        EXPECT_EQ(accessKeyName(layout.caption), row.key == 0 ? "" : std::string("Alt+") + char(row.key - 'a' + 'A'));
    }
    std::set<std::string> listNames;
    for (const ControlLayout& layout : kLayout)
        if (layout.kind == ControlKind::List) listNames.insert(accessibleName(layout));
    EXPECT_EQ(listNames.size(), kSlotCount) << "every list has a name of its own";
}

TEST(Layout, AWindowOffTheScreenIsMovedInsideIt) {
    const ScreenArea screen{0, 0, 1024, 768};
    const struct {
        const char* name;
        ScreenArea window;
        ScreenArea available;
        ScreenArea placed;
    } rows[] = {
        {"inside stays", {183, 117, 700, 462}, screen, {183, 117, 700, 462}},
        {"off the right edge", {183, 117, 1050, 693}, screen, {0, 75, 1050, 693}},
        {"off the bottom above a task bar", {183, 117, 700, 462}, {0, 0, 800, 560}, {100, 98, 700, 462}},
        {"larger than the area", {183, 117, 1400, 924}, {0, 0, 1280, 800}, {0, 0, 1400, 924}},
        {"a screen left of the primary", {-900, 117, 700, 462}, {-1280, 0, 1280, 1024}, {-900, 117, 700, 462}},
        {"left of every screen", {-900, 117, 700, 462}, screen, {0, 117, 700, 462}},
    };
    for (const auto& row : rows) EXPECT_EQ(placedOnScreen(row.window, row.available), row.placed) << row.name;
}

}  // namespace
}  // namespace modsetup::front
