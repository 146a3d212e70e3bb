#pragma once

#include <vector>

#include "text_layout.h"
#include "text_layout_links.h"
#include "text_measurer.h"

namespace klu {

class ItemsHunk;

// What printing needs to know of a printer's page, in its device pixels (the resolution in
// pixels per inch).
struct PrinterGeometry {
    int resolutionX = 0;
    int resolutionY = 0;
    int offsetX = 0;  // unprintable margin at the left of the paper
    int offsetY = 0;  // ... and at its top
    int paperWidth = 0;
    int paperHeight = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    bool operator==(const PrinterGeometry&) const = default;
};

// The text area of a printed page, in the coordinates of the printable area (origin at its top
// left, where a printer's painter starts).
struct PrintArea {
    int left = 0;
    int top = 0;
    int rightLimit = 0;
    int bottomLimit = 0;
    bool operator==(const PrintArea&) const = default;
};

// Text keeps 0.8 inch from every edge of the paper, or the printer's unprintable margin when
// that is larger.
PrintArea PrintAreaOf(const PrinterGeometry& page);

// Where the header ("KLU: " and the title) and the footer (the page number) go, centred on
// centreX, in printable-area coordinates. Each is printed only when it fits inside the 0.8-inch
// margin: a large font leaves them out.
struct PageMarks {
    int centreX = 0;
    bool headerFits = false;
    int headerTop = 0;
    bool footerFits = false;
    int footerTop = 0;
    bool operator==(const PageMarks&) const = default;
};
PageMarks PageMarksOf(const PrinterGeometry& page, int line_height);

// Pictures print at 120 of their pixels to the inch.
inline constexpr int kPicturePixelsPerInch = 120;
LayoutSize PrintedPictureSize(LayoutSize image, int resolution_x, int resolution_y);

// The rule of a printed separator: from the fragment to the right limit, at mid-line.
SeparatorLine PrintedSeparatorOf(const WrapInfo& fragment, int right_limit, int line_height);

// The fragments of every page, first page first; as many pages as the text needs.
using PrintPages = std::vector<std::vector<WrapInfo>>;

// Flows children 0 to child_count - 1 of the hunk over pages of the area, with the rules of the
// screen layout. image_size gives a picture's image in its own pixels (0 x 0 when it has none or
// cannot be decoded); it prints at the resolution scaled as PrintedPictureSize says. A picture
// that does not fit below the text starts a new page, even when the page is still empty, and
// may run past the bottom of a page it is too tall for.
PrintPages Paginate(const ItemsHunk& hunk, int child_count, const PrintArea& area,
                     int resolution_x, int resolution_y, const TextMeasurer& measurer,
                     const PictureSizeFn& image_size = {});

}  // namespace klu
