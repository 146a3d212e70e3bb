// Printing to PDF, read back with the poppler tools.
#include <QImage>
#include <QPageSize>
#include <QProcess>
#include <array>
#include <sstream>
#include <tuple>

#include "../views/layout_test_support.h"
#include "../views/picture_test_support.h"
#include "app/command_ids.h"
#include "app/hunk_printer.h"
#include "views/hunk_printout.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

std::string RunPdfTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString() << " did not finish";
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
}

std::string PdfText(const std::string& path) {
    return RunPdfTool("pdftotext", {QString::fromStdString(path), "-"});
}
std::vector<std::string> PdfPages(const std::string& path) {
    std::vector<std::string> pages;
    std::istringstream text(PdfText(path));
    for (std::string page; std::getline(text, page, '\f');)
        pages.push_back(page);
    return pages;
}

// The images placed on the pages, from pdfimages -list: their width and height in pixels and
// their pixels per inch across and down as placed on the page.
std::vector<std::array<int, 4>> PdfImages(const std::string& path) {
    const QString list =
        QString::fromStdString(RunPdfTool("pdfimages", {"-list", QString::fromStdString(path)}));
    std::vector<std::array<int, 4>> images;
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    for (const QString& line : list.split('\n')) {
        const QStringList f = line.simplified().split(' ');
        if (f.size() < 14 || f[2] != "image") continue;  // the heading, and soft masks
        images.push_back({f[3].toInt(), f[4].toInt(), f[12].toInt(), f[13].toInt()});
    }
    return images;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A PDF printer: Letter paper at the resolution, a quarter inch unprintable all round.
void SetUpPdf(QPrinter& printer, int resolution = 600) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(resolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    EXPECT_TRUE(printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
}

// Printing by the application's printer on Letter paper to out.pdf.
class PrinterTest : public ::testing::Test {
  protected:
    PrinterTest() {
        settings.mainFont = {"DejaVu Sans", 10, 400, false};
        settings.fixedFont = FixedFontOf(settings.mainFont);
        settings.linkColor = 0xFF0000;  // blue
        SetUpPdf(printer.Printer());
        dialogs.printFile = folder / "out.pdf";
    }

    TempFolder folder;
    Settings settings;
    FakeUserDialogs dialogs;
    HunkPrinter printer;
};

// Lines "Line 0", "Line 1", ... each ending its line: header and footer on every page, unless
// a too large font leaves no room for them; the page count is asked before printing.
TEST_F(PrinterTest, PrintsEveryLineWithHeaderAndFooterWhenTheyFitAfterAskingWithThePageCount) {
    const struct {
        int point_size, lines, min_pages;
        bool marks;
    } cases[] = {{10, 300, 4, true}, {60, 20, 2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.point_size);
        std::vector<Child> lines;
        for (int i = 0; i < c.lines; ++i)
            lines.push_back({"Line " + std::to_string(i), kHard});
        ChildHunk root(lines, "Caf\xE9 story");  // Windows-1252, as hint text is
        settings.mainFont.pointSize = c.point_size;
        dialogs.printRequests.clear();
        HunkPrintout printout(root, c.lines, settings);
        ASSERT_TRUE(printer.Print(dialogs, printout));
        const int pages = printout.PageCount();
        ASSERT_GE(pages, c.min_pages);
        EXPECT_EQ(dialogs.printRequests, std::vector<int>{pages});
        EXPECT_TRUE(dialogs.messages.empty());
        const std::vector<std::string> texts = PdfPages(dialogs.printFile);
        ASSERT_EQ(texts.size(), static_cast<size_t>(pages));
        for (int page = 1; page <= pages; ++page) {
            const std::string& text = texts[page - 1];
            // The whole marks where they fit, else not even their beginnings.
            const std::string header = c.marks ? "KLU: Caf\u00e9 story" : "KLU:";
            const std::string footer =
                c.marks ? "Page " + std::to_string(page) + " of " + std::to_string(pages) : "Page ";
            for (const std::string& mark : {header, footer})
                EXPECT_EQ(Contains(text, mark), c.marks)
                    << mark << " on page " << page << ": " << text;
        }
        EXPECT_TRUE(Contains(texts.front(), "Line 0\n"));
        EXPECT_TRUE(Contains(texts.back(), "Line " + std::to_string(c.lines - 1) + "\n"));
    }
}

TEST_F(PrinterTest, APictureOf120By60PixelsPrintsOneInchByHalfAnInch) {
    auto subject = MakeSubject("Pictures");
    subject->Add(MakeData("HYPERPNG", "Broken", "no picture here"));
    subject->Add(MakeData("HYPERPNG", "Map", EncodeOrFail(PlainPicture(120, 60, 3))));
    const std::string file = HintFileOf(std::move(subject));
    HintDocument doc;
    ASSERT_EQ(LoadBytes(file, doc, /*picture_mode=*/true), LoadResult::Ok);
    ItemsHunk* pictures = Items(doc.GetRoot());
    ASSERT_NE(pictures, nullptr);
    ASSERT_EQ(pictures->GetChildCount(), 2u);
    // Pictures are decoded from the bytes of the file they were loaded from.
    HunkPrintout printout(*pictures, 2, settings, [&file](const PNGObject& picture) {
        const std::string_view data = std::string_view(file).substr(picture.dataOffset);
        return QImage::fromData(QByteArrayView(data.data(), picture.dataLength), "PNG");
    });
    SetUpPdf(printer.Printer(), 1200);
    ASSERT_TRUE(printer.Print(dialogs, printout));
    ASSERT_EQ(printout.PageCount(), 1);
    EXPECT_EQ(PdfImages(dialogs.printFile), (std::vector<std::array<int, 4>>{{120, 60, 120, 120}}));
}

using PrintCommandsTest = WindowFixture;

TEST_F(PrintCommandsTest, PrintWindowPrintsTheRevealedHintsPrintFileEveryHint) {
    dialogs.printFile = folder / "printed.pdf";
    auto root = MakeSubject("Printed Game");
    root->Add(MakeQuestion("Four?", {{"hint one"}, {"hint two"}, {"hint three"}, {"hint four"}}));
    root->Add(MakeQuestion("Other?", {{"elsewhere"}}));
    Open(Write("game.klu", HintFileOf(std::move(root))));
    ItemsHunk* question = Child("Four?");
    ASSERT_NE(question, nullptr);
    auto tree = [question] {
        const KLUObject* line = question->GetChild(0);
        return std::tuple(question->GetChildCount(), line, line->GetName(), FlagLetters(*line));
    };
    const auto before = tree();

    HintWindow* window = OpenWindow(*question);
    ASSERT_NE(window, nullptr);
    window->CmAnotherHint();
    frame->UpdateMenus();
    Client().Command(CM_PRINTWINDOW);
    ASSERT_EQ(dialogs.printRequests.size(), 1u);
    std::string text = PdfText(dialogs.printFile);
    for (const char* part : {"KLU: Four?", "hint one", "hint two"})
        EXPECT_TRUE(Contains(text, part)) << part << " in " << text;
    EXPECT_FALSE(Contains(text, "hint three")) << text;

    Client().Command(CM_PRINTFILE);
    text = PdfText(dialogs.printFile);
    for (const char* part : {"KLU: Hints for Printed Game", "hint one", "hint four", "elsewhere"})
        EXPECT_TRUE(Contains(text, part)) << part << " in " << text;
    EXPECT_EQ(tree(), before);
}

}  // namespace
}  // namespace klu::test
