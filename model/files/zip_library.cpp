#include "model/files/zip_library.h"

#include "model/files/shared_library.h"

namespace klu {

const ZipFunctions* ZipLibrary() {
    static const auto loaded =
        LoadFunctions<ZipFunctions>(KLU_LIBZIP_SONAME, [](ZipFunctions& functions, auto bind) {
#define KLU_ZIP_BIND(name) bind(functions.name, #name);
            KLU_ZIP_FUNCTIONS(KLU_ZIP_BIND)
#undef KLU_ZIP_BIND
        });
    return std::get_if<ZipFunctions>(&loaded);
}

}  // namespace klu
