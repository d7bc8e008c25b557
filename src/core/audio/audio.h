#pragma once
// The program's one sound: a weapon set's shot, played when the user asks to
// hear it. Apart from Host because only the window plays sounds, and the
// system's audio is touched only when it does.

#include <memory>
#include <string>

namespace modsetup {

class Audio {
public:
    virtual ~Audio() = default;

    // Starts playing the bytes of a wave file (one readWaveFormat accepts), as
    // far as a preview plays it (readPreviewFormat), and returns without
    // waiting for it; a sound still playing stops first. The work on the
    // caller's thread is bounded by the file's size, whatever its format. The
    // system's audio device is opened on the first call. A sound the system
    // cannot play is not heard, and that is all: a preview is never an error.
    virtual void play(std::string wave) = 0;
};

// The system's audio, chosen at build time like the host: SDL's on Linux, the
// system's PlaySound on Windows. Creating it opens nothing.
std::unique_ptr<Audio> makeSystemAudio();

}  // namespace modsetup
