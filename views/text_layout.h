#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_measurer.h"

namespace klu {

class TItemsHunk;
class TKLUObject;
class TPNGObject;

// A size in pixels.
struct TSize {
    int width = 0;
    int height = 0;
    bool operator==(const TSize&) const = default;
};

// One laid-out fragment: a run of characters of one line or hunk title, or a picture. The
// rectangle is in document coordinates (origin at the top left of the whole text).
struct TWrapInfo {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int start = 0;   // index of the first character in the object's GetName text
    int length = 0;  // number of characters; 0 for a picture
    TKLUObject* object = nullptr;
    bool operator==(const TWrapInfo&) const = default;
};

// The characters a text fragment shows. Drawing asks for the fragments in order, so the name of
// an object that spans several fragments is fetched once.
class TFragmentText {
  public:
    std::string_view Of(const TWrapInfo& fragment);

  private:
    std::string text;
    const TKLUObject* textOf = nullptr;
};

// A clickable region in document coordinates and the object that a click opens.
struct TLinkInfo {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    TKLUObject* target = nullptr;  // a hunk, or a listing entry that acts as one
    bool operator==(const TLinkInfo&) const = default;
};

// Text starts this far from the top and left edges; the document size adds it on the far side.
inline constexpr int kLayoutMargin = 8;
// A line may run this far into the right edge before the layout breaks it.
inline constexpr int kLayoutRightReserve = 16;
// Wider lines are fitted as if they were this wide.
inline constexpr int kMaxFitWidth = 32767;

// The image size of a picture object; 0 x 0 when it has no decoded image.
using PictureSizeFn = std::function<TSize(const TPNGObject&)>;

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
struct TFlowArea {
    int left = 0;
    int top = 0;
    int fitRight = 0;
    int lineEnd = 0;
    std::optional<int> pageBottom;
};

struct TFlowResult {
    std::vector<std::vector<TWrapInfo>> pages;  // one at least, perhaps empty
    int right = 0;                              // the largest x that a line or picture reached
    int bottom = 0;                             // y below the last line of the last page
};

// Flows children 0 to count - 1 of the hunk into the area: text is word-wrapped (unless a child
// has wrap cleared), sub-hunks appear by their titles, pictures by picture_size (none means every
// picture is 0 x 0). The screen layout and the printed pages are both made by this.
TFlowResult FlowChildren(const TItemsHunk& hunk, int count, const TFlowArea& area,
                         const TextMeasurer& measurer, const PictureSizeFn& picture_size = {});

struct TLayoutResult {
    std::vector<TWrapInfo> fragments;
    TSize size;  // the whole document, margins included; 0 x 0 for an empty control
};

// Flows children 0 to visible_count - 1 of the hunk into a control of the given size, from
// kLayoutMargin on, with lines fitted up to kLayoutRightReserve from the right edge; pictures
// take their image size (picture_size; none means every picture is 0 x 0).
TLayoutResult Layout(const TItemsHunk& hunk, int visible_count, TSize control,
                     const TextMeasurer& measurer, const PictureSizeFn& picture_size = {});

// How far the document can scroll in each direction inside the control.
inline TSize ScrollRanges(TSize document, TSize control) {
    return {document.width > control.width ? document.width - control.width : 0,
            document.height > control.height ? document.height - control.height : 0};
}

}  // namespace klu
