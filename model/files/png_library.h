#pragma once

#include <png.h>

#include "model/files/shared_library.h"

namespace klu {

// The functions of libpng that the picture check calls.
#define KLU_PNG_FUNCTIONS(X)                                                                    \
    X(png_create_info_struct) X(png_create_read_struct) X(png_destroy_read_struct)             \
    X(png_error) X(png_get_image_height) X(png_get_image_width) X(png_get_io_ptr)              \
    X(png_get_libpng_ver) X(png_get_rowbytes) X(png_longjmp) X(png_read_end) X(png_read_info)  \
    X(png_read_row) X(png_read_update_info) X(png_set_interlace_handling) X(png_set_longjmp_fn) \
    X(png_set_read_fn) X(png_sig_cmp)

struct PngFunctions {
    KLU_PNG_FUNCTIONS(KLU_FUNCTION_POINTER)
};

// libpng, loaded when a picture is first checked: only the outline compiler checks one, and
// loading it with the compression library it needs would cost every start of klu the time to
// map and link both. None when it cannot be loaded; no picture then passes the check.
const PngFunctions* PngLibrary();

}  // namespace klu
