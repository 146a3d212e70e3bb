#include "print_layout.h"

#include <algorithm>
#include <cstdint>

#include "model/document/items_hunk.h"

namespace klu {
namespace {

// The paper margin that text keeps: (int)(0.8 x resolution).
int MarginOf(int resolution) {
    return resolution * 4 / 5;
}

// Where header and footer go at the least: (int)(0.25 x resolution) from the paper's edge.
int MarkDistanceOf(int resolution) {
    return resolution / 4;
}

// Whether something that reaches down to distance stays inside the 0.8-inch margin:
// distance < 0.8 x resolution, in whole numbers.
bool InsideMargin(int distance, int resolution) {
    return int64_t{distance} * 5 < int64_t{resolution} * 4;
}

int Scaled(int pixels, int resolution) {
    return static_cast<int>(int64_t{pixels} * resolution / kPicturePixelsPerInch);
}

}  // namespace

PrintArea PrintAreaOf(const PrinterGeometry& page) {
    const int mx = std::max(MarginOf(page.resolutionX), page.offsetX);
    const int my = std::max(MarginOf(page.resolutionY), page.offsetY);
    PrintArea area;
    area.left = mx - page.offsetX;
    area.top = my - page.offsetY;
    area.rightLimit = std::min(page.paperWidth - mx - page.offsetX, page.printableWidth);
    area.bottomLimit = std::min(page.paperHeight - my - page.offsetY, page.printableHeight);
    return area;
}

PageMarks PageMarksOf(const PrinterGeometry& page, int line_height) {
    const int header = std::max(page.offsetY, MarkDistanceOf(page.resolutionY));
    const int footer = std::max(page.paperHeight - page.offsetY - page.printableHeight,
                                MarkDistanceOf(page.resolutionY));
    PageMarks marks;
    marks.centreX = page.paperWidth / 2 - page.offsetX;
    marks.headerFits = InsideMargin(header + line_height, page.resolutionY);
    marks.headerTop = header - page.offsetY;
    marks.footerFits = InsideMargin(footer + line_height, page.resolutionY);
    marks.footerTop = page.paperHeight - footer - page.offsetY - line_height;
    return marks;
}

LayoutSize PrintedPictureSize(LayoutSize image, int resolution_x, int resolution_y) {
    return {Scaled(image.width, resolution_x), Scaled(image.height, resolution_y)};
}

SeparatorLine PrintedSeparatorOf(const WrapInfo& fragment, int right_limit, int line_height) {
    return {fragment.left, right_limit, fragment.top + line_height / 2};
}

PrintPages Paginate(const ItemsHunk& hunk, int child_count, const PrintArea& area,
                     int resolution_x, int resolution_y, const TextMeasurer& measurer,
                     const PictureSizeFn& image_size) {
    PictureSizeFn printed_size;
    if (image_size) {
        printed_size = [&](const PNGObject& picture) {
            return PrintedPictureSize(image_size(picture), resolution_x, resolution_y);
        };
    }
    // Lines are fitted right up to the right limit, and end there.
    const FlowArea flow_area{area.left, area.top, area.rightLimit, area.rightLimit,
                              area.bottomLimit};
    return FlowChildren(hunk, child_count, flow_area, measurer, printed_size).pages;
}

}  // namespace klu
