// Printing to PDF: page count, header and footer, pictures at 120 pixels to the inch, and the
// commands Print File and Print Window.
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "../views/picture_test_support.h"
#include "app/my_printer.h"
#include "model/meta_text_hunk.h"
#include "views/hunk_printout.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

// What the poppler tools read from a printed PDF.
std::string RunPdfTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString() << " did not finish";
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
}

// The page count pdfinfo gives, or -1 without one.
int PdfPageCount(const std::string& path) {
    const QString info =
        QString::fromStdString(RunPdfTool("pdfinfo", {QString::fromStdString(path)}));
    const QRegularExpressionMatch match =
        QRegularExpression("^Pages:\\s*(\\d+)", QRegularExpression::MultilineOption).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of pages first to last (from 1; 0 for all), in reading order.
std::string PdfText(const std::string& path, int first = 0, int last = 0) {
    QStringList arguments;
    if (first > 0) arguments << "-f" << QString::number(first);
    if (last > 0) arguments << "-l" << QString::number(last);
    arguments << QString::fromStdString(path) << "-";
    return RunPdfTool("pdftotext", arguments);
}

// The images placed on the pages, from pdfimages -list: their size in pixels and their pixels
// per inch as placed on the page.
struct PdfImage {
    int width, height, xPpi, yPpi;
};
std::vector<PdfImage> PdfImages(const std::string& path) {
    const QString list =
        QString::fromStdString(RunPdfTool("pdfimages", {"-list", QString::fromStdString(path)}));
    std::vector<PdfImage> images;
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

// A PDF printer: paper of the size at the resolution, a quarter inch unprintable all round.
void SetUpPdf(QPrinter& printer, int resolution = 600,
              QPageSize::PageSizeId paper = QPageSize::Letter) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(resolution);
    printer.setPageSize(QPageSize(paper));
    EXPECT_TRUE(printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
}

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
        auto* line = new THunkLine(std::move(text));
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
    std::string Printed(int first = 0, int last = 0) const {
        return PdfText(dialogs.printFile, first, last);
    }

    TempFolder folder;
    Settings settings;
    TMetaTextHunk root;
    FakeUserDialogs dialogs;
    TMyPrinter printer;
};

TEST_F(PrinterTest, PrintsEveryLineOnceWithHeaderAndFooterAfterAskingWithThePageCount) {
    root.title = "Caf\xE9 story";  // Windows-1252, as hint text is
    AddLines(300);
    THunkPrintout printout = Printout();
    ASSERT_TRUE(printer.Print(dialogs, printout));
    const int pages = printout.PageCount();
    ASSERT_GT(pages, 3);
    EXPECT_EQ(dialogs.printRequests, std::vector<int>{pages});
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(PdfPageCount(dialogs.printFile), pages);

    const std::string first = Printed(1, 1);
    EXPECT_TRUE(Contains(first, "KLU: Caf\u00e9 story")) << first;
    EXPECT_TRUE(Contains(first, "Page 1 of " + std::to_string(pages))) << first;
    EXPECT_TRUE(Contains(first, "Line 0\n")) << first;
    const std::string last = Printed(pages, pages);
    EXPECT_TRUE(Contains(last, "Page " + std::to_string(pages) + " of " + std::to_string(pages)));
    EXPECT_TRUE(Contains(last, "Line 299\n")) << last;
}

TEST_F(PrinterTest, ATooLargeFontLeavesNoRoomForHeaderOrFooter) {
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

TEST_F(PrinterTest, APictureOf120By60PixelsPrintsOneInchByHalfAnInch) {
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
    const std::vector<PdfImage> images = PdfImages(dialogs.printFile);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, 120);
    EXPECT_EQ(images[0].height, 60);
    EXPECT_EQ(images[0].xPpi, 120);
    EXPECT_EQ(images[0].yPpi, 120);
}

// Print Window prints what the window shows; Print File every hint, leaving the tree as it was.
using PrintCommandsTest = WindowFixture;

TEST_F(PrintCommandsTest, PrintWindowPrintsTheRevealedHintsPrintFileEveryHint) {
    dialogs.printFile = folder / "printed.pdf";
    auto root = MakeSubject("Printed Game");
    root->Add(MakeQuestion("Four?", {{"hint one"}, {"hint two"}, {"hint three"}, {"hint four"}}));
    root->Add(MakeQuestion("Other?", {{"elsewhere"}}));
    Open(Write("game.klu", HintFileOf(std::move(root))));
    TItemsHunk* question = Child("Four?");
    ASSERT_NE(question, nullptr);
    const size_t children = question->GetChildCount();
    const TKLUObject* first_line = question->GetChild(0);
    const std::string first_text = first_line->GetName();
    const std::string first_flags = FlagLetters(*first_line);

    THintChild* window = OpenWindow(*question);
    ASSERT_NE(window, nullptr);
    window->CmAnotherHint();
    frame->UpdateMenus();
    Client().Command(204);
    ASSERT_EQ(dialogs.printRequests.size(), 1u);
    std::string text = PdfText(dialogs.printFile);
    for (const char* part : {"KLU: Four?", "hint one", "hint two"})
        EXPECT_TRUE(Contains(text, part)) << part << " in " << text;
    EXPECT_FALSE(Contains(text, "hint three")) << text;

    Client().Command(110);
    text = PdfText(dialogs.printFile);
    for (const char* part : {"KLU: Hints for Printed Game", "hint one", "hint four", "elsewhere"})
        EXPECT_TRUE(Contains(text, part)) << part << " in " << text;
    EXPECT_EQ(question->GetChildCount(), children);
    EXPECT_EQ(question->GetChild(0), first_line);
    EXPECT_EQ(first_line->GetName(), first_text);
    EXPECT_EQ(FlagLetters(*first_line), first_flags);
}

}  // namespace
}  // namespace klu::test
