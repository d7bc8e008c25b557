#include "core/weapon_shot.h"

#include "core/slots.h"
#include "core/wave_format.h"
#include "core/weapon_copies.h"

namespace modsetup {
namespace {

// The whole file, or nothing when it is larger than maxBytes. Read in pieces
// and appended, so that a small file costs a small string.
std::optional<std::string> readAtMost(InputFile& file, std::size_t maxBytes) {
    std::string bytes;
    char chunk[1 << 16];
    for (;;) {
        const std::size_t got = file.read(chunk, sizeof chunk);
        if (got == 0) return bytes;
        if (got > maxBytes - bytes.size()) return std::nullopt;
        bytes.append(chunk, got);
    }
}

}  // namespace

std::optional<std::string_view> shotFile(std::size_t slot) {
    std::optional<std::string_view> firstSound;
    for (const WeaponCopy& copy : kWeaponCopies) {
        if (copy.slot != slot || !copy.source.ends_with(".wav")) continue;
        if (copy.destination.ends_with("-fire.wav")) return copy.source;
        if (!firstSound) firstSound = copy.source;
    }
    return firstSound;
}

std::optional<std::string> readShot(Host& host, std::string_view configBase, std::size_t slot, std::string_view text) {
    const std::optional<std::string_view> file = shotFile(slot);
    if (!file) return std::nullopt;
    const auto input = host.openRead(setFolderPath(configBase, slot, text) + std::string(*file));
    if (!input.ok()) return std::nullopt;
    std::optional<std::string> bytes = readAtMost(*input.value(), kMaxSoundFileBytes);
    if (!bytes || !readWaveFormat(*bytes)) return std::nullopt;
    return bytes;
}

}  // namespace modsetup
