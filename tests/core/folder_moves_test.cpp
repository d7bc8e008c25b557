// The host primitives of adding sets, on the real file system: a folder
// moved only where nothing stands, a file held against a second holder, and
// a set sent to the system's trash, from where it can be put back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/io/host.h"
#include "test_support.h"

namespace modsetup {
namespace {

namespace fs = std::filesystem;

TEST(FolderMoves, AFolderMovesOnlyWhereNothingStands) {
    const testing::ScratchDir scratch;
    const auto host = makeSystemHost();
    testing::writeFile(scratch / "new/Gold/name.txt", "new");
    fs::create_directories(scratch / "library/Gold");  // empty: rename(2) would replace it
    EXPECT_TRUE(host->moveFolder(scratch.programPath("new/Gold"), scratch.programPath("library/Gold"))
                    .failedWith(Cause::Exists));
    EXPECT_EQ(testing::readFile(scratch / "new/Gold/name.txt"), "new");
    EXPECT_TRUE(host->moveFolder(scratch.programPath("new/Gold"), scratch.programPath("library/Amber")).ok());
    EXPECT_EQ(testing::readFile(scratch / "library/Amber/name.txt"), "new");
}

TEST(FolderMoves, AHeldFileIsInUseForAnyOtherHolder) {
    const testing::ScratchDir scratch;
    const auto host = makeSystemHost();
    const std::string path = scratch.programPath("held");
    auto held = host->holdFile(path);
    ASSERT_TRUE(held.ok());
    EXPECT_TRUE(host->holdFile(path).failedWith(Cause::InUse));
    held.value().reset();
    EXPECT_TRUE(host->holdFile(path).ok());
}

TEST(FolderMoves, ASetGoesToTheTrashWithARecordOfItsPlace) {
    const testing::ScratchDir scratch;
    const auto host = makeSystemHost();
    testing::writeFile(scratch / "library/1/Gold/name.txt", "first");
    testing::writeFile(scratch / "again/Gold/name.txt", "second");
#ifndef _WIN32
    // The user's trash, here a scratch one on the same volume.
    setenv("XDG_DATA_HOME", (scratch / "data").c_str(), 1);
#endif
    ASSERT_TRUE(host->moveToTrash(scratch.programPath("library/1/Gold")).ok());
    ASSERT_TRUE(host->moveToTrash(scratch.programPath("again/Gold")).ok());
    EXPECT_FALSE(fs::exists(scratch / "library/1/Gold"));
    EXPECT_TRUE(fs::exists(scratch / "library/1"));
    EXPECT_TRUE(host->moveToTrash(scratch.programPath("library/1/Gold")).failedWith(Cause::Missing));
#ifndef _WIN32
    unsetenv("XDG_DATA_HOME");
    const std::string place = fs::canonical(scratch / "library/1").string() + "/Gold";
    EXPECT_EQ(testing::readFile(scratch / "data/Trash/files/Gold/name.txt"), "first");
    EXPECT_EQ(testing::readFile(scratch / "data/Trash/files/Gold.2/name.txt"), "second");
    const std::string record = testing::readFile(scratch / "data/Trash/info/Gold.trashinfo");
    EXPECT_TRUE(record.starts_with("[Trash Info]\nPath=" + place + "\nDeletionDate=")) << record;
#endif
}

}  // namespace
}  // namespace modsetup
