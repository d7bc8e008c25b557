// Fuzz target of the sound files the window plays: any bytes as a wave file.
// The reader must either refuse them or name a format the systems play and a
// whole number of sample frames that lie inside the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/wave_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto format = modsetup::readWaveFormat(bytes);
    if (!format) return 0;
    const std::size_t frame = static_cast<std::size_t>(format->channels * format->bitsPerSample / 8);
    const bool sound = (format->channels == 1 || format->channels == 2) &&
                       (format->bitsPerSample == 8 || format->bitsPerSample == 16) && format->samplesPerSecond > 0 &&
                       format->dataBytes > 0 && format->dataBytes % frame == 0 && format->dataOffset >= 12 &&
                       format->dataOffset <= size && format->dataBytes <= size - format->dataOffset;
    if (!sound) std::abort();
    return 0;
}
