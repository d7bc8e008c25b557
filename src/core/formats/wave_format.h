#pragma once
// The sound files the program plays: uncompressed PCM wave files of 8 or 16
// bits per sample and one or two channels, the kind every system plays as it
// is. Sound files come from set libraries, so every size in them is checked
// against the bytes that are really there.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace modsetup {

struct WaveFormat {
    int channels = 0;            // 1 or 2
    int samplesPerSecond = 0;    // per channel
    int bitsPerSample = 0;       // 8 (unsigned) or 16 (signed, little-endian)
    std::size_t dataOffset = 0;  // where the samples begin in the file
    std::size_t dataBytes = 0;   // whole sample frames only, at least one

    std::size_t frameBytes() const { return static_cast<std::size_t>(channels * bitsPerSample / 8); }
};

// The longest a preview plays, in seconds: a weapon's shot lasts far less,
// and a long sound is heard no longer than this, whatever its file holds.
inline constexpr int kMaxPreviewSeconds = 10;

// The format and the samples' place of a wave file's bytes; nothing when they
// are not a wave file of that kind, or its samples are cut short.
std::optional<WaveFormat> readWaveFormat(std::string_view bytes);

// The part of a wave file a preview plays: its format as readWaveFormat reads
// it, with the samples cut to the first kMaxPreviewSeconds seconds.
std::optional<WaveFormat> readPreviewFormat(std::string_view bytes);

// That part as a wave file of its own, for a system that plays a whole file
// from memory: a plain header (the format and the data chunks alone) and the
// samples.
std::optional<std::string> previewWave(std::string_view bytes);

}  // namespace modsetup
