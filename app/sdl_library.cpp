#include "sdl_library.h"

#include <optional>

#include "model/files/shared_library.h"

namespace klu {

std::variant<SdlFunctions, std::string> LoadSdl(const char* shared_object) {
    return LoadFunctions<SdlFunctions>(shared_object, [](SdlFunctions& functions, auto bind) {
#define KLU_SDL_BIND(name) bind(functions.name, #name);
        KLU_SDL_FUNCTIONS(KLU_SDL_BIND)
#undef KLU_SDL_BIND
    });
}

const SdlFunctions* SdlLibrary(std::string* why_not) {
    static std::optional<SdlFunctions> loaded;
    if (!loaded) {
        std::variant<SdlFunctions, std::string> result = LoadSdl(KLU_SDL2_SONAME);
        if (std::string* failed = std::get_if<std::string>(&result)) {
            if (why_not) *why_not = std::move(*failed);
            return nullptr;
        }
        loaded = std::get<SdlFunctions>(result);
    }
    return &*loaded;
}

}  // namespace klu
