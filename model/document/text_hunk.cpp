#include "model/document/text_hunk.h"

#include "model/format/decode.h"
#include "model/document/document_observer.h"
#include "model/document/hunk_reader.h"

namespace klu {

TextHunk::TextHunk(HunkReader& reader, int32_t line_count, Hunk* owner)
    : ItemsHunk(reader, line_count, owner) {
    reader.stream.SetDecimal();
    unused = reader.stream.ReadInt();
    flags = reader.stream.ReadInt();
    offset = reader.stream.ReadInt();
    length = reader.stream.ReadInt();
    reader.ReadLine();  // the rest of line 3
    SkipBodyLines(reader, 4, lineCount);
}

void TextHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->OpenWindow(*this);
}

void TextHunk::LoadData(HunkReader& reader) {
    AddBody(reader, ReadBody(reader), false);
}

StoredBody TextHunk::ReadBody(HunkReader& reader) {
    HintStream& stream = reader.stream;
    const size_t resume = stream.Tell();
    reader.NeedBytesFrom(offset);
    // Each body is read on its own, so that one damaged body leaves the others whole.
    stream.Clear();
    stream.Seek(offset);
    if (flags & kNoWrapFlag) wrapMode = 2;
    if (flags & kAltFontFlag) fontMode = 1;
    breakMode = 1;
    StoredBody body;
    const char* bytes = stream.Bytes().data();
    for (int64_t count = 0; count < length && stream.Good();) {
        const std::string_view line = stream.GetLine();
        if (stream.Fail()) break;
        count += static_cast<int64_t>(line.size()) + 2;
        if (body.lines++ == 0) body.begin = static_cast<size_t>(line.data() - bytes);
        body.end = static_cast<size_t>(line.data() + line.size() - bytes);
    }
    stream.Clear();
    stream.Seek(static_cast<int64_t>(resume));
    return body;
}

void TextHunk::AddBody(HunkReader& reader, const StoredBody& stored, bool in_place) {
    const TextBlockDecoder& decoder = reader.TextDecoder(Top()->title);
    // The body is whole: its list needs no room to grow.
    children.ReserveIn(reader.arena, stored.lines);
    const std::string_view bytes = reader.stream.Bytes();
    const char* at = bytes.data() + stored.begin;
    const char* const end = bytes.data() + stored.end;
    for (size_t i = 0; i < stored.lines; ++i) {
        // The lines found again as ReadBody found them: every one but the last ends at the first
        // line feed, a carriage return before it left out; the last ends at the body's end.
        const bool last = i + 1 == stored.lines;
        const char* stop = last ? end : FindLineFeed(at, end, bytes.data() + bytes.size());
        const char* text_end = !last && stop != at && stop[-1] == '\r' ? stop - 1 : stop;
        const std::string_view line(at, static_cast<size_t>(text_end - at));
        at = stop + 1;
        if (in_place) {
            char* writable = reader.stream.Writable(line);
            decoder.Decode(line, writable);
            AddChild(reader.arena.NewKeptLine({writable, line.size()}));
        } else {
            AddChild(reader.arena.NewDecodedLine(
                line, [&decoder](std::string_view from, char* to) { decoder.Decode(from, to); }));
        }
    }
    children.FitInto(reader.arena);  // when markup made more children than lines
}

}  // namespace klu
