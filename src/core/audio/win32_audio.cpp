// The system's audio on Windows: PlaySound plays a wave file's bytes from
// memory on the system's own thread. It plays a whole file, so it is given
// one of the part a preview plays. The system opens its device on the first
// sound.
#include "core/platform/win32/windows_headers.h"

#include <mmsystem.h>

#include <optional>

#include "core/audio/audio.h"
#include "core/formats/wave_format.h"

namespace modsetup {
namespace {

class SystemSound final : public Audio {
public:
    SystemSound() = default;
    SystemSound(const SystemSound&) = delete;
    SystemSound& operator=(const SystemSound&) = delete;
    ~SystemSound() override { stop(); }

    void play(std::string wave) override {
        stop();
        std::optional<std::string> preview = previewWave(wave);
        if (!preview) return;
        playing_ = std::move(*preview);
        // SND_NODEFAULT: a sound the system cannot play stays silent rather
        // than ringing the system's default sound.
        if (!PlaySoundA(playing_.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT)) playing_.clear();
    }

private:
    // The system reads a sound's bytes while it plays: they are let go only
    // once it has stopped.
    void stop() {
        if (playing_.empty()) return;
        PlaySoundA(nullptr, nullptr, 0);
        playing_.clear();
    }

    std::string playing_;
};

}  // namespace

std::unique_ptr<Audio> makeSystemAudio() { return std::make_unique<SystemSound>(); }

}  // namespace modsetup
