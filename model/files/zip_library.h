#pragma once

#include <zip.h>

#include "model/files/shared_library.h"

namespace klu {

// The functions of libzip this program calls.
#define KLU_ZIP_FUNCTIONS(X)                                                                   \
    X(zip_close) X(zip_discard) X(zip_error_fini) X(zip_error_init) X(zip_fclose) X(zip_file_add) \
    X(zip_fopen_index) X(zip_fread) X(zip_get_num_entries) X(zip_open) X(zip_open_from_source)  \
    X(zip_source_buffer) X(zip_source_buffer_create) X(zip_source_free) X(zip_stat)             \
    X(zip_stat_index) X(zip_stat_init)

struct ZipFunctions {
    KLU_ZIP_FUNCTIONS(KLU_FUNCTION_POINTER)
};

// libzip, loaded when an archive is first read: few runs read one, and loading the library with
// the cryptography library it needs would cost every process three megabytes of memory and a
// millisecond at start. None when it cannot be loaded; archives are then unreadable.
const ZipFunctions* ZipLibrary();

}  // namespace klu
