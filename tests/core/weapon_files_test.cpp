// The weapon names file and weapons.ini: their layout line by line, and what
// odd set files (a "0" name, short or LF-only statistics) turn into.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "apply_library.h"
#include "core/install/weapon_names.h"
#include "core/install/weapon_stats.h"
#include "core/io/forwarding_host.h"

namespace modsetup {
namespace {

using testing::crlf;
using testing::GameFolder;
using testing::readFile;
using testing::writeFile;

std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
    return lines;
}

// The bytes of one file per weapon slot (name.txt or stats.ini); an empty
// string stands for a missing file.
using WeaponSetFiles = std::array<std::string, kWeaponSlotCount>;

// What the writer gives for these set files, run through the line-file
// handles in a game folder of its own.
// Catches what a writer writes, whatever its target, in one file of the
// working directory, so no mod folder is needed (a mod name with blanks at its
// ends names no folder on Windows).
class CapturingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    Result<std::unique_ptr<NewFile>> createNew(const std::string&, const InputFile* copyOf) override {
        return inner_.createNew("captured.~", copyOf);
    }
    Status moveOver(const std::string&, const std::string&, bool durable) override {
        return inner_.moveOver("captured.~", "captured", durable);
    }
};

template <typename Writer>
std::string writtenFrom(const SlotTexts& texts, const WeaponSetFiles& files, std::string_view fileName,
                        const std::string& modName, Writer write) {
    GameFolder game;
    for (std::size_t slot = 0; slot < files.size(); ++slot)
        if (!files[slot].empty())
            writeFile(game.library() / testing::kTestSlotFolders[slot] / texts[slot] / fileName, files[slot]);
    auto system = makeSystemHost();
    CapturingHost host(*system);
    LineFile output(host);
    LineFile input(host);
    std::vector<std::string> outside;
    EXPECT_TRUE(write(output, input, ProcessStrings{game.configBase(), "Title", modName}, texts, outside).ok());
    return readFile(game.dir() / "captured");
}

std::string weaponNamesText(const SlotTexts& texts, const WeaponSetFiles& nameFiles) {
    return writtenFrom(texts, nameFiles, "name.txt", "Desert", writeWeaponNames);
}

std::string weaponStatsText(const std::string& modName, const WeaponSetFiles& statsFiles) {
    SlotTexts texts;
    for (std::size_t slot = 0; slot < kWeaponSlotCount; ++slot) texts[slot] = "Set";
    return writtenFrom(texts, statsFiles, "stats.ini", modName, writeWeaponStats);
}

// Counts the set files opened for reading.
class CountingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    int setFilesRead = 0;
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override {
        if (path.ends_with("\\name.txt") || path.ends_with("\\stats.ini")) ++setFilesRead;
        return ForwardingHost::openRead(path);
    }
};

class WeaponFilesTest : public ::testing::Test {
protected:
    std::unique_ptr<Host> host = makeSystemHost();
    GameFolder game;
    SlotTexts texts = game.addStandardSets();
    ProcessStrings strings{game.configBase(), "Title", "Desert"};
    LineFile output{*host};
    LineFile input{*host};
    std::vector<std::string> outside;  // set files that lead outside the library

    void SetUp() override { std::filesystem::create_directories(game.modFolder("Desert") / "txt"); }

    std::string writtenNames() {
        EXPECT_TRUE(writeWeaponNames(output, input, strings, texts, outside).ok());
        return readFile(game.modFolder("Desert") / "txt/weaponnames.txt");
    }
    std::string writtenStats() {
        EXPECT_TRUE(writeWeaponStats(output, input, strings, texts, outside).ok());
        return readFile(game.modFolder("Desert") / "weapons.ini");
    }
    // The weapon set files of the chosen sets, as bytes.
    WeaponSetFiles filesOf(std::string_view fileName) {
        WeaponSetFiles files;
        for (std::size_t slot = 0; slot < files.size(); ++slot)
            files[slot] = readFile(game.library() / testing::kTestSlotFolders[slot] / texts[slot] / fileName);
        return files;
    }
};

TEST_F(WeaponFilesTest, TheHandWrittenExpectationsHaveTheRightShape) {
    const auto ini = linesOf(testing::standardWeaponsIni());
    EXPECT_EQ(ini.size(), 218u);
    EXPECT_EQ(std::count(ini.begin(), ini.end(), ""), 1 + 14);
    EXPECT_EQ(linesOf(testing::standardWeaponNames()).size(), 17u);
}

