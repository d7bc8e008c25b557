// ConfigBase, mod.ini and the selections file.
#include <gtest/gtest.h>

#include "core/library/config.h"
#include "core/report/messages.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::kWindows;
using testing::readFile;
using testing::ScratchDir;
using testing::writeFile;

TEST(ConfigBase, DropsTheLastFourCharactersWhateverTheyAre) {
    EXPECT_EQ(deriveConfigBase("C:\\Games\\Shooter\\modsetup.exe"), "C:\\Games\\Shooter\\modsetup");
    EXPECT_EQ(modIniPath("C:\\Games\\Shooter\\modsetup"), "C:\\Games\\Shooter\\modsetup\\mod.ini");
    EXPECT_EQ(selectionsPath("C:\\Games\\Shooter\\modsetup"), "C:\\Games\\Shooter\\modsetup.ini");
    EXPECT_EQ(deriveConfigBase("/games/setup.bin2"), "/games/setup.");
    EXPECT_EQ(deriveConfigBase("/games/setup.x"), "/games/set");
    EXPECT_EQ(deriveConfigBase("/games/modsetup"), "/games/mods");
    EXPECT_EQ(deriveConfigBase("abcd"), "");
    EXPECT_EQ(deriveConfigBase(""), "");
}

// The program's paths take a backslash for a separator; in a POSIX path a
// backslash before the last "/" lies inside a folder's name.
TEST(ConfigBase, AFolderPathHoldingABackslashIsFoundOnlyInPosixPaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/player/ga\\me/modsetup", "/home/player/ga\\me"},
        {"/home/player/ga\\me/modsetup.exe", "/home/player/ga\\me"},
        {"/a\\b/c\\d/modsetup", "/a\\b/c\\d"},
        {"/\\/modsetup", "/\\"},
        {"/home/player/game/modsetup", ""},
        {"/modsetup", ""},
        {"/home/player/game\\modsetup", ""},  // the program's own separator after the folder
        {"C:\\Games\\Shooter\\modsetup", ""},
        {"\\\\server\\share\\modsetup", ""},
        {"", ""},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(folderWithBackslash(path), folder) << path;
}

TEST(ConfigBase, SystemHostReportsTheRunningProgramFile) {
    auto host = makeSystemHost();
    std::string path = host->programPath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    EXPECT_NE(path.find("core_tests"), std::string::npos) << path;
}

class ConfigFiles : public ::testing::Test {
protected:
    std::unique_ptr<Host> host = makeSystemHost();
    ScratchDir dir;
    LineFile shared{*host};
    ProcessStrings strings{dir.programPath("modsetup"), "", ""};
};

TEST_F(ConfigFiles, ModIniGivesTitleAndNameUnchanged) {
    writeFile(dir / "modsetup/mod.ini", "My Title\r\n Spaced Name \r\nignored\r\n");
    readModIni(shared, strings);
    EXPECT_EQ(strings.modTitle, "My Title");
    EXPECT_EQ(strings.modName, " Spaced Name ");
}

TEST_F(ConfigFiles, ShortOrMissingModIniGivesEmptyStrings) {
    strings.modTitle = strings.modName = "stale";
    readModIni(shared, strings);
    EXPECT_EQ(strings.modTitle, "");
    EXPECT_EQ(strings.modName, "");

    writeFile(dir / "modsetup/mod.ini", "Only Title");
    readModIni(shared, strings);
    EXPECT_EQ(strings.modTitle, "Only Title");
    EXPECT_EQ(strings.modName, "");

    writeFile(dir / "modsetup/mod.ini", "");
    readModIni(shared, strings);
    EXPECT_EQ(strings.modTitle, "");
}

TEST_F(ConfigFiles, SelectionsLine17TicksOnlyWhenExactlyOne) {
    const std::pair<const char*, bool> cases[] = {
        {"1", true}, {"1 ", false}, {"01", false}, {"0", false}, {"", false}, {"yes", false}, {"1\r", true},
    };
    for (auto [line17, ticks] : cases) {
        std::string content;
        for (int i = 1; i <= 16; ++i) content += "set" + std::to_string(i) + "\r\n";
        writeFile(dir / "modsetup.ini", content + line17 + "\n");
        EXPECT_EQ(readSelections(shared, strings.configBase).ticksBox, ticks) << "line 17: '" << line17 << "'";
    }
}

TEST_F(ConfigFiles, SelectionsWithLfEndsShortFileAndExtraLines) {
    writeFile(dir / "modsetup.ini", "a\nb b \n\nd");
    SavedSelections saved = readSelections(shared, strings.configBase);
    EXPECT_EQ(saved.texts[0], "a");
    EXPECT_EQ(saved.texts[1], "b b ");
    EXPECT_EQ(saved.texts[2], "");
    EXPECT_EQ(saved.texts[3], "d");
    for (std::size_t i = 4; i < kSlotCount; ++i) EXPECT_EQ(saved.texts[i], "");
    EXPECT_FALSE(saved.ticksBox);

    std::string longer;
    for (int i = 1; i <= 16; ++i) longer += "x\r\n";
    writeFile(dir / "modsetup.ini", longer + "1\r\nmore\r\nlines\r\n");
    EXPECT_TRUE(readSelections(shared, strings.configBase).ticksBox);

    std::filesystem::remove(dir / "modsetup.ini");
    saved = readSelections(shared, strings.configBase);
    for (const auto& text : saved.texts) EXPECT_EQ(text, "");
    EXPECT_FALSE(saved.ticksBox);
}

