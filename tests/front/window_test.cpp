// What the load sequence sets on the window itself: the title (also the
// caption of every report), the outer size, and how much of each picture it
// keeps, at the screen's scale.
#include <gtest/gtest.h>

#include "presenter_game.h"

namespace modsetup::front {
namespace {

struct TitleRow {
    const char* name;
    std::optional<std::string> modIni;  // nothing: no mod.ini
    bool codePage;                      // names shown as code-page text, as on Windows
    std::string title;                  // as UTF-8
};

const TitleRow kTitles[] = {
    {"title from line 1", "Desert Warfare\r\nDesert\r\n", false, "Desert Warfare"},
    {"blanks kept", " Spaced \nx\n", false, " Spaced "},
    {"empty mod.ini", "", false, ""},
    {"no mod.ini", std::nullopt, false, ""},
    {"brackets as they are", "Mod [*] Setup\r\n", false, "Mod [*] Setup"},
    {"8-bit title", "Caf\xE9 Mod\r\n", false, "Caf\xC3\xA9 Mod"},
    {"UTF-8 title", "Caf\xC3\xA9 Mod\r\n", false, "Caf\xC3\xA9 Mod"},
    {"8-bit title as code-page text", "Caf\xE9 Mod\r\n", true, "Caf\xC3\xA9 Mod"},
    {"UTF-8 bytes as code-page text", "Caf\xC3\xA9\r\n", true, "Caf\xC3\x83\xC2\xA9"},
    // A 1,000-byte line keeps its first 127 and last 126 bytes.
    {"long title shortened in the middle", std::string(500, 'a') + std::string(500, 'z') + "\r\n", false,
     std::string(127, 'a') + "..." + std::string(126, 'z')},
};

TEST(Window, TitleIsLine1OfModIniShownAsText) {
    for (const TitleRow& row : kTitles) {
        SCOPED_TRACE(row.name);
        PresenterGame game;
        if (row.modIni) game.write("modsetup/mod.ini", *row.modIni);
        if (row.codePage) game.codec = std::make_unique<CodePageText>(testCaseFold);
        game.writeSelections({"Missing"}, "0");
        game.start();
        EXPECT_EQ(game.view.title, row.title);
        ASSERT_EQ(game.view.reports.size(), 1u);
        EXPECT_EQ(game.view.reports[0].caption, row.title);

        // Undo follows an edited mod.ini.
        game.writeModIni("Edited", "Edited");
        game.presenter().undoPressed();
        EXPECT_EQ(game.view.title, "Edited");
        EXPECT_EQ(game.view.reports.back().caption, "Edited");
    }
}

// The outer size is the left edge of Image37 + 100 by the top edge of
// Button4 + 70, margins and all scaled; it is set again by Undo. A picture is
// kept as far as its view shows it at 96 pixels per inch, whatever the scale,
// since the window magnifies it.
TEST(Window, OuterSizeFollowsTheScaleAndPicturesTheirDesignedViews) {
    const struct {
        double scale;
        OuterSize size;
        int image1Width;  // Image1 is 57 x 49
        int image1Height;
    } rows[] = {
        {1.0, {700, 462}, 57, 49}, {1.25, {875, 578}, 57, 49}, {1.5, {1050, 693}, 57, 49}, {2.0, {1400, 924}, 57, 49}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scale);
        PresenterGame game;
        game.write("modsetup/1/Wide/1.bmp",
                   testing::bitmap24(200, 120, std::vector<std::uint32_t>(200 * 120, 0x336699)));
        game.writeSelections({"Wide"}, "0");
        game.start(row.scale);
        EXPECT_EQ(game.view.outerSizes, std::vector<OuterSize>{row.size});
        ASSERT_TRUE(game.view.picture(1));
        EXPECT_EQ(game.view.picture(1)->width, row.image1Width);
        EXPECT_EQ(game.view.picture(1)->height, row.image1Height);

        game.presenter().undoPressed();
        EXPECT_EQ(game.view.outerSizes, (std::vector<OuterSize>{row.size, row.size}));
    }
}

}  // namespace
}  // namespace modsetup::front
