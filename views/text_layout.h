#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_measurer.h"

namespace klu {

class ItemsHunk;
class KLUObject;
class PNGObject;

// A size in pixels.
struct LayoutSize {
    int width = 0;
    int height = 0;
    bool operator==(const LayoutSize&) const = default;
};

// One laid-out fragment: a run of characters of one line or hunk title, or a picture. The
// rectangle is in document coordinates (origin at the top left of the whole text).
struct WrapInfo {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int start = 0;   // index of the first character in the object's GetName text
    int length = 0;  // number of characters; 0 for a picture
    KLUObject* object = nullptr;
    bool operator==(const WrapInfo&) const = default;
};

// The characters a text fragment shows. Drawing asks for the fragments in order, so the name of
// an object that spans several fragments is fetched once.
class FragmentText {
  public:
    std::string_view Of(const WrapInfo& fragment);

  private:
    std::string text;
    const KLUObject* textOf = nullptr;
};

// A clickable region in document coordinates and the object that a click opens.
struct LinkInfo {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    KLUObject* target = nullptr;  // a hunk, or a listing entry that acts as one
    bool operator==(const LinkInfo&) const = default;
};

// Text starts this far from the top and left edges; the document size adds it on the far side.
inline constexpr int kLayoutMargin = 8;
// A line may run this far into the right edge before the layout breaks it.
inline constexpr int kLayoutRightReserve = 16;
// Wider lines are fitted as if they were this wide.
inline constexpr int kMaxFitWidth = 32767;

// The image size of a picture object; 0 x 0 when it has no decoded image.
using PictureSizeFn = std::function<LayoutSize(const PNGObject&)>;

// How many characters of text to place on a line with max_width pixels left. The caller places
// characters 0 to n - 1 and resumes after character n, the space at which the line breaks.
// At the start of a line the first word is placed even when it overflows; elsewhere a word that
// does not fit gives 0, which means: start a new line. A text beginning with a space whose first
// word does not fit gives 0 even at the start of a line; Layout takes care of that case.
int FitChars(const TextMeasurer& measurer, std::string_view text, int max_width, bool at_line_start,
             TextFont font = TextFont::Normal);

// Where children flow, in pixels: every line starts at left, the first one at top. A line is
// fitted into fitRight - x pixels and ends once x reaches lineEnd. With a page bottom, a fragment
// that would reach below it goes to the top of a new page (x unchanged; a fragment is never
// split); without one everything lies on one page.
struct FlowArea {
    int left = 0;
    int top = 0;
    int fitRight = 0;
    int lineEnd = 0;
    std::optional<int> pageBottom;
};

struct FlowResult {
    std::vector<std::vector<WrapInfo>> pages;  // one at least, perhaps empty
    int right = 0;                              // the largest x that a line or picture reached
    int bottom = 0;                             // y below the last line of the last page
};

// Flows children 0 to count - 1 of the hunk into the area: text is word-wrapped (unless a child
// has wrap cleared), sub-hunks appear by their titles, pictures by picture_size (none means every
// picture is 0 x 0). The screen layout and the printed pages are both made by this.
FlowResult FlowChildren(const ItemsHunk& hunk, int count, const FlowArea& area,
                         const TextMeasurer& measurer, const PictureSizeFn& picture_size = {});

struct LayoutResult {
    std::vector<WrapInfo> fragments;
    LayoutSize size;  // the whole document, margins included; 0 x 0 for an empty control
};

// Flows children 0 to visible_count - 1 of the hunk into a control of the given size, from
// kLayoutMargin on, with lines fitted up to kLayoutRightReserve from the right edge; pictures
// take their image size (picture_size; none means every picture is 0 x 0).
LayoutResult Layout(const ItemsHunk& hunk, int visible_count, LayoutSize control,
                     const TextMeasurer& measurer, const PictureSizeFn& picture_size = {});

// How far the document can scroll in each direction inside the control.
inline LayoutSize ScrollRanges(LayoutSize document, LayoutSize control) {
    return {document.width > control.width ? document.width - control.width : 0,
            document.height > control.height ? document.height - control.height : 0};
}

}  // namespace klu
