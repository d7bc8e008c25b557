#include "core/formats/wave_format.h"

#include <algorithm>
#include <cstdint>

namespace modsetup {
namespace {

constexpr std::uint16_t kPcmFormat = 1;
// Sample rates outside these are damaged headers rather than sounds.
constexpr std::uint32_t kMinSamplesPerSecond = 1000;
constexpr std::uint32_t kMaxSamplesPerSecond = 192000;

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void putLittleEndian(std::string& bytes, std::size_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::optional<WaveFormat> readWaveFormat(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return std::nullopt;
    // The RIFF size is not trusted (writers that stream leave it wrong): the
    // chunks are walked as far as the file's own bytes go.
    std::optional<WaveFormat> format;
    std::size_t at = 12;
    while (bytes.size() - at >= 8) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t size = littleEndian(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        const std::size_t left = bytes.size() - body;
        if (id == "fmt ") {
            if (size < 16 || size > left) return std::nullopt;
            const std::uint32_t tag = littleEndian(bytes, body, 2);
            const std::uint32_t channels = littleEndian(bytes, body + 2, 2);
            const std::uint32_t rate = littleEndian(bytes, body + 4, 4);
            const std::uint32_t blockAlign = littleEndian(bytes, body + 12, 2);
            const std::uint32_t bits = littleEndian(bytes, body + 14, 2);
            if (tag != kPcmFormat || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) ||
                rate < kMinSamplesPerSecond || rate > kMaxSamplesPerSecond || blockAlign != channels * bits / 8)
                return std::nullopt;
            format = WaveFormat{static_cast<int>(channels), static_cast<int>(rate), static_cast<int>(bits)};
        } else if (id == "data") {
            // The format comes first; samples cut short are a damaged file.
            if (!format || size > left) return std::nullopt;
            format->dataOffset = body;
            format->dataBytes = size - size % format->frameBytes();
            if (format->dataBytes == 0) return std::nullopt;
            return format;
        }
        if (size > left) return std::nullopt;
        at = body + size + (size & 1u);  // chunks keep an even size
        if (at > bytes.size()) return std::nullopt;
    }
    return std::nullopt;
}

std::optional<WaveFormat> readPreviewFormat(std::string_view bytes) {
    std::optional<WaveFormat> format = readWaveFormat(bytes);
    if (!format) return std::nullopt;
    const std::size_t framesPlayed = static_cast<std::size_t>(format->samplesPerSecond) * kMaxPreviewSeconds;
    format->dataBytes = std::min(format->dataBytes, framesPlayed * format->frameBytes());
    return format;
}

std::optional<std::string> previewWave(std::string_view bytes) {
    const std::optional<WaveFormat> format = readPreviewFormat(bytes);
    if (!format) return std::nullopt;
    const std::size_t size = format->dataBytes;
    const std::size_t pad = size & 1u;  // chunks keep an even size
    const auto rate = static_cast<std::size_t>(format->samplesPerSecond);
    std::string wave;
    wave.reserve(44 + size + pad);
    wave += "RIFF";
    putLittleEndian(wave, 36 + size + pad, 4);
    wave += "WAVEfmt ";
    putLittleEndian(wave, 16, 4);
    putLittleEndian(wave, kPcmFormat, 2);
    putLittleEndian(wave, static_cast<std::size_t>(format->channels), 2);
    putLittleEndian(wave, rate, 4);
    putLittleEndian(wave, rate * format->frameBytes(), 4);
    putLittleEndian(wave, format->frameBytes(), 2);
    putLittleEndian(wave, static_cast<std::size_t>(format->bitsPerSample), 2);
    wave += "data";
    putLittleEndian(wave, size, 4);
    wave.append(bytes.substr(format->dataOffset, size));
    return wave.append(pad, '\0');
}

}  // namespace modsetup
