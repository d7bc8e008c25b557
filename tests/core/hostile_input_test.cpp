// Set libraries and selections files made carelessly or with ill will: files
// that are one enormous line, set names at the edges of what a file system
// allows (the longest name, 8-bit and UTF-8 bytes), and a saved set name that
// holds a NUL byte. Each has a clear, bounded outcome.
#include <gtest/gtest.h>

#include <algorithm>

#include "apply_library.h"
#include "bmp_builder.h"
#include "core/install/apply.h"
#include "core/io/forwarding_host.h"
#include "core/io/line_file.h"
#include "core/library/catalogue.h"
#include "core/library/previews.h"
#include "core/report/messages.h"
#include "set_library.h"

namespace modsetup {
namespace {

using testing::GameFolder;
using testing::readFile;
using testing::writeFile;

// text with its first `from` replaced by `to`; the test fails when it is missing.
std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// 100 MiB without a line end: every byte value but CR and LF, over and over.
const std::string& hugeLine() {
    static const std::string line = [] {
        std::string bytes(100u << 20, '\0');
        unsigned char next = 0;
        for (char& c : bytes) {
            while (next == '\r' || next == '\n') ++next;
            c = static_cast<char>(next++);
        }
        return bytes;
    }();
    return line;
}

TEST(HostileSetFiles, ANameOrStatisticsFileOfOneHundredMegabyteLineIsCutToTheLineLimit) {
    std::unique_ptr<Host> host = makeSystemHost();
    GameFolder game;
    const SlotTexts texts = game.addStandardSets();
    const std::string& line = hugeLine();
    writeFile(game.library() / "1/Gold/stats.ini", line + "\r\n");
    writeFile(game.library() / "2/Gold/name.txt", line);

    ASSERT_TRUE(game.applyTicked(*host, texts).succeeded());

    // The line's first bytes are the first value; the other eight keys of the
    // section find no line and stay empty. The name line of primary slot 2 is
    // the line's first bytes.
    const std::string kept = line.substr(0, kMaxLineBytes);
    const std::string iniWritten = readFile(game.modFolder("Desert") / "weapons.ini");
    const std::string iniExpected =
        replaced(testing::standardWeaponsIni(),
                 "Damage=1.1\r\nFireInterval=1.2\r\nAmmo=1.3\r\nReloadTime=1.4\r\nSpeed=1.5\r\n"
                 "BulletStyle=1.6\r\nStartUpTime=1.7\r\nBink=1.8\r\nMovementAcc=1.9\r\n",
                 "Damage=" + kept +
                     "\r\nFireInterval=\r\nAmmo=\r\nReloadTime=\r\nSpeed=\r\n"
                     "BulletStyle=\r\nStartUpTime=\r\nBink=\r\nMovementAcc=\r\n");
    EXPECT_EQ(iniWritten, iniExpected);

    const std::string namesWritten = readFile(game.modFolder("Desert") / "txt/weaponnames.txt");
    EXPECT_EQ(namesWritten, replaced(testing::standardWeaponNames(), "\r\nGold 2\r\n", "\r\n" + kept + "\r\n"));
}

// A saved set name "..\..\secret.txt" followed by a NUL: were the path cut at
// the NUL, the set folder would be a file outside the library, copied into
// the mod folder and read as the set's name and statistics.
TEST(HostileSelections, ASetNameHoldingANulByteReachesNoFileOutsideTheLibrary) {
    std::unique_ptr<Host> host = makeSystemHost();
    GameFolder game;
    SlotTexts texts = game.addStandardSets();
    writeFile(game.dir() / "secret.txt", "secret line 1\r\nsecret line 2\r\n");
    const std::string planted = std::string("..\\..\\secret.txt") + '\0';
    texts[kPrimary1] = planted;
    texts[kPrimary2] = planted;

    const ApplyOutcome outcome = game.applyTicked(*host, texts);
    EXPECT_TRUE(outcome.failedPaths.empty());
    for (const auto& [file, bytes] : testing::filesBelow(game.modFolder("Desert")))
        EXPECT_EQ(bytes.find("secret"), std::string::npos) << file;
    EXPECT_FALSE(std::filesystem::exists(game.modFolder("Desert") / "interface-gfx/guns/1.bmp"));
    EXPECT_EQ(readFile(game.dir() / "secret.txt"), "secret line 1\r\nsecret line 2\r\n");
}

// Set names as a file system may hold them; each is offered, previewed and
// installed byte for byte.
struct OddName {
    const char* what;
    std::string name;
};

std::vector<OddName> oddNames() {
    std::vector<OddName> names = {{"8-bit", "\xC9t\xE9 dor\xE9 \xA7\xFF"}};
#ifndef _WIN32
    // On Windows the program's names are text of the ANSI code page, while
    // this test makes its folders through std::filesystem, which reads valid
    // UTF-8 as UTF-8; and its paths end at 259 characters, which the longest
    // name a POSIX file system takes (255 bytes) passes.
    names.push_back({"UTF-8", "\xC3\x89t\xC3\xA9 dor\xC3\xA9 \xE2\x9C\x93"});
    names.push_back({"255 bytes", "Long " + std::string(250, 'L')});
#endif
    return names;
}

TEST(HostileSetNames, TheLongestAnd8BitAndUtf8NamesAreOfferedPreviewedAndInstalled) {
    std::unique_ptr<Host> host = makeSystemHost();
    GameFolder game;
    SlotTexts texts = game.addStandardSets();
    const std::vector<OddName> names = oddNames();
    for (const OddName& odd : names) {
        game.addWeaponSet(kPrimary1, odd.name, odd.name + "\r\n", "");
        testing::writePreviewSet(game.library(), kPrimary1, odd.name);
        game.addSoldierSet(odd.name);
        testing::writePreviewSet(game.library(), kTeamBravo, odd.name);
    }

    std::vector<std::string> offered = scanSlotFolder(*host, game.configBase(), kPrimary1);
    std::vector<std::string> expected = {"Gold"};
    for (const OddName& odd : names) expected.push_back(odd.name);
    std::sort(offered.begin(), offered.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(offered, expected);

    for (const OddName& odd : names) {
        SCOPED_TRACE(odd.what);
        const SlotPreviewLoad weapon = loadSlotPreviews(*host, game.configBase(), kPrimary1, odd.name);
        EXPECT_FALSE(weapon.failure);
        ASSERT_EQ(weapon.loaded.size(), 3u);
        EXPECT_EQ(testing::markerOf(weapon.loaded[0].picture), testing::previewMarker(kPrimary1, "1.bmp"));
        const SlotPreviewLoad soldier = loadSlotPreviews(*host, game.configBase(), kTeamBravo, odd.name);
        EXPECT_FALSE(soldier.failure);
        EXPECT_EQ(soldier.loaded.size(), 1u);

        texts[kPrimary1] = odd.name;
        texts[kTeamBravo] = odd.name;
        ASSERT_TRUE(game.applyTicked(*host, texts).succeeded());
        const auto weaponSet = game.library() / "1" / odd.name;
        for (const auto& file : testing::weaponSetFiles(kPrimary1))
            EXPECT_EQ(readFile(game.modFolder("Desert") / file.target), readFile(weaponSet / file.source))
                << file.target;
        const auto soldierSet = game.library() / "gostek" / odd.name / "Gostek-gfx";
        for (const auto& file : testing::soldierFiles())
            EXPECT_EQ(readFile(game.modFolder("Desert") / "gostek-gfx/team2" / file), readFile(soldierSet / file))
                << file;
        // The name file's first line is the name itself; the choice is saved as it is.
        const std::string names = readFile(game.modFolder("Desert") / "txt/weaponnames.txt");
        EXPECT_NE(names.find("\r\n" + odd.name + "\r\n"), std::string::npos);
        const std::string saved = readFile(game.dir() / "modsetup.ini");
        EXPECT_EQ(saved.substr(0, odd.name.size() + 2), odd.name + "\r\n");
    }
}

}  // namespace
}  // namespace modsetup
