#include "sound_player.h"

#include <SDL.h>

#include <climits>
#include <cstdint>
#include <memory>

namespace klu {
namespace {

// How long past the sound's own length the wait may run before the sound is cut off.
constexpr uint64_t kMarginMs = 1000;
constexpr Uint16 kDeviceSamples = 512;
constexpr Uint32 kPollMs = 5;

std::string SdlError() {
    const char* text = SDL_GetError();
    return text && *text ? std::string(text) : std::string("no reason given");
}

// Starts SDL's audio on first use and keeps it for the process. SDL's own signal handlers are
// left out so that an interrupt still ends the program as usual. A failed start is tried again
// with the next sound: a sound server may have come up since.
std::optional<std::string> StartAudio() {
    static bool started = false;
    if (started) return std::nullopt;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetMainReady();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return "No sound output is available: " + SdlError();
    started = true;
    return std::nullopt;
}

struct WaveFree {
    void operator()(Uint8* samples) const { SDL_FreeWAV(samples); }
};

// An open audio device, closed when it goes.
class AudioDevice {
  public:
    explicit AudioDevice(SDL_AudioDeviceID id) : id_(id) {}
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;
    ~AudioDevice() {
        if (id_ != 0) SDL_CloseAudioDevice(id_);
    }
    SDL_AudioDeviceID Id() const { return id_; }

  private:
    SDL_AudioDeviceID id_;
};

uint64_t MillisecondsOf(uint64_t bytes, const SDL_AudioSpec& format) {
    const auto bits = static_cast<uint64_t>(SDL_AUDIO_BITSIZE(format.format));
    const uint64_t frame = bits / 8 * format.channels;
    if (frame == 0 || format.freq <= 0) return 0;
    return bytes * 1000 / (frame * static_cast<uint64_t>(format.freq));
}

}  // namespace

std::optional<std::string> PlayWaveImage(const char* data, size_t size) {
    if (size > static_cast<size_t>(INT_MAX)) return "The sound is too large to be played.";
    if (auto failed = StartAudio()) return failed;

    SDL_AudioSpec format{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    // SDL_LoadWAV_RW closes the memory stream itself (freesrc 1), also when it fails.
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1, &format, &samples,
                        &length))
        return "The wave data is damaged: " + SdlError();
    const std::unique_ptr<Uint8, WaveFree> owned(samples);
    if (length == 0) return std::nullopt;

    // A small device buffer keeps the delay between the call and the sound short; SDL converts
    // the wave's own format to the device's.
    format.samples = kDeviceSamples;
    format.callback = nullptr;
    format.userdata = nullptr;
    SDL_AudioSpec obtained{};
    const AudioDevice device(SDL_OpenAudioDevice(nullptr, 0, &format, &obtained, 0));
    if (device.Id() == 0) return "No sound device could be opened: " + SdlError();
    if (SDL_QueueAudio(device.Id(), samples, length) != 0)
        return "The sound could not be handed to the sound device: " + SdlError();
    SDL_PauseAudioDevice(device.Id(), 0);

    // Wait until the device has taken the whole queue, then for its own buffer to play out.
    const uint64_t sound_ms = MillisecondsOf(length, format);
    const uint64_t buffer_ms =
        obtained.freq > 0 ? uint64_t{obtained.samples} * 1000 / static_cast<uint64_t>(obtained.freq)
                          : 0;
    const uint64_t deadline = SDL_GetTicks64() + sound_ms + buffer_ms + kMarginMs;
    while (SDL_GetQueuedAudioSize(device.Id()) > 0 && SDL_GetTicks64() < deadline)
        SDL_Delay(kPollMs);
    SDL_Delay(static_cast<Uint32>(buffer_ms) + kPollMs);
    return std::nullopt;
}

}  // namespace klu
