#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/document/klu_object.h"
#include "model/format/released_prefix.h"
#include "model/document/tree_arena.h"

namespace klu {

class DocumentObserver;
class Hunk;

// The numbers are those klu prints and exits with.
enum class LoadResult : int {
    Ok = 0,
    NotHintFile = 1,
    Corrupted = 2,
    OutOfMemory = 3,
    ZipArchive = 4,
};

// "LoadOk", "LoadCorrupted"...
const char* LoadResultName(LoadResult result);

// What a load gives: its result and, where it failed among the hunks, the line it failed at, as
// the loader numbers the hunks' lines (0: none).
struct LoadOutcome {
    LoadResult result = LoadResult::Ok;
    int32_t line = 0;
};

// The top-level objects of one loaded file: entry 0 the older-format root, entry 1 the
// newer-format root, then the other top-level hunks. The lines of the tree and the text a load
// reads live in the document's arena, or in the file's bytes that the document keeps, freed at
// once with the tree.
class HintDocument {
  public:
    HintDocument() = default;
    ~HintDocument() { Clear(); }
    HintDocument(const HintDocument&) = delete;
    HintDocument& operator=(const HintDocument&) = delete;

    // The document is empty before its hunks go: closing their windows may make the program
    // look at the document again. The last entries go first, as they may hang below the root.
    // The arena goes last, once nothing of the tree is left. The observer stays.
    void Clear() {
        std::vector<std::unique_ptr<KLUObject>> going = std::move(entries_);
        entries_.clear();
        while (!going.empty())
            going.pop_back();
        arena_.Release();
        std::vector<char>().swap(bytes_);  // "= {}" would keep the capacity
    }
    // Takes the object; the top of a tree among them reports to the document's observer.
    void Add(KLUObject* object);
    // What shows the document's hunks (not owned), for its trees of now and of later loads; none
    // shows nothing.
    void SetObserver(DocumentObserver* observer);
    DocumentObserver* Observer() const { return observer_; }
    size_t Count() const { return entries_.size(); }
    KLUObject* Entry(size_t index) const { return entries_[index].get(); }
    // Entry 1 when there are at least two entries, else entry 0, else none.
    Hunk* GetRoot() const;
    // The first entry of the kind, or none.
    Hunk* FindByType(HunkKind kind) const;
    // Where a load puts the tree's lines and text.
    TreeArena& Arena() { return arena_; }
    // Keeps the file's bytes, where a load decoded text of the tree, for as long as the tree.
    void KeepBytes(std::vector<char> bytes) { bytes_ = std::move(bytes); }
    // The kept bytes; the pages that hold no text of the tree were given back during the load.
    std::string_view KeptBytes() const { return {bytes_.data(), bytes_.size()}; }

  private:
    std::vector<std::unique_ptr<KLUObject>> entries_;
    TreeArena arena_;
    std::vector<char> bytes_;
    DocumentObserver* observer_ = nullptr;
};

// How much of a hint file ReadHintFile read.
enum class HintFileRead {
    Whole,
    FirstBlock,  // the first line is no hint file's: the rest would not change the load result
    TooLarge,    // larger than any hint file, or no memory for it: loading it is out of memory
    Failed,      // the file cannot be opened or read
};

// No hint file comes near this size; a larger file is not read at all.
inline constexpr int64_t kLargestHintFile = int64_t{64} << 20;

// A hint file's bytes for loading: the whole file, or only its first block when that shows it is
// no hint file; or bytes from elsewhere (a member of an archive), read Whole.
struct HintFileBytes {
    HintFileRead read = HintFileRead::Whole;
    std::vector<char> bytes;
    // Gives back the bytes read past as the load goes, and has them read again in the rare case
    // that they are needed after all; without it the bytes stay whole.
    std::optional<ReleasedPrefix> released;
};

// Reads the hint file at path for loading. Its first block is looked at before the rest is read,
// so a file of another kind costs no more than that block, whatever its size.
HintFileBytes ReadHintFile(const std::string& path);

// The load of a hint file, for the reader and klu alike (file.read not Failed). Text bodies are
// decoded where they lie and the document keeps what it needs of the bytes, so the tree holds no
// second copy of them; a file too large to be a hint file loads as OutOfMemory. Whatever fails
// leaves the document empty. picture_mode is set for the program's own help file.
LoadOutcome LoadHintFile(HintFileBytes file, HintDocument& document, bool picture_mode);

// The same load with every text body decoded into a copy, so the tree needs none of the bytes,
// which are left as they were read: what the fuzzer and tests hold the load in place to, and
// what a compiled file is checked with while its bytes are compared too.
LoadOutcome LoadHintFileCopying(std::vector<char>& bytes, HintDocument& document,
                                bool picture_mode);

}  // namespace klu
