// Decoding bitmap files (picture_load_test.cpp: loading them as previews).
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "bmp_builder.h"
#include "core/formats/picture.h"
#include "core/report/messages.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::BitmapFields;
using testing::buildBitmap;
using testing::colours;
using testing::packRows;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kBlack = 0, kWhite = 0xFFFFFF;
constexpr std::uint32_t kOpaque = 0xFF000000;

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) out += static_cast<char>(value);
    return out;
}

// Every pixel of the bottom-left pixel's colour has alpha 0, all others 255.
void expectTransparency(const Picture& picture) {
    ASSERT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.width) * picture.height);
    const std::uint32_t key = picture.pixels[static_cast<std::size_t>(picture.width) * (picture.height - 1)];
    EXPECT_EQ(key & kOpaque, 0u);
    for (std::uint32_t pixel : picture.pixels)
        EXPECT_EQ(pixel & kOpaque, (pixel & 0xFFFFFF) == (key & 0xFFFFFF) ? 0u : kOpaque);
}

TEST(BitmapDecoding, TrueColourBottomUpTopDownAndPadding) {
    // Three pixels per row leaves three bytes of padding in each 24-bit row.
    const std::vector<std::uint32_t> pixels{kRed, kGreen, kBlue, 0x123456, kWhite, 0x808080};
    for (bool topDown : {false, true}) {
        BitmapFields bmp;
        bmp.width = 3;
        bmp.height = topDown ? -2 : 2;
        bmp.pixelData = packRows(3, 2, 24, pixels, topDown);
        auto picture = decodeBitmap(buildBitmap(bmp));
        ASSERT_TRUE(picture) << "top-down " << topDown;
        EXPECT_EQ(picture->width, 3);
        EXPECT_EQ(picture->height, 2);
        EXPECT_EQ(colours(*picture), pixels);
        expectTransparency(*picture);
        EXPECT_EQ(picture->pixels[3], 0x123456u) << "the bottom-left pixel is the transparent one";
    }
}

TEST(BitmapDecoding, ThirtyTwoBitsIgnoreTheFilesAlpha) {
    BitmapFields bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.bitsPerPixel = 32;
    bmp.pixelData = packRows(2, 2, 32, {0x00FF0000, 0x8000FF00, 0xFF0000FF, 0x40FFFFFF});
    auto picture = decodeBitmap(buildBitmap(bmp));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixels, (std::vector<std::uint32_t>{kOpaque | kRed, kOpaque | kGreen, kBlue, kOpaque | kWhite}));
}

TEST(BitmapDecoding, PaletteBitmapsOfOneFourAndEightBits) {
    const std::vector<std::uint32_t> palette{0x102030, kRed, kGreen, kBlue, 0xABCDEF};
    // Nine pixels wide so that a 1-bit row spans two bytes, a 4-bit row five.
    const std::vector<std::uint32_t> indexes{0, 1, 2, 3, 4, 4, 3, 2, 1, 4, 4, 4, 0, 0, 0, 1, 2, 3};
    for (int bits : {4, 8}) {
        BitmapFields bmp;
        bmp.width = 9;
        bmp.height = 2;
        bmp.bitsPerPixel = bits;
        bmp.palette = palette;
        bmp.pixelData = packRows(9, 2, bits, indexes);
        auto picture = decodeBitmap(buildBitmap(bmp));
        ASSERT_TRUE(picture) << bits << " bits";
        for (std::size_t i = 0; i < indexes.size(); ++i)
            EXPECT_EQ(picture->pixels[i] & 0xFFFFFF, palette[indexes[i]]) << bits << " bits, pixel " << i;
        expectTransparency(*picture);
    }

    // A two-colour bitmap takes its colours from its palette; white is its
    // transparent colour, whichever colour its bottom-left pixel has.
    for (const std::vector<std::uint32_t>& twoColour :
         {std::vector<std::uint32_t>{kBlue, kWhite}, std::vector<std::uint32_t>{kWhite, kBlue},
          std::vector<std::uint32_t>{kBlue, 0xFFFF00}}) {
        const std::vector<std::uint32_t> bits{1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 0};
        BitmapFields bmp;
        bmp.width = 9;
        bmp.height = 2;
        bmp.bitsPerPixel = 1;
        bmp.palette = twoColour;
        bmp.pixelData = packRows(9, 2, 1, bits);
        auto picture = decodeBitmap(buildBitmap(bmp));
        ASSERT_TRUE(picture);
        for (std::size_t i = 0; i < bits.size(); ++i) {
            const std::uint32_t colour = twoColour[bits[i]];
            EXPECT_EQ(picture->pixels[i] & 0xFFFFFF, colour) << "pixel " << i;
            EXPECT_EQ(picture->pixels[i] & kOpaque, colour == kWhite ? 0u : kOpaque) << "pixel " << i;
        }
    }
}

