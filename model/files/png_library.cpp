#include "model/files/png_library.h"

#include "model/files/shared_library.h"

namespace klu {

const PngFunctions* PngLibrary() {
    static const auto loaded =
        LoadFunctions<PngFunctions>(KLU_LIBPNG_SONAME, [](PngFunctions& functions, auto bind) {
#define KLU_PNG_BIND(name) bind(functions.name, #name);
            KLU_PNG_FUNCTIONS(KLU_PNG_BIND)
#undef KLU_PNG_BIND
        });
    return std::get_if<PngFunctions>(&loaded);
}

}  // namespace klu
