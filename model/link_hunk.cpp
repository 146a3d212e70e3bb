#include "link_hunk.h"

#include "hunk_reader.h"
#include "line_index.h"

namespace klu {

TLinkHunk::TLinkHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : THunk(reader, line_count, owner) {
    targetLine = reader.stream.ReadInt();
    reader.ReadLine();  // the rest of line 3
    SkipBodyLines(reader, 4, lineCount);
}

TLinkHunk::TLinkHunk(std::string name, THunk* owner) : THunk(std::move(name), owner) {}

THunk* TLinkHunk::Target() const {
    return LineIndex::Of(*const_cast<TLinkHunk*>(this)->Top()).Find(targetLine);
}

void TLinkHunk::Open() {
    // A link may lead to another link; follow the chain a little way, never round a loop.
    constexpr int kMaxHops = 64;
    THunk* target = Target();
    for (int hops = 0; target && target->GetType() == LINK && hops < kMaxHops; ++hops) {
        target = static_cast<TLinkHunk*>(target)->Target();
    }
    if (target && target->GetType() != LINK) target->Open();
}

std::string TLinkHunk::GetNumber() const {
    const THunk* target = Target();
    return target ? target->number.str() : std::string();
}

}  // namespace klu
