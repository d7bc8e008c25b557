#pragma once
// PCM wave files for the tests, built byte by byte.

#include <cstdint>
#include <string>
#include <string_view>

namespace modsetup::testing {

// A wave file holding the given sample bytes: PCM, little-endian.
inline std::string pcmWave(std::string_view samples, int channels = 1, int rate = 8000, int bits = 16) {
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const auto dataBytes = static_cast<std::uint32_t>(samples.size());
    const auto block = static_cast<std::uint32_t>(channels * bits / 8);
    bytes += "RIFF";
    put(36 + dataBytes + (dataBytes & 1u), 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(static_cast<std::uint32_t>(channels), 2);
    put(static_cast<std::uint32_t>(rate), 4);
    put(static_cast<std::uint32_t>(rate) * block, 4);
    put(block, 2);
    put(static_cast<std::uint32_t>(bits), 2);
    bytes += "data";
    put(dataBytes, 4);
    bytes += samples;
    if (dataBytes & 1u) bytes += '\0';
    return bytes;
}

}  // namespace modsetup::testing
