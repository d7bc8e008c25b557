#pragma once
// A weapon set's shot: the sound its weapon fires with, which the window
// plays so that the user hears a set before choosing it. It is a file the
// weapon installation table copies for the slot.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/io/host.h"

namespace modsetup {

// The largest sound file the window plays, in bytes: far more than any
// weapon's sound (a second of CD-quality stereo is 176 KiB), little enough to
// hold while it plays.
inline constexpr std::size_t kMaxSoundFileBytes = 4 * 1024 * 1024;

// The shot's file after the set folder: the slot's first copied file whose
// target ends in "-fire.wav", or, for a weapon without one, its first sound.
// None for the team slots, which have no sound.
std::optional<std::string_view> shotFile(std::size_t slot);

// The bytes of the shot of the set a slot's list names, read through the
// host. None when the slot has no sound, the file is missing, cannot be read
// or is larger than kMaxSoundFileBytes, or is not a wave file the program
// plays (see wave_format.h).
std::optional<std::string> readShot(Host& host, std::string_view configBase, std::size_t slot, std::string_view text);

}  // namespace modsetup