TEST_F(WeaponFilesTest, FilesWrittenThroughTheHandlesMatchTheTables) {
    EXPECT_EQ(writtenNames(), testing::standardWeaponNames());
    EXPECT_EQ(writtenStats(), testing::standardWeaponsIni());
    // The same set files give the same bytes in another game folder.
    EXPECT_EQ(weaponNamesText(texts, filesOf("name.txt")), testing::standardWeaponNames());
    EXPECT_EQ(weaponStatsText("Desert", filesOf("stats.ini")), testing::standardWeaponsIni());
}

// Windows drops trailing blanks from a new folder's name, so a set can have one only elsewhere.
#ifdef _WIN32
const std::string kBlankSetName = "Gold  Rush 2";
#else
const std::string kBlankSetName = "Gold Rush 2 ";
#endif

TEST_F(WeaponFilesTest, OnlyAFirstLineOfExactlyZeroStandsForTheSetName) {
    struct Row {
        std::string nameTxt;
        std::string line;
    };
    const std::vector<Row> rows = {
        {"0\r\nignored\r\n", kBlankSetName},
        {"0\n", kBlankSetName},
        {"0", kBlankSetName},
        {"0 \r\n", "0 "},
        {"00\r\n", "00"},
        {" 0\r\n", " 0"},
        {"\r\n0\r\n", ""},
        {"", ""},
        {"First Name\nSecond\n", "First Name"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.nameTxt);
        game.addWeaponSet(1, kBlankSetName, row.nameTxt, "");
        texts[1] = kBlankSetName;
        const auto lines = linesOf(writtenNames());
        ASSERT_EQ(lines.size(), 17u);
        EXPECT_EQ(lines[2], row.line);
        EXPECT_EQ(lines[1], "Gold 1");
    }
}

TEST_F(WeaponFilesTest, ShortStatisticsAndOddValuesKeepEveryKey) {
    game.addWeaponSet(0, "Odd", "Odd\r\n", "  42 \r\nA=B = C\nhigh\r\n");
    texts[0] = "Odd";
    texts[10] = "No such set";
    const auto lines = linesOf(writtenStats());
    ASSERT_EQ(lines.size(), 218u);
    const auto section = std::find(lines.begin(), lines.end(), "[Desert Eagles]");
    ASSERT_NE(section, lines.end());
    EXPECT_EQ(std::vector<std::string>(section, section + 12),
              (std::vector<std::string>{
                  "[Desert Eagles]", "Damage=  42 ", "FireInterval=A=B = C", "Ammo=high",
                  "ReloadTime=", "Speed=", "BulletStyle=", "StartUpTime=", "Bink=", "MovementAcc=", "", "[HK MP5]"}));
    const auto socom = std::find(lines.begin(), lines.end(), "[USSOCOM]");
    EXPECT_EQ(*(socom + 1), "Damage=");
    EXPECT_EQ(*(socom + 9), "MovementAcc=");
}

TEST_F(WeaponFilesTest, TheModNameGoesIntoTheInfoHeaderUnchanged) {
    WeaponSetFiles none;
    const std::string head = crlf("[Info]\nName= Desert Storm \nVersion=1\n\n[USSOCOM]\nDamage=\n");
    EXPECT_EQ(weaponStatsText(" Desert Storm ", none).substr(0, head.size()), head);
    EXPECT_EQ(linesOf(weaponNamesText(texts, none)),
              (std::vector<std::string>{"", "", "", "", "", "", "", "", "", "", "", "Flamer", "Rambo Bow",
                                        "Flamed Arrows", "", "", ""}));
}

TEST_F(WeaponFilesTest, ATargetThatCannotBeCreatedIsReportedAndTheSetFilesStillRead) {
    std::filesystem::remove_all(game.modFolder("Desert") / "txt");
    CountingHost counting(*host);
    std::vector<std::string> outside;
    LineFile out(counting);
    LineFile in(counting);
    EXPECT_FALSE(writeWeaponNames(out, in, strings, texts, outside).ok());
    EXPECT_EQ(counting.setFilesRead, 14);
    EXPECT_FALSE(std::filesystem::exists(game.modFolder("Desert") / "txt"));

    std::filesystem::create_directories(game.modFolder("Desert") / "weapons.ini");
    EXPECT_FALSE(writeWeaponStats(out, in, strings, texts, outside).ok());
    EXPECT_EQ(counting.setFilesRead, 28);
}

}  // namespace
}  // namespace modsetup
