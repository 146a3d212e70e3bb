#include "model/files/png_library.h"

#include <dlfcn.h>

#include <optional>

namespace klu {
namespace {

std::optional<PngFunctions> Load() {
    // Never closed: the functions are used until the program ends. In a program linked to
    // libpng already, this finds the copy it has.
    void* library = dlopen(KLU_LIBPNG_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::nullopt;
    PngFunctions functions{};
    bool found = true;
#define KLU_PNG_LOOKUP(name)                                                       \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name)); \
    found = found && functions.name != nullptr;
    KLU_PNG_FUNCTIONS(KLU_PNG_LOOKUP)
#undef KLU_PNG_LOOKUP
    if (!found) return std::nullopt;
    return functions;
}

}  // namespace

const PngFunctions* PngLibrary() {
    static const std::optional<PngFunctions> functions = Load();
    return functions ? &*functions : nullptr;
}

}  // namespace klu
