#include "text_hunk.h"

#include "decode.h"
#include "hunk_reader.h"
#include "hunk_ui.h"

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

int TTextHunk::Open() {
    if (HunkUi* ui = GetHunkUi()) ui->OpenWindow(*this);
    return 0;
}

void TTextHunk::LoadData(HunkReader& reader) {
    HintStream& stream = reader.stream;
    const TextBlockDecoder& decoder = reader.TextDecoder(Top()->title);
    const auto decode = [&decoder](std::string_view stored, char* out) {
        decoder.Decode(stored, out);
    };
    const size_t resume = stream.Tell();
    // Each body is read on its own, so that one damaged body leaves the others whole.
    stream.Clear();
    stream.Seek(offset);
    if (flags & kNoWrapFlag) wrapMode = 2;
    if (flags & kAltFontFlag) fontMode = 1;
    breakMode = 1;
    for (int64_t count = 0; count < length && stream.Good();) {
        const std::string_view line = stream.GetLine();
        if (stream.Fail()) break;
        count += static_cast<int64_t>(line.size()) + 2;
        AddChild(reader.arena.NewDecodedLine(line, decode));
    }
    // The body is whole: its list needs no room to grow.
    children.shrink_to_fit();
    stream.Clear();
    stream.Seek(static_cast<int64_t>(resume));
}

}  // namespace klu
