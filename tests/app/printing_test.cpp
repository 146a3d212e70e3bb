// Printing to PDF: the page geometry and fonts read from the printer; the application's printer
// (the print dialog asked with the page count, every page with header and footer, a page range,
// other paper, cancelling, a printer that cannot start); the margins on paper; pictures at 120
// pixels to the inch; colours; and the commands Print File, Print Help File and Print Window.
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <filesystem>

#include "../views/picture_test_support.h"
#include "app/my_printer.h"
#include "model/meta_text_hunk.h"
#include "pdf_tools.h"
#include "views/hunk_printout.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

constexpr double kPointsPerInch = 72.0;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A PDF printer: paper of the size at the resolution, a quarter inch unprintable all round.
void SetUpPdf(QPrinter& printer, int resolution = 600,
              QPageSize::PageSizeId paper = QPageSize::Letter) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(resolution);
    printer.setPageSize(QPageSize(paper));
    EXPECT_TRUE(printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
}

// Answers the print dialog as the user would who also picked other paper or a page range.
class ChoosingDialogs : public FakeUserDialogs {
  public:
    bool AskPrint(QPrinter& printer, int page_count) override {
        if (!FakeUserDialogs::AskPrint(printer, page_count)) return false;
        if (paper) printer.setPageSize(QPageSize(*paper));
        if (firstPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(firstPage, lastPage);
        }
        return true;
    }
    std::optional<QPageSize::PageSizeId> paper;
    int firstPage = 0;
    int lastPage = 0;
};

// A subject of lines printed by the application's printer on Letter paper to out.pdf.
class PrinterTest : public ::testing::Test {
  protected:
    PrinterTest() : root("Long story", nullptr, SUBJECT) {
        settings.mainFont = {"DejaVu Sans", 10, 400, false};
        settings.fixedFont = FixedFontOf(settings.mainFont);
        settings.linkColor = 0xFF0000;  // blue
        SetUpPdf(printer.Printer());
        dialogs.printFile = folder / "out.pdf";
    }
    TKLUObject* AddLine(std::string text) {
        auto* line = new THunkLine(std::move(text), &root);
        line->hardBreak = 1;
        line->endsSourceLine = 1;
        root.children.push_back(line);
        return line;
    }
    // Lines "Line 0", "Line 1", ... each ending its line.
    void AddLines(int count) {
        for (int i = 0; i < count; ++i)
            AddLine("Line " + std::to_string(i));
    }
    THunkPrintout Printout() {
        return THunkPrintout(root, static_cast<int>(root.GetChildCount()), settings);
    }
    int PagesOn(QPageSize::PageSizeId paper) {
        QPrinter other(QPrinter::HighResolution);
        SetUpPdf(other, 600, paper);
        return Printout().GetDialogInfo(other);
    }
    std::string Printed(int first = 0, int last = 0) const {
        return PdfText(dialogs.printFile, first, last);
    }

    TempFolder folder;
    Settings settings;
    TMetaTextHunk root;
    ChoosingDialogs dialogs;
    TMyPrinter printer;
};

TEST_F(PrinterTest, PaperMarginsAndFontsComeFromThePrinter) {
    TKLUObject* normal = AddLine("iiiiiiii");
    AddLine("iiiiiiii")->altFont = 1;
    QPrinter pdf(QPrinter::HighResolution);
    SetUpPdf(pdf, 600);
    THunkPrintout printout = Printout();
    printout.GetDialogInfo(pdf);
    // Letter paper, 8.5 x 11 inches, a quarter inch of it unprintable on every side.
    EXPECT_EQ(printout.Geometry(), (TPrinterGeometry{600, 600, 150, 150, 5100, 6600, 4800, 6300}));
    // The text keeps 0.8 inch (480 pixels) from the edges of the paper.
    EXPECT_EQ(printout.Area(), (TPrintArea{330, 330, 5100 - 480 - 150, 6600 - 480 - 150}));
    // 10 points at 600 pixels per inch: 83.3 pixels.
    EXPECT_EQ(printout.NormalFont().pixelSize(), 83);
    EXPECT_EQ(printout.FixedFont().pixelSize(), 83);
    EXPECT_GE(printout.LineHeight(), 83);
    EXPECT_LT(printout.LineHeight(), 2 * 83);
    // In a monospaced font an i is as wide as any letter, far wider than a proportional one.
    ASSERT_EQ(printout.Pages().size(), 1u);
    const std::vector<TWrapInfo>& page = printout.Pages()[0];
    ASSERT_EQ(page.size(), 2u);
    ASSERT_EQ(page[0].object, normal);
    EXPECT_GT(page[1].right - page[1].left, 3 * (page[0].right - page[0].left) / 2);

    // At twice the resolution everything doubles: 166.7 pixels make a 167-pixel font.
    const int line_height = printout.LineHeight();
    SetUpPdf(pdf, 1200);
    printout.SetPrintParams(pdf);
    EXPECT_EQ(printout.NormalFont().pixelSize(), 167);
    EXPECT_NEAR(printout.LineHeight(), 2 * line_height, 3);
    EXPECT_EQ(printout.Area().left, 960 - 300);
}

