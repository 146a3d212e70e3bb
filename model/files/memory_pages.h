#pragma once

#include <cstddef>

namespace klu {

// The size of a huge page on the machines we run on (x86-64 and arm64 with 4 KiB pages).
inline constexpr size_t kHugePage = size_t{2} << 20;

// Asks the kernel to back the whole huge pages within [start, start + size) with huge pages: a
// large block filled front to back then costs one page fault per 2 MiB instead of 512. Only a
// request: where huge pages are off or the range holds none, nothing changes.
void AdviseHugePages(void* start, size_t size);

// Makes the pages within [start, start + size) present and writable at once, which costs far less
// than a fault for each as they are first written. Only a request, like the advice above.
void PopulatePages(void* start, size_t size);

// Gives the whole pages within [start, start + size) back to the system while the block they lie
// in stays allocated: they read as zeros afterwards, so only bytes that are never read again
// may go.
void ReleasePages(void* start, size_t size);

}  // namespace klu
