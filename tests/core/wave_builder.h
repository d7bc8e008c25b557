#pragma once
// PCM wave files for the tests, built byte by byte.

#include <cstdint>
#include <string>
#include <string_view>

namespace modsetup::testing {

// A wave file holding the given sample bytes: PCM, little-endian.
inline std::string pcmWave(std::string_view samples, std::uint32_t channels = 1, std::uint32_t rate = 8000,
                           std::uint32_t bits = 16) {
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const auto size = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t block = channels * bits / 8;
    bytes += "RIFF", put(36 + size + (size & 1u), 4), bytes += "WAVEfmt ", put(16, 4), put(1, 2), put(channels, 2);
    put(rate, 4), put(rate * block, 4), put(block, 2), put(bits, 2), bytes += "data", put(size, 4);
    return bytes.append(samples).append(size & 1u, '\0');
}

}  // namespace modsetup::testing
