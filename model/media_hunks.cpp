#include "media_hunks.h"

#include "document_observer.h"
#include "hunk_reader.h"

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

void TGIFaHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->ShowGif(*this);
}

TSoundHunk::TSoundHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : THunk(reader, line_count, owner) {
    ReadDataHunkBody(reader, *this, lineCount);
}

void TSoundHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->PlaySound(*this);
}

TOverlayHunk::TOverlayHunk(HunkReader& reader, int32_t line_count, THunk* owner)
    : THunk(reader, line_count, owner) {
    ReadDataRange(reader, *this);
    x = reader.stream.ReadInt();
    y = reader.stream.ReadInt();
    reader.SkipLineTail();
    SkipBodyLines(reader, 4, lineCount);
}

void TOverlayHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->ShowOverlay(*this);
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

void THyperPNGHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->OpenWindow(*this);
}

TPNGObject* THyperPNGHunk::Finish() const {
    return children.empty() ? nullptr : NodeCast<TPNGObject>(children.front());
}

}  // namespace klu
