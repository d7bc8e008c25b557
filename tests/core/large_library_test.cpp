// A set library of thousands of sets in one slot folder: the list offers
// every one of them in the listing's order, and Apply, which reads only the
// chosen sets, installs exactly what it installs from a library of three.
#include <gtest/gtest.h>

#include <filesystem>

#include "apply_library.h"
#include "core/install/apply.h"
#include "core/library/catalogue.h"

namespace modsetup {
namespace {

using testing::GameFolder;

constexpr int kManySets = 3000;

std::string setName(int i) { return "Set " + std::to_string(i * 7919 % kManySets); }

std::map<std::string, std::string> applyAndCollect(Host& host, const GameFolder& game, const SlotTexts& texts) {
    std::filesystem::remove_all(game.modFolder("Desert"));
    EXPECT_TRUE(game.applyTicked(host, texts).succeeded());
    auto files = testing::filesBelow(game.modFolder("Desert"));
    files["selections"] = testing::readFile(game.dir() / "modsetup.ini");
    return files;
}

TEST(LargeLibrary, ThreeThousandSetsAreAllOfferedInListingOrderAndApplyIsUnchanged) {
    std::unique_ptr<Host> host = makeSystemHost();
    GameFolder game;
    const SlotTexts texts = game.addStandardSets();
    game.addWeaponSet(kPrimary1, "Silver", "Silver\r\n", "");
    game.addSoldierSet("Green Squad");
    const auto before = applyAndCollect(*host, game, texts);

    // Empty set folders in primary slot 1 and in the soldiers' folder, up to
    // 3,000 sets in each.
    for (int i = 0; i < kManySets - 2; ++i) {
        std::filesystem::create_directory(game.library() / "1" / setName(i));
        std::filesystem::create_directory(game.library() / "gostek" / setName(i));
    }
    testing::writeFile(game.library() / "1/a file among the sets.txt", "");

    const auto listing = host->listFolder(game.configBase() + "\\1");
    ASSERT_TRUE(listing.ok());
    std::vector<std::string> inListingOrder;
    for (const FolderEntry& entry : listing.value())
        if (entry.isDirectory && entry.name != "." && entry.name != "..") inListingOrder.push_back(entry.name);
    ASSERT_EQ(inListingOrder.size(), static_cast<std::size_t>(kManySets));

    const SlotEntries entries = scanCatalogue(*host, game.configBase());
    EXPECT_EQ(entries[kPrimary1], inListingOrder);
    EXPECT_EQ(entries[kTeamAlpha].size(), static_cast<std::size_t>(kManySets + 1));  // with two chosen squads
    EXPECT_EQ(entries[kTeamBravo], entries[kTeamAlpha]);

    EXPECT_EQ(applyAndCollect(*host, game, texts), before);
}

}  // namespace
}  // namespace modsetup
