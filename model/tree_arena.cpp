#include "tree_arena.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "klu_object.h"

namespace klu {
namespace {

// Blocks grow from small (a tiny file wastes little) to a size where their count stays small;
// the unused end of the last block is never touched, so it costs address space, not memory.
constexpr size_t kFirstBlock = size_t{16} << 10;
constexpr size_t kLargestBlock = size_t{256} << 10;

// A tree holds one line object per line of text: keep it small.
static_assert(sizeof(THunkLine) <= 4 * sizeof(void*));

}  // namespace

void* TreeArena::Allocate(size_t size, size_t align) {
    size_t pad = (0 - reinterpret_cast<uintptr_t>(next_)) & (align - 1);
    if (!next_ || pad + size > left_) {
        const size_t grown = blocks_.empty() ? kFirstBlock : std::min(2 * held_, kLargestBlock);
        const size_t block = std::max(grown, size + alignof(std::max_align_t));
        // Left uninitialised: the pages are touched only as they are filled.
        blocks_.emplace_back(new std::byte[block]);
        next_ = blocks_.back().get();
        left_ = block;
        held_ += block;
        pad = 0;
    }
    std::byte* start = next_ + pad;
    next_ = start + size;
    left_ -= pad + size;
    return start;
}

std::string_view TreeArena::Keep(std::string_view text) {
    if (text.empty()) return {};
    char* copy = AllocateText(text.size());
    std::memcpy(copy, text.data(), text.size());
    return {copy, text.size()};
}

THunkLine* TreeArena::NewKeptLine(std::string_view kept) {
    auto* line = new (Allocate(sizeof(THunkLine), alignof(THunkLine)))
        THunkLine(TLineText::Borrowed(kept));
    line->inArena = 1;
    return line;
}

}  // namespace klu
