#pragma once

#include "items_hunk.h"

namespace klu {

// Free text whose enciphered body lies in the data area; LoadData reads it at the end of a load.
class TTextHunk : public TItemsHunk {
  public:
    static constexpr int32_t kNoWrapFlag = 2;
    static constexpr int32_t kAltFontFlag = 1;

    TTextHunk(HunkReader& reader, int32_t line_count, THunk* owner);

    int GetType() const override { return TEXT; }
    int Open() override;
    void LoadData(HunkReader& reader) override;

    int32_t unused = 0;
    int32_t flags = 0;
    int32_t offset = 0;
    int32_t length = 0;
};

}  // namespace klu