TEST_F(PrinterTest, PrintsEveryLineOnceWithHeaderAndFooterAfterAskingWithThePageCount) {
    root.title = "Caf\xE9 story";  // Windows-1252, as hint text is
    AddLines(300);
    THunkPrintout printout = Printout();
    ASSERT_TRUE(printer.Print(dialogs, printout));
    const int pages = printout.PageCount();
    ASSERT_GT(pages, 3);
    EXPECT_FALSE(printout.HasPage(0));
    EXPECT_TRUE(printout.HasPage(pages));
    EXPECT_FALSE(printout.HasPage(pages + 1));
    EXPECT_EQ(dialogs.printRequests, std::vector<int>{pages});
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(PdfPageCount(dialogs.printFile), pages);
    EXPECT_EQ(PdfInfoField(dialogs.printFile, "Title"), "KLU: Caf\u00e9 story");

    const std::string first = Printed(1, 1);
    EXPECT_TRUE(Contains(first, "KLU: Caf\u00e9 story")) << first;
    EXPECT_TRUE(Contains(first, "Page 1 of " + std::to_string(pages))) << first;
    EXPECT_TRUE(Contains(first, "Line 0\n")) << first;
    const std::string last = Printed(pages, pages);
    EXPECT_TRUE(Contains(last, "Page " + std::to_string(pages) + " of " + std::to_string(pages)));
    EXPECT_TRUE(Contains(last, "Line 299\n")) << last;
    const std::string all = Printed();
    for (int i : {0, 1, 57, 150, 298, 299}) {
        const std::string line = "Line " + std::to_string(i) + "\n";
        const size_t at = all.find(line);
        EXPECT_NE(at, std::string::npos) << line;
        EXPECT_EQ(all.find(line, at + 1), std::string::npos) << line;
    }

    // Another printer gets new pages, the same as a fresh printout's; the first printer again
    // the first pages.
    QPrinter small(QPrinter::HighResolution);
    SetUpPdf(small, 600, QPageSize::A6);
    printout.SetPrintParams(small);
    THunkPrintout fresh = Printout();
    EXPECT_GT(fresh.GetDialogInfo(small), pages);
    EXPECT_EQ(printout.Pages(), fresh.Pages());
    printout.SetPrintParams(printer.Printer());
    EXPECT_EQ(printout.PageCount(), pages);
}

TEST_F(PrinterTest, PrintsOnlyTheChosenPagesUpToTheLast) {
    AddLines(300);
    dialogs.firstPage = 2;
    dialogs.lastPage = 3;
    THunkPrintout printout = Printout();
    ASSERT_TRUE(printer.Print(dialogs, printout));
    ASSERT_EQ(PdfPageCount(dialogs.printFile), 2);
    const std::string of = " of " + std::to_string(printout.PageCount());
    EXPECT_TRUE(Contains(Printed(1, 1), "Page 2" + of));
    EXPECT_TRUE(Contains(Printed(2, 2), "Page 3" + of));
    EXPECT_FALSE(Contains(Printed(), "Line 0\n"));

    dialogs.lastPage = 999;  // past the end: stops at the last page
    ASSERT_TRUE(printer.Print(dialogs, printout));
    EXPECT_EQ(PdfPageCount(dialogs.printFile), printout.PageCount() - 1);
}