TEST(BitmapDecoding, CoreHeaderWithThreeByteColourTable) {
    BitmapFields bmp;
    bmp.headerSize = 12;
    bmp.width = 2;
    bmp.height = 2;
    bmp.bitsPerPixel = 8;
    bmp.palette = {kWhite, kRed, kGreen};
    bmp.pixelData = packRows(2, 2, 8, {1, 2, 0, 1});
    auto picture = decodeBitmap(buildBitmap(bmp));
    ASSERT_TRUE(picture);
    EXPECT_EQ(colours(*picture), (std::vector<std::uint32_t>{kRed, kGreen, kWhite, kRed}));
}

TEST(BitmapDecoding, ColourMasksAndSixteenBits) {
    // 5-6-5 masks in the short header's trailing masks: full channels stay full.
    BitmapFields bmp;
    bmp.width = 4;
    bmp.height = 1;
    bmp.bitsPerPixel = 16;
    bmp.compression = 3;
    bmp.masks = {0xF800, 0x07E0, 0x001F};
    bmp.pixelData = packRows(4, 1, 16, {0x0000, 0xF800, 0x07E0, 0xFFFF});
    auto picture = decodeBitmap(buildBitmap(bmp));
    ASSERT_TRUE(picture);
    EXPECT_EQ(colours(*picture), (std::vector<std::uint32_t>{kBlack, kRed, kGreen, kWhite}));
    expectTransparency(*picture);

    // Without masks 16 bits are 5-5-5: the green 5-6-5 word above is mostly blue here.
    bmp.compression = 0;
    bmp.masks.clear();
    bmp.pixelData = packRows(4, 1, 16, {0x0000, 0x7C00, 0x03E0, 0x001F});
    picture = decodeBitmap(buildBitmap(bmp));
    ASSERT_TRUE(picture);
    EXPECT_EQ(colours(*picture), (std::vector<std::uint32_t>{kBlack, kRed, kGreen, kBlue}));

    // Version 4 and 5 headers hold their masks inside; here red sits in the low byte.
    for (std::uint32_t headerSize : {108u, 124u}) {
        BitmapFields v;
        v.headerSize = headerSize;
        v.width = 2;
        v.height = 1;
        v.bitsPerPixel = 32;
        v.compression = 3;
        v.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
        v.pixelData = packRows(2, 1, 32, {0x000000FF, 0x00FF0000});
        picture = decodeBitmap(buildBitmap(v));
        ASSERT_TRUE(picture) << headerSize;
        EXPECT_EQ(colours(*picture), (std::vector<std::uint32_t>{kRed, kBlue})) << headerSize;
    }
}

