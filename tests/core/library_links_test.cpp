// A set library unpacked from an archive may hold links, at any depth, to
// private files elsewhere on the disk. Confined to the library, the system
// host reads, copies and lists nothing that really lies outside it, and says
// so; links that stay inside keep working, also when the library folder
// itself is a link. A host that cannot confine reads nothing there.
#include <gtest/gtest.h>

#include "core/io/confined_host.h"
#include "core/io/file_writes.h"
#include "core/io/forwarding_host.h"
#include "core/report/messages.h"
#include "test_support.h"

namespace modsetup {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

struct NoConfinement : ForwardingHost {
    using ForwardingHost::ForwardingHost;
    std::unique_ptr<Confinement> confine(const std::string&) override { return nullptr; }
};

TEST(LibraryLinks, WhatReallyLiesOutsideTheLibraryIsNeverReadCopiedOrListed) {
    testing::ScratchDir dir;
    writeFile(dir / "private/secret.txt", "secret");
    writeFile(dir / "private/folder/secret.wav", "secret sound");
    writeFile(dir / "lib/1/Gold/sfx/fire.wav", "gold sound");
    const struct {
        const char* what;
        const char* link;     // made at this place below dir, leading to target:
        const char* target;   // below dir, or relative to the link when it starts with "."
        const char* root;     // the library the host is confined to
        const char* read;     // the file then read, copied and looked at, and its folder listed
        std::string content;  // what the file holds; empty: refused
        bool folderInside;
        bool confinable = true;  // false: the host gives no confinement
    } rows[] = {
        {"a file linked to a private file", "lib/1/Gold/sfx/a.wav", "private/secret.txt", "lib", "lib/1/Gold/sfx/a.wav",
         "", true},
        {"a relative link climbing out", "lib/1/Gold/sfx/b.wav", "../../../../private/secret.txt", "lib",
         "lib/1/Gold/sfx/b.wav", "", true},
        {"a sub-folder linked elsewhere", "lib/1/Gold/gfx", "private/folder", "lib", "lib/1/Gold/gfx/secret.wav", "",
         false},
        {"a path climbing out by its name", nullptr, nullptr, "lib", "lib/1/../../private/secret.txt", "", false},
        {"a relative link inside", "lib/1/Gold/sfx/c.wav", "./fire.wav", "lib", "lib/1/Gold/sfx/c.wav", "gold sound",
         true},
        {"an absolute link inside", "lib/1/Gold/sfx/d.wav", "lib/1/Gold/sfx/fire.wav", "lib", "lib/1/Gold/sfx/d.wav",
         "gold sound", true},
        {"a set folder linked inside", "lib/2/Copy", "./../1/Gold", "lib", "lib/2/Copy/sfx/fire.wav", "gold sound",
         true},
        {"a linked library", "linked", "lib", "linked", "linked/1/Gold/sfx/fire.wav", "gold sound", true},
        {"no confinement", nullptr, nullptr, "lib", "lib/1/Gold/sfx/fire.wav", "", false, false},
    };
    const std::unique_ptr<Host> system = makeSystemHost();
    NoConfinement unconfinable(*system);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        writeFile(dir / "target.wav", "kept");
        if (row.link != nullptr) {
            const fs::path target = row.target[0] == '.' ? fs::path(row.target) : dir / row.target;
            fs::create_directories((dir / row.link).parent_path());
            if (!testing::makeLink(target, dir / row.link)) GTEST_SKIP() << "no links on this file system";
        }
        ConfinedHost library(row.confinable ? *system : unconfinable, dir.programPath(row.root));
        const std::string path = dir.programPath(row.read);
        char buffer[64];
        auto file = library.openRead(path);
        EXPECT_EQ(
            file.ok() ? std::string(buffer, file.value()->read(buffer, sizeof buffer)) : failureText(file.failure()),
            row.content.empty() ? "It leads outside the set library" : row.content);
        EXPECT_EQ(copyFile(library, path, dir.programPath("target.wav")).ok(), !row.content.empty());
        EXPECT_EQ(readFile(dir / "target.wav"), row.content.empty() ? "kept" : row.content);
        EXPECT_EQ(library.pathKind(path), row.content.empty() ? PathKind::Outside : PathKind::File);
        EXPECT_EQ(library.listFolder(path.substr(0, path.rfind('\\'))).ok(), row.folderInside);
    }
    for (const auto& row : rows)  // before the scratch folder goes, whose removal would follow them
        if (row.link != nullptr) testing::removeLink(dir / row.link);
}

}  // namespace
}  // namespace modsetup
