// Fuzz target of the sound files the window plays: any bytes as a wave file.
// The reader must either refuse them or name a format the systems play and a
// whole number of sample frames that lie inside the bytes; the preview's own
// wave file must read back with that format and at most ten seconds of them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/formats/wave_format.h"

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
    const auto preview = modsetup::previewWave(bytes);
    const auto played = preview ? modsetup::readWaveFormat(*preview) : std::nullopt;
    if (!played || played->channels != format->channels || played->bitsPerSample != format->bitsPerSample ||
        played->samplesPerSecond != format->samplesPerSecond || played->dataBytes > format->dataBytes ||
        played->dataBytes > static_cast<std::size_t>(format->samplesPerSecond) * modsetup::kMaxPreviewSeconds * frame)
        std::abort();
    return 0;
}
