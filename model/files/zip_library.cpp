#include "model/files/zip_library.h"

#include <dlfcn.h>

#include <optional>

namespace klu {
namespace {

std::optional<ZipFunctions> Load() {
    // Never closed: the functions are used until the program ends.
    void* library = dlopen(KLU_LIBZIP_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::nullopt;
    ZipFunctions functions{};
    bool found = true;
#define KLU_ZIP_LOOKUP(name)                                                       \
    functions.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name)); \
    found = found && functions.name != nullptr;
    KLU_ZIP_FUNCTIONS(KLU_ZIP_LOOKUP)
#undef KLU_ZIP_LOOKUP
    if (!found) return std::nullopt;
    return functions;
}

}  // namespace

const ZipFunctions* ZipLibrary() {
    static const std::optional<ZipFunctions> functions = Load();
    return functions ? &*functions : nullptr;
}

}  // namespace klu
