#include "model/files/memory_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace klu {
namespace {

// Gives advice on the whole units of align bytes within [start, start + size).
void AdviseWithin(void* start, size_t size, uintptr_t align, int advice) {
    const auto begin = reinterpret_cast<uintptr_t>(start);
    const uintptr_t first = (begin + align - 1) & ~(align - 1);
    const uintptr_t last = (begin + size) & ~(align - 1);
    if (first < last) madvise(reinterpret_cast<void*>(first), last - first, advice);
}

}  // namespace

void AdviseHugePages(void* start, size_t size) {
#ifdef MADV_HUGEPAGE
    AdviseWithin(start, size, kHugePage, MADV_HUGEPAGE);
#else
    (void)start;
    (void)size;
#endif
}

void PopulatePages(void* start, size_t size) {
#ifdef MADV_POPULATE_WRITE
    static const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    // Every page the range touches: the bytes around it are the caller's too.
    const auto begin = reinterpret_cast<uintptr_t>(start) & ~(page - 1);
    const auto end = reinterpret_cast<uintptr_t>(start) + size;
    if (size > 0) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)start;
    (void)size;
#endif
}

void ReleasePages(void* start, size_t size) {
    static const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    AdviseWithin(start, size, page, MADV_DONTNEED);
}

}  // namespace klu
