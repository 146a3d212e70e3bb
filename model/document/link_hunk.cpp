#include "model/document/link_hunk.h"

#include "model/document/hunk_reader.h"
#include "model/document/line_index.h"

namespace klu {

LinkHunk::LinkHunk(HunkReader& reader, int32_t line_count, Hunk* owner)
    : Hunk(reader, line_count, owner) {
    targetLine = reader.stream.ReadInt();
    reader.ReadLine();  // the rest of line 3
    SkipBodyLines(reader, 4, lineCount);
}

LinkHunk::LinkHunk(std::string name, Hunk* owner) : Hunk(std::move(name), owner) {}

Hunk* LinkHunk::Target() const {
    return LineIndex::Of(*const_cast<LinkHunk*>(this)->Top()).Find(targetLine);
}

void LinkHunk::Open() {
    // A link may lead to another link; follow the chain a little way, never round a loop.
    constexpr int kMaxHops = 64;
    Hunk* target = Target();
    for (int hops = 0; target && target->GetType() == LINK && hops < kMaxHops; ++hops) {
        target = static_cast<LinkHunk*>(target)->Target();
    }
    if (target && target->GetType() != LINK) target->Open();
}

std::string LinkHunk::GetNumber() const {
    const Hunk* target = Target();
    return target ? target->number.str() : std::string();
}

}  // namespace klu