TEST(BitmapDecoding, RunLengthEightAndFourBits) {
    constexpr std::uint32_t kDark = 0x102030;  // index 0
    BitmapFields bmp;
    bmp.width = 4;
    bmp.height = 3;
    bmp.bitsPerPixel = 8;
    bmp.compression = 1;
    bmp.palette = {kDark, kRed, kGreen, kBlue};
    bmp.pixelData = bytes({
        3, 1, 0, 0,              // bottom row: three red, end of row
        0, 3, 2, 3, 1, 0, 0, 0,  // literal green, blue, red (padded), end of row
        0, 2, 2, 0,              // move two to the right
        2, 2, 0, 1,              // two green, end of bitmap
    });
    auto picture = decodeBitmap(buildBitmap(bmp));
    ASSERT_TRUE(picture);
    // Skipped pixels have the colour of index 0.
    EXPECT_EQ(colours(*picture), (std::vector<std::uint32_t>{kDark, kDark, kGreen, kGreen,  //
                                                             kGreen, kBlue, kRed, kDark,    //
                                                             kRed, kRed, kRed, kDark}));
    expectTransparency(*picture);

    bmp.width = 3;
    bmp.height = 2;
    bmp.bitsPerPixel = 4;
    bmp.compression = 2;
    bmp.pixelData = bytes({3, 0x12, 0, 0, 0, 3, 0x12, 0x30, 0, 1});
    picture = decodeBitmap(buildBitmap(bmp));
    ASSERT_TRUE(picture);
    EXPECT_EQ(colours(*picture), (std::vector<std::uint32_t>{kRed, kGreen, kBlue, kRed, kGreen, kRed}));

    // Runs past the right edge are clipped, moves past the top end the bitmap.
    bmp.pixelData = bytes({200, 0x21, 0, 0, 0, 2, 0, 2, 9, 9, 0, 1});
    picture = decodeBitmap(buildBitmap(bmp));
    ASSERT_TRUE(picture);
    EXPECT_EQ(colours(*picture), (std::vector<std::uint32_t>{kDark, kDark, kDark, kGreen, kRed, kGreen}));
}

std::string validBitmap() { return testing::bitmap24(3, 2, {kRed, kGreen, kBlue, kWhite, kBlack, kRed}); }

TEST(BitmapDecoding, DamagedOrForeignDataIsNotABitmap) {
    EXPECT_FALSE(decodeBitmap(""));
    EXPECT_FALSE(decodeBitmap("BM"));
    EXPECT_FALSE(decodeBitmap(std::string("\x89PNG\r\n\x1a\n", 8) + std::string(64, '\0')));
    EXPECT_FALSE(decodeBitmap("Hello, this is a text file and not a picture at all.\r\n"));

    // Truncated anywhere before the last row's padding.
    const std::string whole = validBitmap();
    for (std::size_t length = 0; length + 3 < whole.size(); ++length)
        EXPECT_FALSE(decodeBitmap(whole.substr(0, length))) << "length " << length;
    EXPECT_TRUE(decodeBitmap(whole.substr(0, whole.size() - 3)));

    auto withHeader = [](int width, int height, int bits, std::uint32_t compression) {
        BitmapFields bmp;
        bmp.width = width;
        bmp.height = height;
        bmp.bitsPerPixel = bits;
        bmp.compression = compression;
        bmp.pixelData = std::string(64, '\x01');
        return decodeBitmap(buildBitmap(bmp));
    };
    EXPECT_FALSE(withHeader(100000, 100000, 24, 0)) << "declared size far beyond the data";
    EXPECT_FALSE(withHeader(0x7FFFFFFF, 0x7FFFFFFF, 32, 0)) << "multiplication overflow";
    EXPECT_FALSE(withHeader(0x7FFFFFFF, INT32_MIN, 8, 1)) << "over the pixel limit";
    EXPECT_FALSE(withHeader(9000, 9000, 8, 1)) << "over the pixel limit, run-length";
    EXPECT_FALSE(withHeader(0, 4, 24, 0));
    EXPECT_FALSE(withHeader(-4, 4, 24, 0));
    EXPECT_FALSE(withHeader(4, 0, 24, 0));
    EXPECT_FALSE(withHeader(2, 2, 3, 0)) << "no such pixel size";
    EXPECT_FALSE(withHeader(2, 2, 24, 3)) << "masks need 16 or 32 bits";
    EXPECT_FALSE(withHeader(2, 2, 8, 2)) << "4-bit run-length with 8 bits";
    EXPECT_FALSE(withHeader(2, 2, 8, 4)) << "embedded foreign compression";
    EXPECT_TRUE(withHeader(4, 4, 24, 0));

    // Run-length data that stops before the bitmap is complete.
    BitmapFields rle;
    rle.width = 4;
    rle.height = 3;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    rle.palette = {kBlack, kRed};
    for (std::string stream : {bytes({3, 1}), bytes({3, 1, 0, 0, 0}), bytes({0, 5, 1, 1}), bytes({0, 2, 1})}) {
        rle.pixelData = stream;
        EXPECT_FALSE(decodeBitmap(buildBitmap(rle))) << stream.size() << " bytes of run-length data";
    }
    // Run-length data is always stored bottom-up.
    rle.pixelData = bytes({0, 1});
    EXPECT_TRUE(decodeBitmap(buildBitmap(rle)));
    rle.height = -3;
    EXPECT_FALSE(decodeBitmap(buildBitmap(rle)));

    // The pixel data offset points past the end of the file.
    std::string offset = validBitmap();
    offset[10] = static_cast<char>(0xF0);
    EXPECT_FALSE(decodeBitmap(offset));
}

