#include "text_layout.h"

#include <algorithm>
#include <string>

#include "model/document/items_hunk.h"
#include "model/document/media_hunks.h"

namespace klu {
namespace {

constexpr int kNoSpace = -1;

int Length(std::string_view text) {
    return static_cast<int>(text.size());
}

// The highest index below p that holds a space.
int LastSpaceBefore(std::string_view text, int p) {
    for (int i = std::min(p, Length(text)) - 1; i >= 0; --i) {
        if (text[static_cast<size_t>(i)] == ' ') return i;
    }
    return kNoSpace;
}

// The lowest index from p on that holds a space.
int FirstSpaceFrom(std::string_view text, int p) {
    const size_t i = text.find(' ', static_cast<size_t>(std::max(p, 0)));
    return i == std::string_view::npos ? kNoSpace : static_cast<int>(i);
}

// Where a line placed from the start of text up to a break at or after index from ends: the
// first space from there on, or the end of the text.
int WordEnd(std::string_view text, int from) {
    const int space = FirstSpaceFrom(text, from);
    return space == kNoSpace ? Length(text) : space;
}

LayoutSize PictureSizeOf(KLUObject& object, const PictureSizeFn& picture_size) {
    const auto* picture = NodeCast<PNGObject>(&object);
    if (picture == nullptr || !picture_size) return {};
    return picture_size(*picture);
}

// A line fit: the characters placed and, when the search measured it anyway, their width (so
// that the layout need not measure the fragment again); kUnknownWidth otherwise. whole is the
// width of the whole text once measured, so that a retry on the next line can reuse it.
constexpr int kUnknownWidth = -1;
struct Fit {
    int count = 0;
    int width = kUnknownWidth;
    int whole = kUnknownWidth;
};

Fit FitMeasured(const TextMeasurer& measurer, std::string_view text, int max_width,
                bool at_line_start, TextFont font, int known_whole = kUnknownWidth) {
    if (max_width < 0) return {0, kUnknownWidth, known_whole};
    const int limit = std::min(max_width, kMaxFitWidth);
    const int length = Length(text);
    const int whole = known_whole != kUnknownWidth ? known_whole : measurer.TextWidth(text, font);
    if (whole < limit) return {length, whole, whole};
    // The width of the text before a break; the whole text when there is no break.
    auto width_up_to = [&](int p) {
        return p == kNoSpace ? whole
                             : measurer.TextWidth(text.substr(0, static_cast<size_t>(p)), font);
    };
    // A word that does not fit anywhere is placed whole at the start of a line.
    auto overflow = [&]() -> Fit {
        if (!at_line_start) return {0, 0, whole};
        const int end = WordEnd(text, 0);
        return {end, end == length ? whole : kUnknownWidth, whole};
    };

    const int average = std::max(1, measurer.AverageCharWidth(font));
    const int guess = std::min(limit / average, length);
    if (measurer.TextWidth(text.substr(0, static_cast<size_t>(guess)), font) < limit) {
        // Grow: move from break to break while the text before the next one still fits.
        int p = std::max(LastSpaceBefore(text, guess), 0);
        int last = 0;
        int last_width = kUnknownWidth;
        int w = kUnknownWidth;
        do {
            last = p;
            last_width = w;
            p = FirstSpaceFrom(text, last + 1);
            w = width_up_to(p);
        } while (w < limit && p != kNoSpace);
        if (w < limit && p == kNoSpace) return {length, whole, whole};
        if (last < 1 && at_line_start) return overflow();
        return {last, last_width, whole};
    }
    // Shrink: step back from break to break until the text before one fits.
    int p = guess;
    int w = 0;
    do {
        p = LastSpaceBefore(text, p);
        w = width_up_to(p);
    } while (w > limit && p != kNoSpace);
    if (p != kNoSpace) return {p, w, whole};
    return w < limit ? Fit{length, whole, whole} : overflow();
}

}  // namespace

int FitChars(const TextMeasurer& measurer, std::string_view text, int max_width, bool at_line_start,
             TextFont font) {
    return FitMeasured(measurer, text, max_width, at_line_start, font).count;
}

FlowResult FlowChildren(const ItemsHunk& hunk, int count, const FlowArea& area,
                         const TextMeasurer& measurer, const PictureSizeFn& picture_size) {
    FlowResult result;
    result.pages.emplace_back();

    const int line_height = measurer.LineHeight();
    const int space_normal = measurer.TextWidth(" ", TextFont::Normal);
    // The fixed font is measured only when some text uses it: a font's first use loads its face.
    int space_fixed = kUnknownWidth;
    const size_t shown = std::min(static_cast<size_t>(std::max(count, 0)), hunk.GetChildCount());

    int x = area.left;
    int y = area.top;
    int right = 0;
    // Moves to the top of a new page when something this high would reach below the page. On a
    // page that holds nothing yet it stays: a new page would not give it more room, and the
    // printout would have a blank page.
    auto make_room = [&](int height) {
        if (area.pageBottom && *area.pageBottom < y + height && !result.pages.back().empty()) {
            result.pages.emplace_back();
            y = area.top;
        }
    };
    for (size_t i = 0; i < shown; ++i) {
        KLUObject* child = hunk.GetChild(i);
        if (child->GetType() == PNGOBJECT) {
            // A picture sits at the current point; the text goes on below it.
            const LayoutSize image = PictureSizeOf(*child, picture_size);
            make_room(image.height);
            result.pages.back().push_back({x, y, x + image.width, y + image.height, 0, 0, child});
            right = std::max(right, x + image.width);
            y += image.height;
        } else {
            const std::string text = child->GetName();
            const std::string_view all(text);
            const TextFont font = child->altFont ? TextFont::Fixed : TextFont::Normal;
            if (child->altFont && space_fixed == kUnknownWidth)
                space_fixed = measurer.TextWidth(" ", TextFont::Fixed);
            const int space = child->altFont ? space_fixed : space_normal;
            const int length = Length(all);
            int pos = 0;
            int rest_whole = kUnknownWidth;  // width of the text from pos on, once measured
            while (pos < length) {
                const std::string_view rest = all.substr(static_cast<size_t>(pos));
                const bool line_start = x == area.left;
                Fit fit{Length(rest), kUnknownWidth, kUnknownWidth};
                if (child->wrap) {
                    fit = FitMeasured(measurer, rest, area.fitRight - x, line_start, font,
                                      rest_whole);
                }
                int n = fit.count;
                if (n == 0) {
                    if (!line_start) {
                        rest_whole = fit.whole;
                        y += line_height;
                        x = area.left;
                        continue;
                    }
                    // Nothing fits even on an empty line (a narrow area, or a leading space
                    // before an overlong word): place the first word anyway so that the text
                    // always moves on.
                    n = WordEnd(rest, 1);
                    fit.width = kUnknownWidth;
                }
                // The blank at a break, or the blank that joins this source line to the next,
                // belongs to the fragment; the end of a piece of a line has none.
                const int trailing = !child->endsSourceLine && n == Length(rest) ? 0 : space;
                const int text_width =
                    fit.width != kUnknownWidth
                        ? fit.width
                        : measurer.TextWidth(rest.substr(0, static_cast<size_t>(n)), font);
                const int w = text_width + trailing;
                make_room(line_height);
                result.pages.back().push_back({x, y, x + w, y + line_height, pos, n, child});
                pos += n + 1;
                rest_whole = kUnknownWidth;
                x += w;
                if (x >= area.lineEnd && child->wrap) {
                    x -= trailing;
                    right = std::max(right, x);
                    x = area.left;
                    y += line_height;
                } else {
                    right = std::max(right, x);
                }
            }
        }
        if (child->hardBreak) {
            y += line_height;
            x = area.left;
        }
    }
    if (shown > 0 && !hunk.GetChild(shown - 1)->hardBreak) y += line_height;

    result.right = right;
    result.bottom = y;
    return result;
}

LayoutResult Layout(const ItemsHunk& hunk, int visible_count, LayoutSize control,
                     const TextMeasurer& measurer, const PictureSizeFn& picture_size) {
    LayoutResult result;
    if (control.width <= 0 || control.height <= 0) return result;

    // Text runs from the margin to the reserve at the right edge; the screen has no pages.
    const FlowArea area{kLayoutMargin, kLayoutMargin, control.width - kLayoutRightReserve,
                         control.width, std::nullopt};
    FlowResult flow = FlowChildren(hunk, visible_count, area, measurer, picture_size);
    result.fragments = std::move(flow.pages.front());
    result.size = {flow.right + kLayoutMargin, flow.bottom + kLayoutMargin};
    return result;
}

std::string_view FragmentText::Of(const WrapInfo& fragment) {
    if (textOf != fragment.object) {
        text = fragment.object->GetName();
        textOf = fragment.object;
    }
    const size_t start = std::min(static_cast<size_t>(fragment.start), text.size());
    return std::string_view(text).substr(start, static_cast<size_t>(fragment.length));
}

}  // namespace klu
