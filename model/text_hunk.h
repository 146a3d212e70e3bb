#pragma once

#include <string_view>
#include <vector>

#include "items_hunk.h"

namespace klu {

// Free text whose enciphered body lies in the data area; LoadData reads it at the end of a load.
class TTextHunk : public TItemsHunk {
  public:
    static constexpr int32_t kNoWrapFlag = 2;
    static constexpr int32_t kAltFontFlag = 1;

    TTextHunk(HunkReader& reader, int32_t line_count, THunk* owner);

    int GetType() const override { return TEXT; }
    void Open() override;
    void LoadData(HunkReader& reader) override;
    // The stored lines of the body, views of the stream's bytes, with the layout the flags ask
    // for set on the hunk.
    std::vector<std::string_view> ReadBody(HunkReader& reader);
    // Adds the stored lines decoded into the tree's arena, or where they lie in the stream's
    // bytes when in_place (the bytes must then live as long as the tree).
    void AddBody(HunkReader& reader, const std::vector<std::string_view>& stored, bool in_place);

    int32_t unused = 0;
    int32_t flags = 0;
    int32_t offset = 0;
    int32_t length = 0;
};

}  // namespace klu
