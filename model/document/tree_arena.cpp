#include "model/document/tree_arena.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "model/document/klu_object.h"
#include "model/files/memory_pages.h"

namespace klu {
namespace {

// Blocks grow from small (a tiny file wastes little) to a size where their count stays small;
// the unused end of the last block is never touched, so it costs address space, not memory.
constexpr size_t kFirstBlock = size_t{16} << 10;
constexpr size_t kLargestBlock = size_t{256} << 10;
// A tree that has grown this large belongs to a large file: from here on its blocks are whole
// huge pages, which the kernel fills with far fewer faults (from 4 MiB on, the small blocks
// took over a third of a 10 MB load's page faults). The unused end of the last one is given
// back when the load is over.
constexpr size_t kHugeFrom = size_t{1} << 20;
// A file this large makes a tree that fills huge pages from its first: its small blocks would
// cost a fault for each of their pages, several times what a huge page costs for as many bytes.
constexpr size_t kHugeFileFrom = size_t{4} << 20;

// A tree holds one line object per line of text: keep it small.
static_assert(sizeof(HunkLine) <= 13 && alignof(HunkLine) == 1);
// A line ends with its text's pointer, which inline characters take the place of.
static_assert(offsetof(KLUObject, title) + sizeof(LineText) == sizeof(HunkLine));
constexpr size_t kLineBeforeChars = sizeof(HunkLine) - sizeof(const char*);

}  // namespace

void* TreeArena::Allocate(size_t size, size_t align) {
    size_t pad = (0 - reinterpret_cast<uintptr_t>(next_)) & (align - 1);
    if (!next_ || pad + size > left_) {
        const bool huge = held_ >= kHugeFrom || expected_ >= kHugeFileFrom;
        const size_t grown = blocks_.empty() ? kFirstBlock
                             : huge          ? kHugePage
                                             : std::min(2 * held_, kLargestBlock);
        const size_t block_align = huge ? kHugePage : alignof(std::max_align_t);
        // Whole huge pages: the kernel backs only those with huge pages.
        const size_t block = (std::max(grown, size) + block_align - 1) & ~(block_align - 1);
        // Left uninitialised: the pages are touched only as they are filled.
        const std::align_val_t align_as{block_align};
        Block memory(static_cast<std::byte*>(::operator new(block, align_as)), FreeBlock{align_as});
        if (huge) AdviseHugePages(memory.get(), block);
        blocks_.push_back(std::move(memory));
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

void TreeArena::ReleaseUnused() {
    if (next_) ReleasePages(next_, left_);
}

std::string_view TreeArena::Keep(std::string_view text) {
    if (text.empty()) return {};
    char* copy = AllocateText(text.size());
    std::memcpy(copy, text.data(), text.size());
    return {copy, text.size()};
}

HunkLine* TreeArena::NewInlineLine(size_t size, char*& chars) {
    // At least a whole line, so that the text can be set to another one later.
    const size_t block = kLineBeforeChars + std::max(size, sizeof(const char*));
    auto* line = new (Allocate(block, alignof(HunkLine))) HunkLine();
    line->inArena = 1;
    chars = line->title.StartInline(size);
    return line;
}

HunkLine* TreeArena::NewLine(std::string_view text) {
    char* chars = nullptr;
    HunkLine* line = NewInlineLine(text.size(), chars);
    if (!text.empty()) std::memcpy(chars, text.data(), text.size());
    return line;
}

HunkLine* TreeArena::NewKeptLine(std::string_view kept) {
    return New<HunkLine>(LineText::Borrowed(kept));
}

}  // namespace klu