// A view shows its picture clipped to its bounds, so only that much is kept;
// the transparent colour is still the whole bitmap's bottom-left one.
TEST(BitmapDecoding, KeepsOnlyTheAreaAViewShows) {
    std::vector<std::uint32_t> pixels(6 * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0x010101u * static_cast<std::uint32_t>(i + 1);
    pixels[18] = pixels[1];  // the bottom-left pixel has the colour of one kept pixel
    for (bool topDown : {false, true}) {
        BitmapFields bmp;
        bmp.width = 6;
        bmp.height = topDown ? -4 : 4;
        bmp.pixelData = packRows(6, 4, 24, pixels, topDown);
        auto picture = decodeBitmap(buildBitmap(bmp), PictureArea{3, 2});
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->width, 3);
        EXPECT_EQ(picture->height, 2);
        EXPECT_EQ(colours(*picture),
                  (std::vector<std::uint32_t>{pixels[0], pixels[1], pixels[2], pixels[6], pixels[7], pixels[8]}));
        EXPECT_EQ(picture->pixels[1] & kOpaque, 0u) << "top-down " << topDown;
        EXPECT_EQ(picture->pixels[0] & kOpaque, kOpaque);
    }
    // A smaller bitmap than the area is kept whole.
    auto small = decodeBitmap(validBitmap(), PictureArea{57, 25});
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width * small->height, 6);

    // 64 bytes may declare 8192 x 8192 run-length pixels that end at once:
    // only the view's area is ever made.
    BitmapFields rle;
    rle.width = 8192;
    rle.height = 8192;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    rle.palette = {kBlue, kRed};
    rle.pixelData = bytes({2, 1, 0, 1});  // two red pixels at the bottom-left, end of bitmap
    auto hostile = decodeBitmap(buildBitmap(rle), PictureArea{57, 25});
    ASSERT_TRUE(hostile);
    EXPECT_EQ(hostile->pixels.size(), 57u * 25u);
    EXPECT_EQ(hostile->pixels.front(), kOpaque | kBlue) << "the red bottom-left pixel makes red transparent";
}

// A bitmap file in memory that counts the bytes it hands out; skipped bytes
// are passed over unread, as the hosts do.
struct CountingFile final : InputFile {
    explicit CountingFile(std::string_view data) : bytes(data), whole(data.size()) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t count = bytes.copy(buffer, size);
        handedOut += count;
        return skip(count), count;
    }
    bool skip(std::uint64_t count) override {
        return bytes.remove_prefix(std::min<std::size_t>(count, bytes.size())), true;
    }
    std::uint64_t size() const override { return whole; }
    std::string_view bytes;
    std::size_t whole, handedOut = 0;
};

// A picture far larger than its view costs what the view shows: its headers,
// then the kept rows' bytes and its bottom-left pixel, the rest passed over.
// The pixels are those of the whole picture's top-left corner.
TEST(BitmapDecoding, ReadsOnlyWhatTheKeptAreaNeeds) {
    constexpr int kWidth = 1000, kHeight = 600;
    constexpr PictureArea kView{57, 25};
    const std::tuple<int, std::uint32_t, bool> rows[] = {
        // bits, compression, rows stored top-down
        {1, 0, false}, {4, 0, true}, {8, 0, false}, {16, 3, true}, {24, 0, false}, {32, 0, true}};
    std::mt19937 random(20260512);
    for (const auto& [bits, compression, topDown] : rows) {
        // Without compression 3 the masks are taken for colours: the same ones either way.
        BitmapFields bmp{.width = kWidth,
                         .height = topDown ? -kHeight : kHeight,
                         .bitsPerPixel = bits,
                         .compression = compression,
                         .palette = {kWhite, kRed, kGreen, kBlue},
                         .masks = {0xF800, 0x07E0, 0x001F},
                         .pixelData = std::string((kWidth * bits + 31) / 32 * 4 * std::size_t{kHeight}, '\0')};
        for (char& c : bmp.pixelData) c = static_cast<char>(random());
        const std::string file = buildBitmap(bmp);

        CountingFile counting(file);
        const auto picture = decodeBitmap(counting, kView);
        const auto whole = decodeBitmap(file);
        ASSERT_TRUE(picture && whole) << bits << " bits";
        std::vector<std::uint32_t> corner;
        for (int y = 0; y < kView.height; ++y)
            for (int x = 0; x < kView.width; ++x)
                corner.push_back(whole->pixels[static_cast<std::size_t>(y) * kWidth + x]);
        EXPECT_EQ(picture->pixels, corner) << bits << " bits";
        EXPECT_LE(counting.handedOut, 4096 + kView.height * ((kView.width * bits + 7) / 8) + 4) << bits << " bits";
    }
}

