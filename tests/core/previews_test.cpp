// Which file each preview picture shows, and how a slot's loads stop at the
// first failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "bmp_builder.h"
#include "core/io/forwarding_host.h"
#include "core/library/previews.h"
#include "set_library.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::kExpectedPreviews;
using testing::previewMarker;
using testing::writePreviewSet;

std::vector<int> imagesOf(const std::vector<LoadedPreview>& loaded) {
    std::vector<int> images;
    for (const auto& preview : loaded) images.push_back(preview.image);
    return images;
}

std::vector<int> expectedImages(std::size_t slot) {
    std::vector<int> images;
    for (const auto& row : kExpectedPreviews)
        if (row.slot == slot) images.push_back(row.image);
    return images;
}

TEST(PreviewTable, EveryPictureShowsItsFileWithTheLetterCaseItIsWrittenIn) {
    const std::size_t counts[kSlotCount] = {3, 4, 3, 3, 4, 2, 2, 2, 3, 4, 2, 2, 3, 2, 1, 1};
    std::multiset<int> images;
    auto expected = kExpectedPreviews.begin();
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        auto previews = slotPreviews(slot);
        EXPECT_EQ(previews.size(), counts[slot]) << "slot " << slot + 1;
        for (const auto& picture : previews) {
            ASSERT_NE(expected, kExpectedPreviews.end());
            ASSERT_EQ(expected->slot, slot);
            // Primary slots 3, 4 and 5 write the detail folder with a capital W.
            std::string suffix(1, '\\');
            suffix += expected->file;
            std::replace(suffix.begin(), suffix.end(), '/', '\\');
            if (slot >= kPrimary3 && slot <= kPrimary5 && suffix.starts_with("\\weapons-gfx")) suffix[1] = 'W';
            EXPECT_EQ(picture.image, expected->image) << "slot " << slot + 1;
            EXPECT_EQ(picture.suffix, suffix) << "Image" << picture.image;
            images.insert(picture.image);
            ++expected;
        }
    }
    EXPECT_EQ(expected, kExpectedPreviews.end());
    EXPECT_EQ(images.size(), 41u);
    for (int image = 1; image <= 41; ++image) EXPECT_EQ(images.count(image), 1u) << "Image" << image;
    EXPECT_TRUE(slotPreviews(kSlotCount).empty());
}

TEST(PreviewTable, PathJoinsFolderTextAndSuffixAsTheyAre) {
    EXPECT_EQ(previewPath("C:\\Games\\modsetup", kPrimary10, "Gold", "\\0.bmp"), "C:\\Games\\modsetup\\0\\Gold\\0.bmp");
    EXPECT_EQ(previewPath("C:\\Games\\modsetup", kSecondary1, " Gold ", "\\10.bmp"),
              "C:\\Games\\modsetup\\socom\\ Gold \\10.bmp");
    EXPECT_EQ(previewPath("C:\\m", kPrimary2, "", "\\2.bmp"), "C:\\m\\2\\\\2.bmp");
}

// Counts every file the loads open.
class RecordingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override {
        opened.push_back(path);
        return ForwardingHost::openRead(path);
    }
    std::vector<std::string> opened;
};

class SlotPreviews : public ::testing::Test {
protected:
    std::unique_ptr<Host> system = makeSystemHost();
    RecordingHost host{*system};
    testing::ScratchDir dir;
    std::string configBase = dir.programPath("modsetup");
    std::filesystem::path library = dir / "modsetup";

    void expectWholeSlot(const SlotPreviewLoad& load, std::size_t slot) {
        EXPECT_FALSE(load.failure) << "slot " << slot + 1;
        EXPECT_EQ(imagesOf(load.loaded), expectedImages(slot)) << "slot " << slot + 1;
        for (const auto& preview : load.loaded) {
            auto row = std::find_if(kExpectedPreviews.begin(), kExpectedPreviews.end(),
                                    [&](const auto& r) { return r.image == preview.image; });
            EXPECT_EQ(testing::markerOf(preview.picture), previewMarker(slot, row->file)) << "Image" << preview.image;
        }
    }
};

