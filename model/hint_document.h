#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "klu_object.h"

namespace klu {

class HintStream;
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
// newer-format root, then the other top-level hunks.
class THintDocument {
  public:
    THintDocument() = default;
    THintDocument(const THintDocument&) = delete;
    THintDocument& operator=(const THintDocument&) = delete;

    // The document is empty before its hunks go: closing their windows may make the program
    // look at the document again.
    void Clear() {
        std::vector<std::unique_ptr<TKLUObject>> going = std::move(entries_);
        entries_.clear();
    }
    void Add(TKLUObject* object) { entries_.emplace_back(object); }
    size_t Count() const { return entries_.size(); }
    TKLUObject* Entry(size_t index) const { return entries_[index].get(); }
    // Entry 1 when there are at least two entries, else entry 0, else none.
    THunk* GetRoot() const;
    // The first entry of the kind, or none.
    THunk* FindByType(int kind) const;

  private:
    std::vector<std::unique_ptr<TKLUObject>> entries_;
};

// Reads a whole hint file into the document. picture_mode is set for the program's own help file.
LoadResult LoadHintFile(HintStream& stream, THintDocument& document, bool picture_mode);

// Reads the file at path. Gives false (and leaves the document alone) when it cannot be read.
bool LoadHintFileAt(const std::string& path, THintDocument& document, bool picture_mode,
                    LoadResult& result);

}  // namespace klu
