#pragma once
// Encodes a short sound as a PCM wave file: 8000 samples per second, 8 bits,
// one channel. The demo sets need sounds that a player can play, not music.

#include <cstddef>
#include <string>

namespace modsetup::demo {

inline constexpr int kSampleRate = 8000;

// A tone of the given pitch that fades out over sampleBytes samples.
std::string encodeTone(std::size_t sampleBytes, double frequency);

// A tone whose pitch slides from one frequency to another as it fades out:
// a short synthetic shot.
std::string encodeSweep(std::size_t sampleBytes, double startFrequency, double endFrequency);

}  // namespace modsetup::demo
