// Paths in the program's backslash form reach folders made on a
// case-insensitive system, whatever their letter case on disk.
#include <gtest/gtest.h>

#ifndef _WIN32
#include "core/platform/posix/case_resolver.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::ScratchDir;
using testing::writeFile;

TEST(CaseResolver, ExactNamesAreUsedAsTheyAre) {
    ScratchDir dir;
    writeFile(dir / "lib/3/Gold/Weapons-gfx/ak74-bullet.bmp", "x");
    auto path = resolveHostPath(dir.programPath("lib\\3\\Gold\\Weapons-gfx\\ak74-bullet.bmp"));
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, (dir / "lib/3/Gold/Weapons-gfx/ak74-bullet.bmp").string());
}

TEST(CaseResolver, EachExistingComponentIsMatchedIgnoringCase) {
    ScratchDir dir;
    writeFile(dir / "lib/3/Gold/weapons-gfx/AK74-Bullet.BMP", "x");
    auto path = resolveHostPath(dir.programPath("LIB\\3\\gold\\Weapons-gfx\\ak74-bullet.bmp"));
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, (dir / "lib/3/Gold/weapons-gfx/AK74-Bullet.BMP").string());
}

TEST(CaseResolver, ExactMatchWinsOverOtherCases) {
    ScratchDir dir;
    std::filesystem::create_directories(dir / "gostek-gfx");
    std::filesystem::create_directories(dir / "Gostek-gfx");
    EXPECT_EQ(*resolveHostPath(dir.programPath("Gostek-gfx")), (dir / "Gostek-gfx").string());
    EXPECT_EQ(*resolveHostPath(dir.programPath("gostek-gfx")), (dir / "gostek-gfx").string());
    // Neither is exact: the smallest name in byte order is taken, every time.
    EXPECT_EQ(*resolveHostPath(dir.programPath("GOSTEK-GFX\\x")), (dir / "Gostek-gfx/x").string());
}

TEST(CaseResolver, MissingComponentsKeepTheCaseGiven) {
    ScratchDir dir;
    std::filesystem::create_directories(dir / "mods/Desert");
    auto path = resolveHostPath(dir.programPath("MODS\\desert\\Interface-GFX\\Guns"));
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, (dir / "mods/Desert/Interface-GFX/Guns").string());
}

TEST(CaseResolver, RelativePathsAndSeparators) {
    ScratchDir dir;
    std::filesystem::create_directories(dir / "mods/Desert");
    testing::WorkingDirectory cwd(dir.path());
    EXPECT_EQ(*resolveHostPath("Mods\\DESERT\\"), "mods/Desert");
    EXPECT_EQ(*resolveHostPath("mods/Desert\\txt"), "mods/Desert/txt");
    EXPECT_EQ(*resolveHostPath("Desert.bat"), "Desert.bat");
}

TEST(CaseResolver, DoubledBackslashNamesNoFile) {
    ScratchDir dir;
    writeFile(dir / "lib/1/1.bmp", "x");
    EXPECT_FALSE(resolveHostPath(dir.programPath("lib\\1\\\\1.bmp")));
    EXPECT_FALSE(resolveHostPath("mods\\\\interface-gfx"));
    EXPECT_FALSE(resolveHostPath(""));
}

TEST(CaseResolver, EightBitNamesMatchOnlyTheirAsciiLetters) {
    ScratchDir dir;
    std::filesystem::create_directories(dir / "Caf\xC3\xA9");
    EXPECT_EQ(*resolveHostPath(dir.programPath("CAF\xC3\xA9")), (dir / "Caf\xC3\xA9").string());
    EXPECT_TRUE(equalsIgnoringCase("Weapons-GFX", "weapons-gfx"));
    EXPECT_FALSE(equalsIgnoringCase("\xC3\xA9", "\xC3\x89"));
    EXPECT_FALSE(equalsIgnoringCase("abc", "abcd"));
}

}  // namespace
}  // namespace modsetup
#endif
