// Loading preview pictures from files: the standard error report's texts for
// a file that cannot be opened and for one that is no bitmap, and a file that
// never ends.
#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "core/formats/picture.h"
#include "core/io/forwarding_host.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::colours;

std::string validBitmap() { return testing::bitmap24(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0, 0xFF0000}); }

class PictureFiles : public ::testing::Test {
protected:
    std::unique_ptr<Host> host = makeSystemHost();
    testing::ScratchDir dir;
};

TEST_F(PictureFiles, LoadsABitmapFile) {
    testing::writeFile(dir / "Set/Weapons-gfx/bullet.bmp", validBitmap());
    PictureLoad load = loadPicture(*host, dir.programPath("set\\weapons-gfx\\BULLET.bmp"));
    ASSERT_TRUE(load.picture);
    EXPECT_FALSE(load.openFailure);
    EXPECT_EQ(colours(*load.picture), colours(*decodeBitmap(validBitmap())));
}

TEST_F(PictureFiles, FilesThatCannotBeOpenedTellWhyInTheSystemsWords) {
    std::filesystem::create_directories(dir / "set/folder.bmp");
    const std::pair<std::string, Cause> cases[] = {
        {dir.programPath("set\\missing.bmp"), Cause::Missing},
        {dir.programPath("set\\\\2.bmp"), Cause::Missing},
        {dir.programPath("set\\folder.bmp"), Cause::Unreadable},
    };
    for (const auto& [path, cause] : cases) {
        PictureLoad load = loadPicture(*host, path);
        EXPECT_FALSE(load.picture);
        ASSERT_TRUE(load.openFailure) << path;
        EXPECT_EQ(load.openFailure->cause, cause) << path;
        EXPECT_NE(load.openFailure->systemText, "") << "a reason follows";
    }
}

TEST_F(PictureFiles, FilesThatAreNotBitmapsAreReportedSo) {
    const std::string whole = validBitmap();
    const std::pair<const char*, std::string> cases[] = {
        {"empty.bmp", ""},
        {"truncated.bmp", whole.substr(0, whole.size() / 2)},
        {"text.bmp", "not a picture\r\n"},
        {"png.bmp", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
    };
    for (const auto& [name, content] : cases) {
        testing::writeFile(dir / name, content);
        PictureLoad load = loadPicture(*host, dir.programPath(name));
        EXPECT_FALSE(load.picture) << name;
        EXPECT_FALSE(load.openFailure) << name;
        EXPECT_TRUE(load.fault) << name;
    }
}

// A file that never ends, like a device node named where a picture should be.
class EndlessHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    struct Endless : InputFile {
        std::size_t read(char*, std::size_t size) override { return size; }
    };
    Result<std::unique_ptr<InputFile>> openRead(const std::string&) override {
        return std::unique_ptr<InputFile>(std::make_unique<Endless>());
    }
};

TEST_F(PictureFiles, AFileLargerThanAnyBitmapIsNotReadToItsEnd) {
    EndlessHost endless(*host);
    PictureLoad load = loadPicture(endless, "C:\\endless.bmp");
    EXPECT_FALSE(load.picture);
    EXPECT_TRUE(load.fault);
}

}  // namespace
}  // namespace modsetup
