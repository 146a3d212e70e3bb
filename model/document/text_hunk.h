#pragma once

#include <cstddef>

#include "model/document/items_hunk.h"

namespace klu {

// Where the stored lines of a text body lie in the stream's bytes: from the first line's start
// to the last line's end (its line end left out), and how many lines there are.
struct StoredBody {
    size_t begin = 0;
    size_t end = 0;
    size_t lines = 0;
};

// Free text whose enciphered body lies in the data area; LoadData reads it at the end of a load.
class TextHunk : public ItemsHunk {
  public:
    static constexpr int32_t kNoWrapFlag = 2;
    static constexpr int32_t kAltFontFlag = 1;

    TextHunk(HunkReader& reader, int32_t line_count, Hunk* owner);

    HunkKind GetType() const override { return TEXT; }
    void Open() override;
    void LoadData(HunkReader& reader) override;
    // Finds the stored lines of the body, and sets the layout the flags ask for on the hunk.
    StoredBody ReadBody(HunkReader& reader);
    // Adds the stored lines decoded into the tree's arena, or where they lie in the stream's
    // bytes when in_place (the bytes must then live as long as the tree). Only the bytes from
    // the body's begin to its end are read: those around it may have been given back.
    void AddBody(HunkReader& reader, const StoredBody& stored, bool in_place);

    int32_t unused = 0;
    int32_t flags = 0;
    int32_t offset = 0;
    int32_t length = 0;
};

}  // namespace klu
