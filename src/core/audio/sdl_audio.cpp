// The system's audio on Linux: SDL's, which reaches whatever sound server the
// desktop runs. A shot plays from its file's own bytes: SDL's audio thread
// converts it to the device's format a piece at a time as it plays, so that a
// shot costs its file and a few pieces, never what the conversion of the
// whole would make of it, and the window's thread only hands it over.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "core/audio/audio.h"
#include "core/formats/wave_format.h"

namespace modsetup {
namespace {

// What the device is asked for; SDL may take another rate or channel count,
// and each sound is converted to what the device took.
constexpr int kDeviceRate = 44100;
constexpr Uint8 kDeviceChannels = 2;
constexpr Uint16 kDeviceFrames = 1024;  // one buffer, about 23 ms: a shot starts at once

// A shot as it plays: the bytes of its file, the samples not yet converted
// (the part a preview plays) and the conversion to the device's format.
class PlayingShot {
public:
    // Nothing when SDL cannot convert from the shot's format.
    static std::unique_ptr<PlayingShot> start(std::string wave, const WaveFormat& format, const SDL_AudioSpec& device) {
        SDL_AudioStream* stream =
            SDL_NewAudioStream(format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(format.channels),
                               format.samplesPerSecond, device.format, device.channels, device.freq);
        if (stream == nullptr) return nullptr;
        return std::unique_ptr<PlayingShot>(new PlayingShot(std::move(wave), format, device, stream));
    }
    PlayingShot(const PlayingShot&) = delete;
    PlayingShot& operator=(const PlayingShot&) = delete;
    ~PlayingShot() { SDL_FreeAudioStream(stream_); }

    // Writes up to size bytes of the sound in the device's format, converting
    // pieces as they are needed; returns how many, fewer once the shot ends.
    int read(Uint8* out, int size) {
        int written = 0;
        while (written < size) {
            const int got = SDL_AudioStreamGet(stream_, out + written, size - written);
            if (got < 0) break;
            written += got;
            if (written == size) break;
            if (left_ > 0) {
                const std::size_t piece = std::min(left_, pieceBytes_);
                if (SDL_AudioStreamPut(stream_, next_, static_cast<int>(piece)) != 0) {
                    left_ = 0, flushed_ = true;  // out of memory: the shot ends here
                    break;
                }
                next_ += piece;
                left_ -= piece;
            } else if (!flushed_) {
                flushed_ = true;  // what the conversion still holds back comes out
                if (SDL_AudioStreamFlush(stream_) != 0) break;
            } else {
                break;
            }
        }
        return written;
    }

private:
    // A piece is converted to about one buffer of the device: a few KB
    // whatever the shot's rate. (SDL 2.26 also drops part of the sound when
    // one piece becomes many thousands of frames: half a second of ten from a
    // shot at 1,000 Hz converted in one go.)
    static std::size_t pieceFrames(const WaveFormat& format, const SDL_AudioSpec& device) {
        const auto rate = static_cast<std::size_t>(format.samplesPerSecond);
        const auto deviceRate = static_cast<std::size_t>(device.freq);
        return std::max<std::size_t>(1, (std::size_t{device.samples} * rate + deviceRate - 1) / deviceRate);
    }

    PlayingShot(std::string wave, const WaveFormat& format, const SDL_AudioSpec& device, SDL_AudioStream* stream)
        : wave_(std::move(wave)),
          next_(reinterpret_cast<const Uint8*>(wave_.data() + format.dataOffset)),
          left_(format.dataBytes),
          pieceBytes_(pieceFrames(format, device) * format.frameBytes()),
          stream_(stream) {}

    std::string wave_;
    const Uint8* next_;
    std::size_t left_;
    std::size_t pieceBytes_;
    SDL_AudioStream* stream_;
    bool flushed_ = false;
};

class SdlAudio final : public Audio {
public:
    SdlAudio() = default;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;
    ~SdlAudio() override {
        if (device_ != 0) SDL_CloseAudioDevice(device_);  // its thread ends first
        playing_.reset();
        if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    void play(std::string wave) override {
        const std::optional<WaveFormat> format = readPreviewFormat(wave);
        if (!format || !openDevice()) return;
        std::unique_ptr<PlayingShot> shot = PlayingShot::start(std::move(wave), *format, spec_);
        if (!shot) return;
        SDL_LockAudioDevice(device_);
        playing_.swap(shot);  // a new shot stops the one playing
        SDL_UnlockAudioDevice(device_);
        // The shot that played is let go here, once the audio thread no longer reads it.
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
        wanted.callback = &SdlAudio::fill;
        wanted.userdata = this;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec_,
                                      SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
        if (device_ == 0) return false;
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    // Called on SDL's audio thread, with the device locked, for each buffer
    // the device plays: the shot as far as it goes, then silence.
    static void SDLCALL fill(void* self, Uint8* out, int size) {
        auto& audio = *static_cast<SdlAudio*>(self);
        const int written = audio.playing_ ? audio.playing_->read(out, size) : 0;
        std::memset(out + written, audio.spec_.silence, static_cast<std::size_t>(size - written));
    }

    bool tried_ = false;
    bool initialised_ = false;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};                  // what the device took
    std::unique_ptr<PlayingShot> playing_;  // read by the audio thread under the device's lock
};

}  // namespace

std::unique_ptr<Audio> makeSystemAudio() { return std::make_unique<SdlAudio>(); }

}  // namespace modsetup
