#include "media_hunks.h"

#include "hunk_reader.h"
#include "hunk_ui.h"

namespace klu {
namespace {

// Line 3 of a media hunk: spare, offset and length, always decimal.
void ReadDataRange(HunkReader& reader, DataRange& range) {
    range.spare = reader.stream.ReadInt();
    range.dataOffset = reader.stream.ReadInt();
    range.dataLength = reader.stream.ReadInt();
}

// The body of a GIF or sound hunk: its data line, read in decimal, then lines it does not use.
void ReadDataHunkBody(HunkReader& reader, DataRange& range, int32_t line_count) {
    reader.stream.SetDecimal();
    ReadDataRange(reader, range);
    reader.SkipLineTail();
    SkipBodyLines(reader, 4, line_count);
}

}  // namespace

TGIFaHunk::TGIFaHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : THunk(reader, line_count, owner) {
    ReadDataHunkBody(reader, *this, lineCount);
}

int TGIFaHunk::Open() {
    if (HunkUi* ui = GetHunkUi()) ui->ShowGif(*this);
    return 0;
}

TSoundHunk::TSoundHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : THunk(reader, line_count, owner) {
    ReadDataHunkBody(reader, *this, lineCount);
}

int TSoundHunk::Open() {
    if (HunkUi* ui = GetHunkUi()) ui->PlaySound(*this);
    return 0;
}

TOverlayHunk::TOverlayHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : THunk(reader, line_count, owner) {
    ReadDataRange(reader, *this);
    x = reader.stream.ReadInt();
    y = reader.stream.ReadInt();
    reader.SkipLineTail();
    SkipBodyLines(reader, 4, lineCount);
}

int TOverlayHunk::Open() {
    if (HunkUi* ui = GetHunkUi()) ui->ShowOverlay(*this);
    return 0;
}

TPNGObject::TPNGObject(HunkReader& reader, int32_t line_count, THunk* owner, bool read_title)
    : TItemsHunk(reader, line_count, owner, read_title) {
    if (!read_title) title = kGraphicTitle;
    reader.stream.SetDecimal();
    ReadDataRange(reader, *this);
    reader.SkipLineTail();
    for (int64_t i = 4; i <= lineCount && !reader.TextEnded();) {
        Rect region;
        region.left = reader.stream.ReadInt();
        region.top = reader.stream.ReadInt();
        region.right = reader.stream.ReadInt();
        region.bottom = reader.stream.ReadInt();
        reader.SkipLineTail();
        ++i;
        THunk* child = reader.ReadHunk(this);
        region.target = child;
        regions.push_back(region);
        AddChild(child);
        if (child->lineCount < 1) break;  // a damaged count would never advance
        i += child->lineCount;
    }
}

THyperPNGHunk::THyperPNGHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : TItemsHunk(reader, line_count, owner) {
    AddChild(reader.arena.New<TPNGObject>(reader, line_count, this, false));
}

int THyperPNGHunk::Open() {
    if (HunkUi* ui = GetHunkUi()) ui->OpenWindow(*this);
    return 0;
}

TPNGObject* THyperPNGHunk::Finish() const {
    return children.empty() ? nullptr : NodeCast<TPNGObject>(children.front());
}

}  // namespace klu
