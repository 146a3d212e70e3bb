#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "klu_object.h"
#include "tree_arena.h"

namespace klu {

class HintStream;
class ReleasedPrefix;
class THunk;

enum LoadResult : int {
    LoadOk = 0,
    LoadNotHintFile = 1,
    LoadCorrupted = 2,
    LoadOutOfMemory = 3,
    LoadZipArchive = 4,
};

const char* LoadResultName(int result);

// The top-level objects of one loaded file: entry 0 the older-format root, entry 1 the
// newer-format root, then the other top-level hunks. The lines of the tree and the text a load
// reads live in the document's arena, or in the file's bytes that the document keeps, freed at
// once with the tree.
class THintDocument {
  public:
    THintDocument() = default;
    ~THintDocument() { Clear(); }
    THintDocument(const THintDocument&) = delete;
    THintDocument& operator=(const THintDocument&) = delete;

    // The document is empty before its hunks go: closing their windows may make the program
    // look at the document again. The arena goes last, once nothing of the tree is left.
    void Clear() {
        std::vector<std::unique_ptr<TKLUObject>> going = std::move(entries_);
        entries_.clear();
        going.clear();
        arena_.Release();
        bytes_ = {};
    }
    void Add(TKLUObject* object) { entries_.emplace_back(object); }
    size_t Count() const { return entries_.size(); }
    TKLUObject* Entry(size_t index) const { return entries_[index].get(); }
    // Entry 1 when there are at least two entries, else entry 0, else none.
    THunk* GetRoot() const;
    // The first entry of the kind, or none.
    THunk* FindByType(int kind) const;
    // Where a load puts the tree's lines and text.
    TreeArena& Arena() { return arena_; }
    // Keeps the file's bytes, where a load decoded text of the tree, for as long as the tree.
    void KeepBytes(std::vector<char> bytes) { bytes_ = std::move(bytes); }
    // The kept bytes; the pages that hold no text of the tree were given back during the load.
    std::string_view KeptBytes() const { return {bytes_.data(), bytes_.size()}; }

  private:
    std::vector<std::unique_ptr<TKLUObject>> entries_;
    TreeArena arena_;
    std::vector<char> bytes_;
};

// Reads a whole hint file into the document. picture_mode is set for the program's own help file.
LoadResult LoadHintFile(HintStream& stream, THintDocument& document, bool picture_mode);
// The same for a file's bytes, which the document takes: text bodies are decoded where they lie
// and the document keeps what it needs of the bytes, so the tree holds no second copy of them.
// With released, the bytes the load has copied into the tree are given back as it reads past
// them, so the file is not held whole beside its tree.
LoadResult LoadHintFileBytes(std::vector<char> bytes, THintDocument& document, bool picture_mode,
                             ReleasedPrefix* released = nullptr);

// How much of a hint file ReadHintFileBytes read.
enum class HintFileRead {
    Whole,
    FirstBlock,  // the first line is no hint file's: the rest would not change the load result
    TooLarge,    // larger than any hint file, or no memory for it: loading it is out of memory
    Failed,      // the file cannot be opened or read
};

// No hint file comes near this size; a larger file is not read at all.
inline constexpr int64_t kLargestHintFile = int64_t{64} << 20;

// Reads a hint file for loading. Its first block is looked at before the rest is read, so a
// file of another kind costs no more than that block, whatever its size.
HintFileRead ReadHintFileBytes(const std::string& path, std::vector<char>& bytes);

// Reads the file at path and loads it. Gives false (and leaves the document alone) when it
// cannot be read; a file too large to be a hint file loads as LoadOutOfMemory.
bool LoadHintFileAt(const std::string& path, THintDocument& document, bool picture_mode,
                    LoadResult& result);

}  // namespace klu
