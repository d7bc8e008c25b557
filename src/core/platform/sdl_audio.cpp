// The system's audio on Linux: SDL's, which reaches whatever sound server the
// desktop runs. Shots are queued on one device that plays them on its own
// thread, so playing never waits for the sound.
#include <SDL.h>

#include <optional>
#include <vector>

#include "core/platform/audio.h"
#include "core/wave_format.h"

namespace modsetup {
namespace {

// What the device is asked for; SDL may take another rate or channel count,
// and each sound is converted to what the device took.
constexpr int kDeviceRate = 44100;
constexpr Uint8 kDeviceChannels = 2;
constexpr Uint16 kDeviceFrames = 1024;  // one buffer, about 23 ms: a shot starts at once

class SdlAudio final : public Audio {
public:
    SdlAudio() = default;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;
    ~SdlAudio() override {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
        if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    void play(std::string wave) override {
        const std::optional<WaveFormat> format = readWaveFormat(wave);
        if (!format || !openDevice()) return;
        const auto* samples = reinterpret_cast<const Uint8*>(wave.data() + format->dataOffset);
        const SDL_AudioFormat sampleFormat = format->bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        std::vector<Uint8> converted;
        if (sampleFormat != spec_.format || format->channels != spec_.channels ||
            format->samplesPerSecond != spec_.freq) {
            if (!convert(*format, sampleFormat, samples, converted)) return;
            samples = converted.data();
        }
        const std::size_t bytes = converted.empty() ? format->dataBytes : converted.size();
        SDL_ClearQueuedAudio(device_);  // a new shot stops the one playing
        SDL_QueueAudio(device_, samples, static_cast<Uint32>(bytes));
        SDL_PauseAudioDevice(device_, 0);
    }

private:
    // Opens the default device on the first shot; a device that cannot be
    // opened is not asked for again.
    bool openDevice() {
        if (device_ != 0) return true;
        if (tried_) return false;
        tried_ = true;
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // the window's own handling of signals stays
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        initialised_ = true;
        SDL_AudioSpec wanted{};
        wanted.freq = kDeviceRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = kDeviceChannels;
        wanted.samples = kDeviceFrames;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec_,
                                      SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
        return device_ != 0;
    }

    bool convert(const WaveFormat& format, SDL_AudioFormat sampleFormat, const Uint8* samples,
                 std::vector<Uint8>& converted) const {
        SDL_AudioStream* stream = SDL_NewAudioStream(sampleFormat, static_cast<Uint8>(format.channels),
                                                     format.samplesPerSecond, spec_.format, spec_.channels, spec_.freq);
        if (stream == nullptr) return false;
        bool done = SDL_AudioStreamPut(stream, samples, static_cast<int>(format.dataBytes)) == 0 &&
                    SDL_AudioStreamFlush(stream) == 0;
        if (done) {
            converted.resize(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream)));
            done = SDL_AudioStreamGet(stream, converted.data(), static_cast<int>(converted.size())) ==
                   static_cast<int>(converted.size());
        }
        SDL_FreeAudioStream(stream);
        return done && !converted.empty();
    }

    bool tried_ = false;
    bool initialised_ = false;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};  // what the device took
};

}  // namespace

std::unique_ptr<Audio> makeSystemAudio() { return std::make_unique<SdlAudio>(); }

}  // namespace modsetup
