#include "sdl_library.h"

#include <dlfcn.h>

#include <optional>

namespace klu {

std::variant<SdlFunctions, std::string> LoadSdl(const char* shared_object) {
    void* library = dlopen(shared_object, RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::string(dlerror());
    SdlFunctions functions{};
    const char* missing = nullptr;
#define KLU_SDL_LOOKUP(name)                                                       \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name)); \
    if (!functions.name && !missing) missing = #name;
    KLU_SDL_FUNCTIONS(KLU_SDL_LOOKUP)
#undef KLU_SDL_LOOKUP
    if (missing) {
        dlclose(library);
        return std::string(shared_object) + " lacks " + missing;
    }
    return functions;
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
