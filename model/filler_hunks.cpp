#include "filler_hunks.h"

#include "hunk_reader.h"

namespace klu {

TBlankHunk::TBlankHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : THunk(reader, line_count, owner) {
    SkipBodyLines(reader, 3, lineCount);
}

TIncentiveHunk::TIncentiveHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : TItemsHunk(reader, line_count, owner) {
    for (int64_t i = 3; i <= lineCount && !reader.TextEnded(); ++i)
        storedLines.emplace_back(reader.ReadLine());
}

TUnknownHunk::TUnknownHunk(HunkReader& reader, int32_t line_count, THunk* owner,
                           std::string word)
    : THunk(reader, line_count, owner), keyword(std::move(word)) {
    SkipBodyLines(reader, 3, lineCount);
}

}  // namespace klu
