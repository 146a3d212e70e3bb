#include "sound_player.h"

#include <SDL.h>

#include <QTimer>
#include <climits>
#include <cstdint>
#include <memory>

namespace klu {
namespace {

// How long past the sound's own length its device stays open.
constexpr uint64_t kMarginMs = 500;
constexpr Uint16 kDeviceSamples = 512;

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

uint64_t MillisecondsOf(uint64_t bytes, const SDL_AudioSpec& format) {
    const auto bits = static_cast<uint64_t>(SDL_AUDIO_BITSIZE(format.format));
    const uint64_t frame = bits / 8 * format.channels;
    if (frame == 0 || format.freq <= 0) return 0;
    return bytes * 1000 / (frame * static_cast<uint64_t>(format.freq));
}

// The device of the sound that plays: SDL takes the queued samples from it on its own thread.
// It is closed when the sound has had time to end, or when another sound or StopSound comes.
struct PlayingSound {
    SDL_AudioDeviceID device = 0;
    uint64_t endsAt = 0;      // SDL ticks by which the device has played everything
    unsigned generation = 0;  // tells a closing timer whether its sound is still the one playing
};
PlayingSound playing;

// Closes the device once the sound has played out; checked again later while it has not.
void CloseWhenEnded(unsigned generation) {
    if (playing.device == 0 || playing.generation != generation) return;
    const uint64_t now = SDL_GetTicks64();
    if (now < playing.endsAt) {
        QTimer::singleShot(static_cast<int>(playing.endsAt - now),
                           [generation] { CloseWhenEnded(generation); });
        return;
    }
    StopSound();
}

}  // namespace

void StopSound() {
    if (playing.device == 0) return;
    SDL_CloseAudioDevice(playing.device);
    playing.device = 0;
    ++playing.generation;
}

bool SoundPlaying() {
    return playing.device != 0 && SDL_GetTicks64() < playing.endsAt;
}

std::optional<std::string> StartWaveImage(const char* data, size_t size) {
    StopSound();
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
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &format, &obtained, 0);
    if (device == 0) return "No sound device could be opened: " + SdlError();
    // The queue keeps its own copy of the samples.
    if (SDL_QueueAudio(device, samples, length) != 0) {
        const std::string why = SdlError();
        SDL_CloseAudioDevice(device);
        return "The sound could not be handed to the sound device: " + why;
    }
    SDL_PauseAudioDevice(device, 0);

    const uint64_t buffer_ms =
        obtained.freq > 0 ? uint64_t{obtained.samples} * 1000 / static_cast<uint64_t>(obtained.freq)
                          : 0;
    playing.device = device;
    playing.endsAt = SDL_GetTicks64() + MillisecondsOf(length, format) + buffer_ms + kMarginMs;
    CloseWhenEnded(playing.generation);
    return std::nullopt;
}

}  // namespace klu
