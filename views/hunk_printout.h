#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/store/settings.h"
#include "print_layout.h"
#include "qt_text_measurer.h"

class QPainter;
class QPrinter;

namespace klu {

class ItemsHunk;
class PNGObject;

// The printout of a hunk's children: running text with the screen's layout rules over pages,
// in the printer's fonts made from the settings, with a centred header "KLU: " and the hunk's
// title and a centred footer "Page i of n" wherever they fit in the margin.
//
// One printout serves one print command; the application's printer (HunkPrinter) drives it:
//
//     HunkPrintout printout(hunk, child_count, settings, pictures);
//     printer.Print(dialogs, printout);
//
// Print Window passes the window's hunk and the number of children it shows (so a question
// prints its revealed hints only); Print File passes a flattened hunk and all its children.
// The hunk must outlive the printout.
//
// The printer calls GetDialogInfo before the print dialog, SetPrintParams with the printer the
// user chose (the pages are laid out again when that printer or its paper differs), then
// PrintPage for each page of the chosen range while HasPage.
class HunkPrintout {
  public:
    // The image of a picture in its own pixels: a null image when it has none or it cannot be
    // decoded; such a picture prints as nothing and takes no room.
    using PictureSource = std::function<QImage(const PNGObject&)>;

    // Children 0 to child_count - 1 of the hunk are printed, in the fonts and link colour of
    // the settings.
    HunkPrintout(ItemsHunk& hunk, int child_count, const Settings& settings,
                  PictureSource pictures = {});
    ~HunkPrintout();
    HunkPrintout(const HunkPrintout&) = delete;
    HunkPrintout& operator=(const HunkPrintout&) = delete;

    // "KLU: " and the hunk's title (Windows-1252): the header and the print job's name.
    std::string Title() const;

    // Reads the paper and the resolution of the printer and makes its fonts; lays the pages out
    // when there are none yet or they were made for another printer or paper.
    void SetPrintParams(QPrinter& printer);
    // Lays the pages out for the printer that the print dialog will start on and gives how many
    // there are.
    int GetDialogInfo(QPrinter& printer);
    // Whether page p (counted from 1) is part of the document.
    bool HasPage(int page) const;
    // Draws page p (from 1) with a painter that is open on the printer last given to
    // SetPrintParams.
    void PrintPage(QPainter& painter, int page);

    int PageCount() const { return static_cast<int>(pages.size()); }
    const PrintPages& Pages() const { return pages; }
    int LineHeight() const { return lineHeight; }
    const QFont& NormalFont() const { return normalFont; }
    const QFont& FixedFont() const { return fixedFont; }

    // Plain text prints black unless told otherwise; titles of sub-hunks in the link colour.
    void SetTextColor(const QColor& color) { textColor = color; }
    QColor TextColor() const { return textColor; }
    QColor LinkColor() const { return linkColor; }

  private:
    // What a set of pages was laid out for.
    struct PaginatedFor {
        std::string printerName;
        PrinterGeometry geometry;
        bool operator==(const PaginatedFor&) const = default;
    };

    void Paginate();
    LayoutSize ImageSizeOf(const PNGObject& picture) const;
    void DrawCentred(QPainter& painter, std::string_view text, int centre, int top) const;
    void DrawPicture(QPainter& painter, const WrapInfo& fragment) const;

    ItemsHunk& hunk;
    int childCount;
    FontRecord mainRecord;
    FontRecord fixedRecord;
    QColor textColor{Qt::black};
    QColor linkColor;
    PictureSource pictures;

    PrinterGeometry geometry;
    PrintArea area;
    bool fullPage = false;  // the painter's origin is the paper's corner, not the printable area's
    QFont normalFont;
    QFont fixedFont;
    std::unique_ptr<QtTextMeasurer> measurer;
    int lineHeight = 0;

    std::optional<PaginatedFor> paginatedFor;
    PrintPages pages;
};

}  // namespace klu
