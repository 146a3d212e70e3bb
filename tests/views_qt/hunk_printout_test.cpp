// The printout on PDF printers: page geometry and fonts read from the printer, the pages of a
// long hunk with header and footer, the margins on paper, a question printed up to its revealed
// hints, pictures at 120 pixels to the inch, colours, and new pages for another printer.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <string>
#include <vector>

#include "../model/model_test_support.h"
#include "model/media_hunks.h"
#include "pdf_tools.h"
#include "print_fixture.h"
#include "views/hint_reveal.h"
#include "views/hunk_printout.h"

namespace klu {
namespace {

using test::PdfText;
using test::PdfWords;

constexpr double kPointsPerInch = 72.0;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class PrintoutGeometry : public test::PrintFixture {};

TEST_F(PrintoutGeometry, PaperMarginsAndFontsComeFromThePrinter) {
    AddLines(3);
    THunkPrintout printout(root, AllChildren(), settings);
    auto printer = PdfPrinter("g.pdf", 600);
    printout.SetPrintParams(*printer);
    // Letter paper, 8.5 x 11 inches, a quarter inch of it unprintable on every side.
    EXPECT_EQ(printout.Geometry(), (TPrinterGeometry{600, 600, 150, 150, 5100, 6600, 4800, 6300}));
    // The text keeps 0.8 inch (480 pixels) from the edges of the paper.
    EXPECT_EQ(printout.Area(), (TPrintArea{330, 330, 5100 - 480 - 150, 6600 - 480 - 150}));
    // 10 points at 600 pixels per inch: 83.3 pixels.
    EXPECT_EQ(printout.NormalFont().pixelSize(), 83);
    EXPECT_EQ(printout.FixedFont().pixelSize(), 83);
    EXPECT_GE(printout.LineHeight(), 83);
    EXPECT_LT(printout.LineHeight(), 2 * 83);
    const int line_height = printout.LineHeight();

    // At twice the resolution everything doubles: 166.7 pixels make a 167-pixel font.
    auto fine = PdfPrinter("f.pdf", 1200);
    printout.SetPrintParams(*fine);
    EXPECT_EQ(printout.NormalFont().pixelSize(), 167);
    EXPECT_NEAR(printout.LineHeight(), 2 * line_height, 3);
    EXPECT_EQ(printout.Area().left, 960 - 300);
}

TEST_F(PrintoutGeometry, FixedFontLinesAreMeasuredInTheFixedFont) {
    TKLUObject* normal = AddLine("iiiiiiii");
    TKLUObject* fixed = AddLine("iiiiiiii");
    fixed->altFont = 1;
    THunkPrintout printout(root, AllChildren(), settings);
    printout.GetDialogInfo(*PdfPrinter("fixed.pdf"));
    ASSERT_EQ(printout.Pages().size(), 1u);
    const std::vector<TWrapInfo>& page = printout.Pages()[0];
    ASSERT_EQ(page.size(), 2u);
    ASSERT_EQ(page[0].object, normal);
    ASSERT_EQ(page[1].object, fixed);
    // In a monospaced font an i is as wide as any letter, far wider than a proportional one.
    EXPECT_GT(page[1].right - page[1].left, 3 * (page[0].right - page[0].left) / 2);
}

class PrintoutPages : public test::PrintFixture {};

TEST_F(PrintoutPages, ALongHunkPrintsEveryPageWithHeaderAndFooter) {
    root.title = "Caf\xE9 story";  // Windows-1252, as hint text is
    AddLines(300);
    THunkPrintout printout(root, AllChildren(), settings);
    auto printer = PdfPrinter("long.pdf");
    PrintAll(printout, *printer);
    const int pages = printout.PageCount();
    ASSERT_GT(pages, 3);
    EXPECT_FALSE(printout.HasPage(0));
    EXPECT_TRUE(printout.HasPage(pages));
    EXPECT_FALSE(printout.HasPage(pages + 1));

    const std::string file = Path("long.pdf");
    EXPECT_EQ(test::PdfPageCount(file), pages);
    const std::string first = PdfText(file, 1, 1);
    EXPECT_TRUE(Contains(first, "KLU: Caf\u00e9 story")) << first;
    EXPECT_TRUE(Contains(first, "Page 1 of " + std::to_string(pages))) << first;
    EXPECT_TRUE(Contains(first, "Line 0\n")) << first;
    const std::string last = PdfText(file, pages, pages);
    EXPECT_TRUE(Contains(last, "Page " + std::to_string(pages) + " of " + std::to_string(pages)));
    EXPECT_TRUE(Contains(last, "Line 299\n")) << last;
    EXPECT_FALSE(Contains(last, "Line 0\n"));

    // Every line is printed once.
    const std::string all = PdfText(file);
    for (int i : {0, 1, 57, 150, 298, 299}) {
        const std::string line = "Line " + std::to_string(i) + "\n";
        const size_t at = all.find(line);
        EXPECT_NE(at, std::string::npos) << line;
        EXPECT_EQ(all.find(line, at + 1), std::string::npos) << line;
    }
}

TEST_F(PrintoutPages, HeaderAndFooterAreLeftOutWhenTheFontIsTooLarge) {
    settings.mainFont.pointSize = 60;
    AddLines(20);
    THunkPrintout printout(root, AllChildren(), settings);
    auto printer = PdfPrinter("large.pdf");
    PrintAll(printout, *printer);
    const std::string file = Path("large.pdf");
    ASSERT_GT(printout.PageCount(), 1);
    EXPECT_EQ(test::PdfPageCount(file), printout.PageCount());
    const std::string text = PdfText(file);
    EXPECT_FALSE(Contains(text, "KLU:")) << text;
    EXPECT_FALSE(Contains(text, "Page 1 of")) << text;
    EXPECT_TRUE(Contains(text, "Line 0")) << text;
    EXPECT_TRUE(Contains(text, "Line 19")) << text;
}

TEST_F(PrintoutPages, TextStartsPointEightInchFromThePaperEdge) {
    AddLines(200);
    THunkPrintout printout(root, AllChildren(), settings);
    auto printer = PdfPrinter("margins.pdf", 600, QPageSize::Letter, 0.25);
    PrintAll(printout, *printer);
    const std::vector<test::PdfWord> words = PdfWords(Path("margins.pdf"), 1);
    const test::PdfWord body = test::FindWord(words, "Line");
    ASSERT_FALSE(body.text.empty());
    EXPECT_NEAR(body.xMin, 0.8 * kPointsPerInch, 1.0);
    EXPECT_NEAR(body.yMin, 0.8 * kPointsPerInch, 1.5);
    // The last line stays above the bottom margin.
    double lowest = 0;
    for (const test::PdfWord& w : words) {
        if (w.text == "Line") lowest = std::max(lowest, w.yMax);
    }
    EXPECT_LE(lowest, (11 - 0.8) * kPointsPerInch);
    EXPECT_GT(lowest, (11 - 0.8) * kPointsPerInch - 2 * printout.LineHeight() * 72.0 / 600);
    // The header starts at the quarter inch, where the printable area begins; the footer ends
    // a quarter inch above the bottom.
    const test::PdfWord header = test::FindWord(words, "KLU:");
    ASSERT_FALSE(header.text.empty());
    EXPECT_NEAR(header.yMin, 0.25 * kPointsPerInch, 1.5);
    const test::PdfWord footer = test::FindWord(words, "Page");
    ASSERT_FALSE(footer.text.empty());
    EXPECT_NEAR(footer.yMax, (11 - 0.25) * kPointsPerInch, 2.5);
    // Both are centred on the paper.
    const test::PdfWord title = test::FindWord(words, "story");
    EXPECT_NEAR((header.xMin + title.xMax) / 2, 4.25 * kPointsPerInch, 2.0);
}

TEST_F(PrintoutPages, AnotherPrinterGetsNewPages) {
    AddLines(150);
    THunkPrintout printout(root, AllChildren(), settings);
    const int on_letter = printout.GetDialogInfo(*PdfPrinter("letter.pdf"));
    auto small = PdfPrinter("small.pdf", 600, QPageSize::A6);
    printout.SetPrintParams(*small);
    THunkPrintout fresh(root, AllChildren(), settings);
    const int on_small = fresh.GetDialogInfo(*PdfPrinter("fresh.pdf", 600, QPageSize::A6));
    EXPECT_GT(on_small, on_letter);
    EXPECT_EQ(printout.PageCount(), on_small);
    EXPECT_EQ(printout.Pages(), fresh.Pages());
    // Back on the first printer, the first pages come back.
    printout.SetPrintParams(*PdfPrinter("again.pdf"));
    EXPECT_EQ(printout.PageCount(), on_letter);
}

TEST_F(PrintoutPages, AnEmptyHunkPrintsOnePage) {
    THunkPrintout printout(root, AllChildren(), settings);
    auto printer = PdfPrinter("empty.pdf");
    PrintAll(printout, *printer);
    EXPECT_EQ(printout.PageCount(), 1);
    EXPECT_EQ(test::PdfPageCount(Path("empty.pdf")), 1);
    EXPECT_TRUE(Contains(PdfText(Path("empty.pdf")), "Page 1 of 1"));
}

// A question of four hints, loaded from a hint file, with two of them revealed as a hint window
// shows them.
TEST_F(PrintoutPages, AQuestionPrintsItsRevealedHintsUpToTheSeparatorAfterThem) {
    HintFileSpec plan;
    plan.root = MakeSubject("Game");
    plan.root->Add(MakeQuestion(
        "Where is the key?",
        {{"Look around."}, {"Under something."}, {"Under the mat."}, {"Really, the mat."}}));
    THintDocument doc;
    ASSERT_EQ(test::LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
    auto* question = test::Items(doc.GetRoot()->FindByName("Where is the key?"));
    ASSERT_NE(question, nullptr);
    // The window shows the first hint when it opens; one press reveals the second.
    HintReveal reveal(*question, false);
    reveal.ShowNextHint(false, false);
    reveal.ShowNextHint(false, false);
    ASSERT_EQ(reveal.HintsShown(), 2);

    THunkPrintout printout(*question, reveal.VisibleCount(), settings);
    auto printer = PdfPrinter("question.pdf");
    PrintAll(printout, *printer);
    ASSERT_EQ(printout.PageCount(), 1);
    // The page ends with the second separator line.
    const std::vector<TWrapInfo>& page = printout.Pages()[0];
    ASSERT_FALSE(page.empty());
    int separators = 0;
    for (const TWrapInfo& f : page)
        separators += f.object->isSeparator ? 1 : 0;
    EXPECT_EQ(separators, 2);
    EXPECT_TRUE(page.back().object->isSeparator);

    const std::string text = PdfText(Path("question.pdf"));
    EXPECT_TRUE(Contains(text, "KLU: Where is the key?")) << text;
    EXPECT_TRUE(Contains(text, "Look around.")) << text;
    EXPECT_TRUE(Contains(text, "Under something.")) << text;
    EXPECT_FALSE(Contains(text, "mat")) << text;
}

// A hunk of text with pictures from a hint file read in picture mode.
class PrintoutPictures : public test::PrintFixture {
  protected:
    void Load(const std::string& first_png, const std::string& second_png) {
        HintFileSpec plan;
        plan.root = MakeSubject("Pictures");
        plan.root->Add(MakeData("HYPERPNG", "Map", first_png));
        plan.root->Add(MakeData("HYPERPNG", "Other", second_png));
        file = test::WriteOrFail(plan);
        ASSERT_EQ(test::LoadBytes(file, doc, /*picture_mode=*/true), LoadOk);
        pictures = test::Items(doc.GetRoot());
        ASSERT_NE(pictures, nullptr);
        ASSERT_EQ(pictures->GetChildCount(), 2u);
        ASSERT_EQ(pictures->GetChild(0)->GetType(), PNGOBJECT);
    }

    std::string file;
    THintDocument doc;
    TItemsHunk* pictures = nullptr;
};

TEST_F(PrintoutPictures, APictureOf120By60PixelsPrintsOneInchByHalfAnInch) {
    Load(test::PngBytes(120, 60), test::PngBytes(240, 120, Qt::red));
    THunkPrintout printout(*pictures, 1, settings, test::PicturesOf(file));
    auto printer = PdfPrinter("picture.pdf", 1200);
    PrintAll(printout, *printer);
    ASSERT_EQ(printout.PageCount(), 1);
    const TWrapInfo& f = printout.Pages()[0].at(0);
    EXPECT_EQ(f.object, pictures->GetChild(0));
    EXPECT_EQ(f.right - f.left, 1200);
    EXPECT_EQ(f.bottom - f.top, 600);
    EXPECT_EQ(f.left, printout.Area().left);

    const std::vector<test::PdfImage> images = test::PdfImages(Path("picture.pdf"));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, 120);
    EXPECT_EQ(images[0].height, 60);
    EXPECT_EQ(images[0].xPpi, 120);
    EXPECT_EQ(images[0].yPpi, 120);
}

TEST_F(PrintoutPictures, APictureThatCannotBeDecodedTakesNoRoom) {
    Load("no picture here", test::PngBytes(240, 120));
    THunkPrintout printout(*pictures, 2, settings, test::PicturesOf(file));
    auto printer = PdfPrinter("broken.pdf", 600);
    PrintAll(printout, *printer);
    ASSERT_EQ(printout.PageCount(), 1);
    const std::vector<TWrapInfo>& page = printout.Pages()[0];
    ASSERT_EQ(page.size(), 2u);
    EXPECT_EQ(page[0].right, page[0].left);
    EXPECT_EQ(page[0].bottom, page[0].top);
    // The next picture starts a line below the broken one (a picture ends its line): 2 x 1
    // inches at 600 per inch.
    EXPECT_EQ(page[1].top, page[0].top + printout.LineHeight());
    EXPECT_EQ(page[1].right - page[1].left, 1200);
    EXPECT_EQ(page[1].bottom - page[1].top, 600);
    EXPECT_EQ(test::PdfImages(Path("broken.pdf")).size(), 1u);
}

// Page 1 drawn onto an image the size of the printable area of a 72-per-inch printer, in a
// font large enough for whole pixels of colour.
class PrintoutColours : public test::PrintFixture {
  protected:
    PrintoutColours() { settings.mainFont.pointSize = 24; }