TEST(BitmapDecoding, SaysWhyAFileIsNotABitmap) {
    BitmapFields shortData;
    shortData.width = 40;
    shortData.height = 40;
    shortData.pixelData = std::string(16, '\0');
    BitmapFields oddBits;
    oddBits.bitsPerPixel = 3;
    oddBits.pixelData = std::string(16, '\0');
    const struct {
        std::string bytes;
        BitmapFault fault;
    } cases[] = {
        {"GIF89a and more bytes than a header", BitmapFault::NotABitmap},
        {buildBitmap(shortData), BitmapFault::PixelDataCutShort},
        {buildBitmap(oddBits), BitmapFault::UnsupportedBits},
    };
    for (const auto& c : cases) {
        BitmapFault fault = BitmapFault::NotABitmap;
        EXPECT_FALSE(decodeBitmap(c.bytes, kWholePicture, &fault));
        EXPECT_EQ(fault, c.fault);
    }
}

// Whatever the bytes, the decoder either declines or returns a consistent picture.
void expectSafe(const std::string& data) {
    auto picture = decodeBitmap(data);
    if (!picture) return;
    ASSERT_GT(picture->width, 0);
    ASSERT_GT(picture->height, 0);
    ASSERT_EQ(picture->pixels.size(), static_cast<std::size_t>(picture->width) * picture->height);
}

TEST(BitmapDecoding, RandomAndMutatedBytesAreHandledSafely) {
    std::mt19937 random(20240611);
    auto byte = [&] { return static_cast<char>(random() & 0xFF); };
    for (int round = 0; round < 2000; ++round) {
        std::string data(random() % 160, '\0');
        for (char& c : data) c = byte();
        if (round % 2 == 0 && data.size() >= 2) data[0] = 'B', data[1] = 'M';
        expectSafe(data);
        EXPECT_FALSE(decodeBitmap(data.substr(0, 14))) << "no header";
    }

    // Small changes to valid files of each kind exercise the checks past the signature.
    BitmapFields rle;
    rle.width = 4;
    rle.height = 3;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    rle.palette = {kBlack, kRed, kGreen, kBlue};
    rle.pixelData = bytes({3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 0, 2, 2, 0, 1});
    BitmapFields masked;
    masked.width = 3;
    masked.height = 2;
    masked.bitsPerPixel = 16;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    masked.pixelData = packRows(3, 2, 16, {1, 2, 3, 4, 5, 6});
    BitmapFields core;
    core.headerSize = 12;
    core.width = 5;
    core.height = 2;
    core.bitsPerPixel = 4;
    core.palette = {kBlack, kRed};
    core.pixelData = packRows(5, 2, 4, {0, 1, 0, 1, 0, 1, 0, 1, 0, 1});
    for (const std::string& original : {validBitmap(), buildBitmap(rle), buildBitmap(masked), buildBitmap(core)}) {
        ASSERT_TRUE(decodeBitmap(original));
        for (int round = 0; round < 300; ++round) {
            std::string data = original;
            for (int changes = 1 + static_cast<int>(random() % 3); changes > 0; --changes)
                data[random() % data.size()] = byte();
            expectSafe(data);
        }
    }
}

}  // namespace
}  // namespace modsetup
