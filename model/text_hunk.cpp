#include "text_hunk.h"

#include "decode.h"
#include "document_observer.h"
#include "hunk_reader.h"

namespace klu {

TTextHunk::TTextHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : TItemsHunk(reader, line_count, owner) {
    reader.stream.SetDecimal();
    unused = reader.stream.ReadInt();
    flags = reader.stream.ReadInt();
    offset = reader.stream.ReadInt();
    length = reader.stream.ReadInt();
    reader.ReadLine();  // the rest of line 3
    SkipBodyLines(reader, 4, lineCount);
}

void TTextHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->OpenWindow(*this);
}

void TTextHunk::LoadData(HunkReader& reader) {
    AddBody(reader, ReadBody(reader), false);
}

std::vector<std::string_view> TTextHunk::ReadBody(HunkReader& reader) {
    HintStream& stream = reader.stream;
    const size_t resume = stream.Tell();
    reader.NeedBytesFrom(offset);
    // Each body is read on its own, so that one damaged body leaves the others whole.
    stream.Clear();
    stream.Seek(offset);
    if (flags & kNoWrapFlag) wrapMode = 2;
    if (flags & kAltFontFlag) fontMode = 1;
    breakMode = 1;
    std::vector<std::string_view> lines;
    for (int64_t count = 0; count < length && stream.Good();) {
        const std::string_view line = stream.GetLine();
        if (stream.Fail()) break;
        count += static_cast<int64_t>(line.size()) + 2;
        lines.push_back(line);
    }
    stream.Clear();
    stream.Seek(static_cast<int64_t>(resume));
    return lines;
}

void TTextHunk::AddBody(HunkReader& reader, const std::vector<std::string_view>& stored,
                        bool in_place) {
    const TextBlockDecoder& decoder = reader.TextDecoder(Top()->title);
    // The body is whole: its list needs no room to grow.
    children.ReserveIn(reader.arena, stored.size());
    for (const std::string_view line : stored) {
        if (in_place) {
            char* bytes = reader.stream.Writable(line);
            decoder.Decode(line, bytes);
            AddChild(reader.arena.NewKeptLine({bytes, line.size()}));
        } else {
            AddChild(reader.arena.NewDecodedLine(
                line, [&decoder](std::string_view from, char* to) { decoder.Decode(from, to); }));
        }
    }
    children.FitInto(reader.arena);  // when markup made more children than lines
}

}  // namespace klu
