// The part of a shot a preview plays: the shot's own format, and no more than
// its first ten seconds, whatever its file holds.
#include <gtest/gtest.h>

#include "core/formats/wave_format.h"
#include "core/library/weapon_shot.h"
#include "wave_builder.h"

namespace modsetup {
namespace {

using testing::pcmWave;

struct PreviewRow {
    const char* name;
    std::string samples;
    std::uint32_t channels;
    std::uint32_t rate;
    std::uint32_t bits;
    bool chunkBeforeSamples;  // a chunk of another kind between the format and the samples
    std::size_t playedBytes;  // of the samples, from the first
};

TEST(PreviewWave, PlaysTheShotsOwnFormatForTenSecondsAtMost) {
    const PreviewRow rows[] = {
        {"8-bit mono at 1,000 Hz filling the size limit (70 minutes)", std::string(kMaxSoundFileBytes - 44, '\x80'), 1,
         1000, 8, false, 10000},
        {"16-bit stereo at 44,100 Hz, 11 s", std::string(11 * 44100 * 4, 'y'), 2, 44100, 16, false, 1764000},
        {"16-bit mono at 8,000 Hz, 3 s: whole", std::string(3 * 8000 * 2, 'z'), 1, 8000, 16, false, 48000},
        {"another chunk before an odd number of samples", "abcde", 1, 1000, 8, true, 5},
    };
    for (const PreviewRow& row : rows) {
        SCOPED_TRACE(row.name);
        std::string wave = pcmWave(row.samples, row.channels, row.rate, row.bits);
        if (row.chunkBeforeSamples) wave.insert(36, std::string("LIST\x04\0\0\0info", 12));
        const std::optional<WaveFormat> format = readPreviewFormat(wave);
        ASSERT_TRUE(format);
        EXPECT_EQ(format->channels, static_cast<int>(row.channels));
        EXPECT_EQ(format->samplesPerSecond, static_cast<int>(row.rate));
        EXPECT_EQ(format->bitsPerSample, static_cast<int>(row.bits));
        EXPECT_EQ(format->dataBytes, row.playedBytes);
        // What PlaySound plays from memory: a plain head and those samples alone.
        EXPECT_EQ(previewWave(wave), pcmWave(row.samples.substr(0, row.playedBytes), row.channels, row.rate, row.bits));
    }
}

}  // namespace
}  // namespace modsetup