TEST_F(SlotPreviews, EachPictureLoadsItsOwnFileWhateverTheDetailFoldersLetterCase) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        writePreviewSet(library, slot, "Gold");
        writePreviewSet(library, slot, "Capital", "Weapons-gfx");
    }
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        expectWholeSlot(loadSlotPreviews(host, configBase, slot, "Gold"), slot);
        expectWholeSlot(loadSlotPreviews(host, configBase, slot, "Capital"), slot);
    }
    // Copies of one detail picture each read the file themselves.
    host.opened.clear();
    loadSlotPreviews(host, configBase, kPrimary2, "Gold");
    EXPECT_EQ(std::count(host.opened.begin(), host.opened.end(), configBase + "\\2\\Gold\\weapons-gfx\\mp5-bullet.bmp"),
              3);
}

TEST_F(SlotPreviews, TheLoadSequenceShowsSecondarySlotOnesBulletFirst) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) writePreviewSet(library, slot, "Gold");
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        auto handler = imagesOf(loadSlotPreviews(host, configBase, slot, "Gold", PreviewOrder::Handler).loaded);
        auto sequence = imagesOf(loadSlotPreviews(host, configBase, slot, "Gold", PreviewOrder::LoadSequence).loaded);
        if (slot == kSecondary1) {
            EXPECT_EQ(handler, (std::vector<int>{11, 37}));
            EXPECT_EQ(sequence, (std::vector<int>{37, 11}));
        } else {
            EXPECT_EQ(sequence, handler) << "slot " << slot + 1;
        }
    }
    // With the bullet missing, the load sequence shows nothing of that set.
    std::filesystem::remove(library / "socom/Gold/weapons-gfx/colt-bullet.bmp");
    EXPECT_TRUE(loadSlotPreviews(host, configBase, kSecondary1, "Gold", PreviewOrder::LoadSequence).loaded.empty());
    EXPECT_EQ(imagesOf(loadSlotPreviews(host, configBase, kSecondary1, "Gold").loaded), (std::vector<int>{11}));
}

TEST_F(SlotPreviews, TheFirstFailureEndsTheSlotsLoads) {
    writePreviewSet(library, kPrimary2, "NoBullet");
    std::filesystem::remove(library / "2/NoBullet/weapons-gfx/mp5-bullet.bmp");
    SlotPreviewLoad load = loadSlotPreviews(host, configBase, kPrimary2, "NoBullet");
    EXPECT_EQ(imagesOf(load.loaded), (std::vector<int>{2}));
    const std::string bullet = configBase + "\\2\\NoBullet\\weapons-gfx\\mp5-bullet.bmp";
    EXPECT_EQ(load.failure->path, bullet);
    EXPECT_EQ(load.failure->openFailure->cause, Cause::Missing);
    EXPECT_EQ(host.opened.size(), 2u) << "no copy after the failing one is tried";

    // An empty text names no set: the path holds two backslashes in a row.
    host.opened.clear();
    load = loadSlotPreviews(host, configBase, kPrimary2, "");
    EXPECT_TRUE(load.loaded.empty());
    EXPECT_EQ(load.failure->path, configBase + "\\2\\\\2.bmp");
    EXPECT_EQ(load.failure->openFailure->cause, Cause::Missing);
    EXPECT_EQ(host.opened.size(), 1u);

    // A weapon picture that is not a bitmap; then one whose detail is not.
    writePreviewSet(library, kSecondary3, "Broken");
    testing::writeFile(library / "chain/Broken/chainsaw.bmp", "GIF89a");
    load = loadSlotPreviews(host, configBase, kSecondary3, "Broken");
    EXPECT_TRUE(load.loaded.empty());
    EXPECT_FALSE(load.failure->openFailure) << "not a valid bitmap";
    testing::writeFile(library / "chain/Broken/chainsaw.bmp", testing::markerBitmap(1));
    testing::writeFile(library / "chain/Broken/weapons-gfx/chainsaw.bmp", "");
    load = loadSlotPreviews(host, configBase, kSecondary3, "Broken");
    EXPECT_EQ(imagesOf(load.loaded), (std::vector<int>{13}));
    EXPECT_FALSE(load.failure->openFailure) << "not a valid bitmap";
}

}  // namespace
}  // namespace modsetup
