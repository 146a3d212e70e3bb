#include "model/document/media_hunks.h"

#include "model/document/document_observer.h"
#include "model/document/hunk_reader.h"

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

GIFaHunk::GIFaHunk(HunkReader& reader, int32_t line_count, Hunk* owner)
    : Hunk(reader, line_count, owner) {
    ReadDataHunkBody(reader, *this, lineCount);
}

void GIFaHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->ShowGif(*this);
}

SoundHunk::SoundHunk(HunkReader& reader, int32_t line_count, Hunk* owner)
    : Hunk(reader, line_count, owner) {
    ReadDataHunkBody(reader, *this, lineCount);
}

void SoundHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->PlaySound(*this);
}

OverlayHunk::OverlayHunk(HunkReader& reader, int32_t line_count, Hunk* owner)
    : Hunk(reader, line_count, owner) {
    ReadDataRange(reader, *this);
    x = reader.stream.ReadInt();
    y = reader.stream.ReadInt();
    reader.SkipLineTail();
    SkipBodyLines(reader, 4, lineCount);
}

void OverlayHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->ShowOverlay(*this);
}

PNGObject::PNGObject(HunkReader& reader, int32_t line_count, Hunk* owner, bool read_title)
    : ItemsHunk(reader, line_count, owner, read_title) {
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
        Hunk* child = reader.ReadHunk(this);
        region.target = child;
        regions.push_back(region);
        AddChild(child);
        if (child->lineCount < 1) break;  // a damaged count would never advance
        i += child->lineCount;
    }
}

HyperPNGHunk::HyperPNGHunk(HunkReader& reader, int32_t line_count, Hunk* owner)
    : ItemsHunk(reader, line_count, owner) {
    AddChild(reader.arena.New<PNGObject>(reader, line_count, this, false));
}

void HyperPNGHunk::Open() {
    if (DocumentObserver* observer = Observer()) observer->OpenWindow(*this);
}

PNGObject* HyperPNGHunk::Finish() const {
    return children.empty() ? nullptr : NodeCast<PNGObject>(children.front());
}

}  // namespace klu
