#include "core/library/weapon_shot.h"

#include "core/formats/wave_format.h"
#include "core/game/slots.h"
#include "core/game/weapon_copies.h"
#include "core/io/file_reads.h"
#include "core/io/file_writes.h"

namespace modsetup {

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
    Result<std::string> bytes =
        readWholeFile(host, setFolderPath(configBase, slot, text) + std::string(*file), kMaxSoundFileBytes);
    if (!bytes.ok() || !readWaveFormat(bytes.value())) return std::nullopt;
    return std::move(bytes.value());
}

}  // namespace modsetup