TEST_F(PrinterTest, OtherPaperChosenInTheDialogGetsNewPages) {
    AddLines(150);
    const int on_letter = PagesOn(QPageSize::Letter);
    const int on_a6 = PagesOn(QPageSize::A6);
    ASSERT_GT(on_a6, on_letter);
    dialogs.paper = QPageSize::A6;
    THunkPrintout printout = Printout();
    ASSERT_TRUE(printer.Print(dialogs, printout));
    EXPECT_EQ(dialogs.printRequests, std::vector<int>{on_letter});
    EXPECT_EQ(PdfPageCount(dialogs.printFile), on_a6);
    const std::string n = std::to_string(on_a6);
    EXPECT_TRUE(Contains(Printed(on_a6, on_a6), "Page " + n + " of " + n));
}

TEST_F(PrinterTest, CancelPrintsNothingAPrinterThatCannotStartIsReported) {
    AddLines(10);
    dialogs.printFile.clear();
    THunkPrintout printout = Printout();
    EXPECT_FALSE(printer.Print(dialogs, printout));
    EXPECT_EQ(dialogs.printRequests.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(folder.EntryCount(), 0u);

    dialogs.printFile = folder / "missing/folder/out.pdf";
    EXPECT_FALSE(printer.Print(dialogs, printout));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Print");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(Contains(dialogs.messages[0].text, dialogs.printFile)) << dialogs.messages[0].text;

    EXPECT_TRUE(printer.Setup(dialogs));
    dialogs.setupAnswer = false;
    EXPECT_FALSE(printer.Setup(dialogs));
    EXPECT_EQ(dialogs.printerSetups, 2);
}

TEST_F(PrinterTest, AnEmptyHunkPrintsOnePageAndATooLargeFontNoHeaderOrFooter) {
    THunkPrintout empty = Printout();
    ASSERT_TRUE(printer.Print(dialogs, empty));
    EXPECT_EQ(empty.PageCount(), 1);
    EXPECT_EQ(PdfPageCount(dialogs.printFile), 1);
    EXPECT_TRUE(Contains(Printed(), "Page 1 of 1"));

    settings.mainFont.pointSize = 60;
    AddLines(20);
    THunkPrintout printout = Printout();
    ASSERT_TRUE(printer.Print(dialogs, printout));
    ASSERT_GT(printout.PageCount(), 1);
    EXPECT_EQ(PdfPageCount(dialogs.printFile), printout.PageCount());
    const std::string text = Printed();
    EXPECT_FALSE(Contains(text, "KLU:")) << text;
    EXPECT_FALSE(Contains(text, "Page 1 of")) << text;
    EXPECT_TRUE(Contains(text, "Line 0")) << text;
    EXPECT_TRUE(Contains(text, "Line 19")) << text;
}

TEST_F(PrinterTest, TextStartsPointEightInchFromThePaperEdgeHeaderAndFooterAQuarterInch) {
    AddLines(200);
    THunkPrintout printout = Printout();
    ASSERT_TRUE(printer.Print(dialogs, printout));
    const std::vector<PdfWord> words = PdfWords(dialogs.printFile, 1);
    const PdfWord body = FindWord(words, "Line");
    ASSERT_FALSE(body.text.empty());
    EXPECT_NEAR(body.xMin, 0.8 * kPointsPerInch, 1.0);
    EXPECT_NEAR(body.yMin, 0.8 * kPointsPerInch, 1.5);
    // The last line stays above the bottom margin.
    double lowest = 0;
    for (const PdfWord& w : words)
        if (w.text == "Line") lowest = std::max(lowest, w.yMax);
    EXPECT_LE(lowest, (11 - 0.8) * kPointsPerInch);
    EXPECT_GT(lowest, (11 - 0.8) * kPointsPerInch - 2 * printout.LineHeight() * 72.0 / 600);
    // The header starts at the quarter inch, where the printable area begins; the footer ends
    // a quarter inch above the bottom. Both are centred on the paper.
    const PdfWord header = FindWord(words, "KLU:");
    ASSERT_FALSE(header.text.empty());
    EXPECT_NEAR(header.yMin, 0.25 * kPointsPerInch, 1.5);
    const PdfWord footer = FindWord(words, "Page");
    ASSERT_FALSE(footer.text.empty());
    EXPECT_NEAR(footer.yMax, (11 - 0.25) * kPointsPerInch, 2.5);
    EXPECT_NEAR((header.xMin + FindWord(words, "story").xMax) / 2, 4.25 * kPointsPerInch, 2.0);
}

TEST_F(PrinterTest, APictureOf120By60PixelsPrintsOneInchByHalfAnInchABrokenOneTakesNoRoom) {
    auto subject = MakeSubject("Pictures");
    subject->Add(MakeData("HYPERPNG", "Broken", "no picture here"));
    subject->Add(MakeData("HYPERPNG", "Map", EncodeOrFail(PlainPicture(120, 60, 3))));
    const std::string file = HintFileOf(std::move(subject));
    THintDocument doc;
    ASSERT_EQ(LoadBytes(file, doc, /*picture_mode=*/true), LoadOk);
    TItemsHunk* pictures = Items(doc.GetRoot());
    ASSERT_NE(pictures, nullptr);
    ASSERT_EQ(pictures->GetChildCount(), 2u);
    ASSERT_EQ(pictures->GetChild(1)->GetType(), PNGOBJECT);
    // Pictures are decoded from the bytes of the file they were loaded from.
    THunkPrintout printout(*pictures, 2, settings, [&file](const TPNGObject& picture) {
        QImage image;
        if (picture.dataOffset >= 0 && picture.dataLength > 0 &&
            static_cast<size_t>(picture.End()) <= file.size())
            image.loadFromData(reinterpret_cast<const uchar*>(file.data()) + picture.dataOffset,
                               static_cast<int>(picture.dataLength), "PNG");
        return image;
    });
    SetUpPdf(printer.Printer(), 1200);
    ASSERT_TRUE(printer.Print(dialogs, printout));
    ASSERT_EQ(printout.PageCount(), 1);
    const std::vector<TWrapInfo>& page = printout.Pages()[0];
    ASSERT_EQ(page.size(), 2u);
    EXPECT_EQ(page[0].right, page[0].left);
    EXPECT_EQ(page[0].bottom, page[0].top);
    // The picture starts a line below the broken one (a picture ends its line).
    EXPECT_EQ(page[1].object, pictures->GetChild(1));
    EXPECT_EQ(page[1].top, page[0].top + printout.LineHeight());
    EXPECT_EQ(page[1].left, printout.Area().left);
    EXPECT_EQ(page[1].right - page[1].left, 1200);
    EXPECT_EQ(page[1].bottom - page[1].top, 600);

    const std::vector<PdfImage> images = PdfImages(dialogs.printFile);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, 120);
    EXPECT_EQ(images[0].height, 60);
    EXPECT_EQ(images[0].xPpi, 120);
    EXPECT_EQ(images[0].yPpi, 120);
}

