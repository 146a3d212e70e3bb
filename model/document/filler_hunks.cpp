#include "model/document/filler_hunks.h"

#include "model/document/hunk_reader.h"

namespace klu {

BlankHunk::BlankHunk(HunkReader& reader, int32_t line_count, Hunk* owner)
    : Hunk(reader, line_count, owner) {
    SkipBodyLines(reader, 3, lineCount);
}

IncentiveHunk::IncentiveHunk(HunkReader& reader, int32_t line_count, Hunk* owner)
    : ItemsHunk(reader, line_count, owner) {
    for (int64_t i = 3; i <= lineCount && !reader.TextEnded(); ++i)
        storedLines.emplace_back(reader.ReadLine());
}

UnknownHunk::UnknownHunk(HunkReader& reader, int32_t line_count, Hunk* owner,
                           std::string word)
    : Hunk(reader, line_count, owner), keyword(std::move(word)) {
    SkipBodyLines(reader, 3, lineCount);
}

}  // namespace klu
