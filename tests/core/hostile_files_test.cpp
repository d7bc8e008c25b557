// Set libraries whose files are not what they seem: a named pipe or a link to
// a device where a picture, a configuration file or a set file belongs.
// Nothing blocks, and the load and Apply say what they could not use. (Set
// files that are their own targets are the host's to handle: host_test.cpp.)
#include <gtest/gtest.h>

#include "apply_library.h"
#include "core/install/apply.h"
#include "core/library/load_sequence.h"
#include "core/report/messages.h"
#include "set_library.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace modsetup {
namespace {

namespace fs = std::filesystem;
using testing::GameFolder;
using testing::readFile;

#ifndef _WIN32
// Puts a named pipe where a file was.
void replaceWithPipe(const fs::path& path) {
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}

TEST(NamedPipesInTheLibrary, StartUpReportsAPipeAtAPreviewAndReadsPipedConfigurationFilesAsMissing) {
    std::unique_ptr<Host> system = makeSystemHost();
    testing::ScratchDir dir;
    testing::ProgramFileHost host(*system, dir.programPath("modsetup.exe"));
    const fs::path library = dir / "modsetup";
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) testing::writePreviewSet(library, slot, "Gold");
    SlotTexts gold;
    gold.fill("Gold");
    testing::writeFile(dir / "modsetup.ini", selectionsText(gold, true).value());
    replaceWithPipe(library / "1/Gold/1.bmp");
    replaceWithPipe(library / "mod.ini");
    const std::vector<fs::path> pipes = {library / "1/Gold/1.bmp", library / "mod.ini", dir / "modsetup.ini"};

    LoadOutcome outcome;
    ASSERT_TRUE(testing::finishesWithoutBlocking([&] { outcome = runLoadSequence(host); }, pipes));
    EXPECT_EQ(outcome.strings.modTitle, "");
    EXPECT_EQ(outcome.strings.modName, "");
    ASSERT_EQ(outcome.previewFailures.size(), 1u);
    EXPECT_EQ(outcome.previewFailures[0].path, dir.programPath("modsetup\\1\\Gold\\1.bmp"));
    EXPECT_EQ(outcome.previewFailures[0].openFailure->cause, Cause::NotRegular);
    EXPECT_EQ(outcome.pictures.size(), 41u - 3u) << "slot 1 stops at its first picture, the others load";
    for (const auto& entries : outcome.entries) EXPECT_EQ(entries, std::vector<std::string>{"Gold"});

    replaceWithPipe(dir / "modsetup.ini");
    ASSERT_TRUE(testing::finishesWithoutBlocking([&] { outcome = runLoadSequence(host); }, pipes));
    EXPECT_EQ(outcome.selections.texts, SlotTexts{});
    EXPECT_FALSE(outcome.selections.ticksBox);
    EXPECT_TRUE(outcome.previewFailures.empty());
}

TEST(NamedPipesInTheLibrary, ApplyCountsCopiesFromAPipeOrADeviceAsUnreadableAndReadsAPipedNameFileAsMissing) {
    std::unique_ptr<Host> host = makeSystemHost();
    GameFolder game;
    const SlotTexts texts = game.addStandardSets();
    const fs::path pipedPicture = game.library() / "1/Gold/weapons-gfx/deserteagle.bmp";
    const fs::path pipedName = game.library() / "2/Gold/name.txt";
    replaceWithPipe(pipedPicture);
    replaceWithPipe(pipedName);
    // Endless zeros: a copy of it would fill the disk.
    fs::remove(game.library() / "3/Gold/sfx/ak74-fire.wav");
    fs::create_symlink("/dev/zero", game.library() / "3/Gold/sfx/ak74-fire.wav");

    const testing::FileSizeLimit noEndlessCopy(64 << 20);
    ApplyOutcome outcome;
    ASSERT_TRUE(
        testing::finishesWithoutBlocking([&] { outcome = game.applyTicked(*host, texts); }, {pipedPicture, pipedName}));
    EXPECT_EQ(outcome.unreadableSources,
              (std::vector<std::string>{game.configBase() + "\\1\\Gold\\weapons-gfx\\deserteagle.bmp",
                                        game.configBase() + "\\3\\Gold\\sfx\\ak74-fire.wav"}));
    EXPECT_TRUE(outcome.selectionsSaved);
    EXPECT_EQ(readFile(game.modFolder("Desert") / "txt/weaponnames.txt"), [] {
        std::string names = testing::standardWeaponNames();
        names.replace(names.find("\r\nGold 2\r\n"), 10, "\r\n\r\n");
        return names;
    }());
    EXPECT_FALSE(fs::exists(game.modFolder("Desert") / "sfx/ak74-fire.wav"));
}
#endif

}  // namespace
}  // namespace modsetup