    QImage DrawFirstPage(THunkPrintout& printout) {
        auto printer = PdfPrinter("colours.pdf", 72);
        printout.GetDialogInfo(*printer);
        printout.SetPrintParams(*printer);
        const TPrinterGeometry& g = printout.Geometry();
        QImage page(g.printableWidth, g.printableHeight, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        printout.PrintPage(painter, 1);
        return page;
    }
};

// How many pixels inside the rectangle are close to the colour.
int CountPixels(const QImage& image, QRect area, QColor colour) {
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 60 &&
                std::abs(pixel.green() - colour.green()) < 60 &&
                std::abs(pixel.blue() - colour.blue()) < 60)
                ++count;
        }
    }
    return count;
}

TEST_F(PrintoutColours, TextInTheTextColourAndSubHunkTitlesInTheLinkColour) {
    AddLine("Plain words here");
    auto* link = new TMetaTextHunk("Linked title", &root, HINT);
    link->hardBreak = 1;
    root.children.push_back(link);
    THunkPrintout printout(root, AllChildren(), settings);
    printout.SetTextColor(Qt::darkGreen);
    const QImage page = DrawFirstPage(printout);
    const std::vector<TWrapInfo>& fragments = printout.Pages()[0];
    ASSERT_EQ(fragments.size(), 2u);
    auto rect = [](const TWrapInfo& f) {
        return QRect(QPoint(f.left, f.top), QPoint(f.right, f.bottom));
    };
    const QColor green(Qt::darkGreen);
    const QColor blue(Qt::blue);
    EXPECT_GT(CountPixels(page, rect(fragments[0]), green), 10);
    EXPECT_EQ(CountPixels(page, rect(fragments[0]), blue), 0);
    EXPECT_GT(CountPixels(page, rect(fragments[1]), blue), 10);
    EXPECT_EQ(CountPixels(page, rect(fragments[1]), green), 0);
}

TEST_F(PrintoutColours, SeparatorsRunAcrossTheTextAreaAtMidLine) {
    AddLine("Above");
    TKLUObject* rule = AddLine("-");
    rule->isSeparator = 1;
    THunkPrintout printout(root, AllChildren(), settings);
    const QImage page = DrawFirstPage(printout);
    const TWrapInfo& f = printout.Pages()[0].at(1);
    const int y = f.top + printout.LineHeight() / 2;
    const TPrintArea& area = printout.Area();
    // Dark from the left of the text area to its right limit, on the rule's row only.
    EXPECT_EQ(CountPixels(page, QRect(area.left, y, area.rightLimit - area.left, 1), Qt::black),
              area.rightLimit - area.left);
    EXPECT_EQ(CountPixels(page, QRect(area.rightLimit + 2, y, 20, 1), Qt::black), 0);
    EXPECT_EQ(CountPixels(page, QRect(area.left, y - 3, area.rightLimit - area.left, 1), Qt::black),
              0);
}

}  // namespace
}  // namespace klu
