#include "demo_library/wave_file.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace modsetup::demo {
namespace {

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string encodeTone(std::size_t sampleBytes, double frequency) {
    return encodeSweep(sampleBytes, frequency, frequency);
}

std::string encodeSweep(std::size_t sampleBytes, double startFrequency, double endFrequency) {
    const auto dataBytes = static_cast<std::uint32_t>(sampleBytes);
    std::string out;
    out.reserve(44 + sampleBytes + 1);
    out += "RIFF";
    putLe(out, 36 + dataBytes + (dataBytes & 1u), 4);
    out += "WAVE";
    out += "fmt ";
    putLe(out, 16, 4);           // size of the format block
    putLe(out, 1, 2);            // PCM
    putLe(out, 1, 2);            // one channel
    putLe(out, kSampleRate, 4);  // samples per second
    putLe(out, kSampleRate, 4);  // bytes per second
    putLe(out, 1, 2);            // bytes per sample frame
    putLe(out, 8, 2);            // bits per sample
    out += "data";
    putLe(out, dataBytes, 4);
    double phase = 0.0;
    for (std::size_t i = 0; i < sampleBytes; ++i) {
        const double done = static_cast<double>(i) / static_cast<double>(sampleBytes);
        const double value = 128.0 + 90.0 * (1.0 - done) * std::sin(phase);
        out.push_back(static_cast<char>(static_cast<std::uint8_t>(std::lround(value))));
        phase += 2.0 * std::numbers::pi * (startFrequency + (endFrequency - startFrequency) * done) / kSampleRate;
    }
    if (dataBytes & 1u) out.push_back(static_cast<char>(128));  // chunks keep an even size
    return out;
}

}  // namespace modsetup::demo