TEST_F(ConfigFiles, SelectionsRoundTripByteForByte) {
    SlotTexts texts;
    for (std::size_t i = 0; i < kSlotCount; ++i) texts[i] = "Set " + std::to_string(i + 1);
    texts[2] = "";
    texts[5] = "typed, names no set ";
    texts[7] = "caf\xE9";
    ASSERT_TRUE(writeSelections(shared, strings.configBase, texts, false).ok());
    const std::string bytes = readFile(dir / "modsetup.ini");
    EXPECT_EQ(bytes,
              "Set 1\r\nSet 2\r\n\r\nSet 4\r\nSet 5\r\ntyped, names no set \r\nSet 7\r\ncaf\xE9\r\nSet 9\r\n"
              "Set 10\r\nSet 11\r\nSet 12\r\nSet 13\r\nSet 14\r\nSet 15\r\nSet 16\r\n0\r\n");

    SavedSelections saved = readSelections(shared, strings.configBase);
    EXPECT_EQ(saved.texts, texts);
    EXPECT_FALSE(saved.ticksBox);

    ASSERT_TRUE(writeSelections(shared, strings.configBase, texts, true).ok());
    EXPECT_TRUE(readSelections(shared, strings.configBase).ticksBox);
}

// It would split its line in two and move every later choice.
TEST(SelectionsText, ANameHoldingALineBreakGivesNoText) {
    SlotTexts texts{};
    texts[kPrimary5] = "Gold\r\nEvil";
    EXPECT_EQ(selectionsText(texts, false), std::nullopt);
}

TEST_F(ConfigFiles, UnwritableSelectionsFileIsReportedAndKeepsNothingHalfWritten) {
    std::filesystem::create_directory(dir / "modsetup.ini");  // a folder where the file should be
    SlotTexts texts{};
    EXPECT_EQ(writeSelections(shared, strings.configBase, texts, true).cause(), Cause::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "modsetup.ini"));
}

// A file the user picks to load choices from is read as the selections file
// is, when it has that file's form; anything else is refused, saying why.
// The path is the dialog's, saved to and loaded from exactly: on POSIX a
// backslash is part of a name and letter case tells names apart.
TEST_F(ConfigFiles, AChoicesFileIsReadWhenInTheSelectionsFilesForm) {
    const std::string sixteen = "a\r\nb\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\np\r\n";
    const std::string saved = "<saved>";  // written by Save choices as: "a" on line 1, the box ticked
    const struct {
        const char* what;
        std::string bytes;  // empty: a folder in the file's place
        std::string refusal;
        std::string first = {}, sixteenth = {};
        bool ticks = false;
        const char* written = "choices.ini";  // the file's name, and the name loaded when that differs
        const char* loaded = nullptr;
    } rows[] = {
        {"a selections file", sixteen + "1\r\n", "", "a", "p", true},
        {"LF ends, short, blank lines at its end", "a\nb\n\n\n\n", "", "a", ""},
        {"eighteen lines", sixteen + "1\r\nmore\r\n", "it has more than 17 lines"},
        {"a line too long", std::string(1025, 'x'), "line 1 is longer than 1024 bytes"},
        {"a picture", std::string("BM\x36\0\0\0\0\0", 8), "line 1 holds a control character, so it is no text file"},
        {"too large", std::string(16 * 1024 + 1, '\n'), "it is larger than 16384 bytes"},
        {"CR-only line ends", "a\rb\rc\r",
         "line 1 holds a carriage return that ends no line, so lines would run together"},
        {"a C1 control", "a\r\nb\xC2\x85\r\n", "line 2 holds a control character, so it is no text file"},
        {"8-bit text", "caf\xE9\x85\r\n", "", "caf\xE9\x85", ""},
        {"a byte-order mark",
         "\xEF\xBB\xBF"
         "a\r\n",
         "it begins with a byte-order mark, which would become part of the first set's name"},
        {"a set named ..", "a\r\n..\r\n", "line 2 is \"..\", which names a folder of the set library, not a set"},
        {"a set named .", ".\r\n", "line 1 is \".\", which names a folder of the set library, not a set"},
        {"a folder", "", "it cannot be read ("},  // and the system's words
        {"another letter case", "a\r\n", "it cannot be read (No such file or directory)", "", "", false, "choices.ini",
         "Choices.ini"},
        {"saved beside a name in another letter case", saved, "", "a", "", true, "Choices.ini"},
        {"saved under a name holding a backslash", saved, "", "a", "", true, "a\\b.ini"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (kWindows && (row.loaded != nullptr || std::string(row.written) != "choices.ini")) continue;
        const std::string path = (dir / row.written).string();
        std::filesystem::remove_all(path);
        SlotTexts texts{"a"};
        LineFile handle(host->usersOwnPaths());
        if (row.bytes == saved) ASSERT_TRUE(writeChoicesFile(handle, path, texts, true).ok());
        else if (row.bytes.empty()) std::filesystem::create_directory(path);
        else writeFile(path, row.bytes);
        const ChoicesFile file =
            readChoicesFile(host->usersOwnPaths(), row.loaded ? (dir / row.loaded).string() : path);
        const bool folder = row.bytes.empty();
        const std::string refusal = choicesRefusalText(file.refusal);
        EXPECT_EQ(refusal.substr(0, folder ? row.refusal.size() : std::string::npos), row.refusal);
        EXPECT_EQ(file.choices.has_value(), row.refusal.empty());
        if (!file.choices) continue;
        EXPECT_EQ(file.choices->texts[0], row.first);
        EXPECT_EQ(file.choices->texts[15], row.sixteenth);
        EXPECT_EQ(file.choices->ticksBox, row.ticks);
    }
}

}  // namespace
}  // namespace modsetup
