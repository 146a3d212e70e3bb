#include "huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace klu {

void AdviseHugePages(void* start, size_t size) {
#ifdef MADV_HUGEPAGE
    const auto begin = reinterpret_cast<uintptr_t>(start);
    const uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t last = (begin + size) & ~(kHugePage - 1);
    if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)start;
    (void)size;
#endif
}

}  // namespace klu