// How many pixels inside the rectangle are close to the colour.
int CountPixels(const QImage& image, QRect area, QColor colour) {
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) < 60 &&
                     std::abs(pixel.green() - colour.green()) < 60 &&
                     std::abs(pixel.blue() - colour.blue()) < 60;
        }
    }
    return count;
}

TEST_F(PrinterTest, TextLinksAndSeparatorsTakeTheirColoursAndPlaces) {
    AddLine("Plain words here");
    auto* link = new TMetaTextHunk("Linked title", &root, HINT);
    link->hardBreak = 1;
    root.children.push_back(link);
    AddLine("-")->isSeparator = 1;
    // Page 1 drawn onto an image the size of the printable area of a 72-per-inch printer, in a
    // font large enough for whole pixels of colour.
    settings.mainFont.pointSize = 24;
    THunkPrintout printout = Printout();
    printout.SetTextColor(Qt::darkGreen);
    QPrinter pdf(QPrinter::HighResolution);
    SetUpPdf(pdf, 72);
    printout.GetDialogInfo(pdf);
    printout.SetPrintParams(pdf);
    QImage image(printout.Geometry().printableWidth, printout.Geometry().printableHeight,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    printout.PrintPage(painter, 1);

    const std::vector<TWrapInfo>& page = printout.Pages()[0];
    ASSERT_EQ(page.size(), 3u);
    auto rect = [](const TWrapInfo& f) {
        return QRect(QPoint(f.left, f.top), QPoint(f.right, f.bottom));
    };
    const QColor green(Qt::darkGreen), blue(Qt::blue);
    EXPECT_GT(CountPixels(image, rect(page[0]), green), 10);
    EXPECT_EQ(CountPixels(image, rect(page[0]), blue), 0);
    EXPECT_GT(CountPixels(image, rect(page[1]), blue), 10);
    EXPECT_EQ(CountPixels(image, rect(page[1]), green), 0);
    // The rule, in the text colour, runs from the left of the text area to its right limit, on
    // its middle row only.
    const int y = page[2].top + printout.LineHeight() / 2;
    const TPrintArea& area = printout.Area();
    const int width = area.rightLimit - area.left;
    EXPECT_EQ(CountPixels(image, QRect(area.left, y, width, 1), green), width);
    EXPECT_EQ(CountPixels(image, QRect(area.rightLimit + 2, y, 20, 1), green), 0);
    EXPECT_EQ(CountPixels(image, QRect(area.left, y - 3, width, 1), green), 0);
}

class PrintCommandsTest : public WindowFixture {
  protected:
    PrintCommandsTest() {
        dialogs.printFile = folder / "printed.pdf";
        auto root = MakeSubject("Printed Game");
        root->Add(
            MakeQuestion("Four?", {{"hint one"}, {"hint two"}, {"hint three"}, {"hint four"}}));
        root->Add(MakeQuestion("Other?", {{"elsewhere"}}));
        Open(Write("game.klu", HintFileOf(std::move(root))));
    }
    std::string Printed() { return PdfText(dialogs.printFile); }
};

TEST_F(PrintCommandsTest, PrintWindowPrintsTheTwoRevealedHintsOfFour) {
    THintChild* question = OpenWindow(*Child("Four?"));
    ASSERT_NE(question, nullptr);
    question->CmAnotherHint();
    frame->UpdateMenus();
    Client().Command(204);
    ASSERT_EQ(dialogs.printRequests.size(), 1u);
    const std::string text = Printed();
    for (const char* part : {"KLU: Four?", "hint one", "hint two"})
        EXPECT_TRUE(Contains(text, part)) << part << " in " << text;
    EXPECT_FALSE(Contains(text, "hint three")) << text;
}

TEST_F(PrintCommandsTest, PrintFilePrintsEveryHintAndLeavesTheTreeAsItWas) {
    TItemsHunk* question = Child("Four?");
    ASSERT_NE(question, nullptr);
    const size_t children = question->GetChildCount();
    const TKLUObject* first_line = question->GetChild(0);
    const THunk* first_parent = first_line->parent;
    Client().Command(110);
    const std::string text = Printed();
    for (const char* part : {"KLU: Hints for Printed Game", "hint one", "hint four", "elsewhere"})
        EXPECT_TRUE(Contains(text, part)) << part << " in " << text;
    EXPECT_EQ(question->GetChildCount(), children);
    EXPECT_EQ(question->GetChild(0), first_line);
    EXPECT_EQ(first_line->parent, first_parent);

    // A cancelled dialog prints nothing.
    std::filesystem::remove(dialogs.printFile);
    dialogs.printFile.clear();
    Client().Command(110);
    EXPECT_FALSE(std::filesystem::exists(folder / "printed.pdf"));
    EXPECT_TRUE(dialogs.messages.empty());
    Client().Command(111);
    EXPECT_EQ(dialogs.printerSetups, 1);
}

TEST_F(PrintCommandsTest, PrintHelpFileStartsAtTheIndexWhenThereIsOne) {
    auto root = MakeSubject("KLU Reader Documentation");
    root->Add(MakeText("Preface", {"outside the index"}));
    root->Add(MakeSubject("Help File Index"))->Add(MakeText("Topic", {"inside the index"}));
    LoadHelp(std::move(root));
    Client().Command(502);
    const std::string text = Printed();
    EXPECT_TRUE(Contains(text, "KLU: KLUWIN Documentation")) << text;
    EXPECT_TRUE(Contains(text, "inside the index")) << text;
    EXPECT_FALSE(Contains(text, "outside the index")) << text;
}

}  // namespace
}  // namespace klu::test
