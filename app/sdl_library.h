#pragma once

#include <SDL.h>

#include <string>
#include <variant>

#include "model/files/shared_library.h"

namespace klu {

// The functions of SDL this program calls.
#define KLU_SDL_FUNCTIONS(X)                                                                   \
    X(SDL_CloseAudioDevice) X(SDL_FreeWAV) X(SDL_GetError) X(SDL_InitSubSystem) X(SDL_LoadWAV_RW) \
    X(SDL_OpenAudioDevice) X(SDL_PauseAudioDevice) X(SDL_QueueAudio) X(SDL_RWFromConstMem)      \
    X(SDL_SetHint) X(SDL_SetMainReady)

struct SdlFunctions {
    KLU_SDL_FUNCTIONS(KLU_FUNCTION_POINTER)
};

// SDL, loaded from the shared object of that name (not closed again). SDL brings a sound
// server's client library and the codecs of several sound formats: loaded at start they would
// cost every reader several megabytes and milliseconds, though few open a sound. Gives the
// loader's reason when the library or one of its functions is missing.
std::variant<SdlFunctions, std::string> LoadSdl(const char* shared_object);

// SDL as the program uses it: loaded at its first call, and again at later calls while it
// could not be. Null when it could not; why is then in *why_not.
const SdlFunctions* SdlLibrary(std::string* why_not);

}  // namespace klu
