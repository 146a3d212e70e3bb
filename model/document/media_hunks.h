#pragma once

#include <memory>
#include <vector>

#include "model/document/items_hunk.h"

namespace klu {

// Data that a view keeps on a picture (the decoded image, the overlay cache). The model only
// owns it, so that it goes away with the hunk.
class ViewData {
  public:
    virtual ~ViewData() = default;
};

// Where a hunk's bytes lie in the file's data area.
struct DataRange {
    int32_t spare = 0;  // stored, never used
    int32_t dataOffset = 0;
    int32_t dataLength = 0;
    int64_t End() const { return int64_t{dataOffset} + dataLength; }
};

// A GIF picture, shown in a window of its own.
class GIFaHunk : public Hunk, public DataRange {
  public:
    GIFaHunk(HunkReader& reader, int32_t line_count, Hunk* owner);
    HunkKind GetType() const override { return GIFA; }
    void Open() override;
    void Flatten(MetaTextHunk& target) override;
    int64_t GetDataEnd() const override { return End(); }
};

// A complete wave file image.
class SoundHunk : public Hunk, public DataRange {
  public:
    SoundHunk(HunkReader& reader, int32_t line_count, Hunk* owner);
    HunkKind GetType() const override { return SOUND; }
    void Open() override;
    void Flatten(MetaTextHunk& target) override;
    int64_t GetDataEnd() const override { return End(); }
};

// PNG data painted onto its picture at (x, y) when opened.
class OverlayHunk : public Hunk, public DataRange {
  public:
    OverlayHunk(HunkReader& reader, int32_t line_count, Hunk* owner);
    HunkKind GetType() const override { return OVERLAY; }
    void Open() override;
    void Flatten(MetaTextHunk& target) override;

    int32_t x = 0;
    int32_t y = 0;
};

// A hot spot of a picture, in pixels from its top left corner, and the hunk it opens.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    Hunk* target = nullptr;  // a child of the picture object; not owning
};

// A PNG picture with hot spots: region i leads to child hunk i.
class PNGObject : public ItemsHunk, public DataRange {
  public:
    static constexpr const char* kGraphicTitle = "This is a graphic.";

    PNGObject(HunkReader& reader, int32_t line_count, Hunk* owner, bool read_title);
    HunkKind GetType() const override { return PNGOBJECT; }
    void Flatten(MetaTextHunk& target) override;

    std::vector<Rect> regions;
    std::unique_ptr<ViewData> image;
    std::unique_ptr<ViewData> overlays;
};

// A picture hunk of an ordinary hint file: its one child is the picture object.
class HyperPNGHunk : public ItemsHunk {
  public:
    HyperPNGHunk(HunkReader& reader, int32_t line_count, Hunk* owner);
    HunkKind GetType() const override { return HYPERPNG; }
    void Open() override;
    PNGObject* Finish() const;
};

}  // namespace klu
