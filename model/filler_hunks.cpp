#include "filler_hunks.h"

#include "hunk_reader.h"

namespace klu {

TBlankHunk::TBlankHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : THunk(reader, line_count, owner) {
    SkipBodyLines(reader, 3, lineCount);
}

TIncentiveHunk::TIncentiveHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : TItemsHunk(reader, line_count, owner) {
    SkipBodyLines(reader, 3, lineCount);
}

}  // namespace klu
