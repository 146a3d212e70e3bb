#include "hunk_printout.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cstdint>

#include "hot_spot_area.h"
#include "model/document/items_hunk.h"
#include "model/document/media_hunks.h"
#include "windows1252.h"

namespace klu {
namespace {

// The size of a font whose record gives none, and the application font gives none either.
constexpr int kFallbackPoints = 10;

// A font of the settings at the printer's resolution: its pixel height is the point size times
// the resolution over 72 points to the inch, rounded to the nearest pixel.
QFont PrinterFontOf(QFont font, int points, int resolution_y) {
    const int64_t pixels = (int64_t{points} * resolution_y + 36) / 72;
    font.setPixelSize(static_cast<int>(std::clamp<int64_t>(pixels, 1, 1 << 20)));
    return font;
}

// Points of a font record; an unset size takes the application font's.
int PointsOf(const FontRecord& record, const QFont& font) {
    if (record.pointSize > 0) return record.pointSize;
    return font.pointSize() > 0 ? font.pointSize() : kFallbackPoints;
}

int Rounded(double value) {
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

// The printer's paper and printable area in its device pixels. The printable area (the page
// rectangle) excludes the page margins, which the printer driver sets to its unprintable
// margins.
PrinterGeometry GeometryOf(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    PrinterGeometry geometry;
    geometry.resolutionX = printer.logicalDpiX();
    geometry.resolutionY = printer.logicalDpiY();
    geometry.offsetX = Rounded(page.left() - paper.left());
    geometry.offsetY = Rounded(page.top() - paper.top());
    geometry.paperWidth = Rounded(paper.width());
    geometry.paperHeight = Rounded(paper.height());
    geometry.printableWidth = Rounded(page.width());
    geometry.printableHeight = Rounded(page.height());
    return geometry;
}

// Separator rules are half a point thick, so that they show at any printer resolution.
int RuleWidthOf(int resolution_y) {
    return std::max(1, resolution_y / 144);
}

}  // namespace

HunkPrintout::HunkPrintout(ItemsHunk& printed, int child_count, const Settings& settings,
                             PictureSource picture_source)
    : hunk(printed),
      childCount(std::clamp(child_count, 0, static_cast<int>(printed.GetChildCount()))),
      mainRecord(settings.mainFont),
      fixedRecord(settings.fixedFont),
      linkColor(ColorFromColorRef(settings.linkColor)),
      pictures(std::move(picture_source)) {}

HunkPrintout::~HunkPrintout() = default;

std::string HunkPrintout::Title() const {
    return "KLU: " + hunk.GetName();
}

void HunkPrintout::SetPrintParams(QPrinter& printer) {
    geometry = GeometryOf(printer);
    fullPage = printer.fullPage();
    area = PrintAreaOf(geometry);

    const QFont main = ScreenFontOf(mainRecord);
    const int main_points = PointsOf(mainRecord, main);
    normalFont = PrinterFontOf(main, main_points, geometry.resolutionY);
    const QFont fixed = fixedRecord.face.empty()
                            ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                            : ScreenFontOf(fixedRecord);
    const int fixed_points = fixedRecord.pointSize > 0 ? fixedRecord.pointSize : main_points;
    fixedFont = PrinterFontOf(fixed, fixed_points, geometry.resolutionY);
    measurer = std::make_unique<QtTextMeasurer>(normalFont, fixedFont, &printer);
    lineHeight = measurer->LineHeight();

    // Another printer, or other paper, gives other pages.
    const PaginatedFor now{printer.printerName().toStdString(), geometry};
    if (paginatedFor != now) {
        Paginate();
        paginatedFor = now;
    }
}

int HunkPrintout::GetDialogInfo(QPrinter& printer) {
    SetPrintParams(printer);
    return PageCount();
}

bool HunkPrintout::HasPage(int page) const {
    return page >= 1 && page <= PageCount();
}

LayoutSize HunkPrintout::ImageSizeOf(const PNGObject& picture) const {
    const QImage image = pictures(picture);
    if (image.isNull()) return {};
    return {image.width(), image.height()};
}

void HunkPrintout::Paginate() {
    PictureSizeFn image_size;
    if (pictures) image_size = [this](const PNGObject& picture) { return ImageSizeOf(picture); };
    pages = klu::Paginate(hunk, childCount, area, geometry.resolutionX, geometry.resolutionY,
                          *measurer, image_size);
}

void HunkPrintout::DrawCentred(QPainter& painter, std::string_view text, int centre,
                                int top) const {
    const int width = measurer->TextWidth(text, TextFont::Normal);
    painter.drawText(QPoint(centre - width / 2, top + measurer->Ascent(TextFont::Normal)),
                     FromWindows1252(text));
}

void HunkPrintout::DrawPicture(QPainter& painter, const WrapInfo& fragment) const {
    const auto* picture = NodeCast<PNGObject>(fragment.object);
    if (picture == nullptr || !pictures) return;
    if (fragment.right <= fragment.left || fragment.bottom <= fragment.top) return;
    const QImage image = pictures(*picture);
    if (image.isNull()) return;
    // Stretched from the image's pixels to its printed size.
    painter.drawImage(
        QRect(QPoint(fragment.left, fragment.top), QPoint(fragment.right - 1, fragment.bottom - 1)),
        image);
}

void HunkPrintout::PrintPage(QPainter& painter, int page) {
    if (!HasPage(page) || !measurer) return;
    painter.save();
    if (fullPage) painter.translate(geometry.offsetX, geometry.offsetY);
    painter.setFont(normalFont);
    painter.setPen(textColor);

    const PageMarks marks = PageMarksOf(geometry, lineHeight);
    if (marks.headerFits) DrawCentred(painter, Title(), marks.centreX, marks.headerTop);
    if (marks.footerFits) {
        const std::string footer =
            "Page " + std::to_string(page) + " of " + std::to_string(PageCount());
        DrawCentred(painter, footer, marks.centreX, marks.footerTop);
    }

    const QPen rule_pen(textColor, RuleWidthOf(geometry.resolutionY));
    FragmentText texts;
    for (const WrapInfo& f : pages[static_cast<size_t>(page - 1)]) {
        KLUObject* object = f.object;
        if (SeparatesHints(*object)) {
            const SeparatorLine rule = PrintedSeparatorOf(f, area.rightLimit, lineHeight);
            painter.setPen(rule_pen);
            painter.drawLine(rule.x1, rule.y, rule.x2, rule.y);
            continue;
        }
        if (object->GetType() == PNGOBJECT) {
            DrawPicture(painter, f);
            continue;
        }
        const TextFont font = object->altFont ? TextFont::Fixed : TextFont::Normal;
        painter.setFont(object->altFont ? fixedFont : normalFont);
        painter.setPen(ShowsAsLink(*object) ? linkColor : textColor);
        painter.drawText(QPoint(f.left, f.top + measurer->Ascent(font)),
                         FromWindows1252(texts.Of(f)));
    }
    painter.restore();
}

}  // namespace klu
