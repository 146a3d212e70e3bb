#include "model/document/hunk_reader.h"

#include "model/document/filler_hunks.h"
#include "model/format/hunk_kind.h"
#include "model/document/info_hunk.h"
#include "model/document/link_hunk.h"
#include "model/document/media_hunks.h"
#include "model/document/meta_text_hunk.h"
#include "model/document/text_hunk.h"
#include "model/text/text_util.h"

namespace klu {
namespace {

constexpr size_t kMaxKeyword = 79;

Hunk* MakeHunk(HunkReader& reader, std::string_view keyword, int32_t line_count, Hunk* parent) {
    const HunkKind kind = KindOfKeyword(keyword);
    switch (kind) {
        case COMMENT:
        case CREDIT:
        case VERHUNK:
        case HINT:
        case SUBJECT:
        case NESTHINT:
            return reader.arena.New<MetaTextHunk>(reader, line_count, parent, kind);
        case GIFA:
            return reader.arena.New<GIFaHunk>(reader, line_count, parent);
        case BLANK:
            return reader.arena.New<BlankHunk>(reader, line_count, parent);
        case INCENTIVE:
            return reader.arena.New<IncentiveHunk>(reader, line_count, parent);
        case INFO:
            return reader.arena.New<InfoHunk>(reader, line_count, parent);
        case LINK:
            return reader.arena.New<LinkHunk>(reader, line_count, parent);
        case TEXT:
            ++reader.textHunks;
            return reader.arena.New<TextHunk>(reader, line_count, parent);
        case HYPERPNG:
            if (reader.pictureMode)
                return reader.arena.New<PNGObject>(reader, line_count, parent, true);
            return reader.arena.New<HyperPNGHunk>(reader, line_count, parent);
        case OVERLAY:
            return reader.arena.New<OverlayHunk>(reader, line_count, parent);
        case SOUND:
            return reader.arena.New<SoundHunk>(reader, line_count, parent);
        default:
            return reader.arena.New<UnknownHunk>(reader, line_count, parent, ToUpper(keyword));
    }
}

}  // namespace

const TextBlockDecoder& HunkReader::TextDecoder(std::string_view top_title) {
    if (!textDecoder_ || textTitle_ != top_title) {
        textDecoder_.emplace(DeriveTextKey(top_title));
        textTitle_ = top_title;
    }
    return *textDecoder_;
}

const NestedHintDecoder& HunkReader::NestedDecoder(std::string_view top_title) {
    if (!nestedDecoder_ || nestedTitle_ != top_title) {
        nestedDecoder_.emplace(DeriveTextKey(top_title));
        nestedTitle_ = top_title;
    }
    return *nestedDecoder_;
}

void HunkReader::SkipLineTail() {
    for (int i = 0; i < 2; ++i) {
        const int c = stream.Get();
        if (c == '\n' || c == HintStream::kEof) break;
    }
    CountLine();
}

Hunk* HunkReader::ReadHunk(Hunk* parent) {
    if (depth_ >= kMaxDepth) throw NestingTooDeep(currentLine + 1);
    // Everything before a hunk's header is in the tree by now, copied.
    if (released) released->Advance(stream.Writable(stream.Bytes()), stream.Tell());
    ++depth_;
    const int32_t line_count = stream.ReadInt();
    stream.Get();  // the separator after the number
    // A view of the stream's bytes, which no read before the hunk is made changes.
    const std::string_view keyword = stream.GetLine(kMaxKeyword);
    CountLine();
    Hunk* hunk = MakeHunk(*this, keyword, line_count, parent);
    --depth_;
    return hunk;
}

}  // namespace klu
