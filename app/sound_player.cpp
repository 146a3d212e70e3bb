#include "sound_player.h"

#include <QTimer>
#include <chrono>
#include <climits>
#include <cstdint>
#include <memory>

#include "sdl_library.h"

namespace klu {
namespace {

// How long past the sound's own length its device stays open.
constexpr uint64_t kMarginMs = 500;
constexpr Uint16 kDeviceSamples = 512;

// SDL once it has been loaded and its audio started; null before.
const SdlFunctions* sdl = nullptr;

std::string SdlError(const SdlFunctions* library = sdl) {
    const char* text = library->SDL_GetError();
    return text && *text ? std::string(text) : std::string("no reason given");
}

uint64_t NowMs() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

// Loads SDL and starts its audio on first use, and keeps both for the process. SDL's own signal
// handlers are left out so that an interrupt still ends the program as usual. A failed start is
// tried again with the next sound: a sound server may have come up since.
std::optional<std::string> StartAudio() {
    if (sdl) return std::nullopt;
    std::string why_not;
    const SdlFunctions* library = SdlLibrary(&why_not);
    if (!library) return "No sound output is available: " + why_not;
    library->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    library->SDL_SetMainReady();
    if (library->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return "No sound output is available: " + SdlError(library);
    sdl = library;
    return std::nullopt;
}

struct WaveFree {
    void operator()(Uint8* samples) const { sdl->SDL_FreeWAV(samples); }
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
    uint64_t endsAt = 0;      // NowMs() by which the device has played everything
    unsigned generation = 0;  // tells a closing timer whether its sound is still the one playing
};
PlayingSound playing;

// Closes the device once the sound has played out; checked again later while it has not.
void CloseWhenEnded(unsigned generation) {
    if (playing.device == 0 || playing.generation != generation) return;
    const uint64_t now = NowMs();
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
    sdl->SDL_CloseAudioDevice(playing.device);
    playing.device = 0;
    ++playing.generation;
}

bool SoundPlaying() {
    return playing.device != 0 && NowMs() < playing.endsAt;
}

std::optional<std::string> StartWaveImage(const char* data, size_t size) {
    StopSound();
    if (size > static_cast<size_t>(INT_MAX)) return "The sound is too large to be played.";
    if (auto failed = StartAudio()) return failed;

    SDL_AudioSpec format{};
    Uint8* samples = nullptr;
    Uint32 length = 0;
    // SDL_LoadWAV_RW closes the memory stream itself (freesrc 1), also when it fails.
    if (!sdl->SDL_LoadWAV_RW(sdl->SDL_RWFromConstMem(data, static_cast<int>(size)), 1, &format,
                             &samples, &length))
        return "The wave data is damaged: " + SdlError();
    const std::unique_ptr<Uint8, WaveFree> owned(samples);
    if (length == 0) return std::nullopt;

    // A small device buffer keeps the delay between the call and the sound short; SDL converts
    // the wave's own format to the device's.
    format.samples = kDeviceSamples;
    format.callback = nullptr;
    format.userdata = nullptr;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device =
        sdl->SDL_OpenAudioDevice(nullptr, 0, &format, &obtained, 0);
    if (device == 0) return "No sound device could be opened: " + SdlError();
    // The queue keeps its own copy of the samples.
    if (sdl->SDL_QueueAudio(device, samples, length) != 0) {
        const std::string why = SdlError();
        sdl->SDL_CloseAudioDevice(device);
        return "The sound could not be handed to the sound device: " + why;
    }
    sdl->SDL_PauseAudioDevice(device, 0);

    const uint64_t buffer_ms =
        obtained.freq > 0 ? uint64_t{obtained.samples} * 1000 / static_cast<uint64_t>(obtained.freq)
                          : 0;
    playing.device = device;
    playing.endsAt = NowMs() + MillisecondsOf(length, format) + buffer_ms + kMarginMs;
    CloseWhenEnded(playing.generation);
    return std::nullopt;
}

}  // namespace klu
