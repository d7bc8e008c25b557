// The catalogue scan: which names each slot's list offers.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/io/forwarding_host.h"
#include "core/library/catalogue.h"
#include "test_support.h"

namespace modsetup {
namespace {

using Names = std::vector<std::string>;

Names sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

// Records the listings asked for and marks chosen entries hidden or system,
// as a Windows file system would report them.
class MarkingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override {
        folders.push_back(folder);
        auto listed = ForwardingHost::listFolder(folder);
        if (!listed.ok()) return listed;
        for (auto& entry : listed.value()) {
            if (entry.name.starts_with("Hidden")) entry.isHidden = true;
            if (entry.name.starts_with("System")) entry.isSystem = true;
        }
        return listed;
    }
    std::vector<std::string> folders;  // listed, in order
};

class Catalogue : public ::testing::Test {
protected:
    std::unique_ptr<Host> system = makeSystemHost();
    MarkingHost host{*system};
    testing::ScratchDir dir;
    std::string configBase = dir.programPath("modsetup");
    std::filesystem::path library = dir / "modsetup";

    void makeSets(std::string_view slotFolder, std::initializer_list<std::string_view> names) {
        for (auto name : names) std::filesystem::create_directories(library / slotFolder / name);
    }
};

// Windows drops trailing blanks from a new folder's name; leading ones stay everywhere.
#ifdef _WIN32
constexpr std::string_view kBlanksName = "  blanks";
#else
constexpr std::string_view kBlanksName = "  blanks  ";
#endif

TEST_F(Catalogue, OffersFoldersOnlyWithTheirNamesAsReported) {
    makeSets("1", {"Gold", ".dotted", "Mixed Case NAME", kBlanksName, "empty set"});
    testing::writeFile(library / "1/readme.txt", "a file lying in the slot folder");
    testing::writeFile(library / "1/Gold.bmp", "");
    testing::writeFile(library / "1/Gold/1.bmp", "");
    EXPECT_EQ(sorted(scanSlotFolder(host, configBase, kPrimary1)),
              sorted({"Gold", ".dotted", "Mixed Case NAME", std::string(kBlanksName), "empty set"}));
}

#ifndef _WIN32
// POSIX file systems allow any byte but "/" in a name; a line break in a set
// name would split the selections file's line and shift every later one.
TEST_F(Catalogue, NamesHoldingALineBreakOrAnotherControlCharacterAreNotOffered) {
    makeSets("1", {"Gold", "Gold\nEvil", "\n", "CR\rname", "tab\tname", "bell\x07", "escape\x1B[0m", "delete\x7F",
                   "caf\xE9 \xFF"});
    EXPECT_EQ(sorted(scanSlotFolder(host, configBase, kPrimary1)), sorted({"Gold", "caf\xE9 \xFF"}));
    EXPECT_EQ(listSlotFolder(host, configBase, kPrimary1).unstorable.size(), 7u);
}
#endif

TEST_F(Catalogue, HiddenAndSystemEntriesAreNotOffered) {
    makeSets("knife", {"Hidden set", "Visible", "System set", "Another"});
    testing::writeFile(library / "knife/Hidden file.txt", "");
    EXPECT_EQ(sorted(scanSlotFolder(host, configBase, kSecondary2)), sorted({"Visible", "Another"}));

    // One listing tells the folders passed over apart; files are neither.
    host.folders.clear();
    const SlotFolderListing listing = listSlotFolder(host, configBase, kSecondary2);
    EXPECT_TRUE(listing.listed);
    EXPECT_EQ(sorted(listing.offered), sorted({"Visible", "Another"}));
    EXPECT_EQ(sorted(listing.passedOver), sorted({"Hidden set", "System set"}));
    EXPECT_EQ(host.folders.size(), 1u);
}

TEST_F(Catalogue, EmptyOrMissingFoldersOfferNothing) {
    std::filesystem::create_directories(library / "2");
    makeSets("3", {"Only"});
    EXPECT_TRUE(scanSlotFolder(host, configBase, kPrimary2).empty());
    EXPECT_TRUE(scanSlotFolder(host, configBase, kPrimary4).empty());
    EXPECT_EQ(scanSlotFolder(host, configBase, kPrimary3), Names{"Only"});
    // Only a listing tells an empty folder from a missing one.
    EXPECT_TRUE(listSlotFolder(host, configBase, kPrimary2).listed);
    EXPECT_FALSE(listSlotFolder(host, configBase, kPrimary4).listed);

    SlotEntries noLibrary = scanCatalogue(host, dir.programPath("elsewhere"));
    for (const auto& entries : noLibrary) EXPECT_TRUE(entries.empty());
}

TEST_F(Catalogue, EntriesKeepTheHostsListingOrder) {
    // Enough names that an order imposed by the scan would show.
    for (int i = 0; i < 60; ++i) makeSets("socom", {std::to_string((i * 37) % 61) + (i % 2 ? "b" : "A")});
    testing::writeFile(library / "socom/zz.txt", "");
    const auto listing = system->listFolder(configBase + "\\socom");
    ASSERT_TRUE(listing.ok());
    Names expected;
    for (const auto& entry : listing.value())
        if (entry.isDirectory && entry.name != "." && entry.name != "..") expected.push_back(entry.name);
    ASSERT_EQ(expected.size(), 60u);
    EXPECT_EQ(scanSlotFolder(host, configBase, kSecondary1), expected);
    EXPECT_EQ(scanCatalogue(host, configBase)[kSecondary1], expected);
}

TEST_F(Catalogue, EachListIsFilledFromItsOwnFolder) {
    const Names weaponFolders = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "socom", "knife", "chain", "law"};
    for (const std::string& folder : weaponFolders) makeSets(folder, {folder + " set"});
    makeSets("gostek", {"gostek set", "Hidden team", "Second team"});
    SlotEntries entries = scanCatalogue(host, configBase);
    for (std::size_t slot = 0; slot < kTeamAlpha; ++slot)
        EXPECT_EQ(entries[slot], Names{weaponFolders[slot] + " set"}) << "slot " << slot + 1;

    // Both team lists offer the same names in the same order, as two listings would.
    EXPECT_EQ(sorted(entries[kTeamAlpha]), sorted({"gostek set", "Second team"}));
    EXPECT_EQ(entries[kTeamBravo], entries[kTeamAlpha]);
    EXPECT_EQ(entries[kTeamBravo], scanSlotFolder(host, configBase, kTeamBravo));

    // Every slot's folder is listed, slot by slot.
    host.folders.clear();
    scanCatalogue(host, configBase);
    Names folders;
    for (const auto& folder : host.folders) {
        ASSERT_TRUE(folder.starts_with(configBase + "\\")) << folder;
        folders.push_back(folder.substr(configBase.size() + 1));
    }
    EXPECT_EQ(folders, (Names{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "socom", "knife", "chain", "law",
                              "gostek", "gostek"}));
}

}  // namespace
}  // namespace modsetup
