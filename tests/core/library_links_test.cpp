// A set library unpacked from an archive may hold links, at any depth, to
// private files elsewhere on the disk. Confined to the library, the system
// host reads, copies and lists nothing that really lies outside it, and says
// so; links that stay inside keep working, also when the library folder
// itself is a link.
#include <gtest/gtest.h>

#include "core/error_text.h"
#include "core/platform/host.h"
#include "test_support.h"

namespace modsetup {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

// Makes a link, or tells why the host's file system cannot hold one.
bool link(const fs::path& target, const fs::path& at, std::string& why) {
    std::error_code error;
    if (fs::is_directory(target))
        fs::create_directory_symlink(target, at, error);
    else
        fs::create_symlink(target, at, error);
    why = error.message();
    return !error;
}

TEST(LibraryLinks, WhatReallyLiesOutsideTheLibraryIsNeverReadCopiedOrListed) {
    testing::ScratchDir dir;
    writeFile(dir / "private/secret.txt", "secret");
    writeFile(dir / "private/folder/secret.wav", "secret sound");
    writeFile(dir / "lib/1/Gold/sfx/fire.wav", "gold sound");
    writeFile(dir / "target.wav", "kept");
    const struct {
        const char* what;
        const char* link;    // made at this place below dir ...
        const char* target;  // ... leading here (below dir, or relative when it starts with ".")
        const char* root;    // the library the host is confined to
        const char* read;    // the file then read, copied and looked at, and its folder listed
        std::string content;  // what the file holds; empty: refused
        bool folderInside;    // whether its folder can be listed
    } rows[] = {
        {"a file linked to a private file", "lib/1/Gold/sfx/a.wav", "private/secret.txt", "lib", "lib/1/Gold/sfx/a.wav", "",
         true},
        {"a relative link climbing out", "lib/1/Gold/sfx/b.wav", "../../../../private/secret.txt", "lib",
         "lib/1/Gold/sfx/b.wav", "", true},
        {"a sub-folder linked elsewhere", "lib/1/Gold/weapons-gfx", "private/folder", "lib",
         "lib/1/Gold/weapons-gfx/secret.wav", "", false},
        {"a set folder linked elsewhere", "lib/2/Evil", "private/folder", "lib", "lib/2/Evil/secret.wav", "", false},
        {"a path climbing out by its name", nullptr, nullptr, "lib", "lib/1/../../private/secret.txt", "", false},
        {"a relative link inside", "lib/1/Gold/sfx/c.wav", "./fire.wav", "lib", "lib/1/Gold/sfx/c.wav", "gold sound", true},
        {"an absolute link inside", "lib/1/Gold/sfx/d.wav", "lib/1/Gold/sfx/fire.wav", "lib", "lib/1/Gold/sfx/d.wav",
         "gold sound", true},
        {"a set folder linked inside", "lib/2/Copy", "./../1/Gold", "lib", "lib/2/Copy/sfx/fire.wav", "gold sound", true},
        {"a linked library", "linked", "lib", "linked", "linked/1/Gold/sfx/fire.wav", "gold sound", true},
        {"a linked library's link to a private file", nullptr, nullptr, "linked", "linked/1/Gold/sfx/a.wav", "", true},
    };
    const std::unique_ptr<Host> host = makeSystemHost();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::string why;
        if (row.link != nullptr) {
            const fs::path target = std::string_view(row.target).starts_with(".") ? fs::path(row.target) : dir / row.target;
            fs::create_directories((dir / row.link).parent_path());
            if (!link(target, dir / row.link, why)) GTEST_SKIP() << "no links on this file system: " << why;
        }
        host->confineBelow(dir.programPath(row.root));
        const std::string path = dir.programPath(row.read);

        std::string reason;
        auto file = host->openRead(path, reason);
        const bool copied = host->copyFile(path, dir.programPath("target.wav"));
        if (row.content.empty()) {
            EXPECT_FALSE(file);
            EXPECT_EQ(reason, kOutsideLibraryReason);
            EXPECT_FALSE(copied);
            EXPECT_EQ(readFile(dir / "target.wav"), "kept");
            EXPECT_EQ(host->pathKind(path), PathKind::Outside);
        } else {
            ASSERT_TRUE(file) << reason;
            char buffer[64];
            EXPECT_EQ(std::string(buffer, file->read(buffer, sizeof buffer)), row.content);
            EXPECT_TRUE(copied);
            EXPECT_EQ(readFile(dir / "target.wav"), row.content);
            testing::writeFile(dir / "target.wav", "kept");
            EXPECT_EQ(host->pathKind(path), PathKind::File);
        }
        std::vector<FolderEntry> entries;
        const std::string folder = path.substr(0, path.rfind('\\'));
        EXPECT_EQ(host->listFolder(folder + "\\*.*", entries), row.folderInside) << folder;
    }
}

}  // namespace
}  // namespace modsetup
