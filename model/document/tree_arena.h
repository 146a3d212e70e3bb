#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace klu {

class HunkLine;

// The memory of one loaded tree: its hunks, its lines and their decoded text, carved from a few
// large blocks and given back all at once with the arena. Nothing in it is freed on its own; an
// object made here is marked so that deleting it only ends its life (see KLUObject).
class TreeArena {
  public:
    TreeArena() = default;
    TreeArena(const TreeArena&) = delete;
    TreeArena& operator=(const TreeArena&) = delete;

    // Says that the tree of a file of file_size bytes is about to be made here: a large file's
    // tree takes its blocks in huge pages from the first.
    void ExpectTreeOf(size_t file_size) { expected_ = file_size; }
    // Room for size bytes aligned to align (a power of two, at most that of max_align_t).
    void* Allocate(size_t size, size_t align);
    // Room for size characters of text.
    char* AllocateText(size_t size) { return static_cast<char*>(Allocate(size, 1)); }
    // A kept copy of text.
    std::string_view Keep(std::string_view text);
    // An object of the tree made in the arena: deleting it only ends its life.
    template <typename Object, typename... Args>
    Object* New(Args&&... args) {
        auto* object =
            new (Allocate(sizeof(Object), alignof(Object))) Object(std::forward<Args>(args)...);
        object->inArena = 1;
        return object;
    }
    // A line holding a copy of text, inline.
    HunkLine* NewLine(std::string_view text);
    // A line holding text that lives as long as the arena: kept here, or a literal.
    HunkLine* NewKeptLine(std::string_view kept);
    // A line holding stored text decoded straight into it: decode(stored, out) writes
    // stored.size() characters to out. The text is inline (see LineText): one block of the arena
    // holds the line and its characters.
    template <typename Decode>
    HunkLine* NewDecodedLine(std::string_view stored, Decode&& decode) {
        char* chars = nullptr;
        HunkLine* line = NewInlineLine(stored.size(), chars);
        decode(stored, chars);
        return line;
    }

    // Gives the unused end of the last block back to the system, once a load is over: a large
    // tree's blocks are whole huge pages, of which the last is filled only in part. The arena
    // stays usable: the pages come back as soon as they are written again.
    void ReleaseUnused();
    // The bytes of the last block not used so far.
    std::span<const std::byte> Unused() const { return {next_, left_}; }

    // Frees every block at once; nothing made in the arena may be used afterwards.
    void Release() {
        blocks_.clear();
        next_ = nullptr;
        left_ = held_ = expected_ = 0;
    }

  private:
    // A line with room for size characters of inline text, which the caller fills in at chars.
    HunkLine* NewInlineLine(size_t size, char*& chars);

    // Blocks are aligned for any object, the huge ones to a huge page.
    struct FreeBlock {
        std::align_val_t align;
        void operator()(std::byte* block) const { ::operator delete(block, align); }
    };
    using Block = std::unique_ptr<std::byte, FreeBlock>;
    std::vector<Block> blocks_;
    std::byte* next_ = nullptr;
    size_t left_ = 0;
    size_t held_ = 0;      // the bytes of the blocks taken so far
    size_t expected_ = 0;  // the size of the file whose tree is made
};

}  // namespace klu
